// The trace of the controller peer: one tab-separated line per telegram.
#pragma once

#include <string>
#include <string_view>

#include "KommFrame.h"

namespace peer {

// Bytes 0x20..0x7E stand as they are, every other byte (and the backslash, so that the
// text can be read back without doubt) as \xHH.
std::string EscapeTraceText(std::string_view text);

// "rx" or "tx", source, destination, telegram number, command, text; ends with '\n'.
std::string FormatTraceLine(std::string_view direction, const komm::Telegram& telegram);

}  // namespace peer
