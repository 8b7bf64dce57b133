// The transfer commands of the main window end to end: the real library against
// controller_peer over TCP and a pseudo-terminal, every box and the data-selection window
// scripted.
#include <stdlib.h>

#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "main/DatenSendenDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"
#include "common/PeerProcess.h"

namespace {

// Requests as the controller sees them.
constexpr int kVersion = 75;
constexpr int kPersonenSenden = 48;
constexpr int kGeraetedatenSenden = 27;
constexpr int kBlockanzahlSenden = 18;
constexpr int kUhrzeit = 65;
constexpr int kPersonenanzahlHolen = 46;
constexpr int kGeraetedatenHolen = 24;
constexpr int kBlockanzahlHolen = 17;

const QString kInfo = QStringLiteral("Info");

constexpr int kKurzeAntwortzeitMs = 300;  // keeps the silent cases short

// The data-selection window answered with OK after ticking the groups of `maske`.
std::function<int(QDialog&)> Waehle(int maske) {
  return [maske](QDialog& dialog) {
    auto& fenster = dynamic_cast<TIDD_SEND_DATA&>(dialog);
    if (!fenster.IDSB_OPTIONS->isChecked()) fenster.IDSB_OPTIONS->click();
    fenster.IDCB_PERSON->setChecked((maske & 1) != 0);
    fenster.IDCB_PROFIL->setChecked((maske & 2) != 0);
    fenster.IDCB_DAYS->setChecked((maske & 4) != 0);
    return fenster::mrOk;
  };
}

class Uebertragung : public ::testing::Test {
 protected:
  void TearDown() override { programm.reset(); }

  // Starts the program configured for the peer: network, or COM2 through the programming
  // cable on the peer's pseudo-terminal.
  void Starte(const ybrtest::PeerProcess& peer, bool seriell = false) {
    if (seriell) {
      setenv("YBR_KOMM_COM2", peer.PtyPath().c_str(), 1);
      SchreibeDatei((ordner / "Wup.ini"), "[Global]\nPage=1\n[Comm]\nport=2\nCable=1\n");
    } else {
      SchreibeDatei((ordner / "Wup.ini"), "[Global]\nPage=0\n[Network]\nIP=127.0.0.1\nTCPPort=" +
                                              std::to_string(peer.TcpPort()) + "\n[Comm]\nAdress=9\nCable=0\n");
    }
    programm = std::make_unique<Programm>(ordner.Pfad(), 2026);
  }

  // The requests the peer received since `ab` lines of its trace.
  static std::vector<int> Anfragen(const ybrtest::PeerProcess& peer, std::size_t ab = 0) {
    std::vector<int> anfragen;
    const std::vector<ybrtest::PeerTraceLine> zeilen = peer.Trace();
    for (std::size_t i = ab; i < zeilen.size(); ++i) {
      if (zeilen[i].dir == "rx") anfragen.push_back(zeilen[i].command);
    }
    return anfragen;
  }

  static bool Enthaelt(const std::vector<int>& anfragen, int befehl) {
    return std::find(anfragen.begin(), anfragen.end(), befehl) != anfragen.end();
  }

  TSteuerung& S() { return programm->S(); }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};

TEST_F(Uebertragung, CancelInTheSelectionSendsNothing) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  for (QToolButton* knopf : {IDD_MAIN->IDB_SEND_DATA, IDD_MAIN->IDB_GET_DATA}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SEND_DATA"), [](QDialog&) { return fenster::mrAbort; });
    knopf->click();
  }
  Skript skript;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), [](QDialog&) { return fenster::mrCancel; });
  IDD_MAIN->IDB_SEND_DATA->click();
  EXPECT_TRUE(peer.Trace().empty());
  EXPECT_FALSE(IDD_STATUS->isVisible());
}

