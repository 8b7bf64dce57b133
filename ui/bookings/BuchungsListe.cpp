#include "bookings/BuchungsListe.h"

#include <QApplication>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <utility>

#include "text/Codec1252.h"
#include "text/Texte.h"

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }
QString Feld(const std::string& cp1252) { return QString::fromStdString(Cp1252NachUtf8(cp1252)); }

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
  QString name = Feld(LiesText(b.Name));
  for (const Ereignistext& e : kEreignisse) {
    if (((e.ZweitesByte ? b.Ereignis2 : b.Ereignis1) & e.Bit) != 0) name = T(e.Text);
  }
  return Zweistellig(b.Tag) + u'.' + Zweistellig(b.Monat) + u'.' + QStringLiteral("%1").arg(b.Jahr, 4, 10, QLatin1Char('0')) +
         QStringLiteral(", ") + Zweistellig(b.Stunde) + u':' + Zweistellig(b.Minute) + u':' + Zweistellig(b.Sekunde) +
         u'\t' + Feld(LiesText(b.Karte)) + u'\t' + name + u'\t' + Lesertext(LeserIndex(b.Ereignis1)) + u'/' +
         Tuertext(TuerIndex(b.Ereignis1));
}

void TBuchungsModell::Zeige(std::vector<const books*> buchungen) {
  beginResetModel();
  buchungen_ = std::move(buchungen);
  laengsteKarte_ = laengsterName_ = 0;
  std::size_t karte = 0;
  std::size_t name = 0;
  for (std::size_t i = 0; i < buchungen_.size(); ++i) {
    if (const std::size_t l = strnlen(buchungen_[i]->Karte, sizeof buchungen_[i]->Karte); l > karte) {
      karte = l;
      laengsteKarte_ = i;
    }
    if (const std::size_t l = strnlen(buchungen_[i]->Name, sizeof buchungen_[i]->Name); l > name) {
      name = l;
      laengsterName_ = i;
    }
  }
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
    case kBreitesteRolle:
      return QStringList{BuchungsZeile(*buchungen_[laengsteKarte_]), BuchungsZeile(*buchungen_[laengsterName_])};
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
  const std::vector<int> anfaenge = Anfaenge(teile, QFontMetrics(option.font));
  for (qsizetype i = 0; i < teile.size(); ++i) {
    const QRect rechteck(option.rect.left() + kRand + anfaenge[static_cast<std::size_t>(i)], option.rect.top(),
                         option.rect.width(), option.rect.height());
    painter->drawText(rechteck, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, teile[i]);
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

QSize TTabulatorDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize groesse = QStyledItemDelegate::sizeHint(option, index);
  const QFontMetrics metrik(option.font);
  int breite = 0;
  for (const QString& zeile : index.data(TBuchungsModell::kBreitesteRolle).toStringList()) {
    breite = std::max(breite, Anfaenge(zeile.split(u'\t'), metrik).back());
  }
  groesse.setWidth(breite + 2 * kRand);
  return groesse;
}
