#include "platform/Fenster.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include <utility>

#include "text/Texte.h"

namespace fenster {
namespace {

// The Qt dialogs.
class QtBenutzer final : public Benutzer {
 public:
  int MessageBox(const QString& text, const QString& caption, int flags) override {
    QMessageBox box;
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & 0xF0) {
      case 16: box.setIcon(QMessageBox::Critical); break;
      case 32: box.setIcon(QMessageBox::Question); break;
      case 48: box.setIcon(QMessageBox::Warning); break;
      case 64: box.setIcon(QMessageBox::Information); break;
      default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (flags & 0x0F) {
      case 1: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case 3: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
      case 4: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    // The buttons speak German whatever translations are installed.
    for (const auto& [knopf, text] : {std::pair{QMessageBox::Ok, "OK"}, std::pair{QMessageBox::Cancel, "Abbrechen"},
                                      std::pair{QMessageBox::Yes, "&Ja"}, std::pair{QMessageBox::No, "&Nein"}}) {
      if (QAbstractButton* b = box.button(knopf)) b->setText(QString::fromUtf8(text));
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return 6;
      case QMessageBox::No: return 7;
      case QMessageBox::Cancel: return 2;
      default: return 1;
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
  }

  int Modal(QDialog& fenster) override { return fenster.exec(); }
};

QtBenutzer qtBenutzer;
Benutzer* installiert = &qtBenutzer;

std::optional<QString> DateiDialogLaufen(QWidget* parent, bool speichern, const QString& endung,
                                         const QString& filter) {
  std::optional<QString> pfad = installiert->DateiWaehlen(parent, DateiDialog{speichern, endung, filter});
  if (!pfad || pfad->isEmpty()) return std::nullopt;
  // A file chosen for opening that exists as named is opened as named.
  if (!speichern && QFileInfo(*pfad).isFile()) return pfad;
  return MitEndung(*pfad, endung);
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

std::optional<QString> OeffnenDialog(QWidget* parent, const QString& endung, const QString& filter) {
  return DateiDialogLaufen(parent, false, endung, filter);
}

std::optional<QString> SpeichernDialog(QWidget* parent, const QString& endung, const QString& filter) {
  return DateiDialogLaufen(parent, true, endung, filter);
}

int ZeigeModal(QDialog& fenster) { return installiert->Modal(fenster); }

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
    case 1030:
      text = QStringLiteral(
          "Datenauswahl\n\n"
          "Die angekreuzten Daten werden übertragen. Nach \"Optionen\" lassen sich "
          "einzelne Gruppen abwählen; die Auswahl bleibt bis zur nächsten Übertragung erhalten.");
      break;
    default:
      text = QStringLiteral("Für dieses Fenster ist keine Hilfe vorhanden.");
      break;
  }
  MessageBox(text, QStringLiteral("Hilfe"), 64);
}

void ZeigeFehler(const std::string& meldung) noexcept {
  try {
    MessageBox(meldung, std::string(Texte::AllgemeineTexte[7]), 16);
  } catch (...) {
    // Nothing is left to tell the user with.
  }
}

}  // namespace fenster
