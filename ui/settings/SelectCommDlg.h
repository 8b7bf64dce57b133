// The connection window: network (host) or serial port, with or without the programming
// cable, the device address on the bus and the protocol log; it can test the connection on the
// spot. It writes into the document object, which keeps the settings for Wup.ini; only OK
// closes it.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDD_COMM.h"

class TSteuerung;

class TIDD_COMM : public fenster::TFormular, public Ui::IDD_COMM {
  Q_OBJECT

 public:
  explicit TIDD_COMM(QWidget* parent = nullptr);

  void Init(TSteuerung* steuerung);

  // Fills the controls from the document in the opener's order; ticking the cable box here
  // runs its click handler, as a click would.
  void ZeigeWerte();

  void BitBtnOKClick();
  void ButtonTESTCONClick();
  void CheckBoxCabelPluggedClick();
  void IDCB_ADRESSChange();
  // Refuses every change of the page while the programming cable is ticked.
  void PageControl1Changing(bool& AllowChange);

  // Neither Escape nor the window manager closes it: OK is the only way out.
  void reject() override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Shows page `seite` as the program's choice, which is never refused.
  void SetzeSeite(int seite);
  // The page the user turned to, when it may not be turned: the page shown before comes back.
  void SeiteGewechselt(int seite);
  // The host text without the blanks at either end.
  std::string IpText() const;
  // The selected port as ComPort; with none selected (a configured port outside the list), the
  // port held.
  int Anschluss() const;

  TSteuerung* Steuerung = nullptr;
  int Seite = 0;             // the page shown, to return to when a change is refused
  bool SeiteSetzen = false;  // the program itself changes the page
};
