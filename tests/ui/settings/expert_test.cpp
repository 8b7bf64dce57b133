// The expert mode: the password window and its two levels, the access log line and the
// warning at level 1, the options window filled from the document, and the write-back on OK
// with the flags and the profile lines; Cancel leaves the document as it was.
#include <filesystem>
#include <memory>
#include <string>

#include <QTest>
#include <gtest/gtest.h>

#include "model/ListenZugriff.h"
#include "model/Records.h"

#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"

#include "SettingsTest.h"

namespace {

const QString kWarnung = QStringLiteral(
    "Achtung Sie erreichen einen Modus,                    \n"
    "in dem Sie in der Lage sind, die Parameter der Steuerung so                    \n"
    "zu konfigurieren, daß sie nicht mehr erwartungsgemäß                    \n"
    "funktioniert.                    \n\nDieser Zugriff wird protokolliert.");
const QString kFalsch = QStringLiteral("Eingegebenes Passwort ist falsch!");

TIDD_ADVANCED& Optionen(QDialog& d) { return dynamic_cast<TIDD_ADVANCED&>(d); }

int Ok(TIDD_ADVANCED& f) {
  f.BitBtn1->click();
  return f.result();
}

class Expert : public SettingsTest {
 protected:
  // The password window: the entry typed as a user types it, then OK.
  static std::function<int(QDialog&)> Passwort(const QString& eingabe) {
    return [eingabe](QDialog& d) {
      auto& f = dynamic_cast<TIDD_PASSWD&>(d);
      EXPECT_EQ(f.windowTitle(), QStringLiteral("Passwort für Expert Modus"));
      EXPECT_EQ(f.Label1->text(), QStringLiteral("Bitte geben Sie Ihr Passwort ein:"));
      EXPECT_EQ(f.IDE_PASSWD->text(), QString());
      QTest::keyClicks(f.IDE_PASSWD, eingabe);
      f.BitBtn1->click();
      return f.result();
    };
  }

  // The mode at master level with `handeln` working the options window.
  void Oeffne(std::function<int(TIDD_ADVANCED&)> handeln) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PASSWD"), Passwort(QStringLiteral("QRZWarden")))
        .Modal(QStringLiteral("IDD_ADVANCED"), [&](QDialog& d) { return handeln(Optionen(d)); });
    IDD_MAIN->Aministration1->trigger();
  }

  std::string Protokoll() { return LiesDatei(ordner / "zkprot.log"); }

  PROFIL& Profil(int i) { return Element(S().Profile, i); }
};

TEST_F(Expert, TheFirstPasswordWritesOneLineThenWarnsThenShowsTheOptions) {
  Starte("");
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PASSWD"), Passwort(QStringLiteral("Pylon")))
      .Box(QStringLiteral("Hinweis"), 48,
           [this](const QString& text) {
             EXPECT_EQ(text, kWarnung);
             // The line stands in the log before the warning shows.
             EXPECT_EQ(Protokoll(), "Zugriff am 07.03.2026 um 14:05:09\n");
             return 1;
           })
      .Modal(QStringLiteral("IDD_ADVANCED"), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Expert Modus Einstellungen"));
        return fenster::mrCancel;
      });
  IDD_MAIN->Aministration1->trigger();
  EXPECT_EQ(skript.Verlauf().size(), 3U);
  EXPECT_EQ(Protokoll(), "Zugriff am 07.03.2026 um 14:05:09\n");
}

TEST_F(Expert, TheMasterPasswordWritesNoLineAndShowsNoWarning) {
  Starte("");
  Oeffne([](TIDD_ADVANCED&) { return fenster::mrCancel; });
  EXPECT_FALSE(Existiert(ordner / "zkprot.log"));
}

