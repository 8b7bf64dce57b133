// The engine's platform seam on Qt: the application message box, processing of pending
// events, and the progress window TIDD_STATUS.
#pragma once

#include "platform/Plattform.h"

class TIDD_STATUS;

class QtPlattform : public plattform::Plattform {
 public:
  explicit QtPlattform(TIDD_STATUS& status) : Status(status) {}
  int MessageBox(const std::string& text, const std::string& caption, int flags) override;
  void ProcessMessages() override;
  plattform::ProgressWindow& Progress() override;

 private:
  TIDD_STATUS& Status;
};
