// The main window: the year check at start, the connection panel, the file commands with
// their questions and panel texts, the close question, the expert-settings toggle, the menu
// and the tool buttons, help and the about window, and a failing start.
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/ListenZugriff.h"

#include "main/AboutDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

const QString kFrage = QStringLiteral("Daten nicht gespeichert.\nJetzt speichern?");

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Runs the main loop as the program does; a loop that does not end by itself fails the test.
int Hauptschleife() {
  QTimer::singleShot(5000, [] {
    ADD_FAILURE() << "the main loop did not end";
    QCoreApplication::exit(99);
  });
  return QCoreApplication::exec();
}

class MainTest : public ::testing::Test {
 protected:
  void SetUp() override { formulare = std::make_unique<TFormulare>(); }

  void TearDown() override {
    wahl.reset();
    formulare.reset();
  }

  // Shows the main window as at program start, with the PC clock in `jahr`.
  void Starte(int jahr = 2026) {
    IDD_MAIN->SetzeOrdner(ordner.Pfad());
    plattform_ = std::make_unique<TestPlattform>(*IDD_STATUS, jahr);
    wahl = std::make_unique<PlattformWahl>(*plattform_);
    IDD_MAIN->show();
  }

  TSteuerung& S() { return *IDD_MAIN->Dokument(); }
  // A document nobody needs to be asked about.
  void AllesGespeichert() {
    S().DatenGespeichert = true;
    S().BuchungenGespeichert = true;
  }
  std::string Ini() { return (ordner / "Wup.ini"); }

  TempOrdner ordner;
  std::unique_ptr<TFormulare> formulare;
  std::unique_ptr<TestPlattform> plattform_;
  std::unique_ptr<PlattformWahl> wahl;
};

TEST_F(MainTest, BeforeNineteenNinetyEightTheBoxThenACleanEnd) {
  Skript skript;
  skript.Box(QStringLiteral("Achtung, Ihre Systemzeit liegt vor 1998!                      \n"
                            "Bitte stellen sie Ihre Systemzeit                      \n"
                            "und starten Sie das Programm neu."),
             QStringLiteral("Fehler"), 0, 1);
  Starte(1997);
  EXPECT_EQ(Hauptschleife(), 0);
  EXPECT_EQ(skript.Verlauf().size(), 1U);  // shown once, nothing else asked
  formulare.reset();
  EXPECT_FALSE(Existiert(Ini()));  // no configuration written
}

TEST_F(MainTest, FromNineteenNinetyEightNoBoxAndTheConnectionShown) {
  Skript skript;  // no box at all
  Starte(1998);
  ASSERT_NE(IDD_MAIN->Dokument(), nullptr);
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QStringLiteral(" COM2 , Programmierkabel"));
  EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), QString());
  EXPECT_EQ(IDD_MAIN->windowTitle(), QStringLiteral("veltrin dizero ruzezava"));
}

TEST_F(MainTest, ConnectionPanelForEachConfiguration) {
  struct Fall {
    const char* ini;
    const char* panel;
  };
  const Fall faelle[] = {
      {"[Global]\nPage=0\n", " IP: 127.0.0.1 , Adr.: 9"},
      {"[Global]\nPage=0\n[Network]\nIP=zutritt.local\n[Comm]\nAdress=12\n", " IP: zutritt.local , Adr.: C"},
      {"[Global]\nPage=1\n[Comm]\nCable=1\nport=2\n", " COM2 , Programmierkabel"},
      {"[Global]\nPage=1\n[Comm]\nCable=0\nAdress=13\nport=3\n", " COM3 , Adr.: d"},
      {"[Global]\nPage=1\n[Comm]\nCable=0\nAdress=16\nport=12\n", " COM12 , Adr.: 9"},
      {"", " COM2 , Programmierkabel"},
  };
  const Fall& erster = faelle[0];
  SchreibeDatei(Ini(), erster.ini);
  Starte();
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QString::fromUtf8(erster.panel));
  EXPECT_EQ(IDD_MAIN->Verbindungstext(), QString::fromUtf8(erster.panel));
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->toolTip(), QStringLiteral("aktuelle Verbindungsparameter"));
  // The others each with a document object made from their configuration, as at a start.
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.ini);
    TempOrdner eigen;
    if (*f.ini != '\0') SchreibeDatei((eigen / "Wup.ini"), f.ini);
    TSteuerung steuerung(2026, eigen.Pfad());
    S().Page = steuerung.Page;
    S().IP = steuerung.IP;
    S().Kabel = steuerung.Kabel;
    S().ComPort = steuerung.ComPort;
    S().SetAdresse(steuerung.GetAdresse());
    IDD_MAIN->ZeigeVerbindung();
    EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QString::fromUtf8(f.panel));
  }
}

// The rightmost column of the panel's text as drawn: a copy of the panel wide enough for any
// text is rendered, and its darkest glyph pixel furthest right is taken.
int RechterTextrand(const QLabel& panel) {
  QLabel probe;
  probe.setFont(panel.font());
  probe.setFrameShape(panel.frameShape());
  probe.setFrameShadow(panel.frameShadow());
  probe.setText(panel.text());
  probe.resize(2000, panel.height());
  const QImage bild = probe.grab().toImage();
  int rand = -1;
  for (int y = 3; y < bild.height() - 3; ++y) {
    for (int x = 3; x < bild.width() - 3; ++x) {
      if (bild.pixelColor(x, y).lightness() < 128) rand = std::max(rand, x);
    }
  }
  return rand;
}

