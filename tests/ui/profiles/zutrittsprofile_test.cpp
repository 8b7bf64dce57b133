// The access profile editor on a new document: the profiles and lines it shows, a new profile
// through the input window (what a paste keeps of its name), deleting profiles and lines,
// editing a line through the time-line editor with its set-up by flags and device type, the
// graph, and the main window's openers.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "graphics/Wochengrafik.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "profiles/EditZeitlinieDlg.h"
#include "profiles/ZutrittprofileDlg.h"
#include "shared/EingabeDlg.h"
#include "shared/StatusDlg.h"

#include "Eingabe.h"
#include "Skript.h"
#include "UiTest.h"

namespace {

class ProfilTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programm = std::make_unique<Programm>(ordner.Pfad(), 2026);
    S().DatenGespeichert = true;
    S().BuchungenGespeichert = true;
  }
  void TearDown() override { programm.reset(); }

  TSteuerung& S() { return programm->S(); }
  TIDD_PROFIL& F() { return *IDD_PROFIL; }

  // The editor prepared as its opener does it, and shown for its set-up.
  void Oeffne() {
    F().Init(&S());
    F().FormShow();
  }

  QStringList Namen() {
    QStringList namen;
    for (int i = 0; i < F().IDC_SELECTPROFIL->count(); ++i) namen << F().IDC_SELECTPROFIL->itemText(i);
    return namen;
  }

  // The user chooses profile `index` in the combo.
  void Waehle(int index) {
    F().IDC_SELECTPROFIL->setCurrentIndex(index);
    emit F().IDC_SELECTPROFIL->activated(index);
  }

  // The picture the graph must show.
  QImage Erwartet(int profil, int markiert) {
    std::span<const Zeitlinie> linien;
    if (profil >= 0) linien = S().Profile.Find(profil)->Daten->Zeitlinien;
    return grafik::ZeichneWoche(grafik::Wochenbild::Profil, grafik::AnlageVon(S()), linien, markiert);
  }
  QImage Gezeigt() { return F().IDI_PROFIL->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }

  // A name typed into the input window and ended with `ergebnis`; with `abgelehnt` the box
  // that refuses it follows.
  void NeuesProfil(Skript& skript, const QString& name, int ergebnis, bool abgelehnt = false) {
    skript.Modal(QStringLiteral("IDC_INPUT"), [name, ergebnis](QDialog& d) {
      auto& eingabe = static_cast<TIDC_INPUT&>(d);
      EXPECT_EQ(eingabe.windowTitle(), QStringLiteral("Neues Zutrittsprofil"));
      EXPECT_EQ(eingabe.IDC_LABEL_INPUT->text(), QStringLiteral("Namen für neues Profil eingeben:"));
      EXPECT_TRUE(eingabe.IDE_INPUT->text().isEmpty());
      eingabe.IDE_INPUT->setText(name);
      return ergebnis;
    });
    if (abgelehnt) skript.Box(QStringLiteral("Fehler"), 16, 1);
    F().IDB_NEWPROFIL->click();
  }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};

TEST_F(ProfilTest, NewDocumentShowsItsThreeProfilesTheFirstChosenNoLineMarked) {
  Oeffne();
  EXPECT_EQ(Namen(), (QStringList{QStringLiteral("nie"), QStringLiteral("immer"), QStringLiteral("werktags")}));
  EXPECT_EQ(F().IDC_SELECTPROFIL->currentIndex(), 0);
  EXPECT_EQ(F().Profilindex(), 0);
  ASSERT_EQ(F().IDC_SELECT_TIMEZONE->count(), 18);
  EXPECT_EQ(F().IDC_SELECT_TIMEZONE->item(0)->text(), QStringLiteral("Zeitlinie 0"));
  EXPECT_EQ(F().IDC_SELECT_TIMEZONE->item(17)->text(), QStringLiteral("Zeitlinie 17"));
  EXPECT_EQ(F().IDC_SELECT_TIMEZONE->currentRow(), -1);
  EXPECT_FALSE(F().IDB_CHANGE_TIMEZONE->isEnabled());
  EXPECT_FALSE(F().IDB_DELETE_TIMEZONE->isEnabled());
  EXPECT_EQ(Gezeigt(), Erwartet(0, -1));

  Waehle(1);
  EXPECT_EQ(F().Profilindex(), 1);
  EXPECT_TRUE(F().IDB_DELETE_PROFIL->isEnabled());
  EXPECT_EQ(Gezeigt(), Erwartet(1, -1));
  // "immer": every day row green from 00:00 to 24:00.
  EXPECT_EQ(Gezeigt().pixelColor(99, 30), grafik::kGruen);
  EXPECT_EQ(Gezeigt().pixelColor(456, 174), grafik::kGruen);

  F().IDC_SELECT_TIMEZONE->setCurrentRow(0);
  EXPECT_TRUE(F().IDB_CHANGE_TIMEZONE->isEnabled());
  EXPECT_TRUE(F().IDB_DELETE_TIMEZONE->isEnabled());
  EXPECT_EQ(Gezeigt(), Erwartet(1, 0));
  EXPECT_NE(Gezeigt(), Erwartet(1, -1));
  EXPECT_TRUE(S().DatenGespeichert);  // looking changes nothing
}

