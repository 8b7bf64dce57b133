// The one way from an exception to its message: every class of the program gives its text, a
// standard exception the program's own, a return nothing; anything else passes on.
#include "model/Fehler.h"

#include <exception>
#include <functional>
#include <ios>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Fall {
  const char* was;
  std::function<void()> handlung;
  std::optional<std::string> erwartet;
};

TEST(Fehlermeldung, GivesTheMessageOfWhicheverExceptionWasThrown) {
  const Fall faelle[] = {
      {"returns", [] {}, std::nullopt},
      {"StdError", [] { throw StdError("kein Speicher"); }, "kein Speicher"},
      {"KommError", [] { throw KommError("Kommunikationsfehler ", "\nbei Zeitabfrage"); },
       "Kommunikationsfehler \nbei Zeitabfrage"},
      {"IoError",
       [] {
         throw IoError(
             "Fehler beim \xC3\x96"
             "ffnen der Datei",
             "/x.wuz");
       },
       "Fehler beim \xC3\x96"
       "ffnen der Datei/x.wuz"},
      {"ListError", [] { throw ListError(" Element not found ", 4); }, " Element not found 4"},
      // A standard exception is told in the program's words, never in the library's.
      {"std::runtime_error", [] { throw std::runtime_error("kaputt"); }, "Unerwarteter Fehler im Programm."},
      {"std::ios_base::failure", [] { throw std::ios_base::failure("basic_filebuf::underflow error"); },
       "Unerwarteter Fehler im Programm."},
      {"std::bad_alloc", [] { throw std::bad_alloc(); }, "kein Speicher"},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(Fehlermeldung(f.handlung), f.erwartet) << f.was;
    std::exception_ptr geworfen;
    try {
      f.handlung();
    } catch (...) {
      geworfen = std::current_exception();
    }
    if (geworfen) {
      EXPECT_EQ(Fehlermeldung(geworfen), f.erwartet) << f.was;
    }
  }
}

TEST(Fehlermeldung, AnythingElsePassesOn) {
  EXPECT_THROW(Fehlermeldung([] { throw 7; }), int);
  EXPECT_EQ(Fehlermeldung(std::make_exception_ptr(7)), std::nullopt);
}

}  // namespace
