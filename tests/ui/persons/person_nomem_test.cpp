// The person window when no memory is left for a person: its set-up and the OK of a new person
// throw StdError "Kein Speicher für Person bearbeiten" and write nothing.
#include <cstddef>
#include <memory>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Fehler.h"

#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "persons/PersonAendernDlg.h"
#include "shared/StatusDlg.h"

#include "UiTest.h"
#include "common/FehlendeAllokation.h"

namespace {

// The next allocation of a person's size fails, once.
void NaechstePersonFehlt() {
  ybrtest::g_allokationsRegel = [](std::size_t groesse) {
    if (groesse != sizeof(PERSON)) return false;
    ybrtest::g_allokationsRegel = nullptr;
    return true;
  };
}

TEST(PersonOhneSpeicher, SetUpAndOkOfANewPersonThrowAndWriteNothing) {
  TempOrdner ordner;
  TFormulare formulare;
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  TestPlattform plattform(*IDD_STATUS, 2026);
  PlattformWahl wahl(plattform);
  IDD_MAIN->show();
  TSteuerung& s = *IDD_MAIN->Dokument();
  TIDD_CHANGE_PERSON& fenster = *IDD_CHANGE_PERSON;

  NaechstePersonFehlt();
  try {
    fenster.Init(&s, -1);
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Kein Speicher für Person bearbeiten");
  }
  EXPECT_EQ(fenster.Kopie(), nullptr);

  fenster.Init(&s, -1);
  fenster.IDE_CARD->setText(QStringLiteral("AB12"));
  NaechstePersonFehlt();
  try {
    fenster.BitBtn1Click();
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Kein Speicher für Person bearbeiten");
  }
  ybrtest::g_allokationsRegel = nullptr;
  EXPECT_EQ(s.Personen.Anzahl, 0);
  EXPECT_NE(fenster.Kopie(), nullptr);  // the window stays open
  s.DatenGespeichert = true;
}

}  // namespace
