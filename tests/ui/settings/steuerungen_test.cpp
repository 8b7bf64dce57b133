// The controller-data window and the special-days window: what OK writes for each type
// choice, what Abort leaves, the view of each type, door and special-day names as bytes (what
// a paste keeps of its text too), the openers in the main window.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "settings/SpezialDlg.h"
#include "settings/SteuerungenDlg.h"

#include "Eingabe.h"
#include "Skript.h"
#include "UiTest.h"
#include "common/Textfeld.h"

namespace {

std::string Bytes(const char* feld, std::size_t n) { return std::string(feld, n); }

// What the user does to choose an item: the index changes, then the choice is reported.
void Waehle(QComboBox& box, int index) {
  box.setCurrentIndex(index);
  emit box.activated(index);
}

// Types `text` into the edit at its cursor, key by key (umlauts too, which QTest's key
// table lacks).
void TippeDazu(QLineEdit& edit, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(&edit, &taste);
  }
}

// Replaces the text of an edit as typed by the user.
void Tippe(QLineEdit& edit, const QString& text) {
  edit.setFocus();
  edit.selectAll();
  TippeDazu(edit, text);
}

class FensterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    formulare = std::make_unique<TFormulare>();
    steuerung = std::make_unique<TSteuerung>(2026, ordner.Pfad());
    steuerung->DatenGespeichert = true;
  }
  void TearDown() override {
    steuerung.reset();
    formulare.reset();
  }
  TSteuerung& S() { return *steuerung; }
  GERAETEDATEN& G() { return steuerung->Geraetedaten; }

  TempOrdner ordner;
  std::unique_ptr<TFormulare> formulare;
  std::unique_ptr<TSteuerung> steuerung;
};

using Steuerungsdaten = FensterTest;

TEST_F(Steuerungsdaten, TypeChoiceAndOkTable) {
  struct Fall {
    const char* name;
    int typ;
    std::uint16_t wort;
    std::uint32_t flags;
    int wahl;  // -1: no choice
    int neuerTyp;
    std::uint16_t neuesWort;
    std::uint32_t neueFlags;
  };
  const Fall faelle[] = {
      {"new document, RA 20", 0, 0x01, 0x3001, 1, 1, 0x21, 0x3103},
      {"RA 20 with an expert's word, ZO 10", 1, 0x77, 0x8107, 0, 0, 0x01, 0x0001},
      {"RA 20 with bit 16, ZO 10", 1, 0x21, 0x18903, 0, 0, 0x01, 0x0801},
      {"no choice keeps type, word, doors, 0x100, 0x8000, bit 16", 1, 0x77, 0x18107, -1, 1, 0x77, 0x18107},
      {"the type shown chosen again is no change", 1, 0x77, 0x18107, 1, 1, 0x77, 0x18107},
      {"ZO 10 chosen again on a ZO 10", 0, 0x05, 0x8005, 0, 0, 0x05, 0x8005},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    S().Geraetetyp = f.typ;
    S().LeserTuerZuordnung = f.wort;
    G().Flags = f.flags;
    S().DatenGespeichert = true;
    TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
    fenster.Init(S());
    EXPECT_EQ(fenster.IDCB_SELECT_STRG->currentIndex(), f.typ);
    if (f.wahl >= 0) Waehle(*fenster.IDCB_SELECT_STRG, f.wahl);
    fenster.BitBtn1->click();
    EXPECT_EQ(fenster.result(), fenster::mrOk);
    EXPECT_EQ(S().Geraetetyp, f.neuerTyp);
    EXPECT_EQ(S().LeserTuerZuordnung, f.neuesWort);
    EXPECT_EQ(G().Flags, f.neueFlags);
    EXPECT_EQ(S().DatenGespeichert, f.neueFlags == f.flags && f.neuesWort == f.wort);
  }
}

