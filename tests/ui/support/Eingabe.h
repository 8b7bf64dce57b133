// The user at an edit, with real key events: the cursor at the end of the text, keys typed one
// by one ("\b" is Backspace), then a text pasted from the clipboard with Ctrl+V.
#pragma once

#include <QString>

class QLineEdit;

struct Eingabe {
  QString tasten{};     // Latin-1 characters
  QString einfuegen{};  // pasted when not empty
};

void Gib(QLineEdit& edit, const Eingabe& eingabe);
