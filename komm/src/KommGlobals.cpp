#include "KommGlobals.h"

#include <time.h>

#include "NetzInterface.h"
#include "SerialInterface.h"

namespace komm {

KommGlobals::KommGlobals() = default;
KommGlobals::~KommGlobals() = default;

KommGlobals& Globals() {
  static KommGlobals globals;
  return globals;
}

void SetLastError(std::string text) { Globals().lastError = std::move(text); }

std::uint32_t MsClock() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000U + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000U;
  return static_cast<std::uint32_t>(ms);
}

}  // namespace komm
