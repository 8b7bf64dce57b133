// The connection test and the card-memory erase from their windows, with the real library
// against controller_peer: what the user sees, and what reaches the controller.
#include <stdlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"

#include "SettingsTest.h"
#include "common/PeerProcess.h"

namespace {

const QString kTestErgebnis = QStringLiteral("Ergebnis des Verbindungstestes");

class SettingsPeer : public SettingsTest {
 protected:
  void StarteMit(const ybrtest::PeerProcess& peer) {
    Starte("[Global]\nPage=0\n[Network]\nIP=127.0.0.1\nTCPPort=" + std::to_string(peer.TcpPort()) +
           "\n[Comm]\nAdress=9\nCable=0\n");
  }

  // The options window at master level, `handeln` working it.
  void Expertmodus(std::function<int(TIDD_ADVANCED&)> handeln, Skript& skript) {
    skript
        .Modal(QStringLiteral("IDD_PASSWD"),
               [](QDialog& d) {
                 auto& f = dynamic_cast<TIDD_PASSWD&>(d);
                 f.IDE_PASSWD->setText(QStringLiteral("QRZWarden"));
                 return fenster::mrOk;
               })
        .Modal(QStringLiteral("IDD_ADVANCED"),
               [handeln](QDialog& d) { return handeln(dynamic_cast<TIDD_ADVANCED&>(d)); });
  }
};

TEST_F(SettingsPeer, TheTestAnswersWithThePeersVersionAndTheWindowStaysOpen) {
  ybrtest::PeerProcess peer({"--firmware", "SIM VI20 V.03.01.07"});
  // Configured for the cable on COM2 and another host: the test reaches the peer only with
  // what the window holds.
  Starte("[Global]\nPage=1\n[Network]\nIP=10.255.255.1\nTCPPort=" + std::to_string(peer.TcpPort()) +
         "\n[Comm]\nCable=1\n");
  QString ergebnis;
  Skript test;
  test.Modal(QStringLiteral("IDD_COMM"), [&](QDialog& d) {
    auto& f = dynamic_cast<TIDD_COMM&>(d);
    f.CheckBoxCabelPlugged->click();
    f.PageControl1->setCurrentIndex(0);
    f.IDE_IP->setText(QStringLiteral("127.0.0.1"));
    test.Box(kTestErgebnis, 64, [&](const QString& text) {
      ergebnis = text;
      EXPECT_FALSE(IDD_STATUS->isVisible());
      return 1;
    });
    f.ButtonTESTCON->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(IDD_STATUS->IDC_PROGRESS1->isVisibleTo(IDD_STATUS));
    EXPECT_EQ(S().Page, 0);
    EXPECT_FALSE(S().Kabel);
    EXPECT_EQ(S().IP, "127.0.0.1");
    return fenster::mrCancel;
  });
  IDD_MAIN->verbindungsparameter1->trigger();
  EXPECT_TRUE(
      ergebnis.startsWith(QStringLiteral("\nSteuerung meldet sich mit:\n\nSIM VI20 V.03.01.07   \nGerätezeit: ")))
      << ergebnis.toStdString();
  EXPECT_TRUE(ergebnis.endsWith(QStringLiteral("\nAnzahl Personen: 0\nAnzahl Profile:0"))) << ergebnis.toStdString();
  std::vector<int> befehle;
  for (const auto& zeile : peer.Trace()) {
    if (zeile.dir == "rx") befehle.push_back(zeile.command);
  }
  EXPECT_EQ(befehle, (std::vector<int>{63, 46, 54, 75}));
  // The panel shows what the test wrote, though the window did not end with OK.
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QStringLiteral(" IP: 127.0.0.1 , Adr.: 9"));
}

TEST_F(SettingsPeer, TheTestWhileSimulatingSendsNothing) {
  ybrtest::PeerProcess peer;
  StarteMit(peer);
  S().SetFakeComm(true);
  Skript skript;
  skript.Modal(QStringLiteral("IDD_COMM"), [&](QDialog& d) {
    auto& f = dynamic_cast<TIDD_COMM&>(d);
    skript.Box(QStringLiteral("Simulation ok"), kTestErgebnis, 64, 1);
    f.ButtonTESTCON->click();
    f.BitBtnOK->click();
    return f.result();
  });
  IDD_MAIN->verbindungsparameter1->trigger();
  EXPECT_TRUE(peer.Trace().empty());
}

