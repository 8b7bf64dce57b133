#include "persons/PersonendatenDlg.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QShowEvent>
#include <QStringList>
#include <QStringListModel>
#include <QStyledItemDelegate>

#include "document/Steuerung.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "fields/Zeilenmass.h"
#include "persons/PersonAendernDlg.h"
#include "shared/Fensterregister.h"

namespace {

// Draws a line's tab-separated parts at tab stops, as a list box with tab stops does: each part
// starts at the first stop right of the end of the part before it.
class Tabstopps final : public QStyledItemDelegate {
 public:
  Tabstopps(std::vector<int> stopps, QObject* parent) : QStyledItemDelegate(parent), stopps_(std::move(stopps)) {}

  void paint(QPainter* maler, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QStringList teile = o.text.split(u'\t');
    o.text.clear();
    const QWidget* liste = o.widget;
    const QStyle* stil = liste != nullptr ? liste->style() : QApplication::style();
    stil->drawControl(QStyle::CE_ItemViewItem, &o, maler, liste);
    const QRect flaeche = stil->subElementRect(QStyle::SE_ItemViewItemText, &o, liste);
    const QFontMetrics metrik(o.font);
    maler->save();
    maler->setFont(o.font);
    maler->setPen(o.palette.color(o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    const int grundlinie = zeile::Grundlinie(o.rect, metrik);
    int x = 0;
    for (const QString& teil : teile) {
      maler->drawText(QPoint(flaeche.left() + x, grundlinie), teil);
      x = NaechsterStopp(x + metrik.horizontalAdvance(teil));
    }
    maler->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QFontMetrics metrik(o.font);
    int x = 0;
    int ende = 0;
    for (const QString& teil : o.text.split(u'\t')) {
      ende = x + metrik.horizontalAdvance(teil);
      x = NaechsterStopp(ende);
    }
    // The text's margin on either side, as the style's item views keep it.
    const QStyle* stil = o.widget != nullptr ? o.widget->style() : QApplication::style();
    const int rand = stil->pixelMetric(QStyle::PM_FocusFrameHMargin, &o, o.widget) + 1;
    return {ende + 2 * rand, std::max(zeile::Hoehe(metrik), QStyledItemDelegate::sizeHint(option, index).height())};
  }

 private:
  // The first stop right of `ende`; beyond the last one the stops repeat at its distance from
  // the one before.
  int NaechsterStopp(int ende) const {
    for (int stopp : stopps_) {
      if (stopp > ende) return stopp;
    }
    const int letzter = stopps_.back();
    const int schritt = letzter - (stopps_.size() > 1 ? stopps_[stopps_.size() - 2] : 0);
    return letzter + ((ende - letzter) / schritt + 1) * schritt;
  }

  std::vector<int> stopps_;
};

}  // namespace

TIDD_PERSONEN::TIDD_PERSONEN(QWidget* parent) : fenster::TFormular(parent), Zeilen(new QStringListModel(this)) {
  setupUi(this);
  setFixedSize(size());
  IDB_NEWPERSON->setText(T(Texte::Beschriftungen[Texte::beschriftung::Neu]));
  IDB_CHANGE_PERSON->setText(T(Texte::Beschriftungen[Texte::beschriftung::Aendern]));
  IDB_DELETEPERSON->setText(T(Texte::Beschriftungen[Texte::beschriftung::Loeschen]));
  IDB_NAME->setText(T(Texte::Beschriftungen[Texte::beschriftung::NameAufdruck]));
  IDB_CARD->setText(T(Texte::Beschriftungen[Texte::beschriftung::Kartencodierung]));
  IDB_PROFIL->setText(T(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofil]));
  IDB_CHANGE_PERSON->setEnabled(false);
  IDB_DELETEPERSON->setEnabled(false);

  IDL_PERSON->setModel(Zeilen);
  // The columns start under the column heads.
  const int links = IDL_PERSON->x();
  IDL_PERSON->setItemDelegate(new Tabstopps({IDB_CARD->x() - links, IDB_PROFIL->x() - links}, this));