// Each text shows whole where it fits beside the document panel, else cut with "…" and whole
// in the tool tip's second line; the window keeps its size, and a short text after a long one
// gets the panels back as they were.
TEST_F(MainTest, ConnectionPanelShowsItsTextWholeOrElidedAndTheWindowKeepsItsSize) {
  // An IP text of 206 characters, as the connection window takes it.
  std::string langeIp;
  while (langeIp.size() < 206) langeIp += "zutritt-halle3.";
  langeIp.resize(206);
  struct Fall {
    std::string ini;
    std::string panel;
    bool ganz;  // shown whole
  };
  const Fall faelle[] = {
      {"[Global]\nPage=0\n", " IP: 127.0.0.1 , Adr.: 9", true},
      {"[Global]\nPage=0\n[Network]\nIP=192.168.100.200\n[Comm]\nAdress=13\n", " IP: 192.168.100.200 , Adr.: d", true},
      {"[Global]\nPage=0\n[Network]\nIP=255.255.255.255\n[Comm]\nAdress=14\n", " IP: 255.255.255.255 , Adr.: E", true},
      {"[Global]\nPage=0\n[Network]\nIP=zutrittskontrolle-halle3.firma.local\n[Comm]\nAdress=12\n",
       " IP: zutrittskontrolle-halle3.firma.local , Adr.: C", true},
      {"[Global]\nPage=0\n[Network]\nIP=" + langeIp + "\n[Comm]\nAdress=13\n", " IP: " + langeIp + " , Adr.: d", false},
      {"[Global]\nPage=0\n[Network]\nIP=192.168.100.200\n[Comm]\nAdress=13\n", " IP: 192.168.100.200 , Adr.: d", true},
      {"[Global]\nPage=1\n[Comm]\nCable=1\nport=16\n", " COM16 , Programmierkabel", true},
      {"[Global]\nPage=0\n[Network]\nIP=" + langeIp + "\n[Comm]\nAdress=13\n", " IP: " + langeIp + " , Adr.: d", false},
      {"[Global]\nPage=1\n[Comm]\nCable=1\nport=24\n", " COM24 , Programmierkabel", true},
      {"[Global]\nPage=1\n[Comm]\nCable=0\nAdress=13\nport=16\n", " COM16 , Adr.: d", true},
      {"[Global]\nPage=1\n[Comm]\nCable=1\nport=16\n", " COM16 , Programmierkabel", true},
  };
  const QString hinweis = QStringLiteral("aktuelle Verbindungsparameter");
  Starte();
  QCoreApplication::processEvents();
  const QSize groesse = IDD_MAIN->size();
  EXPECT_EQ(groesse.width(), 610);
  EXPECT_EQ(IDD_MAIN->centralwidget->height() + IDD_MAIN->StatusBar->height(), 407);
  QLabel& panel = *IDD_MAIN->IDT_CONNECT;
  const QLabel& datei = *IDD_MAIN->IDT_DATEI;
  // The widths of both panels at a text's first showing.
  std::map<std::string, std::pair<int, int>> breiten;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.panel);
    TempOrdner eigen;
    SchreibeDatei((eigen / "Wup.ini"), f.ini);
    TSteuerung steuerung(2026, eigen.Pfad());
    S().Page = steuerung.Page;
    S().IP = steuerung.IP;
    S().Kabel = steuerung.Kabel;
    S().ComPort = steuerung.ComPort;
    S().SetAdresse(steuerung.GetAdresse());
    IDD_MAIN->ZeigeVerbindung();
    // The status bar lays its panels out anew, then the window itself.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QString ganz = Q(f.panel);
    ASSERT_EQ(IDD_MAIN->Verbindungstext(), ganz);
    EXPECT_EQ(IDD_MAIN->size(), groesse);
    if (f.ganz) {
      EXPECT_EQ(panel.text(), ganz);
      EXPECT_EQ(panel.toolTip(), hinweis);
    } else {
      ASSERT_TRUE(panel.text().endsWith(QChar(0x2026))) << panel.text().toStdString();
      EXPECT_TRUE(ganz.startsWith(panel.text().chopped(1)));
      EXPECT_GT(panel.text().size(), 20);
      EXPECT_EQ(panel.toolTip(), hinweis + u'\n' + ganz);
    }
    // The text ends inside the panel's sunken frame, and the panel keeps at least its 152 pixels.
    const int rand = RechterTextrand(panel);
    EXPECT_GT(rand, 50);
    EXPECT_LT(rand, panel.contentsRect().right());
    EXPECT_GE(panel.width(), 152);
    // The document panel gives way beside it, inside the window.
    EXPECT_GT(datei.geometry().left(), panel.geometry().right());
    EXPECT_LT(datei.geometry().right(), IDD_MAIN->width());
    EXPECT_GE(datei.width(), datei.minimumWidth());
    const auto [vorher, neu] = breiten.try_emplace(f.panel, panel.width(), datei.width());
    if (!neu) {
      EXPECT_EQ(vorher->second, std::make_pair(panel.width(), datei.width()));
    }
  }
}

// A path of exactly `laenge` characters in `ordner` that ends in the file name `name`; a
// folder fills the rest.
std::string PfadMitLaenge(const TempOrdner& ordner, std::size_t laenge, const std::string& name) {
  const std::size_t rest = laenge - QString::fromStdString(ordner.Pfad() + name).size();
  if (rest == 0) return ordner / name;
  std::string zwischen;
  while (zwischen.size() < rest - 1) zwischen += "Zutrittskontrolle Halle 3 ";
  zwischen.resize(rest - 1);
  std::filesystem::create_directory(ordner / zwischen);
  return ordner / (zwischen + "/" + name);
}

