#include "bookings/BuchungsListe.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QApplication>
#include <QPainter>
#include <QStringList>

#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "fields/Zeilenmass.h"

namespace {

// The event texts of the name column, by bit, in the order in which a later one wins.
struct Ereignistext {
  bool ZweitesByte;
  std::uint8_t Bit;
  const char* Text;
};
constexpr Ereignistext kEreignisse[] = {
    {false, EREIGNIS1_UNBEKANNT, "unbekannte Karte"},
    {false, EREIGNIS1_ABGEWIESEN, "abgewiese Karte"},
    {true, EREIGNIS2_ZU_LANGE_OFFEN, "Tür zu lange offen"},
    {true, EREIGNIS2_FREIGABE, "Freigabe"},
    {true, EREIGNIS2_UNERLAUBT_GEOEFFNET, "Tür ohne Erlaubnis auf"},
    {true, EREIGNIS2_GESCHLOSSEN, "Tür geschlossen"},
};

QString Tuertext(int tuer) {
  switch (tuer) {
    case 1: return T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]);
    case 2: return T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]);
    case 3: return T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]);
    default: return QStringLiteral(" ");
  }
}

QString Lesertext(int leser) {
  switch (leser) {
    case 1: return T(Texte::Beschriftungen[Texte::beschriftung::Leser1]);
    case 2: return T(Texte::Beschriftungen[Texte::beschriftung::Leser2]);
    default: return QString();
  }
}

QString Zweistellig(int zahl) { return QStringLiteral("%1").arg(zahl, 2, 10, QLatin1Char('0')); }

}  // namespace

QString BuchungsZeile(const books& b) {
  QString name = feld::Lies(b.Name);
  for (const Ereignistext& e : kEreignisse) {
    if (((e.ZweitesByte ? b.Ereignis2 : b.Ereignis1) & e.Bit) != 0) name = T(e.Text);
  }
  return Zweistellig(b.Tag) + u'.' + Zweistellig(b.Monat) + u'.' +
         QStringLiteral("%1").arg(b.Jahr, 4, 10, QLatin1Char('0')) + QStringLiteral(", ") + Zweistellig(b.Stunde) +
         u':' + Zweistellig(b.Minute) + u':' + Zweistellig(b.Sekunde) + u'\t' + feld::Lies(b.Karte) + u'\t' + name +
         u'\t' + Lesertext(LeserIndex(b.Ereignis1)) + u'/' + Tuertext(TuerIndex(b.Ereignis1));
}

void TBuchungsModell::Zeige(std::vector<const books*> buchungen) {
  beginResetModel();
  buchungen_ = std::move(buchungen);
  ++stand_;
  endResetModel();
}

void TBuchungsModell::Leere() { Zeige({}); }

int TBuchungsModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(buchungen_.size());
}

QVariant TBuchungsModell::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  switch (role) {
    case Qt::DisplayRole: return BuchungsZeile(*buchungen_[static_cast<std::size_t>(index.row())]);
    default: return {};
  }
}

int TTabulatorDelegate::NaechsterStop(int x) const {
  for (int stop : stops_) {
    if (stop > x) return stop;
  }
  const int abstand = stops_.back() - stops_[stops_.size() - 2];
  return stops_.back() + ((x - stops_.back()) / abstand + 1) * abstand;
}

void TTabulatorDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem feld = option;
  initStyleOption(&feld, index);
  const QStringList teile = feld.text.split(u'\t');
  // The background and the selection as every item has them, without the text.
  feld.text.clear();
  const QWidget* widget = option.widget;
  QStyle* stil = widget != nullptr ? widget->style() : QApplication::style();
  stil->drawControl(QStyle::CE_ItemViewItem, &feld, painter, widget);

  painter->save();
  painter->setFont(option.font);
  const bool gewaehlt = (option.state & QStyle::State_Selected) != 0;
  painter->setPen(option.palette.color(gewaehlt ? QPalette::HighlightedText : QPalette::Text));
  const QFontMetrics metrik(option.font);
  const std::vector<int> anfaenge = Anfaenge(teile, metrik);
  const int grundlinie = zeile::Grundlinie(option.rect, metrik);
  for (qsizetype i = 0; i < teile.size(); ++i) {
    painter->drawText(QPoint(option.rect.left() + kRand + anfaenge[static_cast<std::size_t>(i)], grundlinie), teile[i]);
  }
  painter->restore();
}

