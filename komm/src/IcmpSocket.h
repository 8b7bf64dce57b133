// The socket that carries the ping: the ICMP datagram socket where the system grants it
// (net.ipv4.ping_group_range), else a raw ICMP socket where the process may open one. On the
// datagram socket the system chooses the identifier and the checksum of what is sent, and an
// ICMP error message about our request comes as an error report beside the received packets,
// read at the moment it arrives, as the raw socket receives the message itself.
#pragma once

#include <netinet/in.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "IcmpPaket.h"
#include "UniqueFd.h"

namespace komm {

class IcmpSocket {
 public:
  // Opens one of the two kinds; when neither can be opened, valid() is false and error()
  // holds the reason (errno) of the last refusal.
  IcmpSocket();

  bool valid() const { return socket_.valid(); }
  int error() const { return error_; }
  // The identifier that our echo requests carry, as the packet reader compares it.
  std::uint16_t identifier() const { return identifier_; }

  // The time-to-live of the packets sent; false when the option cannot be set.
  bool SetTtl(int ttl);

  // How one echo ended.
  enum class End {
    Reply,        // our echo reply came
    Unreachable,  // the destination was reported unreachable for our request
    TimedOut,     // the wait ran out without a packet
    Deadline,     // packets of others kept coming until the time was used up
    SendFailed,
    OptionFailed,  // the receive time-out could not be set
    ReceiveFailed,
  };
  struct Echo {
    End end = End::TimedOut;
    std::uint32_t ms = 0;   // from the send to the end
    in_addr from{};         // who sent the reply (or the unreachable message)
    int ttl = 0;            // its time-to-live
    std::uint8_t code = 0;  // the code of the unreachable message
  };

  // Sends the request to the address and waits up to timeoutMs for our reply. Packets that
  // are not ours (among them, on a raw socket, our own request on loopback) are ignored.
  Echo SendEcho(const in_addr& to, const std::uint8_t* request, std::size_t size, std::uint32_t timeoutMs);

 private:
  // What one receive brought.
  struct Received {
    enum class Kind { Packet, Nothing, Interrupted, Failed, OptionFailed };
    Kind kind = Kind::Nothing;
    IcmpReply reply;  // the packet (or error report) read
    in_addr from{};   // the sender of the packet (of an error report: of the ICMP message)
    int ttl = 0;      // its time-to-live
  };

  bool OpenDatagram();
  bool OpenRaw();
  // One packet within ms; on the datagram socket an error report that ends the wait.
  Received Receive(int ms);
  // One message at once: flags 0 a packet, MSG_ERRQUEUE an error report of the datagram socket.
  Received ReceiveMessage(int flags);

  UniqueFd socket_;
  bool raw_ = false;
  int error_ = 0;
  std::uint16_t identifier_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace komm
