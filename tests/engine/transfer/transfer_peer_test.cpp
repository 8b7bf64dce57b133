// The version query, the person transfer and the profile transfer with the real library against
// controller_peer, over loopback TCP and over a pseudo-terminal: what the controller received,
// what a fetch brings back into a new document, and the failure texts the user gets.
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "ScriptedPlattform.h"
#include "common/PeerProcess.h"
#include "common/TempOrdner.h"

namespace {

constexpr int kAdresse = 9;
constexpr int kComPort = 5;
constexpr int kKurzeAntwortzeitMs = 100;  // keeps the silent cases short

enum class Weg { Tcp, Pty };

std::string WegName(Weg w) { return w == Weg::Tcp ? "tcp" : "pty"; }
void PrintTo(Weg w, std::ostream* os) { *os << WegName(w); }

// A document object connected to the peer by TCP or by the pseudo-terminal as COM5, with the
// device address (no programming cable).
std::unique_ptr<TSteuerung> Verbunden(const TempOrdner& ordner, const ybrtest::PeerProcess& peer, Weg weg) {
  auto s = std::make_unique<TSteuerung>(2026, ordner.Pfad());
  s->Kabel = false;
  s->SetAdresse(kAdresse);
  if (weg == Weg::Tcp) {
    s->Page = 0;
    s->IP = "127.0.0.1";
    s->TCPPort = peer.TcpPort();
  } else {
    s->Page = 1;
    s->ComPort = kComPort;
    EXPECT_EQ(::setenv(("YBR_KOMM_COM" + std::to_string(kComPort)).c_str(), peer.PtyPath().c_str(), 1), 0);
  }
  return s;
}

std::vector<ybrtest::PeerTraceLine> Empfangen(ybrtest::PeerProcess& peer) {
  peer.Stop();
  std::vector<ybrtest::PeerTraceLine> rx;
  for (auto& line : peer.Trace()) {
    if (line.dir == "rx") rx.push_back(line);
  }
  return rx;
}

std::vector<int> Befehle(const std::vector<ybrtest::PeerTraceLine>& rx) {
  std::vector<int> befehle;
  for (const auto& line : rx) befehle.push_back(line.command);
  return befehle;
}

Zeitlinie Linie(int i) {
  Zeitlinie z;
  z.VonStunde = static_cast<std::uint8_t>(i % 24);
  z.VonMinute = static_cast<std::uint8_t>((i * 5) % 60);
  z.BisStunde = static_cast<std::uint8_t>(1 + i % 24);
  z.BisMinute = static_cast<std::uint8_t>((i * 15) % 60);
  z.Tage = static_cast<std::uint16_t>(TAG_BENUTZT | ((i * 37) & 0x7FF));
  z.Tueren = static_cast<std::uint16_t>((i % 2 == 0 ? 0x01 : 0x20) | ((i % 3 == 0) ? 0x04 : 0x00));
  return z;
}

// kPersonen persons with blanks and umlauts in their names (each first name twice, one
// without a code), 20 profiles, three door profiles and
// device data of an "RA 20" (the type the peer reports).
constexpr int kPersonen = 8;

void FuelleDokument(TSteuerung& s) {
  const char* const vornamen[] = {"M\xFCller Hans", "J\xFCrgen Gro\xDF", "\xE4nne B\xF6hm",
                                  ("Kai Stra\xDF"
                                   "e")};
  s.Personen.Clear();
  for (int i = 0; i < kPersonen; ++i) {
    auto p = std::make_unique<PERSON>();
    SchreibeText(p->Name, std::string(vornamen[i % 4]) + ' ' + std::to_string(i));
    SchreibeText(p->Karte, "0A1B2C3D" + std::to_string(1000 + i));
    SchreibeText(p->Profil, "Profil" + std::to_string(i % 20));
    p->Status1 = static_cast<std::uint8_t>(1 + i % 7);
    p->Status2 = static_cast<std::uint8_t>(0x80 + i % 100);
    SchreibeText(p->Code, i % 10 == 0 ? std::string() : std::to_string(1000 + i));
    HaengeAn(s.Personen, std::move(p));
  }
  s.Profile.Clear();
  for (int i = 0; i < 20; ++i) {
    auto p = std::make_unique<PROFIL>();
    SchreibeText(p->Name, (i % 2 == 0 ? "Fr\xFCh " : "Sp\xE4t ") + std::to_string(i));
    for (int k = 0; k <= i % 18; ++k) p->Zeitlinien[k] = Linie(i * 18 + k);
    HaengeAn(s.Profile, std::move(p));
  }
  s.Tuerprofile.Clear();
  for (int j = 0; j < 3; ++j) {
    auto t = std::make_unique<TUERPROFIL>();
    t->Ueberwachungszeit = j == 0 ? 2147483647 : 30 + j;
    t->Freigabezeit = j == 1 ? -2147483647 - 1 : 5 + j;
    for (int k = 0; k < 6; ++k) t->Zeitlinien[k] = Linie(100 + j * 6 + k);
    HaengeAn(s.Tuerprofile, std::move(t));
  }
  s.Geraetedaten.Flags = GD_TUER1 | GD_TUER2 | GD_TYP_RA20 | GD_TUER1_OHNE_LESER | GD_ANTIPASSBACK;
  SchreibeText(s.Geraetedaten.NameTuer1, "Haupt T\xFCr");
  SchreibeText(s.Geraetedaten.NameTuer2,
               "Gro\xDF"
               "e Halle");
  s.Geraetetyp = 1;
}

class PeerTransferTest : public ::testing::TestWithParam<Weg> {
 protected:
  PeerTransferTest() { plattform.Window().Item().SetStep(1); }