TEST_F(ProfilTest, NewProfileWithOkIsAppendedAndChosen) {
  Oeffne();
  {
    Skript skript;
    NeuesProfil(skript, QStringLiteral("Büro"), fenster::mrOk);
  }
  EXPECT_EQ(Namen().size(), 4);
  EXPECT_EQ(F().IDC_SELECTPROFIL->currentText(), QStringLiteral("Büro"));
  EXPECT_EQ(F().Profilindex(), 3);
  ASSERT_EQ(S().Profile.Anzahl, 4);
  const PROFIL& neu = *S().Profile.Find(3)->Daten;
  EXPECT_EQ(std::memcmp(neu.Name, "B\xFCro\0\0\0\0\0\0\0\0\0\0\0\0", 16), 0);
  for (const Zeitlinie& z : neu.Zeitlinien) EXPECT_EQ(z, Zeitlinie{});
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_TRUE(F().IDB_DELETE_PROFIL->isEnabled());
  EXPECT_FALSE(IDC_INPUT->isVisible());
}

// The user types a name the editor refuses and clicks OK; after the box, the input window
// opens again with the focus in its edit, and the next name typed and ended with Return is
// added.
TEST_F(ProfilTest, AfterARefusedNameTheNextTypedNameAndReturnAddIt) {
  Oeffne();
  auto tippe = [](QDialog& d, const QString& name, std::function<void()> beenden) {
    auto& eingabe = static_cast<TIDC_INPUT&>(d);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(QApplication::focusWidget(), eingabe.IDE_INPUT);
    QTest::keyClicks(static_cast<QWidget*>(nullptr), name);
    beenden();
    EXPECT_FALSE(d.isVisible());  // OK ended it
    return d.result();
  };
  {
    Skript skript;
    skript
        .Modal(QStringLiteral("IDC_INPUT"),
               [&](QDialog& d) {
                 return tippe(d, QStringLiteral("Lager Nord"),
                              [&d] { QTest::mouseClick(static_cast<TIDC_INPUT&>(d).BitBtn1, Qt::LeftButton); });
               })
        .Box(QStringLiteral("Ein Profilname hat höchstens 11 Zeichen und kein Leerzeichen."), QStringLiteral("Fehler"),
             16, 1)
        .Modal(QStringLiteral("IDC_INPUT"), [&](QDialog& d) {
          return tippe(d, QStringLiteral("Lager"),
                       [] { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return); });
        });
    F().IDB_NEWPROFIL->click();
    EXPECT_EQ(Namen().size(), 3);
    F().IDB_NEWPROFIL->click();
  }
  EXPECT_EQ(Namen(), (QStringList{QStringLiteral("nie"), QStringLiteral("immer"), QStringLiteral("werktags"),
                                  QStringLiteral("Lager")}));
  EXPECT_EQ(F().IDC_SELECTPROFIL->currentText(), QStringLiteral("Lager"));
  EXPECT_EQ(S().Profile.Anzahl, 4);
}

struct NamenFall {
  const char* name;
  const char* text;
  int ergebnis;
  bool box;                           // refused with a box
  bool neu;                           // a profile is added
  const char* gespeichert = nullptr;  // the name the input window keeps, when not the text
};

void PrintTo(const NamenFall& f, std::ostream* os) { *os << f.name; }

