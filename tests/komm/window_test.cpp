// The debug window of a network link and the pauses' event processing, with Qt running.
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "KommTestPeer.h"
#include "LogFolder.h"
#include "YBR_KOMM.h"

namespace kommtest {
namespace {

int argc = 1;
char name[] = "komm_window_test";
char* argv[] = {name, nullptr};

std::vector<QWidget*> DebugWindows() {
  std::vector<QWidget*> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->windowTitle() == QStringLiteral("Debugausgabe")) windows.push_back(w);
  }
  return windows;
}

QString Status(QWidget* window) {
  auto* panel = window->findChild<QLabel*>(QStringLiteral("Out_Debug"));
  return panel != nullptr ? panel->text() : QStringLiteral("<kein Out_Debug>");
}

TEST(DebugWindow, ShownAtLogLevel2WhileTheLinkIsOpen) {
  const LogFolder logs;
  QApplication app(argc, argv);
  TcpPeer peer([](int fd) { ReadFrameBytes(fd); });
  ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 2), 1) << _GetLastErrorMessage();
  auto windows = DebugWindows();
  ASSERT_EQ(windows.size(), 1U);
  QWidget* window = windows.front();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(275, 115));
  auto* label = window->findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Status:"));
  EXPECT_EQ(label->pos(), QPoint(16, 16));
  auto* panel = window->findChild<QLabel*>(QStringLiteral("Out_Debug"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(16, 40, 241, 33));
  EXPECT_EQ(Status(window), QStringLiteral("Verbindung offen ..."));
  ASSERT_EQ(_SendeTele(1, 3, 768, 1, "", 1), 0);
  EXPECT_EQ(Status(window), QStringLiteral("Beginne Daten schreiben..."));
  _SetParameter(0, 100);
  EXPECT_EQ(_WarteAufTele(1, nullptr, 768, nullptr, 0), 0);
  EXPECT_EQ(Status(window), QStringLiteral(" Warte auf Antwort ... "));
  EXPECT_EQ(_CloseKommunikation(1), 0);
  EXPECT_TRUE(DebugWindows().empty());
}

TEST(DebugWindow, FailedOpenLeavesNoWindow) {
  const LogFolder logs;
  QApplication app(argc, argv);
  EXPECT_EQ(_OpenKommNet(10001, "10.0.0.300", 2), 0);
  EXPECT_TRUE(DebugWindows().empty());
}

TEST(DebugWindow, OtherLogLevelsShowNone) {
  const LogFolder logs;
  QApplication app(argc, argv);
  for (int level : {0, 1, 3, 4}) {
    TcpPeer peer([](int) {});
    ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", level), 1);
    EXPECT_TRUE(DebugWindows().empty()) << level;
    EXPECT_EQ(_CloseKommunikation(1), 0);
  }
}

TEST(DebugWindow, NoneWithoutAGuiApplication) {
  const LogFolder logs;
  QCoreApplication app(argc, argv);
  TcpPeer peer([](int) {});
  ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 2), 1);
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  EXPECT_EQ(_CloseKommunikation(1), 0);
}

TEST(Pauses, CloseFromAnEventDuringTheEchoWait) {
  QCoreApplication app(argc, argv);
  PtyPeer pty(9);
  _SetParameter(0, 2000);
  ASSERT_EQ(_OpenKommSer(9, 9600, 1, 0), 2);
  // The far end never echoes, so the write of the start bytes waits for its echo and
  // processes events meanwhile; one of them closes the link.
  int closed = 1;
  QTimer::singleShot(150, &app, [&] { closed = _CloseKommunikation(2); });
  EXPECT_EQ(_SendeTele(2, 3, 768, 1, "x", 1), -1);
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(_CloseKommunikation(2), -1);
}

TEST(Pauses, ProcessPendingEvents) {
  QCoreApplication app(argc, argv);
  bool fired = false;
  QTimer::singleShot(0, &app, [&] { fired = true; });
  EXPECT_EQ(_SendeTele(1, 3, 768, 1, "", 1), -1);  // no link: fails after the pauses before writing
  EXPECT_TRUE(fired);
}

}  // namespace
}  // namespace kommtest
