// Fetches when memory runs out for a record. This program replaces the global allocation
// functions so that, once armed, the first allocation of a record's size fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "DateiHilfe.h"
#include "Fehler.h"
#include "ListenHilfe.h"
#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "Steuerung.h"

namespace {
std::size_t g_fehlschlagGroesse = 0;  // 0: every allocation succeeds

void* Hole(std::size_t groesse) {
  if (g_fehlschlagGroesse != 0 && groesse == g_fehlschlagGroesse) {
    g_fehlschlagGroesse = 0;
    throw std::bad_alloc();
  }
  void* p = std::malloc(groesse == 0 ? 1 : groesse);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
}  // namespace

void* operator new(std::size_t groesse) { return Hole(groesse); }
void* operator new[](std::size_t groesse) { return Hole(groesse); }
void* operator new(std::size_t groesse, const std::nothrow_t&) noexcept {
  try {
    return Hole(groesse);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t groesse, const std::nothrow_t& nt) noexcept { return operator new(groesse, nt); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

class OhneSpeicherTest : public ::testing::Test {
 protected:
  OhneSpeicherTest() : s(std::make_unique<TSteuerung>(2026, ordner.Pfad())) {
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
  void TearDown() override { g_fehlschlagGroesse = 0; }

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
