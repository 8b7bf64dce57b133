#include "graphics/Kalenderbild.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QSizeF>

#include "model/Kalenderjahr.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"

namespace kalenderbild {

namespace {

constexpr int kSpalten = 37;

// Normal and highlight fill of each day kind; the text is white on the dark ones.
struct Farben {
  QColor fuellung;
  QColor text;
};

Farben Normal(std::uint8_t art, bool sonntag) {
  switch (art) {
    case TA_FEIERTAG: return {QColor(0x00, 0xFF, 0x00), Qt::black};
    case TA_HALBER_FEIERTAG: return {QColor(0xFF, 0xFF, 0x00), Qt::black};
    case TA_UMSCHALTTAG: return {QColor(0x00, 0x00, 0xFF), Qt::white};
    case TA_SONDERTAG1:
    case TA_SONDERTAG2: return {QColor(0xC0, 0xC0, 0xC0), Qt::black};
    default: return {sonntag ? QColor(0xFF, 0x00, 0x00) : QColor(0xFF, 0xFF, 0xFF), Qt::black};
  }
}

Farben Hervorgehoben(std::uint8_t art) {
  switch (art) {
    case TA_FEIERTAG: return {QColor(0xFF, 0x00, 0xFF), Qt::black};
    case TA_HALBER_FEIERTAG: return {QColor(0x00, 0xFF, 0xFF), Qt::black};
    case TA_UMSCHALTTAG: return {QColor(0x00, 0x80, 0x80), Qt::white};
    case TA_SONDERTAG1:
    case TA_SONDERTAG2: return {QColor(0x80, 0x80, 0x80), Qt::black};
    default: return {QColor(0x00, 0x00, 0x00), Qt::white};
  }
}

// A text placed by its top-left corner.
void Text(QPainter& p, int x, int y, const QString& text) {
  p.drawText(QRect(x, y, kBreite, kHoehe), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// A box from (x1, y1) to (x2, y2), right and bottom edge exclusive: filled, outlined. The
// outline is its outer ring of pixels, filled, not stroked: on a scaled screen a pen would be
// centred on the edge and the fill would show outside the outline.
void Kasten(QPainter& p, int x1, int y1, int x2, int y2, const QColor& fuellung, const QColor& rand) {
  p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), rand);
  p.fillRect(QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2), fuellung);
}

void Rahmen(QPainter& p) {
  p.setPen(Qt::black);
  for (int i = 0; i < 12; ++i) Text(p, 5, 16 * i + 25, T(Texte::Monate[static_cast<std::size_t>(i)]));
  for (int j = 1; j <= kSpalten; ++j) Text(p, 13 * j + 72, 10, T(Texte::Tageskuerzel[static_cast<std::size_t>(j % 7)]));
  struct Legende {
    int x;
    QColor farbe;
    const char* text;
  };
  // A box moves right of its place when the text before it needs the room, so every text
  // shows whole in this font.
  int frei = 0;
  for (const Legende& l : {Legende{50, QColor(0x00, 0xFF, 0x00), Texte::Titel[Texte::titel::Feiertag]},
                           Legende{150, QColor(0xFF, 0xFF, 0x00), Texte::Titel[Texte::titel::HalberFeiertag]},
                           Legende{250, QColor(0x00, 0x00, 0xFF), Texte::Titel[Texte::titel::SommerWinterUmschaltung]},
                           Legende{480, QColor(0xC0, 0xC0, 0xC0), Texte::Tagesarten[Texte::tagesart::Sondertage]}}) {
    const int x = std::max(l.x, frei);
    Kasten(p, x, 250, x + 14, 264, l.farbe, Qt::black);
    p.setPen(Qt::black);
    Text(p, x + 17, 250, T(l.text));
    frei = x + 17 + p.fontMetrics().horizontalAdvance(T(l.text)) + 8;
  }
}

void Zelle(QPainter& p, const CJulian& jahr, int monat, int tag, bool markiert) {
  const int spalte = jahr.Wochentag(monat, 1) + tag - 1;
  const bool samstag = spalte % 7 == 0;
  const bool sonntag = spalte % 7 == 1;
  const std::uint8_t art = jahr.Tagesart(monat, tag);
  const Farben f = markiert ? Hervorgehoben(art) : Normal(art, sonntag);
  const QPoint ecke = Zellenecke(monat, spalte);
  Kasten(p, ecke.x(), ecke.y(), ecke.x() + 14, ecke.y() + 17, f.fuellung,
         samstag && !markiert ? QColor(0xFF, 0x00, 0x00) : QColor(Qt::black));
  p.setPen(f.text);
  // A pixel of the fill stays free beside each outline.
  Text(p, ecke.x() + 2, ecke.y() + 3, QString::number(tag));
}

// The font of the day numbers: 9 pixels high, narrowed until every number's ink fits the ten
// pixels between the free pixels beside the outlines of its cell.
QFont Zahlenschrift(const QFont& schrift) {
  constexpr int kRaum = 10;
  QFont klein = schrift;
  klein.setPixelSize(9);
  for (int breite = 100; breite > 50; breite -= 5) {
    klein.setStretch(breite);
    const QFontMetrics masse(klein);
    bool passt = true;
    for (int tag = 1; tag <= 31 && passt; ++tag) {
      const QRect tinte = masse.tightBoundingRect(QString::number(tag));
      passt = tinte.left() >= 0 && tinte.right() < kRaum;
    }
    if (passt) break;
  }
  return klein;
}

}  // namespace

QPoint Zellenecke(int monat, int spalte) { return QPoint(13 * spalte + 70, 16 * (monat - 1) + 25); }

QImage Zeichne(const CJulian& jahr, std::optional<Kalendertag> markiert, const QFont& schrift, qreal verhaeltnis) {
  QImage bild((QSizeF(kBreite, kHoehe) * verhaeltnis).toSize(), QImage::Format_RGB32);
  bild.setDevicePixelRatio(verhaeltnis);  // the painter scales by it
  bild.fill(Qt::white);
  QPainter p(&bild);
  p.setFont(schrift);
  Rahmen(p);
  p.setFont(Zahlenschrift(schrift));
  for (int monat = 1; monat <= 12; ++monat) {
    for (int tag = 1; tag <= jahr.Monatslaenge(monat); ++tag) {
      if (markiert != Kalendertag{monat, tag}) Zelle(p, jahr, monat, tag, false);
    }
  }
  // Drawn last, so its outline lies over the lines it shares with its neighbours.
  if (markiert && markiert->Tag >= 1 && markiert->Tag <= jahr.Monatslaenge(markiert->Monat)) {
    Zelle(p, jahr, markiert->Monat, markiert->Tag, true);
  }
  return bild;
}

std::optional<Kalendertag> Treffer(const CJulian& jahr, QPoint punkt) {
  const int x = punkt.x();
  const int y = punkt.y();
  if (y < 25 || y > 217 || x < 83 || x > 564) return std::nullopt;
  // Rounded up: the row of a point on a line shared by two cells is the upper one.
  const int monat = (y - 24 + 15) / 16;
  const int spalte = (x - 82 + 12) / 13;
  if (monat < 1 || monat > 12 || spalte < 1 || spalte > kSpalten) return std::nullopt;
  const int tag = spalte - jahr.Wochentag(monat, 1) + 1;
  if (tag < 1 || tag > jahr.Monatslaenge(monat)) return std::nullopt;
  return Kalendertag{monat, tag};
}

}  // namespace kalenderbild
