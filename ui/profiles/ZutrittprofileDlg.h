// The access profile editor: the document's profiles by name, a new profile under a typed name,
// deleting one, and the 18 time lines of the chosen profile with change and delete, above the
// week graph with the selected line marked. Every change goes into the document at once and
// marks it unsaved; there is no undo, and OK only closes.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDD_PROFIL.h"

class TSteuerung;
struct PROFIL;

class TIDD_PROFIL : public fenster::TFormular, public Ui::IDD_PROFIL {
  Q_OBJECT

 public:
  explicit TIDD_PROFIL(QWidget* parent = nullptr);

  // Keeps the document (not owned), fills the line list and shows the profiles.
  void Init(TSteuerung* steuerung);
  // The combo refilled from the document, the first profile chosen, the graph unmarked.
  void ZeigeProfile();
  void FormShow();
  void IDC_SELECTPROFILChange();
  // Asks for the name in the input window. A name is refused with a box when it has more
  // than 11 characters (a person's profile field holds 11), a blank (the person telegram
  // would split it) or a character Windows-1252 cannot hold.
  void IDB_NEWPROFILClick();
  void IDB_DELETE_PROFILClick();
  void IDC_SELECT_TIMEZONEClick();
  // Edits the selected line of the chosen profile in the time-line editor; nothing without
  // a selected line or a chosen profile.
  void IDC_SELECT_TIMEZONEDblClick();
  void IDB_CHANGE_TIMEZONEClick() { IDC_SELECT_TIMEZONEDblClick(); }
  void IDB_DELETE_TIMEZONEClick();
  // The graph of the chosen profile (grid and legend only when none is chosen), line
  // `markiert` marked (-1: none).
  void ZeichneProfil(int markiert);

  // The chosen profile's position, -1 for none.
  int Profilindex() const { return ProfilIndex; }

 protected:
  void showEvent(QShowEvent* ereignis) override;

 private:
  // The chosen profile, or null when no profile is chosen or no line is selected.
  PROFIL* GewaehltesProfil();
  // The selected line, -1 for none. The list makes its first line current, unselected, when
  // it gets the focus by the keyboard: only a selected line counts.
  int Zeile() const;
  void Geaendert();

  TSteuerung* Steuerung = nullptr;
  int ProfilIndex = -1;
};
