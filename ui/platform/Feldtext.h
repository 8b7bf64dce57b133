// Texts of record fields at the window boundary. A field's Windows-1252 bytes are shown as a
// QString (bounded by the field); an edit's text, when it is no longer the one shown, is stored
// back as Windows-1252 bytes, cut by bytes, and refused when it holds a character Windows-1252
// cannot hold. The validator limits what the user types; a longer text that code sets (a name
// loaded from a file) is shown whole.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/Records.h"

namespace feld {

// The text of Windows-1252 bytes.
QString Text(std::string_view cp1252);

template <std::size_t N>
QString Lies(const char (&feld)[N]) {
  return Text(LiesText(feld));
}

// The Windows-1252 bytes of `text`, cut to `hoechstens` bytes; nothing when the text holds a
// character Windows-1252 cannot hold.
std::optional<std::string> Bytes(const QString& text, std::size_t hoechstens);

// Typing in an edit: only characters that Windows-1252 holds, and at most `hoechstens` bytes,
// or no more than the text already holds when code showed a longer one through Zeige (the
// user may shorten it or type over it, never lengthen it).
class Cp1252Validator final : public QValidator {
 public:
  Cp1252Validator(QLineEdit& edit, std::size_t hoechstens);
  State validate(QString& eingabe, int& position) const override;
  // The next text may be as long as `laenge`.
  void Erlaube(std::size_t laenge) { erlaubt_ = std::max(hoechstens_, laenge); }

 private:
  std::size_t hoechstens_;
  // The length the edit may reach: the limit, or the shorter of a longer text shown and
  // what the user has left of it. The line edit validates every change, also its own.
  mutable std::size_t erlaubt_;
};

// Gives `edit` the validator; the edit keeps no length limit of its own, since
// QLineEdit::setMaxLength would cut a longer text set by code.
void Begrenze(QLineEdit& edit, std::size_t hoechstens);

// Shows `text` in an edit limited by Begrenze, whole even when it is longer than the limit.
void Zeige(QLineEdit& edit, const QString& text);

// Whether the text of `edit` differs from the one Zeige showed in it (from an empty one when
// Zeige never did). QLineEdit::isModified cannot tell: Qt clears it whenever the text is set
// or a validator rewrites it, as the card's capitals do on every small letter typed.
bool Geaendert(const QLineEdit& edit);

// Stores the text of `edit` into `feld` (cut to N-1 bytes) when it was changed (Geaendert); an
// edit showing the text it was shown with keeps the field as it is, bytes after its terminator
// included.
template <std::size_t N>
void Schreibe(char (&feld)[N], const QLineEdit& edit) {
  if (!Geaendert(edit)) return;
  if (const std::optional<std::string> bytes = Bytes(edit.text(), N - 1)) SchreibeText(feld, *bytes);
}

// The same for a text kept as a string of Windows-1252 bytes, cut to `hoechstens` bytes.
void Schreibe(std::string& ziel, const QLineEdit& edit, std::size_t hoechstens);

}  // namespace feld
