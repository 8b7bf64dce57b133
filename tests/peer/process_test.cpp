// controller_peer as a process, spoken to with raw frames over loopback TCP and the pty.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

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
      if (!lastByte) firstByte_ = now;
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
  Clock::time_point firstByte() const { return firstByte_; }  // of the last frame received
  bool badCrc() const { return badCrc_; }
  int fd() const { return fd_; }

 private:
  int fd_;
  komm::FrameReader reader_;
  Clock::duration longestGap_{};
  Clock::time_point firstByte_{};
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

TEST(PeerProcess, IgnoresOtherAddresses) {
  ybrtest::PeerProcess peer({"--address", "3"});
  auto tcp = RawLink::Tcp(peer.TcpPort());
  ASSERT_TRUE(tcp);
  tcp->Send(9, 1, 75, "");
  EXPECT_FALSE(tcp->Receive(300));
  EXPECT_TRUE(tcp->Ask(3, 1, 75));
  const auto trace = peer.Trace();
  ASSERT_EQ(trace.size(), 3u);
  EXPECT_EQ(trace[0].dst, 9);
  EXPECT_EQ(trace[1].dir, "rx");
  EXPECT_EQ(trace[2].dir, "tx");
}

TEST(PeerProcess, FaultsReachTheLine) {
  ybrtest::PeerProcess peer(
      {"--fault", "75:bad-crc:1", "--fault", "75:slow:1", "--fault", "75:wrong-sender:1", "--fault", "96:silent"});
  auto tcp = RawLink::Tcp(peer.TcpPort());
  ASSERT_TRUE(tcp);
  EXPECT_FALSE(tcp->Ask(9, 1, 75));
  EXPECT_TRUE(tcp->badCrc());

  // The slow answer starts late, so that a reader that pauses after its send meets the gap
  // in full, and its rest follows 150 ms after its first bytes were written (the peer counts
  // whole milliseconds, so each wait may end up to 1 ms early).
  const auto asked = Clock::now();
  const auto slow = tcp->Ask(9, 0x41, 75);
  const auto complete = Clock::now();
  ASSERT_TRUE(slow);
  EXPECT_EQ(slow->text, "SIM VI20 V.03.01.07");
  EXPECT_GT(tcp->longestGap(), std::chrono::milliseconds(80));
  EXPECT_GE(tcp->firstByte() - asked, std::chrono::milliseconds(60 - 1));
  EXPECT_GE(complete - asked, std::chrono::milliseconds(60 + 150 - 2));

  const auto wrong = tcp->Ask(9, 0x41, 75);
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->source, 10);
  const auto right = tcp->Ask(9, 0x41, 75);
  ASSERT_TRUE(right);
  EXPECT_EQ(right->source, 9);

  tcp->Send(9, 2, 96, "");
  EXPECT_FALSE(tcp->Receive(300));
}

TEST(PeerProcess, AGapInsideARequestDropsWhatWasRead) {
  ybrtest::PeerProcess peer;
  auto pty = RawLink::Pty(peer.PtyPath());
  ASSERT_TRUE(pty);
  const auto frame = komm::BuildFrame({768, 9, 1, 75, ""});
  const std::vector<std::uint8_t> head(frame.begin(), frame.begin() + 5);
  const std::vector<std::uint8_t> tail(frame.begin() + 5, frame.end());
  ASSERT_EQ(std::count(tail.begin(), tail.end(), 0xAA), 0);

  // The head, a pause, then a whole frame: only the whole one counts.
  pty->SendBytes(head);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  pty->SendBytes(frame);
  EXPECT_TRUE(pty->Receive());
  // The head, a pause, the tail: nothing.
  pty->SendBytes(head);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  pty->SendBytes(tail);
  EXPECT_FALSE(pty->Receive(300));
  EXPECT_EQ(peer.Trace().size(), 2u);
}

TEST(PeerProcess, ServesOneTcpClientAfterAnother) {
  ybrtest::PeerProcess peer({"--bookings", "2"});
  {
    auto tcp = RawLink::Tcp(peer.TcpPort());
    ASSERT_TRUE(tcp);
    EXPECT_EQ(tcp->Ask(9, 1, 10)->text, "2");
    ASSERT_EQ(tcp->Ask(9, 2, 5)->command, 15);
    tcp->Send(9, 0, 3, " ");  // acknowledged: gone
    const auto trace = peer.TraceWithAtLeast(5);
    ASSERT_EQ(trace.size(), 5u);
    EXPECT_EQ(trace[4].command, 3);
    EXPECT_EQ(trace[4].text, " ");
    EXPECT_EQ(tcp->Ask(9, 3, 6)->command, 3);
  }
  auto tcp = RawLink::Tcp(peer.TcpPort());
  ASSERT_TRUE(tcp);
  EXPECT_EQ(tcp->Ask(9, 1, 10)->text, "1");
  // The pseudo-terminal reaches the same controller.
  auto pty = RawLink::Pty(peer.PtyPath());
  ASSERT_TRUE(pty);
  EXPECT_EQ(pty->Ask(9, 1, 10)->text, "1");
}

