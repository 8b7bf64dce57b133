// The window platform layer: the application message box, the file and printer set-up
// dialogs, modal showing, popup menus, processing of pending events, help, and the guard
// every event handler runs in.
// Everything that waits for the user goes through one `Benutzer`; the program uses the Qt
// dialogs, tests install a script in their place.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <utility>

#include <QDialog>
#include <QString>

#include "model/Fehler.h"

class QAction;
class QMenu;
class QPoint;
class QPrinter;
class QWidget;

namespace fenster {

// Modal results of the windows.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3 };

// One run of an open or save dialog.
struct DateiDialog {
  bool speichern = false;  // save dialog (else open)
  QString standardEndung;  // added to a chosen name without an extension, e.g. "wuz"
  QString filter;          // "Beschreibung|Muster|Beschreibung|Muster..." e.g. "Steuerungsdaten|*.wuz"
  QString vorschlag;       // the file name the dialog proposes (may name its folder), or empty
};

// What stands between the program and the user.
class Benutzer {
 public:
  virtual ~Benutzer() = default;
  // Returns the answer 1 OK, 2 Cancel, 6 Yes or 7 No.
  virtual int MessageBox(const QString& text, const QString& caption, int flags) = 0;
  // The chosen path, or nothing when the dialog was closed without a choice.
  virtual std::optional<QString> DateiWaehlen(QWidget* parent, const DateiDialog& dialog) = 0;
  // Shows `fenster` modally and returns its modal result.
  virtual int Modal(QDialog& fenster) = 0;
  // Shows the popup menu at `punkt` (screen coordinates) and returns the chosen item, which
  // has been triggered as by a click, or nullptr when the menu closed without a choice.
  virtual QAction* Menue(QMenu& menue, const QPoint& punkt) = 0;
  // The printer set-up dialog on `drucker`; true when it was left with OK.
  virtual bool DruckerEinrichten(QWidget* parent, QPrinter& drucker) = 0;
};

// Installs `b` (not owned) in place of the Qt dialogs and returns the one installed before;
// nullptr brings the Qt dialogs back.
Benutzer* Installiere(Benutzer* b);

// The application message box: plain text, icon and buttons by the style flags
// 0/16/35/36/48/49/52/64.
int MessageBox(const QString& text, const QString& caption, int flags);
int MessageBox(const std::string& text, const std::string& caption, int flags);

// "Steuerungsdaten|*.wuz" -> "Steuerungsdaten (*.wuz)", pairs joined by ";;".
QString QtFilter(const QString& filter);
// `pfad` with "." + `endung` added when its file name has no extension.
QString MitEndung(const QString& pfad, const QString& endung);

// Runs the dialog, proposing the file name `vorschlag` when one is given; the chosen path
// carries the default extension (an existing file chosen for opening keeps its name). The
// program asks about overwriting itself, so the dialog does not.
std::optional<QString> OeffnenDialog(QWidget* parent, const QString& endung, const QString& filter,
                                     const QString& vorschlag = {});
std::optional<QString> SpeichernDialog(QWidget* parent, const QString& endung, const QString& filter,
                                       const QString& vorschlag = {});

// Shows a popup menu at `punkt` (screen coordinates) and returns the chosen item (its
// `triggered` has been sent), or nullptr when none was chosen.
QAction* ZeigeMenue(QMenu& menue, const QPoint& punkt);

// Runs the printer set-up dialog on `drucker`; true when it was left with OK.
bool DruckerEinrichten(QWidget* parent, QPrinter& drucker);

// Ties `fenster` (its transient parent) to the window that opens it: the innermost window
// shown modally (through ZeigeModal, or the progress window of a transfer), else the main
// window; so window managers keep it above and centred on that window.
void BindeAnOeffner(QWidget& fenster);

// Shows a window modally, tied to the window it is opened from; its buttons end it with mrOk,
// mrCancel or mrAbort, the title-bar close with mrCancel.
int ZeigeModal(QDialog& fenster);

// Processes the pending events of the application.
void Verarbeite();

// The help stand-in: the program's own short text for a help context (1000 the main
// window, 1010 the bookings window, 1030 the data-selection window, 1100 the connection
// window).
void Hilfe(int kontext);

// A dialog whose title-bar close (and Escape) ends it with mrCancel. The windows are made once
// and shown again and again; every showing starts as the first: centred on the screen, and
// the focus where a first showing puts it (the first control that takes it, unless the
// window's own set-up puts it elsewhere).
class TFormular : public QDialog {
 public:
  using QDialog::QDialog;
  void reject() override { done(mrCancel); }
  void setVisible(bool sichtbar) override;
};

// Shows `meldung` in a box "Fehler" with the error icon.
void ZeigeFehler(const std::string& meldung) noexcept;

// Runs `handler`; an exception of the program's classes or of the library goes no further:
// `beimFehler` runs first (closing what the handler opened), then the message is shown in a
// box "Fehler" with the error icon.
template <class F, class G>
void Geschuetzt(F&& handler, G&& beimFehler) noexcept {
  if (const std::optional<std::string> meldung = Fehlermeldung(std::forward<F>(handler))) {
    beimFehler();
    ZeigeFehler(*meldung);
  }
}

template <class F>
void Geschuetzt(F&& handler) noexcept {
  Geschuetzt(std::forward<F>(handler), [] {});
}

}  // namespace fenster