class NeuerName : public ProfilTest, public ::testing::WithParamInterface<NamenFall> {};

TEST_P(NeuerName, IsTakenOrRefused) {
  const NamenFall& f = GetParam();
  Oeffne();
  {
    Skript skript;
    NeuesProfil(skript, QString::fromUtf8(f.text), f.ergebnis, f.box);
  }
  EXPECT_EQ(S().Profile.Anzahl, f.neu ? 4 : 3);
  EXPECT_EQ(Namen().size(), f.neu ? 4 : 3);
  EXPECT_EQ(S().DatenGespeichert, !f.neu);
  // The combo's choice runs in every case; without a new profile it stays on the one shown.
  EXPECT_EQ(F().Profilindex(), f.neu ? 3 : 0);
  EXPECT_TRUE(F().IDB_DELETE_PROFIL->isEnabled());
  if (f.neu) {
    EXPECT_EQ(F().IDC_SELECTPROFIL->currentText(),
              QString::fromUtf8(f.gespeichert != nullptr ? f.gespeichert : f.text));
  }
}

INSTANTIATE_TEST_SUITE_P(Profile, NeuerName,
                         ::testing::Values(NamenFall{"ElevenCharacters", "Schichtdien", fenster::mrOk, false, true},
                                           NamenFall{"Euro", "€-Kasse", fenster::mrOk, false, true},
                                           NamenFall{"EmptyWithOk", "", fenster::mrOk, false, false},
                                           NamenFall{"Cancel", "Lager", fenster::mrCancel, false, false},
                                           NamenFall{"TwelveCharacters", "Schichtdiens", fenster::mrOk, true, false},
                                           NamenFall{"ThirtyCharacters", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD",
                                                     fenster::mrOk, true, false},
                                           NamenFall{"Blank", "Lager Nord", fenster::mrOk, true, false},
                                           NamenFall{"OnlyABlank", " ", fenster::mrOk, true, false},
                                           NamenFall{"NotWindows1252", "Ωmega", fenster::mrOk, false, true, "mega"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A name pasted into the input window keeps what a record field can hold: control characters
// (a tab, a line end) and characters Windows-1252 lacks are dropped; what the editor's own rule
// refuses (a blank, more than 11 characters) it still refuses with its box.
TEST_F(ProfilTest, APastedNameKeepsWhatTheFieldCanHold) {
  const struct {
    const char* fall;
    QString einfuegen;
    Weg weg;
    const char* name;  // the new profile's name bytes; nullptr: refused with the box
  } faelle[] = {
      {"a tab inside", QStringLiteral("Öl\tlager"), Weg::StrgV, "\xD6llager"},
      {"a line end after it", QStringLiteral("Lager\r\n"), Weg::StrgV, "Lager"},
      {"other control characters", QString::fromUtf8("\x01Tor\x7F\u0085"), Weg::StrgV, "Tor"},
      {"characters Windows-1252 lacks", QStringLiteral("Łager😀"), Weg::StrgV, "ager"},
      {"the context menu, a tab inside", QStringLiteral("Öl\tlager"), Weg::Menue, "\xD6llager"},
      {"a blank", QStringLiteral("Lager Nord"), Weg::StrgV, nullptr},
      {"longer than a profile name", QStringLiteral("Schichtdienst"), Weg::StrgV, nullptr},
  };
  Oeffne();
  int anzahl = S().Profile.Anzahl;
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    Skript skript;
    skript.Modal(QStringLiteral("IDC_INPUT"), [&f](QDialog& d) {
      Gib(*static_cast<TIDC_INPUT&>(d).IDE_INPUT, {{}, f.einfuegen, f.weg});
      return fenster::mrOk;
    });
    if (f.name == nullptr) {
      skript.Box(QStringLiteral("Ein Profilname hat höchstens 11 Zeichen und kein Leerzeichen."),
                 QStringLiteral("Fehler"), 16, 1);
    }
    F().IDB_NEWPROFIL->click();
    if (f.name == nullptr) {
      EXPECT_EQ(S().Profile.Anzahl, anzahl);
    } else {
      ASSERT_EQ(S().Profile.Anzahl, ++anzahl);
      EXPECT_EQ(LiesText(S().Profile.Find(anzahl - 1)->Daten->Name), f.name);
    }
  }
}

TEST_F(ProfilTest, DeletingEveryProfileThenTheButtonsDoNothing) {
  Oeffne();
  EXPECT_FALSE(F().IDB_DELETE_PROFIL->isEnabled());  // until the first choice in the combo
  Waehle(1);
  F().IDC_SELECT_TIMEZONE->setCurrentRow(2);
  Skript skript;  // no window and no box may come up
  for (int i = 0; i < 3; ++i) F().IDB_DELETE_PROFIL->click();
  EXPECT_EQ(S().Profile.Anzahl, 0);
  EXPECT_EQ(F().IDC_SELECTPROFIL->count(), 0);
  EXPECT_EQ(F().Profilindex(), -1);
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(Gezeigt(), Erwartet(-1, -1));
  S().DatenGespeichert = true;

  F().IDB_DELETE_PROFIL->click();
  EXPECT_EQ(F().IDC_SELECTPROFIL->count(), 0);
  F().IDC_SELECT_TIMEZONE->setCurrentRow(5);
  EXPECT_TRUE(F().IDB_CHANGE_TIMEZONE->isEnabled());
  F().IDB_CHANGE_TIMEZONE->click();
  F().IDB_DELETE_TIMEZONE->click();
  emit F().IDC_SELECT_TIMEZONE->itemDoubleClicked(F().IDC_SELECT_TIMEZONE->item(5));
  EXPECT_TRUE(S().DatenGespeichert);
  EXPECT_TRUE(skript.Verlauf().empty());
}

TEST_F(ProfilTest, LineButtonsDoNothingWithoutASelectedLine) {
  Oeffne();
  Waehle(2);
  F().IDC_SELECT_TIMEZONE->setCurrentRow(0);
  Waehle(1);  // another profile: no line selected, the buttons stay enabled
  EXPECT_EQ(F().IDC_SELECT_TIMEZONE->currentRow(), -1);
  EXPECT_TRUE(F().IDB_DELETE_TIMEZONE->isEnabled());
  const PROFIL vorher = *S().Profile.Find(1)->Daten;
  Skript skript;
  F().IDB_CHANGE_TIMEZONE->click();
  F().IDB_DELETE_TIMEZONE->click();
  EXPECT_EQ(*S().Profile.Find(1)->Daten, vorher);
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(ProfilTest, TabbingIntoTheLineListSelectsNoLine) {
  IDD_MAIN->IDB_SETTINGS->click();
  const PROFIL vorher = *S().Profile.Find(1)->Daten;
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PROFIL"), [this](QDialog& d) {
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    Waehle(1);
    F().IDB_DELETE_PROFIL->setFocus();
    QTest::keyClick(F().IDB_DELETE_PROFIL, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), F().IDC_SELECT_TIMEZONE);
    // The list has the focus, no line is selected: the buttons stay off and nothing is marked.
    EXPECT_FALSE(F().IDB_CHANGE_TIMEZONE->isEnabled());
    EXPECT_FALSE(F().IDB_DELETE_TIMEZONE->isEnabled());
    EXPECT_EQ(Gezeigt(), Erwartet(1, -1));
    QTest::keyClick(F().IDC_SELECT_TIMEZONE, Qt::Key_Tab);
    if (QApplication::focusWidget() == F().IDB_CHANGE_TIMEZONE) QTest::keyClick(F().IDB_CHANGE_TIMEZONE, Qt::Key_Tab);
    if (QApplication::focusWidget() == F().IDB_DELETE_TIMEZONE) QTest::keyClick(F().IDB_DELETE_TIMEZONE, Qt::Key_Space);
    return fenster::mrOk;
  });
  IDD_MAIN->IDB_PROFIL->click();
  EXPECT_EQ(*S().Profile.Find(1)->Daten, vorher);
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(ProfilTest, ArrowKeysAndClicksSelectALine) {
  IDD_MAIN->IDB_SETTINGS->click();
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PROFIL"), [this](QDialog& d) {
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    Waehle(2);
    QListWidget& liste = *F().IDC_SELECT_TIMEZONE;
    const QRect zeile1 = liste.visualItemRect(liste.item(1));
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, zeile1.center());
    EXPECT_TRUE(F().IDB_DELETE_TIMEZONE->isEnabled());
    EXPECT_EQ(Gezeigt(), Erwartet(2, 1));
    QTest::keyClick(&liste, Qt::Key_Up);
    EXPECT_EQ(Gezeigt(), Erwartet(2, 0));
    F().IDB_DELETE_TIMEZONE->click();
    return fenster::mrOk;
  });
  IDD_MAIN->IDB_PROFIL->click();
  EXPECT_EQ(S().Profile.Find(2)->Daten->Zeitlinien[0], Zeitlinie{});
  EXPECT_NE(S().Profile.Find(2)->Daten->Zeitlinien[1], Zeitlinie{});
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(ProfilTest, DeletingALineZeroesItAndItsDaysAreGone) {
  Oeffne();
  Waehle(2);
  F().IDC_SELECT_TIMEZONE->setCurrentRow(1);
  F().IDB_DELETE_TIMEZONE->click();
  const PROFIL& werktags = *S().Profile.Find(2)->Daten;
  EXPECT_EQ(werktags.Zeitlinien[1], Zeitlinie{});
  EXPECT_NE(werktags.Zeitlinien[0], Zeitlinie{});
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(F().IDC_SELECT_TIMEZONE->currentRow(), 1);
  EXPECT_EQ(Gezeigt(), Erwartet(2, 1));
  // Saturday (line 1 only) is empty now; Monday (line 0) stays.
  EXPECT_NE(Gezeigt().pixelColor(200, 120), grafik::kGruen);
  EXPECT_EQ(Gezeigt().pixelColor(300, 30), grafik::kGruen);
}

