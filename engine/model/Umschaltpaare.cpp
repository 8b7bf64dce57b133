#include "model/Umschaltpaare.h"

#include <optional>

#include "model/Datum.h"

std::vector<SWUMSCHALTUNG> Umschaltpaare(const Feiertagstabelle& tabelle, int bezugsjahr) {
  std::vector<SWUMSCHALTUNG> paare;
  std::optional<datum::Datum> erster;  // the first switch day of its year, still without partner
  for (const Feiertagseintrag eintrag : tabelle) {
    if (IstEndeMarke(eintrag)) break;
    if (Tagesart(eintrag) != FT_UMSCHALTTAG) continue;
    const datum::Datum tag = datum::AusTagesnummer(bezugsjahr, Tagnummer(eintrag));
    if (!erster || erster->Jahr != tag.Jahr) {
      erster = tag;
      continue;
    }
    SWUMSCHALTUNG paar;
    paar.Tag1 = static_cast<std::int16_t>(erster->Tag);
    paar.Monat1 = static_cast<std::int16_t>(erster->Monat);
    paar.Jahr1 = static_cast<std::int16_t>(erster->Jahr);
    paar.Tag2 = static_cast<std::int16_t>(tag.Tag);
    paar.Monat2 = static_cast<std::int16_t>(tag.Monat);
    paar.Jahr2 = static_cast<std::int16_t>(tag.Jahr);
    paar.Kennung = 1;
    paare.push_back(paar);
    erster.reset();
  }
  return paare;
}
