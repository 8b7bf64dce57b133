#include "Eingabe.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
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
  QGuiApplication::clipboard()->setText(eingabe.einfuegen);
  ASSERT_EQ(QGuiApplication::clipboard()->text(), eingabe.einfuegen);
  QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
}
