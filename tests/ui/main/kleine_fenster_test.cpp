// The progress window, the data-selection window, the input window and the about window.
#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "main/AboutDlg.h"
#include "main/DatenSendenDlg.h"
#include "shared/EingabeDlg.h"
#include "shared/StatusDlg.h"
#include "windowing/Fenster.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

TEST(Fortschritt, ClosingResetsBothBarsHidingKeepsThem) {
  TIDD_STATUS status;
  plattform::ProgressWindow& fenster = status;
  for (bool gezeigt : {true, false}) {
    SCOPED_TRACE(gezeigt ? "closed while shown" : "closed while hidden");
    fenster.Show();
    fenster.Item().SetPosition(50);
    fenster.Overall().SetPosition(70);
    fenster.Hide();
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(status.IDC_PROGRESS->value(), 50);
    EXPECT_EQ(status.IDC_PROGRESS1->value(), 70);
    if (gezeigt) fenster.Show();
    fenster.Close();
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(status.IDC_PROGRESS->value(), 0);
    EXPECT_EQ(status.IDC_PROGRESS1->value(), 0);
  }
}

TEST(Fortschritt, LabelsCaptionAndBarsAsTheEngineDrivesThem) {
  TIDD_STATUS status;
  plattform::ProgressWindow& fenster = status;
  EXPECT_EQ(status.windowTitle(), QStringLiteral("Datenübertragung"));
  fenster.SetCaption("Datenübertragung läuft");
  fenster.SetLabel1("Sende Person 3 von 7.");
  fenster.SetLabel2("Sende Personendaten ...");
  EXPECT_EQ(status.windowTitle(), QStringLiteral("Datenübertragung läuft"));
  EXPECT_EQ(status.Label1->text(), QStringLiteral("Sende Person 3 von 7."));
  EXPECT_EQ(status.Label2->text(), QStringLiteral("Sende Personendaten ..."));

  plattform::ProgressBar& bar = fenster.Overall();
  EXPECT_EQ(bar.Max(), 100);
  bar.SetStep(10);
  bar.StepIt();
  bar.StepBy(20);
  EXPECT_EQ(bar.Position(), 30);
  bar.StepBy(200);  // bounded by Max
  EXPECT_EQ(bar.Position(), 100);
  bar.SetMax(7);
  EXPECT_EQ(bar.Position(), 7);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetVisible(false);
  EXPECT_FALSE(bar.Visible());
  EXPECT_TRUE(status.IDC_PROGRESS1->isHidden());
  bar.SetVisible(true);
  EXPECT_TRUE(bar.Visible());
}

TEST(Fortschritt, EscapeDoesNotTakeItAway) {
  TIDD_STATUS status;
  status.show();
  status.IDC_PROGRESS->setValue(40);
  QTest::keyClick(&status, Qt::Key_Escape);
  EXPECT_TRUE(status.isVisible());
  EXPECT_EQ(status.IDC_PROGRESS->value(), 40);
  status.hide();
}

TEST(Fortschritt, DuringATransferNoCloseRequestTakesItAway) {
  TIDD_STATUS status;
  plattform::ProgressWindow& fenster = status;
  fenster.Show();
  fenster.Item().SetPosition(50);
  fenster.Overall().SetPosition(70);
  ASSERT_NE(status.windowHandle(), nullptr);
  status.windowHandle()->close();  // the window manager's close, as by the title bar
  EXPECT_TRUE(status.isVisible());
  EXPECT_FALSE(status.close());
  QTest::keyClick(&status, Qt::Key_Escape);
  EXPECT_TRUE(status.isVisible());
  EXPECT_EQ(status.IDC_PROGRESS->value(), 50);
  EXPECT_EQ(status.IDC_PROGRESS1->value(), 70);
  // The transfer ends: the program closes it.
  fenster.Close();
  EXPECT_FALSE(status.isVisible());
  EXPECT_EQ(status.IDC_PROGRESS1->value(), 0);
  // Shown outside a transfer, it closes as any window.
  for (bool hidden : {true, false}) {
    fenster.Show();
    hidden ? fenster.Hide() : fenster.Close();
    status.show();
    status.IDC_PROGRESS->setValue(30);
    status.windowHandle()->close();
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(status.IDC_PROGRESS->value(), 0);
  }
}

