// The holiday generator: the German public holidays and the summer/winter switch Sundays of
// a range of years, written into an empty holiday table.
#pragma once

#include <cstdint>

#include "model/Datum.h"
#include "model/Records.h"

// Which groups of days are generated; the defaults are those the generator window starts with.
struct Feiertagsauswahl {
  bool OsternPfingsten = true;      // Good Friday, Easter Monday, Whit Monday
  bool ChristiHimmelfahrt = true;   // Ascension Day
  bool Maifeiertag = true;          // 1 May
  bool DeutscheEinheit = true;      // 3 October
  bool Weihnachten = true;          // 24 December (half), 25 and 26 December
  bool SilvesterNeujahr = true;     // 1 January, 31 December (half)
  bool HeiligeDreiKoenige = false;  // 6 January
  bool Fronleichnam = false;        // Corpus Christi
  bool MariaeHimmelfahrt = false;   // 15 August
  bool Reformationstag = false;     // 31 October
  bool Allerheiligen = false;       // 1 November
  bool BussUndBettag = false;       // Wednesday before 23 November
  bool SommerWinter = true;         // last Sundays of March and October
};

// Easter Sunday of `jahr` by Gauss's rule (Gregorian; exact from 1583 to 2299).
datum::Datum Osterdatum(int jahr);
// Repentance Day: 24 December minus (weekday of 24 December + 31) days.
datum::Datum BussUndBettag(int jahr);
// The last Sunday of month `monat` (March or October) of `jahr`.
datum::Datum LetzterSonntag(int jahr, int monat);

enum class Jahrespruefung {
  Ok,
  VonNachBis,    // the from-year lies after the to-year
  AusserBereich  // a day of the range would have a day number outside 1..8191
};

// Whether the years `von` to `bis` can be generated for reference year `bezugsjahr`: every
// day of them must have a day number from 1 to 8191, which the 13 bits of an entry hold.
Jahrespruefung PruefeJahre(int bezugsjahr, int von, int bis);

// Empties the table and fills it with the chosen days of the years `von` to `bis`, year by
// year in a fixed order, each entry inserted in front of the entries of the same day.
// Changes nothing and returns the refusal when PruefeJahre refuses the years.
Jahrespruefung ErzeugeFeiertage(Feiertagstabelle& tabelle, int bezugsjahr, int von, int bis,
                                const Feiertagsauswahl& auswahl);
