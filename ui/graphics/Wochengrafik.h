// The week graph: the time lines of one access profile or one door profile drawn per day row
// into a QImage, as the person window, the access profile editor and the door data window show
// it. Coordinates are the image's pixels, x to the right, y downwards; a text is placed by its
// top-left corner. Drawn apart from any window, so tests read its pixels.
//
// All three pictures share the grid: row labels at x 5, y 25 + 18·k; the hour ruler's texts at
// (91 + 15·h, 7) and a black vertical line at x 97 + 15·h for h = 0..24; a separating line above
// the legend. Row k shows the lines whose day bit k (0x1 Monday .. 0x400 special day 2) is set,
// at y = 30 + 18·k. A line runs from x1 = a + 15·VonStunde + VonMinute/4 to
// x2 = b + 15·BisStunde + BisMinute/4, both ends included. Strokes of width w cover the rows
// y - w/2 .. y - w/2 + w - 1 (width 2: y - 1 and y).
//
// What differs, by `Wochenbild`:
//   Person  473 x 225. Rows Monday..holiday (9; special-day bits are not drawn); grid lines to
//           y 185, separator at y 195. a = 99, b = 96. Door 1 (Tueren 0x11) green at y; door 2
//           (0x22) red at y + 3 only for device type 1; door 3 (0x44) blue at y + 6 only with
//           flag 0x4. Legend at y 210 / texts at y 205: "Tür 1"; "Tür 2" for device type 1;
//           with flag 0x4 "Tür 3 (MK)" in blue for a device type other than 0, else the text
//           "Tür 2 (MK)" alone. No markers.
//   Profil  473 x 265. 11 rows, rows 9 and 10 named by the special days; grid lines to y 222,
//           separator at y 232. a = 99, b = 96. Door 1 green at y; door 2 red at y + 3 only
//           with flag 0x2; door 3 blue at y + 6 only with flag 0x4. Legend at y 247 / 242: the
//           name of door 1; with flag 0x2 the name of door 2 (device type 0: "Tür 2 (MK)");
//           with flag 0x4 "Tür 3 (MK)". The marked line's triangles: door 1 green above the
//           line pointing down at (x, y - 1); door 2 red beside both ends pointing along the
//           line at y + 3; door 3 blue below pointing up at (x, y + 6).
//   Tuer    473 x 265. 11 rows as Profil, grid lines to y 222, separator at y 232, a grey base
//           line (98..457) in every row. a = 98, b = 97 (one pixel further out). Tage 0x800
//           (permanently open) green at y, 0x1000 (permanently locked) red at y; card
//           operation draws nothing. Legend: "Türstatus:", "daueroffen", "dauergesperrt",
//           "Kartenbetrieb" (grey). The marked line's triangles: open green above pointing
//           down at (x, y - 1); locked red below pointing up at (x, y + 1).
#pragma once

#include <cstdint>
#include <span>

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include "model/Records.h"

class TSteuerung;

namespace grafik {

enum class Wochenbild { Person, Profil, Tuer };

// What the graph takes from the device data.
struct Anlage {
  std::uint32_t Flags = 0;  // device-data Flags: 0x2 door 2, 0x4 door 3 in use
  int Geraetetyp = 0;       // 0 "ZO 10", 1 "RA 20"
  QString NameTuer1;        // legend of Profil
  QString NameTuer2;
  QString NameSondertag1;  // rows 9 and 10 of Profil and Tuer
  QString NameSondertag2;
};

// The device data of a document, its Windows-1252 names converted.
Anlage AnlageVon(const TSteuerung& steuerung);

// The colours of the graph.
inline const QColor kGruen(0, 128, 0);
inline const QColor kRot(255, 0, 0);
inline const QColor kBlau(0, 0, 255);
inline const QColor kGrau(128, 128, 128);

// 473 x 225 for Person, 473 x 265 for the others, in the picture's coordinates.
QSize Groesse(Wochenbild bild);

// The picture with the grid, the legend and every line of `linien` (none: grid and legend
// only); the line at index `markiert` carries its markers (-1: none). Drawn for a screen of
// device pixel ratio `verhaeltnis`: the coordinates stay, the image has that many more pixels
// each way and carries the ratio.
QImage ZeichneWoche(Wochenbild bild, const Anlage& anlage, std::span<const Zeitlinie> linien, int markiert = -1,
                    qreal verhaeltnis = 1);

}  // namespace grafik
