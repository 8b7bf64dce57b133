// The connection window: its pages and the programming cable that locks them, the address,
// OK with its order of writes and the main window's panel, the protocol log, the host text
// that refuses control characters, and Wup.ini written back one key per line.
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include "settings/SelectCommDlg.h"

#include "SettingsTest.h"

namespace {

TIDD_COMM& Fenster(QDialog& d) { return dynamic_cast<TIDD_COMM&>(d); }

// The user clicks the tab of page `seite`.
void KlickeReiter(TIDD_COMM& f, int seite) {
  QTabBar* reiter = f.PageControl1->tabBar();
  QTest::mouseClick(reiter, Qt::LeftButton, {}, reiter->tabRect(seite).center());
}

// Ctrl+Tab, Ctrl+Shift+Tab and the arrow keys on the tabs.
void WechsleMitTasten(TIDD_COMM& f) {
  QTest::keyClick(f.PageControl1, Qt::Key_Tab, Qt::ControlModifier);
  QTest::keyClick(f.PageControl1, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(f.PageControl1->tabBar(), Qt::Key_Left);
}

// OK as the user presses it; the window's own result.
int Ok(TIDD_COMM& f) {
  f.BitBtnOK->click();
  return f.result();
}

class Verbindung : public SettingsTest {
 protected:
  // Opens the window through the menu item, with `handeln` working it.
  void Oeffne(std::function<int(TIDD_COMM&)> handeln) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_COMM"), [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Verbindungsparameter"));
      return handeln(Fenster(d));
    });
    IDD_MAIN->verbindungsparameter1->trigger();
  }
};

TEST_F(Verbindung, TheMenuItemHasItsShortcutAndTheCaptionsAreSet) {
  Starte("");
  EXPECT_EQ(IDD_MAIN->verbindungsparameter1->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
  Oeffne([](TIDD_COMM& f) {
    EXPECT_EQ(f.CheckBoxLOGEnabled->text(), QStringLiteral("Protokollierung der Kommunikation"));
    EXPECT_EQ(f.CheckBoxCabelPlugged->text(), QStringLiteral("Verbindung mit Programmierkabel"));
    EXPECT_EQ(f.DeviceADR->text(), QStringLiteral("Geräteadresse:"));
    EXPECT_EQ(f.ButtonTESTCON->text(), QStringLiteral("Verbindungstest"));
    EXPECT_EQ(f.ButtonTESTCON->toolTip(), QStringLiteral("Testet die Verbindung"));
    EXPECT_EQ(f.PageControl1->tabText(0), QStringLiteral("Netzwerk"));
    EXPECT_EQ(f.PageControl1->tabText(1), QStringLiteral("Seriell"));
    EXPECT_EQ(f.IDCB_PORT->count(), 16);
    EXPECT_EQ(f.IDCB_PORT->itemText(15), QStringLiteral("COM16"));
    EXPECT_EQ(f.IDCB_ADRESS->count(), 16);
    EXPECT_EQ(f.IDCB_ADRESS->itemText(13), QStringLiteral("D"));
    EXPECT_FALSE(f.IDCB_ADRESS->isEditable());
    EXPECT_FALSE(f.BitBtn2->isVisible());
    return Ok(f);
  });
}

TEST_F(Verbindung, WithTheCableTheWindowOpensOnSeriellAndNoWayChangesThePage) {
  Starte("[Global]\nPage=0\n[Comm]\nCable=1\n");
  Oeffne([](TIDD_COMM& f) {
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);
    EXPECT_FALSE(f.DeviceADR->isVisible());
    EXPECT_FALSE(f.IDCB_ADRESS->isVisible());
    KlickeReiter(f, 0);
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);
    WechsleMitTasten(f);
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);

    // Unticked: the address is back and the tabs switch; the page stays until then.
    f.CheckBoxCabelPlugged->click();
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);
    EXPECT_TRUE(f.DeviceADR->isVisible());
    EXPECT_TRUE(f.IDCB_ADRESS->isVisible());
    KlickeReiter(f, 0);
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
    QTest::keyClick(f.PageControl1, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);

    // Ticked again: back to "Seriell" at once.
    KlickeReiter(f, 0);
    f.CheckBoxCabelPlugged->click();
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);
    return Ok(f);
  });
  EXPECT_EQ(S().Page, 1);
  EXPECT_TRUE(S().Kabel);
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QStringLiteral(" COM2 , Programmierkabel"));
}

TEST_F(Verbindung, NetworkPageWithoutCableAndOkShowTheHostInThePanel) {
  Starte("[Global]\nPage=0\n[Network]\nIP=10.1.2.3\n[Comm]\nCable=0\nAdress=13\n");
  Oeffne([](TIDD_COMM& f) {
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
    EXPECT_TRUE(f.IDCB_ADRESS->isVisible());
    EXPECT_EQ(f.IDE_IP->text(), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(f.IDCB_ADRESS->currentText(), QStringLiteral("D"));
    return Ok(f);
  });
  EXPECT_EQ(S().Page, 0);
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QStringLiteral(" IP: 10.1.2.3 , Adr.: d"));
}

