// The answer scanner and the readers built on it, over any answer text: the first byte picks
// the reader, the second a sequence of scanner parts, the rest is the answer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "link/AntwortScanner.h"
#include "link/TelegrammTexte.h"
#include "model/Records.h"

namespace {

// Word fields end in their NUL whatever the answer held.
template <std::size_t N>
void PruefeFeld(const char (&feld)[N]) {
  if (std::memchr(feld, '\0', N) == nullptr) std::abort();
}

void Scanne(std::uint8_t teile, std::string_view antwort) {
  AntwortScanner s(antwort);
  char wort[12] = {};
  std::int32_t zahl = 0;
  std::uint16_t klein = 0;
  char zeichen = 0;
  for (int i = 0; i < 8; ++i, teile = static_cast<std::uint8_t>(teile >> 1 | teile << 7)) {
    switch ((teile + i) % 5) {
      case 0: s.Zahl(zahl); break;
      case 1: s.Zahl(klein, 0, 9999); break;
      case 2: s.Wort(wort); break;
      case 3: s.Zeichen(zeichen); break;
      default: s.Leerraum(); break;
    }
  }
  PruefeFeld(wort);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 2) return 0;
  const std::string_view antwort(reinterpret_cast<const char*>(daten + 2), groesse - 2);
  switch (daten[0] % 3) {
    case 0: Scanne(daten[1], antwort); break;
    case 1: {
      books buchung{};
      LiesBuchung(antwort, buchung);
      PruefeFeld(buchung.Karte);
      PruefeFeld(buchung.Name);
      break;
    }
    default: {
      std::string_view rest = antwort;
      std::uint16_t wert = 0;
      while (LiesZahlMitBreite(rest, daten[1] % 8, wert)) {
      }
      break;
    }
  }
  return 0;
}