TEST_F(Uebertragung, SendByMask) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  struct Fall {
    int maske;
    int balken;  // overall bar when the success box shows
  };
  const Fall faelle[] = {{0, 0}, {1, 40}, {2, 40}, {3, 40}, {4, 40}, {5, 40}, {6, 40}, {7, 100}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.maske);
    const std::size_t ab = peer.Trace().size();
    int balken = -1;
    bool sichtbar = true;
    Skript skript;
    skript
        .Modal(QStringLiteral("IDD_SEND_DATA"),
               [&](QDialog& d) {
                 EXPECT_EQ(d.windowTitle(), QStringLiteral("Daten senden"));
                 return Waehle(f.maske)(d);
               })
        .Box(kInfo, 0, [&](const QString& text) {
          EXPECT_EQ(text, QStringLiteral("Daten senden erfolgreich"));
          balken = IDD_STATUS->IDC_PROGRESS1->value();
          sichtbar = IDD_STATUS->isVisible();
          return 1;
        });
    IDD_MAIN->IDB_SEND_DATA->click();
    const std::vector<int> anfragen = Anfragen(peer, ab);
    ASSERT_FALSE(anfragen.empty());
    EXPECT_EQ(anfragen.front(), kVersion);
    EXPECT_EQ(Enthaelt(anfragen, kPersonenSenden), (f.maske & 1) != 0);
    EXPECT_EQ(Enthaelt(anfragen, kGeraetedatenSenden), (f.maske & 2) != 0);
    EXPECT_EQ(Enthaelt(anfragen, kBlockanzahlSenden), (f.maske & 4) != 0);
    EXPECT_EQ(Enthaelt(anfragen, kUhrzeit), f.maske == 7);  // the clock only with everything
    if (f.maske == 0) {
      EXPECT_EQ(anfragen, std::vector<int>{kVersion});
    }
    EXPECT_EQ(balken, f.balken);
    EXPECT_FALSE(sichtbar);
    EXPECT_FALSE(IDD_STATUS->isVisible());
  }
  // Sending leaves the saved flag alone.
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(Uebertragung, FetchByMaskWithTheSuccessBoxOverTheProgressWindow) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(7))
        .Box(QStringLiteral("Daten senden erfolgreich"), kInfo, 0, 1);
    IDD_MAIN->IDB_SEND_DATA->click();
  }
  struct Fall {
    int maske;
    int balken;
  };
  const Fall faelle[] = {{0, 0}, {1, 40}, {2, 40}, {3, 40}, {4, 40}, {5, 40}, {6, 40}, {7, 30}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.maske);
    S().DatenGespeichert = true;
    const std::size_t ab = peer.Trace().size();
    int balken = -1;
    bool sichtbar = false;
    Skript skript;
    skript
        .Modal(QStringLiteral("IDD_SEND_DATA"),
               [&](QDialog& d) {
                 EXPECT_EQ(d.windowTitle(), QStringLiteral("Daten holen"));
                 return Waehle(f.maske)(d);
               })
        .Box(kInfo, 0, [&](const QString& text) {
          EXPECT_EQ(text, QStringLiteral("Daten holen erfolgreich"));
          balken = IDD_STATUS->IDC_PROGRESS1->value();
          sichtbar = IDD_STATUS->isVisible();
          return 1;
        });
    IDD_MAIN->IDB_GET_DATA->click();
    const std::vector<int> anfragen = Anfragen(peer, ab);
    ASSERT_FALSE(anfragen.empty());
    EXPECT_EQ(anfragen.front(), kVersion);
    EXPECT_EQ(Enthaelt(anfragen, kPersonenanzahlHolen), (f.maske & 1) != 0);
    EXPECT_EQ(Enthaelt(anfragen, kGeraetedatenHolen), (f.maske & 2) != 0);
    EXPECT_EQ(Enthaelt(anfragen, kBlockanzahlHolen), (f.maske & 4) != 0);
    EXPECT_EQ(balken, f.balken);
    EXPECT_TRUE(sichtbar);
    EXPECT_FALSE(S().DatenGespeichert);
    // Closed at the end: hidden, both bars back at 0.
    EXPECT_FALSE(IDD_STATUS->isVisible());
    EXPECT_EQ(IDD_STATUS->IDC_PROGRESS1->value(), 0);
    EXPECT_EQ(IDD_STATUS->IDC_PROGRESS->value(), 0);
  }
}