  ScriptedPlattform plattform;
  TempOrdner ordner;
  TempOrdner ordnerB;
};

TEST_P(PeerTransferTest, SentDocumentComesBackFieldByField) {
  ybrtest::PeerProcess peer({"--address", std::to_string(kAdresse)});
  auto a = Verbunden(ordner, peer, GetParam());
  FuelleDokument(*a);
  a->GetVersion();
  EXPECT_EQ(a->FirmwareNummer, 301);
  EXPECT_EQ(a->GemeldeterTyp, 1);
  EXPECT_TRUE(a->SendePersonen(plattform.Window()));
  EXPECT_TRUE(a->SendeProfile(plattform.Window()));

  auto b = Verbunden(ordnerB, peer, GetParam());
  b->GetVersion();
  EXPECT_TRUE(b->HolePersonen(plattform.Window()));
  EXPECT_EQ(plattform.Window().Label1(),
            "Hole Person " + std::to_string(kPersonen) + " von " + std::to_string(kPersonen));
  EXPECT_TRUE(b->HoleProfile(plattform.Window()));
  EXPECT_EQ(plattform.Window().Label1(), "Hole Türprofil 3 von 3");

  ASSERT_EQ(b->Personen.Anzahl, kPersonen);
  EXPECT_EQ(b->AnzahlPersonen, kPersonen);
  for (int i = 0; i < kPersonen; ++i) EXPECT_EQ(Element(b->Personen, i), Element(a->Personen, i)) << "person " << i;
  ASSERT_EQ(b->Profile.Anzahl, 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Element(b->Profile, i), Element(a->Profile, i)) << "profile " << i;
  ASSERT_EQ(b->Tuerprofile.Anzahl, 3);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(Element(b->Tuerprofile, j), Element(a->Tuerprofile, j)) << "door " << j;
  EXPECT_EQ(b->Geraetedaten.Flags, a->Geraetedaten.Flags);
  EXPECT_STREQ(b->Geraetedaten.NameTuer1, a->Geraetedaten.NameTuer1);
  EXPECT_STREQ(b->Geraetedaten.NameTuer2, a->Geraetedaten.NameTuer2);
  EXPECT_EQ(b->Geraetetyp, 1);

  const auto rx = Empfangen(peer);
  std::vector<int> erwartet = {75, 48};
  erwartet.insert(erwartet.end(), kPersonen, 53);
  erwartet.insert(erwartet.end(), {27, 57});
  erwartet.insert(erwartet.end(), 20, 60);
  erwartet.push_back(68);
  erwartet.insert(erwartet.end(), 3, 72);
  erwartet.insert(erwartet.end(), {75, 46});
  erwartet.insert(erwartet.end(), kPersonen, 51);
  erwartet.insert(erwartet.end(), {24, 54});
  erwartet.insert(erwartet.end(), 20, 58);
  erwartet.push_back(66);
  erwartet.insert(erwartet.end(), 3, 71);
  ASSERT_EQ(Befehle(rx), erwartet);
  for (const auto& line : rx) {
    EXPECT_EQ(line.src, 768);
    EXPECT_EQ(line.dst, kAdresse);
  }
  EXPECT_EQ(rx[0].text, "");
  EXPECT_EQ(rx[1].text, std::to_string(kPersonen));
  EXPECT_EQ(rx[2].text, "M&ller!Hans!0 0A1B2C3D1000 Profil0 1 -128 ");
  EXPECT_EQ(rx[3].text, "J&rgen!Gro$!1 0A1B2C3D1001 Profil1 2 -127 1001");
  EXPECT_EQ(rx[2 + kPersonen].text, "37123 Haupt!T&r Gro$e!Halle");
  EXPECT_EQ(rx[3 + kPersonen].text, "20");
  EXPECT_EQ(rx[4 + kPersonen].text.substr(0, 28), "Fr&h!0 0 {A.A.B.A.4096.5},{A");
  EXPECT_EQ(rx[24 + kPersonen].text, "3");
  EXPECT_EQ(rx[25 + kPersonen].text,
            "0 2147483647 5 {E.U.F.A.5748.1}, {F.Z.G.P.5785.32},{G._.H._.5822.5},"
            " {H.d.I.n.5859.32},{I.i.J.A.5896.1}, {J.n.K.P.5933.36}");
  EXPECT_EQ(rx[26 + kPersonen].text.substr(0, 18), "1 31 -2147483648 {");
  EXPECT_EQ(rx[29 + kPersonen].text, "");
  EXPECT_EQ(rx[30 + kPersonen].text, "0");
  EXPECT_EQ(rx[29 + 2 * kPersonen].text, std::to_string(kPersonen - 1));
}

TEST_P(PeerTransferTest, SilentControllerNamesThePortOrTheAddress) {
  ybrtest::PeerProcess peer({"--address", std::to_string(kAdresse), "--fault", "75:silent"});
  auto s = Verbunden(ordner, peer, GetParam());
  s->Komm->SetParameter(kKurzeAntwortzeitMs);
  try {
    s->GetVersion();
    ADD_FAILURE() << "no exception";
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, std::string("Steuerung antwortet nicht\nauf Anschluß ") +
                             (GetParam() == Weg::Tcp ? "127.0.0.1" : "Com5"));
  }
  EXPECT_EQ(s->KommErgebnis, 1);
  const auto rx = Empfangen(peer);
  ASSERT_EQ(rx.size(), 3u);
  EXPECT_EQ(rx[0].number, 1);
  EXPECT_EQ(rx[1].number, 65);
  EXPECT_EQ(rx[2].number, 65);
}

