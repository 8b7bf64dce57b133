// The holiday calendar: one year of the document's holiday table as a grid of days, the kind
// of a day set through a popup menu, the generator, clearing the table, and on every way of
// closing the summer/winter switch pairs rebuilt from the table. Edits go straight into the
// document's table and mark the document unsaved.
#pragma once

#include <memory>
#include <optional>

#include <QPoint>

#include "model/Kalenderjahr.h"

#include "graphics/Kalenderbild.h"
#include "windowing/Fenster.h"

#include "ui_IDD_FEIERTAG.h"

class QAction;
class QMenu;
class TSteuerung;

class TIDD_FEIERTAG : public fenster::TFormular, public Ui::IDD_FEIERTAG {
  Q_OBJECT

 public:
  explicit TIDD_FEIERTAG(QWidget* parent = nullptr);
  ~TIDD_FEIERTAG() override;

  // Shows `jahr` (within the reference year and the 18 years after it) of `dokument`.
  void Init(int jahr, TSteuerung* dokument);

  void UpDownYearClick();
  // A click into the grid: selects and highlights the day under `punkt`; the right button or
  // a double click then shows the popup menu with the day's kind checked.
  void IDI_FREEDAYSMouseDown(Qt::MouseButton knopf, bool doppelklick, QPoint punkt);
  void IDM_NDAYClick();
  void IDM_FDAYClick();
  void IDM_HDAYClick();
  void SWITCHClick();
  void SPEC1Click();
  void SPEC2Click();
  void IDB_SETTABLEClick();
  void IDB_CLEARClick();
  void BitBtn1Click();
  // Rebuilds the document's switch pairs and lets the year go; runs on every way of closing.
  void FormClose();

  void done(int ergebnis) override;

  // The year shown; null while the window is closed.
  const CJulian* Kalenderjahr() const { return Kalender.get(); }
  std::optional<kalenderbild::Kalendertag> Auswahl() const;

  QMenu* PopupMenu1;
  QAction* IDM_NDAY;
  QAction* IDM_FDAY;
  QAction* IDM_HDAY;
  QAction* SWITCH;
  QAction* SPEC1;
  QAction* SPEC2;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  // Fills the grid from the table's entries of the year shown and draws it.
  void LadeJahr();
  void ZeichneKalender();
  // Gives the selected day the kind 0..5 in the table and the grid.
  void SetzeTagesart(int art);

  std::unique_ptr<CJulian> Kalender;
  TSteuerung* Steuerung = nullptr;
  int AnzeigeJahr = 0;
  int AuswahlMonat = 0;  // 0: no day selected
  int AuswahlTag = 0;
  bool Hervorgehoben = false;  // the selected day is drawn in its highlight colour
};
