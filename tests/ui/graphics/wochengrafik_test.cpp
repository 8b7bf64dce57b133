// The week graph read by its pixels: the worked lines of the three pictures, the markers, the
// legend by flags and device type, and nothing drawn beyond a line's ends.
#include "graphics/Wochengrafik.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include "model/Array.h"
#include "model/Profile.h"

#include "UiTest.h"

namespace {

using grafik::Anlage;
using grafik::Wochenbild;

Zeitlinie Linie(int vonH, int vonM, int bisH, int bisM, std::uint16_t tage, std::uint16_t tueren = 0) {
  Zeitlinie z;
  z.VonStunde = static_cast<std::uint8_t>(vonH);
  z.VonMinute = static_cast<std::uint8_t>(vonM);
  z.BisStunde = static_cast<std::uint8_t>(bisH);
  z.BisMinute = static_cast<std::uint8_t>(bisM);
  z.Tage = tage;
  z.Tueren = tueren;
  return z;
}

Anlage Geraet(std::uint32_t flags, int typ) {
  Anlage a;
  a.Flags = flags;
  a.Geraetetyp = typ;
  a.NameTuer1 = QStringLiteral("Eingang");
  a.NameTuer2 = QStringLiteral("Hof");
  a.NameSondertag1 = QStringLiteral("Betriebsurlaub");
  a.NameSondertag2 = QStringLiteral("Inventur");
  return a;
}

QColor Farbe(const QImage& bild, int x, int y) { return bild.pixelColor(x, y); }

bool IstFarbig(const QColor& c) { return c == grafik::kGruen || c == grafik::kRot || c == grafik::kBlau; }

// Every pixel of the columns x1..x2 and rows y1..y2 has no line colour.
void KeineLinie(const QImage& bild, int x1, int x2, int y1, int y2) {
  for (int x = x1; x <= x2; ++x) {
    for (int y = y1; y <= y2; ++y) {
      EXPECT_FALSE(IstFarbig(Farbe(bild, x, y))) << "at " << x << "," << y;
    }
  }
}

// The line of `farbe` covers x1..x2 in row y (and the row above: width 2), not the rows
// around it, and nothing of a line's colour lies within 3 pixels beyond its ends.
void Linienzug(const QImage& bild, int x1, int x2, int y, const QColor& farbe) {
  for (int x = x1; x <= x2; ++x) {
    ASSERT_EQ(Farbe(bild, x, y), farbe) << "at " << x << "," << y;
    ASSERT_EQ(Farbe(bild, x, y - 1), farbe) << "at " << x << "," << y - 1;
  }
  EXPECT_NE(Farbe(bild, x1, y + 1), farbe);
  EXPECT_NE(Farbe(bild, x1, y - 2), farbe);
  KeineLinie(bild, x1 - 3, x1 - 1, y - 1, y);
  KeineLinie(bild, x2 + 1, x2 + 3, y - 1, y);
}

// The number of non-white pixels in a rectangle.
int Dunkle(const QImage& bild, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int x = x1; x <= x2; ++x) {
    for (int y = y1; y <= y2; ++y) {
      if (Farbe(bild, x, y) != QColor(Qt::white)) ++n;
    }
  }
  return n;
}

// The rightmost non-white column of a rectangle, or x1 - 1.
int RechtesEnde(const QImage& bild, int x1, int y1, int x2, int y2) {
  for (int x = x2; x >= x1; --x) {
    if (Dunkle(bild, x, y1, x, y2) > 0) return x;
  }
  return x1 - 1;
}

// Saves the picture where the window renderings go, so it can be looked at.
void Ablegen(const QImage& bild, const char* name) {
  if (const char* ziel = std::getenv("YBR_UI_BILDER"))
    bild.save(QString::fromUtf8(ziel) + u'/' + QString::fromUtf8(name));
}

TEST(Wochengrafik, SizesOfThePictures) {
  EXPECT_EQ(grafik::ZeichneWoche(Wochenbild::Person, Geraet(0x1, 0), {}).size(), QSize(473, 225));
  EXPECT_EQ(grafik::ZeichneWoche(Wochenbild::Profil, Geraet(0x1, 0), {}).size(), QSize(473, 265));
  EXPECT_EQ(grafik::ZeichneWoche(Wochenbild::Tuer, Geraet(0x1, 0), {}).size(), QSize(473, 265));
}

