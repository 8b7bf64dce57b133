// Setting the controller's clock and fetching the bookings: the clock text, the booking parse,
// the acknowledgement by firmware, the failure boxes and what stays in the list, against a
// scripted controller and end to end with the real library against controller_peer.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "link/TelegrammTexte.h"
#include "model/ListenZugriff.h"

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "TransferFixture.h"

namespace {

using transfertest::Weg;

// Cases print as their name, so that test names stay the same from build to build.
template <typename Fall>
requires requires(const Fall& f) { f.name; }
void PrintTo(const Fall& fall, std::ostream* os) { *os << fall.name; }

constexpr const char* kFirmware300 = "SIM VI20 V.03.00.00";
constexpr const char* kFirmware299 = "SIM VI20 V.02.99.00";
constexpr const char* kKeineAntwort = "Steuerung antwortet nicht\nauf Anschluß ";

std::string Buchungstext(int i) {
  return "2026.03.07.14.05." + std::to_string(10 + i) + ".04A1CARD" + std::to_string(i) + " M&ller!Hans 513";
}

// ---- the booking answer ----

struct ParseFall {
  const char* name;
  std::string antwort;
  books erwartet;
};

books Buchung(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag, std::uint16_t stunde, std::uint16_t minute,
              std::uint16_t sekunde, const std::string& karte = "", const std::string& name = "", std::uint8_t e1 = 0,
              std::uint8_t e2 = 0) {
  books b;
  b.Jahr = jahr;
  b.Monat = monat;
  b.Tag = tag;
  b.Stunde = stunde;
  b.Minute = minute;
  b.Sekunde = sekunde;
  SchreibeText(b.Karte, karte);
  SchreibeText(b.Name, name);
  b.Ereignis1 = e1;
  b.Ereignis2 = e2;
  return b;
}

class BuchungsparseTest : public ::testing::TestWithParam<ParseFall> {};

TEST_P(BuchungsparseTest, ReadsThePartsInOrderUpToTheFirstMismatch) {
  books b;
  LiesBuchung(GetParam().antwort, b);
  const books& e = GetParam().erwartet;
  EXPECT_EQ(b.Jahr, e.Jahr);
  EXPECT_EQ(b.Monat, e.Monat);
  EXPECT_EQ(b.Tag, e.Tag);
  EXPECT_EQ(b.Stunde, e.Stunde);
  EXPECT_EQ(b.Minute, e.Minute);
  EXPECT_EQ(b.Sekunde, e.Sekunde);
  EXPECT_EQ(LiesText(b.Karte), LiesText(e.Karte));
  EXPECT_EQ(LiesText(b.Name), LiesText(e.Name));
  EXPECT_EQ(b.Ereignis1, e.Ereignis1);
  EXPECT_EQ(b.Ereignis2, e.Ereignis2);
  EXPECT_EQ(b, e);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BuchungsparseTest,
    ::testing::Values(
        ParseFall{"complete", "2026.03.07.14.05.09.04A1002468 M&ller!Hans 513",
                  Buchung(2026, 3, 7, 14, 5, 9, "04A1002468", "M&ller!Hans", 0x01, 0x02)},
        ParseFall{"stops_after_the_seconds", "2026.03.07.14.05.09.", Buchung(2026, 3, 7, 14, 5, 9)},
        ParseFall{"no_point_after_the_seconds", "2026.03.07.14.05.09 K N 1", Buchung(2026, 3, 7, 14, 5, 9)},
        ParseFall{"white_space_before_numbers", " 2026. 3. 7. 14. 5. 9.K\tN  9",
                  Buchung(2026, 3, 7, 14, 5, 9, "K", "N", 9)},
        ParseFall{"year_of_five_digits_takes_four", "20261.03.07.14.05.09.K N 1", Buchung(2026, 0, 0, 0, 0, 0)},
        ParseFall{"month_of_three_digits_takes_two", "2026.123.07.14.05.09.K N 1", Buchung(2026, 12, 0, 0, 0, 0)},
        ParseFall{"the_sign_counts_in_the_width", "+2026.03.07.14.05.09.K N 1", Buchung(202, 0, 0, 0, 0, 0)},
        ParseFall{"negative_numbers_keep_their_low_bits", "2026.03.07.-1.05.09.K N -513",
                  Buchung(2026, 3, 7, 0xFFFF, 5, 9, "K", "N", 0xFF, 0xFD)},
        ParseFall{"numbers_beyond_16_bits_keep_their_low_bits", "2026.03.07.14.65541.09.K N 1",
                  Buchung(2026, 3, 7, 14, 5, 9, "K", "N", 1)},
        ParseFall{"long_card_and_name_are_cut_to_their_fields",
                  "2026.03.07.14.05.09.0123456789012345678901234567890 ABCDEFGHIJKLMNOPQRSTUVWXYZ 1",
                  Buchung(2026, 3, 7, 14, 5, 9, "012345678901234567890123", "ABCDEFGHIJKLMNOPQRST", 1)},
        ParseFall{"event_keeps_its_two_low_bytes", "2026.03.07.14.05.09.K N 70000",
                  Buchung(2026, 3, 7, 14, 5, 9, "K", "N", 0x70, 0x11)},
        ParseFall{"event_not_a_number", "2026.03.07.14.05.09.K N x", Buchung(2026, 3, 7, 14, 5, 9, "K", "N")},
        ParseFall{"event_beyond_32_bits", "2026.03.07.14.05.09.K N 4294967296",
                  Buchung(2026, 3, 7, 14, 5, 9, "K", "N")},
        ParseFall{"card_without_name", "2026.03.07.14.05.09.K", Buchung(2026, 3, 7, 14, 5, 9, "K")},
        ParseFall{"empty", "", Buchung(0, 0, 0, 0, 0, 0)}, ParseFall{"no_number", "abc", Buchung(0, 0, 0, 0, 0, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- against a scripted controller ----

class BuchungenTest : public ::testing::Test {
 protected:
  BuchungenTest() : s(2026) {
    s->ComPort = 2;
    // The 60 ms pauses pass at once.
    plattform.UseManualClock(0, 30);
    plattform.SetNow({2026, 3, 7, 14, 5, 9, 6});
  }
  void TearDown() override { plattform.VerifyAllBoxesShown(); }

  std::vector<int> Befehle() const { return komm.SentCommands(); }
  std::size_t Geoeffnet() const { return komm.Calls(ScriptedKomm::Fn::OpenKommSer).size(); }
  std::size_t Geschlossen() const { return komm.Calls(ScriptedKomm::Fn::CloseKommunikation).size(); }
  // A controller with `anzahl` bookings; from booking request `ausfall` (1-based) on it answers `code`.
  void Controller(const std::string& firmware, const std::string& anzahl, int ausfall = 0, int code = 0) {
    auto anfragen = std::make_shared<int>(0);
    komm.SetResponder([=](const ScriptedKomm::Call& c) -> ScriptedKomm::Reply {
      switch (c.command) {
        case 75: return {77, firmware};
        case 10: return {12, anzahl};
        case 5: {
          const int n = ++*anfragen;
          if (ausfall > 0 && n >= ausfall) return {code, ""};
          return {15, Buchungstext(n)};
        }
        case 6: return {3, ""};
        default: return {};
      }
    });
  }
  std::vector<std::string> Karten() {
    std::vector<std::string> karten;
    for (int i = 0; i < s->Buchungen.Anzahl; ++i) karten.push_back(LiesText(Element(s->Buchungen, i).Karte));
    return karten;
  }

  ScriptedPlattform plattform;
  ScriptedKomm komm;
  transfertest::Dokument s;
};

TEST_F(BuchungenTest, TheClockTextIsTheLocalTime) {
  komm.Answer(kAntwortAck);
  EXPECT_TRUE(s->SetzeUhrzeit());
  ASSERT_EQ(komm.Sent().size(), 1U);
  EXPECT_EQ(komm.Sent()[0].command, 65);
  EXPECT_EQ(komm.Sent()[0].text, "2026.03.07.14.05.09");
  EXPECT_EQ(Geschlossen(), 1U);
}

TEST_F(BuchungenTest, AClockNotAcknowledgedShowsItsBoxAndGivesFalse) {
  for (int i = 0; i < 3; ++i) komm.Silence();
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Kommunikationsfehler \nbeim Zeitstellen");
  EXPECT_FALSE(s->SetzeUhrzeit());
  EXPECT_EQ(komm.Sent().size(), 3U);
  EXPECT_EQ(Geschlossen(), 1U);

  komm.Answer(kAntwortNumNa);
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Kommunikationsfehler \nbeim Zeitstellen");
  EXPECT_FALSE(s->SetzeUhrzeit());
}

TEST_F(BuchungenTest, AClockWithoutLinkShowsTheLibraryText) {
  komm.FailOpen("Port belegt");
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Schnittstelle nicht verfügbar.\nPort belegt");
  EXPECT_FALSE(s->SetzeUhrzeit());
  EXPECT_TRUE(komm.Sent().empty());
}

TEST_F(BuchungenTest, NoBookingsSendsCountAndEndOnlyAndKeepsTheList) {
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(2025, 1, 1, 0, 0, 0, "ALT")));
  Controller(kFirmware300, "0");
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(Befehle(), (std::vector<int>{75, 10, 6}));
  EXPECT_EQ(Karten(), (std::vector<std::string>{"ALT"}));
  EXPECT_FALSE(s->BuchungenGespeichert);
  const ScriptedProgressWindow& w = plattform.Window();
  EXPECT_EQ(w.Caption(), "Datenübertragung");
  EXPECT_EQ(w.Label2(), "Hole Buchungen...");
  EXPECT_EQ(w.Label1Texts(), (std::vector<std::string>{"Hole Anzahl Buchungen..."}));
  EXPECT_FALSE(w.Shown());
  EXPECT_EQ(w.Events().back(), "Close");
  EXPECT_EQ(Geoeffnet(), 2U);  // the version query and the fetch
  EXPECT_EQ(Geschlossen(), 2U);
}

struct FirmwareFall {
  const char* name;
  const char* firmware;
  std::vector<int> befehle;
};

class BuchungenFirmwareTest : public BuchungenTest, public ::testing::WithParamInterface<FirmwareFall> {};

TEST_P(BuchungenFirmwareTest, BookingsAreAppendedAndAcknowledgedFromFirmware300On) {
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(2025, 1, 1, 0, 0, 0, "ALT")));
  Controller(GetParam().firmware, "3");
  // A clock that moves 1 ms per read: each 60 ms pause reads it 61 times, whatever the firmware.
  plattform.UseManualClock(0, 1);
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(plattform.ClockReads(), 3 * 61);
  EXPECT_EQ(Befehle(), GetParam().befehle);
  for (const auto& c : komm.Sent()) {
    if (c.command != 3) continue;
    EXPECT_EQ(c.text, " ");
    EXPECT_EQ(c.number, 0);
    EXPECT_EQ(c.dest, 9);
    EXPECT_EQ(c.source, 0x300);
  }
  EXPECT_EQ(Karten(), (std::vector<std::string>{"ALT", "04A1CARD1", "04A1CARD2", "04A1CARD3"}));
  const books& b = Element(s->Buchungen, 3);
  EXPECT_EQ(b, Buchung(2026, 3, 7, 14, 5, 13, "04A1CARD3", "M\xFCller Hans", 0x01, 0x02));
  EXPECT_EQ(plattform.Window().Label1Texts(),
            (std::vector<std::string>{"Hole Anzahl Buchungen...", "Hole Buchung 1 von 3", "Hole Buchung 2 von 3",
                                      "Hole Buchung 3 von 3"}));
  EXPECT_EQ(plattform.Window().ItemBar().Max(), 4);
  EXPECT_FALSE(s->BuchungenGespeichert);
}

INSTANTIATE_TEST_SUITE_P(Firmware, BuchungenFirmwareTest,
                         ::testing::Values(FirmwareFall{"fw299", kFirmware299, {75, 10, 5, 5, 5, 6}},
                                           FirmwareFall{"fw300", kFirmware300, {75, 10, 5, 3, 5, 3, 5, 3, 6}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BuchungenTest, TheCountRequestWritesNoProtocolLinesTheOthersDo) {
  transfertest::Protokoll log(*s);
  Controller(kFirmware299, "1");
  s->HoleBuchungen(plattform.Window());
  const std::string text = log.Text();
  EXPECT_EQ(text.find("Kommando 10 "), std::string::npos) << text;
  EXPECT_EQ(text.find("Kommando 12 "), std::string::npos) << text;
  EXPECT_NE(text.find("Versuch 1 : von 768 an 9 Kommando 5 \n '' \r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Kommando 15 '2026.03.07.14.05.11.04A1CARD1 M&ller!Hans 513' empfangen\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("Versuch 1 :von 768 an 9 Kommando 6 \n ''\n"), std::string::npos) << text;
}

struct AusfallFall {
  const char* name;
  int code;  // 0: silent
  std::string meldung;
};

class BuchungenAusfallTest : public BuchungenTest, public ::testing::WithParamInterface<AusfallFall> {};

// The 5th of 10 requests fails: four bookings stay, the window and the link are closed, the
// box shows the error text with a trailing blank.
TEST_P(BuchungenAusfallTest, AFailedRequestKeepsTheBookingsSoFar) {
  Controller(kFirmware300, "10", 5, GetParam().code);
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, GetParam().meldung);
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(s->Buchungen.Anzahl, 4);
  EXPECT_FALSE(plattform.Window().Shown());
  EXPECT_EQ(Geschlossen(), Geoeffnet());
  for (int befehl : Befehle()) EXPECT_NE(befehl, 6);
}

INSTANTIATE_TEST_SUITE_P(Ausfaelle, BuchungenAusfallTest,
                         ::testing::Values(AusfallFall{"silent", 0, std::string(kKeineAntwort) + " "},
                                           AusfallFall{"numna", 39,
                                                       "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?) "},
                                           AusfallFall{"unknown", 255,
                                                       "Steuerung melded 'unknownCommand'\n   (Falsche "
                                                       "Firmwareversion?) "}),
                         [](const auto& info) { return std::string(info.param.name); });

class BuchungsanzahlTest : public BuchungenTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BuchungsanzahlTest, ACountThatIsNegativeOrNoNumberAsksForNothingButStillEnds) {
  Controller(kFirmware300, GetParam());
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(Befehle(), (std::vector<int>{75, 10, 6}));
  EXPECT_EQ(s->Buchungen.Anzahl, 0);
  EXPECT_EQ(plattform.Window().ItemBar().Max(), 1);
}

INSTANTIATE_TEST_SUITE_P(Anzahlen, BuchungsanzahlTest, ::testing::Values("-3", "abc", "", "99999999999"));

TEST_F(BuchungenTest, AnUnansweredCountShowsItsBox) {
  komm.Answer(77, kFirmware300);
  for (int i = 0; i < 3; ++i) komm.Silence();
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Kommunikationsfehler \nbeim Lesen der Buchungen");
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(Befehle(), (std::vector<int>{75, 10, 10, 10}));
  EXPECT_FALSE(plattform.Window().Shown());
  EXPECT_FALSE(s->BuchungenGespeichert);
}

TEST_F(BuchungenTest, AnAcknowledgementThatCannotBeSentEndsTheFetch) {
  Controller(kFirmware300, "3");
  for (int i = 0; i < 3; ++i) komm.QueueSendResult(0);  // 75, 10, 5
  komm.FailNextSend();                                  // the acknowledgement
  komm.LastError = "Verbindung getrennt";
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Fehler beim Senden der Quittung\nVerbindung getrennt");
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(Befehle(), (std::vector<int>{75, 10, 5, 3}));
  EXPECT_EQ(Karten(), (std::vector<std::string>{"04A1CARD1"}));
  EXPECT_EQ(Geschlossen(), Geoeffnet());
}

TEST_F(BuchungenTest, AFailedVersionQueryShowsItsText) {
  for (int i = 0; i < 3; ++i) komm.Silence();
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, std::string(kKeineAntwort) + "Com2");
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(Befehle(), (std::vector<int>{75, 75, 75}));
  EXPECT_FALSE(s->BuchungenGespeichert);
  EXPECT_FALSE(plattform.Window().Shown());
}

// ---- end to end against controller_peer ----

struct PeerFall {
  const char* name;
  Weg weg;
  const char* firmware;
  int anzahl;
  bool quittiert;
};

class BuchungenPeerTest : public ::testing::TestWithParam<PeerFall> {
 protected:
  BuchungenPeerTest() { plattform.UseManualClock(0, 30); }
  void TearDown() override { plattform.VerifyAllBoxesShown(); }
  ScriptedPlattform plattform;
};

TEST_P(BuchungenPeerTest, EveryBookingArrivesAndIsRemovedOnlyWhenAcknowledged) {
  const PeerFall& f = GetParam();
  ybrtest::PeerProcess peer({"--address", "9", "--bookings", std::to_string(f.anzahl), "--firmware", f.firmware});
  transfertest::Dokument s(2026);
  transfertest::Verbinde(*s, peer, f.weg);
  s->HoleBuchungen(plattform.Window());

  ASSERT_EQ(s->Buchungen.Anzahl, f.anzahl);
  EXPECT_EQ(Element(s->Buchungen, 0), Buchung(2026, 1, 5, 7, 0, 0, "04A1002468", "M\xFCller Hans", 0x09, 0x00));
  EXPECT_EQ(Element(s->Buchungen, 19), Buchung(2026, 1, 5, 9, 17, 7, "04A105FFE7",
                                               "B\xE4"
                                               "cker Anna",
                                               0x01, 0x01));
  const auto quittungen = transfertest::TexteVon(peer, 3);
  EXPECT_EQ(quittungen.size(), f.quittiert ? static_cast<std::size_t>(f.anzahl) : 0U);
  for (const auto& q : quittungen) EXPECT_EQ(q, " ");
  for (const auto& z : peer.Trace()) {
    if (z.dir == "rx" && z.command == 3) {
      EXPECT_EQ(z.number, 0);
    }
  }

  // What the controller holds afterwards.
  ASSERT_EQ(s->Komm->Open(s->Page, s->ComPort, s->TCPPort, s->IP), 0);
  EXPECT_TRUE(s->Komm->KommandoOk(9, 0x300, nullptr, 3, s->AntwortPuffer, 12, "", 10));
  s->Komm->Close();
  EXPECT_EQ(std::string(s->AntwortPuffer), f.quittiert ? "0" : std::to_string(f.anzahl));
}

INSTANTIATE_TEST_SUITE_P(Faelle, BuchungenPeerTest,
                         ::testing::Values(PeerFall{"tcp_fw300_20", Weg::Tcp, kFirmware300, 20, true},
                                           PeerFall{"tcp_fw299_20", Weg::Tcp, kFirmware299, 20, false},
                                           PeerFall{"pty_fw300_20", Weg::Pty, kFirmware300, 20, true},
                                           PeerFall{"pty_fw299_20", Weg::Pty, kFirmware299, 20, false}),
                         [](const auto& info) { return std::string(info.param.name); });

class BuchungenPeerEinzelTest : public BuchungenPeerTest {};

// The peer answers four booking requests and then stays silent.
TEST_F(BuchungenPeerEinzelTest, APeerFallingSilentAtTheFifthBookingLeavesFour) {
  ybrtest::PeerProcess peer(
      {"--address", "9", "--bookings", "10", "--firmware", kFirmware300, "--fault", "5:ok:4", "--fault", "5:silent"});
  transfertest::Dokument s(2026);
  transfertest::Verbinde(*s, peer, Weg::Tcp);
  transfertest::Antwortzeit(*s, 100);
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, std::string(kKeineAntwort) + " ");
  s->HoleBuchungen(plattform.Window());
  EXPECT_EQ(s->Buchungen.Anzahl, 4);
  EXPECT_FALSE(plattform.Window().Shown());
  EXPECT_EQ(transfertest::TexteVon(peer, 5).size(), 7U);  // four answered, then three attempts
  EXPECT_EQ(transfertest::TexteVon(peer, 3).size(), 4U);
  EXPECT_TRUE(transfertest::TexteVon(peer, 6).empty());
}

TEST_F(BuchungenPeerEinzelTest, TheClockIsSetOnThePeer) {
  plattform.SetNow({2026, 3, 7, 14, 5, 9, 6});
  ybrtest::PeerProcess peer({"--address", "9"});
  transfertest::Dokument s(2026);
  transfertest::Verbinde(*s, peer, Weg::Pty);
  EXPECT_TRUE(s->SetzeUhrzeit());
  EXPECT_EQ(transfertest::TexteVon(peer, 65), (std::vector<std::string>{"2026.03.07.14.05.09"}));
}

}  // namespace