// The window keeps 610 x 425 with any document: the document panel shows a path that does not
// fit cut in the middle with its file name and the whole path as tool tip, the connection panel
// keeps its own rule beside it.
TEST_F(MainTest, BothPanelsShowTheirTextsWholeOrElidedAndTheWindowKeepsItsSize) {
  std::string langerHost;
  while (langerHost.size() < 206) langerHost += "zutritt-halle3.";
  langerHost.resize(206);
  Starte();
  const std::string kurz = PfadMitLaenge(ordner, 34, "Gebäude.wuz");
  const std::string lang = PfadMitLaenge(ordner, 155, "Gebäude Süd.wuz");
  ASSERT_EQ(Q(kurz).size(), 34);
  ASSERT_EQ(Q(lang).size(), 155);
  enum class Datei { Anfang, Speichern, Neu };
  struct Fall {
    Datei befehl;
    std::string pfad;  // saved under it
    bool netz;
    std::string host;
    std::string panel;       // the document panel's whole text
    std::string verbindung;  // the connection text
    bool dateiGanz;
    bool verbindungGanz;
  };
  const Fall faelle[] = {
      {Datei::Anfang, "", true, langerHost, "", " IP: " + langerHost + " , Adr.: 9", true, false},
      {Datei::Speichern, kurz, true, langerHost, kurz, " IP: " + langerHost + " , Adr.: 9", true, false},
      {Datei::Speichern, lang, true, "127.0.0.1", lang, " IP: 127.0.0.1 , Adr.: 9", false, true},
      {Datei::Neu, "", false, "", "Neu", " COM2 , Programmierkabel", true, true},
  };
  const QString hinweis = QStringLiteral("aktuelle Verbindungsparameter");
  const QLabel& verbindung = *IDD_MAIN->IDT_CONNECT;
  const QLabel& datei = *IDD_MAIN->IDT_DATEI;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.panel + " | " + f.verbindung);
    S().Page = f.netz ? 0 : 1;
    S().IP = f.host;
    S().Kabel = !f.netz;
    S().ComPort = 2;
    S().SetAdresse(9);
    IDD_MAIN->ZeigeVerbindung();
    if (f.befehl == Datei::Speichern) {
      Skript skript;
      skript.Datei(true, Q(f.pfad));
      ASSERT_TRUE(IDD_MAIN->FileSaveAs());
    } else if (f.befehl == Datei::Neu) {
      AllesGespeichert();
      IDD_MAIN->FileNew();
    }
    // Shown again beside the connection panel as it is now.
    for (int runde = 0; runde < 2; ++runde) {
      if (runde == 1) IDD_MAIN->ZeigeVerbindung();
      QCoreApplication::processEvents();
      QCoreApplication::processEvents();
      EXPECT_EQ(IDD_MAIN->size(), QSize(610, 425));
      const QString ganz = Q(f.panel);
      if (f.dateiGanz) {
        EXPECT_EQ(datei.text(), ganz);
        EXPECT_EQ(datei.toolTip(), QString());
      } else {
        const QString gezeigt = datei.text();
        const qsizetype punkte = gezeigt.indexOf(QChar(0x2026));
        ASSERT_GT(punkte, 0) << gezeigt.toStdString();
        EXPECT_TRUE(ganz.startsWith(gezeigt.left(punkte))) << gezeigt.toStdString();
        EXPECT_TRUE(ganz.endsWith(gezeigt.mid(punkte + 1))) << gezeigt.toStdString();
        EXPECT_TRUE(gezeigt.endsWith(u'/' + QFileInfo(ganz).fileName())) << gezeigt.toStdString();
        EXPECT_EQ(datei.toolTip(), ganz);
      }
      const QString verbindungGanz = Q(f.verbindung);
      ASSERT_EQ(IDD_MAIN->Verbindungstext(), verbindungGanz);
      if (f.verbindungGanz) {
        EXPECT_EQ(verbindung.text(), verbindungGanz);
        EXPECT_EQ(verbindung.toolTip(), hinweis);
      } else {
        ASSERT_TRUE(verbindung.text().endsWith(QChar(0x2026))) << verbindung.text().toStdString();
        EXPECT_TRUE(verbindungGanz.startsWith(verbindung.text().chopped(1)));
        EXPECT_EQ(verbindung.toolTip(), hinweis + u'\n' + verbindungGanz);
      }
      // Both texts end inside their sunken frames, the panels side by side inside the window.
      for (const QLabel* panel : {&verbindung, &datei}) {
        if (panel->text().isEmpty()) continue;
        EXPECT_LT(RechterTextrand(*panel), panel->contentsRect().right()) << panel->objectName().toStdString();
      }
      EXPECT_GE(verbindung.width(), 152);
      EXPECT_GT(datei.geometry().left(), verbindung.geometry().right());
      EXPECT_LT(datei.geometry().right(), IDD_MAIN->width());
    }
  }
}

TEST_F(MainTest, CloseQuestionWithEachAnswer) {
  struct Fall {
    const char* name;
    bool daten, buchungen;  // saved flags
    std::function<void(Skript&, const std::string& pfad)> skript;
    bool geschlossen, iniGeschrieben, dokumentGeschrieben;
  };
  const Fall faelle[] = {
      {"nothing unsaved", true, true, [](Skript&, const std::string&) {}, true, true, false},
      {"No", false, true, [](Skript& s, const std::string&) { s.Box(kFrage, QStringLiteral("Hinweis"), 35, 7); }, true,
       true, false},
      {"bookings unsaved, No", true, false,
       [](Skript& s, const std::string&) { s.Box(kFrage, QStringLiteral("Hinweis"), 35, 7); }, true, true, false},
      {"Cancel", false, true, [](Skript& s, const std::string&) { s.Box(kFrage, QStringLiteral("Hinweis"), 35, 2); },
       false, false, false},
      {"Yes, save dialog cancelled", false, true,
       [](Skript& s, const std::string&) { s.Box(kFrage, QStringLiteral("Hinweis"), 35, 6).Datei(true, std::nullopt); },
       false, false, false},
      {"Yes, saved", false, false,
       [](Skript& s, const std::string& pfad) { s.Box(kFrage, QStringLiteral("Hinweis"), 35, 6).Datei(true, Q(pfad)); },
       true, true, true},
      {"Yes, save failed", false, true,
       [](Skript& s, const std::string& pfad) {
         s.Box(kFrage, QStringLiteral("Hinweis"), 35, 6)
             .Datei(true, Q(pfad + "-fehlt/anlage.wuz"))
             .Box(QStringLiteral("Fehler"), 16, 1);
       },
       false, false, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    TearDown();
    TempOrdner eigen;
    formulare = std::make_unique<TFormulare>();
    IDD_MAIN->SetzeOrdner(eigen.Pfad());
    plattform_ = std::make_unique<TestPlattform>(*IDD_STATUS, 2026);
    wahl = std::make_unique<PlattformWahl>(*plattform_);
    IDD_MAIN->show();
    S().DatenGespeichert = f.daten;
    S().BuchungenGespeichert = f.buchungen;
    const std::string dokument = (eigen / "anlage.wuz");
    {
      Skript skript;
      f.skript(skript, dokument);
      EXPECT_EQ(IDD_MAIN->close(), f.geschlossen);
    }
    EXPECT_EQ(IDD_MAIN->isVisible(), !f.geschlossen);
    EXPECT_EQ(Existiert((eigen / "Wup.ini")), f.iniGeschrieben);
    EXPECT_EQ(Existiert(dokument), f.dokumentGeschrieben);
    if (f.iniGeschrieben) {
      EXPECT_NE(LiesDatei((eigen / "Wup.ini")).find("Adress=9"), std::string::npos);
    }
    if (!f.geschlossen) {
      // Still usable: a second close with nothing unsaved ends it.
      AllesGespeichert();
      Skript still;
      EXPECT_TRUE(IDD_MAIN->close());
    }
  }
}

// The document's bookings file could not be read when it was opened: the save that closing
// offers keeps that file, says so, and the question comes again, since the fetched bookings
// are still unsaved.
TEST_F(MainTest, ABookingsFileThatCouldNotBeReadKeepsTheCloseQuestion) {
  Starte();
  const std::string pfad = (ordner / "anlage.wuz");
  const std::string buchungsdatei = (ordner / "anlage.bks");
  HaengeAn(S().Buchungen, std::make_unique<books>());
  {
    Skript skript;
    skript.Datei(true, Q(pfad));
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  const std::string buchungen = LiesDatei(buchungsdatei);
  ASSERT_EQ(buchungen.size(), 62U);
  std::filesystem::permissions(buchungsdatei, std::filesystem::perms::owner_write);
  {
    OhneDateiRechteUebergehen nurRechte;
    Skript skript;
    skript.Datei(false, Q(pfad)).Box(QStringLiteral("Keine Buchungen vorhanden."), QStringLiteral("Hinweis"), 64, 1);
    IDD_MAIN->FileOpenItem->trigger();
    ASSERT_EQ(S().Buchungen.Anzahl, 0);
    // A booking fetched meanwhile.
    HaengeAn(S().Buchungen, std::make_unique<books>());
    S().BuchungenGespeichert = false;

    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 6)
        .Datei(true, Q(pfad))
        .Box(QStringLiteral("Datei überschreiben?"), QStringLiteral("Hinweis"), 36, 6)
        .Box(QStringLiteral("Die Buchungsdatei\n") + Q(buchungsdatei) +
                 QStringLiteral("\nkonnte nicht gelesen werden und bleibt unverändert.\n"
                                "Die Buchungen wurden nicht gespeichert."),
             QStringLiteral("Fehler"), 16, 1)
        .Box(kFrage, QStringLiteral("Hinweis"), 35, 2);
    EXPECT_FALSE(IDD_MAIN->close());
    EXPECT_TRUE(S().DatenGespeichert);
    EXPECT_FALSE(S().BuchungenGespeichert);
  }
  std::filesystem::permissions(buchungsdatei, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(LiesDatei(buchungsdatei), buchungen);
}

TEST_F(MainTest, ExitItemClosesThroughTheCloseQuestion) {
  Starte();
  S().DatenGespeichert = false;
  {
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 2);
    IDD_MAIN->FileExitItem->trigger();
    EXPECT_TRUE(IDD_MAIN->isVisible());
  }
  Skript skript;
  skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 7);
  IDD_MAIN->FileExitItem->trigger();
  EXPECT_FALSE(IDD_MAIN->isVisible());
  EXPECT_TRUE(Existiert(Ini()));
}