TEST_F(Expert, AnyOtherEntryIsWrong) {
  Starte("");
  for (const QString& eingabe : {QStringLiteral("pylon"), QStringLiteral("Pylon "), QStringLiteral("PYLON"),
                                 QStringLiteral("qrzwarden"), QString()}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PASSWD"), Passwort(eingabe)).Box(kFalsch, QStringLiteral("Fehler"), 16, 1);
    IDD_MAIN->Aministration1->trigger();
  }
  EXPECT_FALSE(Existiert(ordner / "zkprot.log"));
}

TEST_F(Expert, ThePasswordWindowLeftWithoutOkEndsTheCommand) {
  Starte("");
  for (const int ergebnis : {fenster::mrAbort, fenster::mrCancel}) {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PASSWD"), [ergebnis](QDialog& d) {
      QTest::keyClicks(dynamic_cast<TIDD_PASSWD&>(d).IDE_PASSWD, QStringLiteral("Pylon"));
      return ergebnis;
    });
    IDD_MAIN->Aministration1->trigger();
  }
  EXPECT_FALSE(Existiert(ordner / "zkprot.log"));
}

TEST_F(Expert, TheSecondOpeningShowsAnEmptyMaskedEditOfTenCharacters) {
  Starte("");
  {
    Skript skript;
    skript.Modal(QStringLiteral("IDD_PASSWD"), Passwort(QStringLiteral("Pylon")))
        .Box(kWarnung, QStringLiteral("Hinweis"), 48, 1)
        .Modal(QStringLiteral("IDD_ADVANCED"), [](QDialog&) { return fenster::mrCancel; });
    IDD_MAIN->Aministration1->trigger();
  }
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PASSWD"), [](QDialog& d) {
    auto& f = dynamic_cast<TIDD_PASSWD&>(d);
    EXPECT_EQ(f.IDE_PASSWD->text(), QString());
    EXPECT_EQ(f.IDE_PASSWD->echoMode(), QLineEdit::Password);
    QTest::keyClicks(f.IDE_PASSWD, QStringLiteral("QRZWarden12345"));
    EXPECT_EQ(f.IDE_PASSWD->text(), QStringLiteral("QRZWarden1"));
    f.BitBtn1->click();
    return f.result();
  });
  skript.Box(kFalsch, QStringLiteral("Fehler"), 16, 1);
  IDD_MAIN->Aministration1->trigger();
  EXPECT_EQ(Protokoll(), "Zugriff am 07.03.2026 um 14:05:09\n");
}

// The box names the access log with its folder.
TEST_F(Expert, AnAccessLogThatCannotBeWrittenIsShownAndTheModeGoesOn) {
  Starte("");
  std::filesystem::create_directory(ordner / "zkprot.log");
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PASSWD"), Passwort(QStringLiteral("Pylon")))
      .Box(QStringLiteral("Fehler beim Schreiben in Datei!\n") + QString::fromStdString(ordner / "zkprot.log"),
           QStringLiteral("Fehler"), 16, 1)
      .Box(kWarnung, QStringLiteral("Hinweis"), 48, 1)
      .Modal(QStringLiteral("IDD_ADVANCED"), [](QDialog&) { return fenster::mrCancel; });
  IDD_MAIN->Aministration1->trigger();
}

TEST_F(Expert, AZo10DisablesSixControlsAndNamesDoor2AsSignalContact) {
  Starte("");
  for (const int typ : {0, 1}) {
    SCOPED_TRACE(typ);
    S().Geraetetyp = typ;
    Oeffne([typ](TIDD_ADVANCED& f) {
      for (QCheckBox* box : {f.door13, f.door21, f.door22, f.door23, f.IDCB_ANTIPASS, f.CheckBox1}) {
        EXPECT_EQ(box->isEnabled(), typ == 1) << box->objectName().toStdString();
      }
      EXPECT_TRUE(f.door11->isEnabled());
      EXPECT_TRUE(f.door12->isEnabled());
      EXPECT_EQ(f.door12->text(), typ == 0 ? QStringLiteral("Tür 2 (MK)") : QStringLiteral("Tür 2"));
      EXPECT_FALSE(f.TCPPort->isVisible());
      return fenster::mrCancel;
    });
  }
}

