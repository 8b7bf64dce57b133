#include "model/Feiertagsart.h"

Tagesaenderung SetzeFeiertagsart(Feiertagstabelle& tabelle, std::uint16_t nummer, Feiertagseintrag art) {
  const std::size_t ende = EndeMarkeIndex(tabelle);
  if (art == 0) {
    bool entfernt = false;
    for (std::size_t i = ende; i-- > 0;) {
      if (Tagnummer(tabelle[i]) == nummer && EntferneFeiertag(tabelle, i)) entfernt = true;
    }
    return entfernt ? Tagesaenderung::Geaendert : Tagesaenderung::Unveraendert;
  }
  const auto neu = static_cast<Feiertagseintrag>(nummer | art);
  std::size_t einfuegen = ende;
  for (std::size_t i = ende; i-- > 0;) {
    const std::uint16_t tag = Tagnummer(tabelle[i]);
    if (tag == nummer) {
      if (tabelle[i] == neu) return Tagesaenderung::Unveraendert;
      tabelle[i] = neu;
      return Tagesaenderung::Geaendert;
    }
    if (tag < nummer) break;
    einfuegen = i;
  }
  return FuegeFeiertagEin(tabelle, einfuegen, neu) ? Tagesaenderung::Geaendert : Tagesaenderung::Voll;
}
