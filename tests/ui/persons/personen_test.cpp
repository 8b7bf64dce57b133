// The person list and the person window on a new document: new, change (also by double click)
// and delete with the raw bytes they leave, names and cards typed or pasted and stored as the
// edits show them (also into the saved file), what a paste keeps of its text, an undo, the
// refusals of OK, the typing limits and the card's capitals, the three sort heads, the buttons'
// state, the week graph of the chosen profile by its pixels, the main window's openers and both
// windows rendered.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/ListenZugriff.h"

#include "fields/Kartencode.h"
#include "graphics/Wochengrafik.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "persons/PersonAendernDlg.h"
#include "persons/PersonendatenDlg.h"
#include "shared/StatusDlg.h"

#include "Eingabe.h"
#include "Skript.h"
#include "UiTest.h"
#include "common/Textfeld.h"

namespace {

using Bytes = std::array<std::uint8_t, PERSON::Groesse>;

QString U(const char* text) { return QString::fromUtf8(text); }

// Types `text` into `edit` key by key, as the user does (also characters beyond ASCII).
void Tippe(QWidget* edit, const QString& text) {
  for (QChar c : text) {
    QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(edit, &druck);
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(edit, &los);
  }
}

Bytes BytesVon(const PERSON& p) {
  Bytes b{};
  SchreibeBytes(p, b);
  return b;
}

// The 64 bytes of a person as a file holds them: each text at its offset, zeros after it.
Bytes Roh(const std::string& profil, std::uint8_t s1, std::uint8_t s2, const std::string& code,
          const std::string& karte, const std::string& name) {
  Bytes b{};
  std::memcpy(b.data() + 0, profil.data(), profil.size());
  b[12] = s1;
  b[13] = s2;
  std::memcpy(b.data() + 14, code.data(), code.size());
  std::memcpy(b.data() + 19, karte.data(), karte.size());
  std::memcpy(b.data() + 44, name.data(), name.size());
  return b;
}

PERSON Person(const std::string& name, const std::string& karte, const std::string& profil) {
  PERSON p;
  SchreibeText(p.Name, name);
  SchreibeText(p.Karte, karte);
  SchreibeText(p.Profil, profil);
  return p;
}

Zeitlinie Linie(int vonH, int bisH, std::uint16_t tage, std::uint16_t tueren) {
  Zeitlinie z;
  z.VonStunde = static_cast<std::uint8_t>(vonH);
  z.BisStunde = static_cast<std::uint8_t>(bisH);
  z.Tage = tage;
  z.Tueren = tueren;
  return z;
}

class PersonenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programm = std::make_unique<Programm>(ordner.Pfad(), 2026);
    S().DatenGespeichert = true;
    S().BuchungenGespeichert = true;
  }
  void TearDown() override { programm.reset(); }

  TSteuerung& S() { return programm->S(); }
  TIDD_PERSONEN& L() { return *IDD_PERSONEN; }
  TIDD_CHANGE_PERSON& P() { return *IDD_CHANGE_PERSON; }

  void Fuege(const PERSON& p) { HaengeAn(S().Personen, std::make_unique<PERSON>(p)); }
  void NeuesProfil(const std::string& name, std::vector<Zeitlinie> linien = {}) {
    auto profil = std::make_unique<PROFIL>();
    SchreibeText(profil->Name, name);
    for (std::size_t i = 0; i < linien.size(); ++i) profil->Zeitlinien[i] = linien[i];
    HaengeAn(S().Profile, std::move(profil));
  }

  // The list as the main window opens it, shown.
  void Oeffne() {
    L().Init(&S());
    L().ZeigePersonen();
    L().show();
  }

  QStringList Zeilen() {
    QStringList zeilen;
    const QAbstractItemModel* m = L().IDL_PERSON->model();
    for (int r = 0; r < m->rowCount(); ++r) zeilen << m->data(m->index(r, 0)).toString();
    return zeilen;
  }
  void Waehle(int zeile) { L().IDL_PERSON->setCurrentIndex(L().IDL_PERSON->model()->index(zeile, 0)); }
  bool KnoepfeAktiv() {
    EXPECT_EQ(L().IDB_CHANGE_PERSON->isEnabled(), L().IDB_DELETEPERSON->isEnabled());
    return L().IDB_CHANGE_PERSON->isEnabled();
  }
  std::vector<std::string> Namen() {
    std::vector<std::string> namen;
    for (ArrayElement<PERSON*>* e = S().Personen.Kopf; e != nullptr; e = e->Next) {
      namen.push_back(LiesText(e->Daten->Name) + LiesText(e->Daten->Karte));
    }
    return namen;
  }

  // The user chooses profile `index` in the person window.
  void WaehleProfil(int index) {
    P().IDCB_PROFIL->setCurrentIndex(index);
    emit P().IDCB_PROFIL->activated(index);
  }
  QImage Bild() { return P().IDI_DRAW->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }
  QImage Erwartet(int profil) {
    std::span<const Zeitlinie> linien;
    if (profil >= 0) linien = S().Profile.Find(profil)->Daten->Zeitlinien;
    return grafik::ZeichneWoche(grafik::Wochenbild::Person, grafik::AnlageVon(S()), linien)
        .convertToFormat(QImage::Format_RGB32);
  }

  // The person window opened by `knopf`; `handeln` works it while it is shown.
  void PersonFenster(QPushButton* knopf, const QString& titel, std::function<int(TIDD_CHANGE_PERSON&)> handeln) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), titel);
      return handeln(static_cast<TIDD_CHANGE_PERSON&>(d));
    });
    knopf->click();
  }
  void Neu(std::function<int(TIDD_CHANGE_PERSON&)> handeln) {
    PersonFenster(L().IDB_NEWPERSON, U("Neue Person anlegen"), std::move(handeln));
  }
  void Aendern(int zeile, std::function<int(TIDD_CHANGE_PERSON&)> handeln) {
    Waehle(zeile);
    PersonFenster(L().IDB_CHANGE_PERSON, U("Person ändern"), std::move(handeln));
  }
  static int Ok(TIDD_CHANGE_PERSON& p) {
    p.BitBtn1->click();
    return fenster::mrOk;
  }
  static int Abbruch(TIDD_CHANGE_PERSON& p) {
    p.BitBtn2->click();
    return fenster::mrCancel;
  }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};

