#include "NetzInterface.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <chrono>
#include <new>
#include <thread>

#include "KommGlobals.h"
#include "Ping.h"

namespace komm {
namespace {

int objectsMade = 0;

constexpr int kConnectTimeoutMs = 5000;
constexpr std::uint32_t kByteWaitMs = 40;

const char kConnectFailed[] = "Fehler Verbindung nicht hergestellt. ";

// The library's socket error number (10004 to 10065), under which its error texts stand, for
// an error that a POSIX socket reports; any other error keeps its own number.
int WsaCode(int errnoValue) {
  switch (errnoValue) {
    case EINTR: return 10004;
    case EACCES: return 10013;
    case EPERM: return 10013;  // a raw socket refused for lack of rights
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE: return 10024;
    case ENFILE: return 10024;  // no socket left, also system-wide
    case ENOMEM: return 10055;  // a socket without memory: no buffer space
    case EWOULDBLOCK: return 10035;
    case EINPROGRESS: return 10036;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EOPNOTSUPP: return 10045;
    case EAFNOSUPPORT: return 10047;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    case ECONNRESET: return 10054;
    case ENOBUFS: return 10055;
    case ENOTCONN: return 10057;
    case ESHUTDOWN: return 10058;
    case ETIMEDOUT: return 10060;
    case EHOSTUNREACH: return 10065;
    default: return errnoValue;
  }
}

// Connects with a bound on the wait; the socket is blocking again afterwards.
bool ConnectBounded(int fd, const sockaddr_in& address) {
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return false;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (errno != EINPROGRESS) return false;
    const std::uint32_t deadline = MsClock() + kConnectTimeoutMs;
    pollfd pfd{fd, POLLOUT, 0};
    int ready = 0;
    for (;;) {
      const std::uint32_t now = MsClock();
      if (Passed(now, deadline)) return false;
      ready = poll(&pfd, 1, static_cast<int>(deadline - now) + 1);
      if (ready > 0) break;
      if (ready < 0 && errno != EINTR) return false;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return false;
  }
  if (fcntl(fd, F_SETFL, flags) != 0) return false;
  // A send that the peer never takes must not hold the caller for ever.
  timeval sendTimeout{kConnectTimeoutMs / 1000, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof sendTimeout);
  // A telegram goes out in three writes (start bytes, data, CRC): none of them may wait
  // for the acknowledgement of the one before.
  const int noDelay = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
  return true;
}

}  // namespace

std::string WsaErrorText(int errnoValue) {
  const int code = WsaCode(errnoValue);
  // The texts, one a line.
  // clang-format off
  switch (code) {
    case 10004: return "The (blocking) call was canceled through WSACancelBlockingCall.";
    case 10013: return "The requested address is a broadcast address, but the appropriate flag was not set.";
    case 10014: return "The name argument is not a valid part of the user address space.";
    case 10022: return "An unknown flag was specified, or MSG_OOB was specified for a socket with SO_OOBINLINE enabled.";
    case 10035: return "The socket is marked as nonblocking and the requested operation would block.";
    case 10036: return "A blocking Windows Sockets 1.1 call is in progress, or the service provider is still processing a callback function.";
    case 10038: return "The descriptor is not a socket.";
    case 10039: return "A destination address is required.";
    case 10040: return "The socket is message oriented, and the message is larger than the maximum supported by the underlying transport.";
    case 10045: return "MSG_OOB was specified, but the socket is not stream style such as type SOCK_STREAM, out-of-band data is not supported in the communication domain associated with this socket, or the socket is unidirectional and supports only receive operations.";
    case 10047: return "Addresses in the specified family cannot be used with this socket.";
    case 10049: return "The specified address is not available from the local machine.";
    case 10050: return "The network subsystem has failed";
    case 10051: return "The network cannot be reached from this host at this time.";
    case 10052: return "The connection has been broken due to the remote host resetting.";
    case 10053: return "The virtual circuit was terminated due to a time-out or other failure. The application should close the socket as it is no longer usable.";
    case 10054: return "The virtual circuit was reset by the remote side executing a 'hard' or 'abortive' close. For UPD sockets, the remote host was unable to deliver a previously sent UDP datagram and responded with a 'Port Unreachable' ICMP packet. The application should close the socket as it is no longer usable.";
    case 10055: return "No buffer space is available.";
    case 10057: return "The socket is not connected (connection-oriented sockets only)";
    case 10058: return "The socket has been shut down; it is not possible to sendto on a socket after shutdown has been invoked with how set to SD_SEND or SD_BOTH.";
    case 10060: return "The connection has been dropped, because of a network failure or because the system on.";
    case 10065: return "The remote host cannot be reached from this host at this time.";
    case 10093: return "A successful WSAStartup must occur before using this function.";
    case 11001: return "Authoritative Answer Host not found.";
    case 11002: return "Non-Authoritative Host not found, or server failure.";
    case 11003: return "Nonrecoverable error occurred.";
    case 11004: return "Valid name, no data record of requested type.";
    default: return "unknown error(" + std::to_string(code) + ").";
  }
  // clang-format on
}

bool LookUpName(const std::string& name, in_addr& address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (name.empty() || getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> entries(found, &freeaddrinfo);
  address = reinterpret_cast<const sockaddr_in*>(entries->ai_addr)->sin_addr;
  return true;
}

Client_Socket::Client_Socket() { CreateSocket(); }

bool Client_Socket::CreateSocket() {
  connected_ = false;
  socket_ = UniqueFd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socket_.valid()) {
    SetLastError("Fehler beim Erzeugen der Socketverbindung" + WsaErrorText(errno));
    return false;
  }
  return true;
}

int Client_Socket::Connect(int port, const std::string& host) {
  if (connected_) return 1;
  if (!socket_.valid() && !CreateSocket()) return 0;

  sockaddr_in address{};
  address.sin_family = AF_INET;
  if (inet_aton(host.c_str(), &address.sin_addr) == 0) {
    // Names with a dot are taken for a mistyped address and not looked up.
    if (host.find('.') != std::string::npos) {
      SetLastError("Fehler in der IPAdresse");
      return 0;
    }
    if (!LookUpName(host, address.sin_addr)) {
      SetLastError("Fehler Zielhost nicht gefunden");
      return 0;
    }
  }

  if (port < 1 || port > 65535 ||
      (address.sin_port = htons(static_cast<std::uint16_t>(port)), !ConnectBounded(socket_.get(), address))) {
    SetLastError(kConnectFailed);
    socket_.reset();
    connected_ = false;
    return 0;
  }
  port_ = static_cast<std::uint16_t>(port);
  connected_ = true;
  return 1;
}

void Client_Socket::Close() {
  socket_.reset();
  connected_ = false;
}

int Client_Socket::Write(const std::uint8_t* bytes, std::size_t count) {
  if (!connected_) return 0;
  std::size_t sent = 0;
  while (sent < count) {
    const ssize_t n = send(socket_.get(), bytes + sent, count - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return 0;
    sent += static_cast<std::size_t>(n);
  }
  return static_cast<int>(count);
}

int Client_Socket::Poll() {
  pollfd pfd{socket_.get(), POLLIN, 0};
  if (poll(&pfd, 1, 0) <= 0 || pfd.revents == 0) return 0;
  return static_cast<int>(recv(socket_.get(), peekBuffer_.data(), peekBuffer_.size(), MSG_PEEK | MSG_DONTWAIT));
}

int Client_Socket::Read(std::uint8_t* buffer, std::size_t count) {
  return static_cast<int>(recv(socket_.get(), buffer, count, MSG_DONTWAIT));
}

bool Client_Socket::WaitReadable(int ms) const {
  pollfd pfd{socket_.get(), POLLIN, 0};
  return poll(&pfd, 1, ms) > 0;
}

T_Netz_Interface::T_Netz_Interface(int debugLevel)
    : number_(++objectsMade), showWindow_(debugLevel == 2 ? 0 : debugLevel) {
  if (showWindow_ != 0) {
    // A window that cannot be made leaves the link without one.
    try {
      window_ = DebugWindow::Create();
    } catch (...) {
      window_.reset();
    }
    if (!window_) showWindow_ = 0;
  }
  try {
    socket_ = std::make_unique<Client_Socket>();
  } catch (const std::bad_alloc&) {
    throw KommText{"kein Speicher für SocketKlasse"};
  }
}

T_Netz_Interface::~T_Netz_Interface() = default;

void T_Netz_Interface::SetStatus(const std::string& text) {
  if (window_) window_->SetStatus(text);
}

int T_Netz_Interface::Open(int port, const std::string& host, unsigned int timeoutMs) {
  try {
    host_ = host;
    port_ = port;
    SetStatus("Suche " + host + " ...");
    // An address that does not answer the ping is not connected to.
    if (!PingByMode(host, timeoutMs)) {
      connected_ = false;
      return 0;
    }
    connected_ = socket_ && socket_->Connect(port, host) == 1;
    if (!connected_ && window_) window_->Hide();
    SetStatus("Verbindung offen ...");
    return connected_ ? 1 : 0;
  } catch (...) {
    connected_ = false;
    if (window_) window_->Hide();
    throw KommText{"Konnte Verbindung zu " + host + " Port:" + std::to_string(port) + " nicht öffnen!\n"};
  }
}

void T_Netz_Interface::Close() {
  if (connected_ && socket_) {
    socket_->Close();
    socket_.reset();
  }
  window_.reset();
  connected_ = false;
}

int T_Netz_Interface::Write(const std::uint8_t* bytes, std::size_t count) {
  try {
    SetStatus("Beginne Daten schreiben...");
    return socket_ ? socket_->Write(bytes, count) : 0;
  } catch (...) {
    return 0;
  }
}

int T_Netz_Interface::Read(std::uint8_t* buffer, std::size_t count) {
  int last = 0;
  try {
    SetStatus(" Warte auf Antwort ... ");
    if (!socket_) return 0;
    std::size_t got = 0;
    for (std::size_t i = 0; i < count; ++i) {
      std::uint8_t byte = 0;
      bool came = false;
      if (socket_->Poll() > 0) {
        last = socket_->Read(&byte, 1);
        came = last == 1;
      }
      // Nothing waiting: wait up to 40 ms for the next byte. A closed or failed connection
      // reports readable at once without data; the wait then runs out without spinning.
      const std::uint32_t start = MsClock();
      for (std::uint32_t elapsed = 0; !came && elapsed < kByteWaitMs; elapsed = MsClock() - start) {
        const int remaining = static_cast<int>(kByteWaitMs - elapsed);
        if (!socket_->WaitReadable(remaining)) continue;
        if (socket_->Poll() > 0) {
          last = socket_->Read(&byte, 1);
          came = last == 1;
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(remaining));
        }
      }
      if (came) buffer[got++] = byte;
    }
    return static_cast<int>(got);
  } catch (...) {
    return last;
  }
}

}  // namespace komm
