// The printed reports on a recording target with fixed measures: lh = 50, cw = 40 (every other
// character 20 wide, a blank too), an A4 page of 2480 x 3508, the margin m = 155, the footer
// rule at 3258.
#include "printing/Druckbericht.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Datum.h"
#include "model/ListenZugriff.h"

#include "shared/StatusDlg.h"

#include "Druckaufnahme.h"
#include "UiTest.h"

namespace {

using Linie = Druckaufnahme::LinienEintrag;

constexpr int kRand = 155;
constexpr int kFusslinie = 3508 - 5 * 50;

QString U(const char* text) { return QString::fromUtf8(text); }

class DruckberichtTest : public ::testing::Test {
 protected:
  DruckberichtTest() { s.Dateiname = ordner / "kunde.wuz"; }

  void NeuePerson(const char* name, const char* karte, const char* profil) {
    auto p = std::make_unique<PERSON>();
    SchreibeText(p->Name, name);
    SchreibeText(p->Karte, karte);
    SchreibeText(p->Profil, profil);
    HaengeAn(s.Personen, std::move(p));
  }
  void NeueBuchung(int tag, int stunde, const char* karte, const char* name, std::uint8_t ereignis1) {
    auto b = std::make_unique<books>();
    b->Jahr = 2026;
    b->Monat = 3;
    b->Tag = static_cast<std::uint16_t>(tag);
    b->Stunde = static_cast<std::uint16_t>(stunde);
    b->Minute = 4;
    b->Sekunde = 5;
    SchreibeText(b->Karte, karte);
    SchreibeText(b->Name, name);
    b->Ereignis1 = ereignis1;
    HaengeAn(s.Buchungen, std::move(b));
  }
  PROFIL& NeuesProfil(const char* name, int linien) {
    auto p = std::make_unique<PROFIL>();
    SchreibeText(p->Name, name);
    for (int i = 0; i < linien; ++i) {
      p->Zeitlinien[i] = Zeitlinie{.VonStunde = static_cast<std::uint8_t>(i % 24),
                                   .VonMinute = 5,
                                   .BisStunde = 23,
                                   .BisMinute = 55,
                                   .Tage = 0x7FF,
                                   .Tueren = 1};
    }
    PROFIL& ref = *p;
    HaengeAn(s.Profile, std::move(p));
    return ref;
  }
  // Every text of every page above the footer rule, but the footer's own.
  void KeinTextUeberDerFusslinie() {
    for (const Druckaufnahme::Auftrag& a : aufnahme.Auftraege()) {
      for (const Druckaufnahme::Seite& seite : a.seiten) {
        for (const Druckaufnahme::TextEintrag& t : seite.texte) {
          if (t.y == 3508 - 4 * 50) continue;
          EXPECT_LE(t.y + 50, kFusslinie) << t.text.toStdString() << " in " << a.titel.toStdString();
        }
      }
    }
  }

  // No text of a page reaches another text of its line.
  void KeineTexteUeberlappen() {
    for (const Druckaufnahme::Auftrag& a : aufnahme.Auftraege()) {
      for (const Druckaufnahme::Seite& seite : a.seiten) {
        for (const Druckaufnahme::TextEintrag& t : seite.texte) {
          for (const Druckaufnahme::TextEintrag& rechts : seite.texte) {
            if (rechts.y != t.y || rechts.x <= t.x) continue;
            EXPECT_LT(t.x + t.breite, rechts.x) << t.text.toStdString() << " runs into " << rechts.text.toStdString()
                                                << " in " << a.titel.toStdString();
          }
        }
      }
    }
  }

