// What the benchmarks share: a platform that turns any message box into an exception (a
// benchmark that meets one measures nothing) and has no progress window, and the temporary
// folders of the tests.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Plattform.h"

#include "common/TempOrdner.h"

namespace bench {

class StillePlattform : public plattform::Plattform {
 public:
  int MessageBox(const std::string& text, const std::string&, int) override { throw std::runtime_error(text); }
  void ProcessMessages() override {}
  plattform::ProgressWindow& Progress() override { throw std::logic_error("no progress window"); }
};

}  // namespace bench