TEST_F(Steuerungsdaten, OkWithoutTypeChangeWritesNamesAndTheThreeBoxes) {
  S().Geraetetyp = 1;
  S().LeserTuerZuordnung = 0x77;
  G().Flags = 0x18107;
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  fenster.show();
  fenster.Init(S());
  Tippe(*fenster.IDE_DOOR1, QStringLiteral("Büro"));
  Tippe(*fenster.IDE_DOOR2, QStringLiteral("Lager"));
  fenster.CheckBoxUnbekannt->click();
  fenster.CheckBoxAbgewiesen->click();
  fenster.CheckBoxSchleusse->click();
  fenster.BitBtn1->click();
  fenster.hide();
  EXPECT_EQ(G().Flags, 0x18107u | 0x40 | 0x80 | 0x800);
  EXPECT_EQ(S().Geraetetyp, 1);
  EXPECT_EQ(S().LeserTuerZuordnung, 0x77);
  EXPECT_EQ(Bytes(G().NameTuer1, 5), std::string("B\xFCro\0", 5));
  EXPECT_EQ(std::string(G().NameTuer2), "Lager");
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(Steuerungsdaten, AbortAfterAChoiceLeavesTheDocumentByteIdentical) {
  G().Flags = 0x8107;
  S().Geraetetyp = 1;
  S().LeserTuerZuordnung = 0x77;
  const std::string vorher = ordner / "vorher.wuz";
  const std::string nachher = ordner / "nachher.wuz";
  S().Save(vorher);
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  fenster.show();
  fenster.Init(S());
  Waehle(*fenster.IDCB_SELECT_STRG, 0);
  Tippe(*fenster.IDE_DOOR1, QStringLiteral("Halle"));
  fenster.CheckBoxUnbekannt->click();
  fenster.BitBtn2->click();
  EXPECT_EQ(fenster.result(), fenster::mrAbort);
  EXPECT_TRUE(S().DatenGespeichert);
  S().Save(nachher);
  EXPECT_EQ(LiesDatei(nachher), LiesDatei(vorher));
}

TEST_F(Steuerungsdaten, ViewOfEachType) {
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  G().Flags = 0x0801;  // airlock on, shown only for "RA 20"
  S().LeserTuerZuordnung = 0x01;
  fenster.Init(S());
  EXPECT_EQ(fenster.Labeld2->text(), QStringLiteral("Tür 2 (MK)"));
  EXPECT_EQ(fenster.CheckBoxd2l1->text(), QStringLiteral("Tür 2 (MK)"));
  EXPECT_FALSE(fenster.IDE_DOOR2->isEnabled());
  for (QWidget* w : {static_cast<QWidget*>(fenster.Labeld3), static_cast<QWidget*>(fenster.IDE_DOOR3),
                     static_cast<QWidget*>(fenster.CheckBoxd3l1), static_cast<QWidget*>(fenster.CheckBoxd1l2),
                     static_cast<QWidget*>(fenster.CheckBoxd2l2), static_cast<QWidget*>(fenster.CheckBoxd3l2),
                     static_cast<QWidget*>(fenster.Labell2), static_cast<QWidget*>(fenster.CheckBoxSchleusse)}) {
    EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
  }
  EXPECT_TRUE(fenster.CheckBoxd1l1->isChecked());
  EXPECT_FALSE(fenster.CheckBoxd2l1->isChecked());
  EXPECT_EQ(fenster.IDE_DOOR3->text(), QStringLiteral("Meldekontakt"));
  fenster.BitBtn1->click();
  EXPECT_EQ(G().Flags, 0x0801u);  // the hidden airlock box keeps its bit

  fenster.Init(S());
  Waehle(*fenster.IDCB_SELECT_STRG, 1);
  EXPECT_EQ(fenster.Labeld2->text(), QStringLiteral("Tür 2"));
  EXPECT_TRUE(fenster.IDE_DOOR2->isEnabled());
  EXPECT_FALSE(fenster.IDE_DOOR3->isEnabled());
  for (QWidget* w : {static_cast<QWidget*>(fenster.Labeld3), static_cast<QWidget*>(fenster.IDE_DOOR3),
                     static_cast<QWidget*>(fenster.CheckBoxd3l1), static_cast<QWidget*>(fenster.CheckBoxd2l2),
                     static_cast<QWidget*>(fenster.Labell2), static_cast<QWidget*>(fenster.CheckBoxSchleusse)}) {
    EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
  }
  // The default assignment of "RA 20": reader 1 to door 1, reader 2 to door 2.
  const std::pair<QCheckBox*, bool> haken[] = {{fenster.CheckBoxd1l1, true},  {fenster.CheckBoxd2l1, false},
                                               {fenster.CheckBoxd3l1, false}, {fenster.CheckBoxd1l2, false},
                                               {fenster.CheckBoxd2l2, true},  {fenster.CheckBoxd3l2, false}};
  for (const auto& [box, an] : haken) {
    EXPECT_EQ(box->isChecked(), an) << box->objectName().toStdString();
    EXPECT_FALSE(box->isEnabled());
  }
}

TEST_F(Steuerungsdaten, DoorNamesTypedAndLoaded) {
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  fenster.show();
  // A loaded name of 16 bytes without its terminator is shown whole and kept by OK.
  std::memcpy(G().NameTuer1, "Haupteingang Ost", 16);
  S().Geraetetyp = 1;
  fenster.Init(S());
  EXPECT_EQ(fenster.IDE_DOOR1->text(), QStringLiteral("Haupteingang Ost"));
  fenster.BitBtn1->click();
  EXPECT_EQ(Bytes(G().NameTuer1, 16), "Haupteingang Ost");

  // Typing stops at 15 characters; characters Windows-1252 cannot hold are refused.
  fenster.Init(S());
  Tippe(*fenster.IDE_DOOR2, QStringLiteral("Nebeneingang Süd-West"));
  EXPECT_EQ(fenster.IDE_DOOR2->text(), QStringLiteral("Nebeneingang Sü"));
  fenster.IDE_DOOR2->end(false);
  TippeDazu(*fenster.IDE_DOOR2, QStringLiteral("x"));
  EXPECT_EQ(fenster.IDE_DOOR2->text(), QStringLiteral("Nebeneingang Sü"));
  Tippe(*fenster.IDE_DOOR2, QStringLiteral("Tor→€"));
  EXPECT_EQ(fenster.IDE_DOOR2->text(), QStringLiteral("Tor€"));
  fenster.BitBtn1->click();
  EXPECT_EQ(Bytes(G().NameTuer2, 5), std::string("Tor\x80\0", 5));
  // The long loaded name shortened by the user is stored cut to 15 bytes.
  fenster.Init(S());
  fenster.IDE_DOOR1->setFocus();
  fenster.IDE_DOOR1->end(false);
  QTest::keyClick(fenster.IDE_DOOR1, Qt::Key_Backspace);
  EXPECT_EQ(fenster.IDE_DOOR1->text(), QStringLiteral("Haupteingang Os"));
  fenster.BitBtn1->click();
  EXPECT_EQ(Bytes(G().NameTuer1, 16), std::string("Haupteingang Os\0", 16));
  fenster.hide();
}

// The names of the controller-data window and of the special-days window it opens, typed or
// pasted, are stored as the edits show them; an edit showing the name it was opened with keeps
// the field's bytes, those after the terminator too, and a loaded name longer than the typing
// limit whole.
TEST_F(Steuerungsdaten, DoorAndSpecialDayNamesAreStoredAsTheEditsShowThem) {
  const std::string langeTuer = "Haupteingang Ost";  // 16 bytes, no terminator
  const std::string kurzeTuer("Tor\0alt", 7);
  const std::string langerTag = "Tag der offenen T\xFCr 2026";  // 24 characters, 20 may be typed
  const std::string kurzerTag = "Inventur";
  const QString zurueck3 = QStringLiteral("\b\b\b");
  const QString zurueck5 = QStringLiteral("\b\b\b\b\b");
  const struct {
    const char* fall;
    Eingabe tuer1, tuer2, tag1, tag2;
    std::string tuer1Danach, tuer2Danach, tag1Danach, tag2Danach;
  } faelle[] = {
      {"untouched", {}, {}, {}, {}, langeTuer, kurzeTuer, langerTag, kurzerTag},
      {"a key refused at the end, a key typed and taken back",
       {QStringLiteral("x")},
       {QStringLiteral("x\b")},
       {QStringLiteral("x")},
       {QStringLiteral("x\b")},
       langeTuer,
       kurzeTuer,
       langerTag,
       kurzerTag},
      {"edited, an umlaut or a small letter last",
       {zurueck3 + QStringLiteral("Sü")},
       {zurueck3 + QStringLiteral("lager")},
       {zurueck5},
       {QStringLiteral(" Süd")},
       "Haupteingang S\xFC",
       "lager",
       "Tag der offenen T\xFCr",
       "Inventur S\xFC"
       "d"},
      {"pasted",
       {zurueck3, QStringLiteral("Nr")},
       {{}, QStringLiteral(" Süd")},
       {zurueck5, QStringLiteral("!")},
       {{}, QStringLiteral(" Nord")},
       "Haupteingang Nr",
       "Tor S\xFC"
       "d",
       "Tag der offenen T\xFCr!",
       "Inventur Nord"},
  };
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  fenster.show();
  S().Geraetetyp = 1;
  G().Flags |= 0x600;  // both special days in use: their name edits take keys
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    Fuelle(G().NameTuer1, langeTuer);
    Fuelle(G().NameTuer2, kurzeTuer);
    S().NameSondertag1 = langerTag;
    S().NameSondertag2 = kurzerTag;
    fenster.Init(S());
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SPECIAL"), [&](QDialog& d) {
      auto& spezial = static_cast<TIDD_SPECIAL&>(d);
      Gib(*spezial.IDE_NAME_SPEC1, f.tag1);
      Gib(*spezial.IDE_NAME_SPEC2, f.tag2);
      spezial.BitBtn1->click();
      return spezial.result();
    });
    fenster.IDB_ADVANCED->click();
    Gib(*fenster.IDE_DOOR1, f.tuer1);
    Gib(*fenster.IDE_DOOR2, f.tuer2);
    fenster.BitBtn1->click();
    GERAETEDATEN erwartet = G();
    Fuelle(erwartet.NameTuer1, f.tuer1Danach);
    Fuelle(erwartet.NameTuer2, f.tuer2Danach);
    EXPECT_EQ(Bytes(G().NameTuer1, 16), Bytes(erwartet.NameTuer1, 16));
    EXPECT_EQ(Bytes(G().NameTuer2, 16), Bytes(erwartet.NameTuer2, 16));
    EXPECT_EQ(S().NameSondertag1, f.tag1Danach);
    EXPECT_EQ(S().NameSondertag2, f.tag2Danach);
  }
  fenster.hide();
}

