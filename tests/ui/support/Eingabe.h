// The user at an edit, with real key events: the cursor at the end of the text, keys typed one
// by one ("\b" is Backspace), then a text pasted from the clipboard with Ctrl+V or through the
// edit's context menu.
#pragma once

#include <QString>

class QLineEdit;

struct Eingabe {
  QString tasten{};     // Latin-1 characters
  QString einfuegen{};  // pasted when not empty
  bool menue = false;   // pasted with the context menu's "Paste", not Ctrl+V
};

void Gib(QLineEdit& edit, const Eingabe& eingabe);
