// The program's four exception classes. They share no base; Fehlermeldung is the one place
// that knows them all and gives the message (UTF-8, complete) of whichever was thrown.
#pragma once

#include <concepts>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "text/Texte.h"

struct StdError {
  std::string Meldung;
  explicit StdError(std::string text) : Meldung(std::move(text)) {}
};

// An error text followed by the port name, the IP address or an operation's suffix.
struct KommError {
  std::string Meldung;
  KommError(const std::string& a, const std::string& b) : Meldung(a + b) {}
};

// An error text followed by a file name, or unusable controller data.
struct IoError {
  std::string Meldung;
  IoError(const std::string& a, const std::string& b) : Meldung(a + b) {}
};

// A list position out of range or not present: the text directly followed by the position
// in decimal.
struct ListError {
  std::string Meldung;
  ListError(const std::string& text, int index) : Meldung(text + std::to_string(index)) {}
};

// What the user reads for any other standard exception: never the standard library's words.
inline constexpr const char* kUnerwarteterFehler = "Unerwarteter Fehler im Programm.";

// The message of the exception `fehler` holds: Meldung of the four classes above; for a
// standard exception the program's own text ("kein Speicher" when memory ran out); nothing for
// anything else.
inline std::optional<std::string> Fehlermeldung(const std::exception_ptr& fehler) {
  try {
    std::rethrow_exception(fehler);
  } catch (const StdError& e) {
    return e.Meldung;
  } catch (const KommError& e) {
    return e.Meldung;
  } catch (const IoError& e) {
    return e.Meldung;
  } catch (const ListError& e) {
    return e.Meldung;
  } catch (const std::bad_alloc&) {
    return Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher];
  } catch (const std::exception&) {
    return kUnerwarteterFehler;
  } catch (...) {
  }
  return std::nullopt;
}

// Runs `handlung`: nothing when it returns; the message when it throws one of the four classes
// or a standard exception. Anything else thrown passes on.
template <std::invocable Handlung>
std::optional<std::string> Fehlermeldung(Handlung&& handlung) {
  try {
    std::invoke(std::forward<Handlung>(handlung));
  } catch (...) {
    std::optional<std::string> meldung = Fehlermeldung(std::current_exception());
    if (!meldung) throw;
    return meldung;
  }
  return std::nullopt;
}