TEST_F(SettingsPeer, CancellingTheEraseSendsNothing) {
  ybrtest::PeerProcess peer;
  StarteMit(peer);
  Skript skript;
  Expertmodus(
      [&skript](TIDD_ADVANCED& f) {
        skript.Box(QStringLiteral("Hinweis"), 49, [](const QString& text) {
          EXPECT_EQ(text,
                    QStringLiteral("Achtung, Es wird der Flashsspeicher der Karten geloescht,                      \n"
                                   "dies kann sehr lange dauern, bis zu 1 Minute!."));
          return 2;
        });
        f.Button1->click();
        EXPECT_TRUE(f.isVisible());
        return fenster::mrCancel;
      },
      skript);
  IDD_MAIN->Aministration1->trigger();
  EXPECT_TRUE(peer.Trace().empty());
  EXPECT_FALSE(IDD_STATUS->isVisible());
}

TEST_F(SettingsPeer, TheEraseShowsItsProgressAndPutsTheWindowAndTheReplyTimeOutBack) {
  ybrtest::PeerProcess peer({"--erase-delay", "500"});
  // Answers after 4 s: heard within the three 2 s reads of one send, never with 350 ms reads.
  ybrtest::PeerProcess langsam({"--reply-delay", "4000"});
  StarteMit(peer);
  IDD_STATUS->Item().SetStep(7);
  Skript skript;
  Expertmodus(
      [&skript](TIDD_ADVANCED& f) {
        skript.Box(QStringLiteral("Hinweis"), 49, 1).Box(QStringLiteral("Info"), 64, [](const QString& text) {
          EXPECT_EQ(text, QStringLiteral("Flash loeschen erfolgreich."));
          EXPECT_EQ(IDD_STATUS->Label1->text(), QStringLiteral("Flash löschen..."));
          EXPECT_EQ(IDD_STATUS->Label2->text(), QStringLiteral("Warte auf Ende"));
          EXPECT_FALSE(IDD_STATUS->IDC_PROGRESS1->isVisibleTo(IDD_STATUS));
          EXPECT_EQ(IDD_STATUS->Item().Step(), 1);
          EXPECT_EQ(IDD_STATUS->Item().Max(), 10);
          return 1;
        });
        f.Button1->click();
        EXPECT_TRUE(f.isVisible());  // the window stays open after an erase
        return fenster::mrCancel;
      },
      skript);
  IDD_MAIN->Aministration1->trigger();
  EXPECT_TRUE(IDD_STATUS->IDC_PROGRESS1->isVisibleTo(IDD_STATUS));
  EXPECT_EQ(IDD_STATUS->Item().Step(), 7);
  EXPECT_FALSE(IDD_STATUS->isVisible());
  // A fetch after the erase waits as long as before it for the controller's slow answers.
  EXPECT_EQ(S().Komm->Antwortzeit(), 2000);
  S().TCPPort = langsam.TcpPort();
  bool geholt = false;
  EXPECT_NO_THROW(geholt = S().HolePersonen(*IDD_STATUS));
  EXPECT_TRUE(geholt);
}

TEST_F(SettingsPeer, AnEraseWithoutLinkEndsInTheErrorBoxWithTheWindowPutBack) {
  setenv("YBR_KOMM_COM16", (ordner / "kein_geraet").c_str(), 1);
  Starte("[Global]\nPage=1\n[Comm]\nport=16\nCable=1\n");
  Skript skript;
  Expertmodus(
      [&skript](TIDD_ADVANCED& f) {
        skript.Box(QStringLiteral("Hinweis"), 49, 1).Box(QStringLiteral("Fehler"), 16, [](const QString& text) {
          EXPECT_TRUE(text.startsWith(QStringLiteral("Schnittstelle nicht verfügbar.\n"))) << text.toStdString();
          EXPECT_FALSE(IDD_STATUS->isVisible());
          return 1;
        });
        f.Button1->click();
        return fenster::mrCancel;
      },
      skript);
  IDD_MAIN->Aministration1->trigger();
  EXPECT_TRUE(IDD_STATUS->IDC_PROGRESS1->isVisibleTo(IDD_STATUS));
  EXPECT_FALSE(IDD_STATUS->isVisible());
  EXPECT_EQ(S().Komm->Antwortzeit(), 2000);
}

}  // namespace
