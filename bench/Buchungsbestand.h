// Bookings as a controller hands them out, for the benchmarks: in time order (a few seconds to
// two minutes apart, so a million span about two years), 300 persons with their cards, every
// twentieth booking a card the controller does not know (no name), doors 1 to 3 through
// reader 1 or 2, releases and a few doors held open.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "model/Array.h"
#include "model/Records.h"

namespace bench {

inline void FuelleBuchungen(Array<books*>& liste, int anzahl) {
  std::mt19937 zufall(1998);
  std::uniform_int_distribution<int> person(0, 299);
  std::uniform_int_distribution<int> abstand(1, 120);
  std::uniform_int_distribution<int> tuer(0, 2);
  std::uniform_int_distribution<int> zwanzigstel(0, 19);
  long sekunden = 0;
  for (int i = 0; i < anzahl; ++i) {
    auto b = std::make_unique<books>();
    sekunden += abstand(zufall);
    const long tag = sekunden / 86400;
    b->Jahr = static_cast<std::uint16_t>(2024 + tag / 336);
    b->Monat = static_cast<std::uint16_t>(1 + tag % 336 / 28);
    b->Tag = static_cast<std::uint16_t>(1 + tag % 28);
    b->Stunde = static_cast<std::uint16_t>(sekunden % 86400 / 3600);
    b->Minute = static_cast<std::uint16_t>(sekunden % 3600 / 60);
    b->Sekunde = static_cast<std::uint16_t>(sekunden % 60);
    const int t = tuer(zufall);
    b->Ereignis1 = static_cast<std::uint8_t>((1 << t) | (t == 2 ? EREIGNIS1_LESER2 : EREIGNIS1_LESER1));
    if (zwanzigstel(zufall) == 0) {
      SchreibeText(b->Karte, std::to_string(zufall() % 1000000) + "F");
      b->Ereignis1 |= EREIGNIS1_UNBEKANNT;
    } else {
      const int p = person(zufall);
      SchreibeText(b->Karte, std::to_string(700000 + p * 37) + "A");
      SchreibeText(b->Name, std::string("Mitarbeiter ").append(std::to_string(p)));
      b->Ereignis2 = zwanzigstel(zufall) == 1 ? EREIGNIS2_ZU_LANGE_OFFEN : EREIGNIS2_FREIGABE;
    }
    liste.Append(b.release());
  }
}

}  // namespace bench
