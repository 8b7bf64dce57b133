#include "fields/Kartencode.h"

#include <algorithm>

#include "fields/Feldtext.h"

namespace karte {

namespace {

// Windows-1252's capital of a lower-case letter, or the character itself.
QChar GrossBuchstabe(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'a' && u <= u'z') return QChar(static_cast<char16_t>(u - 0x20));
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return QChar(static_cast<char16_t>(u - 0x20));  // à..þ without ÷
  switch (u) {
    case 0x0161: return QChar(0x0160);  // š
    case 0x0153: return QChar(0x0152);  // œ
    case 0x017E: return QChar(0x017D);  // ž
    case 0x00FF: return QChar(0x0178);  // ÿ
    default: return c;
  }
}

// What a card takes of what is typed or pasted: what a field can hold, without blanks.
bool Kartenzeichen(QChar c) { return feld::Speicherbar(c) && !c.isSpace(); }

}  // namespace

QString Gross(const QString& text) {
  QString gross = text;
  std::transform(gross.begin(), gross.end(), gross.begin(), GrossBuchstabe);
  return gross;
}

bool HatLeerzeichen(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

void Begrenze(QLineEdit& edit, std::size_t hoechstens) { feld::Begrenze(edit, hoechstens, {Kartenzeichen, Gross}); }

}  // namespace karte
