#include "windowing/Fenster.h"

#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QWindow>

#include "platform/Plattform.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"

namespace fenster {
namespace {

// The window that opens a box, a dialog or a modal window now: the innermost modal window
// that is shown (a window of ZeigeModal, or the progress window of a transfer, which stands
// above the window that started it), else the program's main window.
QWidget* Oeffner() {
  if (QWidget* oben = QApplication::activeModalWidget(); oben != nullptr && oben->isVisible()) return oben;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMainWindow*>(w) != nullptr && w->isVisible()) return w;
  }
  return nullptr;
}

// The Qt dialogs.
class QtBenutzer final : public Benutzer {
 public:
  int MessageBox(const QString& text, const QString& caption, int flags) override {
    QMessageBox box;
    BindeAnOeffner(box);
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & plattform::MB_SYMBOL) {
      case plattform::MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
      case plattform::MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
      case plattform::MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
      case plattform::MB_ICONINFO: box.setIcon(QMessageBox::Information); break;
      default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (flags & plattform::MB_KNOEPFE) {
      case plattform::MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case plattform::MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
      case plattform::MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    // The buttons speak German whatever translations are installed.
    for (const auto& [knopf, text] : {std::pair{QMessageBox::Ok, "OK"}, std::pair{QMessageBox::Cancel, "Abbrechen"},
                                      std::pair{QMessageBox::Yes, "&Ja"}, std::pair{QMessageBox::No, "&Nein"}}) {
      if (QAbstractButton* b = box.button(knopf)) b->setText(T(text));
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return plattform::ID_YES;
      case QMessageBox::No: return plattform::ID_NO;
      case QMessageBox::Cancel: return plattform::ID_CANCEL;
      default: return plattform::ID_OK;
    }
  }

  std::optional<QString> DateiWaehlen(QWidget* parent, const DateiDialog& d) override {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(d.speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(d.speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(QtFilter(d.filter));
    dialog.setDefaultSuffix(d.standardEndung);
    dialog.setWindowTitle(d.speichern ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept, d.speichern ? QStringLiteral("Speichern") : QStringLiteral("Öffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (!d.vorschlag.isEmpty()) dialog.selectFile(d.vorschlag);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
  }

  int Modal(QDialog& fenster) override { return fenster.exec(); }

  QAction* Menue(QMenu& menue, const QPoint& punkt) override { return menue.exec(punkt); }

  bool DruckerEinrichten(QWidget* parent, QPrinter& drucker) override {
    QPrintDialog dialog(&drucker, parent);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    // The dialog only chooses the printer: its button says so instead of "Drucken".
    if (const auto* knoepfe = dialog.findChild<QDialogButtonBox*>()) {
      if (QPushButton* ok = knoepfe->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
  }
};

QtBenutzer qtBenutzer;
Benutzer* installiert = &qtBenutzer;

std::optional<QString> DateiDialogLaufen(QWidget* parent, const DateiDialog& dialog) {
  std::optional<QString> pfad = installiert->DateiWaehlen(parent, dialog);
  if (!pfad || pfad->isEmpty()) return std::nullopt;
  // A file chosen for opening that exists as named is opened as named.
  if (!dialog.speichern && QFileInfo(*pfad).isFile()) return pfad;
  return MitEndung(*pfad, dialog.standardEndung);
}

}  // namespace

Benutzer* Installiere(Benutzer* b) {
  Benutzer* vorher = installiert;
  installiert = b != nullptr ? b : &qtBenutzer;
  return vorher == &qtBenutzer ? nullptr : vorher;
}

int MessageBox(const QString& text, const QString& caption, int flags) {
  return installiert->MessageBox(text, caption, flags);
}

int MessageBox(const std::string& text, const std::string& caption, int flags) {
  return MessageBox(QString::fromStdString(text), QString::fromStdString(caption), flags);
}

QString QtFilter(const QString& filter) {
  const QStringList teile = filter.split(u'|');
  QStringList paare;
  for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
    QString muster = teile[i + 1];
    muster.replace(u';', u' ');
    paare << teile[i] + QStringLiteral(" (") + muster + u')';
  }
  return paare.join(QStringLiteral(";;"));
}

QString MitEndung(const QString& pfad, const QString& endung) {
  if (endung.isEmpty() || !QFileInfo(pfad).suffix().isEmpty()) return pfad;
  return pfad + u'.' + endung;
}

std::optional<QString> OeffnenDialog(QWidget* parent, const QString& endung, const QString& filter,
                                     const QString& vorschlag) {
  return DateiDialogLaufen(parent, DateiDialog{false, endung, filter, vorschlag});
}

std::optional<QString> SpeichernDialog(QWidget* parent, const QString& endung, const QString& filter,
                                       const QString& vorschlag) {
  return DateiDialogLaufen(parent, DateiDialog{true, endung, filter, vorschlag});
}

QAction* ZeigeMenue(QMenu& menue, const QPoint& punkt) { return installiert->Menue(menue, punkt); }

bool DruckerEinrichten(QWidget* parent, QPrinter& drucker) { return installiert->DruckerEinrichten(parent, drucker); }

void BindeAnOeffner(QWidget& fenster) {
  QWidget* oeffner = Oeffner();
  if (oeffner == nullptr || oeffner == &fenster) return;
  fenster.winId();  // its window made, so its handle can be tied
  if (QWindow* fensterGriff = fenster.windowHandle()) {
    fensterGriff->setTransientParent(oeffner->windowHandle());
  }
}

int ZeigeModal(QDialog& fenster) {
  BindeAnOeffner(fenster);
  return installiert->Modal(fenster);
}

void TFormular::setVisible(bool sichtbar) {
  const bool wechsel = sichtbar != isVisible();
  // Qt centres a dialog by a guess at the frame (that of another shown window, else 10 x 40)
  // and moves it by its frame position, which a window knows only once it has been shown:
  // on a first showing the guess goes into the client position, on later ones the frame of
  // the last showing cancels it, and the window opens a title bar lower. Placed by its client
  // area, centred on the screen's free area, the window opens at the same place every time.
  if (sichtbar && wechsel) {
    QRect platz(QPoint(), size());
    if (const QScreen* bildschirm = screen()) platz.moveCenter(bildschirm->availableGeometry().center());
    setGeometry(platz);
  }
  QDialog::setVisible(sichtbar);
  if (!wechsel) return;
  if (sichtbar) {
    // Unless the window's own set-up chose a control, the focus goes to the first control that
    // takes it, as Qt does when it activates a window. Chosen here, it does not depend on
    // whether the window's activation reaches Qt before the user types.
    if (focusWidget() == nullptr) focusNextPrevChild(true);
  } else if (QWidget* fokus = focusWidget()) {
    // Qt gives a window shown again the control that had the focus when it was hidden (the
    // OK button that ended it); forgotten here, the next showing chooses as the first did.
    fokus->clearFocus();
  }
}

void Verarbeite() { QCoreApplication::processEvents(); }

void Hilfe(int kontext) {
  QString text;
  switch (kontext) {
    case 1000:
      text = QStringLiteral(
          "Hauptfenster\n\n"
          "Daten senden / Daten holen: die ausgewählten Daten zur Steuerung übertragen oder von ihr lesen.\n"
          "Zeit stellen: die Uhr der Steuerung auf die Zeit des PCs stellen.\n"
          "Personendaten, Buchungen ansehen, Drucken: die Daten des Dokuments bearbeiten und ausgeben.\n"
          "Erweiterte Einstellungen: Gerätedaten, Türdaten, Zutrittsprofile und Feiertagskalender.\n"
          "Datei: Steuerungsdaten (*.wuz) neu anlegen, öffnen und speichern.");
      break;
    case 1010:
      text = QStringLiteral(
          "Buchungen ansehen\n\n"
          "Die Liste zeigt die Buchungen: Datum und Uhrzeit, Karte, Name, Leser und Tür.\n"
          "Datum, Uhrzeit / Kartencodierung / Name/Aufdruck: die Anzeige danach sortieren; "
          "ein weiterer Klick kehrt die Reihenfolge um.\n"
          "Türauswahl: nur die Buchungen einer Tür anzeigen.\n"
          "Buchungen abrufen: die neuen Buchungen aus der Steuerung lesen.\n"
          "Buchungen löschen: die angezeigten Buchungen aus der Liste entfernen.\n"
          "Buchungen exportieren: alle Buchungen in eine Textdatei schreiben.\n"
          "OK: die Buchungen in der Buchungsdatei speichern und das Fenster schließen.");
      break;
    case 1030:
      text = QStringLiteral(
          "Datenauswahl\n\n"
          "Die angekreuzten Daten werden übertragen. Nach \"Optionen\" lassen sich "
          "einzelne Gruppen abwählen; die Auswahl bleibt bis zur nächsten Übertragung erhalten.");
      break;
    case 1100:
      text = QStringLiteral(
          "Verbindungsparameter\n\n"
          "Netzwerk: die Steuerung über ihre IP-Adresse oder ihren Namen im Netzwerk erreichen.\n"
          "Seriell: die Steuerung über eine serielle Schnittstelle (COM1 bis COM16) erreichen.\n"
          "Verbindung mit Programmierkabel: die Steuerung ist direkt angeschlossen; "
          "eine Geräteadresse ist dann nicht nötig.\n"
          "Geräteadresse: die Adresse der Steuerung am Bus (0 bis 9, A bis F).\n"
          "Protokollierung der Kommunikation: den Verkehr mit der Steuerung in eine Protokolldatei schreiben.\n"
          "Verbindungstest: die Verbindung mit diesen Einstellungen sofort prüfen.\n"
          "OK: die Einstellungen übernehmen; sie werden beim Beenden des Programms gespeichert.");
      break;
    default: text = QStringLiteral("Für dieses Fenster ist keine Hilfe vorhanden."); break;
  }
  MessageBox(text, QStringLiteral("Hilfe"), 64);
}

void ZeigeFehler(const std::string& meldung) noexcept {
  try {
    MessageBox(meldung, std::string(Texte::AllgemeineTexte[Texte::allgemein::Fehler]), 16);
  } catch (...) {
    // Nothing is left to tell the user with.
  }
}

}  // namespace fenster