TEST_F(ProfilTest, EditingALineWritesItOnOkOnly) {
  S().Geraetedaten.Flags = GD_TUER1 | GD_TUER2;
  S().Geraetetyp = 1;
  S().LeserTuerZuordnung = 0x21;
  Oeffne();
  Waehle(2);
  F().IDC_SELECT_TIMEZONE->setCurrentRow(3);
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_EDIT_TIMELINE"), [](QDialog& d) {
      auto& e = static_cast<TIDD_EDIT_TIMELINE&>(d);
      e.IDSB_FROM_TIME->setValue(78);  // 06:30
      e.IDSB_TO_TIME->setValue(264);   // 22:00
      for (QCheckBox* tag : {e.IDCB_MONDAY, e.IDCB_TUESDAY, e.IDCB_WEDNESDAY, e.IDCB_THURSDAY, e.IDCB_FRIDAY})
        tag->setChecked(true);
      e.IDCB_DOOR1->setChecked(true);
      e.IDCB_DOOR2->setChecked(true);
      e.BitBtn1->click();
      return e.result();
    });
    F().IDB_CHANGE_TIMEZONE->click();
  }
  Zeitlinie erwartet;
  erwartet.VonStunde = 6;
  erwartet.VonMinute = 30;
  erwartet.BisStunde = 22;
  erwartet.Tage = 0x101F;
  erwartet.Tueren = 0x21;
  EXPECT_EQ(S().Profile.Find(2)->Daten->Zeitlinien[3], erwartet);
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(Gezeigt(), Erwartet(2, 3));
  // Doors 1 and 2 in each of the rows Monday to Friday, the line marked.
  for (int y = 30; y <= 102; y += 18) {
    EXPECT_EQ(Gezeigt().pixelColor(300, y), grafik::kGruen) << y;
    EXPECT_EQ(Gezeigt().pixelColor(300, y + 3), grafik::kRot) << y;
  }
  EXPECT_EQ(Gezeigt().pixelColor(196, 27), grafik::kGruen);

  S().DatenGespeichert = true;
  const PROFIL vorher = *S().Profile.Find(2)->Daten;
  for (int ergebnis : {fenster::mrAbort, fenster::mrCancel}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_EDIT_TIMELINE"), [ergebnis](QDialog& d) {
      auto& e = static_cast<TIDD_EDIT_TIMELINE&>(d);
      e.IDSB_FROM_TIME->setValue(0);
      e.IDCB_SUNDAY->setChecked(true);
      return ergebnis;
    });
    emit F().IDC_SELECT_TIMEZONE->itemDoubleClicked(F().IDC_SELECT_TIMEZONE->item(3));
  }
  EXPECT_EQ(*S().Profile.Find(2)->Daten, vorher);
  EXPECT_TRUE(S().DatenGespeichert);
}