// The success box of a fetch stands over the progress window: it is tied to that window, so a
// window manager keeps it above it, not to the main window beneath both.
TEST_F(Uebertragung, TheBoxOverTheProgressWindowIsTiedToIt) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  QWindow* gebunden = nullptr;
  bool sichtbar = false;
  Skript skript;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(1)).Box(kInfo, 0, [&](const QString& text) {
    sichtbar = IDD_STATUS->isVisible();
    // The same box as the Qt platform shows it.
    fenster::Benutzer* vorher = fenster::Installiere(nullptr);
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      gebunden = box->windowHandle()->transientParent();
      box->button(QMessageBox::Ok)->click();
    });
    fenster::MessageBox(text, kInfo, 0);
    fenster::Installiere(vorher);
    return 1;
  });
  IDD_MAIN->IDB_GET_DATA->click();
  EXPECT_TRUE(sichtbar);
  ASSERT_NE(IDD_STATUS->windowHandle(), nullptr);
  EXPECT_EQ(gebunden, IDD_STATUS->windowHandle());
  EXPECT_EQ(IDD_STATUS->windowHandle()->transientParent(), IDD_MAIN->windowHandle());
}

TEST_F(Uebertragung, TypeQuestionAnsweredNoSendsNothingMore) {
  ybrtest::PeerProcess peer;  // reports an "RA 20"; a new document describes a "ZO 10"
  Starte(peer);
  const QString frage = QStringLiteral(
      "Achtung, die Firmware der angeschlossenen Steuerung     \n"
      "entspricht nicht mit dem, bei Gerätedaten  eingetragenen Gerätetyp.     \n"
      "Ihre Daten beschreiben ein ZO 10,\naber die Steuerung meldet RA 20.\n"
      "Ein störungsfreier Betrieb ist nicht mehr gewährleistet.     \n"
      "Sie sollten Ihre Einstellungen überprüfen.     \n\n"
      "           Daten trotzdem senden?");
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(7)).Box(frage, QStringLiteral("Hinweis"), 52, 7);
    IDD_MAIN->IDB_SEND_DATA->click();
  }
  EXPECT_EQ(Anfragen(peer), std::vector<int>{kVersion});
  EXPECT_FALSE(IDD_STATUS->isVisible());
  EXPECT_EQ(IDD_STATUS->IDC_PROGRESS1->value(), 0);

  // Yes goes on; the other way round the question names "RA 20" first.
  S().Geraetetyp = 1;
  ybrtest::PeerProcess zo10({"--type", "ZO 10"});
  S().TCPPort = zo10.TcpPort();
  Skript skript;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(1))
      .Box(QStringLiteral("Hinweis"), 52,
           [](const QString& text) {
             EXPECT_TRUE(
                 text.contains(QStringLiteral("Ihre Daten beschreiben ein RA 20,\naber die Steuerung meldet ZO 10.")));
             return 6;
           })
      .Box(QStringLiteral("Daten senden erfolgreich"), kInfo, 0, 1);
  IDD_MAIN->IDB_SEND_DATA->click();
  EXPECT_TRUE(Enthaelt(Anfragen(zo10), kPersonenSenden));
}

