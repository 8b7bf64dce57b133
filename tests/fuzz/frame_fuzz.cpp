// The library's frame reader fed a reply stream byte by byte. Every frame it completes is one
// that, built again from what was read, reads back the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "KommFrame.h"

namespace {

void PruefeNeuGebaut(const komm::Telegram& t) {
  komm::FrameReader leser;
  komm::FrameReader::Result r = komm::FrameReader::Result::NeedMore;
  for (const std::uint8_t b : komm::BuildFrame(t)) r = leser.Feed(b);
  const komm::Telegram& zurueck = leser.telegram();
  if (r != komm::FrameReader::Result::Complete || zurueck.source != t.source || zurueck.dest != t.dest ||
      zurueck.number != t.number || zurueck.command != t.command || zurueck.text != t.text) {
    std::fputs("a frame built from a telegram read does not read back the same\n", stderr);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  komm::FrameReader leser;
  for (std::size_t i = 0; i < groesse; ++i) {
    if (leser.Feed(daten[i]) == komm::FrameReader::Result::Complete) {
      if (leser.telegram().text.size() > komm::kMaxReplyText) std::abort();
      PruefeNeuGebaut(leser.telegram());
    }
  }
  return 0;
}
