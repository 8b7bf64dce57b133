// The summer/winter switch pairs built from the holiday table: paired within each calendar
// year in date order, a year with one switch day giving none, a year with more giving one.
#include "model/Umschaltpaare.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

Feiertagstabelle Tabelle(const std::vector<Feiertagseintrag>& eintraege) {
  Feiertagstabelle t{};
  for (std::size_t i = 0; i < eintraege.size(); ++i) t[i] = eintraege[i];
  t[eintraege.size()] = FT_ENDE;
  return t;
}

// "d.m.y d.m.y k" of each pair, as the send writes it.
std::vector<std::string> Texte(const std::vector<SWUMSCHALTUNG>& paare) {
  std::vector<std::string> texte;
  for (const SWUMSCHALTUNG& p : paare) {
    texte.push_back(std::to_string(p.Tag1) + "." + std::to_string(p.Monat1) + "." + std::to_string(p.Jahr1) + " " +
                    std::to_string(p.Tag2) + "." + std::to_string(p.Monat2) + "." + std::to_string(p.Jahr2) + " " +
                    std::to_string(p.Kennung));
  }
  return texte;
}

TEST(Umschaltpaare, TwoSwitchDaysAYearGiveOnePairAYear) {
  // Reference year 2025: 30 March and 26 October 2025, 29 March and 25 October 2026, among holidays.
  const auto t = Tabelle({0x4001, 0xC059, 0x4079, 0xC12B, 0x816D, 0xC1C5, 0x41E6, 0xC297});
  EXPECT_EQ(Texte(Umschaltpaare(t, 2025)),
            (std::vector<std::string>{"30.3.2025 26.10.2025 1", "29.3.2026 25.10.2026 1"}));
}

// Paired in table order across years, the one day of 2025 would take 2026's March day and
// shift every later pair; paired by year, 2025 gives none and the others stay right.
TEST(Umschaltpaare, AYearWithOneSwitchDayGivesNone) {
  const auto t = Tabelle({0xC059, 0xC1C5, 0xC297, 0xC331, 0xC40A});
  EXPECT_EQ(Texte(Umschaltpaare(t, 2025)),
            (std::vector<std::string>{"29.3.2026 25.10.2026 1", "28.3.2027 31.10.2027 1"}));
}

// A fetched or old table may be out of order: the pairs come from the dates, not from the
// table order, and keep the order of their years.
TEST(Umschaltpaare, AShuffledTableGivesThePairsOfItsDates) {
  const auto t = Tabelle({0xC297, 0x4001, 0xC12B, 0xC1C5, 0x816D, 0xC059, 0x41E6});
  EXPECT_EQ(Texte(Umschaltpaare(t, 2025)),
            (std::vector<std::string>{"30.3.2025 26.10.2025 1", "29.3.2026 25.10.2026 1"}));
}

// Every day of 2025 a switch day, and 2026's two in between: 2025 gives its first two days
// (1 and 2 January) and nothing more, 2026 its own pair. A day entered twice counts once.
TEST(Umschaltpaare, AYearGivesAtMostOnePair) {
  std::vector<Feiertagseintrag> eintraege{0xC1C5, 0xC297};
  for (std::uint16_t tag = 365; tag >= 1; --tag) eintraege.push_back(static_cast<Feiertagseintrag>(0xC000 | tag));
  eintraege.push_back(0xC001);
  EXPECT_EQ(Texte(Umschaltpaare(Tabelle(eintraege), 2025)),
            (std::vector<std::string>{"1.1.2025 2.1.2025 1", "29.3.2026 25.10.2026 1"}));
}

TEST(Umschaltpaare, NothingAfterTheMarkerAndNoneWithoutSwitchDays) {
  auto t = Tabelle({0x4001, 0xC059});
  t[3] = 0xC12B;  // after the marker
  EXPECT_TRUE(Umschaltpaare(t, 2025).empty());
  EXPECT_TRUE(Umschaltpaare(Tabelle({}), 2025).empty());
  // A table without marker ends after its last entry.
  Feiertagstabelle voll;
  voll.fill(0x4001);
  voll[FEIERTAGE_MAX - 2] = 0xC059;
  voll[FEIERTAGE_MAX - 1] = 0xC12B;
  EXPECT_EQ(Texte(Umschaltpaare(voll, 2025)).size(), 1U);
}

}  // namespace
