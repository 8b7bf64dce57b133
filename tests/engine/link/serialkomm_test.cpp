// The link wrapper against a scripted library: opening, closing, the forwarders, the
// transaction rules (telegram numbers, repeats, results, protocol log lines) and the pause.
#include "link/SerialKomm.h"

#include <cctype>
#include <cstring>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "common/MemoryLog.h"

namespace {

using Fn = ScriptedKomm::Fn;

constexpr int kDest = 9;
constexpr int kCommand = 75;
constexpr int kExpected = 77;
const std::string kText = "12 abc";

std::string KommandoLine(int k) {
  return "Versuch " + std::to_string(k) + " : von 768 an 9 Kommando 75 \n '12 abc' \r\n";
}
std::string KommandoOkLine(int k) {
  return "Versuch " + std::to_string(k) + " :von 768 an 9 Kommando 75 \n '12 abc'\n";
}

// What happens on one attempt.
struct Step {
  enum Kind { Silent, Reply, FailSend } kind;
  int code = 0;
  int sender = ScriptedKomm::kDestination;
  std::string text{};
};
Step Silent() { return {Step::Silent}; }
Step Reply(int code, std::string text = "", int sender = ScriptedKomm::kDestination) {
  return {Step::Reply, code, sender, std::move(text)};
}
Step FailSend() { return {Step::FailSend}; }

struct Case {
  const char* name;
  int attempts;
  std::vector<Step> steps;
  int result;                      // of Kommando
  std::vector<int> numbers;        // telegram numbers sent
  std::vector<std::string> after;  // the log lines after each attempt line ("" for none)
  int nextNumber;                  // the number the next transaction sends
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"silent controller",
     3,
     {Silent(), Silent(), Silent()},
     1,
     {1, 65, 65},
     {"Keine Antwort erhalten\r\n", "Keine Antwort erhalten\r\n", "Keine Antwort erhalten\r\n"},
     2},
    {"answer from another sender keeps the number",
     3,
     {Reply(77, "von 5", 5), Reply(77, "ok")},
     0,
     {1, 1},
     {"Telegramm von 5 statt von 9 'von 5'\r\n", "Kommando 77 'ok' empfangen\r\n"},
     1},
    {"NAK marks the repeat",
     3,
     {Reply(36, "x"), Reply(77, "ok")},
     0,
     {1, 65},
     {"NAK empfangen\r\n", "Kommando 77 'ok' empfangen\r\n"},
     1},
    {"39 ends at once", 3, {Reply(39, "x")}, 2, {1}, {"NUM_NA empfangen\r\n"}, 2},
    {"255 ends at once",
     3,
     {Reply(255, "x")},
     3,
     {1},
     {"SLAVE_RECEIVED_UNKNOWN_COMMAND empfangen Flashversion ueberpruefen\n"},
     2},
    {"other code is repeated without a line",
     3,
     {Reply(12, "x"), Reply(77, "ok")},
     0,
     {1, 65},
     {"", "Kommando 77 'ok' empfangen\r\n"},
     1},
    {"other codes on every attempt", 3, {Reply(3), Reply(12), Reply(48)}, 1, {1, 65, 65}, {"", "", ""}, 2},
    {"bit 0x40 stays set after another sender",
     3,
     {Silent(), Reply(77, "a", 4), Reply(77, "ok")},
     0,
     {1, 65, 65},
     {"Keine Antwort erhalten\r\n", "Telegramm von 4 statt von 9 'a'\r\n", "Kommando 77 'ok' empfangen\r\n"},
     1},
    {"answer from another sender on every attempt",
     2,
     {Reply(77, "a", 0x4000), Reply(77, "b", 3)},
     1,
     {1, 1},
     {"Telegramm von 16384 statt von 9 'a'\r\n", "Telegramm von 3 statt von 9 'b'\r\n"},
     2},
    {"failed send ends without a line", 3, {Silent(), FailSend()}, 1, {1, 65}, {"Keine Antwort erhalten\r\n", ""}, 2},
    {"attempts 0 sends nothing", 0, {}, 1, {}, {}, 2},
    {"one attempt", 1, {Silent()}, 1, {1}, {"Keine Antwort erhalten\r\n"}, 2},
};

class TransactionTest : public ::testing::TestWithParam<std::tuple<Case, bool>> {};