TEST_F(MainTest, OpenWithUnsavedDataAsksFirst) {
  Starte();
  const std::string vorhanden = (ordner / "vorhanden.wuz");
  {
    Skript skript;
    skript.Datei(true, Q(vorhanden));
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  S().DatenGespeichert = false;
  const QString panel = IDD_MAIN->IDT_DATEI->text();

  {  // Cancel: nothing else happens
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 2);
    IDD_MAIN->FileOpenItem->trigger();
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), panel);
  }
  {  // Yes and the save dialog cancelled: the open does not go on
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 6).Datei(true, std::nullopt);
    IDD_MAIN->FileOpenItem->trigger();
    EXPECT_FALSE(S().DatenGespeichert);
  }
  {  // No: the open dialog, cancelled
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 7).Datei(false, std::nullopt);
    IDD_MAIN->FileOpenItem->trigger();
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), panel);
  }
  {  // Unsaved bookings alone ask too; Yes saves, then the chosen document opens
    S().DatenGespeichert = true;
    S().BuchungenGespeichert = false;
    const std::string neu = (ordner / "neu.wuz");
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 6).Datei(true, Q(neu)).Datei(false, Q(vorhanden));
    IDD_MAIN->FileOpenItem->trigger();
    EXPECT_TRUE(Existiert(neu));
    EXPECT_TRUE(S().BuchungenGespeichert);
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), Q(vorhanden));
    EXPECT_EQ(IDD_MAIN->Dokumentname(), Q(vorhanden));
  }
  {  // Nothing unsaved: straight to the dialog
    AllesGespeichert();
    Skript skript;
    skript.Datei(false, std::nullopt);
    IDD_MAIN->FileOpenItem->trigger();
  }
}

TEST_F(MainTest, NewAsksWhenUnsavedShowsNeuAndForgetsTheName) {
  Starte();
  const std::string pfad = (ordner / "anlage.wuz");
  {
    Skript skript;
    skript.Datei(true, Q(pfad));
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  EXPECT_TRUE(S().DatenGespeichert);
  {  // saved: no question
    Skript skript;
    IDD_MAIN->FileNewItem->trigger();
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), QStringLiteral("Neu"));
    EXPECT_EQ(IDD_MAIN->Dokumentname(), QString());
    EXPECT_FALSE(S().DatenGespeichert);
  }
  {  // unsaved, Cancel: stays
    IDD_MAIN->IDT_DATEI->setText(QStringLiteral("vorher"));
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 2);
    IDD_MAIN->FileNewItem->trigger();
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), QStringLiteral("vorher"));
  }
  {  // unsaved, No
    Skript skript;
    skript.Box(kFrage, QStringLiteral("Hinweis"), 35, 7);
    IDD_MAIN->FileNewItem->trigger();
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), QStringLiteral("Neu"));
  }
  {  // a following Save asks for a name instead of writing over the last file
    const std::string vorher = LiesDatei(pfad);
    S().Personen.Clear();
    Skript skript;
    skript.Datei(true, std::nullopt);
    EXPECT_FALSE(IDD_MAIN->FileSave());
    EXPECT_EQ(LiesDatei(pfad), vorher);
  }
}

TEST_F(MainTest, SaveAsOntoAnExistingFileNoThenAnotherName) {
  Starte();
  const std::string alt = (ordner / "alt.wuz");
  SchreibeDatei(alt, "bleibt");
  const std::string anders = (ordner / "anders");  // the dialog adds ".wuz"
  Skript skript;
  skript.Datei(true, Q(alt))
      .Box(QStringLiteral("Datei überschreiben?"), QStringLiteral("Hinweis"), 36, 7)
      .Datei(true, Q(anders));
  EXPECT_TRUE(IDD_MAIN->FileSaveAs());
  EXPECT_EQ(LiesDatei(alt), "bleibt");
  EXPECT_TRUE(Existiert(anders + ".wuz"));
  EXPECT_TRUE(Existiert(anders + ".bks"));
  EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), Q(anders + ".wuz"));
  EXPECT_EQ(IDD_MAIN->Dokumentname(), Q(anders + ".wuz"));
  EXPECT_TRUE(S().DatenGespeichert);

  // Yes writes over it; a later Save writes to the same name without a dialog.
  Skript ja;
  ja.Datei(true, Q(alt)).Box(QStringLiteral("Datei überschreiben?"), QStringLiteral("Hinweis"), 36, 6);
  EXPECT_TRUE(IDD_MAIN->FileSaveAs());
  EXPECT_NE(LiesDatei(alt), "bleibt");
  std::filesystem::remove(alt);
  EXPECT_TRUE(IDD_MAIN->FileSave());
  EXPECT_TRUE(Existiert(alt));
  // A dialog closed without a choice saves nothing.
  S().DatenGespeichert = false;
  Skript keine;
  keine.Datei(true, std::nullopt);
  EXPECT_FALSE(IDD_MAIN->FileSaveAs());
  EXPECT_FALSE(S().DatenGespeichert);
}

