// The version query and the person transfer against a scripted controller: telegrams, answers
// read, progress lines, failure texts, and fetches that keep the document when they fail.
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "TransferFixture.h"
#include "common/TempOrdner.h"

namespace {

constexpr int kKabel = 0x4000;

class TransferTest : public transfertest::SkriptTest {
 protected:
  static PERSON Person(const std::string& name, const std::string& karte, const std::string& profil,
                       std::uint8_t status1, std::uint8_t status2, const std::string& code) {
    PERSON p;
    SchreibeText(p.Name, name);
    SchreibeText(p.Karte, karte);
    SchreibeText(p.Profil, profil);
    p.Status1 = status1;
    p.Status2 = status2;
    SchreibeText(p.Code, code);
    return p;
  }
  void HaengePersonAn(const PERSON& p) { HaengeAn(s->Personen, std::make_unique<PERSON>(p)); }

  // Every library call by kind, in order: the link is opened first and closed last.
  std::vector<ScriptedKomm::Fn> Folge() const {
    std::vector<ScriptedKomm::Fn> folge;
    for (const auto& c : komm.Calls()) folge.push_back(c.fn);
    return folge;
  }
  bool ZuletztGeschlossen() const {
    return !komm.Calls().empty() && komm.Calls().back().fn == ScriptedKomm::Fn::CloseKommunikation &&
           komm.Calls(ScriptedKomm::Fn::CloseKommunikation).size() == komm.Calls(ScriptedKomm::Fn::OpenKommSer).size();
  }
};

// ---- version query ----

struct VersionFall {
  const char* name;
  const char* antwort;
  int firmware;
  bool alt;
  int typ;
  bool unbrauchbar;
};

void PrintTo(const VersionFall& f, std::ostream* os) { *os << f.name; }

class VersionTest : public TransferTest, public ::testing::WithParamInterface<VersionFall> {};

TEST_P(VersionTest, ReadsFirmwareOldFirmwareAndType) {
  const VersionFall& f = GetParam();
  s->GemeldeterTyp = 7;
  s->FirmwareNummer = 99;
  komm.Answer(77, f.antwort);
  if (f.unbrauchbar) {
    try {
      s->GetVersion();
      ADD_FAILURE() << "no exception";
    } catch (const StdError& e) {
      EXPECT_EQ(e.Meldung, "Unbrauchbare Versionsantwort der Steuerung");
    }
  } else {
    s->GetVersion();
  }
  EXPECT_EQ(s->FirmwareNummer, f.firmware);
  EXPECT_EQ(s->AlteFirmware, f.alt);
  EXPECT_EQ(s->GemeldeterTyp, f.typ);
  ASSERT_EQ(komm.Sent().size(), 1u);
  EXPECT_EQ(komm.Sent()[0].command, 75);
  EXPECT_EQ(komm.Sent()[0].text, "");
  EXPECT_EQ(komm.Sent()[0].dest, kKabel);
  EXPECT_EQ(komm.Sent()[0].source, 768);
  // The link is closed before the answer is looked at.
  EXPECT_EQ(Folge(),
            (std::vector<ScriptedKomm::Fn>{ScriptedKomm::Fn::OpenKommSer, ScriptedKomm::Fn::SendeTele,
                                           ScriptedKomm::Fn::WarteAufTele, ScriptedKomm::Fn::CloseKommunikation}));
}

INSTANTIATE_TEST_SUITE_P(Antworten, VersionTest,
                         ::testing::Values(VersionFall{"ra20", "SIM VI20 V.03.01.07", 301, false, 1, false},
                                           VersionFall{"zo10", "SIM ZO10 V.03.01.07", 301, false, 0, false},
                                           VersionFall{"ohne_v0", "VI20 Version 2.1", 0, true, 1, false},
                                           VersionFall{"leer", "", 0, true, 0, false},
                                           VersionFall{"zehn_zeichen", "V.0123456789012 VI20", 1234567, false, 1,
                                                       false},
                                           VersionFall{"ein_zeichen", "ZO V.0", 0, false, 0, false},
                                           VersionFall{"nur_punkte", "V.0..", 0, false, 0, false},
                                           VersionFall{"zwei_zeichen", "V.01", 0, false, 0, true},
                                           VersionFall{"buchstaben", "V.0x.yz", 0, false, 0, true},
                                           VersionFall{"blank", "V.03 01 07", 0, false, 0, true},
                                           VersionFall{"klein", "v.03.01.07", 0, true, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransferTest, FailedVersionQueryLeavesTheNumberAtZeroAndTheRestAsBefore) {
  s->FirmwareNummer = 301;
  s->AlteFirmware = true;
  s->GemeldeterTyp = 1;
  komm.Answer(39);
  try {
    s->GetVersion();
    ADD_FAILURE() << "no exception";
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)\nbeiVersionsabfrage");
  }
  EXPECT_EQ(s->KommErgebnis, 2);
  EXPECT_EQ(s->FirmwareNummer, 0);
  EXPECT_TRUE(s->AlteFirmware);
  EXPECT_EQ(s->GemeldeterTyp, 1);
  EXPECT_TRUE(ZuletztGeschlossen());
}

TEST_F(TransferTest, NoAnswerNamesThePortOrTheAddress) {
  komm.Silence();
  komm.Silence();
  komm.Silence();
  try {
    s->GetVersion();
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung antwortet nicht\nauf Anschluß Com2");
  }
  s->Page = 0;
  s->IP = "10.1.2.3";
  komm.Answer(255);
  try {
    s->GetVersion();
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)\nbeiVersionsabfrage");
  }
  komm.Silence();
  komm.Silence();
  komm.Silence();
  try {
    s->GetVersion();
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung antwortet nicht\nauf Anschluß 10.1.2.3");
  }
  komm.FailOpen("kein Netz");
  try {
    s->GetVersion();
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Schnittstelle nicht verfügbar.\nkein Netz");
  }
}

// Simulated, the query reads the last real answer: here one filling the whole buffer without
// a NUL, of which only the buffer counts.
TEST_F(TransferTest, SimulatedVersionQueryReadsTheBufferWithinItsBounds) {
  s->SetFakeComm(true);
  std::memset(s->AntwortPuffer, 'x', sizeof s->AntwortPuffer);
  const std::string antwort = "SIM VI20 V.03.01.07";
  std::memcpy(s->AntwortPuffer, antwort.data(), antwort.size());
  s->GetVersion();
  EXPECT_EQ(s->FirmwareNummer, 30107);  // "03.01.07xx", the ten characters from the zero
  EXPECT_FALSE(s->AlteFirmware);
  EXPECT_EQ(s->GemeldeterTyp, 1);
  EXPECT_TRUE(komm.Calls().empty());
}

// ---- send persons ----

TEST_F(TransferTest, SendsCountThenEveryPersonWithTheNameEncodedOnACopy) {
  HaengePersonAn(
      Person("M\xFC"
             "ller Hans",
             "0A1B", "immer", 1, 200, "12"));
  HaengePersonAn(Person("\xC4rger \xDF", "FF", "nie", 0, 0, ""));
  HaengePersonAn(Person("Ott", "77", "werktags", 127, 128, "9999"));
  Quittiere();
  EXPECT_TRUE(s->SendePersonen(Status()));

  EXPECT_EQ(Befehle(), (std::vector<int>{48, 53, 53, 53}));
  EXPECT_EQ(Texte(), (std::vector<std::string>{"3", "M&ller!Hans 0A1B immer 1 -56 12", "#rger!$ FF nie 0 0 ",
                                               "Ott 77 werktags 127 -128 9999"}));
  for (const auto& c : komm.Sent()) {
    EXPECT_EQ(c.dest, kKabel);
    EXPECT_EQ(c.source, 768);
  }
  EXPECT_STREQ(Element(s->Personen, 0).Name,
               "M\xFC"
               "ller Hans");
  EXPECT_STREQ(Element(s->Personen, 1).Name, "\xC4rger \xDF");
  EXPECT_EQ(s->AnzahlPersonen, 3);
  ASSERT_EQ(komm.Calls(ScriptedKomm::Fn::SetParameter).size(), 1u);
  EXPECT_EQ(komm.Calls(ScriptedKomm::Fn::SetParameter)[0].ms, 2000);
  EXPECT_EQ(Fenster().Events(),
            (std::vector<std::string>{"Item.Position 0", "Item.Max 100", "Label2 Sende Personendaten ...",
                                      "Label1 Sende Personenanzahl", "Item.StepIt 1", "Item.Max 4",
                                      "Label1 Sende Person 1 von 3.", "Item.StepIt 2", "Label1 Sende Person 2 von 3.",
                                      "Item.StepIt 3", "Label1 Sende Person 3 von 3.", "Item.StepIt 4"}));
  EXPECT_TRUE(ZuletztGeschlossen());
}

TEST_F(TransferTest, SendingNoPersonsSendsOnlyTheCountAndKeepsTheBarAt100) {
  s->Personen.Clear();
  Quittiere();
  EXPECT_TRUE(s->SendePersonen(Status()));
  EXPECT_EQ(Texte(), (std::vector<std::string>{"0"}));
  EXPECT_EQ(Befehle(), (std::vector<int>{48}));
  EXPECT_EQ(Fenster().ItemBar().Max(), 100);
}

TEST_F(TransferTest, FailedPersonSendStopsWithItsSuffixAndClosesTheLink) {
  HaengePersonAn(Person("A", "1", "nie", 0, 0, ""));
  HaengePersonAn(Person("B", "2", "nie", 0, 0, ""));
  komm.Answer(3);
  komm.Answer(39);
  try {
    s->SendePersonen(Status());
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)\nbeim Senden der Personen/Karten");
  }
  EXPECT_EQ(Befehle(), (std::vector<int>{48, 53}));
  EXPECT_TRUE(ZuletztGeschlossen());
}

