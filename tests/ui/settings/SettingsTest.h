// The program as started for the tests of the connection window and the expert mode: the
// windows created, Wup.ini written into a temporary program folder, the main window shown
// with the local time fixed at 7 March 2026 14:05:09.
#pragma once

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/Steuerung.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "main/StatusDlg.h"
#include "Skript.h"
#include "UiTest.h"

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    wahl.reset();
    formulare.reset();
  }

  void Starte(const std::string& wupIni) {
    if (!wupIni.empty()) SchreibeDatei(ordner / "Wup.ini", wupIni);
    formulare = std::make_unique<TFormulare>();
    IDD_MAIN->SetzeOrdner(ordner.Pfad());
    plattform_ = std::make_unique<TestPlattform>(*IDD_STATUS, QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)));
    wahl = std::make_unique<PlattformWahl>(*plattform_);
    Skript still;
    IDD_MAIN->show();
  }

  TSteuerung& S() { return *IDD_MAIN->Dokument(); }

  TempOrdner ordner;
  std::unique_ptr<TFormulare> formulare;
  std::unique_ptr<TestPlattform> plattform_;
  std::unique_ptr<PlattformWahl> wahl;
};
