#include "Skript.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QStringList>
#include <gtest/gtest.h>

Skript::Skript() : vorher_(fenster::Installiere(this)) {}

Skript::~Skript() {
  fenster::Installiere(vorher_);
  for (const Schritt& s : schritte_) ADD_FAILURE() << "scripted step not used: " << Beschreibung(s).toStdString();
}

QString Skript::Beschreibung(const Schritt& s) {
  switch (s.art) {
    case Art::Box: return QStringLiteral("box ") + s.caption;
    case Art::Datei: return QStringLiteral("file dialog");
    case Art::Modal: return QStringLiteral("window ") + s.name;
    case Art::Menue: return QStringLiteral("popup menu ") + s.name;
    case Art::Drucker: return QStringLiteral("printer set-up");
  }
  return {};
}

Skript& Skript::Box(const QString& text, const QString& caption, int flags, int antwort) {
  schritte_.push_back({.art = Art::Box, .text = text, .caption = caption, .flags = flags, .antwort = antwort});
  return *this;
}

Skript& Skript::Box(const QString& caption, int flags, int antwort) {
  schritte_.push_back({.art = Art::Box, .caption = caption, .flags = flags, .antwort = antwort});
  return *this;
}

Skript& Skript::Box(const QString& caption, int flags, std::function<int(const QString&)> dabei) {
  schritte_.push_back({.art = Art::Box, .caption = caption, .flags = flags, .dabei = std::move(dabei)});
  return *this;
}

Skript& Skript::Datei(bool speichern, std::optional<QString> pfad) {
  schritte_.push_back({.art = Art::Datei, .speichern = speichern, .pfad = std::move(pfad)});
  return *this;
}

Skript& Skript::Modal(const QString& name, std::function<int(QDialog&)> handeln) {
  schritte_.push_back({.art = Art::Modal, .name = name, .handeln = std::move(handeln)});
  return *this;
}

Skript& Skript::Menue(std::optional<QString> objektName) {
  schritte_.push_back({.art = Art::Menue, .name = objektName.value_or(QString())});
  return *this;
}

Skript& Skript::Drucker(bool ok, std::optional<QString> ausgabeDatei) {
  schritte_.push_back(
      {.art = Art::Drucker, .antwort = ok ? fenster::mrOk : fenster::mrCancel, .pfad = std::move(ausgabeDatei)});
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
  QString was = QStringLiteral("%1 %2 %3")
                    .arg(dialog.speichern ? QStringLiteral("Speichern") : QStringLiteral("Öffnen"), dialog.filter,
                         dialog.standardEndung);
  if (!dialog.vorschlag.isEmpty()) was += QStringLiteral(": ") + dialog.vorschlag;
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
  // Shown as the user sees it, modal, so that what the window does when it is shown runs and
  // what it opens meanwhile finds it as its opener.
  const Qt::WindowModality vorher = fenster.windowModality();
  fenster.setWindowModality(Qt::ApplicationModal);
  fenster.show();
  const int ergebnis = s->handeln ? s->handeln(fenster) : fenster::mrCancel;
  fenster.hide();
  fenster.setWindowModality(vorher);
  return ergebnis;
}

QAction* Skript::Menue(QMenu& menue, const QPoint&) {
  QStringList angekreuzt;
  for (const QAction* a : menue.actions()) {
    if (a->isChecked()) angekreuzt << a->objectName();
  }
  const QString was = QStringLiteral("Menü %1: %2").arg(menue.objectName(), angekreuzt.join(u' '));
  verlauf_.push_back(was);
  const std::optional<Schritt> s = Naechster(Art::Menue, was);
  if (!s || s->name.isEmpty()) return nullptr;
  for (QAction* a : menue.actions()) {
    if (a->objectName() != s->name) continue;
    if (!a->isVisible() || !a->isEnabled() || a->isSeparator()) {
      ADD_FAILURE() << "the item " << s->name.toStdString() << " cannot be chosen: " << was.toStdString();
      return nullptr;
    }
    a->trigger();
    return a;
  }
  ADD_FAILURE() << "no item " << s->name.toStdString() << " in " << was.toStdString();
  return nullptr;
}

bool Skript::DruckerEinrichten(QWidget*, QPrinter& drucker) {
  const QString was = QStringLiteral("Druckereinrichtung");
  verlauf_.push_back(was);
  const std::optional<Schritt> s = Naechster(Art::Drucker, was);
  if (!s || s->antwort != fenster::mrOk) return false;
  if (s->pfad) drucker.setOutputFileName(*s->pfad);
  return true;
}
