#include "shared/QtPlattform.h"

#include "shared/StatusDlg.h"
#include "windowing/Fenster.h"

int QtPlattform::MessageBox(const std::string& text, const std::string& caption, int flags) {
  return fenster::MessageBox(text, caption, flags);
}

void QtPlattform::ProcessMessages() { fenster::Verarbeite(); }

plattform::ProgressWindow& QtPlattform::Progress() { return Status; }