TEST_F(Expert, TheWindowShowsTheDocument) {
  Starte("[Network]\nTCPPort=4711\n");
  S().Geraetetyp = 1;
  S().LeserTuerZuordnung = 0x52;
  S().Geraetedaten.Flags = 0x8000 | 0x0800 | 0x3;
  S().SetFakeComm(true);
  Oeffne([](TIDD_ADVANCED& f) {
    EXPECT_FALSE(f.door11->isChecked());
    EXPECT_TRUE(f.door12->isChecked());
    EXPECT_FALSE(f.door13->isChecked());
    EXPECT_TRUE(f.door21->isChecked());
    EXPECT_FALSE(f.door22->isChecked());
    EXPECT_TRUE(f.door23->isChecked());
    EXPECT_TRUE(f.IDCB_ANTIPASS->isChecked());
    EXPECT_TRUE(f.CheckBox1->isChecked());
    EXPECT_TRUE(f.IDCB_FAKECOMM->isChecked());
    EXPECT_EQ(f.TCPPort->text(), QStringLiteral("4711"));
    return fenster::mrCancel;
  });
}

TEST_F(Expert, OkGivesTheReaderWordAndTheDoorsInUse) {
  Starte("[Network]\nTCPPort=4711\n");
  S().Geraetetyp = 1;
  S().DatenGespeichert = true;
  Oeffne([](TIDD_ADVANCED& f) {
    f.door11->setChecked(true);
    f.door22->click();
    f.IDCB_ANTIPASS->click();
    f.IDCB_FAKECOMM->click();
    return Ok(f);
  });
  EXPECT_EQ(S().LeserTuerZuordnung, 0x21);
  EXPECT_EQ(S().Geraetedaten.Flags, 0x8000U | 0x3000U | 0x3U);
  EXPECT_TRUE(S().FakeComm());
  EXPECT_EQ(S().TCPPort, 4711);
  EXPECT_FALSE(S().DatenGespeichert);
}

TEST_F(Expert, FlagsOnOk) {
  Starte("");
  struct Fall {
    const char* name;
    std::uint32_t vorher;
    std::uint16_t zuordnung;  // boxes ticked
    bool antipass, schleuse;
    std::uint32_t nachher;
  };
  const Fall faelle[] = {
      {"door3_clears_the_doors_without_reader", 0x7001, 0x04, false, false, 0x0004},
      {"bits_above_15_and_old_doors_go", 0x10007 | 0x0040, 0x10, false, false, 0x0041},
      {"antipass_and_airlock_set", 0x0001, 0x01, true, true, 0x8801},
      {"antipass_and_airlock_cleared", 0x8801 | 0x1000, 0x01, false, false, 0x1001},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    S().Geraetetyp = 1;
    S().Geraetedaten.Flags = f.vorher;
    S().LeserTuerZuordnung = 0;
    Oeffne([&f](TIDD_ADVANCED& w) {
      for (auto [box, bit] : {std::pair{w.door11, 0x01},
                              {w.door12, 0x02},
                              {w.door13, 0x04},
                              {w.door21, 0x10},
                              {w.door22, 0x20},
                              {w.door23, 0x40}}) {
        box->setChecked((f.zuordnung & bit) != 0);
      }
      w.IDCB_ANTIPASS->setChecked(f.antipass);
      w.CheckBox1->setChecked(f.schleuse);
      return Ok(w);
    });
    EXPECT_EQ(S().Geraetedaten.Flags, f.nachher);
    EXPECT_EQ(S().LeserTuerZuordnung, f.zuordnung);
  }
}

TEST_F(Expert, DisabledBoxesCountAsTheyStand) {
  Starte("");
  S().Geraetetyp = 0;
  S().LeserTuerZuordnung = 0x21;
  Oeffne([](TIDD_ADVANCED& f) { return Ok(f); });
  EXPECT_EQ(S().LeserTuerZuordnung, 0x21);
  EXPECT_EQ(S().Geraetedaten.Flags & 0x7U, 0x3U);
}