TEST(Wochengrafik, PersonMondayDoorOne) {
  const std::vector<Zeitlinie> linien{Linie(8, 0, 17, 0, TAG_MONTAG | TAG_BENUTZT, 0x01)};
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Person, Geraet(0x3, 1), linien);
  Ablegen(bild, "woche_person.png");
  Linienzug(bild, 219, 351, 30, grafik::kGruen);
  // No door 2 bit, so no red line; and no other row carries the line.
  KeineLinie(bild, 219, 351, 32, 33);
  KeineLinie(bild, 219, 351, 47, 48);
}

TEST(Wochengrafik, ProfileMondayToFridayDoorsOneAndTwo) {
  const std::vector<Zeitlinie> linien{Zeitlinie{}, Linie(6, 30, 22, 0, 0x1F | TAG_BENUTZT, 0x03)};
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Profil, Geraet(0x3, 1), linien);
  Ablegen(bild, "woche_profil.png");
  for (int y = 30; y <= 102; y += 18) {
    Linienzug(bild, 196, 426, y, grafik::kGruen);
    Linienzug(bild, 196, 426, y + 3, grafik::kRot);
  }
  KeineLinie(bild, 196, 426, 119, 126);  // Saturday
  // Unmarked: no triangles.
  EXPECT_EQ(Farbe(bild, 196, 27), QColor(Qt::white));
}

TEST(Wochengrafik, ProfileMarkedLineCarriesTrianglesPerDoor) {
  const std::vector<Zeitlinie> linien{Linie(6, 30, 22, 0, TAG_MONTAG | TAG_BENUTZT, 0x07),
                                      Linie(1, 0, 2, 0, TAG_MONTAG, 0x01)};
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Profil, Geraet(0x7, 1), linien, 0);
  Ablegen(bild, "woche_profil_markiert.png");
  const int y = 30;
  for (int x : {196, 426}) {
    // Door 1: above the line, tip at (x, y - 1).
    EXPECT_EQ(Farbe(bild, x, y - 3), grafik::kGruen) << x;
    EXPECT_EQ(Farbe(bild, x, y - 5), QColor(Qt::black)) << x;
    // Door 3: below its line at y + 6, tip at (x, y + 6).
    EXPECT_EQ(Farbe(bild, x, y + 8), grafik::kBlau) << x;
    EXPECT_EQ(Farbe(bild, x, y + 10), QColor(Qt::black)) << x;
  }
  // Door 2: left of the start and right of the end, at y + 3.
  EXPECT_EQ(Farbe(bild, 193, y + 3), grafik::kRot);
  EXPECT_EQ(Farbe(bild, 191, y + 3), QColor(Qt::black));
  EXPECT_EQ(Farbe(bild, 429, y + 3), grafik::kRot);
  EXPECT_EQ(Farbe(bild, 431, y + 3), QColor(Qt::black));
  // The unmarked line 1 (01:00-02:00) has none.
  KeineLinie(bild, 99 + 15 - 3, 99 + 15 + 3, 24, 27);
}

TEST(Wochengrafik, DoorSaturdayPermanentlyOpen) {
  const std::vector<Zeitlinie> linien{Linie(7, 0, 18, 0, TAG_SAMSTAG | TAG_DAUEROFFEN)};
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Tuer, Geraet(0x1, 0), linien);
  Linienzug(bild, 203, 367, 120, grafik::kGruen);
  EXPECT_EQ(Farbe(bild, 203, 117), QColor(Qt::white));  // no marker while unmarked

  const QImage markiert = grafik::ZeichneWoche(Wochenbild::Tuer, Geraet(0x1, 0), linien, 0);
  Ablegen(markiert, "woche_tuer_markiert.png");
  for (int x : {203, 367}) {
    EXPECT_EQ(Farbe(markiert, x, 119), QColor(Qt::black)) << "tip at " << x;
    EXPECT_EQ(Farbe(markiert, x, 117), grafik::kGruen) << x;
    EXPECT_EQ(Farbe(markiert, x, 115), QColor(Qt::black)) << x;
    EXPECT_EQ(Farbe(markiert, x - 3, 115), QColor(Qt::black)) << x;
    EXPECT_EQ(Farbe(markiert, x + 3, 115), QColor(Qt::black)) << x;
  }
}

