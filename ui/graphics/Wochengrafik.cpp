#include "graphics/Wochengrafik.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>
#include <QSizeF>

#include "document/Steuerung.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"

namespace grafik {

namespace {

// Where the variants differ in their grid and line ends.
struct Raster {
  int zeilen;       // day rows drawn
  int rasterUnten;  // lower end of the vertical grid lines
  int trennlinieY;  // the line above the legend
  int x1Basis;      // x1 = x1Basis + 15·VonStunde + VonMinute/4
  int x2Basis;      // x2 = x2Basis + 15·BisStunde + BisMinute/4
};

Raster RasterVon(Wochenbild bild) {
  switch (bild) {
    case Wochenbild::Person: return {9, 185, 195, 99, 96};
    case Wochenbild::Profil: return {11, 222, 232, 99, 96};
    case Wochenbild::Tuer: break;
  }
  return {11, 222, 232, 98, 97};
}

class Maler {
 public:
  explicit Maler(QImage& bild) : p_(&bild) {
    QFont schrift = QGuiApplication::font();
    schrift.setPixelSize(11);
    p_.setFont(schrift);
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setRenderHint(QPainter::TextAntialiasing, false);
  }

  // A text by its top-left corner, in black.
  void Text(int x, int y, const QString& text) {
    p_.setPen(Qt::black);
    p_.drawText(QPoint(x, y + QFontMetrics(p_.font()).ascent()), text);
  }

  // A horizontal stroke from x1 to x2 (both included) of `breite` rows around y.
  void Waagrecht(int x1, int x2, int y, int breite, const QColor& farbe) {
    p_.fillRect(QRect(std::min(x1, x2), y - breite / 2, std::abs(x2 - x1) + 1, breite), farbe);
  }

  // A vertical black line of width 1 from y1 to y2 (both included).
  void Senkrecht(int x, int y1, int y2) { p_.fillRect(QRect(x, y1, 1, y2 - y1 + 1), Qt::black); }

  // A filled triangle with a black outline one pixel of the picture wide (a cosmetic pen would
  // be one pixel of the device on a scaled screen).
  void Dreieck(const QPoint& a, const QPoint& b, const QPoint& c, const QColor& farbe) {
    p_.setPen(QPen(Qt::black, 1));
    p_.setBrush(farbe);
    p_.drawPolygon(QPolygon({a, b, c}));
    p_.setBrush(Qt::NoBrush);
  }

