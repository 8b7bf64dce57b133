// Fetches when memory runs out for a record. This program replaces the global allocation
// functions so that, once armed, the first allocation of a record's size fails.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "common/FehlendeAllokation.h"
#include "common/TempOrdner.h"

namespace {

std::size_t g_fehlschlagGroesse = 0;  // 0: every allocation succeeds

// The first allocation of g_fehlschlagGroesse bytes fails, and disarms it.
bool GroesseSchlaegtEinmalFehl(std::size_t groesse) {
  if (g_fehlschlagGroesse == 0 || groesse != g_fehlschlagGroesse) return false;
  g_fehlschlagGroesse = 0;
  return true;
}

class OhneSpeicherTest : public ::testing::Test {
 protected:
  OhneSpeicherTest() : s(std::make_unique<TSteuerung>(2026, ordner.Pfad())) {
    ybrtest::g_allokationsRegel = GroesseSchlaegtEinmalFehl;
    // Room for every progress event up front, so that only the records are allocated of their size.
    for (int i = 0; i < 64; ++i) plattform.Window().Item().SetStep(1);
    plattform.Window().ClearEvents();
  }
  // The controller answers `anzahl` to the count request `zaehlBefehl`; right after that answer
  // the next allocation of `groesse` bytes fails.
  void Antworte(int zaehlBefehl, int antwort, std::size_t groesse, int anzahl) {
    komm.SetResponder([=](const ScriptedKomm::Call& c) {
      if (c.command == zaehlBefehl) {
        g_fehlschlagGroesse = groesse;
        return ScriptedKomm::Reply{antwort, std::to_string(anzahl), ScriptedKomm::kDestination};
      }
      return ScriptedKomm::Reply{0, "", ScriptedKomm::kDestination};
    });
  }
  void TearDown() override {
    ybrtest::g_allokationsRegel = nullptr;
    g_fehlschlagGroesse = 0;
  }

  ScriptedPlattform plattform;
  ScriptedKomm komm;
  TempOrdner ordner;
  std::unique_ptr<TSteuerung> s;
};

TEST_F(OhneSpeicherTest, PersonFetchRaisesKeinSpeicherAndKeepsThePersons) {
  auto p = std::make_unique<PERSON>();
  SchreibeText(p->Name, "Bleibt");
  HaengeAn(s->Personen, std::move(p));
  Antworte(46, 48, sizeof(PERSON), 5);
  try {
    s->HolePersonen(plattform.Window());
    ADD_FAILURE() << "no exception";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "kein Speicher");
  }
  EXPECT_EQ(g_fehlschlagGroesse, 0u) << "no record was allocated";
  ASSERT_EQ(s->Personen.Anzahl, 1);
  EXPECT_STREQ(Element(s->Personen, 0).Name, "Bleibt");
  EXPECT_EQ(komm.Calls().back().fn, ScriptedKomm::Fn::CloseKommunikation);
}

TEST_F(OhneSpeicherTest, ProfileFetchTurnsItIntoTheMemoryFaultTextAndKeepsTheProfiles) {
  Antworte(54, 57, sizeof(PROFIL), 2);
  komm.Answer(27, "1 A B");
  try {
    s->HoleProfile(plattform.Window());
    ADD_FAILURE() << "no exception";
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Speicherzugriffsfehler in Funktion 'Profile holen'.");
  }
  EXPECT_EQ(g_fehlschlagGroesse, 0u) << "no record was allocated";
  ASSERT_EQ(s->Profile.Anzahl, 3);
  EXPECT_STREQ(Element(s->Profile, 2).Name, "werktags");
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "T\xFCr 1");
  EXPECT_EQ(komm.Calls().back().fn, ScriptedKomm::Fn::CloseKommunikation);
}

}  // namespace
