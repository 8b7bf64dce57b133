#include "PeerProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace ybrtest {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string DecodeTraceText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && HexValue(text[i + 2]) >= 0 &&
        HexValue(text[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3])));
      i += 3;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

PeerProcess::PeerProcess(const std::vector<std::string>& extraArgs) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/ybr_peer_XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp: " + std::string(std::strerror(errno)));
  folder_ = pattern;
  ptyPath_ = folder_ + "/com";
  tracePath_ = folder_ + "/trace.tsv";

  std::vector<std::string> args = {
      std::string(YBR_BIN_DIR) + "/controller_peer", "--tcp", "127.0.0.1:0", "--pty", ptyPath_, "--trace", tracePath_};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    std::filesystem::remove_all(folder_);
    throw std::runtime_error("pipe2: " + std::string(std::strerror(errno)));
  }
  Fd readEnd(pipeFds[0]);
  Fd writeEnd(pipeFds[1]);
  // fork rather than posix_spawn: the child asks to be ended with its parent, so a test that
  // is killed (a time-out, a sanitizer abort) leaves no controller behind.
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    if (::dup2(writeEnd.get(), STDOUT_FILENO) < 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  const int forkErrno = errno;
  writeEnd.reset();
  if (pid_ < 0) {
    pid_ = -1;
    std::filesystem::remove_all(folder_);
    throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(forkErrno));
  }

  // Wait for both listening lines.
  std::string output;
  bool tcpSeen = false;
  bool ptySeen = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!(tcpSeen && ptySeen)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd pfd{readEnd.get(), POLLIN, 0};
    const int ready = left.count() > 0 ? ::poll(&pfd, 1, static_cast<int>(left.count())) : 0;
    if (ready < 0 && errno == EINTR) continue;
    char buffer[512];
    const ssize_t n = ready > 0 ? ::read(readEnd.get(), buffer, sizeof buffer) : 0;
    if (n <= 0) {
      Stop();
      std::filesystem::remove_all(folder_);
      throw std::runtime_error("controller_peer did not come up; its output: " + output);
    }
    output.append(buffer, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = output.find('\n')) != std::string::npos) {
      const std::string line = output.substr(0, end);
      output.erase(0, end + 1);
      const std::string tcpPrefix = "listening tcp 127.0.0.1:";
      if (line.rfind(tcpPrefix, 0) == 0) {
        tcpPort_ = static_cast<std::uint16_t>(std::stoi(line.substr(tcpPrefix.size())));
        tcpSeen = true;
      } else if (line == "listening pty " + ptyPath_) {
        ptySeen = true;
      }
    }
  }
}

PeerProcess::~PeerProcess() {
  Stop();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

int PeerProcess::Stop() {
  if (pid_ <= 0) return -1;
  ::kill(pid_, SIGTERM);
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_ || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
  return status;
}

std::vector<PeerTraceLine> PeerProcess::Trace() const {
  std::vector<PeerTraceLine> lines;
  std::ifstream in(tracePath_, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (in.eof()) break;  // a line still being written
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (int i = 0; i < 5; ++i) {
      const std::size_t tab = line.find('\t', start);
      if (tab == std::string::npos) break;
      fields.push_back(line.substr(start, tab - start));
      start = tab + 1;
    }
    if (fields.size() != 5) continue;  // a line being written
    PeerTraceLine t;
    t.dir = fields[0];
    t.src = std::stoi(fields[1]);
    t.dst = std::stoi(fields[2]);
    t.number = std::stoi(fields[3]);
    t.command = std::stoi(fields[4]);
    t.text = DecodeTraceText(line.substr(start));
    lines.push_back(std::move(t));
  }
  return lines;
}

}  // namespace ybrtest

namespace ybrtest {

std::vector<PeerTraceLine> PeerProcess::TraceWithAtLeast(std::size_t count, int timeoutMs) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    auto lines = Trace();
    if (lines.size() >= count || std::chrono::steady_clock::now() > deadline) return lines;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace ybrtest
