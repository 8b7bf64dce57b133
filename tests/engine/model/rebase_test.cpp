// The holiday table's rebasing between reference years and the conversion of older documents.
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "model/FeiertagsRebase.h"
#include "model/Records.h"

namespace {

// A table holding `eintraege` followed by the end marker; the rest is filled with `rest`.
Feiertagstabelle Tabelle(const std::vector<std::uint16_t>& eintraege, std::uint16_t rest = 0) {
  Feiertagstabelle t;
  t.fill(rest);
  for (std::size_t i = 0; i < eintraege.size(); ++i) t[i] = eintraege[i];
  t[eintraege.size()] = FT_ENDE;
  return t;
}

// The used entries before the marker.
std::vector<std::uint16_t> Eintraege(const Feiertagstabelle& t) {
  const std::size_t ende = EndeMarkeIndex(t);
  return std::vector<std::uint16_t>(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(ende));
}

// Every entry after the marker is 0.
bool NullenNachEnde(const Feiertagstabelle& t) {
  for (std::size_t i = EndeMarkeIndex(t) + 1; i < t.size(); ++i) {
    if (t[i] != 0) return false;
  }
  return true;
}

TEST(TagesnummerAb1998, CountsFromTheLastDayOf1997) {
  struct Fall {
    std::uint16_t jahr, monat, tag;
    int erwartet;
  };
  for (const Fall& f : std::vector<Fall>{{1998, 1, 1, 1},
                                         {1997, 12, 31, 0},
                                         {1997, 1, 1, -364},
                                         {2000, 3, 1, 791},
                                         {2006, 1, 1, 2923},
                                         {2020, 6, 4, 8191},
                                         {2020, 6, 5, 8192},
                                         {2026, 1, 1, 10228},
                                         {1900, 1, 1, -35793}}) {
    EXPECT_EQ(TagesnummerAb1998(f.jahr, f.monat, f.tag), f.erwartet) << f.jahr << "-" << f.monat << "-" << f.tag;
  }
}

TEST(VerschiebeFeiertage, ForwardDropsTheYearsBeforeAndKeepsTheKinds) {
  // 1998 -> 2006: D = 2922. 31 December 2005 (day 2922) stays as day 0.
  auto t = Tabelle({FT_FEIERTAG | 359, FT_HALBER_FEIERTAG | 2917, FT_UMSCHALTTAG | 2921, FT_FEIERTAG | 2922,
                    FT_FEIERTAG | 2923, FT_SONDERTAG1 | 3000, FT_SONDERTAG2 | 3001, FT_UMSCHALTTAG | 8191});
  std::uint16_t bezug = 1998;
  VerschiebeFeiertage(t, bezug, 2006);
  EXPECT_EQ(bezug, 2006);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 0, FT_FEIERTAG | 1, FT_SONDERTAG1 | 78,
                                                      FT_SONDERTAG2 | 79, FT_UMSCHALTTAG | 5269}));
  EXPECT_EQ(t[5], FT_ENDE);
  EXPECT_TRUE(NullenNachEnde(t));
}

TEST(VerschiebeFeiertage, OnlyTheFirstEntryBeforeTheNewYearIsRemovedLikeAnyOther) {
  auto t = Tabelle({FT_FEIERTAG | 100, FT_FEIERTAG | 3000});
  std::uint16_t bezug = 1998;
  VerschiebeFeiertage(t, bezug, 2006);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 78}));
}

TEST(VerschiebeFeiertage, EqualYearsChangeNothing) {
  auto t = Tabelle({FT_FEIERTAG | 5, FT_SONDERTAG2 | 200}, 0x1234);
  const auto vorher = t;
  std::uint16_t bezug = 2010;
  VerschiebeFeiertage(t, bezug, 2010);
  EXPECT_EQ(t, vorher);
  EXPECT_EQ(bezug, 2010);
}

