// The window platform layer: the message box and its style flags, the file dialogs, the
// exception guard, the script that stands in for the user, and the engine's platform on Qt.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "platform/Fenster.h"
#include "platform/QtPlattform.h"
#include "Skript.h"
#include "main/StatusDlg.h"
#include "UiTest.h"

namespace {

TEST(MessageBox, StyleFlagsGiveIconButtonsAndAnswers) {
  using B = QMessageBox::StandardButton;
  struct Fall {
    int flags;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons knoepfe;
    B klick;
    int antwort;
  };
  const Fall faelle[] = {
      {0, QMessageBox::NoIcon, B::Ok, B::Ok, 1},
      {16, QMessageBox::Critical, B::Ok, B::Ok, 1},
      {35, QMessageBox::Question, B::Yes | B::No | B::Cancel, B::Yes, 6},
      {35, QMessageBox::Question, B::Yes | B::No | B::Cancel, B::No, 7},
      {35, QMessageBox::Question, B::Yes | B::No | B::Cancel, B::Cancel, 2},
      {36, QMessageBox::Question, B::Yes | B::No, B::No, 7},
      {48, QMessageBox::Warning, B::Ok, B::Ok, 1},
      {49, QMessageBox::Warning, B::Ok | B::Cancel, B::Cancel, 2},
      {49, QMessageBox::Warning, B::Ok | B::Cancel, B::Ok, 1},
      {52, QMessageBox::Warning, B::Yes | B::No, B::Yes, 6},
      {64, QMessageBox::Information, B::Ok, B::Ok, 1},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.flags);
    QString titel, text;
    Qt::TextFormat format = Qt::RichText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons knoepfe;
    std::map<QMessageBox::StandardButton, QString> texte;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      titel = box->windowTitle();
      text = box->text();
      format = box->textFormat();
      icon = box->icon();
      knoepfe = box->standardButtons();
      for (QAbstractButton* b : box->buttons()) texte[box->standardButton(b)] = b->text();
      box->button(f.klick)->click();
    });
    const int antwort = fenster::MessageBox(QStringLiteral("Daten nicht gespeichert.\n<b>Jetzt</b> speichern?"),
                                            QStringLiteral("Hinweis"), f.flags);
    EXPECT_EQ(antwort, f.antwort);
    EXPECT_EQ(titel, QStringLiteral("Hinweis"));
    EXPECT_EQ(text, QStringLiteral("Daten nicht gespeichert.\n<b>Jetzt</b> speichern?"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(icon, f.icon);
    EXPECT_EQ(knoepfe, f.knoepfe);
    // German buttons, as on the original platform.
    const std::map<QMessageBox::StandardButton, QString> deutsch = {
        {B::Ok, QStringLiteral("OK")}, {B::Cancel, QStringLiteral("Abbrechen")},
        {B::Yes, QStringLiteral("&Ja")}, {B::No, QStringLiteral("&Nein")}};
    for (const auto& [knopf, text] : texte) EXPECT_EQ(text, deutsch.at(knopf));
  }
}

TEST(Dateidialog, FilterInQtForm) {
  EXPECT_EQ(fenster::QtFilter(QStringLiteral("Steuerungsdaten|*.wuz")), QStringLiteral("Steuerungsdaten (*.wuz)"));
  EXPECT_EQ(fenster::QtFilter(QStringLiteral("Text|*.txt|Alle|*.txt;*.csv")),
            QStringLiteral("Text (*.txt);;Alle (*.txt *.csv)"));
}

TEST(Dateidialog, ChosenNameGetsTheDefaultExtension) {
  struct Fall {
    const char* gewaehlt;
    const char* ergebnis;
  };
  const Fall faelle[] = {
      {"/tmp/a/anlage", "/tmp/a/anlage.wuz"},
      {"/tmp/a/anlage.wuz", "/tmp/a/anlage.wuz"},
      {"/tmp/a/anlage.alt", "/tmp/a/anlage.alt"},
      {"/tmp/a.b/anlage", "/tmp/a.b/anlage.wuz"},
  };
  for (const Fall& f : faelle) {
    Skript skript;
    skript.Datei(true, QString::fromUtf8(f.gewaehlt)).Datei(false, QString::fromUtf8(f.gewaehlt));
    EXPECT_EQ(fenster::SpeichernDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")),
              QString::fromUtf8(f.ergebnis));
    EXPECT_EQ(fenster::OeffnenDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")),
              QString::fromUtf8(f.ergebnis));
    EXPECT_EQ(skript.Verlauf().at(0), QStringLiteral("Speichern Steuerungsdaten|*.wuz wuz"));
    EXPECT_EQ(skript.Verlauf().at(1), QStringLiteral("Öffnen Steuerungsdaten|*.wuz wuz"));
  }
  Skript skript;
  skript.Datei(false, std::nullopt);
  EXPECT_FALSE(fenster::OeffnenDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")));

  // An existing file without an extension opens as named; saving still adds the extension.
  TempOrdner ordner;
  const QString ohne = QString::fromStdString((ordner / "anlage"));
  SchreibeDatei((ordner / "anlage"), "x");
  Skript vorhanden;
  vorhanden.Datei(false, ohne).Datei(true, ohne);
  EXPECT_EQ(fenster::OeffnenDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")), ohne);
  EXPECT_EQ(fenster::SpeichernDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")),
            ohne + QStringLiteral(".wuz"));
}

TEST(Dateidialog, QtSaveDialogDoesNotAskAboutOverwriting) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("wuz"));
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Steuerungsdaten (*.wuz)")});
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Speichern unter"));
    EXPECT_EQ(dialog->labelText(QFileDialog::FileName), QStringLiteral("Dateiname:"));
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral("Speichern"));
    EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QStringLiteral("Abbrechen"));
    dialog->reject();
  });
  EXPECT_FALSE(fenster::SpeichernDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")));
}

