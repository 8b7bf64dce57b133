// Telegrams through the library's exports against a scripted controller, over both transports.
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "LinkFixture.h"

namespace kommtest {
namespace {

constexpr int kOwnAddr = kPc;

struct SendCase {
  int dest;
  int src;
  int command;
  std::string text;
  int number;
  Bytes expected;
};

TEST_P(LinkTest, SentFramesCarryTheHeaderTextAndCrc) {
  const std::vector<SendCase> cases = {
      {3, 768, 75, "", 5, {0xAA, 0xAA, 0x03, 0x00, 0x00, 0x03, 0x05, 0x4B, 0x00, 0x15, 0xB5}},
      // Only the low 16 bits of the addresses and the low 8 bits of command and number count.
      {0x4000, 0x10300, 0x13F, "V", 0x145, Frame(0x0300, 0x4000, 0x3F, "V", 0x45)},
      // Text bytes above 0x7F go out as they are.
      {15, 768, 0x21, "12 T\xFCr 3", 0x47, Frame(768, 15, 0x21, "12 T\xFCr 3", 0x47)},
  };
  std::vector<Bytes> received;
  ASSERT_NO_FATAL_FAILURE(Open([&](int fd) {
    for (std::size_t i = 0; i < cases.size(); ++i) received.push_back(ReadFrameBytes(fd));
  }));
  for (const SendCase& c : cases) {
    EXPECT_EQ(_SendeTele(type_, c.dest, c.src, c.command, c.text.c_str(), c.number), 0);
  }
  JoinPeer();
  ASSERT_EQ(received.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(received[i], cases[i].expected) << "case " << i;
}

TEST_P(LinkTest, NegativeNumbersUseTheLibraryCounterUpTo31) {
  constexpr int kSends = 34;
  std::vector<int> numbers;
  ASSERT_NO_FATAL_FAILURE(Open([&](int fd) {
    for (int i = 0; i < kSends; ++i) {
      const Bytes frame = ReadFrameBytes(fd);
      if (frame.size() > 6) numbers.push_back(frame[6]);
    }
  }));
  for (int i = 0; i < kSends; ++i) ASSERT_EQ(_SendeTele(type_, 3, 768, 1, "", -1), 0);
  JoinPeer();
  // The counter is the library's, so it starts where earlier sends of this process left it
  // (0 in a fresh process); it runs up to 31 and then starts at 0 again.
  ASSERT_FALSE(numbers.empty());
  std::vector<int> expected;
  for (int i = 0; i < kSends; ++i) expected.push_back((numbers[0] + i) % 32);
  EXPECT_EQ(numbers, expected);
}

TEST_P(LinkTest, OverlongTextIsRefusedAndNothingIsWritten) {
  Bytes first;
  Bytes longest;
  std::promise<void> gaveUp;
  ASSERT_NO_FATAL_FAILURE(Open([&](int fd) {
    first = ReadFrameBytes(fd, 500);
    gaveUp.set_value();
    longest = ReadFrameBytes(fd, 3000);
  }));
  const std::string tooLong(1014, 'x');
  EXPECT_EQ(_SendeTele(type_, 3, 768, 1, tooLong.c_str(), 1), -1);
  EXPECT_STREQ(_GetLastErrorMessage(), "Telegrammtext zu lang: 1014 Zeichen, höchstens 1013 erlaubt\n");
  gaveUp.get_future().wait();  // the peer gave up on a first frame
  const std::string longestText(1013, 'y');
  EXPECT_EQ(_SendeTele(type_, 3, 768, 1, longestText.c_str(), 2), 0);
  JoinPeer();
  EXPECT_TRUE(first.empty());
  EXPECT_EQ(longest.size(), 1024U);
}

struct Chunk {
  int delayMs;
  Bytes bytes;
};

struct ReplyCase {
  std::string name;
  std::vector<Chunk> chunks;
  int tries;
  int replyTimeoutMs;
  int command;  // 0: nothing accepted
  int source;
  std::string text;
  int minElapsedMs = 0;
};

Bytes WithReversedCrc(Bytes frame) {
  std::swap(frame[frame.size() - 1], frame[frame.size() - 2]);
  return frame;
}

Bytes Tail(const Bytes& bytes, std::size_t from) { return Bytes(bytes.begin() + static_cast<long>(from), bytes.end()); }
Bytes Head(const Bytes& bytes, std::size_t count) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(count));
}

std::vector<Chunk> InPieces(const Bytes& bytes, std::size_t size, int delayMs) {
  std::vector<Chunk> chunks;
  for (std::size_t at = 0; at < bytes.size(); at += size) {
    chunks.push_back({delayMs, Bytes(bytes.begin() + static_cast<long>(at),
                                     bytes.begin() + static_cast<long>(std::min(bytes.size(), at + size)))});
  }
  return chunks;
}

bool HasStartByte(const Bytes& bytes) { return std::find(bytes.begin(), bytes.end(), komm::kStartByte) != bytes.end(); }

std::vector<ReplyCase> ReplyCases() {
  const Bytes good = Frame(9, 768, 5, "b");
  const Bytes other = Frame(9, 769, 4, "a");
  const Bytes badCrc = WithReversedCrc(Frame(9, 768, 4, "a"));
  // A frame whose tail after the fourth header byte holds no start byte, so that the next
  // attempt skips it as noise.
  const Bytes cut = Frame(9, 768, 10, "cut");
  const Bytes overlong = Frame(9, 768, 7, std::string(1024, 'a'));
  std::vector<ReplyCase> cases = {
      {"Reply", {{0, Frame(0x4080, 0x0300, 0xFF, "OK T\xFCr")}}, 1, 200, 255, 16512, "OK T\xFCr"},
      {"NoiseBeforeTheStartBytes", {{0, Concat({{0x17, 0xAA, 0x17}, Tail(good, 1)})}}, 1, 200, 5, 9, "b"},
      {"FrameInChunks", InPieces(Frame(9, 768, 6, "split reply"), 3, 20), 1, 200, 6, 9, "split reply"},
      {"OtherReceiverUsesATry", {{0, Concat({other, good})}}, 2, 200, 5, 9, "b"},
      {"WrongCrcUsesATry", {{0, Concat({badCrc, good})}}, 2, 200, 5, 9, "b"},
      {"BothTriesUsedUp", {{0, Concat({other, badCrc, good})}}, 2, 200, 0, 0, ""},
      {"OneTryGivesThree", {{0, Concat({other, badCrc, good})}}, 1, 200, 5, 9, "b"},
      {"GapInsideTheHeaderEndsTheAttempt",
       {{0, Head(cut, 6)}, {200, Concat({Tail(cut, 6), Frame(9, 768, 20, "after")})}},
       1,
       600,
       20,
       9,
       "after"},
      {"OverlongTextEndsTheAttempt", {{0, Concat({overlong, good})}}, 1, 200, 5, 9, "b"},
      {"LongestText", {{0, Frame(9, 768, 9, std::string(1023, 'L'))}}, 1, 200, 9, 9, std::string(1023, 'L')},
      {"SilentPeer", {}, 0, 200, 0, 0, "", 3 * 200},
      {"SilentPeerTenTries", {}, 10, 100, 0, 0, "", 10 * 100},
  };
  EXPECT_FALSE(HasStartByte(Tail(cut, 6)));
  EXPECT_FALSE(HasStartByte(Tail(overlong, 8 + 1024)));
  return cases;
}

TEST_P(LinkTest, RepliesAreReadAsTheFrameRulesSay) {
  for (const ReplyCase& c : ReplyCases()) {
    SCOPED_TRACE(c.name);
    _SetParameter(0, c.replyTimeoutMs);
    ASSERT_NO_FATAL_FAILURE(Open([&](int fd) {
      ASSERT_FALSE(ReadFrameBytes(fd).empty());
      for (const Chunk& chunk : c.chunks) {
        std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
        WriteAll(fd, chunk.bytes);
      }
    }));
    ASSERT_EQ(_SendeTele(type_, 9, kPc, 11, "REQ", 1), 0);
    int source = -7;
    std::vector<char> text(2048, 'Z');
    const auto start = std::chrono::steady_clock::now();
    const int command = _WarteAufTele(type_, &source, kOwnAddr, text.data(), c.tries);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(command, c.command);
    if (c.command != 0) {
      EXPECT_EQ(source, c.source);
      EXPECT_EQ(std::string(text.data()), c.text);
      // Never more than the text and its NUL reach the caller's buffer.
      EXPECT_EQ(text[c.text.size() + 1], 'Z');
    } else {
      EXPECT_EQ(source, -7);
      EXPECT_EQ(text[0], 'Z');
    }
    EXPECT_GE(elapsed.count(), c.minElapsedMs);
    _CloseKommunikation(type_);
    type_ = 0;
    TearDown();
  }
}

TEST_P(LinkTest, NullPointersAreSkipped) {
  ASSERT_NO_FATAL_FAILURE(Open([](int fd) {
    ASSERT_EQ(ReadFrameBytes(fd), Frame(768, 9, 12, "", 3));
    WriteAll(fd, Frame(9, 768, 13, "x"));
  }));
  _SetParameter(0, 200);
  ASSERT_EQ(_SendeTele(type_, 9, 768, 12, nullptr, 3), 0);
  EXPECT_EQ(_WarteAufTele(type_, nullptr, kOwnAddr, nullptr, 1), 13);
}

INSTANTIATE_TEST_SUITE_P(Transports, LinkTest, ::testing::Values(Transport::Tcp, Transport::Serial), TransportName);

}  // namespace
}  // namespace kommtest