INSTANTIATE_TEST_SUITE_P(Wege, PeerTransferTest, ::testing::Values(Weg::Tcp, Weg::Pty),
                         [](const auto& info) { return WegName(info.param); });

// ---- failure texts, over TCP ----

struct FehlerFall {
  const char* name;
  const char* fault;
  enum Op { Version, SendePersonen, HolePersonen, SendeProfile, HoleProfile } op;
  std::string meldung;
  std::vector<int> befehle;  // what the controller received
};

const std::string kNumNa = "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)";
const std::string kUnbekannt = "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)";

void PrintTo(const FehlerFall& f, std::ostream* os) { *os << f.name; }

class PeerFehlerTest : public ::testing::TestWithParam<FehlerFall> {
 protected:
  ScriptedPlattform plattform;
  TempOrdner ordner;
};

TEST_P(PeerFehlerTest, CarriesTheOperationsSuffix) {
  const FehlerFall& f = GetParam();
  ybrtest::PeerProcess peer({"--address", std::to_string(kAdresse), "--fault", f.fault});
  auto s = Verbunden(ordner, peer, Weg::Tcp);
  plattform.Window().Item().SetStep(1);
  try {
    switch (f.op) {
      case FehlerFall::Version: s->GetVersion(); break;
      case FehlerFall::SendePersonen: s->SendePersonen(plattform.Window()); break;
      case FehlerFall::HolePersonen: s->HolePersonen(plattform.Window()); break;
      case FehlerFall::SendeProfile: s->SendeProfile(plattform.Window()); break;
      case FehlerFall::HoleProfile: s->HoleProfile(plattform.Window()); break;
    }
    ADD_FAILURE() << "no exception";
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, f.meldung);
  }
  EXPECT_EQ(Befehle(Empfangen(peer)), f.befehle);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, PeerFehlerTest,
    ::testing::Values(FehlerFall{"version_39", "75:numna", FehlerFall::Version, kNumNa + "\nbeiVersionsabfrage", {75}},
                      FehlerFall{
                          "version_255", "75:unknown", FehlerFall::Version, kUnbekannt + "\nbeiVersionsabfrage", {75}},
                      FehlerFall{"send_persons_39",
                                 "48:numna",
                                 FehlerFall::SendePersonen,
                                 kNumNa + "\nbeim Senden der Personen/Karten",
                                 {48}},
                      FehlerFall{"fetch_persons_255",
                                 "46:unknown",
                                 FehlerFall::HolePersonen,
                                 kUnbekannt + "\nbeim Lesen der Personen/Karten",
                                 {46}},
                      FehlerFall{"send_profiles_255",
                                 "60:unknown:1",
                                 FehlerFall::SendeProfile,
                                 kUnbekannt + "\nbeim Senden der Zutrittsprofile",
                                 {27, 57, 60}},
                      FehlerFall{"fetch_profiles_39",
                                 "24:numna",
                                 FehlerFall::HoleProfile,
                                 kNumNa + "\nbeim Lesen der Zutrittsprofile",
                                 {24}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PeerLeererSpeicher, FetchFromAnEmptyControllerKeepsTheDocument) {
  ScriptedPlattform plattform;
  TempOrdner ordner;
  ybrtest::PeerProcess peer({"--address", std::to_string(kAdresse)});
  auto s = Verbunden(ordner, peer, Weg::Tcp);
  FuelleDokument(*s);
  s->Dateiname = ordner / "kunde.zut";
  const PROFIL erstes = Element(s->Profile, 0);
  try {
    s->HoleProfile(plattform.Window());
    ADD_FAILURE() << "no exception";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung hat leeren Flash, Daten holen unmöglich.");
  }
  EXPECT_EQ(s->Profile.Anzahl, 20);
  EXPECT_EQ(Element(s->Profile, 0), erstes);
  EXPECT_EQ(s->Personen.Anzahl, kPersonen);
  EXPECT_EQ(s->Dateiname, ordner / "kunde.zut");
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "Haupt T\xFCr");
  EXPECT_EQ(Befehle(Empfangen(peer)), (std::vector<int>{24}));
}

