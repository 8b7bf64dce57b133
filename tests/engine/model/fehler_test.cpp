// The one way from an exception to its message: every class of the program and every standard
// exception gives its text, a return gives nothing, anything else passes on.
#include "model/Fehler.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

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
      {"IoError", [] { throw IoError("Fehler beim \xC3\x96" "ffnen der Datei", "/x.wuz"); },
       "Fehler beim \xC3\x96" "ffnen der Datei/x.wuz"},
      {"ListError", [] { throw ListError(" Element not found ", 4); }, " Element not found 4"},
      {"std::runtime_error", [] { throw std::runtime_error("kaputt"); }, "kaputt"},
      {"std::bad_alloc", [] { throw std::bad_alloc(); }, "std::bad_alloc"},
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