struct EinrichtungsFall {
  const char* name;
  std::uint32_t flags;
  int typ;
  bool tuer2, tuer3;
  const char* tuer2Text;
  bool sonder1, sonder2;
};

void PrintTo(const EinrichtungsFall& f, std::ostream* os) { *os << f.name; }

class Einrichtung : public ProfilTest, public ::testing::WithParamInterface<EinrichtungsFall> {};

TEST_P(Einrichtung, DoorAndSpecialDayBoxesByFlagsAndDeviceType) {
  const EinrichtungsFall& f = GetParam();
  S().Geraetedaten.Flags = f.flags;
  S().Geraetetyp = f.typ;
  S().NameSondertag1 = "Betriebsurlaub";
  S().NameSondertag2 = "Inventur";
  Oeffne();
  F().IDC_SELECT_TIMEZONE->setCurrentRow(0);
  Skript skript;
  skript.Modal(QStringLiteral("IDD_EDIT_TIMELINE"), [&f](QDialog& d) {
    auto& e = static_cast<TIDD_EDIT_TIMELINE&>(d);
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Zeitlinien für Zutrittsprofil"));
    EXPECT_EQ(e.Label1->text(), QStringLiteral("Gültig am ..."));
    EXPECT_EQ(e.Label2->text(), QStringLiteral("Wirksam für ..."));
    EXPECT_EQ(e.IDCB_DOOR1->text(), QStringLiteral("Tür 1"));
    EXPECT_EQ(e.IDCB_DOOR2->text(), QString::fromUtf8(f.tuer2Text));
    EXPECT_EQ(e.IDCB_DOOR3->text(), QStringLiteral("Tür 3 (MK)"));
    EXPECT_TRUE(e.IDCB_DOOR1->isEnabled());
    EXPECT_EQ(e.IDCB_DOOR2->isEnabled(), f.tuer2);
    EXPECT_EQ(e.IDCB_DOOR3->isEnabled(), f.tuer3);
    EXPECT_EQ(e.IDCB_SPECIAL1->text(), QStringLiteral("Betriebsurlaub"));
    EXPECT_EQ(e.IDCB_SPECIAL2->text(), QStringLiteral("Inventur"));
    EXPECT_EQ(e.IDCB_SPECIAL1->isEnabled(), f.sonder1);
    EXPECT_EQ(e.IDCB_SPECIAL2->isEnabled(), f.sonder2);
    return fenster::mrAbort;
  });
  F().IDB_CHANGE_TIMEZONE->click();
}

