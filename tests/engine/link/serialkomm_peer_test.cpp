// The transaction with the real library against controller_peer, over loopback TCP and over a
// pseudo-terminal: every answer class the peer can be told to produce, and the telegram
// numbers the controller saw.
#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "link/SerialKomm.h"

#include "common/MemoryLog.h"
#include "common/PeerProcess.h"

namespace {

constexpr int kAddress = 9;
constexpr int kVersionRequest = 75;
constexpr int kVersionAnswer = 77;
constexpr int kReplyTimeoutMs = 120;  // keeps the silent cases short
// Long enough for a slow answer to arrive whole within the reply time-out, so that only the
// gap inside it can make the library refuse it.
constexpr int kSlowReplyTimeoutMs = 300;

enum class Transport { Tcp, Pty };

void PrintTo(Transport t, std::ostream* os) { *os << (t == Transport::Tcp ? "tcp" : "pty"); }

struct FaultCase {
  const char* name;
  std::vector<std::string> peerArgs;
  int result;
  std::vector<int> numbers;  // of the requests the peer received
  std::string logLine;       // a line the protocol log must hold
  int replyTimeoutMs = kReplyTimeoutMs;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

const FaultCase kCases[] = {
    {"answer", {}, 0, {1}, "Kommando 77 '"},
    {"silent", {"--fault", "75:silent"}, 1, {1, 65, 65}, "Keine Antwort erhalten\r\n"},
    {"silent_once", {"--fault", "75:silent:1"}, 0, {1, 65}, "Keine Antwort erhalten\r\n"},
    {"nak_once", {"--fault", "75:nak:1"}, 0, {1, 65}, "NAK empfangen\r\n"},
    {"nak", {"--fault", "75:nak"}, 1, {1, 65, 65}, "NAK empfangen\r\n"},
    {"numna", {"--fault", "75:numna"}, 2, {1}, "NUM_NA empfangen\r\n"},
    {"unknown",
     {"--fault", "75:unknown"},
     3,
     {1},
     "SLAVE_RECEIVED_UNKNOWN_COMMAND empfangen Flashversion ueberpruefen\n"},
    {"wrong_sender_once", {"--fault", "75:wrong-sender:1"}, 0, {1, 1}, "statt von 9 '"},
    {"bad_crc_once", {"--fault", "75:bad-crc:1"}, 0, {1, 65}, "Keine Antwort erhalten\r\n"},
    // The gap inside the answer runs past the byte deadline: the answer is dropped, and the
    // repeat gets the answer kept for it.
    {"slow_once", {"--fault", "75:slow:1"}, 0, {1, 65}, "Keine Antwort erhalten\r\n", kSlowReplyTimeoutMs},
};

class PeerTransactionTest : public ::testing::TestWithParam<std::tuple<FaultCase, Transport>> {};

TEST_P(PeerTransactionTest, AnswerClass) {
  const auto& [c, transport] = GetParam();
  std::vector<std::string> args = {"--address", std::to_string(kAddress)};
  args.insert(args.end(), c.peerArgs.begin(), c.peerArgs.end());
  ybrtest::PeerProcess peer(args);

  TSerialKomm link(200, false);
  link.SetLogMode(false);
  if (transport == Transport::Pty) {
    ASSERT_EQ(::setenv("YBR_KOMM_COM2", peer.PtyPath().c_str(), 1), 0);
    ASSERT_EQ(link.Open(1, 2, 0, ""), 0);
  } else {
    ASSERT_EQ(link.Open(0, 0, peer.TcpPort(), "127.0.0.1"), 0);
  }
  link.SetParameter(c.replyTimeoutMs);

  char reply[kAntwortPufferGroesse] = {};
  MemoryLog log;
  const int result = link.Kommando(kAddress, kPcAdresse, log.file(), 3, reply, kVersionAnswer, "", kVersionRequest);
  EXPECT_EQ(link.Close(), 0);
  peer.Stop();

  EXPECT_EQ(result, c.result) << log.Text();
  if (c.result == 0) {
    EXPECT_NE(std::string(reply), "");
  }
  EXPECT_NE(log.Text().find(c.logLine), std::string::npos) << log.Text();

  std::vector<int> numbers;
  for (const ybrtest::PeerTraceLine& line : peer.Trace()) {
    if (line.dir != "rx") continue;
    EXPECT_EQ(line.src, kPcAdresse);
    EXPECT_EQ(line.dst, kAddress);
    EXPECT_EQ(line.command, kVersionRequest);
    EXPECT_EQ(line.text, "");
    numbers.push_back(line.number);
  }
  EXPECT_EQ(numbers, c.numbers);
}

INSTANTIATE_TEST_SUITE_P(Faults, PeerTransactionTest,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values(Transport::Tcp, Transport::Pty)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == Transport::Tcp ? "_tcp" : "_pty");
                         });

// The counter runs on across transactions on one link: a failure continues it, a success
// resets it, so the controller sees 1, then 2 (after the failure), then 1 again.
TEST(PeerTransaction, NumbersAcrossTransactions) {
  ybrtest::PeerProcess peer({"--address", std::to_string(kAddress), "--fault", "75:numna:1"});
  TSerialKomm link(200, false);
  ASSERT_EQ(link.Open(0, 0, peer.TcpPort(), "127.0.0.1"), 0);
  char reply[kAntwortPufferGroesse] = {};
  EXPECT_EQ(link.Kommando(kAddress, kPcAdresse, nullptr, 3, reply, kVersionAnswer, "", kVersionRequest), 2);
  EXPECT_EQ(link.Kommando(kAddress, kPcAdresse, nullptr, 3, reply, kVersionAnswer, "", kVersionRequest), 0);
  EXPECT_EQ(link.Kommando(kAddress, kPcAdresse, nullptr, 3, reply, kVersionAnswer, "", kVersionRequest), 0);
  link.Close();
  peer.Stop();
  std::vector<int> numbers;
  for (const ybrtest::PeerTraceLine& line : peer.Trace()) {
    if (line.dir == "rx") numbers.push_back(line.number);
  }
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 1}));
}

}  // namespace
