// controller_peer as a process, spoken to with raw frames over loopback TCP and the pty.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "KommFrame.h"
#include "common/PeerProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

// One raw end of a link: sends frames, reads them back with the frame reader.
class RawLink {
 public:
  explicit RawLink(int fd) : fd_(fd) {}
  ~RawLink() {
    if (fd_ >= 0) ::close(fd_);
  }
  RawLink(const RawLink&) = delete;
  RawLink& operator=(const RawLink&) = delete;

  static std::unique_ptr<RawLink> Tcp(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<RawLink>(fd);
  }

  static std::unique_ptr<RawLink> Pty(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
    return std::make_unique<RawLink>(fd);
  }

  void SendBytes(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void Send(std::uint16_t dest, std::uint8_t number, std::uint8_t command, const std::string& text,
            std::uint16_t source = 768) {
    SendBytes(komm::BuildFrame({source, dest, number, command, text}));
  }

  // The next complete frame, or none within the time. Records the longest gap between bytes.
  std::optional<komm::Telegram> Receive(int timeoutMs = 2000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::optional<Clock::time_point> lastByte;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return std::nullopt;
      pollfd pfd{fd_, POLLIN, 0};
      if (::poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
      std::uint8_t byte = 0;
      if (::read(fd_, &byte, 1) != 1) return std::nullopt;
      const auto now = Clock::now();
      if (lastByte) longestGap_ = std::max(longestGap_, now - *lastByte);
      lastByte = now;
      const auto result = reader_.Feed(byte);
      if (result == komm::FrameReader::Result::Complete) return reader_.telegram();
      if (result == komm::FrameReader::Result::BadCrc) {
        badCrc_ = true;
        return std::nullopt;
      }
    }
  }

  std::optional<komm::Telegram> Ask(std::uint16_t dest, std::uint8_t number, std::uint8_t command,
                                    const std::string& text = "") {
    Send(dest, number, command, text);
    return Receive();
  }

  Clock::duration longestGap() const { return longestGap_; }
  bool badCrc() const { return badCrc_; }
  int fd() const { return fd_; }

 private:
  int fd_;
  komm::FrameReader reader_;
  Clock::duration longestGap_{};
  bool badCrc_ = false;
};

TEST(PeerProcess, AnswersOverTcpAndThePtyAndTracesBoth) {
  ybrtest::PeerProcess peer({"--address", "3"});
  auto tcp = RawLink::Tcp(peer.TcpPort());
  ASSERT_TRUE(tcp);
  const auto version = tcp->Ask(3, 5, 75);
  ASSERT_TRUE(version);
  EXPECT_EQ(version->source, 3);
  EXPECT_EQ(version->dest, 768);
  EXPECT_EQ(version->command, 77);
  EXPECT_EQ(version->text, "SIM VI20 V.03.01.07");

  auto pty = RawLink::Pty(peer.PtyPath());
  ASSERT_TRUE(pty);
  const auto year = pty->Ask(0x4000, 6, 96);
  ASSERT_TRUE(year);
  EXPECT_EQ(year->source, 0x4000);
  EXPECT_EQ(year->command, 95);
  EXPECT_EQ(year->text, "-1");

  // A name with an umlaut byte and a tab goes into the trace escaped and comes back whole.
  const std::string name = std::string("T\xFCr\t1\\x", 7);
  const auto ack = tcp->Ask(3, 7, 27, "12289 " + name + " T&r!2");
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->command, 3);
  const auto data = tcp->Ask(3, 8, 24);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->text, "12289 " + name + " T&r!2");

  const auto trace = peer.Trace();
  ASSERT_EQ(trace.size(), 8u);
  EXPECT_EQ(trace[0].dir, "rx");
  EXPECT_EQ(trace[0].src, 768);
  EXPECT_EQ(trace[0].dst, 3);
  EXPECT_EQ(trace[0].number, 5);
  EXPECT_EQ(trace[0].command, 75);
  EXPECT_EQ(trace[1].dir, "tx");
  EXPECT_EQ(trace[1].text, "SIM VI20 V.03.01.07");
  EXPECT_EQ(trace[2].dst, 0x4000);
  EXPECT_EQ(trace[4].text, "12289 " + name + " T&r!2");
  EXPECT_EQ(trace[7].text, "12289 " + name + " T&r!2");
}

}  // namespace
