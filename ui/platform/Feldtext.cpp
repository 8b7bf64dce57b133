#include "platform/Feldtext.h"

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

Cp1252Validator::Cp1252Validator(QLineEdit& edit, std::size_t hoechstens)
    : QValidator(&edit), hoechstens_(hoechstens), erlaubt_(hoechstens) {}

QValidator::State Cp1252Validator::validate(QString& eingabe, int&) const {
  const std::optional<std::string> neu = Utf8NachCp1252(eingabe.toStdString());
  if (!neu || neu->size() > erlaubt_) return Invalid;
  erlaubt_ = std::max(hoechstens_, neu->size());
  return Acceptable;
}

void Begrenze(QLineEdit& edit, std::size_t hoechstens) {
  edit.setMaxLength(32767);
  edit.setValidator(new Cp1252Validator(edit, hoechstens));
}

void Zeige(QLineEdit& edit, const QString& text) {
  if (auto* validator = edit.findChild<Cp1252Validator*>(QString(), Qt::FindDirectChildrenOnly)) {
    validator->Erlaube(static_cast<std::size_t>(text.size()));
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
