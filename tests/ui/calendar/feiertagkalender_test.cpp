// The holiday calendar and the holiday generator windows: generating through the window, the
// grid as pixels, the popup menu of day kinds and what each kind does to the table, the limit
// of two switch days, a full table, clearing, the switch pairs on every way of closing, the
// year control, the opener in the main window, and both windows rendered.
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Feiertagsgenerator.h"
#include "model/ListenZugriff.h"

#include "calendar/FeiertageDlg.h"
#include "calendar/FeiertagkalDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

const QString kHinweis = QStringLiteral("Hinweis");
const QString kLoeschen = QString::fromUtf8(
    "Achtung, es werden alle Feiertage, Sondertage                       \nund Sommer/Winter- Umschalttage gelöscht!"
    "                       \n            Fortsetzen?");

const QColor kWeiss(0xFF, 0xFF, 0xFF), kRot(0xFF, 0x00, 0x00), kLimette(0x00, 0xFF, 0x00), kGelb(0xFF, 0xFF, 0x00),
    kBlau(0x00, 0x00, 0xFF), kBlaugruen(0x00, 0x80, 0x80), kSchwarz(0x00, 0x00, 0x00), kGrau(0x80, 0x80, 0x80);

// The table of 2025 with the generator's default boxes.
const std::vector<Feiertagseintrag> kStandard2025 = {0x4001, 0xC059, 0x406C, 0x406F, 0x4079, 0x4095, 0x40A0,
                                                     0x4114, 0xC12B, 0x8166, 0x4167, 0x4168, 0x816D};

std::vector<Feiertagseintrag> Eintraege(const Feiertagstabelle& t) {
  return std::vector<Feiertagseintrag>(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(EndeMarkeIndex(t)));
}

void Setze(Feiertagstabelle& t, const std::vector<Feiertagseintrag>& eintraege) {
  LeereFeiertagstabelle(t);
  for (std::size_t i = 0; i < eintraege.size(); ++i) t[i] = eintraege[i];
  t[eintraege.size()] = FT_ENDE;
}

class KalenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programm = std::make_unique<Programm>(ordner.Pfad(), 2025);
    S().DatenGespeichert = true;
  }
  void TearDown() override {
    IDD_FEIERTAG->hide();
    programm.reset();
  }

  TSteuerung& S() { return programm->S(); }
  TIDD_FEIERTAG& K() { return *IDD_FEIERTAG; }

  // Opens the calendar on `jahr` as the main window does, shown so that it takes clicks.
  void Oeffne(int jahr = 2025) {
    K().Init(jahr, &S());
    K().show();
  }
  // The point of a day's cell that digits never cover.
  QPoint Probe(int monat, int tag) {
    const int j = K().Kalenderjahr()->Wochentag(monat, 1) + tag - 1;
    return {13 * j + 77, 16 * (monat - 1) + 26};
  }
  QColor Farbe(int monat, int tag) { return K().IDI_FREEDAYS->pixmap().toImage().pixelColor(Probe(monat, tag)); }
  void Klick(int monat, int tag, Qt::MouseButton knopf = Qt::LeftButton) {
    QTest::mouseClick(K().IDI_FREEDAYS, knopf, {}, Probe(monat, tag));
  }
  // A right click on the day, choosing `eintrag` from the popup menu (nothing when empty).
  void Waehle(int monat, int tag, std::optional<QString> eintrag) {
    Skript skript;
    skript.Menue(std::move(eintrag));
    Klick(monat, tag, Qt::RightButton);
  }
  // The generator run through its window for `von` to `bis` with the default boxes.
  void Generiere(int von, int bis) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_BUILD_FD"), [von, bis](QDialog&) {
      IDD_BUILD_FD->IDE_FROMYEAR->setValue(von);
      IDD_BUILD_FD->IDE_TOYEAR->setValue(bis);
      IDD_BUILD_FD->Button1->click();
      IDD_BUILD_FD->Button2->click();
      return IDD_BUILD_FD->result();
    });
    skript.Box(kLoeschen, kHinweis, 36, 6);
    skript.Box(QStringLiteral("Feiertagstabelle erstellt."), QStringLiteral("Info"), 0, 1);
    K().IDB_SETTABLE->click();
  }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};

