// ICMP echo packets of the ping before connecting: the request that the library sends and
// the reading of what comes back. 16-bit fields are kept in the machine's byte order, as the
// checksum rule expects; the checksum makes the bytes on the line right in either order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace komm {

constexpr std::uint8_t kIcmpEchoReply = 0;
constexpr std::uint8_t kIcmpUnreachable = 3;
constexpr std::uint8_t kIcmpEchoRequest = 8;
constexpr std::size_t kIcmpHeaderSize = 8;
constexpr std::size_t kEchoRequestSize = 24;

// RFC 1071 Internet checksum: 16-bit words summed, a last odd byte added unchanged, the
// carries folded back, the one's complement returned. Stored as it is, it is right on the line.
std::uint16_t IcmpChecksum(const std::uint8_t* bytes, std::size_t count);

// The 24-byte echo request: type 8, code 0, checksum, identifier, sequence number 0, the
// millisecond clock at sending, and the payload "Qiv_DLL Test".
std::array<std::uint8_t, kEchoRequestSize> BuildEchoRequest(std::uint16_t identifier, std::uint32_t tick);

// The 8-byte echo request without data.
std::array<std::uint8_t, kIcmpHeaderSize> BuildBareEchoRequest(std::uint16_t identifier);

struct IcmpReply {
  enum class Kind {
    Other,        // not ours, or too short to read: ignored
    EchoReply,    // the echo reply that carries our identifier
    Unreachable,  // destination unreachable (code 0 or 1) for our own echo request
  };
  Kind kind = Kind::Other;
  std::uint8_t code = 0;
  int ttl = -1;  // the time-to-live of the IP header, when the packet carries one
};

// Reads one received packet. withIpHeader: the packet begins with its IP header (raw socket);
// without it (datagram socket) it is the ICMP message itself. Every length is checked before
// a field is read.
IcmpReply ReadIcmpReply(const std::uint8_t* packet, std::size_t length, bool withIpHeader, std::uint16_t identifier);

// Reads an ICMP error message about a request of ours as the datagram socket reports it: the
// message's type and code, and the request it quotes, from its ICMP header on. By the same rule
// as a received packet, it counts only as "destination unreachable" for our echo request.
IcmpReply ReadIcmpError(std::uint8_t type, std::uint8_t code, const std::uint8_t* request, std::size_t length,
                        std::uint16_t identifier);

}  // namespace komm