// A paste into a door name or a special-day name keeps what the field can hold: control
// characters (a tab, line ends) and characters Windows-1252 lacks are dropped, what is left is
// cut to the typing limit (15 and 20 characters); Ctrl+V, the context menu's paste and a drop
// alike.
TEST_F(Steuerungsdaten, APasteIntoADoorOrSpecialDayNameKeepsWhatTheFieldCanHold) {
  const QString lang = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");  // 30 characters
  const struct {
    const char* fall;
    QString einfuegen;
    Weg weg;
    std::string tuer, tag;
  } faelle[] = {
      {"a tab inside", QStringLiteral("Öl\tlager"), Weg::StrgV, "\xD6llager", "\xD6llager"},
      {"line ends", QStringLiteral("Lager\r\nNord\n"), Weg::StrgV, "LagerNord", "LagerNord"},
      {"other control characters", QString::fromUtf8("\x01Tor\x1B\x7F\u0085\u009F 7"), Weg::StrgV, "Tor 7", "Tor 7"},
      {"longer than the limit", lang, Weg::StrgV, "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNOPQRST"},
      {"longer than the limit with a tab", QStringLiteral("Öl\tlager Nord-Ost Halle 12"), Weg::StrgV,
       "\xD6llager Nord-Os", "\xD6llager Nord-Ost Hal"},
      {"characters Windows-1252 lacks", QStringLiteral("Mü😀ller Łukas"), Weg::StrgV, "M\xFCller ukas",
       "M\xFCller ukas"},
      {"the euro sign, which Windows-1252 has", QStringLiteral("€ 5 Kasse"), Weg::StrgV, "\x80 5 Kasse",
       "\x80 5 Kasse"},
      {"a clean text", QStringLiteral("Süd-Tor"), Weg::StrgV,
       "S\xFC"
       "d-Tor",
       "S\xFC"
       "d-Tor"},
      {"the context menu, a tab inside", QStringLiteral("Öl\tlager"), Weg::Menue, "\xD6llager", "\xD6llager"},
      {"the context menu, longer than the limit", lang, Weg::Menue, "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNOPQRST"},
      {"dropped, longer than the limit with a tab", QStringLiteral("Öl\tlager Nord-Ost Halle 12"), Weg::Ablegen,
       "\xD6llager Nord-Os", "\xD6llager Nord-Ost Hal"},
  };
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  fenster.show();
  G().Flags |= 0x200;  // special day 1 in use: its name edit takes keys
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    Fuelle(G().NameTuer1, "");
    S().NameSondertag1.clear();
    fenster.Init(S());
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SPECIAL"), [&](QDialog& d) {
      auto& spezial = static_cast<TIDD_SPECIAL&>(d);
      Gib(*spezial.IDE_NAME_SPEC1, {{}, f.einfuegen, f.weg});
      spezial.BitBtn1->click();
      return spezial.result();
    });
    fenster.IDB_ADVANCED->click();
    Gib(*fenster.IDE_DOOR1, {{}, f.einfuegen, f.weg});
    fenster.BitBtn1->click();
    char erwartet[16];
    Fuelle(erwartet, f.tuer);
    EXPECT_EQ(Bytes(G().NameTuer1, 16), Bytes(erwartet, 16));
    EXPECT_EQ(S().NameSondertag1, f.tag);
  }
  fenster.hide();
}