  TempOrdner ordner;
  TIDD_STATUS status;
  TestPlattform plattform{status, QDateTime(QDate(2026, 12, 9), QTime(8, 21, 37))};
  PlattformWahl wahl{plattform};
  TSteuerung s{2026, ordner.Pfad()};
  Druckaufnahme aufnahme;
  TDruckbericht bericht{s, aufnahme, plattform.Now()};
};

TEST_F(DruckberichtTest, HeaderAndFooterAtTheirPlaces) {
  bericht.DruckeGeraetedaten();
  ASSERT_EQ(aufnahme.Auftraege().size(), 1U);
  const Druckaufnahme::Auftrag& auftrag = aufnahme.Auftraege()[0];
  EXPECT_EQ(auftrag.titel, U("Zutrittskontrolle Gerätedaten"));
  EXPECT_EQ(auftrag.abschnitt, U("Gerätedaten"));
  EXPECT_TRUE(auftrag.beendet);
  ASSERT_EQ(auftrag.seiten.size(), 1U);
  const Druckaufnahme::Seite& seite = auftrag.seiten[0];
  // 29 characters of 56 pixels at 14 points, centred.
  const auto titel = seite.Finde(U("Zutrittskontrolle Gerätedaten"));
  ASSERT_TRUE(titel);
  EXPECT_EQ(titel->x, (2480 - 29 * 56) / 2);
  EXPECT_EQ(titel->y, 40);
  EXPECT_EQ(titel->groesse, 14);
  const auto zeit = seite.Finde(U("09.12.2026, 08:21 Uhr"));
  ASSERT_TRUE(zeit);
  EXPECT_EQ(zeit->x, 2480 - 16 * 40);
  EXPECT_EQ(zeit->y, 40);
  EXPECT_EQ(zeit->groesse, 10);
  const auto seitenzahl = seite.Finde(U("Seite 1"));
  ASSERT_TRUE(seitenzahl);
  EXPECT_EQ(seitenzahl->x, 2480 - 9 * 40);
  EXPECT_EQ(seitenzahl->y, 3508 - 4 * 50);
  const auto pfad = seite.Finde(QString::fromStdString(ordner / "kunde.wuz"));
  ASSERT_TRUE(pfad);
  EXPECT_EQ(pfad->x, kRand);
  EXPECT_EQ(pfad->y, 3508 - 4 * 50);
  EXPECT_EQ(seite.linien.front(), (Linie{kRand, kFusslinie, 2480 - kRand, kFusslinie}));
}

TEST_F(DruckberichtTest, TitleNeverLeftOfTheMargin) {
  aufnahme.breite = 1000;  // 29 characters of 56 pixels are wider than the page
  bericht.DruckeGeraetedaten();
  const auto titel = aufnahme.Auftraege()[0].seiten[0].Finde(U("Zutrittskontrolle Gerätedaten"));
  ASSERT_TRUE(titel);
  EXPECT_EQ(titel->x, 1000 / 16);
}

TEST_F(DruckberichtTest, DevicePageOfANewDocument) {
  bericht.DruckeGeraetedaten();
  const Druckaufnahme::Seite& seite = aufnahme.Auftraege()[0].seiten[0];
  struct Erwartet {
    const char* text;
    int x, y;
  };
  const int c3 = (2480 - 2 * kRand) / 3;
  const Erwartet erwartet[] = {
      {"Gerätetyp: ZO 10", kRand, 200},
      {"doppelten Zutritt prüfen: inaktiv", kRand + c3, 200},
      {"Sondertage: inaktiv", kRand + 2 * c3, 200},
      {"Türstandorte:", 2 * kRand, 350},
      {"Tür 1: Tür 1", 2 * kRand, 450},
      {"Freigabezeit: 5s", kRand + c3, 450},
      {"Überwachungszeit: 30s", kRand + 2 * c3, 450},
  };
  for (const Erwartet& e : erwartet) {
    SCOPED_TRACE(e.text);
    const auto t = seite.Finde(U(e.text));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->x, e.x);
    EXPECT_EQ(t->y, e.y);
  }
  for (const QString& text : seite.Texte()) {
    EXPECT_FALSE(text.startsWith(U("Tür 2"))) << text.toStdString();
    EXPECT_FALSE(text.startsWith(U("Tür 3"))) << text.toStdString();
    EXPECT_NE(text, U("von"));  // no door lines, no column heads
  }
  // The rule under the first row and the one under "Türstandorte:".
  EXPECT_EQ(seite.linien[1], (Linie{kRand, 250, 2480 - kRand, 250}));
  EXPECT_EQ(seite.linien[2], (Linie{2 * kRand, 400, 2480 - 2 * kRand, 400}));
}

