// The main window: owns the one document object, shows the connection and the document name
// in its two status panels and offers every command of the program.
#pragma once

#include <array>
#include <memory>
#include <string>

#include <QMainWindow>
#include <QString>

#include "ui_IDD_MAIN.h"

class TSteuerung;

enum class TCloseAction { caNone, caFree };

class TIDD_MAIN : public QMainWindow, public Ui::IDD_MAIN {
  Q_OBJECT

 public:
  explicit TIDD_MAIN(QWidget* parent = nullptr);
  ~TIDD_MAIN() override;

  // The document object; null before the first showing.
  TSteuerung* Dokument() const { return Steuerung.get(); }
  const QString& Dokumentname() const { return DokumentName; }
  const QString& Verbindungstext() const { return VerbindungsText; }

  // The folder of Wup.ini and the new document; the program's folder unless set before
  // the first showing.
  void SetzeOrdner(std::string ordner) { Ordner = std::move(ordner); }

  void ZeigeVerbindung();

  // The four expert buttons; each window, once it exists, marks its button here.
  // The four expert buttons, which the expert-settings toggle shows and enables (down) or
  // disables and hides (up).
  std::array<QToolButton*, 4> Expertenknoepfe() const;

  void FormShow();
  void FormClose(TCloseAction& action);
  void FormDestroy();
  void FileNew();
  void FileOpen();
  // true when the document was written.
  bool FileSave();
  bool FileSaveAs();
  void FileExitItemClick();
  void IDB_SEND_DATAClick();
  void IDB_GET_DATAClick();
  void IDB_SET_CLOCKClick();
  void IDB_SHOW_BOOKClick();
  void Uhrstellen1Click();
  void IDB_SYTEMDATAClick();
  void Steuerungdaten1Click();
  void IDB_DOORDATAClick();
  void Trdaten1Click();
  void IDB_KALClick();
  void Feiertag1Click();
  void verbindungsparameter1Click();
  void Aministration1Click();
  // 1 for the first password, 2 for the master password, 0 for anything else; exact and
  // case-sensitive on the whole text.
  static int PruefePasswort(const QString& text);
  void IDB_PROFILClick();
  void Zutrittsprofile1Click();
  void IDB_PERSONClick();
  void Personendaten1Click() { IDB_PERSONClick(); }
  void IDB_SETTINGSClick();
  void Zustzeanzeigen1Click();
  void HelpInhaltClick();
  void HelpAboutItemClick();
  void FilePrint();
  void FilePrintSetup();
  void IDB_PRINTClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Asks the unsaved-data question when data or bookings are unsaved; true when the command
  // may go on (nothing unsaved, "No", or "Yes" and the save succeeded).
  bool DarfVerwerfen();
  // Shows `text` in the document panel, in the room beside the connection panel.
  void ZeigeDatei(const QString& text);
  // Saves under DokumentName, with the failure boxes of the file commands.
  bool Speichere();
  // The data groups ticked in the data-selection window, as its bits kPersonen, kProfile and
  // kFeiertage.
  int Maske() const;
  // Sends the ticked data groups to the controller or fetches them from it, by the mode of the
  // data-selection window (kSenden or kHolen), with the progress window and the success box.
  void UebertrageDaten(short modus);
  // Empties the progress window's texts and bars and shows it.
  void BereiteFortschrittVor();
  // Connects a menu item or button to a handler that runs in the exception guard.
  template <class Sender, class Signal, class Handler>
  void Verbinde(Sender* sender, Signal signal, Handler handler);

  std::unique_ptr<TSteuerung> Steuerung;
  QString DokumentName;
  QString VerbindungsText;
  QString Dateitext;
  std::string Ordner;
  bool Gezeigt = false;
  // A transfer runs: commands and close requests are ignored meanwhile.
  bool Laeuft = false;
};
