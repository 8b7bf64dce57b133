// A platform for engine tests that records every call.
//
//   ScriptedPlattform p;                 // installs itself, restores the previous one on destruction
//   p.ExpectBox("Fehler", 16, plattform::ID_OK, "Steuerung antwortet nicht\nauf Anschluß Com2");
//   ... run the engine ...
//   p.VerifyAllBoxesShown();             // or look at p.Boxes()
//
// Message boxes: each box shown is checked against the next scripted expectation (caption,
// style flags and, when given, the exact text) and answered with its answer. A box beyond the
// script, or one that does not match, fails the test (ADD_FAILURE) and is answered with the
// safe default of its style: OK for OK boxes, Cancel for 35 and 49, No for 36 and 52.
//
// Progress window: the calls are kept as lines in Progress().Events(), one per call, e.g.
//   "Caption Datenübertragung", "Label1 Sende Person 1 von 3.", "Label2 Sende Personendaten ...",
//   "Item.Max 4", "Item.Position 0", "Item.Step 1", "Item.StepIt 2" (the position after it),
//   "Overall.StepBy 5" (the amount), "Overall.Visible 0", "Show", "Hide", "Close".
// The current state (texts, bars, shown) is read through the accessors. Bars behave as the
// program's: maximum 100 and step 1 at first, the position kept within 0..Max.
//
// Clock: the real monotonic clock unless UseManualClock is called; then MilliClock returns the
// manual time and advances it by `advancePerRead` on every read (0: only AdvanceClock moves it).
// Now() returns the real local time unless SetNow was called.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Plattform.h"

class ScriptedProgressBar : public plattform::ProgressBar {
 public:
  ScriptedProgressBar(std::string name, std::vector<std::string>& events);
  int Max() const override { return max_; }
  void SetMax(int max) override;
  int Position() const override { return position_; }
  void SetPosition(int position) override;
  int Step() const override { return step_; }
  void SetStep(int step) override;
  void StepIt() override;
  void StepBy(int amount) override;
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  // Closing the window resets the bar without an event of its own.
  void Reset() { position_ = 0; }

 private:
  void Record(const std::string& what, int value);
  std::string name_;
  std::vector<std::string>& events_;
  int max_ = 100;
  int position_ = 0;
  int step_ = 1;
  bool visible_ = true;
};

class ScriptedProgressWindow : public plattform::ProgressWindow {
 public:
  ScriptedProgressWindow();
  void SetCaption(const std::string& caption) override;
  void SetLabel1(const std::string& text) override;
  void SetLabel2(const std::string& text) override;
  plattform::ProgressBar& Item() override { return item_; }
  plattform::ProgressBar& Overall() override { return overall_; }
  void Show() override;
  void Hide() override;
  void Close() override;

  const std::string& Caption() const { return caption_; }
  const std::string& Label1() const { return label1_; }
  const std::string& Label2() const { return label2_; }
  bool Shown() const { return shown_; }
  const ScriptedProgressBar& ItemBar() const { return item_; }
  const ScriptedProgressBar& OverallBar() const { return overall_; }
  const std::vector<std::string>& Events() const { return events_; }
  // Every text given to Label1 (or Label2), in order.
  std::vector<std::string> Label1Texts() const;
  std::vector<std::string> Label2Texts() const;
  void ClearEvents() { events_.clear(); }

 private:
  std::vector<std::string> events_;
  std::string caption_, label1_, label2_;
  bool shown_ = false;
  ScriptedProgressBar item_;
  ScriptedProgressBar overall_;
};

class ScriptedPlattform : public plattform::Plattform {
 public:
  struct Box {
    std::string text;
    std::string caption;
    int flags = 0;
    int answer = 0;
  };

  ScriptedPlattform();
  ~ScriptedPlattform() override;
  ScriptedPlattform(const ScriptedPlattform&) = delete;
  ScriptedPlattform& operator=(const ScriptedPlattform&) = delete;

  // The next box expected: its caption, style flags, the answer to give and (optionally) its text.
  void ExpectBox(const std::string& caption, int flags, int answer, std::optional<std::string> text = std::nullopt);
  // Fails the test when scripted boxes were not shown.
  void VerifyAllBoxesShown();
  // Every box shown, with the answer given.
  const std::vector<Box>& Boxes() const { return boxes_; }

  int ProcessMessagesCalls() const { return processCalls_; }
  // Runs on every ProcessMessages (an event handler running during a pause); empty to remove.
  void OnProcessMessages(std::function<void()> handler) { onProcess_ = std::move(handler); }

  void UseManualClock(std::uint32_t start, std::uint32_t advancePerRead);
  void AdvanceClock(std::uint32_t ms) { clock_ += ms; }
  int ClockReads() const { return clockReads_; }
  void SetNow(const plattform::LocalTime& now) { now_ = now; }

  ScriptedProgressWindow& Window() { return progress_; }

  int MessageBox(const std::string& text, const std::string& caption, int flags) override;
  void ProcessMessages() override;
  plattform::ProgressWindow& Progress() override { return progress_; }
  std::uint32_t MilliClock() override;
  plattform::LocalTime Now() override;

 private:
  struct Expected {
    std::string caption;
    int flags;
    int answer;
    std::optional<std::string> text;
  };
  std::deque<Expected> script_;
  std::vector<Box> boxes_;
  int processCalls_ = 0;
  std::function<void()> onProcess_;
  bool manualClock_ = false;
  std::uint32_t clock_ = 0;
  std::uint32_t advance_ = 0;
  int clockReads_ = 0;
  std::optional<plattform::LocalTime> now_;
  ScriptedProgressWindow progress_;
  plattform::Plattform* previous_;
};
