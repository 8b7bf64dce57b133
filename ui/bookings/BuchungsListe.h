// The lines of the bookings list. Each shown booking is one line
// "dd.mm.yyyy, hh:mm:ss<Tab>card<Tab>name or event<Tab>reader/door"; the model holds the shown
// bookings and makes a line only when the view asks for it, so a refill of a hundred thousand
// lines costs a walk over the list. The delegate sets the columns at tab stops, which the
// window puts under its heads. All rows are as wide as the widest line, so a long card that
// pushes its line past the list's edge can be scrolled to.
#pragma once

#include <cstdint>
#include <vector>

#include <QAbstractListModel>
#include <QString>
#include <QStyledItemDelegate>

#include "model/Records.h"

// The list line of a booking. The name column shows the booking's name unless an event bit
// is set; then the text of the last set bit in the order 0x40, 0x80 of the first event byte,
// 0x01, 0x02, 0x04, 0x08 of the second. The last column is the reader ("Leser 2" over
// "Leser 1"), "/" and the door (the highest door bit; " " without one).
QString BuchungsZeile(const books& buchung);

class TBuchungsModell final : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  // Shows these bookings in this order. They belong to the document: every change of its
  // bookings list is followed by Zeige or preceded by Leere.
  void Zeige(std::vector<const books*> buchungen);
  void Leere();

  int rowCount(const QModelIndex& parent = {}) const override;
  // DisplayRole: the line.
  QVariant data(const QModelIndex& index, int role) const override;
  // The shown bookings in row order, and a number that changes with every Zeige.
  const std::vector<const books*>& Gezeigte() const { return buchungen_; }
  std::uint64_t Stand() const { return stand_; }

 private:
  std::vector<const books*> buchungen_;
  std::uint64_t stand_ = 0;
};

// Draws a line's tab-separated pieces at tab stops: each piece starts at the first stop to
// the right of the text before it; beyond the last stop further stops follow at the distance
// of the last two.
class TTabulatorDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // Stops in pixels from the left edge of the text, ascending, at least two.
  void SetzeTabulatoren(std::vector<int> stops) { stops_ = std::move(stops); }
  // Space between the item's left edge and its text.
  static constexpr int kRand = 3;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // Every row: the height of a line, the width of the widest line of the bookings model (at
  // least that wide: a name or card is measured by the advances of its characters).
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int NaechsterStop(int x) const;
  int BreitesteZeile(const std::vector<const books*>& buchungen, const QFontMetrics& metrik) const;

  // The widest line, kept until the model shows other bookings or the font changes: the view
  // asks for the size several times per refill.
  struct Breite {
    const TBuchungsModell* Modell = nullptr;
    std::uint64_t Stand = 0;
    QFont Schrift;
    int Pixel = 0;
  };
  mutable Breite breite_;
  // Where each tab-separated piece of `zeile` starts, and its end as the last entry.
  std::vector<int> Anfaenge(const QStringList& teile, const QFontMetrics& metrik) const;

  std::vector<int> stops_;
};