TEST_F(Expert, ProfileLinesKeepTheirDoorsAndInvalidOnesAreCleared) {
  Starte("");
  S().Geraetetyp = 1;
  S().LeserTuerZuordnung = 0x01;
  // "immer" and "werktags" open doors 1 and 2; one line of door 1 only and one past the limits.
  Zeitlinie nurTuer1 = Profil(2).Zeitlinien[0];
  nurTuer1.Tueren = 0x01;
  Profil(2).Zeitlinien[0] = nurTuer1;
  Zeitlinie ungueltig = nurTuer1;
  ungueltig.VonStunde = 25;
  ungueltig.BisStunde = 26;
  Profil(2).Zeitlinien[2] = ungueltig;

  // Doors 1 and 2 as the new assignment: door 1 stays the only door of its line.
  Oeffne([](TIDD_ADVANCED& f) {
    f.door22->click();
    return Ok(f);
  });
  EXPECT_EQ(S().LeserTuerZuordnung, 0x21);
  EXPECT_EQ(Profil(2).Zeitlinien[0].Tueren, 0x01);
  EXPECT_EQ(Profil(2).Zeitlinien[1].Tueren, 0x21);
  EXPECT_EQ(Profil(2).Zeitlinien[2], Zeitlinie{});
  EXPECT_EQ(Profil(0).Zeitlinien[0], Zeitlinie{});  // "nie" has no line and gets none

  // Door 1 moves to reader 2, door 2 to reader 1: the line follows door 1.
  Oeffne([](TIDD_ADVANCED& f) {
    f.door11->click();
    f.door22->click();
    f.door21->click();
    f.door12->click();
    return Ok(f);
  });
  EXPECT_EQ(S().LeserTuerZuordnung, 0x12);
  EXPECT_EQ(Profil(2).Zeitlinien[0].Tueren, 0x10);
  EXPECT_EQ(Profil(2).Zeitlinien[1].Tueren, 0x12);
  EXPECT_EQ(Profil(1).Zeitlinien[0].Tueren, 0x12);
}

TEST_F(Expert, AnUnchangedOkLeavesTheDocumentSaved) {
  Starte("");
  S().DatenGespeichert = true;
  const auto profile = [this] {
    std::vector<PROFIL> kopie;
    for (int i = 0; i < S().Profile.Anzahl; ++i) kopie.push_back(Profil(i));
    return kopie;
  };
  const std::vector<PROFIL> vorher = profile();
  Oeffne([](TIDD_ADVANCED& f) {
    f.IDCB_FAKECOMM->click();  // not document data
    return Ok(f);
  });
  EXPECT_TRUE(S().DatenGespeichert);
  EXPECT_EQ(profile(), vorher);
  EXPECT_TRUE(S().FakeComm());
}

TEST_F(Expert, CancelOrClosingLeavesTheSavedDocumentByteIdentical) {
  Starte("");
  S().Geraetetyp = 1;
  ASSERT_TRUE(S().Save(ordner / "a.wuz"));
  const std::string gespeichert = LiesDatei(ordner / "a.wuz");
  const std::function<void(TIDD_ADVANCED&)> wege[] = {[](TIDD_ADVANCED& f) { f.reject(); },
                                                      [](TIDD_ADVANCED& f) { f.close(); },
                                                      [](TIDD_ADVANCED& f) { QTest::keyClick(&f, Qt::Key_Escape); }};
  for (const auto& weg : wege) {
    Oeffne([&weg](TIDD_ADVANCED& f) {
      f.door22->click();
      f.door13->click();
      f.IDCB_ANTIPASS->click();
      f.CheckBox1->click();
      weg(f);
      EXPECT_FALSE(f.isVisible());
      return f.result();
    });
    EXPECT_TRUE(S().DatenGespeichert);
    ASSERT_TRUE(S().Save(ordner / "b.wuz"));
    EXPECT_EQ(LiesDatei(ordner / "b.wuz"), gespeichert);
  }
}

}  // namespace
