// The window platform layer: the message box and its style flags, the file dialogs, modal
// showing, every window shown again as at its first showing, popup menus, the printer set-up
// dialog, the exception guard, help, the script that stands in for the user, and the engine's
// platform on Qt with a fixed clock.
#include "windowing/Fenster.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "bookings/BuchungenDlg.h"
#include "calendar/FeiertageDlg.h"
#include "calendar/FeiertagkalDlg.h"
#include "main/AboutDlg.h"
#include "main/DatenSendenDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "persons/PersonAendernDlg.h"
#include "persons/PersonendatenDlg.h"
#include "printing/PrintDlg.h"
#include "profiles/EditTuerZeitlinieDlg.h"
#include "profiles/EditZeitlinieDlg.h"
#include "profiles/TuerdatenDlg.h"
#include "profiles/ZutrittprofileDlg.h"
#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"
#include "settings/SpezialDlg.h"
#include "settings/SteuerungenDlg.h"
#include "shared/EingabeDlg.h"
#include "shared/QtPlattform.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
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
    // The buttons speak German, whatever translations are installed.
    const std::map<QMessageBox::StandardButton, QString> deutsch = {{B::Ok, QStringLiteral("OK")},
                                                                    {B::Cancel, QStringLiteral("Abbrechen")},
                                                                    {B::Yes, QStringLiteral("&Ja")},
                                                                    {B::No, QStringLiteral("&Nein")}};
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

TEST(Dateidialog, TheProposedNameIsRecorded) {
  Skript skript;
  skript.Datei(true, QStringLiteral("/tmp/a/anlage.txt")).Datei(false, std::nullopt);
  EXPECT_EQ(fenster::SpeichernDialog(nullptr, QStringLiteral("txt"), QStringLiteral("Textdateien|txt"),
                                     QStringLiteral("/tmp/a/anlage")),
            QStringLiteral("/tmp/a/anlage.txt"));
  EXPECT_FALSE(fenster::OeffnenDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz")));
  EXPECT_EQ(skript.Verlauf(), (std::vector<QString>{QStringLiteral("Speichern Textdateien|txt txt: /tmp/a/anlage"),
                                                    QStringLiteral("Öffnen Steuerungsdaten|*.wuz wuz")}));
}

TEST(Dateidialog, QtSaveDialogDoesNotAskAboutOverwritingAndProposesTheName) {
  TempOrdner ordner;
  const QString vorschlag = QString::fromStdString(ordner / "Gebäude Süd");
  QStringList vorgeschlagen;
  QTimer::singleShot(0, [&] {
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
    vorgeschlagen = dialog->selectedFiles();
    dialog->reject();
  });
  EXPECT_FALSE(
      fenster::SpeichernDialog(nullptr, QStringLiteral("wuz"), QStringLiteral("Steuerungsdaten|*.wuz"), vorschlag));
  // The dialog proposes the name in its folder (with the default extension it adds).
  ASSERT_EQ(vorgeschlagen.size(), 1);
  EXPECT_TRUE(vorgeschlagen[0] == vorschlag || vorgeschlagen[0] == vorschlag + QStringLiteral(".wuz"))
      << vorgeschlagen[0].toStdString();
}

// A window that counts its showings and notes whether it was visible when its script ran.
class Zaehlfenster final : public fenster::TFormular {
 public:
  Zaehlfenster() { setObjectName(QStringLiteral("IDD_ZAEHL")); }
  int Gezeigt = 0;

 protected:
  void showEvent(QShowEvent* event) override {
    fenster::TFormular::showEvent(event);
    ++Gezeigt;
  }
};

TEST(Modal, TheScriptedWindowIsShownWhileItsScriptRunsAndHiddenAfter) {
  Zaehlfenster fenster;
  Skript skript;
  bool sichtbar = false;
  int gezeigt = 0;
  skript
      .Modal(QStringLiteral("IDD_ZAEHL"),
             [&](QDialog& f) {
               sichtbar = f.isVisible();
               gezeigt = fenster.Gezeigt;
               return fenster::mrOk;
             })
      .Modal(QStringLiteral("IDD_ZAEHL"), [](QDialog& f) {
        f.reject();  // closed by its own button: the modal result is its script's
        return fenster::mrCancel;
      });
  EXPECT_EQ(fenster::ZeigeModal(fenster), fenster::mrOk);
  EXPECT_TRUE(sichtbar);
  EXPECT_EQ(gezeigt, 1);
  EXPECT_FALSE(fenster.isVisible());
  EXPECT_EQ(fenster::ZeigeModal(fenster), fenster::mrCancel);
  EXPECT_EQ(fenster.Gezeigt, 2);  // every showing runs it again
  EXPECT_FALSE(fenster.isVisible());
}

// The window shown by the user and active: the name of the control that takes its keys ("-"
// for none) and its place.
std::pair<QString, QRect> Zeige(QDialog& fenster) {
  fenster.show();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&fenster));
  const QWidget* fokus = fenster.focusWidget();
  return {fokus != nullptr ? fokus->objectName() : QStringLiteral("-"), fenster.geometry()};
}