// ---- fetch persons ----

TEST_F(TransferTest, FetchReadsSixWordsDecodesTheNameAndStartsFromZero) {
  komm.Answer(48, " 3\r\n");
  komm.Answer(53, "M&ller!Hans 0A1B immer A B 12");
  komm.Answer(53, "Kurz 77 nie 5");  // four words: status 2 and code stay zero
  komm.Answer(53, "#rger/%&$ FF\twerktags\n1 -5 9999");
  Fenster().ClearEvents();

  EXPECT_TRUE(s->HolePersonen(Status()));

  EXPECT_EQ(Befehle(), (std::vector<int>{46, 51, 51, 51}));
  EXPECT_EQ(Texte(), (std::vector<std::string>{"", "0", "1", "2"}));
  ASSERT_EQ(s->Personen.Anzahl, 3);
  EXPECT_EQ(s->AnzahlPersonen, 3);
  EXPECT_EQ(Element(s->Personen, 0), Person("M\xFC"
                                            "ller Hans",
                                            "0A1B", "immer", 'A', 'B', "12"));
  EXPECT_EQ(Element(s->Personen, 1), Person("Kurz", "77", "nie", '5', 0, ""));
  EXPECT_EQ(Element(s->Personen, 2), Person("\xE4rger\xF6 \xFC\xDF", "FF", "werktags", '1', '-', "9999"));
  EXPECT_EQ(Fenster().Events(),
            (std::vector<std::string>{"Item.Position 0", "Item.Max 100", "Label2 Hole Personendaten ...",
                                      "Label1 Hole Personenanzahl", "Item.StepIt 1", "Item.Max 4",
                                      "Label1 Hole Person 1 von 3", "Item.StepIt 2", "Label1 Hole Person 2 von 3",
                                      "Item.StepIt 3", "Label1 Hole Person 3 von 3", "Item.StepIt 4"}));
  EXPECT_TRUE(ZuletztGeschlossen());
}

