// The bookings window's fetch end to end: the real library against controller_peer over TCP,
// then OK writes the fetched bookings into the bookings file.
#include <memory>
#include <string>

#include <QDateTime>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "bookings/BuchungenDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"
#include "common/PeerProcess.h"

namespace {

constexpr int kBuchungAnfordern = 5;

TEST(BuchungenPeer, AbrufenZeigtDieDreiBuchungenUndOkSchreibtSie) {
  ybrtest::PeerProcess peer({"--bookings", "3"});
  TempOrdner ordner;
  SchreibeDatei(ordner / "Wup.ini", "[Global]\nPage=0\n[Network]\nIP=127.0.0.1\nTCPPort=" +
                                        std::to_string(peer.TcpPort()) + "\n[Comm]\nAdress=9\nCable=0\n");
  TFormulare formulare;
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  TestPlattform plattform(*IDD_STATUS, QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
  PlattformWahl wahl(plattform);
  {
    Skript still;
    IDD_MAIN->show();
  }
  TSteuerung& s = *IDD_MAIN->Dokument();
  s.DatenGespeichert = true;

  Skript skript;
  int zeilen = -1;
  skript.Modal(QStringLiteral("IDD_BUCHUNGEN"), [&](QDialog& fenster) {
    IDD_BUCHUNGEN->IDB_GET_BOOK->click();
    zeilen = IDD_BUCHUNGEN->IDLB_SHOWBOOK->model()->rowCount();
    EXPECT_FALSE(s.BuchungenGespeichert);
    EXPECT_FALSE(IDD_STATUS->isVisible());
    IDD_BUCHUNGEN->IDB_OK->click();
    return fenster.result();
  });
  IDD_MAIN->IDB_SHOW_BOOK->click();

  EXPECT_EQ(zeilen, 3);
  EXPECT_EQ(s.Buchungen.Anzahl, 3);
  EXPECT_TRUE(s.BuchungenGespeichert);
  EXPECT_EQ(LiesDatei(s.BuchungsDateiname).size(), 3U * books::Groesse);
  int anfragen = 0;
  for (const ybrtest::PeerTraceLine& z : peer.Trace()) anfragen += z.dir == "rx" && z.command == kBuchungAnfordern;
  EXPECT_EQ(anfragen, 3);
}

}  // namespace
