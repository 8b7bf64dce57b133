// The engine's one seam to the windowing platform: message boxes, pending messages,
// the progress window, the millisecond clock and the local date and time.
// The program installs its Qt implementation at start; tests install scripted fakes.
#pragma once

#include <cstdint>
#include <string>

namespace plattform {

// Message box style flags: the buttons in the low four bits, the icon above them.
inline constexpr int MB_KNOEPFE = 0x0F;
inline constexpr int MB_OK = 0;
inline constexpr int MB_OKCANCEL = 1;
inline constexpr int MB_YESNOCANCEL = 3;
inline constexpr int MB_YESNO = 4;
inline constexpr int MB_SYMBOL = 0xF0;
inline constexpr int MB_ICONERROR = 16;
inline constexpr int MB_ICONQUESTION = 32;
inline constexpr int MB_ICONWARNING = 48;
inline constexpr int MB_ICONINFO = 64;
// The combinations the windows use.
inline constexpr int MB_OK_PLAIN = MB_OK;                                    // 0: OK, no icon
inline constexpr int MB_ERROR = MB_OK | MB_ICONERROR;                        // 16
inline constexpr int MB_YESNOCANCEL_ASK = MB_YESNOCANCEL | MB_ICONQUESTION;  // 35
inline constexpr int MB_YESNO_ASK = MB_YESNO | MB_ICONQUESTION;              // 36
inline constexpr int MB_WARN = MB_OK | MB_ICONWARNING;                       // 48
inline constexpr int MB_OKCANCEL_WARN = MB_OKCANCEL | MB_ICONWARNING;        // 49
inline constexpr int MB_YESNO_WARN = MB_YESNO | MB_ICONWARNING;              // 52
inline constexpr int MB_INFO = MB_OK | MB_ICONINFO;                          // 64
// The answers.
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
  virtual void StepIt() = 0;            // position += step, bounded by Max
  virtual void StepBy(int amount) = 0;  // position += amount, bounded by Max
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
