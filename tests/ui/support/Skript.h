// Test stand-in for the user: message boxes, file dialogs, modal windows, popup menus and the
// printer set-up dialog answered from a script, in order. Anything the script does not expect fails the test at once
// and is answered with Cancel (no choice), so nothing waits for a user.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "windowing/Fenster.h"

class QAction;
class QMenu;
class QPoint;
class QPrinter;

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
  // The window named `name` shown modally: it is shown (its showEvent runs) before `handeln`
  // works its controls and hidden afterwards; the result of `handeln` is the modal result.
  Skript& Modal(const QString& name, std::function<int(QDialog&)> handeln);
  // A popup menu: the item with this object name is chosen and triggered as a click does;
  // nothing is chosen when `objektName` is empty. A missing, hidden or disabled item fails the
  // test and chooses nothing.
  Skript& Menue(std::optional<QString> objektName);
  // The printer set-up dialog, left with OK (`ok`; the printer then prints into `ausgabeDatei`
  // when one is given) or Cancel.
  Skript& Drucker(bool ok, std::optional<QString> ausgabeDatei = std::nullopt);

  // Every box, dialog, window and menu that was shown, as "Box <caption> <flags>: <text>",
  // "Öffnen <filter> <endung>", "Speichern <filter> <endung>" (with ": <vorschlag>" when the
  // dialog proposes a file name), "Modal <name> <caption>", "Menü <name>: <the object names of
  // the items checked when it was shown, separated by blanks>", "Druckereinrichtung".
  const std::vector<QString>& Verlauf() const { return verlauf_; }
  bool Fertig() const { return schritte_.empty(); }

  int MessageBox(const QString& text, const QString& caption, int flags) override;
  std::optional<QString> DateiWaehlen(QWidget* parent, const fenster::DateiDialog& dialog) override;
  int Modal(QDialog& fenster) override;
  QAction* Menue(QMenu& menue, const QPoint& punkt) override;
  bool DruckerEinrichten(QWidget* parent, QPrinter& drucker) override;

 private:
  enum class Art { Box, Datei, Modal, Menue, Drucker };
  struct Schritt {
    Art art = Art::Box;
    std::optional<QString> text{};
    QString caption{};
    int flags = 0;
    int antwort = 0;
    bool speichern = false;
    std::optional<QString> pfad{};
    QString name{};
    std::function<int(QDialog&)> handeln{};
    std::function<int(const QString&)> dabei{};
  };
  static QString Beschreibung(const Schritt& s);
  // The next step when it is of `art`; else fails the test and returns nothing.
  std::optional<Schritt> Naechster(Art art, const QString& was);

  std::deque<Schritt> schritte_;
  std::vector<QString> verlauf_;
  fenster::Benutzer* vorher_;
};