TEST_F(KalenderTest, GeneratorWindowFillsTheTableAndTheGridShowsItsKinds) {
  Oeffne();
  HaengeAn(S().SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>());
  Skript skript;
  skript.Modal(QStringLiteral("IDD_BUILD_FD"), [](QDialog& fenster) {
    EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Feiertage generieren"));
    TIDD_BUILD_FD& g = *IDD_BUILD_FD;
    EXPECT_EQ(g.IDE_FROMYEAR->minimum(), 2025);
    EXPECT_EQ(g.IDE_FROMYEAR->maximum(), 2043);
    EXPECT_EQ(g.IDE_FROMYEAR->value(), 2025);
    EXPECT_EQ(g.IDE_TOYEAR->minimum(), 2025);
    EXPECT_EQ(g.IDE_TOYEAR->maximum(), 2043);
    EXPECT_EQ(g.IDE_TOYEAR->value(), 2026);
    const Feiertagsauswahl a = g.Auswahl();
    EXPECT_TRUE(a.OsternPfingsten && a.ChristiHimmelfahrt && a.Maifeiertag && a.DeutscheEinheit && a.Weihnachten &&
                a.SilvesterNeujahr && a.SommerWinter);
    EXPECT_FALSE(a.HeiligeDreiKoenige || a.Fronleichnam || a.MariaeHimmelfahrt || a.Reformationstag ||
                 a.Allerheiligen || a.BussUndBettag);
    g.IDE_TOYEAR->setValue(2025);
    g.Button1->click();
    EXPECT_FALSE(IDD_MAIN->Dokument()->DatenGespeichert);
    EXPECT_EQ(IDD_MAIN->Dokument()->SWUmschaltungen.Anzahl, 0);
    g.Button2->click();
    return g.result();
  });
  skript.Box(kLoeschen, kHinweis, 36, 6);
  skript.Box(QStringLiteral("Feiertagstabelle erstellt."), QStringLiteral("Info"), 0, 1);
  K().IDB_SETTABLE->click();
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), kStandard2025);

  EXPECT_EQ(Farbe(1, 1), kLimette);
  EXPECT_EQ(Farbe(3, 30), kBlau);
  EXPECT_EQ(Farbe(12, 24), kGelb);
  EXPECT_EQ(Farbe(1, 5), kRot);    // a Sunday
  EXPECT_EQ(Farbe(1, 7), kWeiss);  // a Tuesday
  Klick(3, 30);
  EXPECT_EQ(Farbe(3, 30), kBlaugruen);  // highlighted switch day
  Klick(1, 7);
  EXPECT_EQ(Farbe(1, 7), kSchwarz);
  EXPECT_EQ(Farbe(3, 30), kBlau);
  // The year generated again is drawn whole, no day highlighted.
  Generiere(2025, 2025);
  EXPECT_EQ(Farbe(1, 7), kWeiss);
}

