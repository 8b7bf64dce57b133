// The calendar year of the holiday calendar: day numbers, dates and weekdays against the
// library calendar for the nineteen years a document shows, the grid of day kinds and the
// switch-day count.
#include "model/Kalenderjahr.h"

#include <chrono>
#include <cstring>
#include <tuple>

#include <gtest/gtest.h>

#include "model/Fehler.h"

namespace {

namespace chr = std::chrono;

class KalenderjahrGegenBibliothek : public ::testing::TestWithParam<int> {};

// Every day of the reference year and the 18 years after it.
TEST_P(KalenderjahrGegenBibliothek, EveryDayOfNineteenYears) {
  const int bezug = GetParam();
  const chr::sys_days nullTag{chr::year{bezug - 1} / chr::December / chr::day{31}};
  for (int jahr = bezug; jahr <= bezug + 18; ++jahr) {
    CJulian k(static_cast<std::int16_t>(jahr));
    k.SetBezugsjahr(static_cast<std::int16_t>(bezug));
    EXPECT_EQ(k.Schaltjahr, chr::year{jahr}.is_leap()) << jahr;
    for (int monat = 1; monat <= 12; ++monat) {
      const chr::year_month_day_last letzter{chr::year{jahr} / chr::month{static_cast<unsigned>(monat)} / chr::last};
      ASSERT_EQ(k.Monatslaenge(monat), static_cast<int>(static_cast<unsigned>(letzter.day())));
      for (int tag = 1; tag <= k.Monatslaenge(monat); ++tag) {
        const chr::sys_days t{chr::year{jahr} / chr::month{static_cast<unsigned>(monat)} /
                              chr::day{static_cast<unsigned>(tag)}};
        const auto nummer = static_cast<std::int32_t>((t - nullTag).count());
        ASSERT_EQ(k.Tagesnummer(monat, tag), nummer) << jahr << "-" << monat << "-" << tag;
        ASSERT_EQ(k.Wochentag(monat, tag), static_cast<int>(chr::weekday{t}.c_encoding()) + 1);
        int j = 0, m = 0, d = 0;
        k.Datum(nummer, j, m, d);
        ASSERT_EQ(std::tie(j, m, d), std::tie(jahr, monat, tag));
        m = d = 0;
        k.MonatTag(nummer, m, d);
        ASSERT_EQ(std::tie(m, d), std::tie(monat, tag));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Bezugsjahre, KalenderjahrGegenBibliothek, ::testing::Values(2024, 2025, 2090),
                         [](const auto& info) { return "ab" + std::to_string(info.param); });

TEST(Kalenderjahr, ReferenceYear2024) {
  CJulian k(2024);
  k.SetBezugsjahr(2024);
  EXPECT_EQ(k.Tagesnummer(1, 1), 1);
  EXPECT_EQ(k.Tagesnummer(12, 31), 366);
  EXPECT_EQ(k.Tagesnummer(2, 29), 60);
  k.SetJahr(2025);
  EXPECT_EQ(k.Tagesnummer(1, 1), 367);
  int j = 0, m = 0, d = 0;
  k.Datum(367, j, m, d);
  EXPECT_EQ(std::tie(j, m, d), std::make_tuple(2025, 1, 1));
  EXPECT_THROW(k.Tagesnummer(2, 29), StdError);
  EXPECT_THROW(k.Wochentag(2, 29), StdError);
  EXPECT_THROW(k.Tagesnummer(4, 31), StdError);
  EXPECT_THROW(k.Wochentag(13, 1), StdError);
}

TEST(Kalenderjahr, LeapYearsByTheFullRule) {
  for (const auto& [jahr, schalt] : {std::pair{2000, true}, std::pair{2024, true}, std::pair{2028, true},
                                     std::pair{2025, false}, std::pair{2100, false}, std::pair{1900, false}}) {
    EXPECT_EQ(CJulian(static_cast<std::int16_t>(jahr)).Schaltjahr, schalt) << jahr;
  }
}

TEST(Kalenderjahr, KindsOfTheGridByTableKind) {
  struct Fall {
    Feiertagseintrag art;
    std::uint8_t zelle;
  };
  for (const Fall f :
       {Fall{0x0000, 0}, Fall{0x4000, 1}, Fall{0x8000, 2}, Fall{0xC000, 3}, Fall{0x6000, 4}, Fall{0xA000, 5}}) {
    CJulian k(2025);
    k.SetTagesart(5, 1, FT_FEIERTAG);
    k.SetTagesart(5, 1, f.art);
    EXPECT_EQ(k.Raster[5][1], f.zelle) << f.art;
    EXPECT_EQ(k.Tagesart(5, 1), f.zelle);
    EXPECT_EQ(TabellenArt(f.zelle), f.art);
  }
  // Other values change nothing.
  for (const Feiertagseintrag art : {0x2000, 0xE000, 0x4001, 0x3FFF}) {
    CJulian k(2025);
    k.SetTagesart(5, 1, FT_HALBER_FEIERTAG);
    k.SetTagesart(5, 1, static_cast<Feiertagseintrag>(art));
    EXPECT_EQ(k.Raster[5][1], 2) << art;
  }
  EXPECT_EQ(TabellenArt(6), 0);
  EXPECT_EQ(TabellenArt(-1), 0);
}

TEST(Kalenderjahr, TheSwitchCountIsTheNumberOfSwitchCells) {
  CJulian k(2025);
  k.SetTagesart(3, 30, FT_UMSCHALTTAG);
  k.SetTagesart(3, 30, FT_UMSCHALTTAG);
  EXPECT_EQ(k.AnzahlUmschaltungen, 1);
  k.SetTagesart(10, 26, FT_UMSCHALTTAG);
  EXPECT_EQ(k.AnzahlUmschaltungen, 2);
  k.SetTagesart(10, 26, FT_FEIERTAG);
  EXPECT_EQ(k.AnzahlUmschaltungen, 1);
  k.SetTagesart(3, 30, 0);
  EXPECT_EQ(k.AnzahlUmschaltungen, 0);
  k.SetTagesart(3, 30, 0);
  EXPECT_EQ(k.AnzahlUmschaltungen, 0);
  k.SetTagesart(3, 30, FT_UMSCHALTTAG);
  k.SetJahr(2026);
  EXPECT_EQ(k.AnzahlUmschaltungen, 0);
  EXPECT_EQ(k.Raster[3][30], 0);
}

TEST(Kalenderjahr, CellsOutsideTheGridLeaveItUnchanged) {
  CJulian k(2025);
  k.SetTagesart(3, 30, FT_UMSCHALTTAG);
  std::uint8_t vorher[13][32];
  std::memcpy(vorher, k.Raster, sizeof vorher);
  for (const auto& [monat, tag] : {std::pair{0, 1}, std::pair{13, 1}, std::pair{-1, 5}, std::pair{1, 0},
                                   std::pair{1, 32}, std::pair{12, -3}, std::pair{1000, 1000}}) {
    for (const Feiertagseintrag art : {FT_FEIERTAG, FT_UMSCHALTTAG, Feiertagseintrag{0}}) {
      k.SetTagesart(monat, tag, art);
      EXPECT_EQ(k.Tagesart(monat, tag), 0);
    }
  }
  EXPECT_EQ(std::memcmp(vorher, k.Raster, sizeof vorher), 0);
  EXPECT_EQ(k.AnzahlUmschaltungen, 1);
}

}  // namespace