using Sondertage = FensterTest;

TEST_F(Sondertage, NameEditEnabledExactlyWhenItsBoxIsTicked) {
  TIDD_SPECIAL& fenster = *IDD_SPECIAL;
  for (std::uint32_t flags : {0x0u, 0x200u, 0x400u, 0x600u}) {
    SCOPED_TRACE(flags);
    G().Flags = 0x3001 | flags;
    fenster.Init(S());
    EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Zusätzliche Sondertage"));
    EXPECT_EQ(fenster.IDCB_SPECDAY1->text(), QStringLiteral("Sondertag1"));
    EXPECT_EQ(fenster.IDCB_SPECDAY2->text(), QStringLiteral("Sondertag2"));
    EXPECT_EQ(fenster.IDCB_SPECDAY1->isChecked(), (flags & 0x200) != 0);
    EXPECT_EQ(fenster.IDCB_SPECDAY2->isChecked(), (flags & 0x400) != 0);
    for (int klick = 0; klick < 3; ++klick) {
      EXPECT_EQ(fenster.IDE_NAME_SPEC1->isEnabled(), fenster.IDCB_SPECDAY1->isChecked());
      EXPECT_EQ(fenster.IDE_NAME_SPEC2->isEnabled(), fenster.IDCB_SPECDAY2->isChecked());
      (klick == 0 ? fenster.IDCB_SPECDAY1 : fenster.IDCB_SPECDAY2)->click();
    }
  }
}

