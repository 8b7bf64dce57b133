// Card codes at the window boundary. A card code is upper case: a-z and the lower-case letters
// of Windows-1252 become capitals ("ß" and "µ", which have none there, stay), and it holds no
// blank, since the person telegram separates its words by blanks.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <cstddef>

namespace karte {

// `text` with its lower-case letters made capitals as Windows-1252 has them.
QString Gross(const QString& text);

// True when the text holds a blank (or any other white space).
bool HatLeerzeichen(const QString& text);

// Typing in a card edit: capitals as typed, no blank, only what Windows-1252 holds, at most
// `hoechstens` bytes (as feld::Begrenze; a longer code shown by Zeige may be shortened).
void Begrenze(QLineEdit& edit, std::size_t hoechstens);

// Shows a card code whole and as it is stored, also when it is longer than the typing limit or
// holds small letters: the edit's upper-casing works on what the user types.
void Zeige(QLineEdit& edit, const QString& text);

}  // namespace karte