TEST(Wochengrafik, DoorLockedLineAndMarkersBelow) {
  const std::vector<Zeitlinie> linien{Linie(0, 0, 6, 0, TAG_MONTAG | TAG_DAUERGESPERRT)};
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Tuer, Geraet(0x1, 0), linien, 0);
  Linienzug(bild, 98, 97 + 90, 30, grafik::kRot);
  EXPECT_EQ(Farbe(bild, 98, 31), QColor(Qt::black));  // tip at (x, y + 1)
  EXPECT_EQ(Farbe(bild, 98, 33), grafik::kRot);
  EXPECT_EQ(Farbe(bild, 98, 35), QColor(Qt::black));
}

TEST(Wochengrafik, DoorCardOperationLeavesTheGreyBaseLine) {
  const std::vector<Zeitlinie> linien{Linie(7, 0, 18, 0, TAG_SAMSTAG)};
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Tuer, Geraet(0x1, 0), linien, 0);
  for (int x : {98, 150, 203, 300, 367, 457}) {
    if ((x - 97) % 15 == 0) continue;  // a vertical grid line crosses there
    EXPECT_EQ(Farbe(bild, x, 120), grafik::kGrau) << x;
  }
  EXPECT_EQ(Farbe(bild, 458, 120), QColor(Qt::white));
  KeineLinie(bild, 95, 470, 110, 126);
  for (int j = 1; j <= 11; ++j) EXPECT_EQ(Farbe(bild, 100, 12 + 18 * j), grafik::kGrau) << j;
}

TEST(Wochengrafik, NewDocumentsAlwaysProfile) {
  Array<PROFIL*> profile;
  ErzeugeStandardProfile(profile);
  const PROFIL& immer = *profile.Find(1)->Daten;
  const GERAETEDATEN neu;
  Anlage a = Geraet(neu.Flags, 0);
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Profil, a, immer.Zeitlinien);
  Ablegen(bild, "woche_immer.png");
  for (int k = 0; k < 9; ++k) Linienzug(bild, 99, 456, 30 + 18 * k, grafik::kGruen);
  // Door 2 (0x20) is not drawn while flag 0x2 is clear; the special days stay empty.
  KeineLinie(bild, 99, 456, 31, 36);
  KeineLinie(bild, 99, 456, 185, 215);
}

TEST(Wochengrafik, PersonLeavesSpecialDaysAndDrawsDoorTwoByDeviceType) {
  const std::vector<Zeitlinie> linien{Linie(0, 0, 24, 0, 0x7FF | TAG_BENUTZT, 0x77)};
  for (int typ : {0, 1}) {
    // Flag 0x2 is clear: the person picture asks the device type, not the flag.
    const QImage bild = grafik::ZeichneWoche(Wochenbild::Person, Geraet(0x5, typ), linien);
    for (int k = 0; k < 9; ++k) {
      Linienzug(bild, 99, 456, 30 + 18 * k, grafik::kGruen);
      if (typ == 1) {
        Linienzug(bild, 99, 456, 33 + 18 * k, grafik::kRot);
      } else {
        KeineLinie(bild, 99, 456, 32 + 18 * k, 33 + 18 * k);
      }
      Linienzug(bild, 99, 456, 36 + 18 * k, grafik::kBlau);
    }
    // The rows below the grid carry no line: special days are not drawn.
    KeineLinie(bild, 99, 456, 186, 194);
  }
}

// The legend by flags and device type, per picture.
struct LegendenFall {
  const char* name;
  Wochenbild bild;
  std::uint32_t flags;
  int typ;
  bool rot;      // the red stroke
  bool blau;     // the blue stroke
  int textEnde;  // the second legend text: 0 none, 1 "X" (door 2's name) or "Tür 2" on the person
                 // picture, 2 "Tür 2 (MK)"
};

void PrintTo(const LegendenFall& f, std::ostream* os) { *os << f.name; }

class Legende : public ::testing::TestWithParam<LegendenFall> {};

