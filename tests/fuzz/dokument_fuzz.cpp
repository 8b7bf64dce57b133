// The document loader, both layouts. A document that loads saves to bytes that load again and
// save to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "document/Steuerung.h"
#include "model/Fehler.h"

#include "FuzzUmgebung.h"

namespace {

std::string Inhalt(const std::string& pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(datei), std::istreambuf_iterator<char>());
}

// Loads `pfad` into a fresh document and saves it as `ziel`; false when it did not load.
bool LadeUndSpeichere(const std::string& pfad, const std::string& ziel) {
  TSteuerung s(2026, fuzz::Ordner());
  try {
    if (!s.Load(pfad)) return false;
  } catch (const StdError&) {
    return false;
  } catch (const IoError&) {
    return false;
  } catch (const ListError&) {
    return false;
  }
  s.Save(ziel);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  fuzz::InstalliereSchnellePlattform();
  const std::string pfad = fuzz::SchreibeDatei("eingabe.wuz", std::span(daten, groesse));
  std::remove((fuzz::Ordner() + "eingabe.bks").c_str());
  const std::string erste = fuzz::Ordner() + "erste.wuz";
  const std::string zweite = fuzz::Ordner() + "zweite.wuz";
  if (!LadeUndSpeichere(pfad, erste)) return 0;
  if (!LadeUndSpeichere(erste, zweite) || Inhalt(erste) != Inhalt(zweite)) {
    std::fputs("a saved document does not load to the same document\n", stderr);
    std::abort();
  }
  return 0;
}
