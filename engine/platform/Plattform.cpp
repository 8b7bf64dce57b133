#include "platform/Plattform.h"

#include <ctime>
#include <stdexcept>

namespace plattform {
namespace {
Plattform* installed = nullptr;
}

std::uint32_t Plattform::MilliClock() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const std::uint64_t ms =
      static_cast<std::uint64_t>(ts.tv_sec) * 1000U + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000U;
  return static_cast<std::uint32_t>(ms);
}

LocalTime Plattform::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

Plattform& Current() {
  if (installed == nullptr) throw std::logic_error("no platform installed");
  return *installed;
}

Plattform* Install(Plattform* p) {
  Plattform* previous = installed;
  installed = p;
  return previous;
}

}  // namespace plattform
