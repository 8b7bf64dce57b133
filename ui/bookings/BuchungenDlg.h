// The bookings window: one line per booking of the document, restricted to one door when
// the user picks one, sorted by time, card or name (each head with its own direction), the
// fetch from the controller, deleting the shown bookings, the export into a text file, and OK,
// which writes the bookings file when the bookings are unsaved.
#pragma once

#include <QString>

#include "windowing/Fenster.h"

#include "ui_IDD_BUCHUNGEN.h"

class TSteuerung;
class TBuchungsModell;
struct books;

class TIDD_BUCHUNGEN : public fenster::TFormular, public Ui::IDD_BUCHUNGEN {
  Q_OBJECT

 public:
  explicit TIDD_BUCHUNGEN(QWidget* parent = nullptr);

  // Set-up before each showing: reads the document's bookings file (once per document),
  // shows every door and resets the three sort directions.
  void Init(TSteuerung* steuerung);
  // Refills the list from the document's bookings list through the door filter.
  void ZeigeBuchungen();
  // Writes the export file and offers to clear the bookings list.
  void ExportiereBuchungen(const QString& dateiname);

  void IDB_GET_BOOKClick();
  void IDB_OKClick();
  void IDB_DELETEClick();
  void IDCB_SELECT_DOORChange();
  void IDB_TIMEClick();
  void IDB_CARDClick();
  void IDB_NAMEClick();
  void IDB_EXPORT_BKSClick();

  // Every way the window closes: the list lets go of the document's bookings.
  void done(int ergebnis) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Inverts the head's own direction and sorts by `schluessel` in the new direction.
  void Sortiere(bool& richtung, int schluessel);
  bool Gezeigt(const books& buchung) const;
  // The file the user chose for the export, asked again until it may be written; nothing
  // when the dialog was cancelled.
  std::optional<QString> WaehleExportdatei();

  TSteuerung* Steuerung = nullptr;
  TBuchungsModell* Zeilen;
  bool NameRichtung = true;
  bool KartenRichtung = true;
  bool ZeitRichtung = true;
  int Tuerfilter = 0;  // 0 every door, else the door 1..3
};