TEST_F(Sondertage, TickingDayTwoWithANameSetsOnly0x400) {
  TIDD_SPECIAL& fenster = *IDD_SPECIAL;
  fenster.show();
  fenster.Init(S());
  EXPECT_EQ(fenster.IDE_NAME_SPEC2->text(), QStringLiteral("Sondertag2"));
  fenster.IDCB_SPECDAY2->click();
  Tippe(*fenster.IDE_NAME_SPEC2, QStringLiteral("Betriebsurlaub"));
  fenster.BitBtn1->click();
  fenster.hide();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(G().Flags, 0x3401u);
  EXPECT_EQ(S().NameSondertag2, "Betriebsurlaub");
  EXPECT_EQ(S().NameSondertag1, "Sondertag1");
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(Sondertage, LongLoadedNameSurvivesOkTypedNamesStopAtTwenty) {
  TIDD_SPECIAL& fenster = *IDD_SPECIAL;
  fenster.show();
  S().NameSondertag1 = "Tag der offenen T\xFCr 2026";  // 24 characters
  G().Flags |= 0x600;
  fenster.Init(S());
  EXPECT_EQ(fenster.IDE_NAME_SPEC1->text(), QStringLiteral("Tag der offenen Tür 2026"));
  fenster.BitBtn1->click();
  EXPECT_EQ(S().NameSondertag1, "Tag der offenen T\xFCr 2026");
  EXPECT_TRUE(S().DatenGespeichert);  // nothing changed

  fenster.Init(S());
  Tippe(*fenster.IDE_NAME_SPEC2, QStringLiteral("Ä Inventur Hauptlager Nord"));
  EXPECT_EQ(fenster.IDE_NAME_SPEC2->text(), QStringLiteral("Ä Inventur Hauptlage"));
  fenster.BitBtn1->click();
  fenster.hide();
  EXPECT_EQ(S().NameSondertag2, "\xC4 Inventur Hauptlage");
}

TEST_F(Sondertage, AbortWritesNothing) {
  TIDD_SPECIAL& fenster = *IDD_SPECIAL;
  fenster.show();
  fenster.Init(S());
  fenster.IDCB_SPECDAY1->click();
  Tippe(*fenster.IDE_NAME_SPEC1, QStringLiteral("Inventur"));
  fenster.BitBtn2->click();
  fenster.hide();
  EXPECT_EQ(fenster.result(), fenster::mrAbort);
  EXPECT_EQ(G().Flags, 0x3001u);
  EXPECT_EQ(S().NameSondertag1, "Sondertag1");
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(Sondertage, ErweitertOpensThemAndTheirOkStandsWhateverTheOuterResult) {
  TIDD_SYSTEMDATA& fenster = *IDD_SYSTEMDATA;
  fenster.Init(S());
  Skript skript;
  QString titel;
  skript.Modal(QStringLiteral("IDD_SPECIAL"), [&](QDialog& d) {
    auto& spezial = static_cast<TIDD_SPECIAL&>(d);
    titel = spezial.windowTitle();
    spezial.IDCB_SPECDAY1->click();
    spezial.BitBtn1->click();
    return spezial.result();
  });
  fenster.IDB_ADVANCED->click();
  fenster.BitBtn2->click();
  EXPECT_EQ(titel, QStringLiteral("Zusätzliche Sondertage"));
  EXPECT_EQ(fenster.IDB_ADVANCED->text(), QStringLiteral("Erweitert"));
  EXPECT_EQ(G().Flags, 0x3201u);
  EXPECT_FALSE(S().DatenGespeichert);
}

// Renders both windows into PNG files to look at: into $YBR_UI_BILDER when set, else into
// the test's temporary folder.
TEST_F(Steuerungsdaten, Bilder) {
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const std::string ablage = ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad();
  TIDD_SYSTEMDATA& steuerungen = *IDD_SYSTEMDATA;
  S().Geraetetyp = 1;
  S().LeserTuerZuordnung = 0x21;
  G().Flags = 0x3903;
  steuerungen.Init(S());
  steuerungen.setWindowTitle(QStringLiteral("Gerätedaten"));
  EXPECT_TRUE(SpeichereBild(steuerungen, QString::fromStdString(ablage + "geraetedaten_ra20.png")));
  Waehle(*steuerungen.IDCB_SELECT_STRG, 0);
  EXPECT_TRUE(SpeichereBild(steuerungen, QString::fromStdString(ablage + "geraetedaten_zo10.png")));
  TIDD_SPECIAL& spezial = *IDD_SPECIAL;
  G().Flags |= 0x200;
  S().NameSondertag1 = "Betriebsurlaub";
  spezial.Init(S());
  EXPECT_TRUE(SpeichereBild(spezial, QString::fromStdString(ablage + "sondertage.png")));
}

TEST(Oeffner, GeraetedatenFromTheButtonTheMenuAndCtrlG) {
  TempOrdner ordner;
  TFormulare formulare;
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  IDD_MAIN->show();
  EXPECT_FALSE(IDD_MAIN->IDB_SYTEMDATA->isEnabled());
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_TRUE(IDD_MAIN->IDB_SYTEMDATA->isEnabled());
  EXPECT_TRUE(IDD_MAIN->IDB_SYTEMDATA->isVisible());
  IDD_MAIN->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(IDD_MAIN));
  int oeffnungen = 0;
  Skript skript;
  for (int i = 0; i < 3; ++i) {
    skript.Modal(QStringLiteral("IDD_SYSTEMDATA"), [&](QDialog& d) {
      ++oeffnungen;
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Gerätedaten"));
      EXPECT_EQ(static_cast<TIDD_SYSTEMDATA&>(d).IDE_DOOR1->text(), QStringLiteral("Tür 1"));
      return fenster::mrAbort;
    });
  }
  IDD_MAIN->IDB_SYTEMDATA->click();
  IDD_MAIN->Steuerungdaten1->trigger();
  QTest::keyClick(IDD_MAIN, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(oeffnungen, 3);
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_FALSE(IDD_MAIN->IDB_SYTEMDATA->isEnabled());
}

}  // namespace
