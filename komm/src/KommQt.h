// The library's only contact with Qt: pauses that keep the caller's windows alive, and the
// small debug window of a network link. Without a Qt application the pauses sleep and no
// window is made.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace komm {

// Waits ms milliseconds on the millisecond clock, processing pending events meanwhile.
void Pause(std::uint32_t ms);

// Processes pending events once (sleeps about 1 ms without a Qt application).
void ProcessPendingEvents();

class TIDD_MAINDLG;

// The modeless window "Debugausgabe" of a network link at debug level 1.
class DebugWindow {
 public:
  // Shows the window at once; nullptr when no Qt GUI application runs on this thread.
  static std::unique_ptr<DebugWindow> Create();
  ~DebugWindow();
  DebugWindow(const DebugWindow&) = delete;
  DebugWindow& operator=(const DebugWindow&) = delete;

  void SetStatus(const std::string& text);
  void Hide();

 private:
  DebugWindow();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace komm