TEST_F(PersonenTest, NewPersonIsAppendedLastAsItsRawBytes) {
  for (const bool mitNie : {true, false}) {
    SCOPED_TRACE(mitNie ? "with the profile nie" : "without a profile nie");
    S().New();
    if (!mitNie) S().Profile.Remove(0);
    Fuege(Person("Erste", "K1", "immer"));
    S().DatenGespeichert = true;
    Oeffne();
    Neu([&](TIDD_CHANGE_PERSON& p) {
      EXPECT_EQ(p.IDCB_PROFIL->currentIndex(), mitNie ? 0 : -1);
      EXPECT_TRUE(p.IDE_NAME->text().isEmpty());
      EXPECT_TRUE(p.IDE_CARD->text().isEmpty());
      Tippe(p.IDE_NAME, U("Jürgen Öz"));
      Tippe(p.IDE_CARD, U("ab12ß"));
      return Ok(p);
    });
    ASSERT_EQ(S().Personen.Anzahl, 2);
    EXPECT_EQ(BytesVon(Element(S().Personen, 1)),
              Roh(mitNie ? "nie" : "", 1, 1, "AAAA", "AB12\xDF", "J\xFCrgen \xD6z"));
    EXPECT_FALSE(S().DatenGespeichert);
    EXPECT_EQ(P().Kopie(), nullptr);
    EXPECT_EQ(Zeilen().back(), U("Jürgen Öz\tAB12ß\t") + (mitNie ? U("nie") : QString()));
    L().hide();
  }
}

TEST_F(PersonenTest, ChangingAPersonWhoseProfileIsGoneStoresAnEmptyProfile) {
  PERSON p = Person("Weg", "C0DE", "alt");
  p.Status1 = 0;
  SchreibeText(p.Code, "ZZZZ");
  Fuege(p);
  Oeffne();
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    EXPECT_EQ(f.IDCB_PROFIL->currentIndex(), -1);
    EXPECT_EQ(f.IDCB_PROFIL->count(), 3);
    EXPECT_EQ(f.IDE_NAME->text(), U("Weg"));
    EXPECT_EQ(f.IDE_CARD->text(), U("C0DE"));
    EXPECT_EQ(Bild(), Erwartet(-1));  // grid and legend only
    return Ok(f);
  });
  EXPECT_EQ(BytesVon(Element(S().Personen, 0)), Roh("", 1, 1, "AAAA", "C0DE", "Weg"));
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(PersonenTest, CancelAfterEditsLeavesThePersonAsItWas) {
  Fuege(Person("Bleibt", "X1", "immer"));
  const Bytes vorher = BytesVon(Element(S().Personen, 0));
  Oeffne();
  for (const bool schliessen : {false, true}) {
    Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
      EXPECT_EQ(f.IDCB_PROFIL->currentIndex(), 1);
      Tippe(f.IDE_NAME, U("anders"));
      Tippe(f.IDE_CARD, U("99"));
      WaehleProfil(2);
      if (!schliessen) return Abbruch(f);
      f.reject();  // the title bar's close and Escape
      return static_cast<int>(fenster::mrCancel);
    });
    EXPECT_EQ(BytesVon(Element(S().Personen, 0)), vorher);
    EXPECT_TRUE(S().DatenGespeichert);
    EXPECT_EQ(P().Kopie(), nullptr);
    EXPECT_EQ(Zeilen(), QStringList{U("Bleibt\tX1\timmer")});
  }
}

// A user who types a change, tabs to "Abbruch" and presses Return cancels: Return presses the
// button that has the focus, not the window's default OK.
TEST_F(PersonenTest, ReturnOnTheFocusedCancelButtonLeavesThePersonsAsTheyWere) {
  Fuege(Person("Bleibt", "X1", "immer"));
  const Bytes vorher = BytesVon(Element(S().Personen, 0));
  Oeffne();
  const auto tippeUndAbbruch = [&](TIDD_CHANGE_PERSON& f) {
    f.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
    Tippe(f.IDE_NAME, U("anders"));
    Tippe(f.IDE_CARD, U("99"));
    for (int i = 0; i < 10 && QApplication::focusWidget() != f.BitBtn2; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), f.BitBtn2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    return f.result();
  };
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    EXPECT_EQ(tippeUndAbbruch(f), fenster::mrCancel);
    return f.result();
  });
  Neu([&](TIDD_CHANGE_PERSON& f) {
    EXPECT_EQ(tippeUndAbbruch(f), fenster::mrCancel);
    return f.result();
  });
  ASSERT_EQ(S().Personen.Anzahl, 1);
  EXPECT_EQ(BytesVon(Element(S().Personen, 0)), vorher);
  EXPECT_TRUE(S().DatenGespeichert);
  EXPECT_EQ(Zeilen(), QStringList{U("Bleibt\tX1\timmer")});
}