TEST_F(DruckberichtTest, DoorsInUseWithTheirLinesAndStates) {
  s.Geraetedaten.Flags |= GD_TUER2 | GD_TUER3 | GD_ANTIPASSBACK | GD_SONDERTAG2;
  s.Geraetetyp = 1;
  SchreibeText(s.Geraetedaten.NameTuer2,
               "Eingang S\xFC"
               "d");
  TUERPROFIL& tuer2 = Element(s.Tuerprofile, 1);
  tuer2.Freigabezeit = 12;
  tuer2.Zeitlinien[0] = Zeitlinie{.VonStunde = 7, .BisStunde = 18, .BisMinute = 30, .Tage = TAG_DAUEROFFEN | 0x1F};
  tuer2.Zeitlinien[3] = Zeitlinie{.BisStunde = 24, .Tage = TAG_DAUERGESPERRT | TAG_SAMSTAG | TAG_SONNTAG};
  bericht.DruckeGeraetedaten();
  const Druckaufnahme::Seite& seite = aufnahme.Auftraege()[0].seiten[0];
  const int m = kRand;
  const int q = m / 4;
  const int c = (2480 - 8 * m) / 11;
  struct Erwartet {
    const char* text;
    int x, y;
  };
  const Erwartet erwartet[] = {
      {"Gerätetyp: RA 20", m, 200},
      {"doppelten Zutritt prüfen: aktiv", m + (2480 - 2 * m) / 3, 200},
      {"Sondertage: aktiv", m + 2 * ((2480 - 2 * m) / 3), 200},
      {"Tür 1: Tür 1", 2 * m, 450},  // door 1 without lines: the next door two lines below
      {"Tür 2: Eingang Süd", 2 * m, 550},
      {"Freigabezeit: 12s", m + (2480 - 2 * m) / 3, 550},
      {"von", 4 * m + q, 650},
      {"bis", 5 * m + q, 650},
      {"Mo", 6 * m + c, 650},
      {"S2", 6 * m + 11 * c, 650},
      {"daueroffen", 2 * m + q, 700},
      {"07:00", 4 * m + q, 700},
      {"18:30", 5 * m + q, 700},
      {"dauergesperrt", 2 * m + q, 750},
      {"00:00", 4 * m + q, 750},
      {"24:00", 5 * m + q, 750},
      {"Tür 3: Meldekontakt", 2 * m, 900},
  };
  for (const Erwartet& e : erwartet) {
    SCOPED_TRACE(e.text);
    const auto t = seite.Finde(U(e.text));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->x, e.x);
    EXPECT_EQ(t->y, e.y);
  }
  // The marks: Monday..Friday on the first line, Saturday and Sunday on the second.
  std::vector<std::pair<int, int>> kreuze;
  for (const Druckaufnahme::TextEintrag& t : seite.texte) {
    if (t.text == U("x")) kreuze.emplace_back(t.x, t.y);
  }
  std::vector<std::pair<int, int>> erwarteteKreuze;
  for (int k = 0; k < 5; ++k) erwarteteKreuze.emplace_back(6 * m + (k + 1) * c, 700);
  for (int k = 5; k < 7; ++k) erwarteteKreuze.emplace_back(6 * m + (k + 1) * c, 750);
  EXPECT_EQ(kreuze, erwarteteKreuze);
}

