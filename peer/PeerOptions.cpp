#include "PeerOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

#include "KommFrame.h"

namespace peer {
namespace {

template <typename T>
std::optional<T> ParseNumber(std::string_view text, long long min, long long max) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max) {
    return std::nullopt;
  }
  return static_cast<T>(value);
}

std::optional<FaultKind> ParseKind(std::string_view name) {
  struct Entry {
    std::string_view name;
    FaultKind kind;
  };
  static constexpr Entry kKinds[] = {
      {"ok", FaultKind::Ok},          {"silent", FaultKind::Silent},   {"nak", FaultKind::Nak},
      {"numna", FaultKind::NumNa},    {"unknown", FaultKind::Unknown}, {"wrong-sender", FaultKind::WrongSender},
      {"bad-crc", FaultKind::BadCrc}, {"slow", FaultKind::Slow},
  };
  for (const auto& entry : kKinds) {
    if (entry.name == name) return entry.kind;
  }
  return std::nullopt;
}

}  // namespace

std::string DefaultFirmware(DeviceType type) {
  return type == DeviceType::RA20 ? "SIM VI20 V.03.01.07" : "SIM ZO10 V.03.01.07";
}

std::optional<FaultSpec> ParseFault(const std::string& text) {
  const auto first = text.find(':');
  if (first == std::string::npos) return std::nullopt;
  const auto second = text.find(':', first + 1);
  FaultSpec spec;
  const auto command = ParseNumber<std::uint8_t>(std::string_view(text).substr(0, first), 0, 255);
  const auto kind = ParseKind(
      std::string_view(text).substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1));
  if (!command || !kind) return std::nullopt;
  spec.command = *command;
  spec.kind = *kind;
  if (second != std::string::npos) {
    const auto count = ParseNumber<int>(std::string_view(text).substr(second + 1), 1, 1000000000);
    if (!count) return std::nullopt;
    spec.count = *count;
  }
  return spec;
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
  ParseResult result;
  PeerOptions& o = result.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      o.help = true;
      continue;
    }
    static constexpr std::string_view kWithValue[] = {"--tcp",         "--pty",        "--address", "--type",
                                                      "--firmware",    "--bookings",   "--fault",   "--trace",
                                                      "--erase-delay", "--reply-delay"};
    if (std::find(std::begin(kWithValue), std::end(kWithValue), name) == std::end(kWithValue)) {
      result.error = (name.rfind("--", 0) == 0 ? "unknown option " : "unexpected argument ") + name;
      return result;
    }
    if (i + 1 >= args.size()) {
      result.error = "option " + name + " needs a value";
      return result;
    }
    const std::string& value = args[++i];
    if (name == "--tcp") {
      const auto colon = value.rfind(':');
      const auto port = colon == std::string::npos
                            ? std::nullopt
                            : ParseNumber<std::uint16_t>(std::string_view(value).substr(colon + 1), 0, 65535);
      if (!port || colon == 0) {
        result.error = "--tcp wants HOST:PORT, got " + value;
        return result;
      }
      std::string host = value.substr(0, colon);
      if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
      o.tcpHost = host;
      o.tcpPort = *port;
    } else if (name == "--pty") {
      if (value.empty()) {
        result.error = "--pty wants a path";
        return result;
      }
      o.ptyPath = value;
    } else if (name == "--address") {
      const auto address = ParseNumber<std::uint16_t>(value, 0, 65535);
      if (!address || *address == 0x4000 || *address == 768) {
        result.error = "--address wants a device address 0..65535 other than 768 and 16384, got " + value;
        return result;
      }
      o.address = *address;
    } else if (name == "--type") {
      if (value == "ZO 10") {
        o.type = DeviceType::ZO10;
      } else if (value == "RA 20") {
        o.type = DeviceType::RA20;
      } else {
        result.error = "--type wants \"ZO 10\" or \"RA 20\", got " + value;
        return result;
      }
    } else if (name == "--firmware") {
      if (value.size() > komm::kMaxSendText) {
        result.error = "--firmware wants at most " + std::to_string(komm::kMaxSendText) + " characters";
        return result;
      }
      o.firmware = value;
    } else if (name == "--bookings") {
      const auto count = ParseNumber<std::uint32_t>(value, 0, 1000000);
      if (!count) {
        result.error = "--bookings wants a count 0..1000000, got " + value;
        return result;
      }
      o.bookings = *count;
    } else if (name == "--fault") {
      const auto fault = ParseFault(value);
      if (!fault) {
        result.error = "--fault wants CMD:KIND[:COUNT], got " + value;
        return result;
      }
      o.faults.push_back(*fault);
    } else if (name == "--trace") {
      o.tracePath = value;
    } else if (name == "--erase-delay") {
      const auto ms = ParseNumber<std::uint32_t>(value, 0, 600000);
      if (!ms) {
        result.error = "--erase-delay wants milliseconds 0..600000, got " + value;
        return result;
      }
      o.eraseDelayMs = *ms;
    } else if (name == "--reply-delay") {
      const auto ms = ParseNumber<std::uint32_t>(value, 0, 600000);
      if (!ms) {
        result.error = "--reply-delay wants milliseconds 0..600000, got " + value;
        return result;
      }
      o.replyDelayMs = *ms;
    }
  }
  if (!o.help && !o.tcpHost && !o.ptyPath) result.error = "give --tcp HOST:PORT, --pty PATH or both";
  return result;
}

