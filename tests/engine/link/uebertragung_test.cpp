// The common frame of a transfer operation: destination, open, transactions, close on every
// way out, and the texts of its KommError.
#include "link/Uebertragung.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "model/Fehler.h"

#include "ScriptedKomm.h"

namespace {

using Fn = ScriptedKomm::Fn;

const std::string kSuffix = "\nbeim Senden der Personen/Karten";

Verbindung Seriell(int comPort) {
  Verbindung v;
  v.Page = 1;
  v.ComPort = comPort;
  v.Adresse = 9;
  v.Kabel = false;
  return v;
}

Verbindung Netz(const std::string& ip) {
  Verbindung v;
  v.Page = 0;
  v.IP = ip;
  v.TCPPort = 10001;
  v.Adresse = 4;
  v.Kabel = false;
  return v;
}

struct Frame {
  ScriptedKomm komm;
  TSerialKomm link{200, false};
  char reply[kAntwortPufferGroesse] = {};
  int ergebnis = -1;
  std::size_t closesAtCatch = 0;

  // Runs one transaction in the frame; returns the message of the KommError it raised, or "".
  std::string Run(const Verbindung& v) {
    try {
      Uebertragung u(link, v, nullptr, reply, ergebnis, kSuffix);
      u.Kommando(48, "3", kAntwortAck);
      u.Schliessen();
    } catch (const KommError& e) {
      closesAtCatch = komm.Calls(Fn::CloseKommunikation).size();
      return e.Meldung;
    }
    return "";
  }
};

struct ErrorCase {
  const char* name;
  Verbindung verbindung;
  int answer;  // 0: silent
  int result;
  std::string message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class FrameErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FrameErrorTest, TurnsTheResultIntoItsText) {
  const ErrorCase& c = GetParam();
  Frame f;
  for (int i = 0; i < 3; ++i) {
    if (c.answer == 0) {
      f.komm.Silence();
    } else {
      f.komm.Answer(c.answer);
    }
  }
  EXPECT_EQ(f.Run(c.verbindung), c.message);
  EXPECT_EQ(f.ergebnis, c.result);
  EXPECT_EQ(f.komm.Calls(Fn::CloseKommunikation).size(), 1U);
  // On a failure the link was closed before the exception reached the caller.
  if (c.result != 0) {
    EXPECT_EQ(f.closesAtCatch, 1U);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Results, FrameErrorTest,
    ::testing::Values(
        ErrorCase{"Com2", Seriell(2), 0, 1, "Steuerung antwortet nicht\nauf Anschluß Com2"},
        ErrorCase{"Com24", Seriell(24), 0, 1, "Steuerung antwortet nicht\nauf Anschluß Com24"},
        ErrorCase{"Com30", Seriell(30), 0, 1, "Steuerung antwortet nicht\nauf Anschluß Com30"},
        ErrorCase{"Com0", Seriell(0), 0, 1, "Steuerung antwortet nicht\nauf Anschluß Com0"},
        ErrorCase{"Network", Netz("192.168.1.20"), 0, 1, "Steuerung antwortet nicht\nauf Anschluß 192.168.1.20"},
        ErrorCase{"NetworkNoIp", Netz(""), 0, 1, "Steuerung antwortet nicht\nauf Anschluß "},
        ErrorCase{"NumNa", Seriell(2), 39, 2,
                  "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)\nbeim Senden der Personen/Karten"},
        ErrorCase{"Unknown", Netz("10.0.0.1"), 255, 3,
                  "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)\nbeim Senden der Personen/Karten"},
        ErrorCase{"Success", Seriell(2), 3, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Frame, OpenFailureCarriesTheLibraryText) {
  Frame f;
  f.komm.FailOpen("Fehler beim Öffnen der Schnittstelle com7\n");
  EXPECT_EQ(f.Run(Seriell(7)), "Schnittstelle nicht verfügbar.\nFehler beim Öffnen der Schnittstelle com7\n");
  EXPECT_TRUE(f.komm.Sent().empty());
  EXPECT_TRUE(f.komm.Calls(Fn::CloseKommunikation).empty());
  EXPECT_EQ(f.ergebnis, -1);
}

TEST(Frame, DestinationIsTheAddressOrTheCable) {
  Frame f;
  f.komm.Answer(kAntwortAck);
  f.komm.Answer(kAntwortAck);
  Verbindung v = Seriell(2);
  EXPECT_EQ(f.Run(v), "");
  v.Kabel = true;
  EXPECT_EQ(f.Run(v), "");
  const auto sent = f.komm.Sent();
  ASSERT_EQ(sent.size(), 2U);
  EXPECT_EQ(sent[0].dest, 9);
  EXPECT_EQ(sent[1].dest, 0x4000);
  EXPECT_EQ(sent[0].source, 768);
  EXPECT_EQ(sent[0].command, 48);
  EXPECT_EQ(sent[0].text, "3");
}

TEST(Frame, OpensWithTheConnectionSettings) {
  Frame f;
  f.komm.Answer(kAntwortAck);
  EXPECT_EQ(f.Run(Netz("controller.local")), "");
  const auto net = f.komm.Calls(Fn::OpenKommNet);
  ASSERT_EQ(net.size(), 1U);
  EXPECT_EQ(net[0].tcpPort, 10001);
  EXPECT_EQ(net[0].host, "controller.local");
  EXPECT_EQ(f.komm.Calls(Fn::CloseKommunikation).size(), 1U);
}

TEST(Frame, AnExceptionOfTheOperationPassesUnchangedAfterTheClose) {
  Frame f;
  try {
    Uebertragung u(f.link, Seriell(2), nullptr, f.reply, f.ergebnis, kSuffix);
    throw IoError("Steuerung hat leeren Flash, ", "Daten holen unmöglich.");
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung hat leeren Flash, Daten holen unmöglich.");
    EXPECT_EQ(f.komm.Calls(Fn::CloseKommunikation).size(), 1U);
  }
}

TEST(Frame, ClosingEarlyClosesOnce) {
  Frame f;
  f.komm.Answer(77, "V.03.01.07");
  {
    Uebertragung u(f.link, Seriell(2), nullptr, f.reply, f.ergebnis, kSuffix);
    u.Kommando(75, "", 77);
    u.Schliessen();
    EXPECT_EQ(f.komm.Calls(Fn::CloseKommunikation).size(), 1U);
  }
  EXPECT_EQ(f.komm.Calls(Fn::CloseKommunikation).size(), 1U);
  EXPECT_STREQ(f.reply, "V.03.01.07");
  EXPECT_EQ(f.ergebnis, 0);
}

TEST(Frame, KommandoOkWritesTheLogOnlyWhenAsked) {
  Frame f;
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* log = open_memstream(&data, &size);
  f.komm.Answer(12, "5");
  f.komm.Answer(3);
  {
    Uebertragung u(f.link, Seriell(2), log, f.reply, f.ergebnis, kSuffix);
    EXPECT_TRUE(u.KommandoOk(10, "", 12, Uebertragung::Protokoll::Ohne));
    std::fflush(log);
    EXPECT_EQ(size, 0U);
    EXPECT_TRUE(u.KommandoOk(6, "", 3));
  }
  std::fclose(log);
  EXPECT_EQ(std::string(data, size), "Versuch 1 :von 768 an 9 Kommando 6 \n ''\nKommando 3 '' empfangen\r\n");
  std::free(data);
  EXPECT_EQ(f.ergebnis, -1);  // the yes/no form stores nothing
}

TEST(Frame, SimulationTouchesNoLibraryFunction) {
  Frame f;
  f.link.SetFake(true);
  EXPECT_EQ(f.Run(Seriell(2)), "");
  EXPECT_TRUE(f.komm.Calls().empty());
  EXPECT_EQ(f.ergebnis, 0);
}

TEST(Frame, PortNames) {
  EXPECT_EQ(Anschlussname(1), "Com1");
  EXPECT_EQ(Anschlussname(16), "Com16");
  EXPECT_EQ(Anschlussname(25), "Com25");
  EXPECT_EQ(Anschlussname(-1), "Com-1");
}

}  // namespace