// A name of 255 bytes (umlauts count twice, blanks among them) is saved as any other, saved
// again without a dialog and opened.
TEST_F(MainTest, TheLongestNameTheFolderHoldsIsSavedAndOpened) {
  Starte();
  QString name = QStringLiteral("Anlage Süd ");
  while (name.toUtf8().size() + 4 < 255)
    name += name.toUtf8().size() % 3 == 0 ? QStringLiteral("ä") : QStringLiteral(" ");
  name += QStringLiteral(".wuz");
  ASSERT_EQ(name.toUtf8().size(), 255);
  const QString pfad = Q(ordner.Pfad()) + name;
  HaengeAn(S().Buchungen, std::make_unique<books>());
  S().BuchungenGespeichert = false;
  {
    Skript skript;
    skript.Datei(true, pfad);
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  // The panel cuts so long a path in the middle; its tool tip holds it whole.
  EXPECT_EQ(IDD_MAIN->IDT_DATEI->toolTip(), pfad);
  EXPECT_TRUE(S().DatenGespeichert);
  EXPECT_TRUE(S().BuchungenGespeichert);
  const std::string buchungsdatei = pfad.chopped(4).toStdString() + ".bks";
  EXPECT_EQ(std::filesystem::file_size(buchungsdatei), 62U);
  S().DatenGespeichert = false;
  EXPECT_TRUE(IDD_MAIN->FileSave());
  EXPECT_TRUE(S().DatenGespeichert);
  {
    Skript skript;
    skript.Datei(false, pfad);
    IDD_MAIN->FileOpenItem->trigger();
  }
  EXPECT_EQ(S().Buchungen.Anzahl, 1);
  EXPECT_EQ(IDD_MAIN->Dokumentname(), pfad);
  std::vector<std::string> namen;
  for (const auto& eintrag : std::filesystem::directory_iterator(ordner.Pfad()))
    namen.push_back(eintrag.path().filename());
  std::sort(namen.begin(), namen.end());
  EXPECT_EQ(namen, (std::vector<std::string>{pfad.chopped(4).toStdString().substr(ordner.Pfad().size()) + ".bks",
                                             name.toStdString(), "temp.bks"}));
}

TEST_F(MainTest, SaveIntoAMissingFolderShowsTheErrorAndKeepsUnsaved) {
  Starte();
  const std::string pfad = (ordner / "fehlt/anlage.wuz");
  Skript skript;
  // The document cannot be made, so nothing is tried for its bookings file: one box.
  skript.Datei(true, Q(pfad)).Box(QStringLiteral("Fehler"), 16, 1);
  EXPECT_FALSE(IDD_MAIN->FileSaveAs());
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_FALSE(Existiert(pfad));
}

TEST_F(MainTest, AWriteErrorShowsTheErrorInThePanelAndForgetsTheName) {
  Starte();
  const std::string gut = (ordner / "gut.wuz");
  {
    Skript skript;
    skript.Datei(true, Q(gut));
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  // The engine refuses a document name that would write over its own bookings (StdError).
  const std::string falsch = (ordner / "anlage.bks");
  {
    Skript skript;
    skript.Datei(true, Q(falsch)).Box(QStringLiteral("Fehler"), 16, 1);
    EXPECT_FALSE(IDD_MAIN->FileSaveAs());
  }
  EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), QStringLiteral("Fehlerin") + Q(falsch));
  EXPECT_EQ(IDD_MAIN->Dokumentname(), QString());
  EXPECT_FALSE(S().DatenGespeichert);
  // So the next Save asks for a name.
  Skript skript;
  skript.Datei(true, std::nullopt);
  EXPECT_FALSE(IDD_MAIN->FileSave());
}

TEST_F(MainTest, AFailedOpenKeepsTheDocumentAndItsPanelText) {
  Starte();
  const std::string gut = (ordner / "gut.wuz");
  {
    Skript skript;
    skript.Datei(true, Q(gut));
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  const int profile = S().Profile.Anzahl;
  const std::string kaputt = (ordner / "kaputt.wuz");
  SchreibeDatei(kaputt, "abc");
  for (const std::string& pfad : {kaputt, (ordner / "gibtsnicht.wuz")}) {
    SCOPED_TRACE(pfad);
    Skript skript;
    skript.Datei(false, Q(pfad))
        .Box(QStringLiteral("Keine Buchungen vorhanden."), QStringLiteral("Hinweis"), 64, 1)
        .Box(QStringLiteral("Fehler"), 16, 1);
    IDD_MAIN->FileOpenItem->trigger();
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), Q(gut));
    EXPECT_EQ(IDD_MAIN->Dokumentname(), Q(gut));
    EXPECT_EQ(S().Profile.Anzahl, profile);
    ASSERT_EQ(skript.Verlauf().size(), 3U);
    EXPECT_FALSE(skript.Verlauf()[2].endsWith(QStringLiteral(": ")));  // the engine's reason is shown
  }
}

TEST_F(MainTest, ExpertSettingsToggle) {
  Starte();
  const std::array<QToolButton*, 4> experten = IDD_MAIN->Expertenknoepfe();
  const QToolButton* const namen[] = {IDD_MAIN->IDB_SYTEMDATA, IDD_MAIN->IDB_DOORDATA, IDD_MAIN->IDB_PROFIL,
                                      IDD_MAIN->IDB_KAL};
  for (std::size_t i = 0; i < experten.size(); ++i) EXPECT_EQ(experten[i], namen[i]);
  auto unten = [&](bool erwartet) {
    for (const QToolButton* k : experten) {
      EXPECT_EQ(k->isVisible(), erwartet) << k->objectName().toStdString();
      EXPECT_EQ(k->isEnabled(), erwartet) << k->objectName().toStdString();
    }
  };
  unten(false);
  EXPECT_EQ(IDD_MAIN->IDB_SETTINGS->text(), QStringLiteral("Erweiterte Einstellungen"));
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_TRUE(IDD_MAIN->IDB_SETTINGS->isChecked());
  unten(true);
  EXPECT_EQ(IDD_MAIN->IDB_SETTINGS->text(), QStringLiteral("Standard Einstellungen"));
  IDD_MAIN->IDB_SETTINGS->click();
  unten(false);
  EXPECT_EQ(IDD_MAIN->IDB_SETTINGS->text(), QStringLiteral("Erweiterte Einstellungen"));
  IDD_MAIN->Zustzeanzeigen1->trigger();
  EXPECT_TRUE(IDD_MAIN->IDB_SETTINGS->isChecked());
  unten(true);
  EXPECT_EQ(IDD_MAIN->IDB_SETTINGS->text(), QStringLiteral("Standard Einstellungen"));
  IDD_MAIN->Zustzeanzeigen1->trigger();
  EXPECT_FALSE(IDD_MAIN->IDB_SETTINGS->isChecked());
  unten(false);
  // The menu items of the four editors do not follow the toggle.
  EXPECT_EQ(IDD_MAIN->Steuerungdaten1->isVisible(), true);
}

