#include "PeerServer.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>

#include "PeerTrace.h"

namespace peer {
namespace {

// A gap longer than this inside a frame drops what was read of it, as the library does.
constexpr std::int64_t kByteGapMs = 80;
// The gap inside an answer sent with the "slow" fault, counted from the moment its first bytes
// were written. A reader checks its 80 ms byte deadline only between waits for the next byte
// (up to 40 ms each over TCP), so it notices a gap for sure only when the gap runs well past
// 80 + 40 ms from the moment it read the first bytes.
constexpr std::int64_t kSlowGapMs = 150;
// The first bytes of a slow answer wait this long, so that they do not arrive while the program
// still pauses after its send (5 ms, then 25 ms before it reads): bytes that wait in its buffer
// are read late, and the gap it sees would be shorter by that much.
constexpr std::int64_t kSlowHeadStartMs = 60;
// The slow answer is cut behind the start bytes and half of the header.
constexpr std::size_t kSlowCut = 5;

std::int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void Complain(const std::string& what) { std::fprintf(stderr, "controller_peer: %s\n", what.c_str()); }

void Complain(const std::string& what, int error) { Complain(what + ": " + std::strerror(error)); }

bool SetFlags(int fd, bool nonBlocking) {
  const int fdFlags = fcntl(fd, F_GETFD);
  if (fdFlags < 0 || fcntl(fd, F_SETFD, fdFlags | FD_CLOEXEC) < 0) return false;
  if (!nonBlocking) return true;
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) >= 0;
}

}  // namespace

void UniqueFd::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

PeerServer::PeerServer(PeerOptions options, PeerController controller)
    : options_(std::move(options)), controller_(std::move(controller)) {
  client_.name = "tcp";
  pty_.name = "pty";
}

PeerServer::~PeerServer() {
  if (linkCreated_) ::unlink(options_.ptyPath->c_str());
}

bool PeerServer::Start() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
    Complain("cannot block signals", errno);
    return false;
  }
  signals_.reset(signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK));
  if (!signals_) {
    Complain("signalfd", errno);
    return false;
  }
  // A closed client or a file-size limit on the trace makes a write fail; the peer answers on.
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGXFSZ, SIG_IGN);
  if (options_.tracePath) {
    trace_.reset(std::fopen(options_.tracePath->c_str(), "we"));
    if (!trace_) {
      Complain("cannot open the trace " + *options_.tracePath, errno);
      return false;
    }
  }
  if (options_.tcpHost && !OpenTcp()) return false;
  if (options_.ptyPath && !OpenPty()) return false;
  return true;
}

bool PeerServer::OpenTcp() {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(options_.tcpPort);
  const int rc =
      getaddrinfo(options_.tcpHost->empty() ? nullptr : options_.tcpHost->c_str(), port.c_str(), &hints, &found);
  if (rc != 0) {
    Complain("cannot resolve " + *options_.tcpHost + ": " + gai_strerror(rc));
    return false;
  }
  std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> list(found, &freeaddrinfo);
  int lastError = 0;
  for (const addrinfo* ai = list.get(); ai != nullptr; ai = ai->ai_next) {
    UniqueFd fd(::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol));
    if (!fd) {
      lastError = errno;
      continue;
    }
    const int on = 1;
    setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd.get(), ai->ai_addr, ai->ai_addrlen) != 0 || ::listen(fd.get(), 8) != 0) {
      lastError = errno;
      continue;
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    if (getsockname(fd.get(), reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
      lastError = errno;
      continue;
    }
    const std::uint16_t boundPort =
        ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<const sockaddr_in6*>(&bound)->sin6_port
                                          : reinterpret_cast<const sockaddr_in*>(&bound)->sin_port);
    const std::string& host = *options_.tcpHost;
    tcpText_ = (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" + std::to_string(boundPort);
    listener_ = std::move(fd);
    return true;
  }
  Complain("cannot listen on " + *options_.tcpHost + ":" + port, lastError);
  return false;
}

