#include "ScriptedPlattform.h"

#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

namespace {

int SafeAnswer(int flags) {
  switch (flags) {
    case plattform::MB_YESNOCANCEL_ASK:
    case plattform::MB_OKCANCEL_WARN: return plattform::ID_CANCEL;
    case plattform::MB_YESNO_ASK:
    case plattform::MB_YESNO_WARN: return plattform::ID_NO;
    default: return plattform::ID_OK;
  }
}

std::vector<std::string> TextsOf(const std::vector<std::string>& events, const std::string& prefix) {
  std::vector<std::string> texts;
  for (const std::string& e : events) {
    if (e.compare(0, prefix.size(), prefix) == 0) texts.push_back(e.substr(prefix.size()));
  }
  return texts;
}

}  // namespace

ScriptedProgressBar::ScriptedProgressBar(std::string name, std::vector<std::string>& events)
    : name_(std::move(name)), events_(events) {}

void ScriptedProgressBar::Record(const std::string& what, int value) {
  events_.push_back(name_ + "." + what + " " + std::to_string(value));
}

void ScriptedProgressBar::SetMax(int max) {
  max_ = std::max(max, 0);
  position_ = std::min(position_, max_);
  Record("Max", max);
}

void ScriptedProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, 0, max_);
  Record("Position", position);
}

void ScriptedProgressBar::SetStep(int step) {
  step_ = step;
  Record("Step", step);
}

void ScriptedProgressBar::StepIt() {
  position_ = std::clamp(position_ + step_, 0, max_);
  Record("StepIt", position_);
}

void ScriptedProgressBar::StepBy(int amount) {
  position_ = std::clamp(position_ + amount, 0, max_);
  Record("StepBy", amount);
}

void ScriptedProgressBar::SetVisible(bool visible) {
  visible_ = visible;
  Record("Visible", visible ? 1 : 0);
}

ScriptedProgressWindow::ScriptedProgressWindow() : item_("Item", events_), overall_("Overall", events_) {}

void ScriptedProgressWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  events_.push_back("Caption " + caption);
}

void ScriptedProgressWindow::SetLabel1(const std::string& text) {
  label1_ = text;
  events_.push_back("Label1 " + text);
}

void ScriptedProgressWindow::SetLabel2(const std::string& text) {
  label2_ = text;
  events_.push_back("Label2 " + text);
}

void ScriptedProgressWindow::Show() {
  shown_ = true;
  events_.push_back("Show");
}

void ScriptedProgressWindow::Hide() {
  shown_ = false;
  events_.push_back("Hide");
}

void ScriptedProgressWindow::Close() {
  shown_ = false;
  item_.Reset();
  overall_.Reset();
  events_.push_back("Close");
}

std::vector<std::string> ScriptedProgressWindow::Label1Texts() const { return TextsOf(events_, "Label1 "); }

std::vector<std::string> ScriptedProgressWindow::Label2Texts() const { return TextsOf(events_, "Label2 "); }

ScriptedPlattform::ScriptedPlattform() : previous_(plattform::Install(this)) {}

ScriptedPlattform::~ScriptedPlattform() { plattform::Install(previous_); }

void ScriptedPlattform::ExpectBox(const std::string& caption, int flags, int answer, std::optional<std::string> text) {
  script_.push_back({caption, flags, answer, std::move(text)});
}

void ScriptedPlattform::VerifyAllBoxesShown() {
  for (const Expected& e : script_) {
    ADD_FAILURE() << "message box not shown: caption \"" << e.caption << "\", flags " << e.flags
                  << (e.text ? ", text \"" + *e.text + "\"" : std::string());
  }
  script_.clear();
}

int ScriptedPlattform::MessageBox(const std::string& text, const std::string& caption, int flags) {
  int answer = SafeAnswer(flags);
  if (script_.empty()) {
    ADD_FAILURE() << "unexpected message box: caption \"" << caption << "\", flags " << flags << ", text \"" << text
                  << "\"";
  } else {
    const Expected e = script_.front();
    script_.pop_front();
    if (e.caption != caption || e.flags != flags || (e.text && *e.text != text)) {
      ADD_FAILURE() << "message box differs from the script:\n  shown:    caption \"" << caption << "\", flags "
                    << flags << ", text \"" << text << "\"\n  expected: caption \"" << e.caption << "\", flags "
                    << e.flags << (e.text ? ", text \"" + *e.text + "\"" : std::string());
    } else {
      answer = e.answer;
    }
  }
  boxes_.push_back({text, caption, flags, answer});
  return answer;
}

void ScriptedPlattform::ProcessMessages() {
  ++processCalls_;
  if (onProcess_) onProcess_();
}

void ScriptedPlattform::UseManualClock(std::uint32_t start, std::uint32_t advancePerRead) {
  manualClock_ = true;
  clock_ = start;
  advance_ = advancePerRead;
}

std::uint32_t ScriptedPlattform::MilliClock() {
  ++clockReads_;
  if (!manualClock_) return plattform::Plattform::MilliClock();
  const std::uint32_t now = clock_;
  clock_ += advance_;
  return now;
}

plattform::LocalTime ScriptedPlattform::Now() { return now_ ? *now_ : plattform::Plattform::Now(); }
