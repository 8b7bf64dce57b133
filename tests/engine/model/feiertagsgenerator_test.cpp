// The holiday generator: Easter, Repentance Day and the switch Sundays, the generated tables
// entry by entry, and the years it refuses.
#include "model/Feiertagsgenerator.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<Feiertagseintrag> Eintraege(const Feiertagstabelle& t) {
  return std::vector<Feiertagseintrag>(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(EndeMarkeIndex(t)));
}

Feiertagsauswahl Nichts() {
  Feiertagsauswahl a;
  a.OsternPfingsten = a.ChristiHimmelfahrt = a.Maifeiertag = a.DeutscheEinheit = a.Weihnachten = a.SilvesterNeujahr =
      a.SommerWinter = false;
  return a;
}

Feiertagsauswahl Alles() {
  Feiertagsauswahl a;
  a.HeiligeDreiKoenige = a.Fronleichnam = a.MariaeHimmelfahrt = a.Reformationstag = a.Allerheiligen = a.BussUndBettag =
      true;
  return a;
}

TEST(Feiertagsgenerator, EasterSundays) {
  struct Fall {
    int jahr, monat, tag;
  };
  for (const Fall f : {Fall{2024, 3, 31}, Fall{2025, 4, 20}, Fall{1981, 4, 19}, Fall{1954, 4, 18}, Fall{2008, 3, 23},
                       Fall{2019, 4, 21}, Fall{2038, 4, 25}, Fall{1818, 3, 22}, Fall{2285, 3, 22}}) {
    EXPECT_EQ(Osterdatum(f.jahr), (datum::Datum{f.jahr, f.monat, f.tag})) << f.jahr;
  }
}

TEST(Feiertagsgenerator, RepentanceDaysAndSwitchSundays) {
  EXPECT_EQ(BussUndBettag(2023), (datum::Datum{2023, 11, 22}));
  EXPECT_EQ(BussUndBettag(2024), (datum::Datum{2024, 11, 20}));
  EXPECT_EQ(BussUndBettag(2025), (datum::Datum{2025, 11, 19}));
  EXPECT_EQ(LetzterSonntag(2025, 3), (datum::Datum{2025, 3, 30}));
  EXPECT_EQ(LetzterSonntag(2025, 10), (datum::Datum{2025, 10, 26}));
  EXPECT_EQ(LetzterSonntag(2024, 3), (datum::Datum{2024, 3, 31}));
  EXPECT_EQ(LetzterSonntag(2021, 10), (datum::Datum{2021, 10, 31}));
}

TEST(Feiertagsgenerator, DefaultBoxesFor2025) {
  Feiertagstabelle t;
  t.fill(0x4444);
  EXPECT_EQ(ErzeugeFeiertage(t, 2025, 2025, 2025, Feiertagsauswahl{}), Jahrespruefung::Ok);
  EXPECT_EQ(Eintraege(t), (std::vector<Feiertagseintrag>{0x4001, 0xC059, 0x406C, 0x406F, 0x4079, 0x4095, 0x40A0, 0x4114,
                                                         0xC12B, 0x8166, 0x4167, 0x4168, 0x816D}));
  EXPECT_EQ(t[13], FT_ENDE);
  for (std::size_t i = 14; i < FEIERTAGE_MAX; ++i) ASSERT_EQ(t[i], 0) << i;
}

TEST(Feiertagsgenerator, AscensionDayOnTheFirstOfMay2008GivesTwoEntries) {
  Feiertagstabelle t{};
  Feiertagsauswahl a = Nichts();
  a.Maifeiertag = a.ChristiHimmelfahrt = true;
  ASSERT_EQ(ErzeugeFeiertage(t, 2008, 2008, 2008, a), Jahrespruefung::Ok);
  EXPECT_EQ(Eintraege(t), (std::vector<Feiertagseintrag>{0x407A, 0x407A}));
}

TEST(Feiertagsgenerator, TheSwitchDayStandsBeforeReformationDayOfTheSameDay) {
  Feiertagstabelle t{};
  Feiertagsauswahl a = Nichts();
  a.Reformationstag = a.SommerWinter = true;
  ASSERT_EQ(ErzeugeFeiertage(t, 2021, 2021, 2021, a), Jahrespruefung::Ok);
  EXPECT_EQ(Eintraege(t), (std::vector<Feiertagseintrag>{0xC057, 0xC130, 0x4130}));
}

TEST(Feiertagsgenerator, OnlyTheSwitchBoxGivesTwoSwitchDays) {
  Feiertagstabelle t{};
  Feiertagsauswahl a = Nichts();
  a.SommerWinter = true;
  ASSERT_EQ(ErzeugeFeiertage(t, 2025, 2025, 2025, a), Jahrespruefung::Ok);
  EXPECT_EQ(Eintraege(t), (std::vector<Feiertagseintrag>{0xC059, 0xC12B}));
}

// Every box over the widest range: 19 entries a year, sorted, each year's days in its year.
TEST(Feiertagsgenerator, AllBoxesOverNineteenYears) {
  Feiertagstabelle t{};
  ASSERT_EQ(ErzeugeFeiertage(t, 2025, 2025, 2043, Alles()), Jahrespruefung::Ok);
  const std::vector<Feiertagseintrag> e = Eintraege(t);
  ASSERT_EQ(e.size(), 361U);
  for (std::size_t i = 1; i < e.size(); ++i) ASSERT_LE(Tagnummer(e[i - 1]), Tagnummer(e[i])) << i;
  for (std::size_t i = 0; i < e.size(); ++i) {
    const datum::Datum d = datum::AusTagesnummer(2025, Tagnummer(e[i]));
    ASSERT_EQ(d.Jahr, 2025 + static_cast<int>(i / 19)) << i;
  }
  // 2025 in full: with Epiphany, Corpus Christi, Assumption, Reformation, All Saints, Repentance.
  EXPECT_EQ(
      std::vector<Feiertagseintrag>(e.begin(), e.begin() + 19),
      (std::vector<Feiertagseintrag>{0x4001, 0x4006, 0xC059, 0x406C, 0x406F, 0x4079, 0x4095, 0x40A0, 0x40AA, 0x40E3,
                                     0x4114, 0xC12B, 0x4130, 0x4131, 0x4143, 0x8166, 0x4167, 0x4168, 0x816D}));
}

TEST(Feiertagsgenerator, RefusedYearsLeaveTheTableAlone) {
  struct Fall {
    int von, bis;
    Jahrespruefung erwartet;
  };
  for (const Fall f : {Fall{2027, 2026, Jahrespruefung::VonNachBis}, Fall{2024, 2025, Jahrespruefung::AusserBereich},
                       Fall{2040, 2047, Jahrespruefung::AusserBereich}, Fall{2025, 2046, Jahrespruefung::Ok}}) {
    EXPECT_EQ(PruefeJahre(2025, f.von, f.bis), f.erwartet) << f.von << ".." << f.bis;
    if (f.erwartet == Jahrespruefung::Ok) continue;
    Feiertagstabelle t{};
    t[0] = 0x4005;
    t[1] = FT_ENDE;
    const Feiertagstabelle vorher = t;
    EXPECT_EQ(ErzeugeFeiertage(t, 2025, f.von, f.bis, Feiertagsauswahl{}), f.erwartet);
    EXPECT_EQ(t, vorher);
  }
}

}  // namespace