TEST(VerschiebeFeiertage, BackwardEndsTheTableAtTheFirstDayPast8191) {
  // 2006 -> 1998: every day number grows by 2922; 5269 becomes 8191, 5270 would be 8192.
  auto t = Tabelle({FT_FEIERTAG | 1, FT_SONDERTAG1 | 5000, FT_SONDERTAG2 | 5268, FT_UMSCHALTTAG | 5269,
                    FT_FEIERTAG | 5270, FT_FEIERTAG | 6000});
  std::uint16_t bezug = 2006;
  VerschiebeFeiertage(t, bezug, 1998);
  EXPECT_EQ(bezug, 1998);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 2923, FT_SONDERTAG1 | 7922, FT_SONDERTAG2 | 8190,
                                                      FT_UMSCHALTTAG | 8191}));
  EXPECT_EQ(t[4], FT_ENDE);
  EXPECT_TRUE(NullenNachEnde(t));
}

TEST(VerschiebeFeiertage, ASpecialDayOnDay8191WouldReadAsTheEndAndEndsTheTable) {
  // 0x6000 | 0x1FFF and 0xA000 | 0x1FFF have their low 14 bits set.
  for (const std::uint16_t art : {FT_SONDERTAG1, FT_SONDERTAG2}) {
    auto t = Tabelle({FT_FEIERTAG | 100, static_cast<std::uint16_t>(art | 5269), FT_FEIERTAG | 5269});
    std::uint16_t bezug = 2006;
    VerschiebeFeiertage(t, bezug, 1998);
    EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 3022})) << art;
    EXPECT_EQ(t[1], FT_ENDE);
  }
}

TEST(VerschiebeFeiertage, KeepsEveryDateAndOrderForRandomTables) {
  std::mt19937 zufall(20061);
  const std::uint16_t arten[] = {FT_FEIERTAG, FT_SONDERTAG1, FT_HALBER_FEIERTAG, FT_SONDERTAG2, FT_UMSCHALTTAG};
  for (int runde = 0; runde < 200; ++runde) {
    const auto von = static_cast<std::uint16_t>(1998 + zufall() % 30);
    const auto nach = static_cast<std::uint16_t>(1998 + zufall() % 30);
    std::vector<std::uint16_t> tage;
    const std::size_t anzahl = zufall() % 300;
    for (std::size_t i = 0; i < anzahl; ++i) tage.push_back(static_cast<std::uint16_t>(zufall() % 8192));
    std::sort(tage.begin(), tage.end());
    std::vector<std::uint16_t> eintraege;
    for (std::uint16_t tag : tage) {
      const auto e = static_cast<std::uint16_t>(arten[zufall() % 5] | tag);
      if (!IstEndeMarke(e)) eintraege.push_back(e);
    }
    auto t = Tabelle(eintraege);
    std::uint16_t bezug = von;
    VerschiebeFeiertage(t, bezug, nach);

    // The entries kept are exactly those whose date still has a day number 0..8191.
    const int verschiebung = TagesnummerAb1998(von, 1, 1) - TagesnummerAb1998(nach, 1, 1);
    std::vector<std::uint16_t> erwartet;
    for (std::uint16_t e : eintraege) {
      const int neu = (e & FT_TAGMASKE) + verschiebung;
      if (neu < 0) continue;
      if (neu > 8191 || IstEndeMarke(static_cast<std::uint16_t>((e & FT_ARTMASKE) | neu))) break;
      erwartet.push_back(static_cast<std::uint16_t>((e & FT_ARTMASKE) | neu));
    }
    ASSERT_EQ(Eintraege(t), erwartet) << von << " -> " << nach;
    EXPECT_EQ(bezug, nach);
  }
}

