// Setting the kind of one day in the holiday table: insertion at the sorted place, a change
// of the kind only, removal of every entry of the day, and a full table.
#include "model/Feiertagsart.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

Feiertagstabelle Tabelle(const std::vector<Feiertagseintrag>& eintraege) {
  Feiertagstabelle t{};
  for (std::size_t i = 0; i < eintraege.size(); ++i) t[i] = eintraege[i];
  t[eintraege.size()] = FT_ENDE;
  return t;
}

std::vector<Feiertagseintrag> Eintraege(const Feiertagstabelle& t) {
  return std::vector<Feiertagseintrag>(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(EndeMarkeIndex(t)));
}

TEST(Feiertagsart, AHolidayOnAnEmptyDayIsInsertedAtItsSortedPlace) {
  struct Fall {
    std::uint16_t nummer;
    std::vector<Feiertagseintrag> erwartet;
  };
  for (const Fall& f : {Fall{5, {0x4005, 0x4010, 0x8020}}, Fall{0x15, {0x4010, 0x4015, 0x8020}},
                        Fall{0x30, {0x4010, 0x8020, 0x4030}}}) {
    auto t = Tabelle({0x4010, 0x8020});
    EXPECT_EQ(SetzeFeiertagsart(t, f.nummer, FT_FEIERTAG), Tagesaenderung::Geaendert);
    EXPECT_EQ(Eintraege(t), f.erwartet) << f.nummer;
    EXPECT_EQ(t[3], FT_ENDE);
  }
  auto leer = Tabelle({});
  EXPECT_EQ(SetzeFeiertagsart(leer, 0x59, FT_UMSCHALTTAG), Tagesaenderung::Geaendert);
  EXPECT_EQ(Eintraege(leer), (std::vector<Feiertagseintrag>{0xC059}));
}

TEST(Feiertagsart, AnotherKindChangesOnlyTheKindOfTheDaysLastEntry) {
  auto t = Tabelle({0x4010, 0x407A, 0x407A, 0x8090});
  EXPECT_EQ(SetzeFeiertagsart(t, 0x10, FT_HALBER_FEIERTAG), Tagesaenderung::Geaendert);
  EXPECT_EQ(SetzeFeiertagsart(t, 0x7A, FT_SONDERTAG2), Tagesaenderung::Geaendert);
  EXPECT_EQ(Eintraege(t), (std::vector<Feiertagseintrag>{0x8010, 0x407A, 0xA07A, 0x8090}));
  EXPECT_EQ(SetzeFeiertagsart(t, 0x90, FT_HALBER_FEIERTAG), Tagesaenderung::Unveraendert);
}

TEST(Feiertagsart, ANormalDayRemovesEveryEntryOfTheDay) {
  auto t = Tabelle({0x4010, 0x407A, 0x407A, 0x8090});
  EXPECT_EQ(SetzeFeiertagsart(t, 0x7A, 0), Tagesaenderung::Geaendert);
  EXPECT_EQ(Eintraege(t), (std::vector<Feiertagseintrag>{0x4010, 0x8090}));
  EXPECT_EQ(t[2], FT_ENDE);
  EXPECT_EQ(t[3], 0);
  const auto vorher = t;
  EXPECT_EQ(SetzeFeiertagsart(t, 0x11, 0), Tagesaenderung::Unveraendert);
  EXPECT_EQ(t, vorher);
}

// The marker in the last place: no new entry, but the days that have one can still change.
TEST(Feiertagsart, AFullTableRefusesANewEntry) {
  Feiertagstabelle t;
  for (std::size_t i = 0; i + 1 < FEIERTAGE_MAX; ++i) t[i] = static_cast<Feiertagseintrag>(FT_FEIERTAG | (2 * i + 2));
  t[FEIERTAGE_MAX - 1] = FT_ENDE;
  const auto vorher = t;
  EXPECT_EQ(SetzeFeiertagsart(t, 3, FT_FEIERTAG), Tagesaenderung::Voll);
  EXPECT_EQ(t, vorher);
  EXPECT_EQ(SetzeFeiertagsart(t, 4, FT_HALBER_FEIERTAG), Tagesaenderung::Geaendert);
  EXPECT_EQ(t[1], FT_HALBER_FEIERTAG | 4);
  EXPECT_EQ(SetzeFeiertagsart(t, 4, 0), Tagesaenderung::Geaendert);
  EXPECT_EQ(t[FEIERTAGE_MAX - 2], FT_ENDE);
  EXPECT_EQ(SetzeFeiertagsart(t, 3, FT_FEIERTAG), Tagesaenderung::Geaendert);
  EXPECT_EQ(t[1], FT_FEIERTAG | 3);
}

}  // namespace