INSTANTIATE_TEST_SUITE_P(
    Profile, Einrichtung,
    ::testing::Values(EinrichtungsFall{"Door1Only", 0x1, 0, false, false, "Tür 2", false, false},
                      EinrichtungsFall{"Doors12Type1", 0x3, 1, true, false, "Tür 2", false, false},
                      EinrichtungsFall{"Doors123Type1", 0x7, 1, true, true, "Tür 2", false, false},
                      EinrichtungsFall{"Doors123Type0", 0x7, 0, true, false, "Tür 2 (MK)", false, false},
                      EinrichtungsFall{"Doors13Type0", 0x5, 0, false, false, "Tür 2 (MK)", false, false},
                      EinrichtungsFall{"Doors13Type1", 0x5, 1, false, true, "Tür 2", false, false},
                      EinrichtungsFall{"SpecialDay1", 0x201, 0, false, false, "Tür 2", true, false},
                      EinrichtungsFall{"BothSpecialDays", 0x603, 1, true, false, "Tür 2", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfilTest, OpenedByTheButtonTheMenuAndCtrlZ) {
  EXPECT_FALSE(IDD_MAIN->IDB_PROFIL->isEnabled());
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_TRUE(IDD_MAIN->IDB_PROFIL->isEnabled());
  EXPECT_TRUE(IDD_MAIN->IDB_PROFIL->isVisible());
  S().Profile.Find(0)->Daten->Name[0] = 'N';
  auto erwarte = [this](Skript& skript) {
    skript.Modal(QStringLiteral("IDD_PROFIL"), [this](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Zutrittsprofile"));
      EXPECT_EQ(Namen().first(), QStringLiteral("Nie"));
      return fenster::mrOk;
    });
  };
  {
    Skript skript;
    erwarte(skript);
    IDD_MAIN->IDB_PROFIL->click();
  }
  {
    Skript skript;
    erwarte(skript);
    IDD_MAIN->Zutrittsprofile1->trigger();
  }
  IDD_MAIN->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(IDD_MAIN));
  {
    Skript skript;
    erwarte(skript);
    QTest::keyClick(IDD_MAIN, Qt::Key_Z, Qt::ControlModifier);
  }
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_FALSE(IDD_MAIN->IDB_PROFIL->isEnabled());
  EXPECT_FALSE(IDD_MAIN->IDB_PROFIL->isVisible());
}

TEST_F(ProfilTest, ShownFromTheMainWindowATypedTimeReachesTheLine) {
  IDD_MAIN->IDB_SETTINGS->click();
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PROFIL"), [this, &skript](QDialog&) {
      EXPECT_FALSE(F().IDB_CHANGE_TIMEZONE->isEnabled());
      Waehle(2);
      F().IDC_SELECT_TIMEZONE->setCurrentRow(1);
      skript.Modal(QStringLiteral("IDD_EDIT_TIMELINE"), [](QDialog& d) {
        auto& e = static_cast<TIDD_EDIT_TIMELINE&>(d);
        e.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&e));
        e.IDE_FROM_TIME->setFocus();
        e.IDE_FROM_TIME->selectAll();
        QTest::keyClicks(e.IDE_FROM_TIME, QStringLiteral("1207"));
        EXPECT_EQ(e.IDE_FROM_TIME->text(), QStringLiteral("12:07"));
        QTest::keyClick(e.IDE_FROM_TIME, Qt::Key_Tab);  // leaves the edit
        EXPECT_EQ(e.IDE_FROM_TIME->text(), QStringLiteral("12:05"));
        EXPECT_EQ(e.IDE_TO_TIME->text(), QStringLiteral("16:00"));
        e.BitBtn1->click();
        return e.result();
      });
      F().IDB_CHANGE_TIMEZONE->click();
      return fenster::mrOk;
    });
    IDD_MAIN->IDB_PROFIL->click();
  }
  const Zeitlinie& linie = S().Profile.Find(2)->Daten->Zeitlinien[1];
  EXPECT_EQ(linie.VonStunde, 12);
  EXPECT_EQ(linie.VonMinute, 5);
  EXPECT_EQ(linie.BisStunde, 16);
  EXPECT_FALSE(S().DatenGespeichert);
  // The next showing starts with the line buttons disabled and the first profile chosen.
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PROFIL"), [this](QDialog&) {
    EXPECT_FALSE(F().IDB_CHANGE_TIMEZONE->isEnabled());
    EXPECT_FALSE(F().IDB_DELETE_TIMEZONE->isEnabled());
    EXPECT_EQ(F().Profilindex(), 0);
    EXPECT_EQ(F().IDC_SELECT_TIMEZONE->currentRow(), -1);
    return fenster::mrOk;
  });
  IDD_MAIN->Zutrittsprofile1->trigger();
}

