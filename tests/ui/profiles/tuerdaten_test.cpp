// The door data window: the door list by flags and device type, the release time stored when
// its edit is left, the monitoring times and flags written on OK only, the 0x7000 clear at
// set-up, the line edit and delete, the graph by its pixels, and the openers.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/ListenZugriff.h"

#include "graphics/Wochengrafik.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "profiles/EditTuerZeitlinieDlg.h"
#include "profiles/TuerdatenDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

const QString kFehler = QStringLiteral("Fehler");

// Replaces the text of an edit as typed by the user.
void Tippe(QLineEdit& edit, const QString& text) {
  edit.setFocus();
  edit.selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(&edit, Qt::Key_Delete);
    return;
  }
  for (const QChar c : text) {
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(&edit, &taste);
  }
}

// What the user does to choose an item: the index changes, then the choice is reported.
void Waehle(QComboBox& box, int index) {
  box.setCurrentIndex(index);
  emit box.activated(index);
}

Zeitlinie Linie(int von, int bis, std::uint16_t tage) {
  Zeitlinie z;
  z.VonStunde = static_cast<std::uint8_t>(von);
  z.BisStunde = static_cast<std::uint8_t>(bis);
  z.Tage = tage;
  return z;
}

class Tuerdaten : public ::testing::Test {
 protected:
  void SetUp() override {
    formulare = std::make_unique<TFormulare>();
    steuerung = std::make_unique<TSteuerung>(2026, ordner.Pfad());
    steuerung->DatenGespeichert = true;
    for (int t = 0; t < 3; ++t) {
      P(t).Freigabezeit = 5 + t;
      P(t).Ueberwachungszeit = 30 + t;
    }
  }
  void TearDown() override {
    if (IDD_DOORDATA != nullptr) IDD_DOORDATA->hide();
    steuerung.reset();
    formulare.reset();
  }
  TSteuerung& S() { return *steuerung; }
  GERAETEDATEN& G() { return steuerung->Geraetedaten; }
  TUERPROFIL& P(int tuer) { return Element(steuerung->Tuerprofile, tuer); }
  // The window shown and active, set up for the document, so focus moves as for the user.
  TIDD_DOORDATA& Zeige() {
    TIDD_DOORDATA& fenster = *IDD_DOORDATA;
    fenster.Init(S());
    fenster.show();
    fenster.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&fenster));
    return fenster;
  }
  QImage Bild() { return IDD_DOORDATA->IDI_DOORDRAW->pixmap().toImage(); }

  TempOrdner ordner;
  std::unique_ptr<TFormulare> formulare;
  std::unique_ptr<TSteuerung> steuerung;
};

TEST_F(Tuerdaten, DoorListByFlagsAndType) {
  std::memcpy(G().NameTuer1, "Halle", 6);
  std::memcpy(G().NameTuer2, "B\xFCro", 5);
  struct Fall {
    std::uint32_t flags;
    int typ;
    std::vector<const char*> namen;
    std::vector<int> tueren;
  };
  const Fall faelle[] = {
      {0x3, 0, {"Halle", "Meldekontakt"}, {0, 1}},
      {0x3, 1, {"Halle", "Büro"}, {0, 1}},
      {0x6, 1, {"Büro", "Meldekontakt"}, {1, 2}},
      {0x2, 0, {"Meldekontakt"}, {1}},
      {0x7, 1, {"Halle", "Büro", "Meldekontakt"}, {0, 1, 2}},
  };
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.flags + 0x10 * f.typ);
    G().Flags = f.flags;
    S().Geraetetyp = f.typ;
    fenster.Init(S());
    ASSERT_EQ(fenster.IDCB_DOORS->count(), static_cast<int>(f.namen.size()));
    for (std::size_t i = 0; i < f.namen.size(); ++i) {
      EXPECT_EQ(fenster.IDCB_DOORS->itemText(static_cast<int>(i)), QString::fromUtf8(f.namen[i]));
      Waehle(*fenster.IDCB_DOORS, static_cast<int>(i));
      // Each item shows its own door's profile.
      EXPECT_EQ(fenster.GewaehlteTuer(), f.tueren[i]);
      EXPECT_EQ(fenster.IDE_FREETIME->text(), QString::number(5 + f.tueren[i]));
      EXPECT_EQ(fenster.IDE_CHECKTIME->text(), QString::number(30 + f.tueren[i]));
    }
  }
}

