// One calendar year of the holiday calendar: the leap-year flag, dates of the year as day
// numbers of the holiday table (counted from 31 December of the year before the reference
// year) and back, the weekday of a date, and a grid with the kind of every day of the year,
// which the calendar window paints and hit-tests.
#pragma once

#include <cstdint>

#include "model/Records.h"

// Kinds of a day in the grid.
inline constexpr std::uint8_t TA_NORMAL = 0;
inline constexpr std::uint8_t TA_FEIERTAG = 1;
inline constexpr std::uint8_t TA_HALBER_FEIERTAG = 2;
inline constexpr std::uint8_t TA_UMSCHALTTAG = 3;
inline constexpr std::uint8_t TA_SONDERTAG1 = 4;
inline constexpr std::uint8_t TA_SONDERTAG2 = 5;

// The table kind (entry & 0xE000) of a grid kind 0..5; 0 for a normal day and any other value.
Feiertagseintrag TabellenArt(int tagesart);

class CJulian {
 public:
  explicit CJulian(std::int16_t jahr);

  void SetBezugsjahr(std::int16_t jahr) { Bezugsjahr = jahr; }
  // Another year: the grid is emptied and the switch days counted from 0.
  void SetJahr(std::int16_t jahr);

  // Weekday 1 (Sunday) .. 7 (Saturday) of the date in Jahr. StdError for a date that Jahr
  // does not have (29 February of a common year).
  int Wochentag(int monat, int tag) const;
  // Day number of the date in Jahr; StdError as Wochentag.
  std::int32_t Tagesnummer(int monat, int tag) const;
  // The date `nummer` days after 31 December of (Bezugsjahr - 1).
  void MonatTag(std::int32_t nummer, int& monat, int& tag) const;
  void Datum(std::int32_t nummer, int& jahr, int& monat, int& tag) const;

  // Sets the cell of a date from a table kind (0 for a normal day, 0x4000, 0x8000, 0xC000,
  // 0x6000, 0xA000); any other kind and any cell outside the grid (month 1..12, day 1..31)
  // change nothing. AnzahlUmschaltungen stays the number of switch-day cells.
  void SetTagesart(int monat, int tag, Feiertagseintrag art);
  // The grid kind of a cell; TA_NORMAL outside the grid.
  std::uint8_t Tagesart(int monat, int tag) const;
  // Days of month 1..12 of Jahr.
  int Monatslaenge(int monat) const;

  bool Schaltjahr = false;
  std::int16_t Jahr = 0;
  std::int16_t AnzahlUmschaltungen = 0;  // switch-day cells of the grid
  std::int16_t Bezugsjahr = 0;
  std::uint8_t Raster[13][32] = {};  // [month][day]; row 0 and column 0 unused
};
