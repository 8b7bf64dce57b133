// The ping before a network link connects: whether the controller's address answers at all.
// Mode 1 sends the library's own 24-byte echo request; mode 2 sends a bare echo request with
// a time-to-live of 255, logs the request and the answer, and pauses after an answer. Both
// leave the reason of a failure as the last-error text.
#pragma once

#include <string>

namespace komm {

// 0 when an answer came, 1 otherwise.
int PingRaw(const std::string& host, unsigned int timeoutMs);
// The round-trip time in milliseconds when an answer came, -1 otherwise.
int PingIcmpDll(const std::string& host, unsigned int timeoutMs);
// The ping of the library's ping mode (none in mode 0): false when the open must not connect.
bool PingByMode(const std::string& host, unsigned int timeoutMs);

}  // namespace komm
