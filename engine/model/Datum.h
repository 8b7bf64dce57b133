// Civil dates of the Gregorian calendar (also before its introduction) as whole day counts:
// days from a date and back, the weekday (1 = Sunday .. 7 = Saturday), leap years and month
// lengths. The holiday table counts its days from 31 December of the year before a
// reference year; Tagesnummer and AusTagesnummer convert to and from that count.
#pragma once

#include <cstdint>

namespace datum {

struct Datum {
  int Jahr = 0;
  int Monat = 0;  // 1..12
  int Tag = 0;    // 1..31
  bool operator==(const Datum&) const = default;
};

// The full Gregorian rule: every fourth year, but not the full centuries except every fourth.
constexpr bool IstSchaltjahr(int jahr) { return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0; }

// Days of month 1..12 of `jahr`; 0 for any other month.
int Monatslaenge(int jahr, int monat);

// The date exists: month 1..12 and day 1 up to the month's length.
bool IstDatum(int jahr, int monat, int tag);

// Days from 1 January 1970 to the date (earlier dates give negative counts). For a day
// outside its month the count runs on into the neighbouring month, as in the day arithmetic
// of the holiday generator (24 December minus 35 days); callers that take a date from
// outside check it with IstDatum first.
std::int64_t Tage(int jahr, int monat, int tag);
std::int64_t Tage(const Datum& d);

// The date `tage` days after 1 January 1970.
Datum AusTagen(std::int64_t tage);

// Weekday of the day count or date: 1 Sunday, 2 Monday .. 7 Saturday.
int Wochentag(std::int64_t tage);
int Wochentag(int jahr, int monat, int tag);

// Day number of the date counted from 31 December of (bezugsjahr - 1): 1 January of the
// reference year is 1, dates before it give 0 or less.
std::int64_t Tagesnummer(int bezugsjahr, int jahr, int monat, int tag);
// The date `nummer` days after 31 December of (bezugsjahr - 1).
Datum AusTagesnummer(int bezugsjahr, std::int64_t nummer);

}  // namespace datum
