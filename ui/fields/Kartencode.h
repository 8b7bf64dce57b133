// Card codes at the window boundary. A card code is upper case: a-z and the lower-case letters
// of Windows-1252 become capitals ("ß" and "µ", which have none there, stay), and it holds no
// blank, since the person telegram separates its words by blanks.
#pragma once

#include <cstddef>

#include <QLineEdit>
#include <QString>

namespace karte {

// `text` with its lower-case letters made capitals as Windows-1252 has them.
QString Gross(const QString& text);

// True when the text holds a blank (or any other white space).
bool HatLeerzeichen(const QString& text);

// Typing and pasting in a card edit: capitals as typed, no blank, only what a record field can
// hold, at most `hoechstens` characters (as feld::Begrenze: a pasted blank is dropped, a longer
// code shown by feld::Zeige is shown as stored and may be shortened).
void Begrenze(QLineEdit& edit, std::size_t hoechstens);

}  // namespace karte