TEST_P(Legende, StrokesAndTexts) {
  const LegendenFall& f = GetParam();
  Anlage a = Geraet(f.flags, f.typ);
  a.NameTuer2 = QStringLiteral("X");
  const QImage bild = grafik::ZeichneWoche(f.bild, a, {});
  Ablegen(bild, (std::string("legende_") + f.name + ".png").c_str());
  if (f.bild == Wochenbild::Person) {
    EXPECT_EQ(Farbe(bild, 160, 210), grafik::kGruen);
    EXPECT_EQ(Farbe(bild, 260, 210) == grafik::kRot, f.rot);
    EXPECT_EQ(Farbe(bild, 360, 210) == grafik::kBlau, f.blau);
    const int ende = RechtesEnde(bild, 280, 205, 345, 219);
    EXPECT_EQ(ende >= 280, f.textEnde != 0) << ende;
    if (f.textEnde != 0) {
      EXPECT_EQ(ende > 315, f.textEnde == 2) << ende;
    }
    EXPECT_EQ(Dunkle(bild, 380, 205, 470, 219) > 0, f.blau);
  } else {
    EXPECT_EQ(Farbe(bild, 110, 247), grafik::kGruen);
    EXPECT_GT(Dunkle(bild, 130, 242, 215, 256), 0);  // door 1's name
    EXPECT_EQ(Farbe(bild, 235, 247) == grafik::kRot, f.rot);
    EXPECT_EQ(Farbe(bild, 360, 247) == grafik::kBlau, f.blau);
    const int ende = RechtesEnde(bild, 255, 242, 340, 256);
    EXPECT_EQ(ende >= 255, f.textEnde != 0) << ende;
    if (f.textEnde != 0) {
      EXPECT_EQ(ende > 275, f.textEnde == 2) << ende;
    }
    EXPECT_EQ(Dunkle(bild, 380, 242, 470, 256) > 0, f.blau);
  }
}

INSTANTIATE_TEST_SUITE_P(Wochengrafik, Legende,
                         ::testing::Values(LegendenFall{"Person_1_0", Wochenbild::Person, 0x1, 0, false, false, 0},
                                           LegendenFall{"Person_1_1", Wochenbild::Person, 0x1, 1, true, false, 1},
                                           LegendenFall{"Person_5_0", Wochenbild::Person, 0x5, 0, false, false, 2},
                                           LegendenFall{"Person_7_1", Wochenbild::Person, 0x7, 1, true, true, 1},
                                           LegendenFall{"Profil_1_1", Wochenbild::Profil, 0x1, 1, false, false, 0},
                                           LegendenFall{"Profil_3_1", Wochenbild::Profil, 0x3, 1, true, false, 1},
                                           LegendenFall{"Profil_3_0", Wochenbild::Profil, 0x3, 0, true, false, 2},
                                           LegendenFall{"Profil_5_0", Wochenbild::Profil, 0x5, 0, false, true, 0},
                                           LegendenFall{"Profil_7_1", Wochenbild::Profil, 0x7, 1, true, true, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Wochengrafik, DoorLegendIsFixed) {
  for (std::uint32_t flags : {0x1u, 0x7u}) {
    const QImage bild = grafik::ZeichneWoche(Wochenbild::Tuer, Geraet(flags, 1), {});
    EXPECT_EQ(Farbe(bild, 110, 247), grafik::kGruen);
    EXPECT_EQ(Farbe(bild, 230, 247), grafik::kRot);
    EXPECT_EQ(Farbe(bild, 350, 247), grafik::kGrau);
    EXPECT_GT(Dunkle(bild, 30, 242, 95, 256), 0);  // "Türstatus:"
    EXPECT_GT(Dunkle(bild, 370, 242, 470, 256), 0);
  }
}

// The 2 x 2 blocks of device pixels in the rectangle (device coordinates) whose four pixels
// are not all of one colour: none where a picture drawn at ratio 1 was blown up.
int GeteilteBloecke(const QImage& bild, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int x = x1 & ~1; x + 1 <= x2; x += 2) {
    for (int y = y1 & ~1; y + 1 <= y2; y += 2) {
      const QColor c = Farbe(bild, x, y);
      n += Farbe(bild, x + 1, y) != c || Farbe(bild, x, y + 1) != c || Farbe(bild, x + 1, y + 1) != c ? 1 : 0;
    }
  }
  return n;
}

// At device pixel ratio 2 the picture keeps its coordinates in an image of twice the pixels
// each way: a line one pixel wide covers two device pixels, a stroke of two four, a marker's
// outline two (centred on its edge, as every pen wider than a device pixel); the texts are
// drawn at that resolution, not blown up.
TEST(Wochengrafik, AtRatioTwoTheSameDrawingInTwiceThePixels) {
  const std::vector<Zeitlinie> linien{Linie(6, 30, 22, 0, TAG_MONTAG | TAG_BENUTZT, 0x07)};
  for (const Wochenbild art : {Wochenbild::Person, Wochenbild::Profil, Wochenbild::Tuer}) {
    SCOPED_TRACE(static_cast<int>(art));
    const QImage bild = grafik::ZeichneWoche(art, Geraet(0x7, 1), linien, -1, 2);
    EXPECT_EQ(bild.size(), grafik::Groesse(art) * 2);
    EXPECT_EQ(bild.deviceIndependentSize().toSize(), grafik::Groesse(art));
    // The grid line at x 97 from y 25: device columns 194 and 195.
    for (int x : {193, 194, 195, 196}) {
      EXPECT_EQ(Farbe(bild, x, 81), x == 194 || x == 195 ? QColor(Qt::black) : QColor(Qt::white)) << x;
    }
    EXPECT_EQ(Farbe(bild, 194, 49), QColor(Qt::white));
    EXPECT_EQ(Farbe(bild, 194, 50), QColor(Qt::black));
    // The separator above the legend: two device rows.
    const int trenn = 2 * (art == Wochenbild::Person ? 195 : 232);
    for (int y = trenn - 1; y <= trenn + 2; ++y) {
      EXPECT_EQ(Farbe(bild, 600, y), y == trenn || y == trenn + 1 ? QColor(Qt::black) : QColor(Qt::white)) << y;
    }
    // "Montag" at (5, 25), finer than its blown-up pixels.
    EXPECT_GT(GeteilteBloecke(bild, 10, 50, 120, 78), 10);
    EXPECT_EQ(Dunkle(bild, 0, 24, 180, 49), 0);
  }
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Profil, Geraet(0x7, 1), linien, 0, 2);
  Ablegen(bild, "woche_profil_markiert_2x.png");
  // Door 1, a stroke of width 2 at y 30 from x 196 to 426: device rows 58..61, columns 392..853.
  for (int y = 56; y <= 63; ++y) {
    EXPECT_EQ(Farbe(bild, 600, y) == grafik::kGruen, y >= 58 && y <= 61) << y;
  }
  EXPECT_NE(Farbe(bild, 391, 60), grafik::kGruen);
  EXPECT_EQ(Farbe(bild, 392, 60), grafik::kGruen);
  EXPECT_EQ(Farbe(bild, 853, 60), grafik::kGruen);
  EXPECT_NE(Farbe(bild, 854, 60), grafik::kGruen);
  // The marker above it: its top outline along y 25 two device rows wide, green below it.
  for (int y = 47; y <= 52; ++y) {
    EXPECT_EQ(Farbe(bild, 2 * 196, y) == QColor(Qt::black), y == 49 || y == 50) << y;
  }
  EXPECT_EQ(Farbe(bild, 2 * 196, 51), grafik::kGruen);
}

