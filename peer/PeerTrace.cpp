#include "PeerTrace.h"

#include <cstdio>

namespace peer {

std::string EscapeTraceText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte <= 0x7E && byte != '\\') {
      out.push_back(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out;
}

std::string FormatTraceLine(std::string_view direction, const komm::Telegram& telegram) {
  std::string line(direction);
  line += '\t' + std::to_string(telegram.source);
  line += '\t' + std::to_string(telegram.dest);
  line += '\t' + std::to_string(telegram.number);
  line += '\t' + std::to_string(telegram.command);
  line += '\t' + EscapeTraceText(telegram.text);
  line += '\n';
  return line;
}

}  // namespace peer