// Every window of the program, prepared as its opener prepares it, is shown twice; in the
// first showing the user tabs to the next control. The second showing starts as the first:
// the same focus, the same place, its client area centred on the screen.
TEST(Wiederzeigen, EveryWindowStartsAsAtItsFirstShowing) {
  TempOrdner ordner;
  Programm programm(ordner.Pfad(), 2026);
  TSteuerung& s = programm.S();
  Skript skript;  // no box is expected
  Zeitlinie linie{};
  // Each window by its name with what its opener does before showing it.
  const std::vector<std::pair<const char*, std::function<void()>>> fenster = {
      {"IDD_BUCHUNGEN", [&] { IDD_BUCHUNGEN->Init(&s); }},
      {"IDD_PERSONEN", [&] { IDD_PERSONEN->Init(&s); }},
      {"IDD_SYSTEMDATA", [&] { IDD_SYSTEMDATA->Init(s); }},
      {"IDD_PROFIL", [&] { IDD_PROFIL->Init(&s); }},
      {"IDD_FEIERTAG", [&] { IDD_FEIERTAG->Init(2026, &s); }},
      {"IDD_DOORDATA", [&] { IDD_DOORDATA->Init(s); }},
      {"IDC_INPUT", [] { IDC_INPUT->IDE_INPUT->clear(); }},
      {"IDD_CHANGE_PERSON", [&] { IDD_CHANGE_PERSON->Init(&s, -1); }},
      {"IDD_SEND_DATA", [] { IDD_SEND_DATA->SetzeModus(TIDD_SEND_DATA::kSenden); }},
      {"IDD_BUILD_FD", [&] { IDD_BUILD_FD->Init(&s); }},
      {"IDD_COMM", [&] { IDD_COMM->Init(&s); }},
      {"IDD_PASSWD", [] {}},
      {"IDD_ADVANCED", [&] { IDD_ADVANCED->Init(&s, 2, IDD_STATUS); }},
      {"IDD_STATUS", [] {}},
      {"IDD_EDIT_DOORTIMELINE", [&] { IDD_EDIT_DOORTIMELINE->Init(linie); }},
      {"IDD_EDIT_TIMELINE", [&] { IDD_EDIT_TIMELINE->Init(linie, 0x7); }},
      {"IDD_SPECIAL", [&] { IDD_SPECIAL->Init(s); }},
      {"IDD_ABOUT", [] {}},
      {"IDD_PRINT", [&] { IDD_PRINT->Init(&s); }},
  };
  for (const auto& [name, vorbereiten] : fenster) {
    SCOPED_TRACE(name);
    QDialog* gefunden = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == QString::fromUtf8(name)) gefunden = qobject_cast<QDialog*>(w);
    }
    ASSERT_NE(gefunden, nullptr);
    QDialog& f = *gefunden;
    vorbereiten();
    const auto [fokus, platz] = Zeige(f);
    EXPECT_EQ(platz.center(), f.screen()->availableGeometry().center());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
    f.hide();
    vorbereiten();
    const auto [wieder, wiederPlatz] = Zeige(f);
    EXPECT_EQ(wieder.toStdString(), fokus.toStdString());
    EXPECT_EQ(wiederPlatz, platz);
    f.hide();
  }
}

