// The date unit against the calendar of the standard library: day counts there and back,
// weekdays, leap years and month lengths.
#include "model/Datum.h"

#include <chrono>

#include <gtest/gtest.h>

namespace {

namespace chr = std::chrono;

chr::sys_days Bibliothek(int jahr, int monat, int tag) {
  return chr::sys_days{chr::year{jahr} / chr::month{static_cast<unsigned>(monat)} /
                       chr::day{static_cast<unsigned>(tag)}};
}

// Every day from 1 January 1583 to 31 December 2400, and a stretch before year 0.
TEST(Datum, DayCountsWeekdaysAndDatesAgreeWithTheLibraryCalendar) {
  for (const auto& [von, bis] : {std::pair{1583, 2400}, std::pair{-5, 5}}) {
    for (chr::sys_days t = Bibliothek(von, 1, 1); t <= Bibliothek(bis, 12, 31); t += chr::days{1}) {
      const chr::year_month_day ymd{t};
      const int jahr = static_cast<int>(ymd.year());
      const int monat = static_cast<int>(static_cast<unsigned>(ymd.month()));
      const int tag = static_cast<int>(static_cast<unsigned>(ymd.day()));
      const std::int64_t tage = t.time_since_epoch().count();
      ASSERT_EQ(datum::Tage(jahr, monat, tag), tage) << jahr << "-" << monat << "-" << tag;
      ASSERT_EQ(datum::AusTagen(tage), (datum::Datum{jahr, monat, tag})) << tage;
      ASSERT_EQ(datum::Wochentag(jahr, monat, tag), static_cast<int>(chr::weekday{t}.c_encoding()) + 1);
    }
  }
}

TEST(Datum, LeapYearsMonthLengthsAndExistingDates) {
  EXPECT_TRUE(datum::IstSchaltjahr(2000));
  EXPECT_TRUE(datum::IstSchaltjahr(2024));
  EXPECT_FALSE(datum::IstSchaltjahr(1900));
  EXPECT_FALSE(datum::IstSchaltjahr(2100));
  EXPECT_FALSE(datum::IstSchaltjahr(2025));
  for (int jahr : {1900, 2000, 2024, 2025, 2100}) {
    for (int monat = 1; monat <= 12; ++monat) {
      const auto letzter =
          chr::year_month_day_last{chr::year{jahr} / chr::month{static_cast<unsigned>(monat)} / chr::last};
      EXPECT_EQ(datum::Monatslaenge(jahr, monat), static_cast<int>(static_cast<unsigned>(letzter.day())));
    }
  }
  EXPECT_EQ(datum::Monatslaenge(2024, 0), 0);
  EXPECT_EQ(datum::Monatslaenge(2024, 13), 0);
  EXPECT_TRUE(datum::IstDatum(2024, 2, 29));
  EXPECT_FALSE(datum::IstDatum(2025, 2, 29));
  EXPECT_FALSE(datum::IstDatum(2025, 4, 31));
  EXPECT_FALSE(datum::IstDatum(2025, 1, 0));
  EXPECT_FALSE(datum::IstDatum(2025, 13, 1));
}

TEST(Datum, DayNumbersCountFromTheLastDayBeforeTheReferenceYear) {
  EXPECT_EQ(datum::Tagesnummer(2024, 2024, 1, 1), 1);
  EXPECT_EQ(datum::Tagesnummer(2024, 2024, 12, 31), 366);
  EXPECT_EQ(datum::Tagesnummer(2024, 2025, 1, 1), 367);
  EXPECT_EQ(datum::Tagesnummer(2024, 2023, 12, 31), 0);
  EXPECT_EQ(datum::Tagesnummer(1998, 2020, 6, 4), 8191);
  EXPECT_EQ(datum::AusTagesnummer(2024, 367), (datum::Datum{2025, 1, 1}));
  EXPECT_EQ(datum::AusTagesnummer(2024, 0), (datum::Datum{2023, 12, 31}));
  // A day past the end of its month runs on into the next, one before the first back.
  EXPECT_EQ(datum::Tage(2025, 12, 24) - 35, datum::Tage(2025, 11, 19));
  EXPECT_EQ(datum::Tage(2025, 3, 0), datum::Tage(2025, 2, 28));
}

}  // namespace
