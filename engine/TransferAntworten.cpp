#include "TransferAntworten.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "AntwortScanner.h"

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
  std::uint16_t gelesen = 0;
  if (!zahl.Zahl(gelesen).Ok()) return false;
  wert = gelesen;
  rest.remove_prefix(anfang + zahl.Position());
  return true;
}

void LiesBuchung(std::string_view antwort, books& buchung) {
  std::string_view rest = antwort.substr(0, antwort.find('\0'));
  struct Datumsteil {
    std::uint16_t& feld;
    std::size_t breite;
  };
  for (const Datumsteil teil : {Datumsteil{buchung.Jahr, 4}, Datumsteil{buchung.Monat, 2}, Datumsteil{buchung.Tag, 2}}) {
    if (!LiesZahlMitBreite(rest, teil.breite, teil.feld)) return;
    if (rest.empty() || rest.front() != '.') return;
    rest.remove_prefix(1);
  }
  AntwortScanner s(rest);
  s.Zahl(buchung.Stunde).Literal('.').Zahl(buchung.Minute).Literal('.').Zahl(buchung.Sekunde).Literal('.');
  s.Wort(buchung.Karte).Leerraum().Wort(buchung.Name).Leerraum();
  std::uint32_t ereignis = 0;
  if (s.Zahl(ereignis).Ok()) {
    buchung.Ereignis1 = static_cast<std::uint8_t>(ereignis & 0xFF);
    buchung.Ereignis2 = static_cast<std::uint8_t>((ereignis >> 8) & 0xFF);
  }
}
