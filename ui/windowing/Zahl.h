// Numbers typed into edits: the reading of a decimal text and the box that refuses a text
// that is not one. Every number field of the windows goes through these.
#pragma once

#include <optional>

#include <QString>

namespace fenster {

// The text, blanks around it allowed, as a decimal integer (with an optional sign); nothing
// when it is empty, holds anything else or does not fit an int.
std::optional<int> Zahl(const QString& text);

// "\"<text>\" ist keine gültige Zahl." in a box "Fehler" with the error icon.
void ZeigeKeineZahl(const QString& text);

}  // namespace fenster