// A popup menu as the holiday calendar has one: six checkable kinds of day.
struct Tagesmenue {
  Tagesmenue() {
    menue.setObjectName(QStringLiteral("PopupMenu1"));
    for (const char* name : {"IDM_NDAY", "IDM_FDAY", "IDM_HDAY", "SWITCH", "SPEC1", "SPEC2"}) {
      QAction* a = menue.addAction(QString::fromUtf8(name));
      a->setObjectName(QString::fromUtf8(name));
      a->setCheckable(true);
      QObject::connect(a, &QAction::triggered, [this, a] { ausgeloest << a->objectName(); });
    }
  }
  QAction* Punkt(const char* name) { return menue.findChild<QAction*>(QString::fromUtf8(name)); }
  QMenu menue;
  QStringList ausgeloest;
};

TEST(Popupmenue, TheScriptChoosesAnItemByNameAndReadsTheCheckMarks) {
  Tagesmenue t;
  t.Punkt("IDM_HDAY")->setChecked(true);
  Skript skript;
  skript.Menue(QStringLiteral("IDM_FDAY")).Menue(std::nullopt);
  QAction* gewaehlt = fenster::ZeigeMenue(t.menue, QPoint(40, 50));
  ASSERT_NE(gewaehlt, nullptr);
  EXPECT_EQ(gewaehlt->objectName(), QStringLiteral("IDM_FDAY"));
  EXPECT_EQ(t.ausgeloest, QStringList{QStringLiteral("IDM_FDAY")});  // triggered once, as by a click
  EXPECT_TRUE(gewaehlt->isChecked());                                // a checkable item flips as by a click
  EXPECT_EQ(fenster::ZeigeMenue(t.menue, QPoint(40, 50)), nullptr);
  EXPECT_EQ(t.ausgeloest.size(), 1);
  EXPECT_EQ(skript.Verlauf(), (std::vector<QString>{QStringLiteral("Menü PopupMenu1: IDM_HDAY"),
                                                    QStringLiteral("Menü PopupMenu1: IDM_FDAY IDM_HDAY")}));
}

TEST(Popupmenue, AnItemThatCannotBeChosenFailsTheTest) {
  Tagesmenue t;
  t.Punkt("SWITCH")->setEnabled(false);
  QAction* gewaehlt = t.menue.actions().front();
  EXPECT_NONFATAL_FAILURE(
      {
        Skript skript;
        skript.Menue(QStringLiteral("SWITCH"));
        gewaehlt = fenster::ZeigeMenue(t.menue, QPoint());
      },
      "cannot be chosen");
  EXPECT_EQ(gewaehlt, nullptr);
  EXPECT_NONFATAL_FAILURE(
      {
        Skript skript;
        skript.Menue(QStringLiteral("IDM_XDAY"));
        gewaehlt = fenster::ZeigeMenue(t.menue, QPoint());
      },
      "no item IDM_XDAY");
  EXPECT_NONFATAL_FAILURE(
      {
        Skript skript;
        fenster::ZeigeMenue(t.menue, QPoint());
      },
      "unscripted: Menü PopupMenu1: ");
  EXPECT_TRUE(t.ausgeloest.isEmpty());
}

TEST(Popupmenue, TheQtMenuReturnsTheChosenItemOrNone) {
  Tagesmenue t;
  // Chosen with the keyboard: the second item, then Return.
  QTimer::singleShot(0, [] {
    auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(m, nullptr);
    QTest::keyClick(m, Qt::Key_Down);
    QTest::keyClick(m, Qt::Key_Down);
    QTest::keyClick(m, Qt::Key_Return);
  });
  QAction* gewaehlt = fenster::ZeigeMenue(t.menue, QPoint(100, 100));
  ASSERT_NE(gewaehlt, nullptr);
  EXPECT_EQ(gewaehlt->objectName(), QStringLiteral("IDM_FDAY"));
  EXPECT_EQ(t.ausgeloest, QStringList{QStringLiteral("IDM_FDAY")});
  QTimer::singleShot(0, [] {
    auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(m, nullptr);
    QTest::keyClick(m, Qt::Key_Escape);
  });
  EXPECT_EQ(fenster::ZeigeMenue(t.menue, QPoint(100, 100)), nullptr);
  EXPECT_EQ(t.ausgeloest.size(), 1);
}

