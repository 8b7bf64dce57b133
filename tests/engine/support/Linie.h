// A time line from its six values, for tests that build profiles by hand.
#pragma once

#include <cstdint>

#include "model/Records.h"

inline Zeitlinie Linie(int vonStunde, int vonMinute, int bisStunde, int bisMinute, std::uint16_t tage,
                       std::uint16_t tueren) {
  Zeitlinie z;
  z.VonStunde = static_cast<std::uint8_t>(vonStunde);
  z.VonMinute = static_cast<std::uint8_t>(vonMinute);
  z.BisStunde = static_cast<std::uint8_t>(bisStunde);
  z.BisMinute = static_cast<std::uint8_t>(bisMinute);
  z.Tage = tage;
  z.Tueren = tueren;
  return z;
}
