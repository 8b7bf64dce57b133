// Renders the connection window, the password window and the expert options window
// offscreen into PNG files, so their German texts can be looked at: into $YBR_UI_BILDER when
// set, else into a temporary folder. Every caption fits its control.
#include <cstdlib>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabBar>
#include <gtest/gtest.h>

#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"

#include "SettingsTest.h"

namespace {

// Every label and button shown in `fenster` is at least as large as its text needs.
void TexteGanz(QWidget& fenster) {
  for (QWidget* w : fenster.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&fenster)) continue;
    if (qobject_cast<QLabel*>(w) == nullptr && qobject_cast<QAbstractButton*>(w) == nullptr &&
        qobject_cast<QComboBox*>(w) == nullptr) {
      continue;
    }
    const QSize noetig = w->sizeHint();
    EXPECT_GE(w->width(), noetig.width()) << w->objectName().toStdString();
    EXPECT_GE(w->height(), noetig.height()) << w->objectName().toStdString();
  }
}

class Bilder : public SettingsTest {
 protected:
  QString Ablage(const char* name) {
    const char* ziel = std::getenv("YBR_UI_BILDER");
    return QString::fromStdString((ziel != nullptr ? std::string(ziel) + "/" : ordner.Pfad()) + name);
  }
};

TEST_F(Bilder, ConnectionWindowOnBothPages) {
  Starte("[Global]\nPage=0\n[Network]\nIP=steuerung-eingang.example\n[Comm]\nCable=0\nAdress=12\n");
  Skript skript;
  skript.Modal(QStringLiteral("IDD_COMM"), [this](QDialog& d) {
    auto& f = dynamic_cast<TIDD_COMM&>(d);
    TexteGanz(f);
    EXPECT_TRUE(SpeichereBild(f, Ablage("verbindung_netzwerk.png")));
    f.CheckBoxCabelPlugged->click();
    f.CheckBoxLOGEnabled->setChecked(true);
    TexteGanz(f);
    EXPECT_TRUE(SpeichereBild(f, Ablage("verbindung_seriell.png")));
    f.CheckBoxLOGEnabled->setChecked(false);
    return fenster::mrCancel;
  });
  IDD_MAIN->verbindungsparameter1->trigger();
}

TEST_F(Bilder, PasswordWindow) {
  Starte("");
  Skript skript;
  skript.Modal(QStringLiteral("IDD_PASSWD"), [this](QDialog& d) {
    auto& f = dynamic_cast<TIDD_PASSWD&>(d);
    f.IDE_PASSWD->setText(QStringLiteral("geheim"));
    TexteGanz(f);
    EXPECT_TRUE(SpeichereBild(f, Ablage("passwort.png")));
    return fenster::mrCancel;
  });
  IDD_MAIN->Aministration1->trigger();
}

TEST_F(Bilder, ExpertOptionsForBothDeviceTypes) {
  Starte("");
  for (const int typ : {0, 1}) {
    S().Geraetetyp = typ;
    S().LeserTuerZuordnung = 0x21;
    Skript skript;
    skript
        .Modal(QStringLiteral("IDD_PASSWD"),
               [](QDialog& d) {
                 dynamic_cast<TIDD_PASSWD&>(d).IDE_PASSWD->setText(QStringLiteral("QRZWarden"));
                 return fenster::mrOk;
               })
        .Modal(QStringLiteral("IDD_ADVANCED"), [this, typ](QDialog& d) {
          TexteGanz(d);
          EXPECT_TRUE(SpeichereBild(d, Ablage(typ == 0 ? "expert_zo10.png" : "expert_ra20.png")));
          return fenster::mrCancel;
        });
    IDD_MAIN->Aministration1->trigger();
  }
}

}  // namespace