TEST_F(PersonenTest, LoadedValuesLongerThanTheTypingLimitsSurviveChangeAndOk) {
  // A card of 24 characters and a name of 20 without its terminator, as a file may hold them.
  PERSON p = Person("", "ABCDEFGHIJKLMNOPQRSTUVWX", "nie");
  std::memcpy(p.Name, "NNNNNNNNNNNNNNNNNNNN", 20);
  Fuege(p);
  Oeffne();
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    EXPECT_EQ(f.IDE_CARD->text(), U("ABCDEFGHIJKLMNOPQRSTUVWX"));
    EXPECT_EQ(f.IDE_NAME->text(), U("NNNNNNNNNNNNNNNNNNNN"));
    return Ok(f);
  });
  const PERSON& danach = Element(S().Personen, 0);
  EXPECT_EQ(LiesText(danach.Karte), "ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_EQ(std::string(danach.Name, 20), "NNNNNNNNNNNNNNNNNNNN");
  EXPECT_EQ(danach.Status1, 1);

  // The user may shorten the long card, never lengthen it.
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    f.IDE_CARD->setFocus();
    f.IDE_CARD->end(false);
    QTest::keyClick(f.IDE_CARD, Qt::Key_Z);
    EXPECT_EQ(f.IDE_CARD->text().size(), 24);
    QTest::keyClick(f.IDE_CARD, Qt::Key_Backspace);
    return Ok(f);
  });
  EXPECT_EQ(LiesText(Element(S().Personen, 0).Karte), "ABCDEFGHIJKLMNOPQRSTUVW");
}