TEST(Druckereinrichtung, TheScriptAnswersAndMaySetTheOutputFile) {
  TempOrdner ordner;
  const QString pdf = QString::fromStdString(ordner / "ausdruck.pdf");
  QPrinter drucker;
  const QString vorher = drucker.outputFileName();
  Skript skript;
  skript.Drucker(false, pdf).Drucker(true, pdf).Drucker(true);
  EXPECT_FALSE(fenster::DruckerEinrichten(nullptr, drucker));
  EXPECT_EQ(drucker.outputFileName(), vorher);  // Cancel changes nothing
  EXPECT_TRUE(fenster::DruckerEinrichten(nullptr, drucker));
  EXPECT_EQ(drucker.outputFileName(), pdf);
  EXPECT_EQ(drucker.outputFormat(), QPrinter::PdfFormat);
  EXPECT_TRUE(fenster::DruckerEinrichten(nullptr, drucker));
  EXPECT_EQ(drucker.outputFileName(), pdf);  // OK alone keeps what was set
  EXPECT_EQ(skript.Verlauf(), std::vector<QString>(3, QStringLiteral("Druckereinrichtung")));
}

TEST(Druckereinrichtung, TheQtDialogWorksOnTheProgramsPrinter) {
  QPrinter drucker;
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    QPrinter* bearbeitet = nullptr;
    QString titel;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      bearbeitet = dialog->printer();
      titel = dialog->windowTitle();
      ok ? dialog->accept() : dialog->reject();
    });
    EXPECT_EQ(fenster::DruckerEinrichten(nullptr, drucker), ok);
    EXPECT_EQ(bearbeitet, &drucker);
    EXPECT_EQ(titel, QStringLiteral("Druckereinrichtung"));
  }
}

// The printer set-up only chooses the printer: its button says "OK", and it stands above the
// window that opened it.
TEST(Druckereinrichtung, ItsButtonSaysOkAndItIsTiedToItsOpener) {
  TempOrdner ordner;
  Programm programm(ordner.Pfad(), 2026);
  QString knopf;
  QWindow* oeffner = nullptr;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    const auto* knoepfe = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(knoepfe, nullptr);
    ASSERT_NE(knoepfe->button(QDialogButtonBox::Ok), nullptr);
    knopf = knoepfe->button(QDialogButtonBox::Ok)->text();
    oeffner = dialog->windowHandle()->transientParent();
    dialog->reject();
  });
  IDD_MAIN->FilePrintSetupItem->trigger();
  EXPECT_EQ(knopf, QStringLiteral("OK"));
  EXPECT_EQ(oeffner, IDD_MAIN->windowHandle());
}

// Each modal window is tied to the window it was opened from: the person list to the main
// window, the person window to the person list, the input window to the profile editor, and a
// box to the window that shows it.
TEST(Modal, EachWindowAndBoxIsTiedToTheWindowThatOpensIt) {
  TempOrdner ordner;
  Programm programm(ordner.Pfad(), 2026);
  const auto gebunden = [](QDialog& d) { return d.windowHandle()->transientParent(); };
  QWindow* liste = nullptr;
  QWindow* person = nullptr;
  QWindow* eingabe = nullptr;
  QWindow* box = nullptr;
  {
    Skript skript;
    skript
        .Modal(QStringLiteral("IDD_PERSONEN"),
               [&](QDialog& d) {
                 liste = gebunden(d);
                 IDD_PERSONEN->IDB_NEWPERSON->click();
                 return fenster::mrOk;
               })
        .Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
          person = gebunden(d);
          // A box of the Qt platform, shown from inside the person window.
          fenster::Benutzer* vorher = fenster::Installiere(nullptr);
          QTimer::singleShot(0, [&] {
            auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(b, nullptr);
            box = b->windowHandle()->transientParent();
            b->button(QMessageBox::Ok)->click();
          });
          fenster::MessageBox(QStringLiteral("Probe"), QStringLiteral("Hinweis"), 0);
          fenster::Installiere(vorher);
          return fenster::mrCancel;
        });
    IDD_MAIN->IDB_PERSON->click();
  }
  EXPECT_EQ(liste, IDD_MAIN->windowHandle());
  EXPECT_EQ(person, IDD_PERSONEN->windowHandle());
  EXPECT_EQ(box, IDD_CHANGE_PERSON->windowHandle());
  {
    Skript skript;
    skript
        .Modal(QStringLiteral("IDD_PROFIL"),
               [&](QDialog&) {
                 IDD_PROFIL->IDB_NEWPROFIL->click();
                 return fenster::mrOk;
               })
        .Modal(QStringLiteral("IDC_INPUT"), [&](QDialog& d) {
          eingabe = gebunden(d);
          return fenster::mrCancel;
        });
    IDD_MAIN->IDB_SETTINGS->click();
    IDD_MAIN->IDB_PROFIL->click();
  }
  EXPECT_EQ(eingabe, IDD_PROFIL->windowHandle());
  ASSERT_NE(IDD_MAIN->windowHandle(), nullptr);
}

