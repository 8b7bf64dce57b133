// The pictures of the windows on a screen scaled by 2, as a desktop at 200 % sets it: each
// window draws its picture at its device pixel ratio, and the calendar still finds the day
// under the pointer in the picture's coordinates. The windows are rendered for looking at.
#include <stdlib.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Kalenderjahr.h"
#include "model/ListenZugriff.h"

#include "calendar/FeiertagkalDlg.h"
#include "graphics/Kalenderbild.h"
#include "graphics/Wochengrafik.h"
#include "main/Formulare.h"
#include "persons/PersonAendernDlg.h"
#include "profiles/TuerdatenDlg.h"
#include "profiles/ZutrittprofileDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

// Set before the program's QApplication is made (in the global test environment), so every
// screen of this program is scaled by 2.
[[maybe_unused]] const int kSkaliert = setenv("QT_SCALE_FACTOR", "2", 1);

class SkalierteBilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programm = std::make_unique<Programm>(ordner.Pfad(), 2025);
    S().DatenGespeichert = true;
    S().BuchungenGespeichert = true;
  }
  void TearDown() override { programm.reset(); }

  TSteuerung& S() { return programm->S(); }

  // Renders `fenster` where the window renderings go, to be looked at.
  void Ablegen(QWidget& fenster, const char* name) {
    if (const char* ziel = std::getenv("YBR_UI_BILDER")) {
      EXPECT_TRUE(SpeichereBild(fenster, QString::fromUtf8(ziel) + u'/' + QString::fromUtf8(name)));
    }
  }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};

// The picture a label shows: twice the pixels of its size in the window, carrying the ratio.
void ZweifachGezeichnet(const QLabel& bild, QSize groesse) {
  SCOPED_TRACE(bild.objectName().toStdString());
  ASSERT_EQ(bild.devicePixelRatioF(), 2.0);
  const QPixmap pixmap = bild.pixmap();
  EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
  EXPECT_EQ(pixmap.size(), groesse * 2);
  EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), groesse);
}

TEST_F(SkalierteBilderTest, TheCalendarFindsTheDayUnderThePointer) {
  TIDD_FEIERTAG& kalender = *IDD_FEIERTAG;
  kalender.Init(2025, &S());
  kalender.show();
  ZweifachGezeichnet(*kalender.IDI_FREEDAYS, QSize(kalenderbild::kBreite, kalenderbild::kHoehe));
  // 28 January 2025, a Tuesday: the click at the point of its cell in the window's
  // coordinates highlights it (black), the highlight drawn at twice the pixels.
  const int spalte = kalender.Kalenderjahr()->Wochentag(1, 1) + 27;
  const QPoint punkt(13 * spalte + 77, 26);
  QTest::mouseClick(kalender.IDI_FREEDAYS, Qt::LeftButton, {}, punkt);
  EXPECT_EQ(kalender.Auswahl(), (kalenderbild::Kalendertag{1, 28}));
  const QImage bild = kalender.IDI_FREEDAYS->pixmap().toImage();
  EXPECT_EQ(bild.pixelColor(punkt * 2), QColor(Qt::black));
  EXPECT_EQ(bild.pixelColor(punkt * 2 + QPoint(13 * 2, 0)), QColor(Qt::white));  // 29 January
  Ablegen(kalender, "feiertagskalender_2x.png");
  kalender.hide();
}

TEST_F(SkalierteBilderTest, TheWeekGraphsOfThePersonProfileAndDoorWindows) {
  S().Geraetedaten.Flags |= GD_TUER2 | GD_TUER3;
  S().Geraetetyp = 1;
  auto person = std::make_unique<PERSON>();
  SchreibeText(person->Name, "J\xFCrgen M\xFCller-Wei\xDF");
  SchreibeText(person->Karte, "04A1B2C3D4E5F6A7B8C9D0E1");
  SchreibeText(person->Profil, LiesText(Element(S().Profile, 2).Name));
  HaengeAn(S().Personen, std::move(person));

  TIDD_CHANGE_PERSON& personfenster = *IDD_CHANGE_PERSON;
  personfenster.Init(&S(), 0);
  personfenster.show();
  ZweifachGezeichnet(*personfenster.IDI_DRAW, grafik::Groesse(grafik::Wochenbild::Person));
  Ablegen(personfenster, "person_aendern_2x.png");
  personfenster.hide();

  TIDD_PROFIL& profile = *IDD_PROFIL;
  profile.Init(&S());
  profile.show();
  ZweifachGezeichnet(*profile.IDI_PROFIL, grafik::Groesse(grafik::Wochenbild::Profil));
  profile.hide();

  TIDD_DOORDATA& tueren = *IDD_DOORDATA;
  tueren.Init(S());
  tueren.show();
  ZweifachGezeichnet(*tueren.IDI_DOORDRAW, grafik::Groesse(grafik::Wochenbild::Tuer));
  tueren.hide();
}

}  // namespace