// What the user typed or pasted is stored as the edit shows it, also when the card's capitals
// rewrote the text; an edit showing the text it was opened with keeps its field's bytes, those
// after the terminator too, and a loaded value longer than the typing limit stays whole.
TEST_F(PersonenTest, NameAndCardAreStoredAsTheEditsShowThem) {
  const std::string langerName = "Hans-Peter Schneider";      // 20 bytes, no terminator
  const std::string langeKarte = "04A1B2C3D4E5F6A7B8C9D0E1";  // 24, more than may be typed
  const std::string kurzerName("Weg\0alt", 7);
  const std::string kurzeKarte("c0de\0alt", 8);  // small letters from a file, shown as stored
  // A person as OK leaves it, with these name and card bytes.
  const auto person = [](const std::string& name, const std::string& karte) {
    PERSON p;
    SchreibeText(p.Code, "AAAA");
    p.Status1 = p.Status2 = 1;
    Fuelle(p.Name, name);
    Fuelle(p.Karte, karte);
    return p;
  };
  const struct {
    const char* fall;
    int zeile;  // the person changed: 0 with the long values, 1 with the short ones; -1 a new one
    Eingabe name, karte;
    std::string nameDanach, karteDanach;
  } faelle[] = {
      {"last character lower case", -1, {U("Probe")}, {U("12ab")}, "Probe", "12AB"},
      {"upper case", -1, {U("PROBE")}, {U("12AB")}, "PROBE", "12AB"},
      {"an umlaut last", -1, {U("Jörg Bär")}, {U("12ä")}, "J\xF6rg B\xE4r", "12\xC4"},
      {"pasted", -1, {{}, U("Probe")}, {{}, U("12ab")}, "Probe", "12AB"},
      {"loaded long values left untouched", 0, {}, {}, langerName, langeKarte},
      {"loaded long values, a key refused at their end", 0, {U("x")}, {U("Z")}, langerName, langeKarte},
      {"loaded values, a key typed and taken back, a blank refused", 1, {U("x\b")}, {U(" ")}, kurzerName, kurzeKarte},
      {"loaded values edited", 1, {U("\bb")}, {U("9")}, "Web", "C0DE9"},
      {"loaded values, text pasted", 1, {{}, U("er")}, {{}, U("ab")}, "Weger", "C0DEAB"},
      {"loaded long values, a paste refused at their end", 0, {{}, U("xy")}, {{}, U("Z")}, langerName, langeKarte},
      {"loaded values, a pasted tab dropped", 1, {{}, U("\t!")}, {{}, U("\t1")}, "Weg!", "C0DE1"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    S().Personen.Clear();
    Fuege(person(langerName, langeKarte));
    Fuege(person(kurzerName, kurzeKarte));
    Oeffne();
    const auto handeln = [&](TIDD_CHANGE_PERSON& p) {
      Gib(*p.IDE_NAME, f.name);
      Gib(*p.IDE_CARD, f.karte);
      return Ok(p);
    };
    if (f.zeile < 0) {
      Neu(handeln);
    } else {
      Aendern(f.zeile, handeln);
    }
    ASSERT_EQ(S().Personen.Anzahl, f.zeile < 0 ? 3 : 2);
    EXPECT_EQ(BytesVon(Element(S().Personen, f.zeile < 0 ? 2 : f.zeile)),
              BytesVon(person(f.nameDanach, f.karteDanach)));
    L().hide();
  }
}

// A paste keeps of its text what the field can hold: a tab, a line end or another control
// character is dropped, as is a character Windows-1252 lacks (and a blank in the card), and what
// is left is cut to the room the typing limit leaves; Ctrl+V, the context menu's paste and a
// drop alike.
TEST_F(PersonenTest, APasteKeepsWhatTheFieldsCanHoldUpToTheLimit) {
  const QString lang = U("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");  // 30 characters
  const struct {
    const char* fall;
    QString tasten, einfuegen;
    Weg weg;
    std::string name, karte;
  } faelle[] = {
      {"a tab inside", {}, U("Öl\tlager"), Weg::StrgV, "\xD6llager", "\xD6LLAGER"},
      {"line ends", {}, U("Lager\r\nNord\n"), Weg::StrgV, "LagerNord", "LAGERNORD"},
      {"other control characters", {}, U("\x01Tor\x1B\x7F\u0085\u009F 7"), Weg::StrgV, "Tor 7", "TOR7"},
      {"longer than the limit", {}, lang, Weg::StrgV, "ABCDEFGHIJKLMNOPQRS", "ABCDEFGHIJKLMNOPQRSTUVW"},
      {"longer than the limit with a tab and blanks",
       {},
       U("Öl\tlager Nord-Ost Halle 12 Tor"),
       Weg::StrgV,
       "\xD6llager Nord-Ost Ha",
       "\xD6LLAGERNORD-OSTHALLE12T"},
      {"after typed umlauts, into the room left", U("Jörg "), lang, Weg::StrgV, "J\xF6rg ABCDEFGHIJKLMN",
       "J\xD6RGABCDEFGHIJKLMNOPQRS"},
      {"characters Windows-1252 lacks", {}, U("Mü😀ller Łukas"), Weg::StrgV, "M\xFCller ukas", "M\xDCLLERUKAS"},
      {"the euro sign, which Windows-1252 has",
       {},
       U("€ 5 Kasse"),
       Weg::StrgV,
       "\x80 5 Kasse",
       "\x80"
       "5KASSE"},
      {"a clean text",
       {},
       U("Süd-Tor"),
       Weg::StrgV,
       "S\xFC"
       "d-Tor",
       "S\xDC"
       "D-TOR"},
      {"nothing the field can hold", U("Tor"), U("\t😀\n"), Weg::StrgV, "Tor", "TOR"},
      {"the context menu, a tab inside", {}, U("Öl\tlager"), Weg::Menue, "\xD6llager", "\xD6LLAGER"},
      {"the context menu, longer than the limit",
       {},
       lang,
       Weg::Menue,
       "ABCDEFGHIJKLMNOPQRS",
       "ABCDEFGHIJKLMNOPQRSTUVW"},
      {"dropped, a tab inside", U("Tor"), U("\tÖl\tlager"), Weg::Ablegen, "Tor\xD6llager", "TOR\xD6LLAGER"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    S().Personen.Clear();
    Oeffne();
    Neu([&](TIDD_CHANGE_PERSON& p) {
      Gib(*p.IDE_NAME, {f.tasten, f.einfuegen, f.weg});
      Gib(*p.IDE_CARD, {f.tasten, f.einfuegen, f.weg});
      return Ok(p);
    });
    ASSERT_EQ(S().Personen.Anzahl, 1);
    const PERSON& gespeichert = Element(S().Personen, 0);
    PERSON erwartet = gespeichert;
    Fuelle(erwartet.Name, f.name);
    Fuelle(erwartet.Karte, f.karte);
    EXPECT_EQ(BytesVon(gespeichert), BytesVon(erwartet));
    L().hide();
  }
}

// A paste inside the text goes in at the cursor, also when it begins like the text after the
// cursor: what fits of its start is kept there and the cursor stands behind it.
TEST_F(PersonenTest, APasteInsideTheTextKeepsItsStartAtTheCursor) {
  const struct {
    const char* fall;
    bool karte;  // else the name
    std::string geladen;
    int rechts;  // Right keys after Home
    QString einfuegen;
    QString text;
    int cursor;
  } faelle[] = {
      {"a name cut to the room left", false, "Lagerhalle Nord 1", 11, U("Nord-Ost "), U("Lagerhalle NoNord 1"), 13},
      {"a card with a tab dropped", true, "AB12", 2, U("1\t2"), U("AB1212"), 4},
      {"a card, capitals and small letters cut", true, "0123456789ABCDEFGHIJK", 10, U("ABcd"),
       U("0123456789ABABCDEFGHIJK"), 12},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    S().Personen.Clear();
    PERSON p;
    Fuelle(p.Karte, f.karte ? f.geladen : "K1");  // OK takes no empty card
    if (!f.karte) Fuelle(p.Name, f.geladen);
    Fuege(p);
    Oeffne();
    Aendern(0, [&](TIDD_CHANGE_PERSON& fenster) {
      QLineEdit* edit = f.karte ? fenster.IDE_CARD : fenster.IDE_NAME;
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_Home);
      for (int i = 0; i < f.rechts; ++i) QTest::keyClick(edit, Qt::Key_Right);
      QGuiApplication::clipboard()->setText(f.einfuegen);
      QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      EXPECT_EQ(edit->text(), f.text);
      EXPECT_EQ(edit->cursorPosition(), f.cursor);
      return Ok(fenster);
    });
    const PERSON& gespeichert = Element(S().Personen, 0);
    EXPECT_EQ(f.karte ? LiesText(gespeichert.Karte) : LiesText(gespeichert.Name), f.text.toStdString());
    L().hide();
  }
}

// Emptied and taken back with Ctrl+Z, the loaded values come back whole: the card longer than its
// typing limit, the name with the tab a file may hold; OK keeps their bytes.
TEST_F(PersonenTest, AnUndoBringsTheLoadedValuesBackWhole) {
  const std::string name = "Lager\tNord Halle 12";       // 19 characters and a tab
  const std::string karte = "04A1B2C3D4E5F6A7B8C9D0E1";  // 24, more than may be typed
  PERSON p;
  Fuelle(p.Name, name);
  Fuelle(p.Karte, karte);
  Fuege(p);
  Oeffne();
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    for (QLineEdit* edit : {f.IDE_NAME, f.IDE_CARD}) {
      const QString geladen = edit->text();
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(edit, Qt::Key_Delete);
      EXPECT_TRUE(edit->text().isEmpty());
      QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
      EXPECT_EQ(edit->text(), geladen);
    }
    return Ok(f);
  });
  const auto bytes = [](const auto& feld) { return std::string(std::begin(feld), std::end(feld)); };
  const PERSON& gespeichert = Element(S().Personen, 0);
  EXPECT_EQ(bytes(gespeichert.Name), bytes(p.Name));
  EXPECT_EQ(bytes(gespeichert.Karte), bytes(p.Karte));
}

