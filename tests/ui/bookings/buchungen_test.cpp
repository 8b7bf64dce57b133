// The bookings window: the list lines and the door filter, the three sort heads, deleting
// the shown bookings, OK with the bookings file, the export with its questions and failures,
// the opener in the main window, help, and the window's picture.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "bookings/BuchungenDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

const QString kFenster = QStringLiteral("IDD_BUCHUNGEN");
const QString kHinweis = QStringLiteral("Hinweis");
const QString kLoeschenFrage = QStringLiteral("Exportierte Buchungen aus der\nAnzeige löschen?");

struct B {
  const char* Name;  // Windows-1252
  const char* Karte;
  std::uint8_t Ereignis1 = 0;
  std::uint8_t Ereignis2 = 0;
  std::uint16_t Tag = 22;
  std::uint16_t Stunde = 7;
};

class BuchungenFenster : public ::testing::Test {
 protected:
  void SetUp() override {
    programm = std::make_unique<Programm>(ordner.Pfad(), QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
    S().DatenGespeichert = true;
  }
  void TearDown() override { programm.reset(); }

  TSteuerung& S() { return programm->S(); }
  TIDD_BUCHUNGEN& F() { return *IDD_BUCHUNGEN; }

  void Buchungen(std::initializer_list<B> buchungen) {
    for (const B& x : buchungen) {
      auto* b = new books;
      SchreibeText(b->Name, x.Name);
      SchreibeText(b->Karte, x.Karte);
      b->Jahr = 2000;
      b->Monat = 3;
      b->Tag = x.Tag;
      b->Stunde = x.Stunde;
      b->Minute = 5;
      b->Sekunde = 9;
      b->Ereignis1 = x.Ereignis1;
      b->Ereignis2 = x.Ereignis2;
      S().Buchungen.Append(b);
    }
  }
  // The names of the document's bookings in list order.
  std::string Namen() {
    std::string namen;
    for (auto* k = S().Buchungen.Kopf; k != nullptr; k = k->Next) namen += LiesText(k->Daten->Name) + " ";
    return namen;
  }
  std::vector<QString> Zeilen() {
    const QAbstractItemModel& m = *F().IDLB_SHOWBOOK->model();
    std::vector<QString> zeilen;
    for (int i = 0; i < m.rowCount(); ++i) zeilen.push_back(m.data(m.index(i, 0)).toString());
    return zeilen;
  }
  // Opens the window through the main window's button; `handeln` works it. `innen` scripts
  // what the window shows meanwhile.
  void Oeffne(Skript& skript, const std::function<void()>& handeln, const std::function<void()>& innen = {}) {
    skript.Modal(kFenster, [&](QDialog& fenster) {
      handeln();
      return fenster.result();
    });
    if (innen) innen();
    IDD_MAIN->IDB_SHOW_BOOK->click();
  }
  void WaehleTuer(int index) {
    F().IDCB_SELECT_DOOR->setCurrentIndex(index);
    emit F().IDCB_SELECT_DOOR->activated(index);
  }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};

// ---- list lines and the door filter ----

struct Zeilenfall {
  const char* Fall;
  std::uint8_t Ereignis1;
  std::uint8_t Ereignis2;
  const char* NameSpalte;
  const char* LeserTuer;
  int Tuer;  // the one door filter that shows it besides "alle Türen"; 0: none
};

void PrintTo(const Zeilenfall& f, std::ostream* os) { *os << f.Fall; }

class Listenzeilen : public BuchungenFenster, public testing::WithParamInterface<Zeilenfall> {};

TEST_P(Listenzeilen, TextUndTuerfilter) {
  const Zeilenfall& f = GetParam();
  Buchungen({{"J\xF6rg M\xFCller", "ABCDEFGH", f.Ereignis1, f.Ereignis2}});
  Skript skript;
  Oeffne(skript, [&] {
    const QString zeile = QStringLiteral("22.03.2000, 07:05:09\tABCDEFGH\t") + QString::fromUtf8(f.NameSpalte) + u'\t' +
                          QString::fromUtf8(f.LeserTuer);
    EXPECT_EQ(Zeilen(), std::vector<QString>{zeile});
    for (int tuer = 1; tuer <= 3; ++tuer) {
      WaehleTuer(tuer);
      EXPECT_EQ(Zeilen().size(), tuer == f.Tuer ? 1U : 0U) << "Tür " << tuer;
    }
    WaehleTuer(0);
    EXPECT_EQ(Zeilen().size(), 1U);
  });
}

INSTANTIATE_TEST_SUITE_P(
    Buchungen, Listenzeilen,
    testing::Values(Zeilenfall{"Leser1Tuer2", 0x0A, 0, "Jörg Müller", "Leser 1/Tür 2", 2},
                    Zeilenfall{"BeideLeserTueren2Und3", 0x1E, 0, "Jörg Müller", "Leser 2/Tür 3 (MK)", 3},
                    Zeilenfall{"OhneEreignisbits", 0, 0, "Jörg Müller", "/ ", 0},
                    Zeilenfall{"TuerGeschlossenGewinnt", 0x40, 0x08, "Tür geschlossen", "/ ", 0},
                    Zeilenfall{"AbgewieseneKarte", 0x80, 0, "abgewiese Karte", "/ ", 0},
                    Zeilenfall{"UnbekannteKarte", 0x41, 0, "unbekannte Karte", "/Tür 1", 1},
                    Zeilenfall{"ZuLangeOffen", 0x09, 0x01, "Tür zu lange offen", "Leser 1/Tür 1", 1},
                    Zeilenfall{"Freigabe", 0x12, 0x02, "Freigabe", "Leser 2/Tür 2", 2},
                    Zeilenfall{"OhneErlaubnisAufVorFreigabe", 0x04, 0x06, "Tür ohne Erlaubnis auf", "/Tür 3 (MK)", 3}),
    [](const testing::TestParamInfo<Zeilenfall>& info) { return std::string(info.param.Fall); });

TEST_F(BuchungenFenster, TuerfilterZeigtNurSeineTuerInListenfolge) {
  Buchungen({{"Anna", "1", 0x01}, {"Bert", "2", 0x06}, {"Cleo", "3", 0x02}, {"Dora", "4", 0x00}, {"Emil", "5", 0x03}});
  Skript skript;
  Oeffne(skript, [&] {
    WaehleTuer(2);
    ASSERT_EQ(Zeilen().size(), 2U);
    EXPECT_TRUE(Zeilen()[0].contains(QStringLiteral("Cleo")));
    EXPECT_TRUE(Zeilen()[1].contains(QStringLiteral("Emil")));
    WaehleTuer(3);
    ASSERT_EQ(Zeilen().size(), 1U);
    EXPECT_TRUE(Zeilen()[0].contains(QStringLiteral("Bert")));
  });
}

// ---- sorting ----

TEST_F(BuchungenFenster, JederKopfHatSeineRichtungUndEinNeuesOeffnenSetztAllesZurueck) {
  // Time, card and name give three different orders, so each head shows by which key it sorts.
  Buchungen({{"Anna", "B", 0x01, 0, 22, 9}, {"Bert", "C", 0x02, 0, 20, 7}, {"Cleo", "A", 0x01, 0, 21, 8}});
  Skript skript;
  Oeffne(skript, [&] {
    F().IDB_TIME->click();
    EXPECT_EQ(Namen(), "Bert Cleo Anna ");
    EXPECT_TRUE(Zeilen()[0].contains(QStringLiteral("Bert")));
    F().IDB_TIME->click();
    EXPECT_EQ(Namen(), "Anna Cleo Bert ");
    EXPECT_TRUE(Zeilen()[0].contains(QStringLiteral("Anna")));
    F().IDB_CARD->click();  // its own first click: ascending
    EXPECT_EQ(Namen(), "Cleo Anna Bert ");
    F().IDB_TIME->click();  // the third click on the time head: ascending again
    EXPECT_EQ(Namen(), "Bert Cleo Anna ");
    F().IDB_NAME->click();
    EXPECT_EQ(Namen(), "Anna Bert Cleo ");
    F().IDB_NAME->click();
    EXPECT_EQ(Namen(), "Cleo Bert Anna ");
    WaehleTuer(1);
    EXPECT_EQ(Zeilen().size(), 2U);
    F().IDB_OK->click();
  });
  Skript wieder;
  Oeffne(wieder, [&] {
    EXPECT_EQ(F().IDCB_SELECT_DOOR->currentIndex(), 0);
    EXPECT_EQ(F().IDCB_SELECT_DOOR->currentText(), QStringLiteral("alle Türen"));
    EXPECT_EQ(Zeilen().size(), 3U);
    F().IDB_NAME->click();  // the name head starts again at ascending
    EXPECT_EQ(Namen(), "Anna Bert Cleo ");
    F().IDB_TIME->click();
    EXPECT_EQ(Namen(), "Bert Cleo Anna ");
    F().IDB_CARD->click();
    EXPECT_EQ(Namen(), "Cleo Anna Bert ");
  });
}

TEST_F(BuchungenFenster, KoepfeUndTuerauswahlTragenIhreTexte) {
  Skript skript;
  skript.Box(QStringLiteral("Keine Buchungen vorhanden."), kHinweis, 64, 1);
  std::remove(S().BuchungsDateiname.c_str());
  Oeffne(skript, [&] {
    EXPECT_EQ(F().windowTitle(), QStringLiteral("Buchungen ansehen"));
    EXPECT_EQ(F().IDB_TIME->text(), QStringLiteral("Datum, Uhrzeit"));
    EXPECT_EQ(F().IDB_CARD->text(), QStringLiteral("Kartencodierung"));
    EXPECT_EQ(F().IDB_NAME->text(), QStringLiteral("Name/Aufdruck"));
    EXPECT_EQ(F().IDB_GET_BOOK->text(), QStringLiteral("Buchungen abrufen"));
    EXPECT_EQ(F().IDB_DELETE->text(), QStringLiteral("Buchungen löschen"));
    EXPECT_EQ(F().IDB_DELETE->toolTip(), QStringLiteral("Alle angezeigten Buchungen löschen"));
    EXPECT_EQ(F().IDB_EXPORT_BKS->text(), QStringLiteral("Buchungen exportieren"));
    const QStringList tueren{QStringLiteral("alle Türen"), QStringLiteral("Tür 1"), QStringLiteral("Tür 2"),
                             QStringLiteral("Tür 3 (MK)")};
    ASSERT_EQ(F().IDCB_SELECT_DOOR->count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(F().IDCB_SELECT_DOOR->itemText(i), tueren[i]);
    EXPECT_TRUE(Zeilen().empty());
  });
  EXPECT_EQ(skript.Verlauf().back(), QStringLiteral("Modal IDD_BUCHUNGEN Buchungen ansehen"));
}

// ---- delete and OK ----

std::vector<books> LiesBuchungsdatei(const std::string& pfad) {
  const std::string inhalt = LiesDatei(pfad);
  std::vector<books> buchungen(inhalt.size() / books::Groesse);
  for (std::size_t i = 0; i < buchungen.size(); ++i) {
    LiesBytes(std::span<const std::uint8_t, books::Groesse>(
                  reinterpret_cast<const std::uint8_t*>(inhalt.data()) + i * books::Groesse, books::Groesse),
              buchungen[i]);
  }
  return buchungen;
}

TEST_F(BuchungenFenster, LoeschenNimmtNurDieGezeigtenUndOkSchreibtDenRest) {
  Buchungen({{"Anna", "1", 0x01}, {"Bert", "2", 0x02}, {"Cleo", "3", 0x09}, {"Dora", "4", 0x00}, {"Emil", "5", 0x05}});
  S().BuchungenGespeichert = true;
  Skript skript;
  Oeffne(skript, [&] {
    WaehleTuer(1);
    F().IDB_DELETE->click();
    EXPECT_TRUE(Zeilen().empty());
    EXPECT_EQ(Namen(), "Bert Dora Emil ");
    EXPECT_FALSE(S().BuchungenGespeichert);
    F().IDB_OK->click();
    EXPECT_EQ(F().result(), fenster::mrOk);
  });
  const std::vector<books> datei = LiesBuchungsdatei(S().BuchungsDateiname);
  ASSERT_EQ(datei.size(), 3U);
  EXPECT_EQ(LiesText(datei[0].Name), "Bert");
  EXPECT_EQ(LiesText(datei[1].Name), "Dora");
  EXPECT_EQ(LiesText(datei[2].Name), "Emil");
  EXPECT_EQ(datei[2].Ereignis1, 0x05);
  EXPECT_TRUE(S().BuchungenGespeichert);
}

TEST_F(BuchungenFenster, LoeschenOhneGezeigteTutNichts) {
  Buchungen({{"Anna", "1", 0x01}, {"Dora", "4", 0x00}});
  S().BuchungenGespeichert = true;
  Skript skript;
  Oeffne(skript, [&] {
    WaehleTuer(3);
    F().IDB_DELETE->click();
    EXPECT_EQ(Namen(), "Anna Dora ");
    EXPECT_TRUE(S().BuchungenGespeichert);
    WaehleTuer(0);
    F().IDB_DELETE->click();
    EXPECT_EQ(Namen(), "");
    EXPECT_FALSE(S().BuchungenGespeichert);
  });
}

TEST_F(BuchungenFenster, OkMitGespeichertenBuchungenSchreibtNichts) {
  Buchungen({{"Anna", "1", 0x01}});
  S().BuchungenGespeichert = true;
  Skript skript;
  Oeffne(skript, [&] { F().IDB_OK->click(); });
  EXPECT_EQ(LiesDatei(S().BuchungsDateiname), "");
}

TEST_F(BuchungenFenster, OkDessenSpeichernScheitertZeigtDenFehlerUndBleibtOffen) {
  Buchungen({{"Anna", "1", 0x01}, {"Bert", "2", 0x02}});
  S().BuchungenGespeichert = false;
  Skript skript;
  Oeffne(
      skript,
      [&] {
        {
          const DateiGroessenGrenze grenze(books::Groesse);
          F().IDB_OK->click();
        }
        EXPECT_TRUE(F().isVisible());
        EXPECT_NE(F().result(), fenster::mrOk);
        EXPECT_FALSE(S().BuchungenGespeichert);
        EXPECT_EQ(Zeilen().size(), 2U);
      },
      [&] { skript.Box(QStringLiteral("Konnte Buchungen nicht schreiben."), QStringLiteral("Fehler"), 16, 1); });
  EXPECT_EQ(LiesDatei(S().BuchungsDateiname), "");
}

// Another instance added a booking to the bookings file while the window was open: OK reads
// the file again and rebuilds the list. When the write then fails, the window stays open and
// shows the list as it now is: the file's bookings, then the one fetched since.
TEST_F(BuchungenFenster, OkDasDieGeaenderteDateiNeuLiestZeigtDieNeueListe) {
  Buchungen({{"Anna", "1", 0x01}, {"Bert", "2", 0x02}});
  S().SaveBuchungen();
  Buchungen({{"Cleo", "3", 0x01}});
  S().BuchungenGespeichert = false;
  books dora;
  SchreibeText(dora.Name, "Dora");
  SchreibeText(dora.Karte, "4");
  std::array<std::uint8_t, books::Groesse> satz{};
  SchreibeBytes(dora, std::span<std::uint8_t, books::Groesse>(satz));
  const std::string datei = LiesDatei(S().BuchungsDateiname) + std::string(satz.begin(), satz.end());
  Skript skript;
  Oeffne(
      skript,
      [&] {
        SchreibeDatei(S().BuchungsDateiname, datei);
        {
          const DateiGroessenGrenze grenze(books::Groesse);
          F().IDB_OK->click();
        }
        EXPECT_TRUE(F().isVisible());
        EXPECT_FALSE(S().BuchungenGespeichert);
        EXPECT_EQ(Namen(), "Anna Bert Dora Cleo ");
        const std::vector<QString> zeilen = Zeilen();
        ASSERT_EQ(zeilen.size(), 4U);
        EXPECT_TRUE(zeilen[2].contains(QStringLiteral("\tDora\t")));
        EXPECT_TRUE(zeilen[3].contains(QStringLiteral("\tCleo\t")));
      },
      [&] {
        skript.Box(
            QStringLiteral("Die Buchungsdatei\n") + QString::fromStdString(S().BuchungsDateiname) +
                QStringLiteral("\nwurde inzwischen geändert.\n"
                               "Die Buchungen dieser Datei werden zusammen mit den neu abgerufenen gespeichert."),
            kHinweis, 64, 1);
        skript.Box(QStringLiteral("Konnte Buchungen nicht schreiben."), QStringLiteral("Fehler"), 16, 1);
      });
  EXPECT_EQ(LiesDatei(S().BuchungsDateiname), datei);
}

TEST_F(BuchungenFenster, SchliessenOhneOkSchreibtNichts) {
  Buchungen({{"Anna", "1", 0x01}});
  S().BuchungenGespeichert = false;
  Skript skript;
  Oeffne(skript, [&] { QTest::keyClick(&F(), Qt::Key_Escape); });
  EXPECT_EQ(F().result(), fenster::mrCancel);
  EXPECT_EQ(LiesDatei(S().BuchungsDateiname), "");
  EXPECT_EQ(F().IDLB_SHOWBOOK->model()->rowCount(), 0);  // the list lets go of the bookings
}

// ---- export ----

class BuchungsExportTest : public BuchungenFenster {
 protected:
  void SetUp() override {
    BuchungenFenster::SetUp();
    S().Dateiname = ordner / "Anlage.v2.wuz";
    S().BuchungsDateiname = ordner / "Anlage.v2.bks";
    S().BuchungenGeladen = true;
    S().BuchungenGespeichert = true;
    Buchungen({{"J\xF6rg M\xFCller", "ABCDEFGH", 0x09, 0x02},
               {"Gast", "X1", 0x00, 0x00, 5, 23},
               {"", "77F", 0x5C, 0x00, 31, 0}});
  }
  std::string Ziel() { return ordner / "export.txt"; }
  QString Vorschlag() { return QString::fromStdString(ordner / "Anlage.v2"); }
};

constexpr const char* kExport =
    "Buchungsdatei vom 10.12.2026 09:05\r\n"
    "22.03.2000, 07:05:09\tABCDEFGH\tJörg Müller\tTür 1\r\n"
    "05.03.2000, 23:05:09\tX1\tGast\t \r\n"
    "31.03.2000, 00:05:09\t77F\t\tTür 3 (MK)\r\n";

TEST_F(BuchungsExportTest, SchreibtDieGanzeListeUndFragtNachDemLoeschen) {
  Skript skript;
  Oeffne(
      skript,
      [&] {
        WaehleTuer(2);  // the filter does not apply to the export
        F().IDB_EXPORT_BKS->click();
        EXPECT_EQ(LiesDatei(Ziel()), kExport);
        EXPECT_EQ(S().Buchungen.Anzahl, 3);
        EXPECT_TRUE(S().BuchungenGespeichert);

        F().IDB_EXPORT_BKS->click();
        EXPECT_EQ(LiesDatei(Ziel()), kExport);
        EXPECT_EQ(S().Buchungen.Anzahl, 0);
        EXPECT_TRUE(Zeilen().empty());
        EXPECT_FALSE(S().BuchungenGespeichert);
      },
      [&] {
        skript.Datei(true, QString::fromStdString(Ziel()));
        skript.Box(kLoeschenFrage, kHinweis, 36, 7);
        skript.Datei(true, QString::fromStdString(Ziel()));
        skript.Box(QStringLiteral("Datei überschreiben?"), kHinweis, 36, 6);
        skript.Box(kLoeschenFrage, kHinweis, 36, 6);
      });
  const QString dialog = QStringLiteral("Speichern Textdateien|*.txt txt: ") + Vorschlag();
  EXPECT_EQ(skript.Verlauf()[1], dialog);
  EXPECT_EQ(skript.Verlauf()[3], dialog);
}

TEST_F(BuchungsExportTest, NeinZumUeberschreibenZeigtDenDialogWiederUndAbbrechenEndet) {
  SchreibeDatei(Ziel(), "alt\n");
  Skript skript;
  Oeffne(
      skript, [&] { F().IDB_EXPORT_BKS->click(); },
      [&] {
        skript.Datei(true, QString::fromStdString(Ziel()));
        skript.Box(QStringLiteral("Datei überschreiben?"), kHinweis, 36, 7);
        skript.Datei(true, std::nullopt);
      });
  EXPECT_EQ(LiesDatei(Ziel()), "alt\n");
}

TEST_F(BuchungsExportTest, NichtInDieEigenenDateienDesDokuments) {
  SchreibeDatei(S().BuchungsDateiname, "");
  Skript skript;
  Oeffne(
      skript, [&] { F().IDB_EXPORT_BKS->click(); },
      [&] {
        for (const std::string& eigene : {S().BuchungsDateiname, S().Dateiname}) {
          skript.Datei(true, QString::fromStdString(eigene));
          skript.Box(kHinweis, 48, 1);
        }
        skript.Datei(true, std::nullopt);
      });
  EXPECT_EQ(LiesDatei(S().BuchungsDateiname), "");
  EXPECT_FALSE(Existiert(S().Dateiname));
}

TEST_F(BuchungsExportTest, OhneBuchungenKeinDialog) {
  S().Buchungen.Clear();
  Skript skript;
  Oeffne(skript, [&] { F().IDB_EXPORT_BKS->click(); });
  EXPECT_EQ(skript.Verlauf().size(), 1U);  // the window alone
}

TEST_F(BuchungsExportTest, EinVollesDateisystemLaesstDasZielUndFragtNichts) {
  SchreibeDatei(Ziel(), "alt\n");
  Skript skript;
  Oeffne(
      skript,
      [&] {
        const DateiGroessenGrenze grenze(60);  // the header and part of the first line
        F().IDB_EXPORT_BKS->click();
      },
      [&] {
        skript.Datei(true, QString::fromStdString(Ziel()));
        skript.Box(QStringLiteral("Datei überschreiben?"), kHinweis, 36, 6);
        skript.Box(QStringLiteral("Fehler beim Schreiben in Datei!"), QStringLiteral("Fehler"), 0, 1);
      });
  EXPECT_EQ(LiesDatei(Ziel()), "alt\n");
  EXPECT_EQ(S().Buchungen.Anzahl, 3);
  EXPECT_EQ(Inhalt(ordner.Pfad()), (std::vector<std::string>{"export.txt", "temp.bks"}));
}

TEST_F(BuchungsExportTest, EinOrdnerDerFehltGibtDieselbeMeldung) {
  Skript skript;
  Oeffne(
      skript, [&] { F().IDB_EXPORT_BKS->click(); },
      [&] {
        skript.Datei(true, QString::fromStdString(ordner / "fehlt/export.txt"));
        skript.Box(QStringLiteral("Fehler beim Schreiben in Datei!"), QStringLiteral("Fehler"), 0, 1);
      });
  EXPECT_EQ(S().Buchungen.Anzahl, 3);
}

struct Vorschlagfall {
  const char* Fall;
  const char* Dokument;
  const char* Vorschlag;
};

void PrintTo(const Vorschlagfall& f, std::ostream* os) { *os << f.Fall; }

class ExportVorschlag : public BuchungenFenster, public testing::WithParamInterface<Vorschlagfall> {};

TEST_P(ExportVorschlag, DieEndungDesDateinamensFaellt) {
  Buchungen({{"Anna", "1", 0x01}});
  S().Dateiname = GetParam().Dokument;
  Skript skript;
  Oeffne(
      skript, [&] { F().IDB_EXPORT_BKS->click(); }, [&] { skript.Datei(true, std::nullopt); });
  EXPECT_EQ(skript.Verlauf()[1],
            QStringLiteral("Speichern Textdateien|*.txt txt: ") + QString::fromUtf8(GetParam().Vorschlag));
}

INSTANTIATE_TEST_SUITE_P(
    Buchungen, ExportVorschlag,
    testing::Values(Vorschlagfall{"Endung", "/home/a/Anlage.wuz", "/home/a/Anlage"},
                    Vorschlagfall{"ZweiPunkte", "/home/a/doc.v2.wuz", "/home/a/doc.v2"},
                    Vorschlagfall{"PunktImOrdner", "/home/a/.config/Veltrin_Access_Rizoroda/temp",
                                  "/home/a/.config/Veltrin_Access_Rizoroda/temp"},
                    Vorschlagfall{"VersteckteDatei", "/home/a/.wuz", "/home/a/.wuz"},
                    Vorschlagfall{"Umlaut", "/home/Jörg/Gebäude Süd.wuz", "/home/Jörg/Gebäude Süd"}),
    [](const testing::TestParamInfo<Vorschlagfall>& info) { return std::string(info.param.Fall); });

// ---- help and picture ----

TEST_F(BuchungenFenster, F1ZeigtDieHilfeDesFensters) {
  Skript skript;
  Oeffne(
      skript, [&] { QTest::keyClick(&F(), Qt::Key_F1); },
      [&] {
        skript.Box(QStringLiteral("Hilfe"), 64, [](const QString& text) {
          EXPECT_TRUE(text.startsWith(QStringLiteral("Buchungen ansehen"))) << text.toStdString();
          return 1;
        });
      });
}

// A line that a long card pushes past the list's edge can be scrolled to; lines that fit
// bring no scroll bar.
TEST_F(BuchungenFenster, EineLangeKarteLaesstSichErreichen) {
  Buchungen({{"Mitarbeiterin Gr\xFC\xDF", "0A700037", 0x1E}});
  Skript skript;
  Oeffne(skript, [&] {
    QScrollBar& leiste = *F().IDLB_SHOWBOOK->horizontalScrollBar();
    QApplication::processEvents();
    EXPECT_EQ(leiste.maximum(), 0);
    Buchungen({{"Gast", "ABCDEFGHIJKLMNOPQRSTUVWX", 0x1E}});
    F().ZeigeBuchungen();
    QApplication::processEvents();
    EXPECT_GT(leiste.maximum(), 0);
    leiste.setValue(leiste.maximum());
    // The end of the longest line, "Tür 3 (MK)", is in view then.
    const QRect rand = F().IDLB_SHOWBOOK->visualRect(F().IDLB_SHOWBOOK->model()->index(1, 0));
    EXPECT_LE(rand.right(), F().IDLB_SHOWBOOK->viewport()->width() + 1);
  });
}

// A name of capitals wider than its column pushes the reader and door to the next stop: that
// line too can be scrolled to its end, though its card and name are not the longest.
TEST_F(BuchungenFenster, EinBreiterNameLaesstSichErreichen) {
  Buchungen({{"Mitarbeiterin M\xFCller", "0A700037", 0x1E}, {"WOLFGANG WAGNERMANN", "0A700038", 0x1E}});
  Skript skript;
  Oeffne(skript, [&] {
    QListView& liste = *F().IDLB_SHOWBOOK;
    QScrollBar& leiste = *liste.horizontalScrollBar();
    QApplication::processEvents();
    ASSERT_GT(leiste.maximum(), 0);
    leiste.setValue(leiste.maximum());
    QApplication::processEvents();
    // At the end, the last column of the view shows no ink of the line: "Tür 3 (MK)" is whole.
    const QImage bild = liste.viewport()->grab().toImage();
    const QRect zeile = liste.visualRect(liste.model()->index(1, 0));
    const QColor grund = bild.pixelColor(bild.width() - 1, zeile.top());
    for (int y = zeile.top(); y <= zeile.bottom(); ++y) {
      EXPECT_EQ(bild.pixelColor(bild.width() - 1, y), grund) << y;
    }
  });
}

TEST_F(BuchungenFenster, BildMitEinigenBuchungen) {
  Buchungen({{"J\xF6rg M\xFCller", "0A700037", 0x09, 0x02},
             {"Mitarbeiterin Gr\xFC\xDF", "ABCDEFGHIJKLMNOPQRSTUVWX", 0x1E, 0x00, 22, 8},
             {"", "123456F", 0x42, 0x00, 23, 9},
             {"Gast", "X1", 0x04, 0x04, 24, 17},
             {"Hausmeister", "0A700111", 0x80, 0x00, 25, 18},
             {"Pf\xF6rtner", "0A700222", 0x0C, 0x01, 26, 19}});
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const QString pfad =
      QString::fromStdString((ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad()) + "buchungen.png");
  Skript skript;
  Oeffne(skript, [&] {
    ASSERT_TRUE(SpeichereBild(F(), pfad));
    // Every caption fits its control in the program's font.
    for (QAbstractButton* knopf : F().findChildren<QAbstractButton*>()) {
      EXPECT_LE(knopf->sizeHint().width(), knopf->width()) << knopf->objectName().toStdString();
    }
  });
  const QImage bild(pfad);
  EXPECT_EQ(bild.size(), QSize(596, 411));
}

// A row is as high as the text with the dots of its capital umlauts: a row as high as the font
// alone cuts them off.
TEST_F(BuchungenFenster, EineZeileZeigtDiePunkteGrosserUmlauteGanz) {
  Buchungen({{"\xC4\xD6\xDC", "0A700037", 0x1E}});
  Skript skript;
  Oeffne(skript, [&] {
    QListView& liste = *F().IDLB_SHOWBOOK;
    QApplication::processEvents();
    const QFontMetrics metrik(liste.font());
    EXPECT_GE(liste.visualRect(liste.model()->index(0, 0)).height(),
              -metrik.boundingRect(QStringLiteral("ÄÖÜ")).top() + metrik.descent() + 2);
  });
}

}  // namespace