TEST_F(Verbindung, ChoosingAnAddressTakesEffectAtOnce) {
  Starte("[Global]\nPage=0\n[Comm]\nCable=0\n");
  Oeffne([this](TIDD_COMM& f) {
    f.IDCB_ADRESS->setFocus();
    QTest::keyClicks(f.IDCB_ADRESS, QStringLiteral("C"));
    EXPECT_EQ(f.IDCB_ADRESS->currentText(), QStringLiteral("C"));
    EXPECT_EQ(S().GetAdresse(), 12);
    // Nothing else is written before OK.
    f.IDE_IP->setText(QStringLiteral("10.9.9.9"));
    EXPECT_EQ(S().IP, "127.0.0.1");
    return Ok(f);
  });
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QStringLiteral(" IP: 10.9.9.9 , Adr.: C"));
}

TEST_F(Verbindung, Com5WithTheCable) {
  Starte("[Global]\nPage=1\n[Comm]\nport=2\nCable=1\n");
  Oeffne([](TIDD_COMM& f) {
    EXPECT_EQ(f.IDCB_PORT->currentText(), QStringLiteral("COM2"));
    f.IDCB_PORT->setCurrentIndex(4);
    return Ok(f);
  });
  EXPECT_EQ(S().ComPort, 5);
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QStringLiteral(" COM5 , Programmierkabel"));
}

TEST_F(Verbindung, APortOutsideTheListIsKeptOnOk) {
  Starte("[Global]\nPage=1\n[Comm]\nport=20\nCable=0\n");
  Oeffne([](TIDD_COMM& f) {
    EXPECT_EQ(f.IDCB_PORT->currentIndex(), -1);
    return Ok(f);
  });
  EXPECT_EQ(S().ComPort, 20);
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QStringLiteral(" COM20 , Adr.: 9"));
}

TEST_F(Verbindung, TheLogSwitchedOnByOkIsNamedAfterThePreviousPortAndOpenedOnce) {
  Starte("[Global]\nPage=1\n[Comm]\nport=2\nCable=0\n");
  for (int i = 0; i < 2; ++i) {
    Oeffne([](TIDD_COMM& f) {
      f.CheckBoxLOGEnabled->setChecked(true);
      f.IDCB_PORT->setCurrentIndex(2);
      return Ok(f);
    });
  }
  EXPECT_EQ(Inhalt(ordner.Pfad()), (std::vector<std::string>{"Wup.ini", "log_Com2.log", "temp.bks"}));
  EXPECT_TRUE(S().Protokoll);
  EXPECT_EQ(S().ComPort, 3);
  S().SetProtokoll(0);
  const std::string log = LiesDatei(ordner / "log_Com2.log");
  EXPECT_EQ(log.find("Beginn Protokoll: 7.3.2026 14:5:9"), 1U);
  EXPECT_EQ(log.find("Beginn Protokoll", 2), std::string::npos);
}

// Switched on from the serial page turned to "Netzwerk" with a new host: OK names the log after
// the new kind but the previous host, the test after the previous kind and port.
class LogName : public Verbindung, public ::testing::WithParamInterface<bool> {};

TEST_P(LogName, FollowsTheOrderOfTheWrites) {
  const bool test = GetParam();
  Starte("[Global]\nPage=1\n[Comm]\nport=2\nCable=0\n");
  S().SetFakeComm(true);
  Skript skript;
  skript.Modal(QStringLiteral("IDD_COMM"), [&](QDialog& d) {
    auto& w = Fenster(d);
    w.CheckBoxLOGEnabled->setChecked(true);
    KlickeReiter(w, 0);
    w.IDE_IP->setText(QStringLiteral("10.7.7.7"));
    if (test) {
      skript.Box(QStringLiteral("Simulation ok"), QStringLiteral("Ergebnis des Verbindungstestes"), 64, 1);
      w.ButtonTESTCON->click();
    }
    return Ok(w);
  });
  IDD_MAIN->verbindungsparameter1->trigger();
  EXPECT_TRUE(Existiert(ordner / (test ? "log_Com2.log" : "log_127.0.0.1.log")));
  EXPECT_EQ(S().IP, "10.7.7.7");
}

INSTANTIATE_TEST_SUITE_P(OkOderTest, LogName, ::testing::Bool(),
                         [](const auto& info) { return info.param ? std::string("test") : std::string("ok"); });