// A loaded card longer than its typing limit, its last character typed over, then one taken
// away and brought back with Ctrl+Z: the edit holds that text again and still takes no key that
// would lengthen it; OK stores it.
TEST_F(PersonenTest, AnUndoInALongCardKeepsItsLength) {
  const std::string karte = "04A1B2C3D4E5F6A7B8C9D0E1";  // 24, more than may be typed
  PERSON p;
  Fuelle(p.Karte, karte);
  Fuege(p);
  Oeffne();
  const QString getippt = U("04A1B2C3D4E5F6A7B8C9D0E9");
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    QLineEdit& edit = *f.IDE_CARD;
    Gib(edit, {});
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(&edit, QStringLiteral("9"));
    EXPECT_EQ(edit.text(), getippt);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), getippt);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClicks(&edit, QStringLiteral("Y"));
    EXPECT_EQ(edit.text(), getippt);
    return Ok(f);
  });
  EXPECT_EQ(LiesText(Element(S().Personen, 0).Karte), getippt.toStdString());
}

// The way a user finds it: the program started, a new person with the card "12ab" through the
// main window's person list, the document saved under a name.
TEST_F(PersonenTest, ACardTypedInSmallLettersIsSavedInCapitals) {
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PERSONEN"), [&](QDialog&) {
    L().IDB_NEWPERSON->click();
    L().BitBtn1->click();
    return fenster::mrOk;
  });
  skript.Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
    auto& p = static_cast<TIDD_CHANGE_PERSON&>(d);
    Gib(*p.IDE_NAME, {U("Probe")});
    Gib(*p.IDE_CARD, {U("12ab")});
    EXPECT_EQ(p.IDE_CARD->text(), U("12AB"));
    return Ok(p);
  });
  const std::string pfad = ordner / "probe.wuz";
  skript.Datei(true, QString::fromStdString(pfad));
  IDD_MAIN->IDB_PERSON->click();
  ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  const Bytes probe = Roh("nie", 1, 1, "AAAA", "12AB", "Probe");
  EXPECT_NE(LiesDatei(pfad).find(std::string(probe.begin(), probe.end())), std::string::npos);
}

TEST_F(PersonenTest, TypingLimitsCapitalsAndNoBlankInTheCard) {
  Oeffne();
  Neu([&](TIDD_CHANGE_PERSON& f) {
    Tippe(f.IDE_NAME, U("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(f.IDE_NAME->text(), U("ABCDEFGHIJKLMNOPQRS"));
    Tippe(f.IDE_CARD, U("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(f.IDE_CARD->text(), U("ABCDEFGHIJKLMNOPQRSTUVW"));
    f.IDE_CARD->clear();
    Tippe(f.IDE_CARD, U("ab 12ß"));
    EXPECT_EQ(f.IDE_CARD->text(), U("AB12ß"));
    return Abbruch(f);
  });
  EXPECT_EQ(S().Personen.Anzahl, 0);
}

TEST(Kartencode, CapitalsAsWindows1252HasThem) {
  const struct {
    const char* ein;
    const char* aus;
  } faelle[] = {
      {"ab12ß", "AB12ß"},
      {"äöüàéþ", "ÄÖÜÀÉÞ"},
      {"šœžÿ", "ŠŒŽŸ"},
      {"µ÷ABC09", "µ÷ABC09"},
  };
  for (const auto& f : faelle) EXPECT_EQ(karte::Gross(U(f.ein)), U(f.aus)) << f.ein;
}

TEST_F(PersonenTest, OkRefusesAnEmptyOrBlankCardAndWritesNothing) {
  Fuege(Person("Alt", "AB CD", "nie"));  // a blank in a card from a file
  Fuege(Person("Leer", "", "nie"));
  const Bytes alt = BytesVon(Element(S().Personen, 0));
  const Bytes leer = BytesVon(Element(S().Personen, 1));
  Oeffne();
  for (int zeile : {0, 1}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
      auto& f = static_cast<TIDD_CHANGE_PERSON&>(d);
      f.BitBtn1->click();  // the box, and the window stays
      EXPECT_NE(f.Kopie(), nullptr);
      return Abbruch(f);
    });
    skript.Box(U("Die Kartencodierung darf nicht leer sein und kein Leerzeichen enthalten."), U("Fehler"), 16, 1);
    Waehle(zeile);
    L().IDB_CHANGE_PERSON->click();
  }
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
      auto& f = static_cast<TIDD_CHANGE_PERSON&>(d);
      Tippe(f.IDE_NAME, U("Neu"));
      f.BitBtn1->click();
      return Abbruch(f);
    });
    skript.Box(U("Fehler"), 16, 1);
    L().IDB_NEWPERSON->click();
  }
  EXPECT_EQ(S().Personen.Anzahl, 2);
  EXPECT_EQ(BytesVon(Element(S().Personen, 0)), alt);
  EXPECT_EQ(BytesVon(Element(S().Personen, 1)), leer);
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(PersonenTest, AProfileNameThatDoesNotFitThePersonIsRefused) {
  NeuesProfil("Spaetschich");      // 11: fits
  NeuesProfil("Nachtschicht");     // 12
  NeuesProfil("Wochenenddienst");  // 15
  Fuege(Person("Anna", "A1", "nie"));
  const Bytes vorher = BytesVon(Element(S().Personen, 0));
  Oeffne();
  for (int profil : {4, 5}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
      auto& f = static_cast<TIDD_CHANGE_PERSON&>(d);
      WaehleProfil(profil);
      f.BitBtn1->click();
      return Abbruch(f);
    });
    skript.Box(U("Der Name dieses Zutrittsprofils ist länger als 11 Zeichen\nund passt nicht in die Personendaten."),
               U("Fehler"), 16, 1);
    Waehle(0);
    L().IDB_CHANGE_PERSON->click();
    EXPECT_EQ(BytesVon(Element(S().Personen, 0)), vorher);
  }
  Aendern(0, [&](TIDD_CHANGE_PERSON& f) {
    WaehleProfil(3);
    return Ok(f);
  });
  EXPECT_EQ(LiesText(Element(S().Personen, 0).Profil), "Spaetschich");
}

