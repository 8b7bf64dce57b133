// Texts of record fields at the window boundary. A field's Windows-1252 bytes are shown as a
// QString (bounded by the field); an edit's text, when it is no longer the one shown, is stored
// back as Windows-1252 bytes, cut by bytes, and refused when it holds a character Windows-1252
// cannot hold. The validator limits what the user types or pastes; a longer text shown by code
// (a name loaded from a file) stays whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <QChar>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QValidator>

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

// Whether a record field can hold `c`: a character Windows-1252 has, and no control character
// (U+0000..U+001F, U+007F, U+0080..U+009F). A tab or a line end in a name would go out in the
// controller's telegrams and split the list's columns.
bool Speicherbar(QChar c);

// What an edit takes: the characters it keeps of what is typed or pasted, and the form its whole
// text takes after each change (none: as it is).
struct Regel {
  bool (*zeichen)(QChar) = Speicherbar;
  QString (*form)(const QString&) = nullptr;
};

// Typing and pasting in an edit: of what comes in (keys, a paste, a drop) the edit keeps the
// characters its rule lets through, as far as they fit into `hoechstens` characters, or into no
// more than the text already holds when code showed a longer one through Zeige (the user may
// shorten it or type over it, never lengthen it). Every kept character is one byte of the
// field. A change of which nothing is kept is refused; a text the edit already held since it was
// shown is always taken back (an undo or a redo, which Qt does not revert when it is refused).
class Cp1252Validator final : public QValidator {
 public:
  Cp1252Validator(QLineEdit& edit, std::size_t hoechstens, Regel regel = {});
  State validate(QString& eingabe, int& position) const override;
  // The next text is `text`, shown by code: whole, as it is.
  void Erlaube(const QString& text);

 private:
  std::size_t hoechstens_;
  Regel regel_;
  // The texts the edit held since code showed one (that one first), and its text after the
  // last change taken; a change is what lies between the start and the end that the edit's new
  // text shares with it.
  mutable QStringList gehalten_;
  mutable QString vorher_;
  // The length the edit may reach: the limit, or the shorter of a longer text shown and what
  // the user has left of it. The line edit validates every change, also its own.
  mutable std::size_t erlaubt_;
};

// Gives `edit` the validator; the edit keeps no length limit of its own, since
// QLineEdit::setMaxLength would cut a longer text set by code.
void Begrenze(QLineEdit& edit, std::size_t hoechstens, Regel regel = {});

// Shows `text` in an edit limited by Begrenze, whole even when it is longer than the limit, and
// as it is: the whole text takes the rule's form (a card's capitals) only once the user changes it.
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
