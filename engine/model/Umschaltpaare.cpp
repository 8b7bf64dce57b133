#include "model/Umschaltpaare.h"

#include <algorithm>
#include <cstdint>

#include "model/Datum.h"

std::vector<SWUMSCHALTUNG> Umschaltpaare(const Feiertagstabelle& tabelle, int bezugsjahr) {
  // A fetched or old table need not be in order nor hold at most two switch days a year:
  // the days are taken in date order, each day once.
  std::vector<std::uint16_t> tage;
  for (const Feiertagseintrag eintrag : tabelle) {
    if (IstEndeMarke(eintrag)) break;
    if (Tagesart(eintrag) == FT_UMSCHALTTAG) tage.push_back(Tagnummer(eintrag));
  }
  std::sort(tage.begin(), tage.end());
  tage.erase(std::unique(tage.begin(), tage.end()), tage.end());

  std::vector<SWUMSCHALTUNG> paare;
  for (std::size_t i = 0; i + 1 < tage.size();) {
    const datum::Datum erster = datum::AusTagesnummer(bezugsjahr, tage[i]);
    const datum::Datum zweiter = datum::AusTagesnummer(bezugsjahr, tage[i + 1]);
    if (zweiter.Jahr == erster.Jahr) {
      SWUMSCHALTUNG paar;
      paar.Tag1 = static_cast<std::int16_t>(erster.Tag);
      paar.Monat1 = static_cast<std::int16_t>(erster.Monat);
      paar.Jahr1 = static_cast<std::int16_t>(erster.Jahr);
      paar.Tag2 = static_cast<std::int16_t>(zweiter.Tag);
      paar.Monat2 = static_cast<std::int16_t>(zweiter.Monat);
      paar.Jahr2 = static_cast<std::int16_t>(zweiter.Jahr);
      paar.Kennung = 1;
      paare.push_back(paar);
    }
    // On to the first switch day of a later year: a year gives at most one pair.
    while (i < tage.size() && datum::AusTagesnummer(bezugsjahr, tage[i]).Jahr == erster.Jahr) ++i;
  }
  return paare;
}
