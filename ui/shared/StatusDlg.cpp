#include "shared/StatusDlg.h"

#include <algorithm>

#include <QCloseEvent>
#include <QProgressBar>

int TBalken::Max() const { return Bar.maximum(); }

void TBalken::SetMax(int max) {
  const int position = Position();
  Bar.setMaximum(std::max(max, 0));  // Qt empties a bar whose value falls outside the range
  SetPosition(position);
}

int TBalken::Position() const { return std::max(Bar.value(), 0); }

void TBalken::SetPosition(int position) { Bar.setValue(std::clamp(position, 0, Bar.maximum())); }

bool TBalken::Visible() const { return !Bar.isHidden(); }

void TBalken::SetVisible(bool visible) { Bar.setVisible(visible); }

TIDD_STATUS::TIDD_STATUS(QWidget* parent)
    : fenster::TFormular(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ItemBalken((setupUi(this), *IDC_PROGRESS)),
      GesamtBalken(*IDC_PROGRESS1) {
  setFixedSize(size());
  // While it is shown a transfer runs: the other windows take no input meanwhile, and
  // the engine keeps processing pending events so every window repaints.
  setWindowModality(Qt::ApplicationModal);
}

void TIDD_STATUS::FormClose() {
  ItemBalken.SetPosition(0);
  GesamtBalken.SetPosition(0);
}

void TIDD_STATUS::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TIDD_STATUS::SetLabel1(const std::string& text) { Label1->setText(QString::fromStdString(text)); }

void TIDD_STATUS::SetLabel2(const std::string& text) { Label2->setText(QString::fromStdString(text)); }

void TIDD_STATUS::Show() {
  Laeuft = true;
  fenster::BindeAnOeffner(*this);
  show();
}

void TIDD_STATUS::Hide() {
  Laeuft = false;
  hide();
}

void TIDD_STATUS::Close() {
  Laeuft = false;
  close();
}

void TIDD_STATUS::closeEvent(QCloseEvent* event) {
  // Taken away during a transfer, the window would leave the transfer going on unseen.
  if (Laeuft) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TIDD_STATUS::reject() {}
