// The program as started for the tests of the connection window and the expert mode: the
// windows created, Wup.ini written into a temporary program folder, the main window shown
// with the local time fixed at 7 March 2026 14:05:09.
#pragma once

#include <memory>
#include <string>

#include <QDateTime>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "shared/StatusDlg.h"

#include "Skript.h"
#include "UiTest.h"

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override { programm.reset(); }

  void Starte(const std::string& wupIni) {
    if (!wupIni.empty()) SchreibeDatei(ordner / "Wup.ini", wupIni);
    programm = std::make_unique<Programm>(ordner.Pfad(), QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)));
  }

  TSteuerung& S() { return programm->S(); }

  TempOrdner ordner;
  std::unique_ptr<Programm> programm;
};