bool PeerServer::OpenPty() {
  int master = -1;
  int slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
    Complain("openpty", errno);
    return false;
  }
  pty_.fd.reset(master);
  ptySlave_.reset(slave);
  termios raw{};
  if (tcgetattr(slave, &raw) != 0) {
    Complain("tcgetattr", errno);
    return false;
  }
  cfmakeraw(&raw);
  if (tcsetattr(slave, TCSANOW, &raw) != 0 || !SetFlags(master, true) || !SetFlags(slave, false)) {
    Complain("cannot set up the pseudo-terminal", errno);
    return false;
  }
  const char* slaveName = ttyname(slave);
  if (slaveName == nullptr) {
    Complain("ttyname", errno);
    return false;
  }
  const std::string& path = *options_.ptyPath;
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0) {
    // A link left by an earlier run is replaced; anything else stays.
    if (!S_ISLNK(st.st_mode) || ::unlink(path.c_str()) != 0) {
      Complain(path + " exists and is not a symbolic link that can be replaced");
      return false;
    }
  }
  if (::symlink(slaveName, path.c_str()) != 0) {
    Complain("cannot make the link " + path, errno);
    return false;
  }
  linkCreated_ = true;
  // The peer keeps the slave side open, so closing it does not end the terminal's life:
  // the exclusive mode a program set and the answers it did not read would meet the next
  // program. A close of the slave side ends both.
  ptyCloses_.reset(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!ptyCloses_ || inotify_add_watch(ptyCloses_.get(), slaveName, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
    Complain("cannot watch " + std::string(slaveName), errno);
    return false;
  }
  return true;
}

void PeerServer::PtyClientClosed() {
  alignas(inotify_event) char events[4096];
  while (::read(ptyCloses_.get(), events, sizeof events) > 0) {
  }
  ioctl(ptySlave_.get(), TIOCNXCL);
  tcflush(ptySlave_.get(), TCIFLUSH);
  pty_.out.clear();
  pty_.reader.Reset();
}