std::vector<int> TTabulatorDelegate::Anfaenge(const QStringList& teile, const QFontMetrics& metrik) const {
  std::vector<int> anfaenge;
  int x = 0;
  for (const QString& teil : teile) {
    if (!anfaenge.empty()) x = NaechsterStop(x);
    anfaenge.push_back(x);
    x += metrik.horizontalAdvance(teil);
  }
  anfaenge.push_back(x);
  return anfaenge;
}

// The end of every line, from the widths of its pieces: a card or name by the advances of its
// Windows-1252 characters, the date by the widest digit, the event and door texts as they are.
// Only the bytes of the records are read: making and measuring every line would cost the
// window's refill many times over.
int TTabulatorDelegate::BreitesteZeile(const std::vector<const books*>& buchungen, const QFontMetrics& metrik) const {
  if (buchungen.empty()) return 0;
  int zeichen[256];
  for (int c = 0; c < 256; ++c) {
    zeichen[c] = metrik.horizontalAdvance(feld::Text(std::string(1, static_cast<char>(c))));
  }
  int ziffer = 0;
  for (char16_t c = u'0'; c <= u'9'; ++c) ziffer = std::max(ziffer, metrik.horizontalAdvance(QChar(c)));
  const int trenner = metrik.horizontalAdvance(QStringLiteral(".., ::"));
  int ereignis[std::size(kEreignisse)];
  for (std::size_t e = 0; e < std::size(kEreignisse); ++e)
    ereignis[e] = metrik.horizontalAdvance(T(kEreignisse[e].Text));
  int leserTuer[3][4];
  for (int leser = 0; leser < 3; ++leser) {
    for (int tuer = 0; tuer < 4; ++tuer)
      leserTuer[leser][tuer] = metrik.horizontalAdvance(Lesertext(leser) + u'/' + Tuertext(tuer));
  }
  auto stellen = [](unsigned wert, int mindestens) {
    int n = 1;
    while (wert >= 10) wert /= 10, ++n;
    return std::max(n, mindestens);
  };
  auto text = [&](const char* feld, std::size_t groesse) {
    int breite = 0;
    for (std::size_t i = 0; i < groesse && feld[i] != 0; ++i) breite += zeichen[static_cast<unsigned char>(feld[i])];
    return breite;
  };
  int breiteste = 0;
  for (const books* b : buchungen) {
    int x = trenner + ziffer * (stellen(b->Tag, 2) + stellen(b->Monat, 2) + stellen(b->Jahr, 4) +
                                stellen(b->Stunde, 2) + stellen(b->Minute, 2) + stellen(b->Sekunde, 2));
    x = NaechsterStop(x) + text(b->Karte, sizeof b->Karte);
    int name = -1;
    for (std::size_t e = 0; e < std::size(kEreignisse); ++e) {
      if (((kEreignisse[e].ZweitesByte ? b->Ereignis2 : b->Ereignis1) & kEreignisse[e].Bit) != 0) name = ereignis[e];
    }
    x = NaechsterStop(x) + (name >= 0 ? name : text(b->Name, sizeof b->Name));
    x = NaechsterStop(x) + leserTuer[LeserIndex(b->Ereignis1)][TuerIndex(b->Ereignis1)];
    breiteste = std::max(breiteste, x);
  }
  return breiteste;
}

QSize TTabulatorDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize groesse = QStyledItemDelegate::sizeHint(option, index);
  if (const auto* modell = dynamic_cast<const TBuchungsModell*>(index.model())) {
    if (breite_.Modell != modell || breite_.Stand != modell->Stand() || breite_.Schrift != option.font) {
      breite_ = {modell, modell->Stand(), option.font, BreitesteZeile(modell->Gezeigte(), QFontMetrics(option.font))};
    }
    groesse.setWidth(breite_.Pixel + 2 * kRand);
  }
  groesse.setHeight(std::max(groesse.height(), zeile::Hoehe(QFontMetrics(option.font))));
  return groesse;
}
