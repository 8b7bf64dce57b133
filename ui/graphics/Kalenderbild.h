// The year grid of the holiday calendar, drawn into a picture apart from any window: month
// names, weekday heads, a legend and one cell per day in 12 rows (months) by 37 columns
// (weekday positions, column 1 a Sunday), coloured by the day kinds of a CJulian; and the hit
// test that finds the day under a point of the picture.
#pragma once

#include <optional>

#include <QFont>
#include <QImage>
#include <QPoint>

class CJulian;

namespace kalenderbild {

inline constexpr int kBreite = 571;
inline constexpr int kHoehe = 267;

struct Kalendertag {
  int Monat = 0;  // 1..12
  int Tag = 0;    // 1..31
  bool operator==(const Kalendertag&) const = default;
};

// The whole picture of the year of `jahr`: frame and legend in `schrift`, the day numbers in
// a small font; the day `markiert`, when given, in its highlight colour. Drawn for a screen of
// device pixel ratio `verhaeltnis`: the coordinates stay, the image has that many more pixels
// each way and carries the ratio.
QImage Zeichne(const CJulian& jahr, std::optional<Kalendertag> markiert, const QFont& schrift, qreal verhaeltnis = 1);

// The day whose cell holds `punkt` (in the picture's coordinates, whatever its ratio), or
// nothing outside the grid and outside the days of the month.
std::optional<Kalendertag> Treffer(const CJulian& jahr, QPoint punkt);

// Top-left corner of the cell of column 1..37 in the row of month 1..12.
QPoint Zellenecke(int monat, int spalte);

}  // namespace kalenderbild