TEST_F(TransferTest, FetchOfNoPersonsEmptiesTheListWithOneTelegram) {
  HaengePersonAn(Person("Alt", "1", "nie", 0, 0, ""));
  komm.Answer(48, "0");
  EXPECT_TRUE(s->HolePersonen(Status()));
  EXPECT_EQ(s->Personen.Anzahl, 0);
  EXPECT_EQ(s->AnzahlPersonen, 0);
  EXPECT_EQ(komm.Sent().size(), 1u);
  EXPECT_EQ(Fenster().ItemBar().Max(), 100);
}

TEST_F(TransferTest, OverlongWordsAreCutToTheirFields) {
  const std::string lang(40, 'N');
  komm.Answer(48, "1");
  komm.Answer(53, lang + ' ' + std::string(30, 'K') + ' ' + std::string(20, 'P') + " xyz uvw " + std::string(9, 'C'));
  EXPECT_TRUE(s->HolePersonen(Status()));
  ASSERT_EQ(s->Personen.Anzahl, 1);
  EXPECT_EQ(Element(s->Personen, 0),
            Person(std::string(19, 'N'), std::string(24, 'K'), std::string(11, 'P'), 'x', 'u', "CCCC"));
}

struct AnzahlFall {
  const char* name;
  const char* antwort;
};

