#include "Eingabe.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

void Gib(QLineEdit& edit, const Eingabe& eingabe) {
  edit.setFocus();
  edit.end(false);
  for (const QChar c : eingabe.tasten) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(&edit, c.toLatin1());
    } else {
      // QTest's key table knows ASCII only; a Latin-1 letter comes with its key and its text,
      // as from a keyboard (Qt's key codes of these letters are their capitals).
      QTest::sendKeyEvent(QTest::Click, &edit, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
  }
  if (eingabe.einfuegen.isEmpty()) return;
  if (eingabe.weg == Weg::Ablegen) {
    // Dragged from another program and let go behind the text.
    QMimeData daten;
    daten.setText(eingabe.einfuegen);
    const QPoint hinten(edit.width() - 2, edit.height() / 2);
    QDragEnterEvent herein(hinten, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &herein);
    ASSERT_TRUE(herein.isAccepted());
    QDropEvent ablegen(hinten, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &ablegen);
    ASSERT_TRUE(ablegen.isAccepted());
    return;
  }
  QGuiApplication::clipboard()->setText(eingabe.einfuegen);
  ASSERT_EQ(QGuiApplication::clipboard()->text(), eingabe.einfuegen);
  if (eingabe.weg == Weg::StrgV) {
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    return;
  }
  // The right mouse button opens the edit's own menu as a popup; its paste entry is chosen.
  const QPoint mitte = edit.rect().center();
  QContextMenuEvent menue(QContextMenuEvent::Mouse, mitte, edit.mapToGlobal(mitte));
  QCoreApplication::sendEvent(&edit, &menue);
  auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(popup, nullptr);
  // Qt's own entry, untranslated: "&Paste", a tab and the key. The menu is closed also when
  // the entry is missing, so the next case starts without it.
  const QList<QAction*> eintraege = popup->actions();
  const auto einfuegen = std::find_if(eintraege.begin(), eintraege.end(), [](const QAction* a) {
    return a->text().startsWith(QStringLiteral("&Paste\t"));
  });
  const bool gefunden = einfuegen != eintraege.end() && (*einfuegen)->isEnabled();
  if (gefunden) (*einfuegen)->trigger();
  popup->close();
  ASSERT_TRUE(gefunden);
}
