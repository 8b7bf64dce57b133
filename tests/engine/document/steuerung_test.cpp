// The document object: construction from Wup.ini, the new document, the settings, the
// protocol log and the shutdown that writes the configuration back.
#include "document/Steuerung.h"

#include <vector>

#include <gtest/gtest.h>

#include "document/IniDatei.h"
#include "document/ProgrammOrdner.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "ScriptedPlattform.h"
#include "common/TempOrdner.h"

namespace {

constexpr std::uint16_t kJahr = 2026;

class SteuerungTest : public ::testing::Test {
 protected:
  SteuerungTest() { plattform.SetNow({2026, 12, 10, 9, 5, 7, 4}); }
  void TearDown() override { plattform.VerifyAllBoxesShown(); }

  std::unique_ptr<TSteuerung> Neu() { return std::make_unique<TSteuerung>(kJahr, ordner.Pfad()); }
  void Konfiguration(const std::string& inhalt) { SchreibeDatei(ordner / "Wup.ini", inhalt); }

  ScriptedPlattform plattform;
  TempOrdner ordner;
};

TEST_F(SteuerungTest, WithoutConfigurationTheDefaultsHoldAndBeendenWritesTheSevenKeys) {
  auto s = Neu();
  EXPECT_EQ(s->Page, 1);
  EXPECT_EQ(s->ComPort, 2);
  EXPECT_EQ(s->GetAdresse(), 9);
  EXPECT_TRUE(s->Kabel);
  EXPECT_EQ(s->IP, "127.0.0.1");
  EXPECT_EQ(s->TCPPort, 10001);
  EXPECT_FALSE(s->Protokoll);
  EXPECT_FALSE(s->ProtokollDatei);
  EXPECT_FALSE(s->FakeComm());
  EXPECT_FALSE(Existiert(ordner / "Wup.ini"));

  s->Beenden();
  EXPECT_EQ(LiesDatei(ordner / "Wup.ini"),
            "[Global]\r\nPage=1\r\nLOG=0\r\n\r\n"
            "[Network]\r\nIP=127.0.0.1\r\nTCPPort=10001\r\n\r\n"
            "[Comm]\r\nport=2\r\nAdress=9\r\nCable=1\r\n");
  EXPECT_EQ(s->Profile.Anzahl, 0);
  EXPECT_EQ(s->Tuerprofile.Anzahl, 0);
}

TEST_F(SteuerungTest, ConfiguredValuesAreReadAndWrittenBack) {
  Konfiguration("[Global]\nPage=0\n[Network]\nIP=10.0.0.5\nTCPPort=4001\n[Comm]\nport=7\nAdress=15\nCable=0\n");
  auto s = Neu();
  EXPECT_EQ(s->Page, 0);
  EXPECT_EQ(s->IP, "10.0.0.5");
  EXPECT_EQ(s->TCPPort, 4001);
  EXPECT_EQ(s->ComPort, 7);
  EXPECT_EQ(s->Adresse, 15);
  EXPECT_FALSE(s->Kabel);
  s->ComPort = 4;
  s->Beenden();
  const TIniDatei ini(ordner / "Wup.ini");
  EXPECT_EQ(ini.LeseZahl("Comm", "port", 0), 4);
  EXPECT_EQ(ini.LeseZahl("Comm", "Adress", 0), 15);
  EXPECT_EQ(ini.LeseText("Comm", "Cable", ""), "0");
}

TEST_F(SteuerungTest, AnIpTextWithALineBreakLeavesTheConfiguredHostInWupIni) {
  Konfiguration("[Global]\nPage=0\nLOG=0\n[Network]\nIP=10.0.0.5\n");
  auto s = Neu();
  s->IP = "10.0.0.1\n[Global]\nLOG=1";
  s->Beenden();
  EXPECT_EQ(LiesDatei(ordner / "Wup.ini"),
            "[Global]\nPage=0\nLOG=0\n[Network]\nIP=10.0.0.5\nTCPPort=10001\n\n[Comm]\nport=2\nAdress=9\nCable=1\n");
}

TEST_F(SteuerungTest, AnAddressOutside0To15ReadsAs9AndIsWrittenBackAs9) {
  for (const char* wert : {"16", "-1", "x"}) {
    Konfiguration(std::string("[Comm]\nAdress=") + wert + "\n");
    auto s = Neu();
    EXPECT_EQ(s->GetAdresse(), 9) << wert;
    s->Beenden();
    EXPECT_EQ(TIniDatei(ordner / "Wup.ini").LeseText("Comm", "Adress", ""), "9") << wert;
  }
}

TEST_F(SteuerungTest, NonNumericValuesGiveTheDefaults) {
  Konfiguration("[Global]\nPage=seriell\nLOG=ja\n[Network]\nTCPPort=\n[Comm]\nport=COM3\nCable=nein\n");
  auto s = Neu();
  EXPECT_EQ(s->Page, 1);
  EXPECT_EQ(s->TCPPort, 10001);
  EXPECT_EQ(s->ComPort, 2);
  EXPECT_TRUE(s->Kabel);
  EXPECT_FALSE(s->Protokoll);
}

TEST_F(SteuerungTest, SetAdresseTakesOnly0To15) {
  auto s = Neu();
  for (const auto& [a, erwartet] : std::vector<std::pair<int, int>>{{0, 0}, {15, 15}, {16, 9}, {-1, 9}, {3, 3}}) {
    s->SetAdresse(a);
    EXPECT_EQ(s->GetAdresse(), erwartet) << a;
  }
}

TEST_F(SteuerungTest, OtherSectionsAndKeysOfTheConfigurationAreKept) {
  Konfiguration("; Anlage Haupteingang\r\n[Global]\r\nPage=1\r\nSprache=de\r\n\r\n[Fenster]\r\nX=10\r\n");
  auto s = Neu();
  s->Beenden();
  EXPECT_EQ(LiesDatei(ordner / "Wup.ini"),
            "; Anlage Haupteingang\r\n[Global]\r\nPage=1\r\nSprache=de\r\nLOG=0\r\n\r\n[Fenster]\r\nX=10\r\n\r\n"
            "[Network]\r\nIP=127.0.0.1\r\nTCPPort=10001\r\n\r\n"
            "[Comm]\r\nport=2\r\nAdress=9\r\nCable=1\r\n");
}

TEST_F(SteuerungTest, ALogSwitchedOnInTheConfigurationIsNamedAfterThePortAndWrittenBackAsOn) {
  Konfiguration("[Global]\nLOG=1\nPage=1\n[Comm]\nport=3\n");
  auto s = Neu();
  ASSERT_TRUE(s->Protokoll);
  ASSERT_TRUE(s->ProtokollDatei);
  const std::string log = ordner / "log_Com3.log";
  std::fflush(s->ProtokollDatei.get());
  EXPECT_EQ(LiesDatei(log), "\nBeginn Protokoll: 10.12.2026 9:5:7 \n- - - - \n");

  s->SetProtokoll(1);  // already on: nothing written, still open
  std::fflush(s->ProtokollDatei.get());
  EXPECT_EQ(LiesDatei(log), "\nBeginn Protokoll: 10.12.2026 9:5:7 \n- - - - \n");

  plattform.SetNow({2026, 12, 10, 17, 30, 0, 4});
  s->Beenden();
  EXPECT_FALSE(s->Protokoll);
  EXPECT_FALSE(s->ProtokollDatei);
  EXPECT_TRUE(TIniDatei(ordner / "Wup.ini").LeseBool("Global", "LOG", false));
  EXPECT_EQ(LiesDatei(log),
            "\nBeginn Protokoll: 10.12.2026 9:5:7 \n- - - - \n\nEnde Protokoll: 10.12.2026 17:30:0 \n- - - - \n");
}

TEST_F(SteuerungTest, SwitchingTheLogOffWhileOffDoesNothing) {
  auto s = Neu();
  s->SetProtokoll(0);
  EXPECT_FALSE(s->Protokoll);
  EXPECT_EQ(Inhalt(ordner.Pfad()), std::vector<std::string>{"temp.bks"});
}

TEST_F(SteuerungTest, TheLogFileNameIsSafeForEveryIpTextAndPort) {
  struct Fall {
    int page;
    int port;
    std::string ip;
    std::string name;
  };
  for (const Fall& f : std::vector<Fall>{{0, 2, "192.168.0.10", "log_192.168.0.10.log"},
                                         {0, 2, "../../etc/x y", "log_.._.._etc_x_y.log"},
                                         {0, 2, "", "log_.log"},
                                         {1, 24, "", "log_Com24.log"},
                                         {1, 30, "", "log_Com30.log"},
                                         {1, 0, "", "log_Com0.log"}}) {
    auto s = Neu();
    s->Page = f.page;
    s->ComPort = f.port;
    s->IP = f.ip;
    s->SetProtokoll(1);
    EXPECT_TRUE(Existiert(ordner / f.name)) << f.name;
    s->SetProtokoll(0);
  }
}

TEST_F(SteuerungTest, ALogThatCannotBeOpenedAtStartIsReportedAndTheProgramStartsWithTheLogOff) {
  Konfiguration("[Global]\nLOG=1\n");
  std::filesystem::create_directory(ordner / "log_Com2.log");
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Fehler beim Öffnen der \nProtokollierungsdatei*.log");
  auto s = Neu();
  EXPECT_FALSE(s->Protokoll);
  EXPECT_FALSE(s->ProtokollDatei);
  try {
    s->SetProtokoll(1);
    FAIL() << "no IoError";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Fehler beim Öffnen der \nProtokollierungsdatei*.log");
  }
  EXPECT_FALSE(s->Protokoll);
}

TEST_F(SteuerungTest, TheNewDocument) {
  auto s = Neu();
  EXPECT_FALSE(s->DatenGespeichert);
  EXPECT_TRUE(s->BuchungenGespeichert);
  EXPECT_FALSE(s->DokumentGeladen);
  EXPECT_FALSE(s->BuchungenGeladen);
  EXPECT_EQ(s->AktuellesJahr, kJahr);

  EXPECT_EQ(s->Feiertagstabelle[0], 0x3FFF);
  for (std::size_t i = 1; i < s->Feiertagstabelle.size(); ++i) ASSERT_EQ(s->Feiertagstabelle[i], 0) << i;
  EXPECT_EQ(s->AnzahlFeiertage, 1);

  ASSERT_EQ(s->Profile.Anzahl, 3);
  EXPECT_STREQ(Element(s->Profile, 0).Name, "nie");
  EXPECT_STREQ(Element(s->Profile, 1).Name, "immer");
  EXPECT_STREQ(Element(s->Profile, 2).Name, "werktags");
  EXPECT_EQ(s->Personen.Anzahl, 0);
  EXPECT_EQ(s->Buchungen.Anzahl, 0);
  EXPECT_EQ(s->SWUmschaltungen.Anzahl, 0);
  ASSERT_EQ(s->Tuerprofile.Anzahl, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Element(s->Tuerprofile, i).Ueberwachungszeit, 30);
    EXPECT_EQ(Element(s->Tuerprofile, i).Freigabezeit, 5);
  }

