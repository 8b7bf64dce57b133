// What the two time-line editors share: a time range set by two scroll bars (0 to 288 steps of
// five minutes, 288 = 24:00) or typed as hh:mm, eleven day boxes and "Alle auswählen". The
// editors hand over their controls after building their forms; their own Init loads the rest
// of the line and their OK writes it.
//
// The held hour and minute always come from a bar's position: a typed time moves its bar
// (clamped to 0..288) and then runs the bar's handler, so times past 24:00 or off the
// five-minute grid never reach the line. The bars hold the order: the to-bar never stands
// below the from-bar. A typed text is taken when its edit loses the focus and, at the latest,
// by OK.
#pragma once

#include <array>
#include <cstdint>

#include <QPushButton>

#include "model/Records.h"

#include "windowing/Fenster.h"

class QCheckBox;
class QLineEdit;
class QScrollBar;

class TZeitlinienFenster : public fenster::TFormular {
  Q_OBJECT

 public:
  // The common controls of a form; the day boxes in bit order, Monday (0x1) to special
  // day 2 (0x400).
  struct Bedienelemente {
    QScrollBar* von;
    QScrollBar* bis;
    QLineEdit* vonText;
    QLineEdit* bisText;
    std::array<QCheckBox*, 11> tage;
    QPushButton* alle;
    QPushButton* abbruch;
  };

  // The four held values, the ones OK writes.
  int VonStunde() const { return VonStunde_; }
  int VonMinute() const { return VonMinute_; }
  int BisStunde() const { return BisStunde_; }
  int BisMinute() const { return BisMinute_; }

  // Bar moved: the held values and the edit follow its position, then the order is held.
  void IDSB_FROM_TIMEChange();
  void IDSB_TO_TIMEChange();
  // Time typed: the bar moves to it and its handler runs. A text that is not a time is
  // refused in a box and the held values are shown again; the result is then false.
  bool IDE_FROM_TIMEExit();
  bool IDE_TO_TIMEExit();
  // Ticks Monday to Sunday, half holiday and holiday; the special days stay as they are.
  void IDB_ALLClick();

 protected:
  explicit TZeitlinienFenster(QWidget* parent);
  // Takes the form's controls; called once by the constructor of the editor.
  void Uebernimm(const Bedienelemente& b);
  // The same for a form whose controls carry the editors' common names, and OK (BitBtn1) bound
  // to the editor's BitBtn1Click inside the guard.
  template <class Editor>
  void UebernimmFormular(Editor& e) {
    Uebernimm({e.IDSB_FROM_TIME,
               e.IDSB_TO_TIME,
               e.IDE_FROM_TIME,
               e.IDE_TO_TIME,
               {e.IDCB_MONDAY, e.IDCB_TUESDAY, e.IDCB_WEDNESDAY, e.IDCB_THURSDAY, e.IDCB_FRIDAY, e.IDCB_SATURDAY,
                e.IDCB_SUNDAY, e.IDCB_HALFFREEDAY, e.IDCB_HOLIDAY, e.IDCB_SPECIAL1, e.IDCB_SPECIAL2},
               e.IDB_ALL,
               e.BitBtn2});
    connect(e.BitBtn1, &QPushButton::clicked, this, [&e] { fenster::Geschuetzt([&e] { e.BitBtn1Click(); }); });
  }
  // Keeps the caller's copy and loads its times and day boxes, as on a first showing.
  void LadeZeitenUndTage(Zeitlinie& kopie);
  // Takes what is still typed in the edits; false when a text was refused.
  bool NimmEingaben();
  // The four times and the day bits of the ticked boxes (0x1 .. 0x400).
  void SchreibeZeitenUndTage(Zeitlinie& z) const;
  // The caller's copy; null before the first Init.
  Zeitlinie* Kopie = nullptr;

  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  // One bar with its edit and its held hour and minute.
  struct Zeit {
    QScrollBar* bar;
    QLineEdit* text;
    int* stunde;
    int* minute;
  };
  void BarBewegt(const Zeit& diese, QScrollBar& andere, bool istVon);
  bool Eingabe(const Zeit& diese, bool istVon);
  void Zeige(const Zeit& z) const;
  Zeit VonZeit() { return {b_.von, b_.vonText, &VonStunde_, &VonMinute_}; }
  Zeit BisZeit() { return {b_.bis, b_.bisText, &BisStunde_, &BisMinute_}; }

  Bedienelemente b_{};
  int VonStunde_ = 0;
  int VonMinute_ = 0;
  int BisStunde_ = 0;
  int BisMinute_ = 0;
};
