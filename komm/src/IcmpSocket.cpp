#include "IcmpSocket.h"

#include <netinet/ip.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "KommGlobals.h"

namespace komm {
namespace {

constexpr std::size_t kReceiveBufferSize = 65032;

// What Receive reports besides the length of a packet.
constexpr int kNothingCame = 0;
constexpr int kReceiveFailed = -1;
constexpr int kOptionFailed = -2;
constexpr int kInterrupted = -3;

}  // namespace

IcmpSocket::IcmpSocket() : buffer_(kReceiveBufferSize) {
  if (!OpenDatagram()) OpenRaw();
}

bool IcmpSocket::OpenDatagram() {
  socket_ = UniqueFd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
  if (!socket_.valid()) {
    error_ = errno;
    return false;
  }
  // The system gives the socket its identifier when it is bound; our requests carry it.
  sockaddr_in own{};
  own.sin_family = AF_INET;
  socklen_t length = sizeof own;
  if (bind(socket_.get(), reinterpret_cast<const sockaddr*>(&own), sizeof own) != 0 ||
      getsockname(socket_.get(), reinterpret_cast<sockaddr*>(&own), &length) != 0) {
    error_ = errno;
    socket_.reset();
    return false;
  }
  std::memcpy(&identifier_, &own.sin_port, sizeof identifier_);
  // Without an IP header in what is received, the time-to-live comes beside the packet.
  const int on = 1;
  setsockopt(socket_.get(), IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
  raw_ = false;
  return true;
}

bool IcmpSocket::OpenRaw() {
  socket_ = UniqueFd(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
  if (!socket_.valid()) {
    error_ = errno;
    return false;
  }
  identifier_ = static_cast<std::uint16_t>(getpid() & 0xFFFF);
  raw_ = true;
  return true;
}

bool IcmpSocket::SetTtl(int ttl) {
  return setsockopt(socket_.get(), IPPROTO_IP, IP_TTL, &ttl, sizeof ttl) == 0;
}

int IcmpSocket::Receive(int ms, in_addr& from, int& ttl) {
  const timeval wait{ms / 1000, (ms % 1000) * 1000};
  if (setsockopt(socket_.get(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0) return kOptionFailed;
  sockaddr_in sender{};
  iovec data{buffer_.data(), buffer_.size()};
  alignas(cmsghdr) std::uint8_t control[CMSG_SPACE(sizeof(int))] = {};
  msghdr message{};
  message.msg_name = &sender;
  message.msg_namelen = sizeof sender;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  const ssize_t n = recvmsg(socket_.get(), &message, 0);
  if (n < 0 && errno == EINTR) return kInterrupted;
  if (n < 0) return (errno == EAGAIN || errno == EWOULDBLOCK) ? kNothingCame : kReceiveFailed;
  from = sender.sin_addr;
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL && c->cmsg_len >= CMSG_LEN(sizeof(int))) {
      std::memcpy(&ttl, CMSG_DATA(c), sizeof(int));
    }
  }
  return static_cast<int>(n);
}

IcmpSocket::Echo IcmpSocket::SendEcho(const in_addr& to, const std::uint8_t* request, std::size_t size,
                                      std::uint32_t timeoutMs) {
  Echo echo;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr = to;
  if (sendto(socket_.get(), request, size, 0, reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
      static_cast<ssize_t>(size)) {
    echo.end = End::SendFailed;
    return echo;
  }
  const std::uint32_t start = MsClock();
  for (;;) {
    echo.ms = MsClock() - start;
    if (echo.ms >= timeoutMs) {
      echo.end = End::Deadline;
      return echo;
    }
    int ttl = 0;
    const int n = Receive(static_cast<int>(timeoutMs - echo.ms), echo.from, ttl);
    echo.ms = MsClock() - start;
    if (n == kInterrupted) continue;
    if (n <= 0) {
      echo.end = n == kNothingCame ? End::TimedOut : n == kOptionFailed ? End::OptionFailed : End::ReceiveFailed;
      return echo;
    }
    const IcmpReply reply = ReadIcmpReply(buffer_.data(), static_cast<std::size_t>(n), raw_, identifier_);
    echo.ttl = raw_ ? reply.ttl : ttl;
    echo.code = reply.code;
    if (reply.kind == IcmpReply::Kind::EchoReply) {
      echo.end = End::Reply;
      return echo;
    }
    if (reply.kind == IcmpReply::Kind::Unreachable) {
      echo.end = End::Unreachable;
      return echo;
    }
  }
}

}  // namespace komm