TEST_F(PersonenTest, SortHeadsEachWithItsOwnDirection) {
  Fuege(Person("B", "1", "werktags"));
  Fuege(Person("B", "2", "immer"));
  Fuege(Person("A", "3", "nie"));
  Oeffne();
  // The document is saved in list order: a sort that moves a person marks it unsaved.
  const struct {
    QPushButton* kopf;
    std::vector<std::string> reihe;
    bool bewegt;
  } schritte[] = {
      {L().IDB_NAME, {"A3", "B2", "B1"}, true},    // ascending: the exchange sort's order
      {L().IDB_NAME, {"B2", "B1", "A3"}, true},    // the second click descends
      {L().IDB_CARD, {"B1", "B2", "A3"}, true},    // its own flag: ascending first
      {L().IDB_PROFIL, {"B2", "A3", "B1"}, true},  // immer, nie, werktags
      {L().IDB_PROFIL, {"B1", "A3", "B2"}, true}, {L().IDB_CARD, {"A3", "B2", "B1"}, true},
      {L().IDB_NAME, {"A3", "B2", "B1"}, false},  // ascending again: nothing moves
  };
  for (const auto& s : schritte) {
    S().DatenGespeichert = true;
    s.kopf->click();
    EXPECT_EQ(Namen(), s.reihe) << s.kopf->objectName().toStdString();
    EXPECT_EQ(S().DatenGespeichert, !s.bewegt) << s.kopf->objectName().toStdString();
  }
  EXPECT_EQ(Zeilen(), (QStringList{U("A\t3\tnie"), U("B\t2\timmer"), U("B\t1\twerktags")}));
  // Init starts every column over.
  L().Init(&S());
  L().IDB_CARD->click();
  EXPECT_EQ(Namen(), (std::vector<std::string>{"B1", "B2", "A3"}));
}

// The x where a row's ink begins at or right of `ab` (list coordinates), -1 for none.
int TintenAnfang(const QImage& bild, const QRect& zeile, int ab) {
  const QColor grund = bild.pixelColor(ab, zeile.top() + 1);
  for (int x = ab; x < bild.width(); ++x) {
    for (int y = zeile.top(); y <= zeile.bottom(); ++y) {
      if (bild.pixelColor(x, y) != grund) return x;
    }
  }
  return -1;
}