TEST_F(Uebertragung, SilentControllerGivesOneErrorBoxAndResetBars) {
  ybrtest::PeerProcess peer({"--type", "ZO 10", "--fault", "27:silent"});
  Starte(peer);
  // A short reply time-out keeps the silent attempts short; the profile send leaves it as it
  // is (the person send would set 2000 ms again).
  S().Komm->SetParameter(kKurzeAntwortzeitMs);
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(2))
        .Box(QStringLiteral("Steuerung antwortet nicht\nauf Anschluß 127.0.0.1"), QStringLiteral("Fehler"), 16, 1);
    IDD_MAIN->IDB_SEND_DATA->click();
  }
  EXPECT_FALSE(IDD_STATUS->isVisible());
  EXPECT_EQ(IDD_STATUS->IDC_PROGRESS1->value(), 0);
  EXPECT_EQ(IDD_STATUS->IDC_PROGRESS->value(), 0);

  // A fetch that fails at the version query took nothing over: the document stays saved. One
  // that fails inside a data group counts as unsaved, since what arrived before stays.
  for (const auto& [fehler, gespeichert] : {std::pair{"75:silent", true}, std::pair{"46:silent", false}}) {
    SCOPED_TRACE(fehler);
    ybrtest::PeerProcess stumm({"--fault", fehler});
    S().TCPPort = stumm.TcpPort();
    S().DatenGespeichert = true;
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(1)).Box(QStringLiteral("Fehler"), 16, 1);
    IDD_MAIN->IDB_GET_DATA->click();
    EXPECT_EQ(S().DatenGespeichert, gespeichert);
    EXPECT_FALSE(IDD_STATUS->isVisible());
  }
}

TEST_F(Uebertragung, AnyOtherFailureClosesTheProgressWindowToo) {
  ybrtest::PeerProcess peer;  // reports an "RA 20": the send asks the type question
  Starte(peer);
  // A box that cannot be made for lack of memory, once during a send and once at the end
  // of a fetch: one error box, and the progress window does not stay up over the main window.
  auto keinSpeicher = [](const QString&) -> int { throw std::bad_alloc(); };
  const std::pair<QToolButton*, int> befehle[] = {{IDD_MAIN->IDB_SEND_DATA, 52}, {IDD_MAIN->IDB_GET_DATA, 0}};
  for (const auto& [knopf, flags] : befehle) {
    SCOPED_TRACE(knopf->objectName().toStdString());
    Skript skript;
    skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(1))
        .Box(flags == 52 ? QStringLiteral("Hinweis") : kInfo, flags, keinSpeicher)
        .Box(QStringLiteral("kein Speicher"), QStringLiteral("Fehler"), 16, 1);
    knopf->click();
    EXPECT_FALSE(IDD_STATUS->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

TEST_F(Uebertragung, ClockCommandAndItsBoxes) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  for (QObject* befehl : std::initializer_list<QObject*>{IDD_MAIN->IDB_SET_CLOCK, IDD_MAIN->Uhrstellen1}) {
    const std::size_t ab = peer.Trace().size();
    Skript skript;
    skript.Box(QStringLiteral("Zeit stellen erfolgreich"), QStringLiteral("Hinweis"), 0, 1);
    if (auto* knopf = qobject_cast<QToolButton*>(befehl)) {
      knopf->click();
    } else {
      qobject_cast<QAction*>(befehl)->trigger();
    }
    EXPECT_EQ(Anfragen(peer, ab), std::vector<int>{kUhrzeit});
  }
  // The interface cannot be opened: exactly one box, from the engine, and no success box.
  S().Page = 1;
  S().ComPort = 2;
  setenv("YBR_KOMM_COM2", (ordner / "kein-geraet").c_str(), 1);
  Skript skript;
  skript.Box(QStringLiteral("Fehler"), 16, [](const QString& text) {
    EXPECT_TRUE(text.startsWith(QStringLiteral("Schnittstelle nicht verfügbar.\n"))) << text.toStdString();
    return 1;
  });
  IDD_MAIN->IDB_SET_CLOCK->click();
  EXPECT_EQ(skript.Verlauf().size(), 1U);
}

TEST_F(Uebertragung, NoSecondCommandAndNoCloseWhileATransferRuns) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  Skript skript;
  std::size_t waehrend = 0;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(1)).Box(kInfo, 0, [&](const QString&) {
    waehrend = peer.Trace().size();
    IDD_MAIN->IDB_SEND_DATA->click();
    IDD_MAIN->IDB_GET_DATA->click();
    IDD_MAIN->IDB_SET_CLOCK->click();
    IDD_MAIN->FileNewItem->trigger();
    IDD_MAIN->FileExitItem->trigger();
    IDD_MAIN->IDB_SETTINGS->click();
    EXPECT_FALSE(IDD_MAIN->close());
    EXPECT_TRUE(IDD_MAIN->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), IDD_STATUS);
    return 1;
  });
  IDD_MAIN->IDB_GET_DATA->click();
  EXPECT_EQ(peer.Trace().size(), waehrend);
  EXPECT_EQ(skript.Verlauf().size(), 2U);
  // The ignored click left the expert toggle as it was.
  EXPECT_FALSE(IDD_MAIN->IDB_SETTINGS->isChecked());
  EXPECT_EQ(IDD_MAIN->IDB_SETTINGS->text(), QStringLiteral("Erweiterte Einstellungen"));
  // Afterwards the commands work again.
  Skript danach;
  danach.Box(QStringLiteral("Zeit stellen erfolgreich"), QStringLiteral("Hinweis"), 0, 1);
  IDD_MAIN->IDB_SET_CLOCK->click();
}