  auto geschuetzt = [this](void (TIDD_PERSONEN::*handler)()) {
    return [this, handler] { fenster::Geschuetzt([this, handler] { (this->*handler)(); }); };
  };
  connect(IDL_PERSON->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          geschuetzt(&TIDD_PERSONEN::IDL_PERSONClick));
  connect(IDL_PERSON, &QListView::doubleClicked, this, geschuetzt(&TIDD_PERSONEN::IDL_PERSONDblClick));
  connect(IDB_NEWPERSON, &QPushButton::clicked, this, geschuetzt(&TIDD_PERSONEN::IDB_NEWPERSONClick));
  connect(IDB_CHANGE_PERSON, &QPushButton::clicked, this, geschuetzt(&TIDD_PERSONEN::IDB_CHANGE_PERSONClick));
  connect(IDB_DELETEPERSON, &QPushButton::clicked, this, geschuetzt(&TIDD_PERSONEN::IDB_DELETEPERSONClick));
  connect(IDB_NAME, &QPushButton::clicked, this, geschuetzt(&TIDD_PERSONEN::IDB_NAMEClick));
  connect(IDB_CARD, &QPushButton::clicked, this, geschuetzt(&TIDD_PERSONEN::IDB_CARDClick));
  connect(IDB_PROFIL, &QPushButton::clicked, this, geschuetzt(&TIDD_PERSONEN::IDB_PROFILClick));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
}

void TIDD_PERSONEN::showEvent(QShowEvent* ereignis) {
  fenster::TFormular::showEvent(ereignis);
  if (!ereignis->spontaneous()) fenster::Geschuetzt([this] { FormShow(); });
}

void TIDD_PERSONEN::Init(TSteuerung* steuerung) {
  Steuerung = steuerung;
  Absteigend = {true, true, true};
}

void TIDD_PERSONEN::ZeigePersonen() {
  QStringList zeilen;
  zeilen.reserve(Steuerung->Personen.Anzahl);
  for (ArrayElement<PERSON*>* e = Steuerung->Personen.Kopf; e != nullptr; e = e->Next) {
    const PERSON& p = *e->Daten;
    zeilen.append(feld::Lies(p.Name) + u'\t' + feld::Lies(p.Karte) + u'\t' + feld::Lies(p.Profil));
  }
  Zeilen->setStringList(zeilen);
  // A refill chooses no line and says so to the buttons. Nor does any line look chosen: with
  // no current line set, the list would frame its first one when it gets the focus back.
  IDL_PERSON->setCurrentIndex(QModelIndex());
  IDL_PERSONClick();
}

void TIDD_PERSONEN::FormShow() {
  IDB_CHANGE_PERSON->setEnabled(false);
  IDB_DELETEPERSON->setEnabled(false);
  ZeigePersonen();
}

int TIDD_PERSONEN::Zeile() const {
  const QModelIndexList gewaehlt = IDL_PERSON->selectionModel()->selectedIndexes();
  return gewaehlt.isEmpty() ? -1 : gewaehlt.constFirst().row();
}

void TIDD_PERSONEN::IDL_PERSONClick() {
  const bool gewaehlt = Zeile() >= 0;
  IDB_CHANGE_PERSON->setEnabled(gewaehlt);
  IDB_DELETEPERSON->setEnabled(gewaehlt);
}

void TIDD_PERSONEN::IDB_NEWPERSONClick() {
  IDD_CHANGE_PERSON->setWindowTitle(T(Texte::Titel[Texte::titel::NeuePersonAnlegen]));
  IDD_CHANGE_PERSON->Init(Steuerung, -1);
  fenster::ZeigeModal(*IDD_CHANGE_PERSON);
  ZeigePersonen();
}

void TIDD_PERSONEN::IDB_CHANGE_PERSONClick() {
  const int zeile = Zeile();
  if (zeile < 0) return;
  IDD_CHANGE_PERSON->Init(Steuerung, zeile);
  IDD_CHANGE_PERSON->setWindowTitle(T(Texte::Titel[Texte::titel::PersonAendern]));
  fenster::ZeigeModal(*IDD_CHANGE_PERSON);
  ZeigePersonen();
}

void TIDD_PERSONEN::IDB_DELETEPERSONClick() {
  const int zeile = Zeile();
  if (zeile >= 0 && Steuerung->Personen.Anzahl > 0) {
    Steuerung->Personen.Remove(zeile);
    Steuerung->DatenGespeichert = false;
  }
  ZeigePersonen();
}

void TIDD_PERSONEN::Sortiere(int schluessel) {
  bool& absteigend = Absteigend[static_cast<std::size_t>(schluessel)];
  absteigend = !absteigend;
  Steuerung->SortierePersonen(schluessel, absteigend ? 1 : 0);
  ZeigePersonen();
}
