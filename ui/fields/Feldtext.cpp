#include "fields/Feldtext.h"

#include <algorithm>
#include <utility>

#include "text/Codec1252.h"

namespace feld {

namespace {

// The property of an edit that holds the text Zeige showed in it.
constexpr const char* kGezeigt = "feldGezeigt";

}  // namespace

QString Text(std::string_view cp1252) { return QString::fromStdString(Cp1252NachUtf8(cp1252)); }

std::optional<std::string> Bytes(const QString& text, std::size_t hoechstens) {
  std::optional<std::string> bytes = Utf8NachCp1252(text.toStdString());
  if (bytes && bytes->size() > hoechstens) bytes->resize(hoechstens);
  return bytes;
}

bool Speicherbar(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x20 || (u >= 0x7F && u < 0xA0)) return false;
  if (u <= 0xFF) return true;
  // Half of a pair has no character of its own (Qt would write it as "?").
  return !c.isSurrogate() && Utf8NachCp1252(QString(c).toStdString()).has_value();
}

Cp1252Validator::Cp1252Validator(QLineEdit& edit, std::size_t hoechstens, Regel regel)
    : QValidator(&edit), hoechstens_(hoechstens), regel_(regel), erlaubt_(hoechstens) {}

QValidator::State Cp1252Validator::validate(QString& eingabe, int& position) const {
  if (eingabe == vorher_) return Acceptable;
  if (!gehalten_.contains(eingabe)) {
    // What the change brought lies between the start and the end the text shares with the
    // one before; of that the rule's characters are kept, as many as fit. It ends at the
    // cursor, so the end is taken first: a paste that begins like the text after the cursor
    // is still seen where it went in.
    const qsizetype kuerzer = std::min(vorher_.size(), eingabe.size());
    const qsizetype hinten = std::min(kuerzer, eingabe.size() - std::clamp<qsizetype>(position, 0, eingabe.size()));
    qsizetype ende = 0;
    while (ende < hinten && eingabe[eingabe.size() - 1 - ende] == vorher_[vorher_.size() - 1 - ende]) ++ende;
    qsizetype anfang = 0;
    while (anfang < kuerzer - ende && eingabe[anfang] == vorher_[anfang]) ++anfang;
    QString neu = eingabe.mid(anfang, eingabe.size() - anfang - ende);
    neu.removeIf([this](QChar c) { return !regel_.zeichen(c); });
    // The text before the change fitted, so what it keeps of it fits too.
    const std::size_t platz = erlaubt_ - static_cast<std::size_t>(anfang + ende);
    if (static_cast<std::size_t>(neu.size()) > platz) neu.truncate(static_cast<qsizetype>(platz));
    QString ergebnis = eingabe.left(anfang) + neu + eingabe.right(ende);
    if (ergebnis == vorher_) return Invalid;
    if (regel_.form != nullptr) ergebnis = regel_.form(ergebnis);
    if (ergebnis != eingabe) {
      eingabe = ergebnis;
      position = static_cast<int>(anfang + neu.size());
    }
  }
  vorher_ = eingabe;
  if (!gehalten_.contains(eingabe)) gehalten_.append(eingabe);
  erlaubt_ = std::max(hoechstens_, static_cast<std::size_t>(eingabe.size()));
  return Acceptable;
}

void Cp1252Validator::Erlaube(const QString& text) {
  gehalten_ = QStringList{text};
  vorher_ = text;
  erlaubt_ = std::max(hoechstens_, static_cast<std::size_t>(text.size()));
}

void Begrenze(QLineEdit& edit, std::size_t hoechstens, Regel regel) {
  edit.setMaxLength(32767);
  edit.setValidator(new Cp1252Validator(edit, hoechstens, regel));
}

void Zeige(QLineEdit& edit, const QString& text) {
  if (auto* validator = edit.findChild<Cp1252Validator*>(QString(), Qt::FindDirectChildrenOnly)) {
    validator->Erlaube(text);
  }
  edit.setText(text);
  edit.setProperty(kGezeigt, edit.text());
}

bool Geaendert(const QLineEdit& edit) { return edit.text() != edit.property(kGezeigt).toString(); }

void Schreibe(std::string& ziel, const QLineEdit& edit, std::size_t hoechstens) {
  if (!Geaendert(edit)) return;
  if (std::optional<std::string> bytes = Bytes(edit.text(), hoechstens)) ziel = std::move(*bytes);
}

}  // namespace feld
