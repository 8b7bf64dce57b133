// The progress window: shown while the engine talks to the controller. Label1 is the item
// text, Label2 the phase text, IDC_PROGRESS the item bar, IDC_PROGRESS1 the overall bar.
// Closing it resets both bars; hiding it does not. Only the program takes it away: from its
// Show until its Hide or Close a transfer runs, and a close request of the user (the window
// manager, Escape) is ignored.
#pragma once

#include "platform/Plattform.h"

#include "windowing/Fenster.h"

#include "ui_IDD_STATUS.h"

class QProgressBar;

// One bar as the engine drives it: position, maximum and step, bounded by 0..Max.
class TBalken final : public plattform::ProgressBar {
 public:
  explicit TBalken(QProgressBar& bar) : Bar(bar) {}
  int Max() const override;
  void SetMax(int max) override;
  int Position() const override;
  void SetPosition(int position) override;
  int Step() const override { return Schritt; }
  void SetStep(int step) override { Schritt = step; }
  void StepIt() override { SetPosition(Position() + Schritt); }
  void StepBy(int amount) override { SetPosition(Position() + amount); }
  bool Visible() const override;
  void SetVisible(bool visible) override;

 private:
  QProgressBar& Bar;
  int Schritt = 1;
};

class TIDD_STATUS : public fenster::TFormular, public Ui::IDD_STATUS, public plattform::ProgressWindow {
  Q_OBJECT

 public:
  explicit TIDD_STATUS(QWidget* parent = nullptr);

  // Resets the item bar, then the overall bar.
  void FormClose();

  // plattform::ProgressWindow
  void SetCaption(const std::string& caption) override;
  void SetLabel1(const std::string& text) override;
  void SetLabel2(const std::string& text) override;
  plattform::ProgressBar& Item() override { return ItemBalken; }
  plattform::ProgressBar& Overall() override { return GesamtBalken; }
  void Show() override;
  void Hide() override;
  void Close() override;

  // The window has no buttons; Escape does not take it away during a transfer.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TBalken ItemBalken;
  TBalken GesamtBalken;
  // Shown by the program for a transfer that has not ended yet.
  bool Laeuft = false;
};