TEST_P(TransactionTest, FollowsTheRules) {
  const auto& [c, ok] = GetParam();
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  for (const Step& s : c.steps) {
    if (s.kind == Step::FailSend) {
      komm.FailNextSend();
      continue;
    }
    komm.QueueSendResult(0);
    if (s.kind == Step::Silent) {
      komm.Silence();
    } else {
      komm.Answer(s.code, s.text, s.sender);
    }
  }
  komm.ClearCalls();

  char reply[kAntwortPufferGroesse] = "before";
  MemoryLog log;
  int result;
  if (ok) {
    result = link.KommandoOk(kDest, kPcAdresse, log.file(), c.attempts, reply, kExpected, kText, kCommand) ? 0 : 1;
  } else {
    result = link.Kommando(kDest, kPcAdresse, log.file(), c.attempts, reply, kExpected, kText, kCommand);
  }
  EXPECT_EQ(result, ok ? (c.result == 0 ? 0 : 1) : c.result);
  EXPECT_EQ(komm.SentNumbers(), c.numbers);
  EXPECT_EQ(komm.PendingAnswers(), 0U);

  std::string expectedLog;
  for (std::size_t k = 0; k < c.after.size(); ++k) {
    expectedLog += (ok ? KommandoOkLine : KommandoLine)(static_cast<int>(k) + 1) + c.after[k];
  }
  EXPECT_EQ(log.Text(), expectedLog);

  for (const ScriptedKomm::Call& sent : komm.Sent()) {
    EXPECT_EQ(sent.handle, 2);
    EXPECT_EQ(sent.dest, kDest);
    EXPECT_EQ(sent.source, kPcAdresse);
    EXPECT_EQ(sent.command, kCommand);
    EXPECT_EQ(sent.text, kText);
  }
  // One answer is awaited per telegram that went out, with the own address and one try.
  const auto waits = komm.Calls(Fn::WarteAufTele);
  const std::size_t failedSends = c.steps.empty() || c.steps.back().kind != Step::FailSend ? 0 : 1;
  EXPECT_EQ(waits.size(), c.numbers.size() - failedSends);
  for (const ScriptedKomm::Call& w : waits) {
    EXPECT_EQ(w.handle, 2);
    EXPECT_EQ(w.ownAddr, kPcAdresse);
    EXPECT_EQ(w.tries, 1);
  }

  // The counter goes on from here: reset after a success, incremented otherwise.
  komm.ClearCalls();
  link.Kommando(kDest, kPcAdresse, nullptr, 1, reply, kExpected, kText, kCommand);
  EXPECT_EQ(komm.SentNumbers(), std::vector<int>{c.nextNumber});
}

INSTANTIATE_TEST_SUITE_P(Cases, TransactionTest, ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Bool()),
                         [](const auto& info) {
                           std::string name = std::string(std::get<0>(info.param).name) +
                                              (std::get<1>(info.param) ? "_KommandoOk" : "_Kommando");
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

TEST(Transaction, WithoutLogBehavesTheSame) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(0, 0, 10001, "127.0.0.1"), 0);
  komm.Silence();
  komm.Answer(36);
  komm.Answer(77, "fine");
  char reply[kAntwortPufferGroesse] = {};
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 3, reply, kExpected, kText, kCommand), 0);
  EXPECT_EQ(komm.SentNumbers(), (std::vector<int>{1, 65, 65}));
  EXPECT_STREQ(reply, "fine");
}

TEST(Transaction, LogShowsTheWindows1252TextsAsUtf8) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  komm.Answer(3, "Gr\xfc\xdf");
  char reply[kAntwortPufferGroesse] = {};
  MemoryLog log;
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, log.file(), 3, reply, 3, "M\xfcller", 53), 0);
  EXPECT_EQ(komm.Sent().at(0).text, "M\xfcller");
  EXPECT_EQ(log.Text(), "Versuch 1 : von 768 an 9 Kommando 53 \n 'Müller' \r\nKommando 3 'Grüß' empfangen\r\n");
}

TEST(Transaction, NumbersWrapAfter63) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  char reply[kAntwortPufferGroesse] = {};
  // Transactions without attempts advance the counter without sending anything.
  for (int i = 0; i < 63; ++i) link.Kommando(kDest, kPcAdresse, nullptr, 0, reply, kExpected, kText, kCommand);
  EXPECT_TRUE(komm.Sent().empty());
  komm.Silence();
  komm.Silence();
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 2, reply, kExpected, kText, kCommand), 1);
  EXPECT_EQ(komm.SentNumbers(), (std::vector<int>{0, 0x40}));
}