int PeerServer::Run() {
  if (listener_) std::printf("listening tcp %s\n", tcpText_.c_str());
  if (linkCreated_) std::printf("listening pty %s\n", options_.ptyPath->c_str());
  std::fflush(stdout);

  for (;;) {
    std::vector<pollfd> fds;
    fds.push_back({signals_.get(), POLLIN, 0});
    const std::size_t listenerAt = fds.size();
    if (listener_ && !client_.fd) fds.push_back({listener_.get(), POLLIN, 0});
    const std::size_t clientAt = fds.size();
    if (client_.fd) fds.push_back({client_.fd.get(), POLLIN, 0});
    const std::size_t ptyAt = fds.size();
    if (pty_.fd) fds.push_back({pty_.fd.get(), POLLIN, 0});
    const std::size_t closesAt = fds.size();
    if (ptyCloses_) fds.push_back({ptyCloses_.get(), POLLIN, 0});

    const auto timeout = NextTimeoutMs();
    const int ready = ::poll(fds.data(), fds.size(), timeout ? *timeout : -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      Complain("poll", errno);
      return 1;
    }
    if (fds[0].revents != 0) {
      signalfd_siginfo info{};
      if (::read(signals_.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) return 0;
    }
    if (listenerAt < clientAt && fds[listenerAt].revents != 0) Accept();
    if (clientAt < ptyAt && fds[clientAt].revents != 0) ReadFrom(client_);
    if (ptyAt < closesAt && fds[ptyAt].revents != 0) ReadFrom(pty_);
    // After the read: what the closing program sent before its close is answered into the
    // void, not to the next program.
    if (closesAt < fds.size() && fds[closesAt].revents != 0) PtyClientClosed();
    Flush(client_);
    Flush(pty_);
  }
}

void PeerServer::Accept() {
  UniqueFd fd(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
  if (!fd) {
    if (errno != EAGAIN && errno != EINTR && errno != ECONNABORTED) Complain("accept", errno);
    return;
  }
  client_.fd = std::move(fd);
  client_.reader.Reset();
  client_.out.clear();
}

void PeerServer::CloseClient() {
  client_.fd.reset();
  client_.reader.Reset();
  client_.out.clear();
}

void PeerServer::ReadFrom(Link& link) {
  std::uint8_t buffer[4096];
  const ssize_t n = ::read(link.fd.get(), buffer, sizeof buffer);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (n <= 0) {
    if (&link == &client_) {
      CloseClient();
    } else {
      // The peer holds the slave side itself, so the master sees no hangup; this is a fault.
      Complain("read from the pseudo-terminal", n < 0 ? errno : EIO);
      pty_.fd.reset();
    }
    return;
  }
  const std::int64_t now = NowMs();
  const bool insideFrame = link.reader.phase() != komm::FrameReader::Phase::Start || link.reader.count() > 0;
  if (insideFrame && now - link.lastByteMs > kByteGapMs) link.reader.Reset();
  link.lastByteMs = now;
  for (ssize_t i = 0; i < n; ++i) {
    if (link.reader.Feed(buffer[i]) != komm::FrameReader::Result::Complete) continue;
    const komm::Telegram& request = link.reader.telegram();
    Trace(FormatTraceLine("rx", request));
    if (const auto answer = controller_.Handle(request)) Queue(link, *answer);
  }
}

void PeerServer::Queue(Link& link, const Outgoing& answer) {
  std::vector<std::uint8_t> frame = komm::BuildFrame(answer.telegram);
  if (answer.how == Transmission::BadCrc) {
    frame[frame.size() - 2] ^= 0xFF;
    frame[frame.size() - 1] ^= 0xFF;
  }
  std::int64_t due = NowMs() + answer.delayMs;
  if (!link.out.empty()) due = std::max(due, link.out.back().dueMs);
  std::string traceLine = FormatTraceLine("tx", answer.telegram);
  if (answer.how == Transmission::Slow) {
    const std::int64_t first = due + kSlowHeadStartMs;
    link.out.push_back({first, {frame.begin(), frame.begin() + kSlowCut}, std::move(traceLine), kSlowGapMs});
    link.out.push_back({first + kSlowGapMs, {frame.begin() + kSlowCut, frame.end()}, {}});
  } else {
    link.out.push_back({due, std::move(frame), std::move(traceLine)});
  }
}

void PeerServer::Flush(Link& link) {
  const std::int64_t now = NowMs();
  while (link.fd && !link.out.empty() && link.out.front().dueMs <= now) {
    Link::Chunk chunk = std::move(link.out.front());
    link.out.pop_front();
    if (!chunk.traceLine.empty()) Trace(chunk.traceLine);
    std::size_t done = 0;
    while (done < chunk.bytes.size()) {
      const ssize_t n = &link == &client_
                            ? ::send(link.fd.get(), chunk.bytes.data() + done, chunk.bytes.size() - done, MSG_NOSIGNAL)
                            : ::write(link.fd.get(), chunk.bytes.data() + done, chunk.bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (&link == &client_ && !(n < 0 && errno == EAGAIN)) {
        CloseClient();
        return;
      }
      // Nobody reads the other end: the answer is dropped, as on a line without a listener.
      Complain(link.name + ": answer dropped, the other side does not read");
      break;
    }
    // A late write must not shorten the gap behind it.
    if (chunk.gapAfterMs > 0 && !link.out.empty()) {
      link.out.front().dueMs = std::max(link.out.front().dueMs, NowMs() + chunk.gapAfterMs);
    }
  }
}

void PeerServer::Trace(const std::string& line) {
  if (!trace_) return;
  std::fputs(line.c_str(), trace_.get());
  std::fflush(trace_.get());
}

std::optional<int> PeerServer::NextTimeoutMs() const {
  std::optional<std::int64_t> due;
  for (const Link* link : {&client_, &pty_}) {
    if (link->fd && !link->out.empty()) due = std::min(due.value_or(link->out.front().dueMs), link->out.front().dueMs);
  }
  if (!due) return std::nullopt;
  return static_cast<int>(std::clamp<std::int64_t>(*due - NowMs(), 0, 60000));
}

}  // namespace peer