struct Eintrag {
  const char* name;  // nullptr: separator
  const char* text;
  const char* kuerzel;
  const char* hinweis;
  bool aktiv;  // usable in this build (its window exists)
};

TEST_F(MainTest, MenuAgainstTheTable) {
  Starte();
  struct Menue {
    QMenu* menue;
    const char* name;
    const char* titel;
    std::vector<Eintrag> eintraege;
  };
  const std::vector<Menue> menues = {
      {IDD_MAIN->FileMenu1,
       "FileMenu1",
       "&Datei",
       {{"FileNewItem", "&Neu", "Ctrl+N", "Eine neue Datei erzeugen", true},
        {"FileOpenItem", "Ö&ffnen", "Ctrl+O", "Eine bestehende Datei öffnen", true},
        {"FileSaveItem", "&Speichern", "Ctrl+S", "Aktuelle Datei speichern", true},
        {"FileSaveAsItem", "Speichern &als...", "Ctrl+A", "Aktuelle Datei unter neuem Namen speichern", true},
        {nullptr, "", "", "", true},
        {"FilePrintItem", "&Drucken", "Ctrl+D", "Aktuelle Datei drucken", true},
        {"FilePrintSetupItem", "Drucker&einrichtung...", "Ctrl+R", "Druckereinrichtung ändern", true},
        {nullptr, "", "", "", true},
        {"FileExitItem", "&Beenden", "Alt+F4", "Diese Anwendung beenden", true}}},
      {IDD_MAIN->Configmenu,
       "Configmenu",
       "&Konfigurieren",
       {{"Personendaten1", "&Personendaten", "Ctrl+P", "", true},
        {"Trdaten1", "&Türdaten", "Ctrl+T", "", true},
        {"Steuerungdaten1", "&Gerätedaten", "Ctrl+G", "", true},
        {"Feiertag1", "&Feiertage", "Ctrl+F", "", true},
        {"Zutrittsprofile1", "&Zutrittsprofile", "Ctrl+Z", "", true},
        {nullptr, "", "", "", true},
        {"verbindungsparameter1", "&Verbindungsparameter", "Ctrl+V", "", true},
        {"Uhrstellen1", "&Uhr stellen", "Ctrl+U", "", true},
        {"Aministration1", "&Expert Modus", "", "", true},
        {nullptr, "", "", "", true},
        {"Zustzeanzeigen1", "Zusätze anz&eigen", "Ctrl+E", "", true}}},
      {IDD_MAIN->HelpMenu1,
       "HelpMenu1",
       " &Hilfe",
       {{"HelpInhalt", "&Inhalt", "", "", true},
        {nullptr, "", "", "", true},
        {"HelpAboutItem", "Inf&o über...", "", "", true}}},
  };
  const QList<QAction*> leiste = IDD_MAIN->MainMenu->actions();
  ASSERT_EQ(leiste.size(), 3);
  EXPECT_EQ(IDD_MAIN->MainMenu->objectName(), QStringLiteral("MainMenu"));
  for (std::size_t m = 0; m < menues.size(); ++m) {
    const Menue& menue = menues[m];
    SCOPED_TRACE(menue.name);
    EXPECT_EQ(leiste[static_cast<qsizetype>(m)]->menu(), menue.menue);
    EXPECT_EQ(menue.menue->objectName(), QString::fromUtf8(menue.name));
    EXPECT_EQ(menue.menue->title(), QString::fromUtf8(menue.titel));
    const QList<QAction*> aktionen = menue.menue->actions();
    ASSERT_EQ(aktionen.size(), static_cast<qsizetype>(menue.eintraege.size()));
    for (std::size_t i = 0; i < menue.eintraege.size(); ++i) {
      const Eintrag& e = menue.eintraege[i];
      QAction* a = aktionen[static_cast<qsizetype>(i)];
      if (e.name == nullptr) {
        EXPECT_TRUE(a->isSeparator()) << i;
        continue;
      }
      SCOPED_TRACE(e.name);
      EXPECT_EQ(a->objectName(), QString::fromUtf8(e.name));
      EXPECT_EQ(a->text(), QString::fromUtf8(e.text));
      EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(e.kuerzel)));
      EXPECT_EQ(a->statusTip(), QString::fromUtf8(e.hinweis));
      EXPECT_EQ(a->isEnabled(), e.aktiv);
    }
  }
}