TEST_F(ProfilTest, Rendering) {
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const QString ablage = QString::fromStdString(ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad());
  S().Geraetedaten.Flags = 0x607;
  S().Geraetetyp = 1;
  S().NameSondertag1 = "Betriebsurlaub";
  S().NameSondertag2 = "Inventur";
  Oeffne();
  F().setWindowTitle(QStringLiteral("Zutrittsprofile"));
  Waehle(2);
  F().IDC_SELECT_TIMEZONE->setCurrentRow(0);
  ASSERT_TRUE(SpeichereBild(F(), ablage + QStringLiteral("zutrittsprofile.png")));
  // The input window as the new-profile command prepares it.
  Skript skript;
  skript.Modal(QStringLiteral("IDC_INPUT"), [&ablage](QDialog& d) {
    auto& eingabe = static_cast<TIDC_INPUT&>(d);
    eingabe.IDE_INPUT->setText(QStringLiteral("Schichtdien"));
    EXPECT_LE(eingabe.IDC_LABEL_INPUT->sizeHint().width(), eingabe.IDC_LABEL_INPUT->width());
    EXPECT_TRUE(SpeichereBild(eingabe, ablage + QStringLiteral("neues_profil.png")));
    return fenster::mrCancel;
  });
  F().IDB_NEWPROFIL->click();
}

}  // namespace
