#include "link/TelegrammTexte.h"

#include <cstdarg>
#include <cstdio>
#include <limits>
#include <vector>

#include "link/AntwortScanner.h"

std::string Formatiert(const char* format, ...) {
  std::va_list argumente;
  va_start(argumente, format);
  std::va_list kopie;
  va_copy(kopie, argumente);
  const int laenge = std::vsnprintf(nullptr, 0, format, kopie);
  va_end(kopie);
  std::string text;
  if (laenge > 0) {
    std::vector<char> puffer(static_cast<std::size_t>(laenge) + 1);
    std::vsnprintf(puffer.data(), puffer.size(), format, argumente);
    text.assign(puffer.data(), static_cast<std::size_t>(laenge));
  }
  va_end(argumente);
  return text;
}

bool LiesZahlMitBreite(std::string_view& rest, std::size_t breite, std::uint16_t& wert) {
  std::size_t anfang = 0;
  while (anfang < rest.size() && IstLeerraum(rest[anfang])) ++anfang;
  AntwortScanner zahl(rest.substr(anfang, breite));
  std::int32_t gelesen = 0;
  if (!zahl.Zahl(gelesen).Ok()) return false;
  // The fields are 16 bits wide: a negative or larger number keeps its low 16 bits.
  wert = static_cast<std::uint16_t>(gelesen);
  rest.remove_prefix(anfang + zahl.Position());
  return true;
}

void LiesBuchung(std::string_view antwort, books& buchung) {
  std::string_view rest = antwort.substr(0, antwort.find('\0'));
  struct Datumsteil {
    std::uint16_t& feld;
    std::size_t breite;
  };
  constexpr std::size_t kOhneBreite = std::string_view::npos;
  for (const Datumsteil teil : {Datumsteil{buchung.Jahr, 4}, Datumsteil{buchung.Monat, 2}, Datumsteil{buchung.Tag, 2},
                                Datumsteil{buchung.Stunde, kOhneBreite}, Datumsteil{buchung.Minute, kOhneBreite},
                                Datumsteil{buchung.Sekunde, kOhneBreite}}) {
    if (!LiesZahlMitBreite(rest, teil.breite, teil.feld)) return;
    if (rest.empty() || rest.front() != '.') return;
    rest.remove_prefix(1);
  }
  AntwortScanner s(rest);
  s.Wort(buchung.Karte).Leerraum().Wort(buchung.Name).Leerraum();
  // "%u" takes a sign too: a negative number counts modulo 2^32.
  constexpr std::int64_t kGrenze = std::numeric_limits<std::uint32_t>::max();
  std::int64_t ereignis = 0;
  if (s.Zahl(ereignis, -kGrenze, kGrenze).Ok()) {
    const auto e = static_cast<std::uint32_t>(ereignis);
    buchung.Ereignis1 = static_cast<std::uint8_t>(e & 0xFF);
    buchung.Ereignis2 = static_cast<std::uint8_t>((e >> 8) & 0xFF);
  }
}