TEST_F(Uebertragung, TheProgressWindowStaysWhenTheWindowManagerClosesItDuringATransfer) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer);
  // At the first pending events of the transfer, a close of the progress window as by its
  // title bar.
  bool versucht = false;
  bool geblieben = false;
  QTimer schliesser;
  QObject::connect(&schliesser, &QTimer::timeout, [&] {
    if (versucht || !IDD_STATUS->isVisible()) return;
    versucht = true;
    const int gesamt = IDD_STATUS->IDC_PROGRESS1->value();
    IDD_STATUS->windowHandle()->close();
    geblieben = IDD_STATUS->isVisible() && IDD_STATUS->IDC_PROGRESS1->value() == gesamt;
  });
  schliesser.start(0);
  Skript skript;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(1)).Box(QStringLiteral("Daten senden erfolgreich"), kInfo, 0, 1);
  IDD_MAIN->IDB_SEND_DATA->click();
  EXPECT_TRUE(versucht);
  EXPECT_TRUE(geblieben);
  EXPECT_TRUE(Enthaelt(Anfragen(peer), kPersonenSenden));
  EXPECT_FALSE(IDD_STATUS->isVisible());  // the end of the transfer takes it away
}

TEST_F(Uebertragung, SendAllWithAFailingClockShowsOnlyTheClocksBox) {
  ybrtest::PeerProcess peer({"--type", "ZO 10", "--fault", "65:numna"});
  Starte(peer);
  Skript skript;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(7))
      .Box(QStringLiteral("Kommunikationsfehler \nbeim Zeitstellen"), QStringLiteral("Fehler"), 16, 1);
  IDD_MAIN->IDB_SEND_DATA->click();
  EXPECT_TRUE(Enthaelt(Anfragen(peer), kUhrzeit));
  EXPECT_EQ(skript.Verlauf().size(), 2U);
  EXPECT_FALSE(IDD_STATUS->isVisible());
}

TEST_F(Uebertragung, SendAllOverThePseudoTerminalWithTheCable) {
  ybrtest::PeerProcess peer({"--type", "ZO 10"});
  Starte(peer, true);
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QStringLiteral(" COM2 , Programmierkabel"));
  Skript skript;
  skript.Modal(QStringLiteral("IDD_SEND_DATA"), Waehle(7)).Box(QStringLiteral("Daten senden erfolgreich"), kInfo, 0, 1);
  IDD_MAIN->IDB_SEND_DATA->click();
  const std::vector<ybrtest::PeerTraceLine> zeilen = peer.Trace();
  ASSERT_FALSE(zeilen.empty());
  for (const ybrtest::PeerTraceLine& z : zeilen) {
    if (z.dir == "rx") {
      EXPECT_EQ(z.dst, 0x4000);
    }
  }
  EXPECT_TRUE(Enthaelt(Anfragen(peer), kUhrzeit));
}

}  // namespace