TEST_F(Tuerdaten, CaptionsAndLines) {
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  G().Flags = 0x8003;
  fenster.Init(S());
  EXPECT_EQ(fenster.AntiPassBack->text(), QStringLiteral("doppelten Zutritt prüfen"));
  EXPECT_TRUE(fenster.AntiPassBack->isChecked());
  EXPECT_FALSE(fenster.AntiPassBack->isEnabled());
  EXPECT_EQ(fenster.OpenDoorWithoutReader->text(), QStringLiteral("Türöffnung ohne Leser"));
  EXPECT_EQ(fenster.Label1->text(), QStringLiteral("Türstandorte:"));
  EXPECT_EQ(fenster.Label2->text(), QStringLiteral("Freigabezeit:"));
  EXPECT_EQ(fenster.Label3->text(), QStringLiteral("Überwachungszeit:"));
  EXPECT_EQ(fenster.IDB_CHANGETL->text(), QStringLiteral("Ä&ndern"));
  EXPECT_EQ(fenster.IDB_DELETETL->text(), QStringLiteral("&Löschen"));
  ASSERT_EQ(fenster.DOORTIMELINES->count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(fenster.DOORTIMELINES->item(i)->text(), QStringLiteral("Zeitlinie %1").arg(i));
  }
  EXPECT_FALSE(fenster.IDB_CHANGETL->isEnabled());
  EXPECT_FALSE(fenster.IDB_DELETETL->isEnabled());
  EXPECT_EQ(fenster.IDI_DOORDRAW->pixmap().size(), QSize(473, 265));
}

TEST_F(Tuerdaten, NoDoorInUseTheOpenerShowsTheBoxAndNoWindow) {
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  IDD_MAIN->show();
  IDD_MAIN->Dokument()->Geraetedaten.Flags = 0x3000;
  Skript skript;
  skript.Box(QStringLiteral("Error in Systemdata\n please ask your programmer"), kFehler, 16, 1);
  IDD_MAIN->Trdaten1->trigger();
  EXPECT_EQ(skript.Verlauf().size(), 1U);
}

TEST_F(Tuerdaten, ReleaseTimeLeftIsStoredAtOnce) {
  struct Fall {
    const char* getippt;
    bool box;
    int gespeichert;
  };
  const Fall faelle[] = {{"", true, 5}, {"x", true, 5}, {"7", false, 7}, {"0", false, 0}, {"99", false, 99}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.getippt);
    G().Flags = 0x3;
    P(0).Freigabezeit = 12;
    S().DatenGespeichert = true;
    TIDD_DOORDATA& fenster = Zeige();
    Tippe(*fenster.IDE_FREETIME, QString::fromUtf8(f.getippt));
    // Digits only: a typed "x" never reaches the edit, so here it stands for a pasted text.
    if (std::string(f.getippt) == "x") {
      EXPECT_EQ(fenster.IDE_FREETIME->text(), QStringLiteral("12"));
      fenster.IDE_FREETIME->setText(QStringLiteral("x"));
      fenster.IDE_FREETIME->setModified(true);
    }
    Skript skript;
    if (f.box) skript.Box(QStringLiteral("\"%1\" ist keine gültige Zahl.").arg(f.getippt), kFehler, 16, 1);
    fenster.IDE_CHECKTIME->setFocus();  // leaves the release time
    EXPECT_EQ(P(0).Freigabezeit, f.gespeichert);
    EXPECT_EQ(fenster.IDE_FREETIME->text(), QString::number(f.gespeichert));
    EXPECT_FALSE(S().DatenGespeichert);
    fenster.BitBtn2->click();  // Abort keeps it
    EXPECT_EQ(P(0).Freigabezeit, f.gespeichert);
  }
}

