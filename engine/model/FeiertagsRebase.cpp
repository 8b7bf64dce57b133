#include "model/FeiertagsRebase.h"

#include <algorithm>
#include <cstdint>

#include "model/Datum.h"

namespace {

// Removes every entry before the marker for which `weg` holds; the marker and the entries
// after it move down, the freed entries at the end become 0.
template <typename Weg>
void Entferne(Feiertagstabelle& tabelle, Weg weg) {
  const std::size_t ende = SichereFeiertagsEnde(tabelle);
  std::size_t ziel = 0;
  for (std::size_t i = 0; i < ende; ++i) {
    if (!weg(i, tabelle[i])) tabelle[ziel++] = tabelle[i];
  }
  if (ziel == ende) return;
  for (std::size_t i = ende; i < FEIERTAGE_MAX; ++i) tabelle[ziel++] = tabelle[i];
  std::fill(tabelle.begin() + static_cast<std::ptrdiff_t>(ziel), tabelle.end(), std::uint16_t{0});
}

// Ends the table at position `position`: it and every later entry become 0, the marker stands there.
void SchneideAb(Feiertagstabelle& tabelle, std::size_t position) {
  std::fill(tabelle.begin() + static_cast<std::ptrdiff_t>(position), tabelle.end(), std::uint16_t{0});
  tabelle[position] = FT_ENDE;
}

// Adds `verschiebung` days to every entry before the marker. Moving back (negative) first drops
// the last entry that lies before the new day 0 and every entry before it, so no kept day number
// goes below 0; moving forward ends the table at the first entry that would pass day 8191
// (or, as a special day on day 8191, would read as the end marker).
// The kind bits of every kept entry stay as they are.
void Verschiebe(Feiertagstabelle& tabelle, std::int64_t verschiebung) {
  if (verschiebung < 0) {
    const std::int64_t abstand = -verschiebung;
    const std::size_t ende = SichereFeiertagsEnde(tabelle);
    std::size_t anzahlWeg = 0;
    for (std::size_t i = 0; i < ende; ++i) {
      if ((tabelle[i] & FT_TAGMASKE) < abstand) anzahlWeg = i + 1;
    }
    Entferne(tabelle, [anzahlWeg](std::size_t i, std::uint16_t) { return i < anzahlWeg; });
    const std::size_t rest = SichereFeiertagsEnde(tabelle);
    for (std::size_t i = 0; i < rest; ++i) tabelle[i] = static_cast<std::uint16_t>(tabelle[i] - abstand);
  } else if (verschiebung > 0) {
    const std::size_t ende = SichereFeiertagsEnde(tabelle);
    for (std::size_t i = 0; i < ende; ++i) {
      const std::int64_t tag = (tabelle[i] & FT_TAGMASKE) + verschiebung;
      const auto neu = static_cast<std::uint16_t>((tabelle[i] & FT_ARTMASKE) | (tag & FT_TAGMASKE));
      // A special day on day 8191 would read as the end marker: it does not fit either.
      if (tag > FT_TAGMASKE || IstEndeMarke(neu)) {
        SchneideAb(tabelle, i);
        return;
      }
      tabelle[i] = neu;
    }
  }
}

}  // namespace

std::size_t SichereFeiertagsEnde(Feiertagstabelle& tabelle) {
  for (std::size_t i = 0; i < FEIERTAGE_MAX; ++i) {
    if (IstEndeMarke(tabelle[i])) return i;
  }
  tabelle[FEIERTAGE_MAX - 1] = FT_ENDE;
  return FEIERTAGE_MAX - 1;
}

int TagesnummerAb1998(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag) {
  return static_cast<int>(datum::Tagesnummer(1998, jahr, monat, tag));
}

void VerschiebeFeiertage(Feiertagstabelle& tabelle, std::uint16_t& bezugsjahr, std::uint16_t aktuellesJahr) {
  SichereFeiertagsEnde(tabelle);
  Verschiebe(tabelle,
             static_cast<std::int64_t>(TagesnummerAb1998(bezugsjahr, 1, 1)) - TagesnummerAb1998(aktuellesJahr, 1, 1));
  bezugsjahr = aktuellesJahr;
}

void FeiertageAuf1998(Feiertagstabelle& tabelle, std::uint16_t& bezugsjahr) {
  SichereFeiertagsEnde(tabelle);
  Verschiebe(tabelle, static_cast<std::int64_t>(TagesnummerAb1998(bezugsjahr, 1, 1)) - TagesnummerAb1998(1998, 1, 1));
  bezugsjahr = 1998;
  Entferne(tabelle, [](std::size_t, std::uint16_t eintrag) {
    const std::uint16_t art = eintrag & FT_ARTMASKE;
    return art == FT_SONDERTAG1 || art == FT_SONDERTAG2;
  });
}

void KonvertiereFeiertage(Feiertagstabelle& tabelle, bool version2, std::uint8_t erzwingen) {
  std::size_t ende = SichereFeiertagsEnde(tabelle);
  if (!version2 || erzwingen == 1) {
    // The older counting has its kinds in bits 14 and 15 and its day numbers below them; day
    // 365 is 1 January 1998. Every entry that is not a day of 1997 lies at least one day past
    // the shift, so the subtraction never reaches the kind bits.
    std::size_t anzahlWeg = 0;
    for (std::size_t i = 0; i < ende; ++i) {
      if ((tabelle[i] & 0x3FFF) < 365) {
        anzahlWeg = i + 1;
      } else {
        tabelle[i] = static_cast<std::uint16_t>(tabelle[i] - 364);
      }
    }
    Entferne(tabelle, [anzahlWeg](std::size_t i, std::uint16_t) { return i < anzahlWeg; });
    ende = SichereFeiertagsEnde(tabelle);
  }
  for (std::size_t i = 0; i < ende; ++i) {
    if ((tabelle[i] & 0x2000) != 0) {
      SchneideAb(tabelle, i);
      return;
    }
  }
}