const char* UsageText() {
  return "Usage: controller_peer [options]\n"
         "A simulated access controller that speaks the telegram frame over TCP and a\n"
         "pseudo-terminal. It starts with empty memory.\n"
         "\n"
         "  --tcp HOST:PORT        listen there (port 0: any free port); one client at a time,\n"
         "                         the next one is accepted after a close\n"
         "  --pty PATH             open a pseudo-terminal and make PATH a symbolic link to its\n"
         "                         slave side (YBR_KOMM_COM<n>=PATH); removed on exit\n"
         "                         (--tcp and --pty may be given together)\n"
         "  --address N            device address, default 9; telegrams to N or 16384 (0x4000)\n"
         "                         are answered from that address to 768, all others ignored\n"
         "  --type \"ZO 10\"|\"RA 20\" device type, default \"RA 20\"\n"
         "  --firmware TEXT        the version answer; default \"SIM VI20 V.03.01.07\" for\n"
         "                         \"RA 20\", \"SIM ZO10 V.03.01.07\" for \"ZO 10\"\n"
         "  --bookings N           start with N generated bookings\n"
         "  --fault CMD:KIND[:COUNT]\n"
         "                         requests with command CMD behave as KIND the next COUNT\n"
         "                         times (default: every time). KIND: silent (no answer),\n"
         "                         nak (36), numna (39), unknown (255), wrong-sender (the\n"
         "                         answer comes from another address), bad-crc, slow (the\n"
         "                         answer starts 60 ms late and stops for 150 ms inside its\n"
         "                         frame), ok (answered as usual).\n"
         "                         Repeatable; entries for one command take turns in order,\n"
         "                         e.g. --fault 5:ok:4 --fault 5:silent\n"
         "  --trace FILE           one line per telegram: rx|tx, source, destination, number,\n"
         "                         command, text (bytes outside 0x20..0x7E and the backslash\n"
         "                         as \\xHH), tab-separated\n"
         "  --erase-delay MS       delay of the answer to the card-memory erase, default 700\n"
         "  --reply-delay MS       every answer waits at least MS, default 0\n"
         "  --help                 this text\n"
         "\n"
         "Once ready it prints \"listening tcp HOST:PORT\" and/or \"listening pty PATH\".\n"
         "SIGINT or SIGTERM stop it.\n";
}

}  // namespace peer
