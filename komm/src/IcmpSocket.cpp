#include "IcmpSocket.h"

#include <linux/errqueue.h>
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
// Room for what comes beside a packet: its time-to-live, and with an error report the report
// and the address of the ICMP message's sender.
constexpr std::size_t kControlSize =
    CMSG_SPACE(sizeof(int)) + CMSG_SPACE(sizeof(sock_extended_err) + sizeof(sockaddr_in));

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
  // Without an IP header in what is received, the time-to-live comes beside the packet. The
  // socket gets ICMP error messages about its requests only when it asks for them.
  const int on = 1;
  setsockopt(socket_.get(), IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
  if (setsockopt(socket_.get(), IPPROTO_IP, IP_RECVERR, &on, sizeof on) != 0) {
    error_ = errno;
    socket_.reset();
    return false;
  }
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

bool IcmpSocket::SetTtl(int ttl) { return setsockopt(socket_.get(), IPPROTO_IP, IP_TTL, &ttl, sizeof ttl) == 0; }

IcmpSocket::Received IcmpSocket::Receive(int ms) {
  const timeval wait{ms / 1000, (ms % 1000) * 1000};
  if (setsockopt(socket_.get(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0) {
    return {Received::Kind::OptionFailed, {}, {}, 0};
  }
  const Received packet = ReceiveMessage(0);
  if (packet.kind != Received::Kind::Failed || raw_) return packet;
  // An ICMP error message about our request ends the datagram socket's wait with its error;
  // the message itself waits in the error queue.
  const Received report = ReceiveMessage(MSG_ERRQUEUE);
  return report.kind == Received::Kind::Packet ? report : packet;
}

IcmpSocket::Received IcmpSocket::ReceiveMessage(int flags) {
  Received received;
  sockaddr_in sender{};
  iovec data{buffer_.data(), buffer_.size()};
  alignas(cmsghdr) std::uint8_t control[kControlSize] = {};
  msghdr message{};
  message.msg_name = &sender;
  message.msg_namelen = sizeof sender;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  const ssize_t n = recvmsg(socket_.get(), &message, flags);
  if (n < 0) {
    received.kind = errno == EINTR                              ? Received::Kind::Interrupted
                    : (errno == EAGAIN || errno == EWOULDBLOCK) ? Received::Kind::Nothing
                                                                : Received::Kind::Failed;
    return received;
  }
  received.kind = Received::Kind::Packet;
  received.from = sender.sin_addr;
  const std::size_t length = static_cast<std::size_t>(n);
  bool report = false;
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level != IPPROTO_IP) continue;
    if (c->cmsg_type == IP_TTL && c->cmsg_len >= CMSG_LEN(sizeof(int))) {
      std::memcpy(&received.ttl, CMSG_DATA(c), sizeof(int));
    } else if (c->cmsg_type == IP_RECVERR && c->cmsg_len >= CMSG_LEN(sizeof(sock_extended_err) + sizeof(sockaddr_in))) {
      // The report of an ICMP message: its type and code, and who sent it; the data is the
      // request it quotes.
      sock_extended_err error{};
      std::memcpy(&error, CMSG_DATA(c), sizeof error);
      if (error.ee_origin != SO_EE_ORIGIN_ICMP) continue;
      sockaddr_in offender{};
      std::memcpy(&offender, CMSG_DATA(c) + sizeof error, sizeof offender);
      received.from = offender.sin_addr;
      received.reply = ReadIcmpError(error.ee_type, error.ee_code, buffer_.data(), length, identifier_);
      report = true;
    }
  }
  // A report of anything but an ICMP message stays read as no packet of ours.
  if (!report && (flags & MSG_ERRQUEUE) == 0) {
    received.reply = ReadIcmpReply(buffer_.data(), length, raw_, identifier_);
    if (raw_) received.ttl = received.reply.ttl;
  }
  return received;
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
    const Received received = Receive(static_cast<int>(timeoutMs - echo.ms));
    echo.ms = MsClock() - start;
    switch (received.kind) {
      case Received::Kind::Interrupted: continue;
      case Received::Kind::Nothing: echo.end = End::TimedOut; return echo;
      case Received::Kind::Failed: echo.end = End::ReceiveFailed; return echo;
      case Received::Kind::OptionFailed: echo.end = End::OptionFailed; return echo;
      case Received::Kind::Packet: break;
    }
    echo.from = received.from;
    echo.ttl = received.ttl;
    echo.code = received.reply.code;
    if (received.reply.kind == IcmpReply::Kind::EchoReply) {
      echo.end = End::Reply;
      return echo;
    }
    if (received.reply.kind == IcmpReply::Kind::Unreachable) {
      echo.end = End::Unreachable;
      return echo;
    }
  }
}

}  // namespace komm
