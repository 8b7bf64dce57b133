#include "model/Kalenderjahr.h"

#include <algorithm>

#include "model/Datum.h"
#include "model/Fehler.h"

namespace {

// Table kind of each grid kind.
constexpr Feiertagseintrag kTabellenArten[] = {
    0, FT_FEIERTAG, FT_HALBER_FEIERTAG, FT_UMSCHALTTAG, FT_SONDERTAG1, FT_SONDERTAG2};

bool ImRaster(int monat, int tag) { return monat >= 1 && monat <= 12 && tag >= 1 && tag <= 31; }

}  // namespace

Feiertagseintrag TabellenArt(int tagesart) {
  return tagesart >= 0 && tagesart <= TA_SONDERTAG2 ? kTabellenArten[tagesart] : 0;
}

CJulian::CJulian(std::int16_t jahr) { SetJahr(jahr); }

void CJulian::SetJahr(std::int16_t jahr) {
  Jahr = jahr;
  Schaltjahr = datum::IstSchaltjahr(jahr);
  std::fill(&Raster[0][0], &Raster[0][0] + sizeof Raster, std::uint8_t{0});
  AnzahlUmschaltungen = 0;
}

int CJulian::Wochentag(int monat, int tag) const {
  if (!datum::IstDatum(Jahr, monat, tag)) throw StdError("Ungültiges Datum");
  return datum::Wochentag(Jahr, monat, tag);
}

std::int32_t CJulian::Tagesnummer(int monat, int tag) const {
  if (!datum::IstDatum(Jahr, monat, tag)) throw StdError("Ungültiges Datum");
  return static_cast<std::int32_t>(datum::Tagesnummer(Bezugsjahr, Jahr, monat, tag));
}

void CJulian::MonatTag(std::int32_t nummer, int& monat, int& tag) const {
  int jahr = 0;
  Datum(nummer, jahr, monat, tag);
}

void CJulian::Datum(std::int32_t nummer, int& jahr, int& monat, int& tag) const {
  const datum::Datum d = datum::AusTagesnummer(Bezugsjahr, nummer);
  jahr = d.Jahr;
  monat = d.Monat;
  tag = d.Tag;
}

void CJulian::SetTagesart(int monat, int tag, Feiertagseintrag art) {
  if (!ImRaster(monat, tag)) return;
  const auto* gefunden = std::find(std::begin(kTabellenArten), std::end(kTabellenArten), art);
  if (gefunden == std::end(kTabellenArten)) return;
  std::uint8_t& zelle = Raster[monat][tag];
  const auto neu = static_cast<std::uint8_t>(gefunden - std::begin(kTabellenArten));
  if (zelle == TA_UMSCHALTTAG) --AnzahlUmschaltungen;
  if (neu == TA_UMSCHALTTAG) ++AnzahlUmschaltungen;
  zelle = neu;
}

std::uint8_t CJulian::Tagesart(int monat, int tag) const {
  return ImRaster(monat, tag) ? Raster[monat][tag] : TA_NORMAL;
}

int CJulian::Monatslaenge(int monat) const { return datum::Monatslaenge(Jahr, monat); }