TEST(Wochengrafik, TextsArePlacedByTheirTopLeftCorner) {
  const QImage bild = grafik::ZeichneWoche(Wochenbild::Profil, Geraet(0x1, 0), {});
  // "Montag" at (5, 25): ink starts in its first rows, nothing above or left of it.
  EXPECT_EQ(Dunkle(bild, 0, 12, 90, 24), 0);
  EXPECT_GT(Dunkle(bild, 5, 25, 60, 29), 0);
  EXPECT_EQ(Dunkle(bild, 0, 25, 4, 40), 0);
  // The hour ruler at y 7: nothing above it.
  EXPECT_EQ(Dunkle(bild, 0, 0, 472, 6), 0);
  EXPECT_GT(Dunkle(bild, 91, 7, 105, 11), 0);
  // The special days name rows 9 and 10.
  EXPECT_GT(Dunkle(bild, 5, 187, 90, 200), 0);
  EXPECT_GT(Dunkle(bild, 5, 205, 90, 218), 0);
  // Grid: vertical lines at 97 + 15·h from y 25 to 222, the separator at 232.
  EXPECT_EQ(Farbe(bild, 97, 25), QColor(Qt::black));
  EXPECT_EQ(Farbe(bild, 457, 222), QColor(Qt::black));
  EXPECT_EQ(Farbe(bild, 457, 223), QColor(Qt::white));
  EXPECT_EQ(Farbe(bild, 300, 232), QColor(Qt::black));
}

}  // namespace
