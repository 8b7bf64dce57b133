// The year grid of the holiday calendar as pixels: the colours of the day kinds at a point
// of each cell that no digit covers, the highlight, the frame, and the hit test.
#include "graphics/Kalenderbild.h"

#include <cstdlib>
#include <optional>

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "model/Feiertagsgenerator.h"
#include "model/Kalenderjahr.h"

namespace {

using kalenderbild::Kalendertag;

// The year 2025 with the default holidays of the generator in its grid.
CJulian Jahr2025() {
  CJulian k(2025);
  k.SetBezugsjahr(2025);
  Feiertagstabelle t{};
  ErzeugeFeiertage(t, 2025, 2025, 2025, Feiertagsauswahl{});
  for (std::size_t i = 0; i < EndeMarkeIndex(t); ++i) {
    int monat = 0, tag = 0;
    k.MonatTag(Tagnummer(t[i]), monat, tag);
    k.SetTagesart(monat, tag, Tagesart(t[i]));
  }
  return k;
}

// The colour at the point of a day's cell that digits never cover: (13j + 77, 16i + 26).
QColor Probe(const QImage& bild, const CJulian& k, int monat, int tag) {
  const int j = k.Wochentag(monat, 1) + tag - 1;
  return bild.pixelColor(13 * j + 77, 16 * (monat - 1) + 26);
}

class KalenderbildTest : public ::testing::Test {
 protected:
  CJulian k = Jahr2025();
  QFont schrift = QApplication::font();
};

TEST_F(KalenderbildTest, DayKindsAfterADefaultGeneration) {
  const QImage bild = kalenderbild::Zeichne(k, std::nullopt, schrift);
  ASSERT_EQ(bild.size(), QSize(571, 267));
  // To be looked at: into $YBR_UI_BILDER when set.
  if (const char* ziel = std::getenv("YBR_UI_BILDER")) bild.save(QString::fromUtf8(ziel) + "/kalenderbild.png");
  struct Fall {
    int monat, tag;
    QColor farbe;
  };
  for (const Fall& f : {Fall{1, 1, QColor(0x00, 0xFF, 0x00)},    // New Year: holiday
                        Fall{3, 30, QColor(0x00, 0x00, 0xFF)},   // switch day
                        Fall{12, 24, QColor(0xFF, 0xFF, 0x00)},  // half holiday
                        Fall{1, 5, QColor(0xFF, 0x00, 0x00)},    // a Sunday
                        Fall{1, 7, QColor(0xFF, 0xFF, 0xFF)},    // a Tuesday
                        Fall{1, 4, QColor(0xFF, 0xFF, 0xFF)},    // a Saturday
                        Fall{10, 26, QColor(0x00, 0x00, 0xFF)}, Fall{2, 28, QColor(0xFF, 0xFF, 0xFF)}}) {
    EXPECT_EQ(Probe(bild, k, f.monat, f.tag), f.farbe) << f.monat << "/" << f.tag;
  }
  // Saturday outlines are red: the left edge of 4 January (its right edge belongs to the
  // Sunday drawn after it).
  const QPoint samstag = kalenderbild::Zellenecke(1, 7);
  EXPECT_EQ(bild.pixelColor(samstag.x(), samstag.y() + 8), QColor(0xFF, 0x00, 0x00));
  EXPECT_EQ(bild.pixelColor(samstag.x() + 13, samstag.y() + 8), QColor(Qt::black));
  // Other outlines black: the top edge of 7 January.
  const QPoint dienstag = kalenderbild::Zellenecke(1, 10);
  EXPECT_EQ(bild.pixelColor(dienstag.x() + 7, dienstag.y()), QColor(Qt::black));
  // No cell after the last day of February 2025, white background there.
  const int j = k.Wochentag(2, 1) + 28;
  EXPECT_EQ(bild.pixelColor(13 * j + 77, 16 + 26), QColor(Qt::white));
  // Legend boxes.
  EXPECT_EQ(bild.pixelColor(57, 257), QColor(0x00, 0xFF, 0x00));
  EXPECT_EQ(bild.pixelColor(157, 257), QColor(0xFF, 0xFF, 0x00));
  // The blue box stands at 250 or, where "halber Feiertag" needs the room, right of it.
  int blau = 0;
  for (int x = 250; x < 330; ++x) blau += bild.pixelColor(x, 257) == QColor(0x00, 0x00, 0xFF) ? 1 : 0;
  EXPECT_EQ(blau, 12);
  EXPECT_EQ(bild.pixelColor(487, 257), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(bild.pixelColor(50, 250), QColor(Qt::black));
}

TEST_F(KalenderbildTest, HighlightColoursByKind) {
  struct Fall {
    int monat, tag;
    QColor farbe;
  };
  k.SetTagesart(6, 3, FT_SONDERTAG1);
  for (const Fall& f : {Fall{1, 7, QColor(0x00, 0x00, 0x00)}, Fall{1, 5, QColor(0x00, 0x00, 0x00)},
                        Fall{1, 1, QColor(0xFF, 0x00, 0xFF)}, Fall{12, 24, QColor(0x00, 0xFF, 0xFF)},
                        Fall{3, 30, QColor(0x00, 0x80, 0x80)}, Fall{6, 3, QColor(0x80, 0x80, 0x80)}}) {
    const QImage bild = kalenderbild::Zeichne(k, Kalendertag{f.monat, f.tag}, schrift);
    EXPECT_EQ(Probe(bild, k, f.monat, f.tag), f.farbe) << f.monat << "/" << f.tag;
    EXPECT_EQ(Probe(bild, k, 1, 6), QColor(0xFF, 0xFF, 0xFF)) << "only the highlighted cell changes";
  }
  EXPECT_EQ(Probe(kalenderbild::Zeichne(k, std::nullopt, schrift), k, 6, 3), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(KalenderbildTest, DigitsAndTextsAreDrawnInsideTheirPlaces) {
  const QImage bild = kalenderbild::Zeichne(k, std::nullopt, schrift);
  // Some dark pixel of the number "7" inside the cell of 7 January, none left of the cell.
  const QPoint ecke = kalenderbild::Zellenecke(1, 10);
  int dunkel = 0;
  for (int y = ecke.y() + 2; y < ecke.y() + 16; ++y) {
    for (int x = ecke.x() + 1; x < ecke.x() + 13; ++x) dunkel += bild.pixelColor(x, y).lightness() < 128 ? 1 : 0;
  }
  EXPECT_GT(dunkel, 3);
  // The month names left of the grid: "Januar" darkens pixels in its row.
  int monat = 0;
  for (int y = 25; y < 40; ++y) {
    for (int x = 5; x < 60; ++x) monat += bild.pixelColor(x, y).lightness() < 128 ? 1 : 0;
  }
  EXPECT_GT(monat, 10);
}

// Every day number, two digits too, keeps a pixel of its cell's fill free beside the left and
// the right outline, in the normal drawing and highlighted.
TEST_F(KalenderbildTest, DayNumbersKeepAPixelFreeBesideEachOutline) {
  for (const std::optional<Kalendertag> markiert : {std::optional<Kalendertag>{}, std::optional{Kalendertag{1, 28}}}) {
    const QImage bild = kalenderbild::Zeichne(k, markiert, schrift);
    for (int monat = 1; monat <= 12; ++monat) {
      for (int tag = 1; tag <= k.Monatslaenge(monat); ++tag) {
        const QPoint ecke = kalenderbild::Zellenecke(monat, k.Wochentag(monat, 1) + tag - 1);
        const QColor fuellung = Probe(bild, k, monat, tag);
        int beruehrt = 0;
        for (int y = ecke.y() + 1; y < ecke.y() + 16; ++y) {
          beruehrt += bild.pixelColor(ecke.x() + 1, y) != fuellung ? 1 : 0;
          beruehrt += bild.pixelColor(ecke.x() + 12, y) != fuellung ? 1 : 0;
        }
        EXPECT_EQ(beruehrt, 0) << monat << "/" << tag << (markiert ? " highlighted" : "");
      }
    }
  }
}

// At device pixel ratio 2 the grid keeps its coordinates in an image of twice the pixels each
// way: every outline covers two device pixels, every day number keeps the two device pixels
// of its free pixel beside each outline, in the normal drawing and highlighted, and the texts
// are drawn at that resolution, not blown up.
TEST_F(KalenderbildTest, AtRatioTwoTheSameGridInTwiceThePixels) {
  for (const std::optional<Kalendertag> markiert : {std::optional<Kalendertag>{}, std::optional{Kalendertag{1, 28}}}) {
    SCOPED_TRACE(markiert ? "highlighted" : "normal");
    const QImage bild = kalenderbild::Zeichne(k, markiert, schrift, 2);
    ASSERT_EQ(bild.size(), QSize(1142, 534));
    EXPECT_EQ(bild.deviceIndependentSize().toSize(), QSize(571, 267));
    if (const char* ziel = std::getenv("YBR_UI_BILDER")) bild.save(QString::fromUtf8(ziel) + "/kalenderbild_2x.png");
    // Tuesday 7 January, column 10 at (200, 25), white: outlines on device columns 400, 401
    // and 426, 427 (the line it shares with 8 January) and rows 50, 51 and 82, 83.
    const QColor schwarz(Qt::black), weiss(Qt::white);
    for (int x : {398, 399, 400, 401, 402, 403, 424, 425, 426, 427, 428, 429}) {
      EXPECT_EQ(bild.pixelColor(x, 70), x == 400 || x == 401 || x == 426 || x == 427 ? schwarz : weiss) << x;
    }
    for (int y = 48; y <= 86; ++y) {
      EXPECT_EQ(bild.pixelColor(403, y), y == 50 || y == 51 || y == 82 || y == 83 ? schwarz : weiss) << y;
    }
    for (int monat = 1; monat <= 12; ++monat) {
      for (int tag = 1; tag <= k.Monatslaenge(monat); ++tag) {
        const QPoint ecke = kalenderbild::Zellenecke(monat, k.Wochentag(monat, 1) + tag - 1) * 2;
        const QColor fuellung = bild.pixelColor(2 * (ecke.x() / 2 + 7), 2 * (ecke.y() / 2 + 1));
        int beruehrt = 0;
        for (int y = ecke.y() + 2; y < ecke.y() + 32; ++y) {
          for (int x : {ecke.x() + 2, ecke.x() + 3, ecke.x() + 24, ecke.x() + 25}) {
            beruehrt += bild.pixelColor(x, y) != fuellung ? 1 : 0;
          }
        }
        EXPECT_EQ(beruehrt, 0) << monat << "/" << tag;
      }
    }
    // "Januar" at (5, 25): finer than its blown-up pixels.
    int geteilt = 0;
    for (int x = 10; x < 120; x += 2) {
      for (int y = 50; y < 80; y += 2) {
        const QColor c = bild.pixelColor(x, y);
        geteilt +=
            bild.pixelColor(x + 1, y) != c || bild.pixelColor(x, y + 1) != c || bild.pixelColor(x + 1, y + 1) != c ? 1
                                                                                                                   : 0;
      }
    }
    EXPECT_GT(geteilt, 10);
  }
}

// A cell's left and top lines belong to it, the lines it shares to the right and below to
// its neighbours.
TEST(Kalendertreffer, PointsToDays) {
  const CJulian k2025(2025);
  const CJulian k2028(2028);
  struct Fall {
    const CJulian* jahr;
    int x, y;
    std::optional<Kalendertag> erwartet;
  };
  const int feb2028 = 13 * (k2028.Wochentag(2, 1) + 28) + 77;  // the column of 29 February 2028
  const int feb2025 = 13 * (k2025.Wochentag(2, 1) + 28) + 77;
  for (const Fall& f : {
           Fall{&k2025, 545, 65, Kalendertag{3, 30}},
           Fall{&k2025, 564, 65, std::nullopt},       // right of the last column
           Fall{&k2025, 545, 217, std::nullopt},      // below the last row
           Fall{&k2025, 82, 30, std::nullopt},        // left of the grid
           Fall{&k2025, 100, 24, std::nullopt},       // above the grid
           Fall{&k2025, 83, 25, std::nullopt},        // column 1 of January 2025 lies before the 1st
           Fall{&k2025, 122, 26, Kalendertag{1, 1}},  // left line of Wednesday 1 January (column 4)
           Fall{&k2025, 134, 40, Kalendertag{1, 1}},
           Fall{&k2025, 121, 26, std::nullopt},          // column 3
           Fall{&k2025, 135, 26, Kalendertag{1, 2}},     // the line shared with 2 January
           Fall{&k2025, 205, 40, Kalendertag{1, 7}},     // column 10: Tuesday 7 January
           Fall{&k2025, 205, 41, Kalendertag{2, 4}},     // the line it shares with Tuesday 4 February
           Fall{&k2025, 490, 216, Kalendertag{12, 31}},  // the last row
           Fall{&k2025, 563, 216, std::nullopt},         // column 37 of December 2025 lies after the 31st
           Fall{&k2028, feb2028, 46, Kalendertag{2, 29}},
           Fall{&k2025, feb2025, 46, std::nullopt},
       }) {
    EXPECT_EQ(kalenderbild::Treffer(*f.jahr, {f.x, f.y}), f.erwartet)
        << f.jahr->Jahr << " (" << f.x << ", " << f.y << ")";
  }
}

}  // namespace