TEST_F(Tuerdaten, TheEditsContextMenuOrAnotherWindowIsNoLeaving) {
  G().Flags = 0x3;
  P(0).Freigabezeit = 12;
  TIDD_DOORDATA& fenster = Zeige();
  Tippe(*fenster.IDE_FREETIME, QString());  // emptied, say to paste a number
  for (const Qt::FocusReason grund : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
    SCOPED_TRACE(grund);
    Skript skript;  // no box
    QFocusEvent weg(QEvent::FocusOut, grund);
    QCoreApplication::sendEvent(fenster.IDE_FREETIME, &weg);
    EXPECT_EQ(fenster.IDE_FREETIME->text(), QString());
    EXPECT_EQ(P(0).Freigabezeit, 12);
  }
  Tippe(*fenster.IDE_FREETIME, QStringLiteral("8"));
  fenster.IDE_CHECKTIME->setFocus();
  EXPECT_EQ(P(0).Freigabezeit, 8);
}

TEST_F(Tuerdaten, ReleaseTimeTypedIsStoredAlsoWhenTheWindowClosesWithoutLeavingTheEdit) {
  G().Flags = 0x3;
  TIDD_DOORDATA& fenster = Zeige();
  Tippe(*fenster.IDE_FREETIME, QStringLiteral("8"));
  QTest::keyClick(&fenster, Qt::Key_Escape);
  EXPECT_EQ(P(0).Freigabezeit, 8);
  EXPECT_EQ(fenster.result(), fenster::mrCancel);
}