TEST_F(DruckberichtTest, ProfilesWithTheirLinesAndAProfileWithoutLines) {
  bericht.DruckeProfile();  // the new document's "nie", "immer", "werktags"
  ASSERT_EQ(aufnahme.Auftraege().size(), 1U);
  EXPECT_EQ(aufnahme.Auftraege()[0].titel, U("Zutrittskontrolle Zutrittsprofile"));
  const Druckaufnahme::Seite& seite = aufnahme.Auftraege()[0].seiten[0];
  const int m = kRand;
  const int c = (2480 - 8 * m) / 11;
  // "nie": name, rule, heading, rule, the column heads, no line; then two lines of space.
  const QStringList nie = seite.Texte().mid(4, 15);
  EXPECT_EQ(nie, (QStringList{U("Zutrittsprofil: nie"), U("Zeitlinien:"), U("von"), U("bis"), U("Mo"), U("Di"), U("Mi"),
                              U("Do"), U("Fr"), U("Sa"), U("So"), U("hF"), U("FT"), U("S1"), U("S2")}));
  EXPECT_EQ(seite.Finde(U("Zutrittsprofil: nie"))->y, 200);
  EXPECT_EQ(seite.Finde(U("Zeitlinien:"))->x, 2 * m);
  EXPECT_EQ(seite.Finde(U("Zeitlinien:"))->y, 300);
  EXPECT_EQ(seite.Finde(U("S2"))->x, 4 * m + 11 * c);
  EXPECT_EQ(seite.linien[1], (Linie{m, 250, 2480 - 2 * m, 250}));
  EXPECT_EQ(seite.linien[2], (Linie{2 * m, 350, 2480 - 2 * m, 350}));
  // "immer": its one line 00:00 - 24:00 on Monday..Sunday, half holiday and holiday.
  const auto immer = seite.Finde(U("Zutrittsprofil: immer"));
  ASSERT_TRUE(immer);
  EXPECT_EQ(immer->y, 550);
  const auto von = seite.Finde(U("00:00"));
  ASSERT_TRUE(von);
  EXPECT_EQ(von->x, 2 * m);
  EXPECT_EQ(von->y, 550 + 5 * 50);
  int kreuze = 0;
  for (const Druckaufnahme::TextEintrag& t : seite.texte) {
    if (t.text == U("x") && t.y == 800) {
      EXPECT_EQ(t.x, 4 * m + (kreuze + 1) * c);
      ++kreuze;
    }
  }
  EXPECT_EQ(kreuze, 9);
  EXPECT_EQ(seite.Finde(U("Zutrittsprofil: werktags"))->y, 550 + 6 * 50 + 2 * 50);
}

TEST_F(DruckberichtTest, AThirdFullProfileGoesToTheSecondPage) {
  s.Profile.Clear();
  NeuesProfil("eins", 18);
  NeuesProfil("zwei", 18);
  NeuesProfil("drei", 18);
  bericht.DruckeProfile();
  const Druckaufnahme::Auftrag& auftrag = aufnahme.Auftraege()[0];
  ASSERT_EQ(auftrag.seiten.size(), 2U);
  EXPECT_EQ(auftrag.seiten[0].Finde(U("Zutrittsprofil: zwei"))->y, 200 + 25 * 50);
  EXPECT_FALSE(auftrag.seiten[0].Finde(U("Zutrittsprofil: drei")));
  const auto drei = auftrag.seiten[1].Finde(U("Zutrittsprofil: drei"));
  ASSERT_TRUE(drei);
  EXPECT_EQ(drei->y, 200);
  EXPECT_TRUE(auftrag.seiten[1].Finde(U("Seite 2")));
  EXPECT_TRUE(auftrag.seiten[1].Finde(U("Zutrittskontrolle Zutrittsprofile")));
  KeinTextUeberDerFusslinie();
}

TEST_F(DruckberichtTest, PersonsInBlocksOfFiveAndTheCountRestartsOnANewPage) {
  for (int i = 59; i >= 0; --i) {
    const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
    NeuePerson(("Person " + n).c_str(), ("K" + n).c_str(), "immer");
  }
  bericht.DruckePersonen(0);
  const Druckaufnahme::Auftrag& auftrag = aufnahme.Auftraege()[0];
  EXPECT_EQ(auftrag.titel, U("Zutrittskontrolle Personendaten"));
  // A line fits while y + lh stays above the footer rule: 54 persons on page 1.
  ASSERT_EQ(auftrag.seiten.size(), 2U);
  const int c3 = (2480 - 2 * kRand) / 3;
  const int proSeite[] = {54, 6};
  int person = 0;
  for (int seite = 0; seite < 2; ++seite) {
    const Druckaufnahme::Seite& s2 = auftrag.seiten[static_cast<std::size_t>(seite)];
    EXPECT_EQ(s2.Finde(U("Name/Aufdruck"))->y, 200);
    EXPECT_EQ(s2.Finde(U("Kartencodierung"))->x, kRand + c3);
    EXPECT_EQ(s2.Finde(U("Zutrittsprofil"))->x, kRand + 2 * c3);
    EXPECT_EQ(s2.linien[1], (Linie{kRand, 250, 2480 - kRand, 250}));
    for (int k = 0; k < proSeite[seite]; ++k, ++person) {
      const std::string n = (person < 10 ? "0" : "") + std::to_string(person);
      const auto name = s2.Finde(QString::fromStdString("Person " + n));
      ASSERT_TRUE(name) << n;
      EXPECT_EQ(name->x, kRand);
      EXPECT_EQ(name->y, 300 + k * 50 + (k / 5) * 25) << n;
      EXPECT_EQ(s2.Finde(QString::fromStdString("K" + n))->x, kRand + c3);
    }
  }
  KeinTextUeberDerFusslinie();
}