// The log cannot be opened: OK stops at it, shows why and the window stays open; the page is
// written before the log (which is named after the host then), the port and the cable after
// it are not.
TEST_F(Verbindung, ALogThatCannotBeOpenedStopsOkAtItsBox) {
  Starte("[Global]\nPage=1\n[Comm]\nport=2\nCable=1\n");
  std::filesystem::create_directory(ordner / "log_127.0.0.1.log");
  Skript skript;
  skript.Modal(QStringLiteral("IDD_COMM"), [&](QDialog& d) {
    auto& f = Fenster(d);
    f.CheckBoxCabelPlugged->click();
    KlickeReiter(f, 0);
    f.CheckBoxLOGEnabled->setChecked(true);
    f.IDCB_PORT->setCurrentIndex(2);
    skript.Box(QStringLiteral("Fehler beim Öffnen der \nProtokollierungsdatei*.log"), QStringLiteral("Fehler"), 16, 1);
    f.BitBtnOK->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(S().Page, 0);
    EXPECT_FALSE(S().Protokoll);
    EXPECT_EQ(S().ComPort, 2);
    EXPECT_TRUE(S().Kabel);
    f.CheckBoxLOGEnabled->setChecked(false);
    return Ok(f);
  });
  IDD_MAIN->verbindungsparameter1->trigger();
  EXPECT_EQ(S().ComPort, 3);
  EXPECT_FALSE(S().Kabel);
}

TEST_F(Verbindung, OnlyOkClosesTheWindow) {
  Starte("");
  Oeffne([](TIDD_COMM& f) {
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    f.close();
    EXPECT_TRUE(f.isVisible());
    f.reject();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.result(), 0);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowCloseButtonHint);
    return Ok(f);
  });
}

// Wup.ini as lines: each is a section head or one key=value, no key twice in a section.
std::map<std::string, std::map<std::string, std::string>> Zeilenweise(const std::string& inhalt) {
  std::map<std::string, std::map<std::string, std::string>> ini;
  std::istringstream zeilen(inhalt);
  std::string zeile, sektion;
  while (std::getline(zeilen, zeile)) {
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    if (zeile.empty()) continue;
    if (zeile.front() == '[') {
      EXPECT_EQ(zeile.back(), ']') << zeile;
      sektion = zeile.substr(1, zeile.size() - 2);
      EXPECT_EQ(ini.count(sektion), 0U) << zeile;
      ini[sektion];
      continue;
    }
    const std::size_t gleich = zeile.find('=');
    EXPECT_NE(gleich, std::string::npos) << zeile;
    EXPECT_FALSE(sektion.empty()) << zeile;
    EXPECT_TRUE(ini[sektion].emplace(zeile.substr(0, gleich), zeile.substr(gleich + 1)).second) << zeile;
  }
  return ini;
}

TEST_F(Verbindung, APastedLineBreakIsRefusedAndWupIniKeepsOneKeyPerLine) {
  Starte("[Global]\nPage=0\n[Comm]\nCable=0\n");
  Oeffne([](TIDD_COMM& f) {
    f.IDE_IP->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("10.0.0.1\n[Global]\nLOG=1"));
    f.IDE_IP->paste();
    f.IDE_IP->insert(QStringLiteral("10.0.0.1\r[Global]"));
    f.IDE_IP->insert(QStringLiteral("\t"));
    EXPECT_EQ(f.IDE_IP->text(), QStringLiteral("127.0.0.1"));
    f.IDE_IP->selectAll();
    QTest::keyClicks(f.IDE_IP, QStringLiteral("  steuerung.example "));
    return Ok(f);
  });
  EXPECT_EQ(S().IP, "steuerung.example");
  S().DatenGespeichert = true;
  IDD_MAIN->close();
  const auto ini = Zeilenweise(LiesDatei(ordner / "Wup.ini"));
  const std::map<std::string, std::map<std::string, std::string>> erwartet = {
      {"Global", {{"Page", "0"}, {"LOG", "0"}}},
      {"Network", {{"IP", "steuerung.example"}, {"TCPPort", "10001"}}},
      {"Comm", {{"port", "2"}, {"Adress", "9"}, {"Cable", "0"}}},
  };
  EXPECT_EQ(ini, erwartet);
}

TEST_F(Verbindung, F1AsksForTheWindowsHelp) {
  Starte("");
  Skript skript;
  skript.Modal(QStringLiteral("IDD_COMM"), [&skript](QDialog& d) {
    skript.Box(QStringLiteral("Hilfe"), 64, 1);
    QTest::keyClick(&d, Qt::Key_F1);
    return Ok(Fenster(d));
  });
  IDD_MAIN->verbindungsparameter1->trigger();
  ASSERT_EQ(skript.Verlauf().size(), 2U);
  EXPECT_TRUE(skript.Verlauf()[1].startsWith(QStringLiteral("Box Hilfe 64: ")));
}

}  // namespace
