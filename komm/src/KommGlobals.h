// The library-wide state behind the exports (one copy per process, caller's thread only).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "KommLog.h"

namespace komm {

class T_Serial_Interface;
class T_Netz_Interface;

constexpr int kInterfaceNone = 0;
constexpr int kInterfaceNetz = 1;
constexpr int kInterfaceSerial = 2;

constexpr char kDllVersion[] = "V 02.00.05";
constexpr std::size_t kReplyBufferSize = 1030;  // 6 header bytes and 1024 text bytes

// A failure raised as a text; the export that catches it makes it the last-error text.
struct KommText {
  std::string text;
};

struct KommGlobals {
  KommGlobals();
  ~KommGlobals();

  bool open = false;
  int interfaceType = kInterfaceNone;
  int replyTimeoutMs = 2000;
  std::uint8_t telegramCounter = 0;
  int pingMode = 0;  // 0 none, 1 echo with the own request, 2 echo of the ICMP service
  std::string logDirectory;
  std::uint16_t debugLevel = 0;  // 0 none, 1 with the debug window (TCP), 2 without
  LogFile protocolLog;
  LogFile debugLog;
  timespec openTime{};              // set at every open and close; printed in headers and footers
  std::uint32_t lastEventTime = 0;  // the "Zeit" values of the debug log count from here
  std::string lastError;
  // Shared so that a write waiting for its echo keeps the object while a close that one of
  // the processed events makes releases the port under it.
  std::shared_ptr<T_Serial_Interface> serial;
  std::unique_ptr<T_Netz_Interface> netz;
  std::array<std::uint8_t, kReplyBufferSize> replyBuffer{};
};

KommGlobals& Globals();

void SetLastError(std::string text);

// Millisecond clock (CLOCK_MONOTONIC); compare values by difference, never by order.
std::uint32_t MsClock();

// True once the clock has passed the deadline, also across a wrap of the 32-bit value.
inline bool Passed(std::uint32_t now, std::uint32_t deadline) { return static_cast<std::int32_t>(now - deadline) > 0; }

}  // namespace komm