TEST(Schutz, EveryExceptionClassEndsInAnErrorBox) {
  struct Fall {
    std::function<void()> wirf;
    const char* meldung;
  };
  const Fall faelle[] = {
      {[] { throw StdError("Fehler beim Lesen der Version"); }, "Fehler beim Lesen der Version"},
      {[] { throw KommError("Kommunikationsfehler ", "\nbeim Zeitstellen"); }, "Kommunikationsfehler \nbeim Zeitstellen"},
      {[] { throw IoError("Fehler beim Öffnen der Datei", "/x/ä.wuz"); }, "Fehler beim Öffnen der Datei/x/ä.wuz"},
      {[] { throw ListError(" Element not found ", 4); }, " Element not found 4"},
      {[] { throw std::runtime_error("kaputt"); }, "kaputt"},
  };
  for (const Fall& f : faelle) {
    Skript skript;
    skript.Box(QString::fromUtf8(f.meldung), QStringLiteral("Fehler"), 16, 1);
    bool danach = false;
    fenster::Geschuetzt([&] {
      f.wirf();
      danach = true;
    });
    EXPECT_FALSE(danach);
    EXPECT_TRUE(skript.Fertig());
  }
  Skript still;
  bool gelaufen = false;
  fenster::Geschuetzt([&] { gelaufen = true; });
  EXPECT_TRUE(gelaufen);
}

TEST(Skript, AnUnscriptedBoxFailsAtOnceAndIsCancelled) {
  int antwort = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        Skript skript;
        antwort = fenster::MessageBox(QStringLiteral("Datei überschreiben?"), QStringLiteral("Hinweis"), 36);
      },
      "unscripted: Box Hinweis 36: Datei überschreiben?");
  EXPECT_EQ(antwort, 2);
  EXPECT_NONFATAL_FAILURE(
      {
        Skript skript;
        skript.Datei(false, QStringLiteral("/tmp/x.wuz"));
        fenster::MessageBox(QStringLiteral("x"), QStringLiteral("Info"), 0);
        fenster::OeffnenDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz"));
      },
      "unscripted");
  EXPECT_NONFATAL_FAILURE(
      {
        Skript skript;
        skript.Box(QStringLiteral("Info"), 0, 1);
      },
      "scripted step not used");
}

TEST(Hilfe, ShowsTheProgramsOwnText) {
  for (int kontext : {1000, 1030, 1100}) {
    Skript skript;
    skript.Box(QStringLiteral("Hilfe"), 64, 1);
    fenster::Hilfe(kontext);
    ASSERT_EQ(skript.Verlauf().size(), 1U);
    EXPECT_GT(skript.Verlauf()[0].size(), 30);
  }
}

TEST(QtPlattform, BoxesEventsAndTheProgressWindow) {
  TIDD_STATUS status;
  QtPlattform qt(status);
  plattform::Plattform& p = qt;
  {
    Skript skript;
    skript.Box(QStringLiteral("Schnittstelle nicht verfügbar.\nkein Gerät"), QStringLiteral("Fehler"), 16, 1);
    EXPECT_EQ(p.MessageBox("Schnittstelle nicht verfügbar.\nkein Gerät", "Fehler", 16), 1);
  }
  EXPECT_EQ(&p.Progress(), static_cast<plattform::ProgressWindow*>(&status));
  bool verarbeitet = false;
  QTimer::singleShot(0, [&] { verarbeitet = true; });
  p.ProcessMessages();
  EXPECT_TRUE(verarbeitet);
}

}  // namespace
