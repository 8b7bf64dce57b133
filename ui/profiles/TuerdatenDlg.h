// The door data window: per door its release time, monitoring time and six time lines that
// keep the door permanently open or locked, and for the device the flags that let a door open
// without a reader. Time lines go into the document at once (edit, delete), the release time
// when its edit is left; the monitoring times and the flags only on OK. A week graph shows
// the chosen door's lines, the selected one marked.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QValidator>

#include "model/Records.h"

#include "windowing/Fenster.h"

#include "ui_IDD_DOORDATA.h"

class TSteuerung;

// The seconds of a door: digits only, at most two of them; a value shown by the window (a
// controller's 120 s) stays acceptable as shown until the user changes it.
class SekundenValidator final : public QValidator {
 public:
  explicit SekundenValidator(QObject* parent) : QValidator(parent) {}
  State validate(QString& eingabe, int& position) const override;
  void Erlaube(const QString& gezeigt) { gezeigt_ = gezeigt; }

 private:
  QString gezeigt_;
};

class TIDD_DOORDATA : public fenster::TFormular, public Ui::IDD_DOORDATA {
  Q_OBJECT

 public:
  explicit TIDD_DOORDATA(QWidget* parent = nullptr);

  // Lists the doors in use and shows the first. With door 3 in use the document loses the
  // flags 0x1000, 0x2000 and 0x4000 at once. With no door in use StdError "Error in
  // Systemdata\n please ask your programmer".
  void Init(TSteuerung& steuerung);
  void FormShow();
  // The door chosen in IDCB_DOORS is shown; what was typed for the door shown before is
  // taken first (the release time stored, the monitoring time kept for OK).
  void IDCB_DOORSChange();
  void OpenDoorWithoutReaderClick();
  // Release time left: stored at once; a text that is not a number gives a box and 5, and
  // the result false.
  bool IDE_FREETIMEExit();
  void DOORTIMELINESClick();
  void DOORTIMELINESDblClick();
  void IDB_CHANGETLClick();
  void IDB_DELETETLClick();
  // Checks every number first; a bad one is shown in a box and the window stays open with
  // nothing written.
  void BitBtn1Click();
  // Draws the chosen door's lines, `markiert` with its markers (-1: none).
  void ZeichneProfil(int markiert);

  // The door shown (0 to 2) and the selected line, -1 when none.
  int GewaehlteTuer() const { return Tuer; }
  int GewaehlteZeile() const { return Zeile; }

  void done(int ergebnis) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  TUERPROFIL& Profil();
  void ZeigeSekunden(QLineEdit& edit, SekundenValidator& validator, int sekunden);

  TSteuerung* Steuerung = nullptr;
  std::vector<int> Tueren;  // the door of each item of IDCB_DOORS
  int Tuer = -1;
  int Zeile = -1;
  std::uint16_t Kopie = 0;  // working copy of the flag bits 12 to 15
  // Monitoring times typed for a door and not yet written (by door).
  std::array<std::optional<QString>, 3> Ueberwachung;
  SekundenValidator* FreigabePruefer;
  SekundenValidator* UeberwachungPruefer;
};
