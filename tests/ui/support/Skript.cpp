#include "Skript.h"

#include <gtest/gtest.h>

Skript::Skript() : vorher_(fenster::Installiere(this)) {}

Skript::~Skript() {
  fenster::Installiere(vorher_);
  for (const Schritt& s : schritte_) {
    ADD_FAILURE() << "scripted step not used: " << (s.art == Art::Box ? "box " + s.caption.toStdString()
                                                    : s.art == Art::Datei ? std::string("file dialog")
                                                                          : "window " + s.name.toStdString());
  }
}

Skript& Skript::Box(const QString& text, const QString& caption, int flags, int antwort) {
  schritte_.push_back({Art::Box, text, caption, flags, antwort, false, std::nullopt, {}, {}, {}});
  return *this;
}

Skript& Skript::Box(const QString& caption, int flags, int antwort) {
  schritte_.push_back({Art::Box, std::nullopt, caption, flags, antwort, false, std::nullopt, {}, {}, {}});
  return *this;
}

Skript& Skript::Box(const QString& caption, int flags, std::function<int(const QString&)> dabei) {
  schritte_.push_back({Art::Box, std::nullopt, caption, flags, 0, false, std::nullopt, {}, {}, std::move(dabei)});
  return *this;
}

Skript& Skript::Datei(bool speichern, std::optional<QString> pfad) {
  schritte_.push_back({Art::Datei, std::nullopt, {}, 0, 0, speichern, std::move(pfad), {}, {}, {}});
  return *this;
}

Skript& Skript::Modal(const QString& name, std::function<int(QDialog&)> handeln) {
  schritte_.push_back({Art::Modal, std::nullopt, {}, 0, 0, false, std::nullopt, name, std::move(handeln), {}});
  return *this;
}

std::optional<Skript::Schritt> Skript::Naechster(Art art, const QString& was) {
  if (schritte_.empty() || schritte_.front().art != art) {
    ADD_FAILURE() << "unscripted: " << was.toStdString();
    return std::nullopt;
  }
  Schritt s = std::move(schritte_.front());
  schritte_.pop_front();
  return s;
}

int Skript::MessageBox(const QString& text, const QString& caption, int flags) {
  const QString was = QStringLiteral("Box %1 %2: %3").arg(caption).arg(flags).arg(text);
  verlauf_.push_back(was);
  const std::optional<Schritt> s = Naechster(Art::Box, was);
  if (!s) return fenster::mrCancel;
  EXPECT_EQ(caption.toStdString(), s->caption.toStdString()) << was.toStdString();
  EXPECT_EQ(flags, s->flags) << was.toStdString();
  if (s->text) {
    EXPECT_EQ(text.toStdString(), s->text->toStdString());
  }
  return s->dabei ? s->dabei(text) : s->antwort;
}

std::optional<QString> Skript::DateiWaehlen(QWidget*, const fenster::DateiDialog& dialog) {
  const QString was = QStringLiteral("%1 %2 %3")
                          .arg(dialog.speichern ? QStringLiteral("Speichern") : QStringLiteral("Öffnen"),
                               dialog.filter, dialog.standardEndung);
  verlauf_.push_back(was);
  const std::optional<Schritt> s = Naechster(Art::Datei, was);
  if (!s) return std::nullopt;
  EXPECT_EQ(dialog.speichern, s->speichern) << was.toStdString();
  return s->pfad;
}

int Skript::Modal(QDialog& fenster) {
  const QString was = QStringLiteral("Modal %1 %2").arg(fenster.objectName(), fenster.windowTitle());
  verlauf_.push_back(was);
  const std::optional<Schritt> s = Naechster(Art::Modal, was);
  if (!s) return fenster::mrCancel;
  EXPECT_EQ(fenster.objectName().toStdString(), s->name.toStdString());
  return s->handeln ? s->handeln(fenster) : fenster::mrCancel;
}