TEST_F(DruckberichtTest, NoEmptyPageAfterTheLastItem) {
  // The 54th person is the last on the page; before, a page followed it with nothing on it.
  for (int i = 0; i < 54; ++i) NeuePerson(("P" + std::to_string(100 + i)).c_str(), "K", "nie");
  bericht.DruckePersonen(0);
  EXPECT_EQ(aufnahme.Auftraege()[0].seiten.size(), 1U);
}

TEST_F(DruckberichtTest, ALineEndingOnTheFooterRuleStaysOnItsPageOnePixelMoreDoesNot) {
  // The 54th person's line runs from 3200 to 3250; a page 3500 high has its footer rule at 3250.
  for (int i = 0; i < 55; ++i) {
    const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
    NeuePerson(("Person " + n).c_str(), "K", "nie");
  }
  struct Fall {
    int hoehe;
    int aufSeite1;
  };
  const Fall faelle[] = {
      {3500, 54},  // the line ends exactly on the rule
      {3499, 53},  // one pixel over it
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.hoehe);
    Druckaufnahme seiten;
    seiten.hoehe = f.hoehe;
    TDruckbericht druck{s, seiten, plattform.Now()};
    druck.DruckePersonen(0);
    ASSERT_EQ(seiten.Auftraege().size(), 1U);
    const Druckaufnahme::Auftrag& auftrag = seiten.Auftraege()[0];
    ASSERT_EQ(auftrag.seiten.size(), 2U);
    const auto personen = [](const Druckaufnahme::Seite& seite) {
      return std::count_if(seite.texte.begin(), seite.texte.end(),
                           [](const Druckaufnahme::TextEintrag& t) { return t.text.startsWith(U("Person ")); });
    };
    EXPECT_EQ(personen(auftrag.seiten[0]), f.aufSeite1);
    EXPECT_EQ(personen(auftrag.seiten[1]), 55 - f.aufSeite1);
    const int k = f.aufSeite1 - 1;
    const auto letzte = auftrag.seiten[0].Finde(QString::fromStdString("Person " + std::to_string(k)));
    ASSERT_TRUE(letzte);
    EXPECT_EQ(letzte->y, 300 + k * 50 + (k / 5) * 25);
    const auto erste = auftrag.seiten[1].Finde(QString::fromStdString("Person " + std::to_string(k + 1)));
    ASSERT_TRUE(erste);
    EXPECT_EQ(erste->y, 300);
  }
}

TEST_F(DruckberichtTest, EmptyListsPrintNothingDeviceAndHolidaysAHeaderPage) {
  s.Profile.Clear();
  bericht.DruckeProfile();
  bericht.DruckePersonen(0);
  bericht.DruckeBuchungen(2);
  EXPECT_TRUE(aufnahme.Auftraege().empty());
  bericht.DruckeFeiertage(2026, 2046);  // the table holds only its end marker
  ASSERT_EQ(aufnahme.Auftraege().size(), 1U);
  const Druckaufnahme::Seite& seite = aufnahme.Auftraege()[0].seiten.at(0);
  EXPECT_EQ(seite.Texte(), (QStringList{U("Zutrittskontrolle Feiertage"), U("09.12.2026, 08:21 Uhr"), U("Seite 1"),
                                        QString::fromStdString(ordner / "kunde.wuz")}));
  EXPECT_EQ(seite.linien[1], (Linie{kRand, 120, 2480 - kRand, 120}));
}