TEST_F(MainTest, ShortcutsRunTheirCommands) {
  Starte();
  AllesGespeichert();
  IDD_MAIN->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(IDD_MAIN));
  {
    Skript skript;
    QTest::keyClick(IDD_MAIN, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), QStringLiteral("Neu"));
  }
  AllesGespeichert();
  {
    Skript skript;
    skript.Datei(false, std::nullopt);
    QTest::keyClick(IDD_MAIN, Qt::Key_O, Qt::ControlModifier);
  }
  {
    Skript skript;  // a new document has no name: Save asks for one
    skript.Datei(true, std::nullopt);
    QTest::keyClick(IDD_MAIN, Qt::Key_S, Qt::ControlModifier);
  }
  {
    Skript skript;
    skript.Datei(true, std::nullopt);
    QTest::keyClick(IDD_MAIN, Qt::Key_A, Qt::ControlModifier);
  }
  {
    Skript skript;
    QTest::keyClick(IDD_MAIN, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(IDD_MAIN->IDB_SETTINGS->isChecked());
    EXPECT_TRUE(IDD_MAIN->IDB_KAL->isVisible());
  }
  {
    Skript skript;
    skript.Box(QStringLiteral("Hilfe"), 64, 1);
    QTest::keyClick(IDD_MAIN, Qt::Key_F1);
  }
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_COMM"), [](QDialog&) { return fenster::mrCancel; });
    QTest::keyClick(IDD_MAIN, Qt::Key_V, Qt::ControlModifier);
  }
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PERSONEN"), [](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Personendaten"));
      return fenster::mrOk;
    });
    QTest::keyClick(IDD_MAIN, Qt::Key_P, Qt::ControlModifier);
  }
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PRINT"), [](QDialog&) { return fenster::mrCancel; });
    skript.Drucker(false);
    QTest::keyClick(IDD_MAIN, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(IDD_MAIN, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(skript.Verlauf(),
              (std::vector<QString>{QStringLiteral("Modal IDD_PRINT Drucken"), QStringLiteral("Druckereinrichtung")}));
  }
  {
    Skript skript;
    QString titel;
    skript.Modal(QStringLiteral("IDD_FEIERTAG"), [&](QDialog& fenster) {
      titel = fenster.windowTitle();
      return fenster::mrOk;
    });
    QTest::keyClick(IDD_MAIN, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(titel, QStringLiteral("Feiertagskalender"));
  }
  {
    // The clock command, here without an interface to open.
    setenv("YBR_KOMM_COM2", (ordner / "kein-geraet").c_str(), 1);
    Skript skript;
    skript.Box(QStringLiteral("Fehler"), 16, [](const QString& text) {
      EXPECT_TRUE(text.startsWith(QStringLiteral("Schnittstelle nicht verfügbar.\n")));
      return 1;
    });
    QTest::keyClick(IDD_MAIN, Qt::Key_U, Qt::ControlModifier);
  }
  {
    Skript skript;
    QTest::keyClick(IDD_MAIN, Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(IDD_MAIN->isVisible());
  }
}

TEST_F(MainTest, ToolButtonsAtStart) {
  Starte();
  struct Knopf {
    QToolButton* knopf;
    const char* name;
    const char* text;
    bool sichtbar, aktiv;
  };
  const Knopf knoepfe[] = {
      {IDD_MAIN->IDB_SEND_DATA, "IDB_SEND_DATA", "Daten senden", true, true},
      {IDD_MAIN->IDB_GET_DATA, "IDB_GET_DATA", "Daten holen", true, true},
      {IDD_MAIN->IDB_SET_CLOCK, "IDB_SET_CLOCK", "Zeit stellen", true, true},
      {IDD_MAIN->IDB_PERSON, "IDB_PERSON", "Personendaten", true, true},
      {IDD_MAIN->IDB_SETTINGS, "IDB_SETTINGS", "Erweiterte Einstellungen", true, true},
      {IDD_MAIN->IDB_SYTEMDATA, "IDB_SYTEMDATA", "Gerätedaten", false, false},
      {IDD_MAIN->IDB_DOORDATA, "IDB_DOORDATA", "Türdaten", false, false},
      {IDD_MAIN->IDB_PROFIL, "IDB_PROFIL", "Zutrittsprofile", false, false},
      {IDD_MAIN->IDB_KAL, "IDB_KAL", "Feiertagskalender", false, false},
      {IDD_MAIN->IDB_SHOW_BOOK, "IDB_SHOW_BOOK", "Buchungen ansehen", true, true},
      {IDD_MAIN->IDB_PRINT, "IDB_PRINT", "Drucken", true, true},
  };
  for (const Knopf& k : knoepfe) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(k.knopf->objectName(), QString::fromUtf8(k.name));
    EXPECT_EQ(k.knopf->text(), QString::fromUtf8(k.text));
    EXPECT_EQ(k.knopf->isVisible(), k.sichtbar);
    EXPECT_EQ(k.knopf->isEnabled(), k.aktiv);
  }
  EXPECT_TRUE(IDD_MAIN->IDB_SETTINGS->isCheckable());
  EXPECT_GE(IDD_MAIN->IDT_CONNECT->width(), 152);
}

// Each glyph button has a picture of its own, as large as its slot and filling three quarters of it at least.
TEST_F(MainTest, EachToolButtonHasItsOwnPictureFillingItsSlot) {
  Starte();
  const QToolButton* const knoepfe[] = {
      IDD_MAIN->IDB_SEND_DATA, IDD_MAIN->IDB_GET_DATA,  IDD_MAIN->IDB_SET_CLOCK, IDD_MAIN->IDB_PERSON,
      IDD_MAIN->IDB_SETTINGS,  IDD_MAIN->IDB_SYTEMDATA, IDD_MAIN->IDB_DOORDATA,  IDD_MAIN->IDB_PROFIL,
      IDD_MAIN->IDB_KAL,       IDD_MAIN->IDB_SHOW_BOOK, IDD_MAIN->IDB_PRINT,
  };
  std::vector<QImage> bilder;
  for (const QToolButton* knopf : knoepfe) {
    SCOPED_TRACE(knopf->objectName().toStdString());
    const QSize platz = knopf->iconSize();
    EXPECT_EQ(platz, QSize(40, 40));
    EXPECT_EQ(knopf->icon().actualSize(platz), platz);
    const QImage bild = knopf->icon().pixmap(platz).toImage();
    const QRect gezeichnet = Gezeichnet(bild);
    EXPECT_GE(std::max(gezeichnet.width(), gezeichnet.height()), 30)
        << gezeichnet.width() << " x " << gezeichnet.height();
    for (const QImage& anderes : bilder) EXPECT_NE(bild, anderes);
    bilder.push_back(bild);
  }
}

TEST_F(MainTest, HelpAndAbout) {
  Starte();
  {
    Skript skript;
    skript.Box(QStringLiteral("Hilfe"), 64, 1);
    IDD_MAIN->HelpInhalt->trigger();
  }
  Skript skript;
  QString titel;
  skript.Modal(QStringLiteral("IDD_ABOUT"), [&](QDialog& fenster) {
    titel = fenster.windowTitle();
    return fenster::mrOk;
  });
  IDD_MAIN->HelpAboutItem->trigger();
  EXPECT_EQ(titel, QStringLiteral("Info über"));
}

// A configuration that cannot be read gives the defaults: the program starts without a word,
// and closing, which cannot write it back, says nothing either.
TEST_F(MainTest, AWupIniThatCannotBeReadGivesTheDefaultsAndNoBox) {
  std::filesystem::create_directory(Ini());
  {
    Skript still;
    Starte();
  }
  ASSERT_NE(IDD_MAIN->Dokument(), nullptr);
  EXPECT_EQ(S().Page, 1);
  EXPECT_EQ(S().ComPort, 2);
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QStringLiteral(" COM2 , Programmierkabel"));
  AllesGespeichert();
  Skript still;
  EXPECT_TRUE(IDD_MAIN->close());
  EXPECT_TRUE(std::filesystem::is_directory(Ini()));
}

// A named pipe in the program's folder never keeps the window from coming. In place of Wup.ini
// the program starts on the defaults without a word and never writes the configuration over
// it.
TEST_F(MainTest, ANamedPipeAsWupIniNeverBlocksTheStart) {
  ASSERT_EQ(mkfifo(Ini().c_str(), 0600), 0);
  {
    Wecker wecker(5);
    Skript still;
    Starte();
  }
  ASSERT_NE(IDD_MAIN->Dokument(), nullptr);
  EXPECT_TRUE(IDD_MAIN->isVisible());
  EXPECT_EQ(IDD_MAIN->IDT_CONNECT->text(), QStringLiteral(" COM2 , Programmierkabel"));
  AllesGespeichert();
  Skript still;
  EXPECT_TRUE(IDD_MAIN->close());
  EXPECT_TRUE(std::filesystem::is_fifo(Ini()));
}