TEST_F(KalenderTest, TheGeneratorRefusesFromAfterToAndNoChangesNothing) {
  Setze(S().Feiertagstabelle, {0x4005});
  HaengeAn(S().SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>());
  Oeffne();
  Skript skript;
  skript.Modal(QStringLiteral("IDD_BUILD_FD"), [](QDialog&) {
    IDD_BUILD_FD->IDE_FROMYEAR->setValue(2030);
    IDD_BUILD_FD->IDE_TOYEAR->setValue(2029);
    IDD_BUILD_FD->Button1->click();  // refused before the question
    IDD_BUILD_FD->IDE_TOYEAR->setValue(2031);
    IDD_BUILD_FD->Button1->click();  // "No" to the question
    IDD_BUILD_FD->Button2->click();
    return IDD_BUILD_FD->result();
  });
  skript.Box(QStringLiteral("Das Jahr bei \"von Jahr:\" liegt nach dem bei \"bis Jahr:\"."), kHinweis, 48, 1);
  skript.Box(kLoeschen, kHinweis, 36, 7);
  K().IDB_SETTABLE->click();
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), (std::vector<Feiertagseintrag>{0x4005}));
  EXPECT_EQ(S().SWUmschaltungen.Anzahl, 1);
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(KalenderTest, ThePopupChecksTheKindOfTheDay) {
  Setze(S().Feiertagstabelle, kStandard2025);
  S().Feiertagstabelle[13] = 0xA065;  // 11 April 2025: special day 2
  S().Feiertagstabelle[14] = FT_ENDE;
  S().Geraetedaten.Flags |= GD_SONDERTAG2;
  S().NameSondertag2 = "Betriebsausflug";
  Oeffne();
  EXPECT_FALSE(K().SPEC1->isVisible());
  EXPECT_TRUE(K().SPEC2->isVisible());
  EXPECT_EQ(K().SPEC2->text(), QStringLiteral("Betriebsausflug"));
  struct Fall {
    int monat, tag;
    const char* eintrag;
  };
  for (const Fall& f : {Fall{1, 1, "IDM_FDAY"}, Fall{1, 7, "IDM_NDAY"}, Fall{12, 24, "IDM_HDAY"},
                        Fall{10, 26, "SWITCH"}, Fall{4, 11, "SPEC2"}}) {
    Skript skript;
    skript.Menue(std::nullopt);
    Klick(f.monat, f.tag, Qt::RightButton);
    ASSERT_EQ(skript.Verlauf().size(), 1U);
    EXPECT_EQ(skript.Verlauf()[0], QStringLiteral("Menü PopupMenu1: ") + QString::fromLatin1(f.eintrag));
    EXPECT_EQ(K().Auswahl(), (kalenderbild::Kalendertag{f.monat, f.tag}));
  }
  // A double click shows it too; a click beside the days nothing.
  {
    Skript skript;
    skript.Menue(std::nullopt);
    QTest::mouseDClick(K().IDI_FREEDAYS, Qt::LeftButton, {}, Probe(1, 1));
  }
  Skript skript;
  QTest::mouseClick(K().IDI_FREEDAYS, Qt::RightButton, {}, QPoint(83, 25));
  QTest::mouseClick(K().IDI_FREEDAYS, Qt::RightButton, {}, QPoint(564, 65));
  EXPECT_TRUE(skript.Verlauf().empty());
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(KalenderTest, KindsChangeTheTable) {
  Setze(S().Feiertagstabelle, {0x4001, 0x4079, 0x4079, 0x816D});  // 1 May 2025 twice
  Oeffne();
  Waehle(1, 7, QStringLiteral("IDM_FDAY"));
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), (std::vector<Feiertagseintrag>{0x4001, 0x4007, 0x4079, 0x4079, 0x816D}));
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(Farbe(1, 7), kLimette);
  S().DatenGespeichert = true;
  Waehle(1, 7, QStringLiteral("IDM_HDAY"));
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), (std::vector<Feiertagseintrag>{0x4001, 0x8007, 0x4079, 0x4079, 0x816D}));
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(Farbe(1, 7), kGelb);
  S().DatenGespeichert = true;
  Waehle(5, 1, QStringLiteral("IDM_NDAY"));
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), (std::vector<Feiertagseintrag>{0x4001, 0x8007, 0x816D}));
  EXPECT_FALSE(S().DatenGespeichert);
  EXPECT_EQ(Farbe(5, 1), kWeiss);
  // "normaler Tag" on a day without entry changes nothing.
  S().DatenGespeichert = true;
  Waehle(1, 8, QStringLiteral("IDM_NDAY"));
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), (std::vector<Feiertagseintrag>{0x4001, 0x8007, 0x816D}));
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(KalenderTest, AThirdSwitchDayIsRefusedTheSelectedDayNotCounted) {
  Setze(S().Feiertagstabelle, kStandard2025);
  Oeffne();
  Waehle(1, 7, QStringLiteral("SWITCH"));
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), kStandard2025);
  EXPECT_EQ(Farbe(1, 7), kSchwarz);  // still only selected
  EXPECT_TRUE(S().DatenGespeichert);
  // A switch day chosen again for a switch day is one of the two.
  Waehle(3, 30, QStringLiteral("SWITCH"));
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), kStandard2025);
  // Made a holiday, it frees its place for another day.
  Waehle(3, 30, QStringLiteral("IDM_FDAY"));
  Waehle(3, 29, QStringLiteral("SWITCH"));
  EXPECT_EQ(Tagnummer(S().Feiertagstabelle[1]), 0x58);
  EXPECT_EQ(S().Feiertagstabelle[1], 0xC058);
  EXPECT_EQ(S().Feiertagstabelle[2], 0x4059);
  EXPECT_EQ(Farbe(3, 29), kBlau);
}