 private:
  QPainter p_;
};

// Row label k: the day kinds, then the two special days.
QString Zeilentext(int k, const Anlage& anlage) {
  if (k == 9) return anlage.NameSondertag1;
  if (k == 10) return anlage.NameSondertag2;
  return T(Texte::Tagesarten[static_cast<std::size_t>(k)]);
}

void ZeichneRaster(Maler& m, Wochenbild bild, const Anlage& anlage) {
  const Raster r = RasterVon(bild);
  for (int k = 0; k < r.zeilen; ++k) m.Text(5, 25 + 18 * k, Zeilentext(k, anlage));
  for (int h = 0; h <= 24; ++h) {
    m.Text(91 + 15 * h, 7, T(Texte::Stundenleiste[static_cast<std::size_t>(h)]));
    m.Senkrecht(97 + 15 * h, 25, r.rasterUnten);
  }
  m.Waagrecht(5, 465, r.trennlinieY, 1, Qt::black);

  const bool tuer2 = (anlage.Flags & GD_TUER2) != 0;
  const bool tuer3 = (anlage.Flags & GD_TUER3) != 0;
  switch (bild) {
    case Wochenbild::Person:
      m.Waagrecht(150, 170, 210, 3, kGruen);
      m.Text(180, 205, T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
      if (anlage.Geraetetyp == 1) {
        m.Waagrecht(250, 270, 210, 3, kRot);
        m.Text(280, 205, T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
      }
      if (tuer3) {
        if (anlage.Geraetetyp != 0) {
          m.Waagrecht(350, 370, 210, 3, kBlau);
          m.Text(380, 205, T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
        } else {
          m.Text(280, 205, T(Texte::Beschriftungen[Texte::beschriftung::Tuer2MK]));
        }
      }
      break;
    case Wochenbild::Profil:
      m.Waagrecht(100, 120, 247, 3, kGruen);
      m.Text(130, 242, anlage.NameTuer1);
      if (tuer2) {
        m.Waagrecht(225, 245, 247, 3, kRot);
        m.Text(255, 242,
               anlage.Geraetetyp != 0 ? anlage.NameTuer2 : T(Texte::Beschriftungen[Texte::beschriftung::Tuer2MK]));
      }
      if (tuer3) {
        m.Waagrecht(350, 370, 247, 3, kBlau);
        m.Text(380, 242, T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
      }
      break;
    case Wochenbild::Tuer:
      m.Text(30, 242, T(Texte::Beschriftungen[Texte::beschriftung::Tuerstatus]) + u':');
      m.Waagrecht(100, 120, 247, 3, kGruen);
      m.Text(130, 242, T(Texte::Beschriftungen[Texte::beschriftung::Daueroffen]));
      m.Waagrecht(220, 240, 247, 3, kRot);
      m.Text(250, 242, T(Texte::Beschriftungen[Texte::beschriftung::Dauergesperrt]));
      m.Waagrecht(340, 360, 247, 3, kGrau);
      m.Text(370, 242, T(Texte::Beschriftungen[Texte::beschriftung::Kartenbetrieb]));
      for (int j = 1; j <= 11; ++j) m.Waagrecht(98, 457, 12 + 18 * j, 1, kGrau);
      break;
  }
}

// Triangles above the line pointing down at (x, y) for both ends.
void MarkeOben(Maler& m, int x1, int x2, int y, const QColor& farbe) {
  for (int x : {x1, x2}) m.Dreieck({x - 3, y - 4}, {x + 3, y - 4}, {x, y}, farbe);
}

// Triangles below the line pointing up at (x, y) for both ends.
void MarkeUnten(Maler& m, int x1, int x2, int y, const QColor& farbe) {
  for (int x : {x1, x2}) m.Dreieck({x - 3, y + 4}, {x + 3, y + 4}, {x, y}, farbe);
}

// Triangles left of the start and right of the end, pointing along the line.
void MarkeSeitlich(Maler& m, int x1, int x2, int y, const QColor& farbe) {
  m.Dreieck({x1 - 5, y - 3}, {x1 - 5, y + 3}, {x1, y}, farbe);
  m.Dreieck({x2 + 5, y + 3}, {x2 + 5, y - 3}, {x2, y}, farbe);
}

void ZeichneZeitlinie(Maler& m, Wochenbild bild, const Anlage& anlage, const Zeitlinie& z, int y, bool markiert) {
  const Raster r = RasterVon(bild);
  const int x1 = r.x1Basis + 15 * z.VonStunde + z.VonMinute / 4;
  const int x2 = r.x2Basis + 15 * z.BisStunde + z.BisMinute / 4;
  if (bild == Wochenbild::Tuer) {
    if ((z.Tage & TAG_DAUEROFFEN) != 0) {
      m.Waagrecht(x1, x2, y, 2, kGruen);
      if (markiert) MarkeOben(m, x1, x2, y - 1, kGruen);
    }
    if ((z.Tage & TAG_DAUERGESPERRT) != 0) {
      m.Waagrecht(x1, x2, y, 2, kRot);
      if (markiert) MarkeUnten(m, x1, x2, y + 1, kRot);
    }
    return;
  }
  const bool person = bild == Wochenbild::Person;
  if ((z.Tueren & 0x11) != 0) {
    m.Waagrecht(x1, x2, y, 2, kGruen);
    if (markiert) MarkeOben(m, x1, x2, y - 1, kGruen);
  }
  const bool tuer2 = person ? anlage.Geraetetyp == 1 : (anlage.Flags & GD_TUER2) != 0;
  if (tuer2 && (z.Tueren & 0x22) != 0) {
    m.Waagrecht(x1, x2, y + 3, 2, kRot);
    if (markiert) MarkeSeitlich(m, x1, x2, y + 3, kRot);
  }
  if ((anlage.Flags & GD_TUER3) != 0 && (z.Tueren & 0x44) != 0) {
    m.Waagrecht(x1, x2, y + 6, 2, kBlau);
    if (markiert) MarkeUnten(m, x1, x2, y + 6, kBlau);
  }
}

}  // namespace

Anlage AnlageVon(const TSteuerung& steuerung) {
  const GERAETEDATEN& g = steuerung.Geraetedaten;
  return {g.Flags,
          steuerung.Geraetetyp,
          feld::Lies(g.NameTuer1),
          feld::Lies(g.NameTuer2),
          feld::Text(steuerung.NameSondertag1),
          feld::Text(steuerung.NameSondertag2)};
}

QSize Groesse(Wochenbild bild) { return bild == Wochenbild::Person ? QSize(473, 225) : QSize(473, 265); }

QImage ZeichneWoche(Wochenbild bild, const Anlage& anlage, std::span<const Zeitlinie> linien, int markiert,
                    qreal verhaeltnis) {
  QImage bildpunkte((QSizeF(Groesse(bild)) * verhaeltnis).toSize(), QImage::Format_RGB32);
  bildpunkte.setDevicePixelRatio(verhaeltnis);  // the painter scales by it
  bildpunkte.fill(Qt::white);
  Maler m(bildpunkte);
  ZeichneRaster(m, bild, anlage);
  const int zeilen = RasterVon(bild).zeilen;
  for (std::size_t i = 0; i < linien.size(); ++i) {
    const Zeitlinie& z = linien[i];
    for (int k = 0; k < zeilen; ++k) {
      if ((z.Tage & (1u << k)) != 0) {
        ZeichneZeitlinie(m, bild, anlage, z, 30 + 18 * k, static_cast<int>(i) == markiert);
      }
    }
  }
  return bildpunkte;
}

}  // namespace grafik