TEST(PeerProcess, AClosedPtyClientLeavesNeitherItsExclusiveModeNorItsAnswers) {
  ybrtest::PeerProcess peer;
  {
    auto first = RawLink::Pty(peer.PtyPath());
    ASSERT_TRUE(first);
    ASSERT_EQ(ioctl(first->fd(), TIOCEXCL), 0);
    first->Send(9, 1, 75, "");  // closed before the answer is read
  }
  // The peer has read the request and seen the close, which ends the exclusive mode.
  EXPECT_FALSE(peer.TraceWithAtLeast(1).empty());
  auto second = RawLink::Pty(peer.PtyPath());
  ASSERT_TRUE(second);
  int exclusive = 1;
  const auto bis = Clock::now() + std::chrono::seconds(2);
  while (ioctl(second->fd(), TIOCGEXCL, &exclusive) == 0 && exclusive != 0 && Clock::now() < bis) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(exclusive, 0);
  const auto year = second->Ask(9, 2, 96);
  ASSERT_TRUE(year);
  EXPECT_EQ(year->command, 95);
}

TEST(PeerProcess, TheEraseIsAnsweredAfterItsDelay) {
  ybrtest::PeerProcess peer({"--erase-delay", "1500"});
  auto tcp = RawLink::Tcp(peer.TcpPort());
  ASSERT_TRUE(tcp);
  tcp->Send(9, 0, 48, "-1");
  EXPECT_FALSE(tcp->Receive(300));
  const auto answer = tcp->Receive(5000);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->command, 3);
  EXPECT_EQ(answer->number, 0);
}

TEST(PeerProcess, StopsCleanlyAndRemovesItsLink) {
  ybrtest::PeerProcess peer;
  struct stat st {};
  ASSERT_EQ(lstat(peer.PtyPath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  const int status = peer.Stop();
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(lstat(peer.PtyPath().c_str(), &st), 0);
}

// The peer inherits a file-size limit far below its trace, with SIGXFSZ at its default: the
// trace stops growing, and the peer answers on and ends cleanly.
TEST(PeerProcess, AFileSizeLimitOnItsTraceDoesNotEndIt) {
  rlimit vorher{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vorher), 0);
  std::optional<ybrtest::PeerProcess> peer;
  {
    rlimit grenze = vorher;
    grenze.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &grenze), 0);
    const auto signal = std::signal(SIGXFSZ, SIG_DFL);
    try {
      peer.emplace();
    } catch (...) {
    }
    std::signal(SIGXFSZ, signal);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &vorher), 0);
  }
  ASSERT_TRUE(peer);
  auto tcp = RawLink::Tcp(peer->TcpPort());
  ASSERT_TRUE(tcp);
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(tcp->Ask(9, static_cast<std::uint8_t>(i), 75)) << i;
  EXPECT_LE(std::filesystem::file_size(peer->TracePath()), 100U);
  const int status = peer->Stop();
  EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

int RunPeer(const std::string& args, std::string* output) {
  const std::string command = std::string(YBR_BIN_DIR) + "/controller_peer " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output->append(buffer, n);
  return ::pclose(pipe);
}

TEST(PeerProcess, HelpAndRefusedCommandLines) {
  std::string help;
  const int status = RunPeer("--help", &help);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (const char* option :
       {"--tcp HOST:PORT", "--pty PATH", "--address N", "--type", "--firmware TEXT", "--bookings N",
        "--fault CMD:KIND[:COUNT]", "--trace FILE", "--erase-delay MS", "--reply-delay MS"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
  std::string refused;
  const int bad = RunPeer("--tcp 127.0.0.1:0 --fault 75:loud", &refused);
  EXPECT_TRUE(WIFEXITED(bad) && WEXITSTATUS(bad) == 2);
  EXPECT_NE(refused.find("--fault wants CMD:KIND[:COUNT]"), std::string::npos);
}

}  // namespace