  EXPECT_EQ(s->Dateiname, ordner / "temp");
  EXPECT_EQ(s->BuchungsDateiname, ordner / "temp.bks");
  ASSERT_TRUE(Existiert(ordner / "temp.bks"));
  EXPECT_EQ(std::filesystem::file_size(ordner / "temp.bks"), 0U);

  EXPECT_EQ(std::string(s->Geraetedaten.NameTuer1, 6), std::string("T\xFCr 1\0", 6));
  EXPECT_EQ(std::string(s->Geraetedaten.NameTuer2, 6), std::string("T\xFCr 2\0", 6));
  EXPECT_EQ(s->Geraetedaten.Flags, 0x3001U);
  EXPECT_EQ(s->Geraetedaten.Bezugsjahr, kJahr);
  EXPECT_EQ(s->LeserTuerZuordnung, 1);
  EXPECT_EQ(s->NameSondertag1, "Sondertag1");
  EXPECT_EQ(s->NameSondertag2, "Sondertag2");
  EXPECT_EQ(s->Geraetetyp, 0);
  EXPECT_FALSE(s->AlteFirmware);
}

TEST_F(SteuerungTest, NewEmptiesTheDocumentAndTruncatesTheBookingsFile) {
  auto s = Neu();
  HaengeAn(s->Personen, std::make_unique<PERSON>());
  HaengeAn(s->Buchungen, std::make_unique<books>());
  HaengeAn(s->SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>());
  s->Feiertagstabelle[0] = FT_FEIERTAG | 5;
  s->Feiertagstabelle[1] = FT_ENDE;
  s->Geraetedaten.Flags = 0x8107;
  s->Geraetetyp = 1;
  s->AlteFirmware = true;
  s->DatenGespeichert = true;
  s->BuchungenGespeichert = false;
  SchreibeDatei(ordner / "temp.bks", std::string(62, 'x'));
  s->New();
  EXPECT_EQ(s->Personen.Anzahl, 0);
  EXPECT_EQ(s->Buchungen.Anzahl, 0);
  EXPECT_EQ(s->SWUmschaltungen.Anzahl, 0);
  EXPECT_EQ(s->Profile.Anzahl, 3);
  EXPECT_EQ(s->Tuerprofile.Anzahl, 3);
  EXPECT_EQ(s->Feiertagstabelle[0], FT_ENDE);
  EXPECT_EQ(s->Feiertagstabelle[1], 0);
  EXPECT_EQ(s->Geraetedaten.Flags, 0x3001U);
  EXPECT_EQ(s->Geraetetyp, 0);
  EXPECT_FALSE(s->AlteFirmware);
  EXPECT_EQ(std::filesystem::file_size(ordner / "temp.bks"), 0U);
  // The window that calls New sets the saved flags.
  EXPECT_TRUE(s->DatenGespeichert);
  EXPECT_FALSE(s->BuchungenGespeichert);
}