TEST_F(PersonenTest, ColumnsLineUpUnderTheHeads) {
  Fuege(Person("Kurz", "1234", "nie"));
  Fuege(Person("WWWWWWWWWWWWWWWWWWW", "5678", "immer"));  // a name past the card head's stop
  Oeffne();
  QListView& liste = *L().IDL_PERSON;
  liste.doItemsLayout();
  const QImage bild = liste.viewport()->grab().toImage();
  const QPoint ursprung = liste.viewport()->mapTo(&L(), QPoint(0, 0));
  const int karte = L().IDB_CARD->x() - ursprung.x();
  const int profil = L().IDB_PROFIL->x() - ursprung.x();
  const QRect erste = liste.visualRect(liste.model()->index(0, 0));
  for (const int kopf : {karte, profil}) {
    const int anfang = TintenAnfang(bild, erste, kopf - 12);
    EXPECT_GE(anfang, kopf - 2) << kopf;
    EXPECT_LE(anfang, kopf + 8) << kopf;
  }
  // As with tab stops, a part that runs past the next stop moves on to the stop after it.
  const QRect zweite = liste.visualRect(liste.model()->index(1, 0));
  const int nachName =
      TintenAnfang(bild, zweite, liste.fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWWWWWWWWWWWWW")) + 8);
  EXPECT_GE(nachName, profil - 2);
  EXPECT_LE(nachName, profil + 8);
}

// The rows of `bild` within `flaeche` that hold a pixel other than the background at its
// top-left corner.
int Tintenhoehe(const QImage& bild, const QRect& flaeche) {
  const QColor grund = bild.pixelColor(flaeche.topLeft());
  int oben = -1;
  int unten = -1;
  for (int y = flaeche.top(); y <= flaeche.bottom(); ++y) {
    for (int x = flaeche.left(); x <= flaeche.right(); ++x) {
      if (bild.pixelColor(x, y) != grund) {
        if (oben < 0) oben = y;
        unten = y;
        break;
      }
    }
  }
  return oben < 0 ? 0 : unten - oben + 1;
}

TEST_F(PersonenTest, CapitalUmlautsShowWholeInTheirRow) {
  const QString text = U("ÄÖÜ");
  Fuege(Person("\xC4\xD6\xDC", "\xC4\xD6\xDC", "nie"));
  Oeffne();
  QListView& liste = *L().IDL_PERSON;
  liste.doItemsLayout();
  const QImage bild = liste.viewport()->grab().toImage();
  // The same text drawn with room all round.
  QImage frei(200, 80, QImage::Format_RGB32);
  frei.fill(Qt::white);
  {
    QPainter maler(&frei);
    maler.setFont(liste.font());
    maler.setPen(Qt::black);
    maler.drawText(20, 50, text);
  }
  const int ganz = Tintenhoehe(frei, frei.rect());
  ASSERT_GT(ganz, 0);
  for (const bool gewaehlt : {false, true}) {
    SCOPED_TRACE(gewaehlt ? "selected" : "not selected");
    if (gewaehlt) Waehle(0);
    const QImage b = gewaehlt ? liste.viewport()->grab().toImage() : bild;
    const QRect zeile = liste.visualRect(liste.model()->index(0, 0));
    // The name's part, left of the card's stop.
    const QRect name(zeile.left() + 1, zeile.top(),
                     L().IDB_CARD->x() - liste.viewport()->mapTo(&L(), QPoint(0, 0)).x() - 2, zeile.height());
    EXPECT_EQ(Tintenhoehe(b, name), ganz);
  }
}

TEST_F(PersonenTest, ChangeAndDeleteOnlyWhileALineIsSelected) {
  Fuege(Person("A", "1", "nie"));
  Fuege(Person("B", "2", "nie"));
  Fuege(Person("C", "3", "nie"));
  Oeffne();
  EXPECT_FALSE(KnoepfeAktiv());
  Waehle(1);
  EXPECT_TRUE(KnoepfeAktiv());
  L().IDB_DELETEPERSON->click();
  EXPECT_EQ(Namen(), (std::vector<std::string>{"A1", "C3"}));
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_FALSE(KnoepfeAktiv());  // the refill selects nothing
  Waehle(0);
  EXPECT_TRUE(KnoepfeAktiv());
  L().IDB_NAME->click();
  EXPECT_FALSE(KnoepfeAktiv());
  // Without a selected line the two do nothing, also when called directly.
  {
    Skript skript;
    L().IDB_CHANGE_PERSONClick();
    L().IDB_DELETEPERSONClick();
  }
  EXPECT_EQ(S().Personen.Anzahl, 2);
  Waehle(0);
  Aendern(0, Abbruch);
  EXPECT_FALSE(KnoepfeAktiv());
  // Deleting the last persons, then with an empty list: only the refill.
  for (int i = 0; i < 2; ++i) {
    Waehle(0);
    L().IDB_DELETEPERSON->click();
  }
  L().IDB_DELETEPERSONClick();
  EXPECT_EQ(S().Personen.Anzahl, 0);
  EXPECT_TRUE(Zeilen().isEmpty());
  EXPECT_FALSE(KnoepfeAktiv());
  // FormShow disables them again.
  Fuege(Person("D", "4", "nie"));
  L().ZeigePersonen();
  Waehle(0);
  L().hide();
  L().show();
  EXPECT_FALSE(KnoepfeAktiv());
}

// After every refill nothing is chosen, and nothing looks chosen: also when the list gets the
// focus back from the person window, no line becomes its current (framed) line while the
// buttons are disabled.
TEST_F(PersonenTest, AfterARefillNoLineLooksChosen) {
  Fuege(Person("A", "1", "nie"));
  Fuege(Person("B", "2", "nie"));
  Oeffne();
  const std::pair<const char*, std::function<void()>> aktionen[] = {
      {"change", [&] { Aendern(1, Ok); }},
      {"new",
       [&] {
         Neu([](TIDD_CHANGE_PERSON& p) {
           Tippe(p.IDE_CARD, U("9"));
           return Ok(p);
         });
       }},
      {"sort", [&] { L().IDB_CARD->click(); }},
      {"delete",
       [&] {
         Waehle(0);
         L().IDB_DELETEPERSON->click();
       }},
  };
  for (const auto& [was, aktion] : aktionen) {
    SCOPED_TRACE(was);
    aktion();
    QFocusEvent fokus(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(L().IDL_PERSON, &fokus);
    EXPECT_FALSE(KnoepfeAktiv());
    EXPECT_FALSE(L().IDL_PERSON->currentIndex().isValid());
    EXPECT_TRUE(L().IDL_PERSON->selectionModel()->selectedIndexes().isEmpty());
  }
  // A line chosen by the keyboard is chosen for the buttons too.
  QTest::keyClick(L().IDL_PERSON, Qt::Key_Down);
  EXPECT_TRUE(KnoepfeAktiv());
  EXPECT_EQ(L().Zeile(), L().IDL_PERSON->currentIndex().row());
}

TEST_F(PersonenTest, DoubleClickChangesTheLine) {
  Fuege(Person("A", "1", "nie"));
  Fuege(Person("B", "2", "nie"));
  Oeffne();
  S().DatenGespeichert = true;
  Skript skript;
  skript.Modal(QStringLiteral("IDD_CHANGE_PERSON"), [&](QDialog& d) {
    auto& f = static_cast<TIDD_CHANGE_PERSON&>(d);
    EXPECT_EQ(d.windowTitle(), U("Person ändern"));
    EXPECT_EQ(f.IDE_NAME->text(), U("B"));
    f.IDE_NAME->selectAll();
    Tippe(f.IDE_NAME, U("Bernd"));
    return Ok(f);
  });
  L().IDL_PERSON->doItemsLayout();
  const QRect zeile = L().IDL_PERSON->visualRect(L().IDL_PERSON->model()->index(1, 0));
  ASSERT_FALSE(zeile.isEmpty());
  QTest::mouseClick(L().IDL_PERSON->viewport(), Qt::LeftButton, {}, zeile.center());
  EXPECT_EQ(L().Zeile(), 1);
  QTest::mouseDClick(L().IDL_PERSON->viewport(), Qt::LeftButton, {}, zeile.center());
  EXPECT_EQ(Namen(), (std::vector<std::string>{"A1", "Bernd2"}));
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(PersonenTest, OkWithoutAChangeKeepsTheDocumentSaved) {
  PERSON p = Person("Gleich", "G1", "nie");
  p.Status1 = p.Status2 = 1;
  SchreibeText(p.Code, "AAAA");
  Fuege(p);
  Oeffne();
  Aendern(0, Ok);
  EXPECT_TRUE(S().DatenGespeichert);
}

// The graph for the profile chosen in the person window, by its pixels.
TEST_F(PersonenTest, GraphOfTheChosenProfile) {
  const Zeitlinie linie = Linie(8, 17, TAG_MONTAG | TAG_BENUTZT, 0x47);
  NeuesProfil("Buero", {linie});
  Fuege(Person("Graf", "G", "nie"));
  const QColor weiss(Qt::white);
  const struct {
    const char* fall;
    std::uint32_t flags;
    int typ;
    bool rot, blau;
  } faelle[] = {
      {"type 0, door 1 only", 0x1, 0, false, false},
      {"type 0, door 3 in use", 0x5, 0, false, true},
      {"type 1, door 2", 0x3, 1, true, false},
  };
  Oeffne();
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    S().Geraetedaten.Flags = f.flags;
    S().Geraetetyp = f.typ;
    Aendern(0, [&](TIDD_CHANGE_PERSON& p) {
      EXPECT_EQ(p.IDCB_PROFIL->currentIndex(), 0);
      WaehleProfil(3);
      const QImage bild = Bild();
      EXPECT_EQ(bild.size(), QSize(473, 225));
      EXPECT_EQ(bild, Erwartet(3));
      // Monday 08:00-17:00 through door 1: green at y 30 from x 219 to 351.
      for (int x : {219, 285, 351}) {
        EXPECT_EQ(bild.pixelColor(x, 30), grafik::kGruen) << x;
        EXPECT_EQ(bild.pixelColor(x, 29), grafik::kGruen) << x;
      }
      EXPECT_NE(bild.pixelColor(218, 30), grafik::kGruen);
      EXPECT_NE(bild.pixelColor(352, 30), grafik::kGruen);
      EXPECT_EQ(bild.pixelColor(285, 33) == grafik::kRot, f.rot);
      EXPECT_EQ(bild.pixelColor(285, 36) == grafik::kBlau, f.blau);
      // No other day row carries the line.
      EXPECT_EQ(bild.pixelColor(285, 48), weiss);
      // The legend: door 2's stroke only for type 1, door 3's only for a type other than 0;
      // with type 0 and door 3 the text "Tür 2 (MK)" stands alone where door 2's would.
      EXPECT_EQ(bild.pixelColor(260, 210) == grafik::kRot, f.typ == 1);
      EXPECT_NE(bild.pixelColor(360, 210), grafik::kBlau);
      bool text = false;
      for (int x = 280; x < 340 && !text; ++x) {
        for (int y = 205; y < 220 && !text; ++y) text = bild.pixelColor(x, y) != weiss;
      }
      EXPECT_EQ(text, f.typ == 1 || (f.flags & 0x4) != 0);
      return Abbruch(p);
    });
  }
  // Choosing back the profile shown is no change; choosing another draws it.
  Aendern(0, [&](TIDD_CHANGE_PERSON& p) {
    EXPECT_EQ(Bild(), Erwartet(0));
    WaehleProfil(3);
    EXPECT_EQ(Bild(), Erwartet(3));
    return Abbruch(p);
  });
}

TEST_F(PersonenTest, OpenedByTheButtonAndTheMenuItemWithItsCaption) {
  Fuege(Person("Zeile", "Z", "nie"));
  for (QAction* menue : {static_cast<QAction*>(nullptr), IDD_MAIN->Personendaten1}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PERSONEN"), [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), U("Personendaten"));
      EXPECT_EQ(Zeilen(), QStringList{U("Zeile\tZ\tnie")});
      EXPECT_FALSE(KnoepfeAktiv());
      L().BitBtn1->click();
      return fenster::mrOk;
    });
    if (menue != nullptr) {
      menue->trigger();
    } else {
      IDD_MAIN->IDB_PERSON->click();
    }
  }
  EXPECT_TRUE(IDD_MAIN->IDB_PERSON->isEnabled());
  EXPECT_TRUE(IDD_MAIN->Personendaten1->isEnabled());
  EXPECT_EQ(IDD_MAIN->Personendaten1->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
}

// Every text of a window fits its control.
void TexteGanz(QWidget& fenster) {
  for (QPushButton* k : fenster.findChildren<QPushButton*>()) {
    EXPECT_LE(k->sizeHint().width(), k->width()) << k->objectName().toStdString();
    EXPECT_LE(k->sizeHint().height(), k->height()) << k->objectName().toStdString();
  }
  for (QComboBox* c : fenster.findChildren<QComboBox*>()) {
    EXPECT_LE(c->sizeHint().width(), c->width()) << c->objectName().toStdString();
  }
  // An edit's text with room for the frame and the cursor.
  for (QLineEdit* e : fenster.findChildren<QLineEdit*>()) {
    if (e->parent() != &fenster) continue;  // a combo's own edit
    EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()) + 12, e->width()) << e->objectName().toStdString();
  }
  for (QLabel* l : fenster.findChildren<QLabel*>()) {
    if (l->text().isEmpty()) continue;
    EXPECT_LE(l->sizeHint().width(), l->width()) << l->objectName().toStdString();
    EXPECT_LE(l->sizeHint().height(), l->height()) << l->objectName().toStdString();
  }
}

