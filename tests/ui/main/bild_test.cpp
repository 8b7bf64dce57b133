// Renders the main window, the progress window and the about window offscreen into PNG files,
// so their German texts and their pictures can be looked at: into $YBR_UI_BILDER when set,
// else into a temporary folder.
#include <cstdlib>
#include <memory>

#include <QImage>
#include <gtest/gtest.h>

#include "main/AboutDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

TEST(Bilder, MainWindowProgressWindowAndAboutWindow) {
  TempOrdner ordner;
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const std::string ablage = ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad();
  // A long IP text with the address "d" in the connection panel.
  SchreibeDatei(ordner / "Wup.ini", "[Global]\nPage=0\n[Network]\nIP=192.168.100.200\n[Comm]\nAdress=13\n");
  TFormulare formulare;
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  Skript skript;
  IDD_MAIN->show();
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QStringLiteral(" IP: 192.168.100.200 , Adr.: d"));
  IDD_MAIN->IDB_SETTINGS->click();
  IDD_MAIN->IDT_DATEI->setText(QStringLiteral("/home/benutzer/Türen/Gebäude Süd.wuz"));
  const QString hauptbild = QString::fromStdString(ablage + "hauptfenster.png");
  ASSERT_TRUE(SpeichereBild(*IDD_MAIN, hauptbild));

  plattform::ProgressWindow& status = *IDD_STATUS;
  status.SetCaption("Datenübertragung");
  status.SetLabel1("Sende Person 3 von 7.");
  status.SetLabel2("Sende Türprofile ...");
  status.Item().SetPosition(43);
  status.Overall().SetPosition(60);
  const QString statusbild = QString::fromStdString(ablage + "fortschritt.png");
  ASSERT_TRUE(SpeichereBild(*IDD_STATUS, statusbild));

  const QImage haupt(hauptbild);
  EXPECT_EQ(haupt.width(), 610);
  EXPECT_GE(haupt.height(), 407);
  EXPECT_EQ(QImage(statusbild).size(), QSize(349, 181));

  const QString aboutbild = QString::fromStdString(ablage + "info.png");
  ASSERT_TRUE(SpeichereBild(*IDD_ABOUT, aboutbild));
  EXPECT_EQ(QImage(aboutbild).size(), QSize(416, 311));
}

}  // namespace
