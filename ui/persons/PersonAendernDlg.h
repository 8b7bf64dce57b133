// The window for one person: name, card code and access profile, with the week graph of the
// chosen profile. It works on a copy of the person; OK writes the copy into the document (a new
// person appended at the end, an existing one overwritten in place), Cancel writes nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Records.h"

#include "windowing/Fenster.h"

#include "ui_IDD_CHANGE_PERSON.h"

class TSteuerung;

class TIDD_CHANGE_PERSON : public fenster::TFormular, public Ui::IDD_CHANGE_PERSON {
  Q_OBJECT

 public:
  explicit TIDD_CHANGE_PERSON(QWidget* parent = nullptr);

  // Prepares the window for the person at `index` of the document (not owned), or for a new
  // person with -1: the copy, the two edits, the profiles with the person's one chosen, the
  // graph. A missing person throws ListError " Element not found ".
  void Init(TSteuerung* steuerung, int index);
  // The profile chosen by the user: the graph anew.
  void IDCB_PROFILChange();
  // Writes the copy back and closes with OK; refuses, with a box and writing nothing, an
  // empty card code, one with a blank, and a profile whose name does not fit the person.
  void BitBtn1Click();
  // The grid, the legend and the lines of the chosen profile (grid and legend only with none).
  void ZeichneProfil();

  // The working copy, or null while the window is not prepared.
  const PERSON* Kopie() const { return Person.get(); }

  void done(int ergebnis) override;

 private:
  // Frees the working copy; on every way the window closes.
  void FormClose();

  int Index = -1;
  TSteuerung* Steuerung = nullptr;
  std::unique_ptr<PERSON> Person;
  // The chosen profile's position in the combo and the document, -1 for none.
  int ProfilIndex = -1;
  // The profiles' names as stored, in combo order.
  std::vector<std::string> Profilnamen;
};
