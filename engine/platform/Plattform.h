// The engine's one seam to the windowing platform: message boxes, pending messages,
// the progress window, the millisecond clock and the local date and time.
// The program installs its Qt implementation at start; tests install scripted fakes.
#pragma once

#include <cstdint>
#include <string>

namespace plattform {

// Message box style flags and answers, as the windows use them.
enum : int {
  MB_OK_PLAIN = 0,          // OK, no icon
  MB_ERROR = 16,            // OK, error icon
  MB_YESNOCANCEL_ASK = 35,  // Yes/No/Cancel, question icon
  MB_YESNO_ASK = 36,        // Yes/No, question icon
  MB_WARN = 48,             // OK, exclamation icon
  MB_OKCANCEL_WARN = 49,    // OK/Cancel, exclamation icon
  MB_YESNO_WARN = 52,       // Yes/No, exclamation icon
  MB_INFO = 64,             // OK, information icon
};
enum : int { ID_OK = 1, ID_CANCEL = 2, ID_YES = 6, ID_NO = 7 };

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
};

// One bar of the progress window (range 0..Max).
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual int Max() const = 0;
  virtual void SetMax(int max) = 0;
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual int Step() const = 0;
  virtual void SetStep(int step) = 0;
  virtual void StepIt() = 0;             // position += step, bounded by Max
  virtual void StepBy(int amount) = 0;   // position += amount, bounded by Max
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
};

// The progress window as the transfers drive it: Label1 item text, Label2 phase text,
// the item bar IDC_PROGRESS and the overall bar IDC_PROGRESS1.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetLabel1(const std::string& text) = 0;
  virtual void SetLabel2(const std::string& text) = 0;
  virtual ProgressBar& Item() = 0;
  virtual ProgressBar& Overall() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Close() = 0;  // closing also resets both bars to 0
};

class Plattform {
 public:
  virtual ~Plattform() = default;
  // Texts are UTF-8. Returns ID_OK, ID_CANCEL, ID_YES or ID_NO.
  virtual int MessageBox(const std::string& text, const std::string& caption, int flags) = 0;
  virtual void ProcessMessages() = 0;
  virtual ProgressWindow& Progress() = 0;
  // Milliseconds of a monotonic clock, 32 bits wide: compare by difference only.
  virtual std::uint32_t MilliClock();
  virtual LocalTime Now();
};

// The installed platform. Using it before Install is a programming error (std::logic_error).
Plattform& Current();
// Installs p (not owned) and returns the one installed before; nullptr uninstalls.
Plattform* Install(Plattform* p);

}  // namespace plattform