struct VersionFall {
  const char* name;
  const char* firmware;
  int nummer;
  bool alt;
  int typ;
};

void PrintTo(const VersionFall& f, std::ostream* os) { *os << f.name; }

class PeerVersionTest : public ::testing::TestWithParam<VersionFall> {};

TEST_P(PeerVersionTest, ReadsTheControllersAnswer) {
  ScriptedPlattform plattform;
  TempOrdner ordner;
  ybrtest::PeerProcess peer({"--address", std::to_string(kAdresse), "--firmware", GetParam().firmware});
  auto s = Verbunden(ordner, peer, Weg::Tcp);
  s->GetVersion();
  EXPECT_EQ(s->FirmwareNummer, GetParam().nummer);
  EXPECT_EQ(s->AlteFirmware, GetParam().alt);
  EXPECT_EQ(s->GemeldeterTyp, GetParam().typ);
}

INSTANTIATE_TEST_SUITE_P(Antworten, PeerVersionTest,
                         ::testing::Values(VersionFall{"ra20", "SIM VI20 V.03.01.07", 301, false, 1},
                                           VersionFall{"zo10", "SIM ZO10 V.02.17.33", 217, false, 0},
                                           VersionFall{"old_zo10", "ZO10 Version 1.4", 0, true, 0},
                                           VersionFall{"old_ra20", "VI20 1.9", 0, true, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PeerVersion, FirmwareTextWithoutANumberIsRefused) {
  ScriptedPlattform plattform;
  TempOrdner ordner;
  ybrtest::PeerProcess peer({"--address", std::to_string(kAdresse), "--firmware", "SIM V.0a.bc.de"});
  auto s = Verbunden(ordner, peer, Weg::Tcp);
  try {
    s->GetVersion();
    ADD_FAILURE() << "no exception";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Unbrauchbare Versionsantwort der Steuerung");
  }
  EXPECT_EQ(s->FirmwareNummer, 0);
}

}  // namespace