TEST(Transaction, FailuresContinueTheCountAndSuccessResetsIt) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  char reply[kAntwortPufferGroesse] = {};
  komm.Answer(39);
  komm.Answer(255);
  komm.Silence();
  komm.Answer(77);
  komm.Answer(77);
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 1, reply, kExpected, kText, kCommand), 2);
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 1, reply, kExpected, kText, kCommand), 3);
  EXPECT_FALSE(link.KommandoOk(kDest, kPcAdresse, nullptr, 1, reply, kExpected, kText, kCommand));
  EXPECT_TRUE(link.KommandoOk(kDest, kPcAdresse, nullptr, 1, reply, kExpected, kText, kCommand));
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 1, reply, kExpected, kText, kCommand), 0);
  EXPECT_EQ(komm.SentNumbers(), (std::vector<int>{1, 2, 3, 4, 1}));
}

TEST(Transaction, ReplyBufferHoldsTheLastAnswerRead) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  char reply[kAntwortPufferGroesse] = "old";
  komm.Answer(12, "other");
  komm.Silence();
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 2, reply, kExpected, kText, kCommand), 1);
  EXPECT_STREQ(reply, "other");
}

TEST(Transaction, SimulationNeedsNoLibrary) {
  ScriptedKomm komm;
  TSerialKomm link(200, true);
  MemoryLog log;
  char reply[kAntwortPufferGroesse] = "last real answer";
  EXPECT_EQ(link.Open(1, 2, 0, ""), 0);
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, log.file(), 3, reply, kExpected, kText, kCommand), 0);
  EXPECT_TRUE(link.KommandoOk(kDest, kPcAdresse, log.file(), 3, reply, kExpected, kText, kCommand));
  EXPECT_EQ(link.Close(), 1);
  EXPECT_TRUE(komm.Calls().empty());
  EXPECT_EQ(log.Text(), "");
  EXPECT_STREQ(reply, "last real answer");

  // The counter did not move: the first real transaction sends 1.
  link.SetFake(false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  komm.Answer(77);
  EXPECT_EQ(link.Kommando(kDest, kPcAdresse, nullptr, 3, reply, kExpected, kText, kCommand), 0);
  EXPECT_EQ(komm.SentNumbers(), std::vector<int>{1});
}

TEST(Link, OpensByKindWithTheLogLevel) {
  ScriptedKomm komm;
  komm.OpenSerResult = 2;
  komm.OpenNetResult = 1;
  TSerialKomm link(200, false);

  EXPECT_EQ(link.Open(1, 5, 10001, "ignored"), 0);
  EXPECT_EQ(link.Close(), 0);
  link.SetLogMode(true);
  EXPECT_EQ(link.Open(0, 5, 10002, "host.example"), 0);
  EXPECT_EQ(link.Close(), 0);
  link.SetLogMode(false);
  EXPECT_EQ(link.Open(0, 5, 10003, ""), 0);
  link.SendeTele(1, 2, 3, "t", 4);
  EXPECT_EQ(link.Close(), 0);

  const auto ser = komm.Calls(Fn::OpenKommSer);
  ASSERT_EQ(ser.size(), 1U);
  EXPECT_EQ(ser[0].comPort, 5);
  EXPECT_EQ(ser[0].baudRate, 9600);
  EXPECT_EQ(ser[0].rts, 0);
  EXPECT_EQ(ser[0].logLevel, 0);
  const auto net = komm.Calls(Fn::OpenKommNet);
  ASSERT_EQ(net.size(), 2U);
  EXPECT_EQ(net[0].tcpPort, 10002);
  EXPECT_EQ(net[0].host, "host.example");
  EXPECT_EQ(net[0].logLevel, 2);
  EXPECT_EQ(net[1].host, "");
  EXPECT_EQ(net[1].logLevel, 0);
  // The handle of each open goes with the later calls.
  const auto closes = komm.Calls(Fn::CloseKommunikation);
  ASSERT_EQ(closes.size(), 3U);
  EXPECT_EQ(closes[0].handle, 2);
  EXPECT_EQ(closes[1].handle, 1);
  EXPECT_EQ(komm.Sent().at(0).handle, 1);
}

