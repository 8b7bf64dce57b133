// The two time-line editors: typed times, the bars pulling each other, the day boxes, what OK
// writes into the caller's copy and that Abort and closing leave it.
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <tuple>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "profiles/EditTuerZeitlinieDlg.h"
#include "profiles/EditZeitlinieDlg.h"

#include "Skript.h"
#include "UiTest.h"

namespace {

Zeitlinie Linie(int vonH, int vonM, int bisH, int bisM, std::uint16_t tage = 0, std::uint16_t tueren = 0) {
  Zeitlinie z;
  z.VonStunde = static_cast<std::uint8_t>(vonH);
  z.VonMinute = static_cast<std::uint8_t>(vonM);
  z.BisStunde = static_cast<std::uint8_t>(bisH);
  z.BisMinute = static_cast<std::uint8_t>(bisM);
  z.Tage = tage;
  z.Tueren = tueren;
  return z;
}

// The user leaves the edit by the tab key.
void Verlasse(QLineEdit& edit) {
  QFocusEvent weg(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(&edit, &weg);
}

void Tippe(QLineEdit& edit, const QString& text) {
  edit.setText(text);
  Verlasse(edit);
}

struct Gehalten {
  int vonH, vonM, bisH, bisM;
};

void ErwarteZeiten(const TIDD_EDIT_TIMELINE& f, Gehalten g) {
  EXPECT_EQ(f.VonStunde(), g.vonH);
  EXPECT_EQ(f.VonMinute(), g.vonM);
  EXPECT_EQ(f.BisStunde(), g.bisH);
  EXPECT_EQ(f.BisMinute(), g.bisM);
  EXPECT_EQ(f.IDSB_FROM_TIME->value(), g.vonH * 12 + g.vonM / 5);
  EXPECT_EQ(f.IDSB_TO_TIME->value(), g.bisH * 12 + g.bisM / 5);
  EXPECT_EQ(f.IDE_FROM_TIME->text(),
            QStringLiteral("%1:%2").arg(g.vonH, 2, 10, QChar(u'0')).arg(g.vonM, 2, 10, QChar(u'0')));
  EXPECT_EQ(f.IDE_TO_TIME->text(),
            QStringLiteral("%1:%2").arg(g.bisH, 2, 10, QChar(u'0')).arg(g.bisM, 2, 10, QChar(u'0')));
}

struct TippFall {
  const char* name;
  Zeitlinie linie;
  bool vonEdit;  // typed into the from-edit, else the to-edit
  const char* text;
  Gehalten danach;
};

void PrintTo(const TippFall& f, std::ostream* os) { *os << f.name; }

class GetippteZeit : public ::testing::TestWithParam<TippFall> {};

TEST_P(GetippteZeit, EndsAsTheBarsPosition) {
  const TippFall& f = GetParam();
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = f.linie;
  fenster.Init(kopie, 0x21);
  Tippe(f.vonEdit ? *fenster.IDE_FROM_TIME : *fenster.IDE_TO_TIME, QString::fromUtf8(f.text));
  ErwarteZeiten(fenster, f.danach);
}

INSTANTIATE_TEST_SUITE_P(
    Zeitlinien, GetippteZeit,
    ::testing::Values(TippFall{"OffTheGrid", Linie(0, 0, 24, 0), true, "12:07", {12, 5, 24, 0}},
                      TippFall{"MinutesCarryAndDayEnds", Linie(0, 0, 0, 0), true, "23:75", {24, 0, 24, 0}},
                      TippFall{"OneDigitHour", Linie(0, 0, 24, 0), true, "7:30", {7, 30, 24, 0}},
                      TippFall{"PastTheEndAtTheBarsEnd", Linie(0, 0, 24, 0), false, "24:30", {0, 0, 24, 0}},
                      TippFall{"FromAfterToPullsTo", Linie(8, 0, 10, 0), true, "12:00", {12, 0, 12, 0}},
                      TippFall{"ToBeforeFromPullsFrom", Linie(8, 0, 10, 0), false, "06:00", {6, 0, 6, 0}},
                      TippFall{"SamePositionTakesTheBarsValues", Linie(12, 5, 24, 0), true, "12:09", {12, 5, 24, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Zeitlinien, TimeThatIsNoNumberIsRefusedInABox) {
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = Linie(8, 0, 17, 0);
  fenster.Init(kopie, 0x21);
  for (const char* text : {"ab:cd", "", "12:"}) {
    Skript skript;
    skript.Box(QStringLiteral("Fehler"), 16, [](const QString& meldung) {
      EXPECT_TRUE(meldung.endsWith(QStringLiteral("ist keine gültige Zahl."))) << meldung.toStdString();
      return 1;
    });
    Tippe(*fenster.IDE_FROM_TIME, QString::fromUtf8(text));
    ErwarteZeiten(fenster, {8, 0, 17, 0});
  }
}

TEST(Zeitlinien, BarsPullEachOther) {
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = Linie(0, 0, 0, 0);
  fenster.Init(kopie, 0x21);
  ErwarteZeiten(fenster, {0, 0, 0, 0});
  fenster.IDSB_FROM_TIME->setValue(96);
  ErwarteZeiten(fenster, {8, 0, 8, 0});
  fenster.IDSB_TO_TIME->setValue(200);
  ErwarteZeiten(fenster, {8, 0, 16, 40});
  fenster.IDSB_TO_TIME->setValue(60);
  ErwarteZeiten(fenster, {5, 0, 5, 0});
  fenster.IDSB_TO_TIME->triggerAction(QAbstractSlider::SliderToMaximum);
  ErwarteZeiten(fenster, {5, 0, 24, 0});
}

TEST(Zeitlinien, ATypedTimeIsTakenBeforeTheOtherBarMoves) {
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = Linie(8, 0, 18, 0);
  fenster.Init(kopie, 0x21);
  fenster.show();
  fenster.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
  fenster.IDE_FROM_TIME->setFocus();
  fenster.IDE_FROM_TIME->selectAll();
  QTest::keyClicks(fenster.IDE_FROM_TIME, QStringLiteral("2000"));
  // A click on the to-bar's left arrow leaves the edit first: 20:00 pulls the to-bar up, the
  // arrow then takes it one step back and the from-bar follows.
  QScrollBar& bis = *fenster.IDSB_TO_TIME;
  QStyleOptionSlider option;
  option.initFrom(&bis);
  option.orientation = bis.orientation();
  option.minimum = bis.minimum();
  option.maximum = bis.maximum();
  option.sliderPosition = bis.sliderPosition();
  option.sliderValue = bis.value();
  option.singleStep = bis.singleStep();
  option.pageStep = bis.pageStep();
  option.subControls = QStyle::SC_All;
  const QRect pfeil = bis.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, &bis);
  QTest::mouseClick(&bis, Qt::LeftButton, {}, pfeil.center());
  ErwarteZeiten(fenster, {19, 55, 19, 55});
}

TEST(Zeitlinien, LoadDoesNotDependOnTheLineShownBefore) {
  const Zeitlinie verkehrt = Linie(10, 0, 8, 0);
  TIDD_EDIT_TIMELINE frisch;
  Zeitlinie a = verkehrt;
  frisch.Init(a, 0);
  TIDD_EDIT_TIMELINE benutzt;
  Zeitlinie vorher = Linie(20, 0, 23, 0);
  benutzt.Init(vorher, 0);
  Zeitlinie b = verkehrt;
  benutzt.Init(b, 0);
  ErwarteZeiten(benutzt, {frisch.VonStunde(), frisch.VonMinute(), frisch.BisStunde(), frisch.BisMinute()});
  // As on a first showing: the from-bar pulls the to-bar up, the to-bar then pulls it down.
  ErwarteZeiten(frisch, {8, 0, 8, 0});
}

TEST(Zeitlinien, LoadTicksTheDaysAndNamesThem) {
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = Linie(6, 30, 22, 0, 0x0511, 0x20);
  fenster.Init(kopie, 0x21);
  const QCheckBox* tage[] = {fenster.IDCB_MONDAY,   fenster.IDCB_TUESDAY,     fenster.IDCB_WEDNESDAY,
                             fenster.IDCB_THURSDAY, fenster.IDCB_FRIDAY,      fenster.IDCB_SATURDAY,
                             fenster.IDCB_SUNDAY,   fenster.IDCB_HALFFREEDAY, fenster.IDCB_HOLIDAY,
                             fenster.IDCB_SPECIAL1, fenster.IDCB_SPECIAL2};
  const char* namen[] = {"Montag",  "Dienstag", "Mittwoch",        "Donnerstag", "Freitag",
                         "Samstag", "Sonntag",  "halber Feiertag", "Feiertag"};
  for (int k = 0; k < 11; ++k) {
    EXPECT_EQ(tage[k]->isChecked(), ((0x0511 >> k) & 1) != 0) << k;
    if (k < 9) {
      EXPECT_EQ(tage[k]->text(), QString::fromUtf8(namen[k])) << k;
    }
  }
  EXPECT_FALSE(fenster.IDCB_SPECIAL1->isEnabled());
  EXPECT_FALSE(fenster.IDCB_DOOR1->isChecked());
  EXPECT_TRUE(fenster.IDCB_DOOR2->isChecked());
  EXPECT_FALSE(fenster.IDCB_DOOR3->isChecked());
  ErwarteZeiten(fenster, {6, 30, 22, 0});
}

TEST(Zeitlinien, AllTicksTheNineDaysAndLeavesTheSpecialDays) {
  for (std::uint16_t vorher : {std::uint16_t{0}, std::uint16_t{0x200}}) {
    TIDD_EDIT_DOORTIMELINE fenster;
    Zeitlinie kopie = Linie(0, 0, 24, 0, vorher);
    fenster.Init(kopie);
    fenster.IDB_ALL->click();
    fenster.BitBtn1->click();
    EXPECT_EQ(fenster.result(), fenster::mrOk);
    EXPECT_EQ(kopie.Tage, 0x1FF | vorher);
  }
}

struct ProfilOkFall {
  const char* name;
  std::uint16_t maske;
  bool tuer1, tuer2, tuer3;
  std::uint16_t tuerenVorher;
  std::uint16_t tuerenDanach;
  bool benutzt;
};

void PrintTo(const ProfilOkFall& f, std::ostream* os) { *os << f.name; }

class ProfilOk : public ::testing::TestWithParam<ProfilOkFall> {};

TEST_P(ProfilOk, WritesDoorsWithinTheMask) {
  const ProfilOkFall& f = GetParam();
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = Linie(0, 0, 0, 0, 0, f.tuerenVorher);
  fenster.Init(kopie, f.maske);
  fenster.IDCB_MONDAY->setChecked(true);
  fenster.IDCB_FRIDAY->setChecked(true);
  fenster.IDCB_DOOR1->setChecked(f.tuer1);
  fenster.IDCB_DOOR2->setChecked(f.tuer2);
  fenster.IDCB_DOOR3->setChecked(f.tuer3);
  fenster.IDSB_FROM_TIME->setValue(78);
  fenster.IDSB_TO_TIME->setValue(264);
  fenster.BitBtn1->click();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(kopie.Tueren, f.tuerenDanach);
  EXPECT_EQ(kopie.Tage, (f.benutzt ? 0x1000 : 0) | 0x11);
  EXPECT_EQ(kopie, Linie(6, 30, 22, 0, kopie.Tage, kopie.Tueren));
}

INSTANTIATE_TEST_SUITE_P(
    Zeitlinien, ProfilOk,
    ::testing::Values(ProfilOkFall{"Doors1And2OnAnEmptyLine", 0x21, true, true, false, 0x00, 0x21, true},
                      ProfilOkFall{"NoDoorTicked", 0x21, false, false, false, 0x21, 0x00, false},
                      ProfilOkFall{"Door2WithoutAssignment", 0x01, true, true, false, 0x00, 0x01, true},
                      ProfilOkFall{"Door3OnlyDropsDoor1", 0x77, false, false, true, 0x11, 0x44, true},
                      ProfilOkFall{"UntickedDoor2LosesItsBits", 0x23, true, false, false, 0x22, 0x01, true},
                      ProfilOkFall{"BitsAlreadySetStay", 0x00, true, false, false, 0x10, 0x10, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct TuerOkFall {
  const char* name;
  int wahl;  // 0 alwaysopen, 1 alwaysclosed, 2 normal
  std::uint16_t tage;
};

void PrintTo(const TuerOkFall& f, std::ostream* os) { *os << f.name; }

class TuerOk : public ::testing::TestWithParam<TuerOkFall> {};

TEST_P(TuerOk, WritesTheStateAndKeepsTheDoorWord) {
  const TuerOkFall& f = GetParam();
  TIDD_EDIT_DOORTIMELINE fenster;
  Zeitlinie kopie = Linie(1, 0, 2, 0, 0x1820, 0x1234);
  fenster.Init(kopie);
  EXPECT_TRUE(fenster.alwaysopen->isChecked());
  QRadioButton* wahl[] = {fenster.alwaysopen, fenster.alwaysclosed, fenster.normal};
  wahl[f.wahl]->setChecked(true);
  fenster.BitBtn1->click();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(kopie, Linie(1, 0, 2, 0, f.tage, 0x1234));
}

INSTANTIATE_TEST_SUITE_P(Zeitlinien, TuerOk,
                         ::testing::Values(TuerOkFall{"PermanentlyOpen", 0, 0x820},
                                           TuerOkFall{"PermanentlyLocked", 1, 0x1020},
                                           TuerOkFall{"CardOperation", 2, 0x020}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Zeitlinien, DoorLoadChoosesTheState) {
  TIDD_EDIT_DOORTIMELINE fenster;
  for (auto [tage, offen, gesperrt, normal] :
       {std::tuple{0x0800, true, false, false}, std::tuple{0x1800, true, false, false},
        std::tuple{0x1000, false, true, false}, std::tuple{0x0001, false, false, true}}) {
    Zeitlinie kopie = Linie(0, 0, 0, 0, static_cast<std::uint16_t>(tage));
    fenster.Init(kopie);
    EXPECT_EQ(fenster.alwaysopen->isChecked(), offen) << tage;
    EXPECT_EQ(fenster.alwaysclosed->isChecked(), gesperrt) << tage;
    EXPECT_EQ(fenster.normal->isChecked(), normal) << tage;
  }
}

TEST(Zeitlinien, AbortAndClosingLeaveTheCopy) {
  const Zeitlinie linie = Linie(7, 15, 9, 45, 0x1003, 0x21);
  for (int weg : {0, 1}) {
    TIDD_EDIT_TIMELINE profil;
    Zeitlinie kopie = linie;
    profil.Init(kopie, 0x77);
    profil.IDSB_FROM_TIME->setValue(30);
    profil.IDCB_SUNDAY->setChecked(true);
    profil.IDCB_DOOR3->setChecked(true);
    profil.IDB_ALL->click();
    weg == 0 ? profil.BitBtn2->click() : profil.reject();
    EXPECT_EQ(profil.result(), weg == 0 ? fenster::mrAbort : fenster::mrCancel);
    EXPECT_EQ(std::memcmp(&kopie, &linie, sizeof linie), 0);

    TIDD_EDIT_DOORTIMELINE tuer;
    Zeitlinie tuerKopie = linie;
    tuer.Init(tuerKopie);
    tuer.alwaysopen->setChecked(true);
    tuer.IDSB_TO_TIME->setValue(288);
    weg == 0 ? tuer.BitBtn2->click() : tuer.reject();
    EXPECT_EQ(tuer.result(), weg == 0 ? fenster::mrAbort : fenster::mrCancel);
    EXPECT_EQ(std::memcmp(&tuerKopie, &linie, sizeof linie), 0);
  }
}

TEST(Zeitlinien, OkTakesATimeStillInTheEdit) {
  TIDD_EDIT_TIMELINE fenster;
  Zeitlinie kopie = Linie(8, 0, 17, 0, 0x1001, 0x01);
  fenster.Init(kopie, 0x21);
  fenster.IDCB_DOOR1->setChecked(true);
  fenster.IDE_TO_TIME->setText(QStringLiteral("18:33"));
  fenster.BitBtn1->click();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(kopie, Linie(8, 0, 18, 30, 0x1001, 0x01));
}

TEST(Zeitlinien, OkWithATimeThatIsNoNumberStaysOpenAndWritesNothing) {
  TIDD_EDIT_DOORTIMELINE fenster;
  const Zeitlinie linie = Linie(8, 0, 17, 0, 0x801);
  Zeitlinie kopie = linie;
  fenster.Init(kopie);
  fenster.setResult(fenster::mrNone);
  fenster.IDE_FROM_TIME->setText(QStringLiteral(":"));
  Skript skript;
  skript.Box(QStringLiteral("Fehler"), 16, 1);
  fenster.BitBtn1->click();
  EXPECT_EQ(fenster.result(), fenster::mrNone);
  EXPECT_EQ(kopie, linie);
  EXPECT_EQ(fenster.IDE_FROM_TIME->text(), QStringLiteral("08:00"));
}

TEST(Zeitlinien, Renderings) {
  TempOrdner ordner;
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const QString ablage = QString::fromStdString(ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad());
  TIDD_EDIT_TIMELINE profil;
  profil.setWindowTitle(QStringLiteral("Zeitlinien für Zutrittsprofil"));
  profil.Label1->setText(QStringLiteral("Gültig am ..."));
  profil.Label2->setText(QStringLiteral("Wirksam für ..."));
  profil.IDCB_DOOR1->setText(QStringLiteral("Tür 1"));
  profil.IDCB_DOOR2->setText(QStringLiteral("Tür 2 (MK)"));
  profil.IDCB_DOOR3->setText(QStringLiteral("Tür 3 (MK)"));
  profil.IDCB_SPECIAL1->setText(QStringLiteral("Betriebsurlaub Sommer"));
  profil.IDCB_SPECIAL2->setText(QStringLiteral("Sondertag2"));
  Zeitlinie kopie = Linie(6, 30, 22, 0, 0x109F, 0x21);
  profil.Init(kopie, 0x21);
  ASSERT_TRUE(SpeichereBild(profil, ablage + QStringLiteral("zeitlinie_profil.png")));

  TIDD_EDIT_DOORTIMELINE tuer;
  tuer.setWindowTitle(QStringLiteral("Zeitlinien für Türstatus"));
  tuer.Label1->setText(QStringLiteral("Gültig am ..."));
  tuer.Label2->setText(QStringLiteral("Türstatus"));
  tuer.alwaysopen->setText(QStringLiteral("daueroffen"));
  tuer.alwaysclosed->setText(QStringLiteral("dauergesperrt"));
  tuer.normal->setText(QStringLiteral("Kartenbetrieb"));
  tuer.IDCB_SPECIAL1->setText(QStringLiteral("Sondertag1"));
  tuer.IDCB_SPECIAL2->setText(QStringLiteral("Sondertag2"));
  Zeitlinie tuerKopie = Linie(7, 0, 18, 0, 0x820);
  tuer.Init(tuerKopie);
  ASSERT_TRUE(SpeichereBild(tuer, ablage + QStringLiteral("zeitlinie_tuer.png")));
}

}  // namespace