TEST_F(DruckberichtTest, HolidaysOfOneYearWithTheirKinds) {
  s.NameSondertag1 =
      "Br\xFC"
      "ckentag";
  struct Eintrag {
    int jahr, monat, tag;
    Feiertagseintrag art;
  };
  const Eintrag eintraege[] = {
      {2026, 12, 25, FT_FEIERTAG},   {2027, 1, 1, FT_FEIERTAG},   {2027, 3, 28, FT_UMSCHALTTAG},
      {2027, 5, 5, 0x2000},          {2027, 6, 1, FT_SONDERTAG1}, {2027, 12, 24, FT_HALBER_FEIERTAG},
      {2027, 12, 31, FT_SONDERTAG2}, {2028, 1, 1, FT_FEIERTAG},
  };
  std::size_t i = 0;
  for (const Eintrag& e : eintraege) {
    s.Feiertagstabelle[i++] = static_cast<Feiertagseintrag>(datum::Tagesnummer(2026, e.jahr, e.monat, e.tag) | e.art);
  }
  s.Feiertagstabelle[i++] = FT_ENDE;
  s.Feiertagstabelle[i] = static_cast<Feiertagseintrag>(datum::Tagesnummer(2026, 2027, 7, 1) | FT_FEIERTAG);
  bericht.DruckeFeiertage(2027, 2027);
  const Druckaufnahme::Seite& seite = aufnahme.Auftraege().at(0).seiten.at(0);
  const QStringList zeilen{
      U("01.01.2027 Feiertag"),   U("28.03.2027 Sommer-Winter-Umschaltung"), U("05.05.2027 "),
      U("01.06.2027 Brückentag"), U("24.12.2027 halber Feiertag"),           U("31.12.2027 Sondertag2")};
  EXPECT_EQ(seite.Texte().mid(4), zeilen);
  for (int k = 0; k < zeilen.size(); ++k) {
    const auto t = seite.Finde(zeilen[k]);
    ASSERT_TRUE(t) << zeilen[k].toStdString();
    EXPECT_EQ(t->x, kRand);
    EXPECT_EQ(t->y, 200 + k * 50);
  }
}

TEST_F(DruckberichtTest, BookingsWithTheirDoorTexts) {
  struct Fall {
    std::uint8_t ereignis1;
    const char* tuer;
  };
  const Fall faelle[] = {{0x01, "Tür 1"},      {0x02, "Tür 2"}, {0x04, "Tür 3 (MK)"}, {0x03, "Tür 2"},
                         {0x05, "Tür 3 (MK)"}, {0x18, " "},     {0x00, " "}};
  int tag = 1;
  for (const Fall& f : faelle) NeueBuchung(tag++, 9, "AB12", "J\xFCrgen", f.ereignis1);
  bericht.DruckeBuchungen(2);
  const Druckaufnahme::Seite& seite = aufnahme.Auftraege().at(0).seiten.at(0);
  EXPECT_EQ(aufnahme.Auftraege()[0].titel, U("Zutrittskontrolle Buchungen"));
  const int c4 = (2480 - 2 * kRand) / 4;
  const QStringList koepfe{U("Datum, Uhrzeit"), U("Kartencodierung"), U("Name/Aufdruck"), U("Türstandorte:")};
  EXPECT_EQ(seite.Texte().mid(4, 4), koepfe);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(seite.texte[static_cast<std::size_t>(4 + k)].x, kRand + k * c4);
    EXPECT_EQ(seite.texte[static_cast<std::size_t>(4 + k)].y, 200);
  }
  for (std::size_t b = 0; b < std::size(faelle); ++b) {
    SCOPED_TRACE(b);
    const int y = 300 + static_cast<int>(b) * 50 + static_cast<int>(b / 5) * 25;
    const std::size_t erster = 8 + 4 * b;
    ASSERT_LT(erster + 3, seite.texte.size());
    EXPECT_EQ(seite.texte[erster].text, QString::asprintf("%02d.03.2026, 09:04:05", static_cast<int>(b) + 1));
    EXPECT_EQ(seite.texte[erster + 1].text, U("AB12"));
    EXPECT_EQ(seite.texte[erster + 2].text, U("Jürgen"));
    EXPECT_EQ(seite.texte[erster + 3].text, U(faelle[b].tuer));
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(seite.texte[erster + k].x, kRand + static_cast<int>(k) * c4);
      EXPECT_EQ(seite.texte[erster + k].y, y);
    }
  }
}