TEST(Schutz, EveryExceptionClassEndsInAnErrorBox) {
  struct Fall {
    std::function<void()> wirf;
    const char* meldung;
  };
  const Fall faelle[] = {
      {[] { throw StdError("Fehler beim Lesen der Version"); }, "Fehler beim Lesen der Version"},
      {[] { throw KommError("Kommunikationsfehler ", "\nbeim Zeitstellen"); },
       "Kommunikationsfehler \nbeim Zeitstellen"},
      {[] { throw IoError("Fehler beim Öffnen der Datei", "/x/ä.wuz"); }, "Fehler beim Öffnen der Datei/x/ä.wuz"},
      {[] { throw ListError(" Element not found ", 4); }, " Element not found 4"},
      // A standard exception in the program's words, never in the library's.
      {[] { throw std::runtime_error("kaputt"); }, "Unerwarteter Fehler im Programm."},
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

TEST(Hilfe, EachWindowsContextShowsItsOwnText) {
  struct Fall {
    int kontext;
    const char* titel;  // the first line of the text
  };
  const Fall faelle[] = {
      {1000, "Hauptfenster"},
      {1010, "Buchungen ansehen"},
      {1030, "Datenauswahl"},
      {1100, "Verbindungsparameter"},
      {1234, "Für dieses Fenster ist keine Hilfe vorhanden."},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.kontext);
    Skript skript;
    QString text;
    skript.Box(QStringLiteral("Hilfe"), 64, [&](const QString& t) {
      text = t;
      return 1;
    });
    fenster::Hilfe(f.kontext);
    EXPECT_EQ(text.section(u'\n', 0, 0), QString::fromUtf8(f.titel));
    if (f.kontext != 1234) {
      // A title, a blank line, then what the window offers.
      EXPECT_GT(text.section(QStringLiteral("\n\n"), 1).size(), 100);
    }
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

TEST(TestPlattform, AFixedDateAndTimeReachTheEngine) {
  TIDD_STATUS status;
  // Sunday 22 March 2026, 07:05:09.
  TestPlattform fest(status, QDateTime(QDate(2026, 3, 22), QTime(7, 5, 9)));
  const plattform::LocalTime t = fest.Now();
  EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second, t.dayOfWeek}),
            (std::vector<int>{2026, 3, 22, 7, 5, 9, 0}));
  const plattform::LocalTime samstag = TestPlattform(status, QDateTime(QDate(2000, 1, 1), QTime(23, 59, 59))).Now();
  EXPECT_EQ(samstag.dayOfWeek, 6);
  // The year alone: the rest is the PC's.
  const QDate vorher = QDate::currentDate();
  const plattform::LocalTime jahr = TestPlattform(status, 1997).Now();
  const QDate nachher = QDate::currentDate();
  EXPECT_EQ(jahr.year, 1997);
  EXPECT_TRUE((jahr.month == vorher.month() && jahr.day == vorher.day()) ||
              (jahr.month == nachher.month() && jahr.day == nachher.day()));

  // The protocol log's header carries the fixed time.
  PlattformWahl wahl(fest);
  TempOrdner ordner;
  SchreibeDatei(ordner / "Wup.ini", "[Global]\nLOG=1\nPage=1\n[Comm]\nport=2\n");
  {
    TSteuerung steuerung(2026, ordner.Pfad());
    EXPECT_TRUE(steuerung.Protokoll);
  }
  EXPECT_EQ(LiesDatei(ordner / "log_Com2.log"), "\nBeginn Protokoll: 22.3.2026 7:5:9 \n- - - - \n");
}

}  // namespace
