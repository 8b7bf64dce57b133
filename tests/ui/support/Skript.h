// Test stand-in for the user: message boxes, file dialogs and modal windows answered from a
// script, in order. Anything the script does not expect fails the test at once and is
// answered with Cancel (no choice), so nothing waits for a user.
#pragma once

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Fenster.h"

class Skript final : public fenster::Benutzer {
 public:
  // Installs itself; the destructor takes the Qt dialogs back and fails the test when a
  // scripted step was not used.
  Skript();
  ~Skript() override;
  Skript(const Skript&) = delete;
  Skript& operator=(const Skript&) = delete;

  // A box with exactly this text, caption and flags, answered with `antwort`.
  Skript& Box(const QString& text, const QString& caption, int flags, int antwort);
  // A box with this caption and flags, whatever its text.
  Skript& Box(const QString& caption, int flags, int antwort);
  // A box with this caption and flags; `dabei` runs while it is shown and gives the answer.
  Skript& Box(const QString& caption, int flags, std::function<int(const QString& text)> dabei);
  // An open (speichern false) or save dialog, answered with the path or no choice.
  Skript& Datei(bool speichern, std::optional<QString> pfad);
  // The window named `name` shown modally: `handeln` may work its controls, and its result
  // is the modal result.
  Skript& Modal(const QString& name, std::function<int(QDialog&)> handeln);

  // Every box, dialog and window that was shown, as "Box <caption> <flags>: <text>",
  // "Öffnen <filter> <endung>", "Speichern <filter> <endung>", "Modal <name> <caption>".
  const std::vector<QString>& Verlauf() const { return verlauf_; }
  bool Fertig() const { return schritte_.empty(); }

  int MessageBox(const QString& text, const QString& caption, int flags) override;
  std::optional<QString> DateiWaehlen(QWidget* parent, const fenster::DateiDialog& dialog) override;
  int Modal(QDialog& fenster) override;

 private:
  enum class Art { Box, Datei, Modal };
  struct Schritt {
    Art art;
    std::optional<QString> text;
    QString caption;
    int flags = 0;
    int antwort = 0;
    bool speichern = false;
    std::optional<QString> pfad;
    QString name;
    std::function<int(QDialog&)> handeln;
    std::function<int(const QString&)> dabei;
  };
  // The next step when it is of `art`; else fails the test and returns nothing.
  std::optional<Schritt> Naechster(Art art, const QString& was);

  std::deque<Schritt> schritte_;
  std::vector<QString> verlauf_;
  fenster::Benutzer* vorher_;
};