TEST(FeiertageAuf1998, ShiftsCutsAndDropsTheSpecialDays) {
  auto t = Tabelle({FT_FEIERTAG | 1, FT_SONDERTAG1 | 10, FT_HALBER_FEIERTAG | 20, FT_SONDERTAG2 | 30,
                    FT_UMSCHALTTAG | 5269, FT_FEIERTAG | 5270});
  std::uint16_t bezug = 2006;
  FeiertageAuf1998(t, bezug);
  EXPECT_EQ(bezug, 1998);
  EXPECT_EQ(Eintraege(t),
            (std::vector<std::uint16_t>{FT_FEIERTAG | 2923, FT_HALBER_FEIERTAG | 2942, FT_UMSCHALTTAG | 8191}));
  EXPECT_TRUE(NullenNachEnde(t));

  // The way back after the send: the days before 2006 are gone, the rest is where it was.
  VerschiebeFeiertage(t, bezug, 2006);
  EXPECT_EQ(Eintraege(t),
            (std::vector<std::uint16_t>{FT_FEIERTAG | 1, FT_HALBER_FEIERTAG | 20, FT_UMSCHALTTAG | 5269}));
}

TEST(FeiertageAuf1998, AReferenceYearBefore1998DropsTheEarlierDays) {
  auto t = Tabelle({FT_FEIERTAG | 100, FT_FEIERTAG | 400});
  std::uint16_t bezug = 1997;
  FeiertageAuf1998(t, bezug);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 35}));
}

TEST(KonvertiereFeiertage, OlderCountingLosesIts1997Days) {
  auto t = Tabelle({FT_FEIERTAG | 300, FT_FEIERTAG | 365, FT_FEIERTAG | 400});
  KonvertiereFeiertage(t, false, 0);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 1, FT_FEIERTAG | 36}));
  EXPECT_TRUE(NullenNachEnde(t));
}

TEST(KonvertiereFeiertage, EndsTheTableAtTheFirstDayThatKeepsBit13) {
  // Old day 8556 becomes 8192 (bit 13); old day 8555 becomes 8191.
  auto t = Tabelle({FT_HALBER_FEIERTAG | 364, FT_UMSCHALTTAG | 8555, FT_FEIERTAG | 8556, FT_FEIERTAG | 9000});
  KonvertiereFeiertage(t, false, 0);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_UMSCHALTTAG | 8191}));
  EXPECT_TRUE(NullenNachEnde(t));
}

TEST(KonvertiereFeiertage, ATaggedDocumentIsOnlyCutUnlessForced) {
  auto t = Tabelle({FT_FEIERTAG | 300, FT_FEIERTAG | 400, FT_SONDERTAG1 | 500});
  KonvertiereFeiertage(t, true, 0);
  EXPECT_EQ(Eintraege(t), (std::vector<std::uint16_t>{FT_FEIERTAG | 300, FT_FEIERTAG | 400}));

  auto erzwungen = Tabelle({FT_FEIERTAG | 300, FT_FEIERTAG | 400});
  KonvertiereFeiertage(erzwungen, true, 1);
  EXPECT_EQ(Eintraege(erzwungen), (std::vector<std::uint16_t>{FT_FEIERTAG | 36}));
}

TEST(FeiertagsEnde, AnyEntryWithItsLow14BitsSetEndsTheTable) {
  auto t = Tabelle({FT_FEIERTAG | 10, 0x7FFF, FT_FEIERTAG | 20});
  t[3] = FT_ENDE;
  std::uint16_t bezug = 2006;
  VerschiebeFeiertage(t, bezug, 2007);  // D = 365: day 10 goes
  EXPECT_EQ(t[0], 0x7FFF);
}

TEST(FeiertagsEnde, AFullTableWithoutMarkerGetsOneInItsLastEntry) {
  Feiertagstabelle t;
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<std::uint16_t>(FT_FEIERTAG | (i % 8000));
  std::uint16_t bezug = 2006;
  VerschiebeFeiertage(t, bezug, 2006);
  EXPECT_EQ(EndeMarkeIndex(t), t.size() - 1);
  EXPECT_EQ(t[t.size() - 1], FT_ENDE);
}

}  // namespace