TEST_F(DruckberichtTest, ListsAreSortedAsChosenAndStaySorted) {
  NeuePerson("Berta", "C3", "nie");
  NeuePerson("Anton", "B2", "werktags");
  NeuePerson("Carl", "A1", "immer");
  NeueBuchung(3, 8, "X", "Zora", 1);
  NeueBuchung(1, 8, "Y", "Anna", 1);
  NeueBuchung(2, 8, "Z", "Mia", 1);
  bericht.DruckePersonen(1);   // by card
  bericht.DruckeBuchungen(0);  // by name
  std::vector<std::string> personen, buchungen;
  for (int i = 0; i < s.Personen.Anzahl; ++i) personen.push_back(LiesText(Element(s.Personen, i).Name));
  for (int i = 0; i < s.Buchungen.Anzahl; ++i) buchungen.push_back(LiesText(Element(s.Buchungen, i).Name));
  EXPECT_EQ(personen, (std::vector<std::string>{"Carl", "Anton", "Berta"}));
  EXPECT_EQ(buchungen, (std::vector<std::string>{"Anna", "Mia", "Zora"}));
  const QStringList gedruckt = aufnahme.Auftraege().at(0).seiten.at(0).Texte();
  EXPECT_LT(gedruckt.indexOf(U("Carl")), gedruckt.indexOf(U("Anton")));
  EXPECT_LT(gedruckt.indexOf(U("Anton")), gedruckt.indexOf(U("Berta")));
}