TEST_F(Tuerdaten, AWheelOnTheDoorListFirstStoresTheTypedReleaseTime) {
  G().Flags = 0x3;
  S().Geraetetyp = 1;
  TIDD_DOORDATA& fenster = Zeige();
  Tippe(*fenster.IDE_FREETIME, QStringLiteral("9"));
  QWheelEvent rad(QPointF(5, 5), fenster.IDCB_DOORS->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(fenster.IDCB_DOORS, &rad);
  ASSERT_EQ(fenster.GewaehlteTuer(), 1);
  EXPECT_EQ(P(0).Freigabezeit, 9);
  EXPECT_EQ(fenster.IDE_FREETIME->text(), QStringLiteral("6"));
}

TEST_F(Tuerdaten, ValuesOutsideTheTypingRangeStayUnlessTyped) {
  G().Flags = 0x3;
  P(0).Freigabezeit = 120;
  P(0).Ueberwachungszeit = 300;
  TIDD_DOORDATA& fenster = Zeige();
  EXPECT_EQ(fenster.IDE_FREETIME->text(), QStringLiteral("120"));
  EXPECT_EQ(fenster.IDE_CHECKTIME->text(), QStringLiteral("300"));
  // Typing cannot make it longer or put anything but digits into it.
  fenster.IDE_FREETIME->setFocus();
  fenster.IDE_FREETIME->end(false);
  QTest::keyClick(fenster.IDE_FREETIME, Qt::Key_5);
  fenster.IDE_FREETIME->home(false);
  QTest::keyClick(fenster.IDE_FREETIME, Qt::Key_A);
  EXPECT_EQ(fenster.IDE_FREETIME->text(), QStringLiteral("120"));
  fenster.IDE_CHECKTIME->setFocus();
  fenster.BitBtn1->click();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(P(0).Freigabezeit, 120);
  EXPECT_EQ(P(0).Ueberwachungszeit, 300);

  fenster.Init(S());
  Tippe(*fenster.IDE_CHECKTIME, QStringLiteral("456"));
  EXPECT_EQ(fenster.IDE_CHECKTIME->text(), QStringLiteral("45"));
}

TEST_F(Tuerdaten, MonitoringTimeWrittenOnOkOnly) {
  struct Fall {
    const char* name;
    bool tuer2;  // switch to door 2 before OK
    bool ok;
    int tuer1, tuer2Wert;
  };
  const Fall faelle[] = {
      {"45 then Abort", false, false, 30, 31},
      {"45 then OK", false, true, 45, 31},
      {"45 on door 1, door 2, OK", true, true, 45, 31},
      {"45 on door 1, door 2, Abort", true, false, 30, 31},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    G().Flags = 0x3;
    S().Geraetetyp = 1;
    P(0).Ueberwachungszeit = 30;
    S().DatenGespeichert = true;
    TIDD_DOORDATA& fenster = Zeige();
    Tippe(*fenster.IDE_CHECKTIME, QStringLiteral("45"));
    EXPECT_EQ(P(0).Ueberwachungszeit, 30);
    if (f.tuer2) {
      Waehle(*fenster.IDCB_DOORS, 1);
      EXPECT_EQ(fenster.IDE_CHECKTIME->text(), QStringLiteral("31"));
      EXPECT_EQ(P(0).Ueberwachungszeit, 30);
      Waehle(*fenster.IDCB_DOORS, 0);  // the typed value is still there
      EXPECT_EQ(fenster.IDE_CHECKTIME->text(), QStringLiteral("45"));
      Waehle(*fenster.IDCB_DOORS, 1);
    }
    (f.ok ? fenster.BitBtn1 : fenster.BitBtn2)->click();
    EXPECT_EQ(P(0).Ueberwachungszeit, f.tuer1);
    EXPECT_EQ(P(1).Ueberwachungszeit, f.tuer2Wert);
    EXPECT_EQ(S().DatenGespeichert, !f.ok);
  }
}

TEST_F(Tuerdaten, OkWithABadNumberWritesNothingAndStaysOpen) {
  G().Flags = 0x3 | 0x10000;
  S().Geraetetyp = 1;
  TIDD_DOORDATA& fenster = Zeige();
  Tippe(*fenster.IDE_CHECKTIME, QString());
  Waehle(*fenster.IDCB_DOORS, 1);
  Tippe(*fenster.IDE_CHECKTIME, QStringLiteral("50"));
  fenster.OpenDoorWithoutReader->click();
  fenster.setResult(fenster::mrNone);
  {
    Skript skript;
    skript.Box(QStringLiteral("\"\" ist keine gültige Zahl."), kFehler, 16, 1);
    fenster.BitBtn1->click();
  }
  EXPECT_TRUE(fenster.isVisible());
  EXPECT_EQ(fenster.result(), fenster::mrNone);
  EXPECT_EQ(fenster.GewaehlteTuer(), 0);  // the door whose field is wrong is shown
  EXPECT_EQ(G().Flags, 0x10003u);
  EXPECT_EQ(P(0).Ueberwachungszeit, 30);
  EXPECT_EQ(P(1).Ueberwachungszeit, 31);
  EXPECT_TRUE(S().DatenGespeichert);
  Tippe(*fenster.IDE_CHECKTIME, QStringLiteral("20"));
  fenster.BitBtn1->click();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(P(0).Ueberwachungszeit, 20);
  EXPECT_EQ(P(1).Ueberwachungszeit, 50);
  EXPECT_EQ(G().Flags, 0x2003u);  // door 2's flag set by the click, bit 16 gone
}

TEST_F(Tuerdaten, OkRightAfterABadReleaseTimeStoresFiveAndStaysOpen) {
  G().Flags = 0x3;
  TIDD_DOORDATA& fenster = Zeige();
  Tippe(*fenster.IDE_CHECKTIME, QStringLiteral("40"));
  Tippe(*fenster.IDE_FREETIME, QString());
  fenster.OpenDoorWithoutReader->click();
  fenster.setResult(fenster::mrNone);
  {
    Skript skript;
    skript.Box(QStringLiteral("\"\" ist keine gültige Zahl."), kFehler, 16, 1);
    QTest::keyClick(fenster.IDE_FREETIME, Qt::Key_Return);  // OK is the default button
  }
  EXPECT_TRUE(fenster.isVisible());
  EXPECT_EQ(fenster.IDE_FREETIME->text(), QStringLiteral("5"));
  EXPECT_EQ(P(0).Freigabezeit, 5);
  EXPECT_EQ(P(0).Ueberwachungszeit, 30);
  EXPECT_EQ(G().Flags, 0x3u);
  QTest::keyClick(fenster.IDE_FREETIME, Qt::Key_Return);
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(P(0).Ueberwachungszeit, 40);
  EXPECT_EQ(G().Flags, 0x1003u);
}

TEST_F(Tuerdaten, OpenWithoutReaderEditsTheDoorOfTheItem) {
  struct Fall {
    const char* name;
    std::uint32_t flags;
    int eintrag;
    std::uint32_t danach;
  };
  const Fall faelle[] = {
      {"doors 1 and 2, item 1 is door 2", 0x10003, 1, 0x2003},
      {"door 2 alone, item 0 is door 2", 0x11002, 0, 0x3002},
      {"door 1, item 0", 0x0001, 0, 0x1001},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    G().Flags = f.flags;
    S().Geraetetyp = 1;
    TIDD_DOORDATA& fenster = *IDD_DOORDATA;
    fenster.Init(S());
    Waehle(*fenster.IDCB_DOORS, f.eintrag);
    EXPECT_TRUE(fenster.OpenDoorWithoutReader->isEnabled());
    if (!fenster.OpenDoorWithoutReader->isChecked()) fenster.OpenDoorWithoutReader->click();
    EXPECT_EQ(G().Flags, f.flags);  // written on OK only
    fenster.BitBtn1->click();
    EXPECT_EQ(G().Flags, f.danach);
  }
}

TEST_F(Tuerdaten, WithDoorThreeTheSetUpClearsTheFlagsAtOnce) {
  G().Flags = 0xF006;
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  fenster.Init(S());
  EXPECT_EQ(G().Flags, 0x8006u);
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_FALSE(fenster.OpenDoorWithoutReader->isEnabled());
  EXPECT_FALSE(fenster.OpenDoorWithoutReader->isChecked());
  fenster.BitBtn2->click();
  EXPECT_EQ(G().Flags, 0x8006u);
  // Nothing to clear: the document stays saved.
  S().DatenGespeichert = true;
  fenster.Init(S());
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(Tuerdaten, GraphWorkedExampleMarkersAndCardOperation) {
  G().Flags = 0x3;
  Zeitlinie offen = Linie(7, 18, TAG_SAMSTAG | TAG_DAUEROFFEN);
  P(0).Zeitlinien[1] = offen;
  P(0).Zeitlinien[2] = Linie(8, 16, TAG_MONTAG);  // card operation
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  fenster.Init(S());
  QImage bild = Bild();
  EXPECT_EQ(bild.pixelColor(203, 120), grafik::kGruen);
  EXPECT_EQ(bild.pixelColor(367, 120), grafik::kGruen);
  EXPECT_NE(bild.pixelColor(201, 120), grafik::kGruen);
  EXPECT_NE(bild.pixelColor(369, 120), grafik::kGruen);
  EXPECT_NE(bild.pixelColor(203, 116), grafik::kGruen);  // no marker yet
  // The card-operation line leaves Monday's grey base line as it is.
  for (int x : {200, 250, 320}) EXPECT_EQ(bild.pixelColor(x, 30), grafik::kGrau) << x;

  fenster.DOORTIMELINES->setCurrentRow(1);
  EXPECT_EQ(fenster.GewaehlteZeile(), 1);
  EXPECT_TRUE(fenster.IDB_CHANGETL->isEnabled());
  bild = Bild();
  for (int x : {203, 367}) {
    EXPECT_EQ(bild.pixelColor(x, 119), QColor(Qt::black)) << x;  // the tip, on the black outline
    EXPECT_EQ(bild.pixelColor(x, 116), grafik::kGruen) << x;     // inside the triangle above the line
  }
}

TEST_F(Tuerdaten, LineEditThroughTheDoorLineEditor) {
  G().Flags = 0x3 | 0x400;
  S().NameSondertag2 = "Inventur";
  P(0).Zeitlinien[3] = Linie(7, 18, TAG_MONTAG);
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  fenster.Init(S());
  fenster.DOORTIMELINES->setCurrentRow(3);
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    Skript skript;
    skript.Modal(QStringLiteral("IDD_EDIT_DOORTIMELINE"), [&](QDialog& d) -> int {
      auto& editor = static_cast<TIDD_EDIT_DOORTIMELINE&>(d);
      EXPECT_EQ(editor.windowTitle(), QStringLiteral("Zeitlinien für Türstatus"));
      EXPECT_EQ(editor.Label1->text(), QStringLiteral("Gültig am ..."));
      EXPECT_EQ(editor.Label2->text(), QStringLiteral("Türstatus"));
      EXPECT_EQ(editor.alwaysopen->text(), QStringLiteral("daueroffen"));
      EXPECT_EQ(editor.alwaysclosed->text(), QStringLiteral("dauergesperrt"));
      EXPECT_EQ(editor.normal->text(), QStringLiteral("Kartenbetrieb"));
      EXPECT_TRUE(editor.normal->isHidden());
      EXPECT_EQ(editor.IDCB_SPECIAL1->text(), QStringLiteral("Sondertag1"));
      EXPECT_EQ(editor.IDCB_SPECIAL2->text(), QStringLiteral("Inventur"));
      EXPECT_FALSE(editor.IDCB_SPECIAL1->isEnabled());
      EXPECT_TRUE(editor.IDCB_SPECIAL2->isEnabled());
      editor.IDCB_SATURDAY->click();
      editor.IDCB_SPECIAL2->click();
      editor.alwaysclosed->click();
      if (!ok) return fenster::mrAbort;
      editor.BitBtn1->click();
      return editor.result();
    });
    fenster.IDB_CHANGETL->click();
    EXPECT_EQ(P(0).Zeitlinien[3].Tage,
              ok ? (TAG_MONTAG | TAG_SAMSTAG | TAG_SONDERTAG2 | TAG_DAUERGESPERRT) : TAG_MONTAG);
    EXPECT_EQ(S().DatenGespeichert, !ok);
  }
  // Marked and drawn: red at Saturday's row, its markers below.
  const QImage bild = Bild();
  for (int y : {30, 120, 210}) EXPECT_EQ(bild.pixelColor(250, y), grafik::kRot) << y;
  EXPECT_EQ(bild.pixelColor(203, 123), grafik::kRot);  // inside the marker below the line's start
}

TEST_F(Tuerdaten, ChoosingTheDoorShownIsNoChange) {
  G().Flags = 0x3;
  S().Geraetetyp = 1;
  P(1).Zeitlinien[2] = Linie(6, 9, TAG_MONTAG | TAG_DAUEROFFEN);
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  fenster.Init(S());
  Waehle(*fenster.IDCB_DOORS, 1);
  fenster.DOORTIMELINES->setCurrentRow(2);
  Waehle(*fenster.IDCB_DOORS, 1);
  EXPECT_EQ(fenster.GewaehlteZeile(), 2);
  EXPECT_TRUE(fenster.IDB_DELETETL->isEnabled());
  fenster.IDB_DELETETL->click();
  EXPECT_EQ(P(1).Zeitlinien[2], Zeitlinie{});
}

TEST_F(Tuerdaten, TabbingIntoTheLinesChoosesNoLine) {
  G().Flags = 0x3;
  P(0).Zeitlinien[0] = Linie(6, 9, TAG_MONTAG | TAG_DAUEROFFEN);
  TIDD_DOORDATA& fenster = Zeige();
  fenster.DOORTIMELINES->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(fenster.GewaehlteZeile(), -1);
  EXPECT_FALSE(fenster.IDB_DELETETL->isEnabled());
  fenster.IDB_DELETETLClick();
  EXPECT_EQ(P(0).Zeitlinien[0], Linie(6, 9, TAG_MONTAG | TAG_DAUEROFFEN));
  // The space bar chooses the line under the focus, the arrow keys move the choice.
  QTest::keyClick(fenster.DOORTIMELINES, Qt::Key_Space);
  EXPECT_EQ(fenster.GewaehlteZeile(), 0);
  EXPECT_TRUE(fenster.IDB_DELETETL->isEnabled());
  QTest::keyClick(fenster.DOORTIMELINES, Qt::Key_Down);
  EXPECT_EQ(fenster.GewaehlteZeile(), 1);
}

TEST_F(Tuerdaten, DeleteAndTheLineButtonsWithoutALine) {
  G().Flags = 0x3;
  S().Geraetetyp = 1;
  P(0).Zeitlinien[2] = Linie(6, 9, TAG_MONTAG | TAG_DAUEROFFEN);
  P(1).Zeitlinien[2] = Linie(6, 9, TAG_MONTAG | TAG_DAUEROFFEN);
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  fenster.Init(S());
  fenster.DOORTIMELINES->setCurrentRow(2);
  fenster.IDB_DELETETL->click();
  EXPECT_EQ(P(0).Zeitlinien[2], Zeitlinie{});
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(fenster.GewaehlteZeile(), 2);
  // After a door change no line is selected: the handlers change nothing.
  Waehle(*fenster.IDCB_DOORS, 1);
  EXPECT_EQ(fenster.GewaehlteZeile(), -1);
  EXPECT_FALSE(fenster.IDB_DELETETL->isEnabled());
  Skript skript;  // no editor is opened
  fenster.IDB_DELETETLClick();
  fenster.IDB_CHANGETLClick();
  fenster.DOORTIMELINESDblClick();
  EXPECT_EQ(P(1).Zeitlinien[2], Linie(6, 9, TAG_MONTAG | TAG_DAUEROFFEN));
}

TEST_F(Tuerdaten, Bilder) {
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const std::string ablage = ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad();
  G().Flags = 0x8403;
  S().Geraetetyp = 1;
  S().NameSondertag2 = "Betriebsurlaub";
  P(0).Zeitlinien[0] = Linie(7, 18, TAG_SAMSTAG | TAG_DAUEROFFEN);
  P(0).Zeitlinien[1] = Linie(20, 24, 0x7F | TAG_SONDERTAG2 | TAG_DAUERGESPERRT);
  TIDD_DOORDATA& fenster = *IDD_DOORDATA;
  fenster.Init(S());
  fenster.setWindowTitle(QStringLiteral("Türdaten"));
  fenster.DOORTIMELINES->setCurrentRow(0);
  EXPECT_TRUE(SpeichereBild(fenster, QString::fromStdString(ablage + "tuerdaten.png")));
}

TEST(TuerdatenOeffner, FromTheButtonTheMenuAndCtrlT) {
  TempOrdner ordner;
  TFormulare formulare;
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  IDD_MAIN->show();
  EXPECT_FALSE(IDD_MAIN->IDB_DOORDATA->isEnabled());
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_TRUE(IDD_MAIN->IDB_DOORDATA->isEnabled());
  IDD_MAIN->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(IDD_MAIN));
  int oeffnungen = 0;
  Skript skript;
  for (int i = 0; i < 3; ++i) {
    skript.Modal(QStringLiteral("IDD_DOORDATA"), [&](QDialog& d) {
      ++oeffnungen;
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Türdaten"));
      EXPECT_EQ(static_cast<TIDD_DOORDATA&>(d).IDCB_DOORS->currentText(), QStringLiteral("Tür 1"));
      return fenster::mrAbort;
    });
  }
  IDD_MAIN->IDB_DOORDATA->click();
  IDD_MAIN->Trdaten1->trigger();
  QTest::keyClick(IDD_MAIN, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(oeffnungen, 3);
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_FALSE(IDD_MAIN->IDB_DOORDATA->isEnabled());
}

}  // namespace