void PrintTo(const AnzahlFall& f, std::ostream* os) { *os << f.name; }

class UnbrauchbareAnzahlTest : public TransferTest, public ::testing::WithParamInterface<AnzahlFall> {};

TEST_P(UnbrauchbareAnzahlTest, IsRefusedAndTheDocumentKeepsItsPersons) {
  HaengePersonAn(Person("Bleibt", "1", "nie", 0, 0, ""));
  s->AnzahlPersonen = 1;
  komm.Answer(48, GetParam().antwort);
  try {
    s->HolePersonen(Status());
    ADD_FAILURE();
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Unbrauchbare Personenanzahl der Steuerung");
  }
  EXPECT_EQ(komm.Sent().size(), 1u);
  ASSERT_EQ(s->Personen.Anzahl, 1);
  EXPECT_STREQ(Element(s->Personen, 0).Name, "Bleibt");
  EXPECT_EQ(s->AnzahlPersonen, 1);
  EXPECT_TRUE(ZuletztGeschlossen());
}

INSTANTIATE_TEST_SUITE_P(Antworten, UnbrauchbareAnzahlTest,
                         ::testing::Values(AnzahlFall{"minus_eins", "-1"}, AnzahlFall{"text", "viele"},
                                           AnzahlFall{"leer", ""}, AnzahlFall{"zu_gross", "65536"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransferTest, FetchFailingPartWayLeavesTheDocumentsPersons) {
  HaengePersonAn(Person("Bleibt", "1", "nie", 0, 0, ""));
  s->AnzahlPersonen = 1;
  komm.Answer(48, "3");
  komm.Answer(53, "Neu 2 nie 0 0 1");
  komm.Answer(255);
  try {
    s->HolePersonen(Status());
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung,
              "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)\nbeim Lesen der Personen/Karten");
  }
  EXPECT_EQ(s->KommErgebnis, 3);
  ASSERT_EQ(s->Personen.Anzahl, 1);
  EXPECT_STREQ(Element(s->Personen, 0).Name, "Bleibt");
  EXPECT_EQ(s->AnzahlPersonen, 1);
  EXPECT_TRUE(ZuletztGeschlossen());
}

// Simulated transactions leave the reply buffer as it was, so the fetch reads the last real
// answer, here one that fills the whole buffer without a NUL.
TEST_F(TransferTest, SimulatedFetchReadsTheBufferWithinItsBounds) {
  s->SetFakeComm(true);
  std::memset(s->AntwortPuffer, 'K', sizeof s->AntwortPuffer);
  s->AntwortPuffer[0] = '1';
  s->AntwortPuffer[1] = ' ';
  EXPECT_TRUE(s->HolePersonen(Status()));
  EXPECT_TRUE(komm.Calls().empty());
  ASSERT_EQ(s->Personen.Anzahl, 1);
  EXPECT_EQ(Element(s->Personen, 0), Person("1", std::string(24, 'K'), "", 0, 0, ""));
}

}  // namespace