// In place of the new document's bookings file, the program says that it cannot create the
// file, as for a folder there, and ends.
TEST_F(MainTest, ANamedPipeAsTempBksNeverBlocksTheStart) {
  ASSERT_EQ(mkfifo((ordner / "temp.bks").c_str(), 0600), 0);
  Skript skript;
  skript.Box(QStringLiteral("Fehler beim Öffnen der Datei") + Q(ordner / "temp.bks"), QStringLiteral("Fehler"), 16, 1);
  {
    Wecker wecker(5);
    Starte();
  }
  EXPECT_TRUE(skript.Fertig());
  EXPECT_EQ(IDD_MAIN->Dokument(), nullptr);
  EXPECT_EQ(Hauptschleife(), 1);
  EXPECT_TRUE(std::filesystem::is_fifo(ordner / "temp.bks"));
}

// A document whose bookings file is a named pipe opens without its bookings, with the box of a
// bookings file that cannot be read; a named pipe chosen as the target of Save As is refused
// with the box of a file that cannot be created. Neither waits.
TEST_F(MainTest, ANamedPipeAsBookingsFileOrSaveTargetNeverBlocks) {
  Starte();
  const std::string pfad = ordner / "anlage.wuz";
  HaengeAn(S().Buchungen, std::make_unique<books>());
  {
    Skript skript;
    skript.Datei(true, Q(pfad));
    ASSERT_TRUE(IDD_MAIN->FileSaveAs());
  }
  std::filesystem::remove(ordner / "anlage.bks");
  ASSERT_EQ(mkfifo((ordner / "anlage.bks").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((ordner / "rohr.wuz").c_str(), 0600), 0);
  Wecker wecker(5);
  {
    Skript skript;
    skript.Datei(false, Q(pfad)).Box(QStringLiteral("Keine Buchungen vorhanden."), QStringLiteral("Hinweis"), 64, 1);
    IDD_MAIN->FileOpenItem->trigger();
    EXPECT_TRUE(skript.Fertig());
  }
  EXPECT_EQ(IDD_MAIN->IDT_DATEI->text(), Q(pfad));
  EXPECT_EQ(S().Buchungen.Anzahl, 0);
  {
    Skript skript;
    skript.Datei(true, Q(ordner / "rohr.wuz"))
        .Box(QStringLiteral("Datei überschreiben?"), QStringLiteral("Hinweis"), 36, 6)
        .Box(QStringLiteral("Fehler beim Öffnen der Datei") + Q(ordner / "rohr.wuz"), QStringLiteral("Fehler"), 16, 1);
    EXPECT_FALSE(IDD_MAIN->FileSaveAs());
    EXPECT_TRUE(skript.Fertig());
  }
  EXPECT_TRUE(std::filesystem::is_fifo(ordner / "anlage.bks"));
  EXPECT_TRUE(std::filesystem::is_fifo(ordner / "rohr.wuz"));
  AllesGespeichert();
}

// Saves a document under a file-size limit below its size, in a program started as the
// program starts (SIGXFSZ at its default until then). Ends the process: 0 when the save
// failed into its error box with the old files left as they were and nothing else in the
// folder, 1 otherwise; a process ended by SIGXFSZ never gets that far.
[[noreturn]] void SpeichereUnterDateiGrenze() {
  std::signal(SIGXFSZ, SIG_DFL);
  TempOrdner ordner;
  bool richtig = false;
  {
    Programm programm(ordner.Pfad(), 2026);
    const std::string pfad = ordner / "anlage.wuz";
    {
      Skript skript;
      skript.Datei(true, Q(pfad));
      richtig = IDD_MAIN->FileSaveAs();
    }
    const std::string dokument = LiesDatei(pfad);
    const auto namen = Inhalt(ordner.Pfad());
    for (int i = 0; i < 100; ++i) HaengeAn(programm.S().Personen, std::make_unique<PERSON>());
    rlimit vorher{};
    getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit grenze = vorher;
    grenze.rlim_cur = 9000;
    setrlimit(RLIMIT_FSIZE, &grenze);
    {
      Skript skript;
      skript.Datei(true, Q(pfad))
          .Box(QStringLiteral("Datei überschreiben?"), QStringLiteral("Hinweis"), 36, 6)
          .Box(QStringLiteral("Fehler"), 16, 1);
      richtig = richtig && !IDD_MAIN->FileSaveAs() && skript.Fertig();
    }
    setrlimit(RLIMIT_FSIZE, &vorher);
    richtig = richtig && LiesDatei(pfad) == dokument && Inhalt(ordner.Pfad()) == namen;
  }
  std::_Exit(richtig ? 0 : 1);
}

// The program ignores SIGXFSZ from its start: a file-size limit makes a save fail with its
// box, and the program and the user's work stay.
TEST(Programmstart, AFileSizeLimitEndsTheSaveNotTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(SpeichereUnterDateiGrenze(), testing::ExitedWithCode(0), "");
}

TEST_F(MainTest, AStartWithAnUnwritableFolderShowsTheErrorAndEndsNonZero) {
  Skript skript;
  skript.Box(QStringLiteral("Fehler"), 16, 1);
  IDD_MAIN->SetzeOrdner((ordner / "fehlt/nicht/da/"));
  plattform_ = std::make_unique<TestPlattform>(*IDD_STATUS, 2026);
  wahl = std::make_unique<PlattformWahl>(*plattform_);
  IDD_MAIN->show();
  EXPECT_EQ(IDD_MAIN->Dokument(), nullptr);
  EXPECT_EQ(Hauptschleife(), 1);
  ASSERT_EQ(skript.Verlauf().size(), 1U);
  EXPECT_TRUE(skript.Verlauf()[0].contains(QStringLiteral("Fehler beim Öffnen der Datei")));
}

TEST_F(MainTest, AnyFailureToMakeTheDocumentEndsNonZero) {
  // The log cannot be opened (a folder stands in its place), and the box that says so cannot
  // be made for lack of memory: the failure leaves the document object's constructor.
  SchreibeDatei(Ini(), "[Global]\nLOG=1\nPage=1\n[Comm]\nport=2\n");
  std::filesystem::create_directory((ordner / "log_Com2.log"));
  Skript skript;
  skript.Box(QStringLiteral("Fehler"), 16, [](const QString&) -> int { throw std::bad_alloc(); })
      .Box(QStringLiteral("kein Speicher"), QStringLiteral("Fehler"), 16, 1);
  Starte();
  EXPECT_EQ(IDD_MAIN->Dokument(), nullptr);
  EXPECT_EQ(Hauptschleife(), 1);
}

}  // namespace