TEST(Link, FailedOpenAndUnknownKind) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  komm.FailOpen("Fehler beim Öffnen der Schnittstelle com2\n");
  EXPECT_EQ(link.Open(1, 2, 0, ""), 1);
  EXPECT_EQ(link.Close(), 0);
  EXPECT_EQ(link.Open(7, 2, 10001, "x"), 1);
  EXPECT_EQ(link.Close(), 0);
  EXPECT_EQ(komm.Calls(Fn::OpenKommSer).size(), 1U);
  EXPECT_TRUE(komm.Calls(Fn::OpenKommNet).empty());
  EXPECT_TRUE(komm.Calls(Fn::CloseKommunikation).empty());
}

TEST(Link, CloseTwiceCallsTheLibraryOnce) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  EXPECT_EQ(link.Close(), 0);
  EXPECT_EQ(link.Close(), 0);
  EXPECT_EQ(komm.Calls(Fn::CloseKommunikation).size(), 1U);
}

TEST(Link, CloseEndsARealLinkEvenWhenSimulationWasSwitchedOnAfterwards) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  link.SetFake(true);
  EXPECT_EQ(link.Close(), 0);
  EXPECT_EQ(link.Close(), 1);
  EXPECT_EQ(komm.Calls(Fn::CloseKommunikation).size(), 1U);
}

TEST(Link, AFailedSecondOpenKeepsTheOpenLinkClosable) {
  ScriptedKomm komm;
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  komm.OpenSerResult = 0;
  EXPECT_EQ(link.Open(1, 3, 0, ""), 1);
  EXPECT_EQ(link.Close(), 0);
  const auto closes = komm.Calls(Fn::CloseKommunikation);
  ASSERT_EQ(closes.size(), 1U);
  EXPECT_EQ(closes[0].handle, 2);
}

TEST(Link, DestructorClosesAnOpenLink) {
  ScriptedKomm komm;
  {
    TSerialKomm link(200, false);
    ASSERT_EQ(link.Open(0, 0, 10001, "127.0.0.1"), 0);
  }
  { TSerialKomm closed(200, false); }
  EXPECT_EQ(komm.Calls(Fn::CloseKommunikation).size(), 1U);
}

TEST(Link, ForwardersIgnoreSimulationAndLinkState) {
  ScriptedKomm komm;
  TSerialKomm link(200, true);
  komm.QueueSendResult(-3);
  EXPECT_EQ(link.SendeTele(0x4000, 768, 3, " ", 0), -3);
  int sender = 0;
  char reply[kAntwortPufferGroesse] = {};
  komm.Answer(15, "booking", 9);
  EXPECT_EQ(link.WarteAufTele(&sender, 768, reply, 2), 15);
  EXPECT_EQ(sender, 9);
  EXPECT_STREQ(reply, "booking");
  link.SetParameter(350);

  const auto& calls = komm.Calls();
  ASSERT_EQ(calls.size(), 3U);
  EXPECT_EQ(calls[0].fn, Fn::SendeTele);
  EXPECT_EQ(calls[0].dest, 0x4000);
  EXPECT_EQ(calls[0].command, 3);
  EXPECT_EQ(calls[0].text, " ");
  EXPECT_EQ(calls[0].number, 0);
  EXPECT_EQ(calls[1].fn, Fn::WarteAufTele);
  EXPECT_EQ(calls[1].tries, 2);
  EXPECT_EQ(calls[2].fn, Fn::SetParameter);
  EXPECT_EQ(calls[2].ms, 350);
}

TEST(Warte, ProcessesMessagesUntilTheTimeHasPassed) {
  ScriptedPlattform p;
  p.UseManualClock(1000, 5);
  Warte(100);
  // Reads at 1000 (start), then 1005 .. 1100: one pass per read below 1100.
  EXPECT_EQ(p.ClockReads(), 21);
  EXPECT_EQ(p.ProcessMessagesCalls(), 19);
}

TEST(Warte, SurvivesTheClockWrap) {
  ScriptedPlattform p;
  p.UseManualClock(0xFFFFFFF0U, 4);
  Warte(60);
  EXPECT_EQ(p.ProcessMessagesCalls(), 14);
}

TEST(Warte, ZeroReturnsAtOnce) {
  ScriptedPlattform p;
  p.UseManualClock(7, 0);
  Warte(0);
  EXPECT_EQ(p.ProcessMessagesCalls(), 0);
}

TEST(Warte, EventHandlersRunDuringThePause) {
  ScriptedPlattform p;
  p.UseManualClock(0, 0);
  int handled = 0;
  p.OnProcessMessages([&] {
    ++handled;
    p.AdvanceClock(10);
  });
  Warte(30);
  EXPECT_EQ(handled, 3);
}

}  // namespace