TEST_F(PersonenTest, BothWindowsRendered) {
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const std::string ablage = ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad();
  NeuesProfil("Buero", {Linie(8, 17, TAG_MONTAG | TAG_DIENSTAG | TAG_FREITAG | TAG_BENUTZT, 0x11),
                        Linie(6, 12, TAG_SAMSTAG | TAG_BENUTZT, 0x22), Linie(20, 24, 0x7F | TAG_BENUTZT, 0x44)});
  NeuesProfil("Wochenenddienst");  // the longest name a profile holds
  S().Geraetedaten.Flags = 0x7;
  S().Geraetetyp = 1;
  Fuege(Person("J\xFCrgen M\xFCller-Wei\xDF", "04A1B2C3D4E5F6A7B8C9D0E1", "Buero"));
  Fuege(Person("Anna Sch\xF6n",
               "\xC4\xD6\xDC"
               "123",
               "werktags"));
  Fuege(Person("Max Mustermann", "0815", "Spaetschich"));
  Oeffne();
  Waehle(1);
  TexteGanz(L());
  ASSERT_TRUE(SpeichereBild(L(), QString::fromStdString(ablage + "personendaten.png")));
  Aendern(0, [&](TIDD_CHANGE_PERSON& p) {
    TexteGanz(p);
    EXPECT_TRUE(SpeichereBild(p, QString::fromStdString(ablage + "person_aendern.png")));
    return Abbruch(p);
  });
}

}  // namespace
