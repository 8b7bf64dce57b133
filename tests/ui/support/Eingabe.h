// The user at an edit, with real key events: the cursor at the end of the text, keys typed one
// by one ("\b" is Backspace), then a text pasted from the clipboard with Ctrl+V or through the
// edit's context menu, or dropped at the end of the text.
#pragma once

#include <QString>

class QLineEdit;

// How a text comes in: Ctrl+V, the context menu's "Paste", or dropped on the edit.
enum class Weg { StrgV, Menue, Ablegen };

struct Eingabe {
  QString tasten{};     // Latin-1 characters
  QString einfuegen{};  // pasted when not empty
  Weg weg = Weg::StrgV;
};

void Gib(QLineEdit& edit, const Eingabe& eingabe);
