#include "IcmpPaket.h"

#include <cstring>
#include <string_view>

namespace komm {
namespace {

constexpr std::size_t kMinIpHeader = 20;
constexpr std::size_t kTtlOffset = 8;
constexpr std::size_t kIdentifierOffset = 4;
constexpr std::string_view kPayload = "Qiv_DLL Test Ping";

std::uint16_t Word(const std::uint8_t* at) {
  std::uint16_t value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// The IP header's length from its first byte; 0 when it cannot be an IPv4 header of this packet.
std::size_t IpHeaderLength(const std::uint8_t* packet, std::size_t length) {
  if (length < kMinIpHeader || (packet[0] >> 4) != 4) return 0;
  const std::size_t header = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
  return header >= kMinIpHeader && header <= length ? header : 0;
}

// Destination unreachable, network (code 0) or host (code 1), for an echo request of ours,
// quoted from its ICMP header on.
bool UnreachableForOurRequest(std::uint8_t type, std::uint8_t code, const std::uint8_t* request, std::size_t length,
                              std::uint16_t identifier) {
  return type == kIcmpUnreachable && code <= 1 && length >= kIcmpHeaderSize && request[0] == kIcmpEchoRequest &&
         Word(request + kIdentifierOffset) == identifier;
}

}  // namespace

std::uint16_t IcmpChecksum(const std::uint8_t* bytes, std::size_t count) {
  std::uint32_t sum = 0;
  std::size_t i = 0;
  for (; i + 1 < count; i += 2) sum += Word(bytes + i);
  if (i < count) {
    // The odd byte in the place it has in memory, as the first byte of a word.
    std::uint16_t last = 0;
    std::memcpy(&last, bytes + i, 1);
    sum += last;
  }
  while ((sum >> 16) != 0) sum = (sum & 0xFFFFU) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

std::array<std::uint8_t, kEchoRequestSize> BuildEchoRequest(std::uint16_t identifier, std::uint32_t tick) {
  std::array<std::uint8_t, kEchoRequestSize> packet{};
  packet[0] = kIcmpEchoRequest;
  std::memcpy(packet.data() + kIdentifierOffset, &identifier, sizeof identifier);
  std::memcpy(packet.data() + 8, &tick, sizeof tick);
  constexpr std::size_t kPayloadOffset = 12;
  std::memset(packet.data() + kPayloadOffset, '.', kEchoRequestSize - kPayloadOffset);
  std::memcpy(packet.data() + kPayloadOffset, kPayload.data(), kEchoRequestSize - kPayloadOffset);
  const std::uint16_t checksum = IcmpChecksum(packet.data(), packet.size());
  std::memcpy(packet.data() + 2, &checksum, sizeof checksum);
  return packet;
}

std::array<std::uint8_t, kIcmpHeaderSize> BuildBareEchoRequest(std::uint16_t identifier) {
  std::array<std::uint8_t, kIcmpHeaderSize> packet{};
  packet[0] = kIcmpEchoRequest;
  std::memcpy(packet.data() + kIdentifierOffset, &identifier, sizeof identifier);
  const std::uint16_t checksum = IcmpChecksum(packet.data(), packet.size());
  std::memcpy(packet.data() + 2, &checksum, sizeof checksum);
  return packet;
}

IcmpReply ReadIcmpReply(const std::uint8_t* packet, std::size_t length, bool withIpHeader, std::uint16_t identifier) {
  IcmpReply reply;
  std::size_t header = 0;
  if (withIpHeader) {
    header = IpHeaderLength(packet, length);
    if (header == 0) return reply;
    reply.ttl = packet[kTtlOffset];
  }
  if (length - header < kIcmpHeaderSize) return reply;
  const std::uint8_t* icmp = packet + header;
  const std::size_t icmpLength = length - header;
  reply.code = icmp[1];
  if (icmp[0] == kIcmpEchoReply && icmp[1] == 0 && Word(icmp + kIdentifierOffset) == identifier) {
    reply.kind = IcmpReply::Kind::EchoReply;
    return reply;
  }
  // An error message quotes the IP header of the request and its first bytes.
  const std::uint8_t* quoted = icmp + kIcmpHeaderSize;
  const std::size_t quotedLength = icmpLength - kIcmpHeaderSize;
  const std::size_t quotedHeader = IpHeaderLength(quoted, quotedLength);
  if (quotedHeader != 0 &&
      UnreachableForOurRequest(icmp[0], icmp[1], quoted + quotedHeader, quotedLength - quotedHeader, identifier)) {
    reply.kind = IcmpReply::Kind::Unreachable;
  }
  return reply;
}

IcmpReply ReadIcmpError(std::uint8_t type, std::uint8_t code, const std::uint8_t* request, std::size_t length,
                        std::uint16_t identifier) {
  IcmpReply reply;
  reply.code = code;
  if (UnreachableForOurRequest(type, code, request, length, identifier)) reply.kind = IcmpReply::Kind::Unreachable;
  return reply;
}

}  // namespace komm