// Marker in the table's last place: no day gets a new entry, and the grid does not pretend so.
TEST_F(KalenderTest, AnEntryIntoAFullTableIsRefusedWithABox) {
  for (std::size_t i = 0; i + 1 < FEIERTAGE_MAX; ++i)
    S().Feiertagstabelle[i] = static_cast<Feiertagseintrag>(0x4000 | (366 + i));
  S().Feiertagstabelle[FEIERTAGE_MAX - 1] = FT_ENDE;
  const Feiertagstabelle vorher = S().Feiertagstabelle;
  Oeffne();
  Skript skript;
  skript.Menue(QStringLiteral("IDM_FDAY"));
  skript.Box(QStringLiteral("Die Feiertagstabelle ist voll."), kHinweis, 48, 1);
  Klick(1, 7, Qt::RightButton);
  EXPECT_EQ(S().Feiertagstabelle, vorher);
  EXPECT_EQ(Farbe(1, 7), kWeiss);
  EXPECT_TRUE(S().DatenGespeichert);
}

TEST_F(KalenderTest, ClearAsksFirst) {
  Setze(S().Feiertagstabelle, kStandard2025);
  HaengeAn(S().SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>());
  Oeffne();
  Klick(1, 1);
  {
    Skript skript;
    skript.Box(kLoeschen, kHinweis, 36, 7);
    K().IDB_CLEAR->click();
  }
  EXPECT_EQ(Eintraege(S().Feiertagstabelle), kStandard2025);
  EXPECT_EQ(S().SWUmschaltungen.Anzahl, 1);
  EXPECT_TRUE(S().DatenGespeichert);
  EXPECT_EQ(Farbe(1, 1), QColor(0xFF, 0x00, 0xFF));  // still highlighted
  {
    Skript skript;
    skript.Box(kLoeschen, kHinweis, 36, 6);
    K().IDB_CLEAR->click();
  }
  Feiertagstabelle leer;
  LeereFeiertagstabelle(leer);
  EXPECT_EQ(S().Feiertagstabelle, leer);
  EXPECT_EQ(S().SWUmschaltungen.Anzahl, 0);
  EXPECT_FALSE(S().DatenGespeichert);
  // The emptied year is drawn whole, no day highlighted.
  EXPECT_EQ(Farbe(1, 1), kWeiss);
  EXPECT_EQ(Farbe(3, 30), kRot);  // a Sunday again
  K().BitBtn1->click();
  EXPECT_EQ(S().SWUmschaltungen.Anzahl, 0);
}

// Every way of closing builds the pairs: OK, Escape and a close of the window.
TEST_F(KalenderTest, ClosingBuildsOnePairPerYearWithTwoSwitchDays) {
  Oeffne();
  Generiere(2025, 2027);
  Oeffne(2026);
  Waehle(3, 29, QStringLiteral("IDM_NDAY"));  // 2026 keeps one switch day
  for (const auto schliesse :
       {+[](TIDD_FEIERTAG& k) { k.BitBtn1->click(); }, +[](TIDD_FEIERTAG& k) { QTest::keyClick(&k, Qt::Key_Escape); },
        +[](TIDD_FEIERTAG& k) { k.close(); }}) {
    S().SWUmschaltungen.Clear();
    Oeffne();
    schliesse(K());
    EXPECT_FALSE(K().isVisible());
    ASSERT_EQ(S().SWUmschaltungen.Anzahl, 2);
    const SWUMSCHALTUNG& a = *S().SWUmschaltungen.Kopf->Daten;
    const SWUMSCHALTUNG& b = *S().SWUmschaltungen.Kopf->Next->Daten;
    EXPECT_EQ((std::vector<int>{a.Tag1, a.Monat1, a.Jahr1, a.Tag2, a.Monat2, a.Jahr2, a.Kennung}),
              (std::vector<int>{30, 3, 2025, 26, 10, 2025, 1}));
    EXPECT_EQ((std::vector<int>{b.Tag1, b.Monat1, b.Jahr1, b.Tag2, b.Monat2, b.Jahr2, b.Kennung}),
              (std::vector<int>{28, 3, 2027, 31, 10, 2027, 1}));
  }
}

