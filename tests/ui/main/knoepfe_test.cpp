// Return (or Enter on the keypad) on a push button that has the focus presses that button, in
// every window of the program; from any other control it presses the window's default button.
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "bookings/BuchungenDlg.h"
#include "calendar/FeiertageDlg.h"
#include "calendar/FeiertagkalDlg.h"
#include "main/AboutDlg.h"
#include "main/DatenSendenDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "persons/PersonAendernDlg.h"
#include "persons/PersonendatenDlg.h"
#include "printing/PrintDlg.h"
#include "profiles/EditTuerZeitlinieDlg.h"
#include "profiles/EditZeitlinieDlg.h"
#include "profiles/TuerdatenDlg.h"
#include "profiles/ZutrittprofileDlg.h"
#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"
#include "settings/SpezialDlg.h"
#include "settings/SteuerungenDlg.h"
#include "shared/EingabeDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

// Each window is prepared as its opener does, shown and made active. Only which button a key
// presses is looked at here, so what the buttons do is disconnected: every button is enabled
// and shown, and a press of any of them is counted.
TEST(Knoepfe, ReturnPressesTheFocusedPushButtonInEveryWindowElseTheDefault) {
  TempOrdner ordner;
  Programm programm(ordner.Pfad(), 2026);
  TSteuerung& s = programm.S();
  Zeitlinie tuerLinie{};
  Zeitlinie linie{};
  const std::vector<std::pair<QWidget*, std::function<void()>>> fenster = {
      {IDD_MAIN, [] {}},
      {IDD_BUCHUNGEN, [&] { IDD_BUCHUNGEN->Init(&s); }},
      {IDD_PERSONEN,
       [&] {
         IDD_PERSONEN->Init(&s);
         IDD_PERSONEN->ZeigePersonen();
       }},
      {IDD_SYSTEMDATA, [&] { IDD_SYSTEMDATA->Init(s); }},
      {IDD_PROFIL, [&] { IDD_PROFIL->Init(&s); }},
      {IDD_FEIERTAG, [&] { IDD_FEIERTAG->Init(2026, &s); }},
      {IDD_DOORDATA, [&] { IDD_DOORDATA->Init(s); }},
      {IDC_INPUT, [] {}},
      {IDD_CHANGE_PERSON, [&] { IDD_CHANGE_PERSON->Init(&s, -1); }},
      {IDD_SEND_DATA, [] { IDD_SEND_DATA->SetzeModus(2); }},
      {IDD_BUILD_FD, [&] { IDD_BUILD_FD->Init(&s); }},
      {IDD_COMM,
       [&] {
         IDD_COMM->Init(&s);
         IDD_COMM->ZeigeWerte();
       }},
      {IDD_PASSWD, [] {}},
      {IDD_ADVANCED, [&] { IDD_ADVANCED->Init(&s, 2, IDD_STATUS); }},
      {IDD_STATUS, [] {}},
      {IDD_EDIT_DOORTIMELINE, [&] { IDD_EDIT_DOORTIMELINE->Init(tuerLinie); }},
      {IDD_EDIT_TIMELINE, [&] { IDD_EDIT_TIMELINE->Init(linie, 0x3F); }},
      {IDD_SPECIAL, [&] { IDD_SPECIAL->Init(s); }},
      {IDD_ABOUT, [] {}},
      {IDD_PRINT, [&] { IDD_PRINT->Init(&s); }},
  };
  ASSERT_EQ(fenster.size(), 20U);
  // Return, and Enter on the keypad, which is the same key to the user.
  const std::pair<Qt::Key, Qt::KeyboardModifier> tasten[] = {{Qt::Key_Return, Qt::NoModifier},
                                                             {Qt::Key_Enter, Qt::KeypadModifier}};
  int gedrueckt = 0;
  int vonEdits = 0;
  for (const auto& [f, vorbereiten] : fenster) {
    SCOPED_TRACE(f->objectName().toStdString());
    Skript skript;  // nothing may be asked
    vorbereiten();
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    const QList<QPushButton*> knoepfe = f->findChildren<QPushButton*>();
    QPushButton* standard = nullptr;
    for (QPushButton* k : knoepfe) {
      QObject::disconnect(k, nullptr, nullptr, nullptr);
      k->setEnabled(true);
      k->show();
      if (k->isDefault()) standard = k;
    }
    for (QPushButton* k : knoepfe) {
      if (!k->isVisible()) continue;  // on a page that is not shown
      SCOPED_TRACE(k->objectName().toStdString());
      for (const auto& [taste, zusatz] : tasten) {
        SCOPED_TRACE(taste);
        std::vector<std::unique_ptr<QSignalSpy>> spione;
        for (QPushButton* b : knoepfe) spione.push_back(std::make_unique<QSignalSpy>(b, &QAbstractButton::pressed));
        QSignalSpy geklickt(k, &QAbstractButton::clicked);
        k->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), k);
        QTest::keyClick(QApplication::focusWidget(), taste, zusatz);
        EXPECT_EQ(geklickt.count(), 1);
        for (qsizetype i = 0; i < knoepfe.size(); ++i) {
          EXPECT_EQ(spione[static_cast<std::size_t>(i)]->count(), knoepfe[i] == k ? 1 : 0)
              << knoepfe[i]->objectName().toStdString();
        }
      }
      ++gedrueckt;
    }
    // From an edit Return goes to the window's default button.
    const QList<QLineEdit*> edits = f->findChildren<QLineEdit*>();
    const auto edit = std::find_if(edits.begin(), edits.end(), [](QLineEdit* e) {
      // An edit of its own, not the one inside a spin box or a combo box.
      return e->isVisible() && e->isEnabled() && !e->isReadOnly() && e->focusPolicy() != Qt::NoFocus &&
             qobject_cast<QAbstractSpinBox*>(e->parentWidget()) == nullptr &&
             qobject_cast<QComboBox*>(e->parentWidget()) == nullptr;
    });
    if (standard != nullptr && edit != edits.end()) {
      for (const auto& [taste, zusatz] : tasten) {
        SCOPED_TRACE(taste);
        QSignalSpy geklickt(standard, &QAbstractButton::pressed);
        (*edit)->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), *edit);
        QTest::keyClick(QApplication::focusWidget(), taste, zusatz);
        EXPECT_EQ(geklickt.count(), 1) << (*edit)->objectName().toStdString();
      }
      ++vonEdits;
    }
    f->hide();
  }
  EXPECT_GE(gedrueckt, 56);  // every push button of the twenty windows
  EXPECT_GE(vonEdits, 7);
}

}  // namespace
