#include "platform/Kartencode.h"

#include <algorithm>

#include "platform/Feldtext.h"

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

// Upper-cases and refuses blanks, then leaves the rest to the Windows-1252 validator of the
// edit, which keeps the length rule.
class KartenValidator final : public QValidator {
 public:
  explicit KartenValidator(QValidator& zeichen) : QValidator(&zeichen), zeichen_(zeichen) {}

  State validate(QString& eingabe, int& position) const override {
    eingabe = Gross(eingabe);
    if (HatLeerzeichen(eingabe)) return Invalid;
    return zeichen_.validate(eingabe, position);
  }

 private:
  QValidator& zeichen_;
};

}  // namespace

QString Gross(const QString& text) {
  QString gross = text;
  std::transform(gross.begin(), gross.end(), gross.begin(), GrossBuchstabe);
  return gross;
}

bool HatLeerzeichen(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

void Begrenze(QLineEdit& edit, std::size_t hoechstens) {
  feld::Begrenze(edit, hoechstens);
  // The Windows-1252 validator stays the edit's only direct validator child, where feld::Zeige
  // finds it; the card validator hangs below it.
  auto* zeichen = edit.findChild<QValidator*>(QString(), Qt::FindDirectChildrenOnly);
  edit.setValidator(new KartenValidator(*zeichen));
}

void Zeige(QLineEdit& edit, const QString& text) {
  // A validator also runs on text that code sets and would upper-case a stored code.
  const QValidator* validator = edit.validator();
  edit.setValidator(nullptr);
  feld::Zeige(edit, text);
  edit.setValidator(validator);
}

}  // namespace karte