TEST_F(KalenderTest, TheYearControlAndTheLeapDay) {
  Oeffne(2030);
  EXPECT_EQ(K().IDE_KAL_YEAR->minimum(), 2025);
  EXPECT_EQ(K().IDE_KAL_YEAR->maximum(), 2043);
  EXPECT_EQ(K().Kalenderjahr()->Jahr, 2030);
  Oeffne(2050);  // outside: the control's nearest year
  EXPECT_EQ(K().Kalenderjahr()->Jahr, 2043);
  Setze(S().Feiertagstabelle, {0x4001, static_cast<Feiertagseintrag>(0x4000 | (365 * 3 + 1 + 59))});  // 29 Feb 2028
  Oeffne(2027);
  K().IDE_KAL_YEAR->setFocus();
  QTest::keyClick(K().IDE_KAL_YEAR, Qt::Key_Up);
  ASSERT_EQ(K().Kalenderjahr()->Jahr, 2028);
  EXPECT_EQ(Farbe(2, 29), kLimette);
  Waehle(2, 29, QStringLiteral("IDM_HDAY"));
  EXPECT_EQ(S().Feiertagstabelle[1], 0x8000 | (365 * 3 + 1 + 59));
  Klick(2, 29);
  EXPECT_EQ(K().Auswahl(), (kalenderbild::Kalendertag{2, 29}));
  K().BitBtn1->click();
  // The next opening starts without a highlighted day: 29 February 2025 does not exist.
  Oeffne(2025);
  EXPECT_EQ(K().Auswahl(), std::nullopt);
  const QImage bild = K().IDI_FREEDAYS->pixmap().toImage();
  const int j = K().Kalenderjahr()->Wochentag(2, 1) + 28;
  EXPECT_EQ(bild.pixelColor(13 * j + 77, 16 + 26), kWeiss);
}

TEST_F(KalenderTest, TheMainWindowOpensTheCalendarFromTheExpertButton) {
  Setze(S().Feiertagstabelle, kStandard2025);
  IDD_MAIN->IDB_SETTINGS->click();
  ASSERT_TRUE(IDD_MAIN->IDB_KAL->isEnabled());
  Skript skript;
  skript.Modal(QStringLiteral("IDD_FEIERTAG"), [this](QDialog& fenster) {
    EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Feiertagskalender"));
    EXPECT_EQ(K().Kalenderjahr()->Jahr, 2025);
    EXPECT_EQ(Farbe(3, 30), kBlau);
    K().BitBtn1->click();
    return K().result();
  });
  IDD_MAIN->IDB_KAL->click();
  EXPECT_EQ(S().SWUmschaltungen.Anzahl, 1);
  IDD_MAIN->IDB_SETTINGS->click();
  EXPECT_FALSE(IDD_MAIN->IDB_KAL->isEnabled());
}

// Both windows offscreen, to be looked at: into $YBR_UI_BILDER when set.
TEST_F(KalenderTest, BothWindowsRendered) {
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const std::string ablage = ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad();
  Setze(S().Feiertagstabelle, kStandard2025);
  S().Geraetedaten.Flags |= GD_SONDERTAG1;
  S().Feiertagstabelle[13] = 0x6065;  // 11 April 2025: special day 1
  S().Feiertagstabelle[14] = FT_ENDE;
  Oeffne();
  K().setWindowTitle(QStringLiteral("Feiertagskalender"));
  Klick(4, 11);
  ASSERT_TRUE(SpeichereBild(K(), QString::fromStdString(ablage + "feiertagskalender.png")));
  IDD_BUILD_FD->setWindowTitle(QStringLiteral("Feiertage generieren"));
  ASSERT_TRUE(SpeichereBild(*IDD_BUILD_FD, QString::fromStdString(ablage + "feiertage_generieren.png")));
  EXPECT_EQ(QImage(QString::fromStdString(ablage + "feiertagskalender.png")).size(), QSize(604, 406));
  EXPECT_EQ(Farbe(4, 11), kGrau);  // highlighted special day
  // Every text has the room it needs in this font.
  for (QWidget* fenster : std::initializer_list<QWidget*>{&K(), IDD_BUILD_FD}) {
    for (const QAbstractButton* knopf : fenster->findChildren<QAbstractButton*>()) {
      EXPECT_LE(knopf->sizeHint().width(), knopf->width()) << knopf->objectName().toStdString();
    }
    for (const QLabel* text : fenster->findChildren<QLabel*>()) {
      if (text == K().IDI_FREEDAYS) continue;
      EXPECT_LE(text->sizeHint().width(), text->width()) << text->objectName().toStdString();
    }
  }
  EXPECT_EQ(Farbe(4, 12), kWeiss);  // a Saturday
}

}  // namespace