TEST(Datenauswahl, SetzeModusSetsCaptionButtonAndQuestion) {
  TIDD_SEND_DATA fenster;
  struct Fall {
    short modus;
    const char* caption;
    const char* knopf;
    const char* frage;
  };
  const Fall faelle[] = {
      {TIDD_SEND_DATA::kHolen, "Daten holen", "Holen", "Folgende Daten werden gelesen."},
      {TIDD_SEND_DATA::kSenden, "Daten senden", "Senden", "Folgende Daten werden gesendet."},
      {0, "Daten senden", "Senden", "Folgende Daten werden gesendet."},  // unchanged
      {TIDD_SEND_DATA::kHolen, "Daten holen", "Holen", "Folgende Daten werden gelesen."},
      {3, "Daten holen", "Holen", "Folgende Daten werden gelesen."},  // unchanged
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.modus);
    fenster.SetzeModus(f.modus);
    EXPECT_EQ(fenster.windowTitle(), QString::fromUtf8(f.caption));
    EXPECT_EQ(fenster.BitBtn2->text(), QString::fromUtf8(f.knopf));
    EXPECT_EQ(fenster.Label1->text(), QString::fromUtf8(f.frage));
  }
}

TEST(Datenauswahl, BoxesStartTickedAndDisabledWithTheirTexts) {
  TIDD_SEND_DATA fenster;
  const std::pair<QCheckBox*, const char*> boxen[] = {{fenster.IDCB_PERSON, "Personen / Karten"},
                                                      {fenster.IDCB_PROFIL, "Profile / Gerätedaten"},
                                                      {fenster.IDCB_DAYS, "Feiertage / So-Wi Umschalttage"}};
  for (const auto& [box, text] : boxen) {
    EXPECT_EQ(box->text(), QString::fromUtf8(text));
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(box->isEnabled());
  }
  EXPECT_EQ(fenster.IDSB_OPTIONS->text(), QStringLiteral("Optionen"));
  EXPECT_TRUE(fenster.IDSB_OPTIONS->isCheckable());
  EXPECT_FALSE(fenster.IDSB_OPTIONS->isChecked());
  EXPECT_TRUE(fenster.BitBtn2->isDefault());
}

TEST(Datenauswahl, OptionsEnableTheBoxesAndKeepTheirTicks) {
  TIDD_SEND_DATA fenster;
  fenster.IDSB_OPTIONS->click();
  EXPECT_TRUE(fenster.IDSB_OPTIONS->isChecked());
  EXPECT_TRUE(fenster.IDCB_PERSON->isEnabled());
  EXPECT_TRUE(fenster.IDCB_PROFIL->isEnabled());
  EXPECT_TRUE(fenster.IDCB_DAYS->isEnabled());
  fenster.IDCB_PERSON->click();
  EXPECT_FALSE(fenster.IDCB_PERSON->isChecked());
  fenster.IDSB_OPTIONS->click();
  EXPECT_FALSE(fenster.IDSB_OPTIONS->isChecked());
  EXPECT_FALSE(fenster.IDCB_PERSON->isEnabled());
  EXPECT_FALSE(fenster.IDCB_PERSON->isChecked());  // stays unticked, and counts so
  EXPECT_TRUE(fenster.IDCB_PROFIL->isChecked());
  // Switching the mode keeps the ticks.
  fenster.SetzeModus(TIDD_SEND_DATA::kHolen);
  fenster.SetzeModus(TIDD_SEND_DATA::kSenden);
  EXPECT_FALSE(fenster.IDCB_PERSON->isChecked());
  EXPECT_TRUE(fenster.IDCB_DAYS->isChecked());
}

TEST(Datenauswahl, F1ShowsItsHelp) {
  TIDD_SEND_DATA fenster;
  Skript skript;
  skript.Box(QStringLiteral("Hilfe"), 64, [](const QString& text) {
    EXPECT_TRUE(text.startsWith(QStringLiteral("Datenauswahl")));
    return 1;
  });
  QTest::keyClick(&fenster, Qt::Key_F1);
}

// Shows `fenster` through the real modal showing and runs `handeln` once it is up.
int ModalMit(QDialog& fenster, std::function<void()> handeln) {
  QTimer::singleShot(0, &fenster, [&fenster, handeln] {
    EXPECT_TRUE(fenster.isVisible());
    handeln();
  });
  // A window that does not end fails the test instead of waiting.
  QTimer::singleShot(5000, &fenster, [&fenster] {
    ADD_FAILURE() << "window did not end";
    fenster.done(99);
  });
  return fenster::ZeigeModal(fenster);
}

