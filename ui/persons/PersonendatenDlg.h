// The person list: one line per person of the document (name, card code, profile, separated
// by tabs that line up under the three column heads), sorting by each head, and new, change and
// delete. Every change goes into the document at once; OK only closes.
#pragma once

#include <array>

#include "windowing/Fenster.h"

#include "ui_IDD_PERSONEN.h"

class QStringListModel;
class TSteuerung;

class TIDD_PERSONEN : public fenster::TFormular, public Ui::IDD_PERSONEN {
  Q_OBJECT

 public:
  explicit TIDD_PERSONEN(QWidget* parent = nullptr);

  // Keeps the document (not owned); every column sorts ascending at its next click.
  void Init(TSteuerung* steuerung);
  // The list refilled from the document in list order, no line selected.
  void ZeigePersonen();
  void FormShow();
  // Change and Delete are usable while a line is selected, and only then.
  void IDL_PERSONClick();
  void IDB_NEWPERSONClick();
  void IDB_CHANGE_PERSONClick();
  void IDL_PERSONDblClick() { IDB_CHANGE_PERSONClick(); }
  void IDB_DELETEPERSONClick();
  void IDB_NAMEClick() { Sortiere(0); }
  void IDB_CARDClick() { Sortiere(1); }
  void IDB_PROFILClick() { Sortiere(2); }

  // The selected line, -1 for none.
  int Zeile() const;

 protected:
  void showEvent(QShowEvent* ereignis) override;

 private:
  // Flips the column's direction, sorts the persons by its key in that direction (a sort that
  // moves a person marks the document unsaved), refills.
  void Sortiere(int schluessel);

  TSteuerung* Steuerung = nullptr;
  // Per column (name, card, profile): true descending, false ascending.
  std::array<bool, 3> Absteigend{true, true, true};
  QStringListModel* Zeilen;
};