// A text that would reach the next text of its line is cut with "…" where it still leaves a
// blank's width free before that one: the widest texts of every report. A card code is printed
// whole, narrowed to that room.
TEST_F(DruckberichtTest, TextsThatWouldReachTheNextColumnAreCut) {
  const std::string pfad = "/home/" + std::string(100, 'a') + "/kunde.wuz";
  s.Dateiname = pfad;
  NeuePerson("WWWWWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWWWWWWWWWW", "werktags");
  NeuePerson("Wolfgang Mustermann", "0123456789ABCDEF01234567", "immer");
  NeueBuchung(1, 8, "WWWWWWWWWWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWWWWWW", EREIGNIS1_TUER3);
  NeueBuchung(2, 8, "0123456789ABCDEF01234567", "WWWWWWWWWWWWW", EREIGNIS1_TUER1);
  NeueBuchung(3, 8, "K1", "WWWWWWWWWWWWWa", EREIGNIS1_TUER1);
  NeueBuchung(4, 8, "K2", "WWWWWWWWWWWW abcdef", EREIGNIS1_TUER1);
  s.Geraetedaten.Flags |= GD_TUER2 | GD_TUER3;
  SchreibeText(s.Geraetedaten.NameTuer1, "WWWWWWWWWWWWWWW");
  Element(s.Tuerprofile, 2).Zeitlinien[0] =
      Zeitlinie{.VonStunde = 18, .BisStunde = 24, .Tage = TAG_DAUERGESPERRT | 0x7FF};
  s.NameSondertag1 = std::string(20, 'W');
  s.Feiertagstabelle[0] = static_cast<Feiertagseintrag>(datum::Tagesnummer(2026, 2026, 6, 1) | FT_SONDERTAG1);
  s.Feiertagstabelle[1] = FT_ENDE;
  bericht.DruckeProfile();
  bericht.DruckePersonen(1);
  bericht.DruckeGeraetedaten();
  bericht.DruckeFeiertage(2026, 2026);
  bericht.DruckeBuchungen(2);
  ASSERT_EQ(aufnahme.Auftraege().size(), 5U);
  KeineTexteUeberlappen();

  const int m = kRand;
  const int c3 = (2480 - 2 * m) / 3;  // 723: texts up to 703 pixels
  const int c4 = (2480 - 2 * m) / 4;  // 542: texts up to 522 pixels
  struct Fall {
    std::size_t auftrag;
    QString gedruckt;
    int x;
    int eingepasst = 0;
  };
  const Fall faelle[] = {
      // The footer: the path up to 1945 pixels before "Seite 1" at 2120.
      {0, QString::fromStdString(pfad.substr(0, 96)) + U("…"), m},
      {1, U("WWWWWWWWWWWWWWWWW…"), m},                      // 19 "W" of 760 pixels: 17 and the dots, 700
      {1, U("WWWWWWWWWWWWWWWWWWWWWWWW"), m + c3, c3 - 20},  // the card of 24, narrowed
      {1, U("Wolfgang Mustermann"), m},
      {1, U("0123456789ABCDEF01234567"), m + c3, c3 - 20},
      {1, U("werktags"), m + 2 * c3},
      {2, U("Tür 1: WWWWWWWWW…"), 2 * m},  // up to 548 pixels before the release time
      {2, U("Tür 3: Meldekontakt"), 2 * m},
      {2, U("dauergesperrt"), 2 * m + m / 4},
      {3, U("01.06.2026 WWWWWWWWWWWWWWWWWWWW"), m},         // alone on its line
      {4, U("WWWWWWWWWWWWWWWWWWWWWWWW"), m + c4, c4 - 20},  // the card of 24, narrowed
      {4, U("WWWWWWWWWWWW…"), m + 2 * c4},                  // the name of 20
      {4, U("0123456789ABCDEF01234567"), m + c4, c4 - 20},
      {4, U("WWWWWWWWWWWWW"), m + 2 * c4},  // 520 pixels: whole
      {4, U("Tür 3 (MK)"), m + 3 * c4},
      {4, U("WWWWWWWWWWWW…"), m + 2 * c4},  // "WWWWWWWWWWWWWa" of 540
      {4, U("WWWWWWWWWWWW…"), m + 2 * c4},  // the blank before the dots dropped
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.gedruckt.toStdString());
    const std::vector<Druckaufnahme::TextEintrag>& texte = aufnahme.Auftraege()[f.auftrag].seiten.at(0).texte;
    EXPECT_TRUE(std::any_of(texte.begin(), texte.end(), [&](const Druckaufnahme::TextEintrag& t) {
      return t.text == f.gedruckt && t.x == f.x && t.eingepasst == f.eingepasst;
    }));
  }
  // The cut texts are nowhere whole; three texts of the bookings cut to the same.
  const QStringList ganz{QString::fromStdString(pfad), U("WWWWWWWWWWWWWWWWWWW"), U("WWWWWWWWWWWWWWWWWWWW"),
                         U("WWWWWWWWWWWWWa"),          U("WWWWWWWWWWWW abcdef"), U("Tür 1: WWWWWWWWWWWWWWW")};
  for (const Druckaufnahme::Auftrag& a : aufnahme.Auftraege()) {
    for (const QString& text : ganz) EXPECT_FALSE(a.seiten.at(0).Finde(text)) << text.toStdString();
  }
  EXPECT_EQ(aufnahme.Auftraege()[4].seiten.at(0).Texte().count(U("WWWWWWWWWWWW…")), 3);
}

TEST_F(DruckberichtTest, AFailureInTheMiddleDropsTheJob) {
  s.Geraetedaten.Flags |= GD_TUER3;
  s.Tuerprofile.Remove(2);  // door 3 in use, its profile missing
  EXPECT_THROW(bericht.DruckeGeraetedaten(), ListError);
  ASSERT_EQ(aufnahme.Auftraege().size(), 1U);
  EXPECT_TRUE(aufnahme.Auftraege()[0].abgebrochen);
  EXPECT_FALSE(aufnahme.Auftraege()[0].beendet);
}

}  // namespace