TEST(ModalesZeigen, ButtonsAndTitleBarCloseGiveTheirResults) {
  TIDD_SEND_DATA auswahl;
  TIDC_INPUT eingabe;
  TIDD_ABOUT about;
  EXPECT_EQ(ModalMit(auswahl, [&] { auswahl.BitBtn2->click(); }), fenster::mrOk);
  EXPECT_EQ(ModalMit(auswahl, [&] { auswahl.BitBtn1->click(); }), fenster::mrAbort);
  EXPECT_EQ(ModalMit(auswahl, [&] { auswahl.close(); }), fenster::mrCancel);
  EXPECT_EQ(ModalMit(eingabe, [&] { eingabe.BitBtn1->click(); }), fenster::mrOk);
  EXPECT_EQ(ModalMit(eingabe, [&] { eingabe.BitBtn2->click(); }), fenster::mrCancel);
  EXPECT_EQ(ModalMit(eingabe, [&] { eingabe.close(); }), fenster::mrCancel);
  EXPECT_EQ(ModalMit(about, [&] { about.BitBtn1->click(); }), fenster::mrOk);
  EXPECT_EQ(ModalMit(about, [&] { about.close(); }), fenster::mrCancel);
}

TEST(Eingabe, KeepsItsTextAndTakesLongTexts) {
  TIDC_INPUT fenster;
  const QString lang(40000, u'x');
  fenster.IDE_INPUT->setText(lang);
  EXPECT_EQ(fenster.IDE_INPUT->text(), lang);
  EXPECT_EQ(ModalMit(fenster, [&] { fenster.BitBtn1->click(); }), fenster::mrOk);
  EXPECT_EQ(fenster.IDE_INPUT->text(), lang);
}

// The first showing ends by a mouse click on one of its buttons (after a name the profile
// editor refuses, OK); the next showing has the focus in the edit at the same place, so a
// typed name and Return end it with OK and the name.
TEST(Eingabe, ShownAgainItTakesATypedNameAndReturn) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Abbrechen");
    TIDC_INPUT fenster;
    QWidget* const edit = fenster.IDE_INPUT;
    QRect platz;
    EXPECT_EQ(ModalMit(fenster,
                       [&] {
                         ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
                         EXPECT_EQ(QApplication::focusWidget(), edit);
                         platz = fenster.geometry();
                         QTest::keyClicks(static_cast<QWidget*>(nullptr), QStringLiteral("Lager Nord"));
                         QTest::mouseClick(ok ? fenster.BitBtn1 : fenster.BitBtn2, Qt::LeftButton);
                       }),
              ok ? fenster::mrOk : fenster::mrCancel);
    fenster.IDE_INPUT->clear();
    EXPECT_EQ(ModalMit(fenster,
                       [&] {
                         ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
                         EXPECT_EQ(QApplication::focusWidget(), edit);
                         EXPECT_EQ(fenster.geometry(), platz);
                         QTest::keyClicks(static_cast<QWidget*>(nullptr), QStringLiteral("Lager"));
                         QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
                       }),
              fenster::mrOk);
    EXPECT_EQ(fenster.IDE_INPUT->text(), QStringLiteral("Lager"));
  }
}

TEST(About, ShowsPictureTitleAndVersion) {
  TIDD_ABOUT fenster;
  EXPECT_EQ(fenster.size(), QSize(416, 311));
  // The program's picture is as large as its 65 x 65 slot and fills three quarters of it at least.
  const QImage bild = fenster.Image1->pixmap().toImage();
  EXPECT_EQ(fenster.Image1->size(), QSize(65, 65));
  EXPECT_EQ(bild.size(), QSize(65, 65));
  const QRect gezeichnet = Gezeichnet(bild);
  EXPECT_GE(std::max(gezeichnet.width(), gezeichnet.height()), 50)
      << gezeichnet.width() << " x " << gezeichnet.height();
  EXPECT_TRUE(fenster.Label1->font().bold());
  EXPECT_TRUE(fenster.Label1->text().contains(QStringLiteral("Version")));
}

}  // namespace