TEST_F(SteuerungTest, ABookingsFileThatCannotBeCreatedRaisesIoError) {
  SchreibeDatei(ordner / "datei", "");
  try {
    TSteuerung s(kJahr, ordner / "datei/");
    FAIL() << "no IoError";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Fehler beim Öffnen der Datei" + (ordner / "datei/temp.bks"));
  }
}

TEST_F(SteuerungTest, TheSimulationSwitchLivesInTheLinkWrapperAndNewLeavesIt) {
  auto s = Neu();
  s->SetFakeComm(true);
  EXPECT_TRUE(s->FakeComm());
  EXPECT_TRUE(s->Komm->IstFake());
  s->New();
  EXPECT_TRUE(s->FakeComm());
  s->Komm->SetFake(false);
  EXPECT_FALSE(s->FakeComm());
}

TEST(ProgrammOrdner, TheExecutablesFolderWhenWritableElseTheConfigurationFolder) {
  TempOrdner ordner;
  EXPECT_EQ(ProgrammOrdnerFuer(ordner.Pfad().substr(0, ordner.Pfad().size() - 1)), ordner.Pfad());

  const char* vorher = std::getenv("XDG_CONFIG_HOME");
  const std::string gesichert = vorher != nullptr ? vorher : "";
  setenv("XDG_CONFIG_HOME", (ordner / "conf").c_str(), 1);
  const std::string ersatz = ProgrammOrdnerFuer(ordner / "gibt/es/nicht");
  if (vorher != nullptr) {
    setenv("XDG_CONFIG_HOME", gesichert.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
  EXPECT_EQ(ersatz, ordner / "conf/Veltrin_Access_Rizoroda/");
  EXPECT_TRUE(std::filesystem::is_directory(ersatz));
}

TEST(ProgrammOrdner, IsTheFolderOfTheRunningTestProgram) {
  EXPECT_EQ(ProgrammOrdner(), std::string(YBR_BIN_DIR) + "/");
}

}  // namespace
