// Command line of controller_peer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace peer {

enum class FaultKind { Ok, Silent, Nak, NumNa, Unknown, WrongSender, BadCrc, Slow };

// For requests with this command the next `count` times (every time when count < 0) behave
// as `kind`. Several entries for one command take their turns in the order given.
struct FaultSpec {
  std::uint8_t command = 0;
  FaultKind kind = FaultKind::Ok;
  int count = -1;
};

enum class DeviceType { ZO10, RA20 };

struct PeerOptions {
  std::optional<std::string> tcpHost;  // with tcpPort: listen there
  std::uint16_t tcpPort = 0;
  std::optional<std::string> ptyPath;  // symbolic link to the slave side of a pseudo-terminal
  std::uint16_t address = 9;
  DeviceType type = DeviceType::RA20;
  std::optional<std::string> firmware;  // else the default of the type
  std::uint32_t bookings = 0;
  std::vector<FaultSpec> faults;
  std::optional<std::string> tracePath;
  std::uint32_t eraseDelayMs = 700;
  std::uint32_t replyDelayMs = 0;
  bool help = false;
};

// The version answer of a controller of this type when --firmware is not given.
std::string DefaultFirmware(DeviceType type);

struct ParseResult {
  PeerOptions options;
  std::string error;  // empty when the command line was understood
};

ParseResult ParseOptions(const std::vector<std::string>& args);

std::optional<FaultSpec> ParseFault(const std::string& text);

const char* UsageText();

}  // namespace peer
