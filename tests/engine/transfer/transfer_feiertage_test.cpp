// The holiday table transfer: block texts, the reference year, the switch pairs, old firmware,
// the block parse and the bounds of the table, against a scripted controller and end to end
// with the real library against controller_peer over TCP and a pseudo-terminal.
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/FeiertagsRebase.h"
#include "model/Feiertagsgenerator.h"
#include "model/ListenZugriff.h"
#include "text/Texte.h"

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "TransferFixture.h"
#include "common/TempOrdner.h"

namespace {

using transfertest::Weg;

// Cases print as their name, so that test names stay the same from build to build.
template <typename Fall>
requires requires(const Fall& f) { f.name; }
void PrintTo(const Fall& fall, std::ostream* os) { *os << fall.name; }

constexpr const char* kNumNa = "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)";
constexpr const char* kKeineAntwort = "Steuerung antwortet nicht\nauf Anschluß ";

// "<index>" and 64 values, each preceded by a blank, as the program sends a block.
std::string Block(int index, const std::vector<int>& anfang, int rest = 0) {
  std::string text = std::to_string(index);
  for (std::size_t i = 0; i < 64; ++i) text += ' ' + std::to_string(i < anfang.size() ? anfang[i] : rest);
  return text;
}

// A block answer as the controller sends it: index and values, each followed by a blank.
std::string Blockantwort(int index, const std::vector<int>& werte) {
  std::string text = std::to_string(index) + ' ';
  for (int w : werte) text += std::to_string(w) + ' ';
  return text;
}

SWUMSCHALTUNG Paar(int jahr, int tag1, int tag2) {
  SWUMSCHALTUNG p;
  p.Tag1 = static_cast<std::int16_t>(tag1);
  p.Monat1 = 3;
  p.Jahr1 = static_cast<std::int16_t>(jahr);
  p.Tag2 = static_cast<std::int16_t>(tag2);
  p.Monat2 = 10;
  p.Jahr2 = static_cast<std::int16_t>(jahr);
  p.Kennung = 1;
  return p;
}

// Switch days of 2026 and 2027 (reference year 2026) among holidays, and one of 2028 alone.
void SetzeUmschalttage(TSteuerung& s) {
  const Feiertagseintrag eintraege[] = {0x4001, 0xC058, 0xC12A, 0x416D, 0xC1C4, 0xC29D, 0xC330, FT_ENDE};
  std::copy(std::begin(eintraege), std::end(eintraege), s.Feiertagstabelle.begin());
}

// ---- against a scripted controller ----

class FeiertageTest : public ::testing::Test {
 protected:
  explicit FeiertageTest(std::uint16_t jahr = 2026) : s(jahr) {
    plattform.Window().Item().SetStep(1);
    plattform.Window().ClearEvents();
    s->ComPort = 2;
  }
  void TearDown() override { plattform.VerifyAllBoxesShown(); }

  std::vector<int> Befehle() const { return komm.SentCommands(); }
  std::vector<std::string> Texte(int befehl) const {
    std::vector<std::string> texte;
    for (const auto& c : komm.Sent()) {
      if (c.command == befehl) texte.push_back(c.text);
    }
    return texte;
  }
  std::size_t Geoeffnet() const { return komm.Calls(ScriptedKomm::Fn::OpenKommSer).size(); }
  long Schritte() {
    const auto& e = plattform.Window().Events();
    return std::count_if(e.begin(), e.end(), [](const std::string& z) { return z.rfind("Item.StepIt ", 0) == 0; });
  }
  std::size_t Geschlossen() const { return komm.Calls(ScriptedKomm::Fn::CloseKommunikation).size(); }
  // Acknowledges every telegram.
  void AllesQuittieren() {
    komm.SetResponder([](const ScriptedKomm::Call&) { return ScriptedKomm::Reply{kAntwortAck, ""}; });
  }
  // Answers the fetch requests: the block count, each block from `bloecke`, the reference year.
  void Controller(const std::vector<std::string>& bloecke, const std::string& bezugsjahr, int anzahl = -1) {
    const int n = anzahl >= 0 ? anzahl : static_cast<int>(bloecke.size());
    komm.SetResponder([bloecke, bezugsjahr, n](const ScriptedKomm::Call& c) -> ScriptedKomm::Reply {
      if (c.command == 17) return {18, std::to_string(n)};
      if (c.command == 96) return {95, bezugsjahr};
      if (c.command == 20) {
        const std::size_t i = static_cast<std::size_t>(std::stoi(c.text));
        return {23, bloecke.at(i % bloecke.size())};
      }
      return {};
    });
  }

  ScriptedPlattform plattform;
  ScriptedKomm komm;
  transfertest::Dokument s;
};

TEST_F(FeiertageTest, AnEmptyTableSendsOneBlockBeginningWithTheMarker) {
  AllesQuittieren();
  EXPECT_TRUE(s->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(Befehle(), (std::vector<int>{95, 18, 23, 90}));
  EXPECT_EQ(Texte(95), (std::vector<std::string>{"2026"}));
  EXPECT_EQ(Texte(18), (std::vector<std::string>{"0"}));
  EXPECT_EQ(Texte(23), (std::vector<std::string>{Block(0, {16383})}));
  EXPECT_EQ(Texte(90), (std::vector<std::string>{""}));
  EXPECT_EQ(s->AnzahlFeiertage, 0);
  EXPECT_EQ(plattform.Window().Label2(), "Sende Feiertage ...");
  EXPECT_EQ(plattform.Window().Label1Texts(),
            (std::vector<std::string>{"Sende Bezugsjahr ...", "Sende Anzahl Feiertageblöcke...", "Sende Block 0 ",
                                      "Sende Sommer/Winterumschaltung"}));
  EXPECT_EQ(plattform.Window().ItemBar().Max(), 1);  // B + pairs + 1
  EXPECT_EQ(Schritte(), 5);                          // reference year, count, the block twice, the switch list
  EXPECT_EQ(Geoeffnet(), 1U);
  EXPECT_EQ(Geschlossen(), 1U);
  for (const auto& c : komm.Sent()) {
    EXPECT_EQ(c.dest, 9);
    EXPECT_EQ(c.source, 0x300);
  }
}

TEST_F(FeiertageTest, SixtyFourEntriesSendTwoBlocksTheSecondBeginningWithTheMarker) {
  std::vector<int> eintraege;
  for (int i = 0; i < 64; ++i) {
    eintraege.push_back(0x4000 | (i + 1));
    s->Feiertagstabelle[static_cast<std::size_t>(i)] = static_cast<Feiertagseintrag>(0x4000 | (i + 1));
  }
  s->Feiertagstabelle[64] = FT_ENDE;
  AllesQuittieren();
  EXPECT_TRUE(s->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(Texte(18), (std::vector<std::string>{"1"}));
  EXPECT_EQ(Texte(23), (std::vector<std::string>{Block(0, eintraege), Block(1, {16383})}));
  EXPECT_EQ(s->AnzahlFeiertage, 64);
}

// The pairs are built from the table's switch days, whatever the list held before.
TEST_F(FeiertageTest, SwitchPairsFromTheTableFollowTheListStartInYearOrder) {
  HaengeAn(s->SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>(Paar(2020, 1, 2)));
  SetzeUmschalttage(*s);
  AllesQuittieren();
  EXPECT_TRUE(s->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(Befehle(), (std::vector<int>{95, 18, 23, 90, 92, 92}));
  EXPECT_EQ(Texte(92), (std::vector<std::string>{"29.3.2026 25.10.2026 1", "28.3.2027 31.10.2027 1"}));
  EXPECT_EQ(s->SWUmschaltungen.Anzahl, 2);
  EXPECT_EQ(plattform.Window().ItemBar().Max(), 3);
  EXPECT_EQ(Schritte(), 7);  // as for an empty table, and one per pair
}

TEST_F(FeiertageTest, ATableWithoutMarkerIsSentWithTheMarkerInItsLastEntry) {
  for (std::size_t i = 0; i < FEIERTAGE_MAX; ++i) s->Feiertagstabelle[i] = static_cast<Feiertagseintrag>(0x4000 | 5);
  const ::Feiertagstabelle vorher = s->Feiertagstabelle;
  AllesQuittieren();
  EXPECT_TRUE(s->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(Texte(18), (std::vector<std::string>{"63"}));
  const auto bloecke = Texte(23);
  ASSERT_EQ(bloecke.size(), 64U);
  EXPECT_EQ(bloecke.back().substr(0, 3), "63 ");
  EXPECT_EQ(bloecke.back().substr(bloecke.back().size() - 6), " 16383");
  EXPECT_EQ(s->AnzahlFeiertage, 4095);
  EXPECT_EQ(s->Feiertagstabelle, vorher);
}

TEST_F(FeiertageTest, OldFirmwareDeclinedSendsNothing) {
  s->AlteFirmware = true;
  s->Feiertagstabelle[0] = 0x4000 | 10;
  s->Feiertagstabelle[1] = FT_ENDE;
  const ::Feiertagstabelle vorher = s->Feiertagstabelle;
  plattform.ExpectBox("Hinweis", 52, plattform::ID_NO, Texte::TextAlteFirmware);
  EXPECT_TRUE(s->SendeFeiertage(plattform.Window()));
  EXPECT_TRUE(komm.Sent().empty());
  EXPECT_EQ(Geoeffnet(), 1U);
  EXPECT_EQ(Geschlossen(), 1U);
  EXPECT_EQ(s->Feiertagstabelle, vorher);
}

class AlteFirmwareTest : public FeiertageTest {
 protected:
  AlteFirmwareTest() : FeiertageTest(2010) {}
};

// 1 January 2010 is day 4384 counted from 1998: a day d of 2010 is sent as d + 4383, and the
// special day is left out. The document keeps its own table and reference year.
TEST_F(AlteFirmwareTest, AcceptedSendsTheTableRebasedTo1998FromACopy) {
  s->AlteFirmware = true;
  s->Feiertagstabelle[0] = 0x4000 | 10;
  s->Feiertagstabelle[1] = 0x6000 | 20;
  s->Feiertagstabelle[2] = 0x8000 | 30;
  s->Feiertagstabelle[3] = FT_ENDE;
  const ::Feiertagstabelle vorher = s->Feiertagstabelle;
  plattform.ExpectBox("Hinweis", 52, plattform::ID_YES, Texte::TextAlteFirmware);
  AllesQuittieren();
  EXPECT_TRUE(s->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(Befehle(), (std::vector<int>{18, 23, 90}));
  EXPECT_EQ(Texte(23), (std::vector<std::string>{Block(0, {0x4000 | 4393, 0x8000 | 4413, 16383})}));
  EXPECT_EQ(s->Feiertagstabelle, vorher);
  EXPECT_EQ(s->Geraetedaten.Bezugsjahr, 2010);
}

TEST_F(AlteFirmwareTest, FetchCountsFrom1998AndRebasesToTheCurrentYear) {
  s->AlteFirmware = true;
  Controller({Blockantwort(0, {0x4000 | 4000, 0x4000 | 4393, FT_ENDE})}, "");
  EXPECT_TRUE(s->HoleFeiertage(plattform.Window()));
  EXPECT_EQ(Befehle(), (std::vector<int>{17, 20}));
  EXPECT_EQ(s->Feiertagstabelle[0], 0x4000 | 10);
  EXPECT_EQ(s->Feiertagstabelle[1], FT_ENDE);
  EXPECT_EQ(s->Geraetedaten.Bezugsjahr, 2010);
}

struct SendeFehler {
  const char* name;
  int antwort;  // 0: silent
  std::string meldung;
};

class FeiertageSendeFehlerTest : public FeiertageTest, public ::testing::WithParamInterface<SendeFehler> {};

TEST_P(FeiertageSendeFehlerTest, AFailedBlockEndsTheSendWithItsTextAndClosesTheLink) {
  komm.SetResponder([](const ScriptedKomm::Call& c) -> ScriptedKomm::Reply {
    if (c.command == 23) return {GetParam().antwort, ""};
    return {kAntwortAck, ""};
  });
  try {
    s->SendeFeiertage(plattform.Window());
    FAIL() << "no KommError";
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, GetParam().meldung);
    EXPECT_EQ(Geschlossen(), 1U);
  }
  EXPECT_EQ(Texte(90).size(), 0U);
}

INSTANTIATE_TEST_SUITE_P(Fehler, FeiertageSendeFehlerTest,
                         ::testing::Values(SendeFehler{"numna", 39,
                                                       std::string(kNumNa) + "\nbeim Senden der Feiertage"},
                                           SendeFehler{"unknown", 255,
                                                       "Steuerung melded 'unknownCommand'\n   (Falsche "
                                                       "Firmwareversion?)\nbeim Senden der Feiertage"},
                                           SendeFehler{"silent", 0, std::string(kKeineAntwort) + "Com2"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the block parse ----

struct BlockFall {
  const char* name;
  std::string antwort;
  int position;  // HolePosition before
  int ergebnis;
  std::vector<int> erwartet;  // entries from the position before
  int positionDanach;
};

class BlockparseTest : public FeiertageTest, public ::testing::WithParamInterface<BlockFall> {};

TEST_P(BlockparseTest, StoresEachValueFollowedByABlank) {
  const BlockFall& f = GetParam();
  ::Feiertagstabelle tabelle{};
  tabelle.fill(0x1111);
  SchreibeText(s->AntwortPuffer, f.antwort);
  s->HolePosition = static_cast<std::int16_t>(f.position);
  EXPECT_EQ(s->LeseFeiertagsblock(tabelle), f.ergebnis);
  EXPECT_EQ(s->HolePosition, f.positionDanach);
  for (std::size_t i = 0; i < f.erwartet.size(); ++i) {
    EXPECT_EQ(tabelle[static_cast<std::size_t>(f.position) + i], f.erwartet[i]) << i;
  }
  // Nothing beyond what was read changed.
  const std::size_t danach = static_cast<std::size_t>(f.position) + f.erwartet.size();
  if (danach < FEIERTAGE_MAX) {
    EXPECT_EQ(tabelle[danach], 0x1111);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BlockparseTest,
    ::testing::Values(BlockFall{"last_value_without_blank_is_not_read", "3 100 200", 0, 0, {100}, 1},
                      BlockFall{"last_value_with_blank_is_read", "3 100 200 ", 0, 0, {100, 200}, 2},
                      BlockFall{"no_blank_at_all", "3", 0, 0, {}, 0},
                      BlockFall{"marker_stops_and_position_stays_on_it", "0 16384 16383 5 ", 7, 2, {16384, 16383}, 8},
                      BlockFall{"any_value_with_14_low_bits_set_is_the_marker", "1 65535 ", 0, 2, {65535}, 0},
                      BlockFall{"low_16_bits_of_a_larger_number", "1 70000 ", 0, 0, {70000 & 0xFFFF}, 1},
                      BlockFall{"conversion_stops_at_a_non_digit", "1 12x 7 ", 0, 0, {12, 7}, 2},
                      BlockFall{"no_digits_give_zero", "1 abc  9 ", 0, 0, {0, 0, 9}, 3},
                      BlockFall{
                          "the_last_entry_takes_only_the_marker", "63 16384 16385 ", 4094, 2, {16384, FT_ENDE}, 4095},
                      BlockFall{"a_position_outside_the_table_reads_nothing", "1 5 ", 4096, 2, {}, 4096}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the fetch ----

TEST_F(FeiertageTest, FetchStopsAfterTheBlockWithTheMarkerAndRebasesNothingForTheSameYear) {
  std::vector<int> werte;
  for (int i = 0; i < 64; ++i) werte.push_back(0x4000 | (i + 1));
  std::vector<int> zweiter = {0x8000 | 100, FT_ENDE, 7, 7};
  Controller({Blockantwort(0, werte), Blockantwort(1, zweiter)}, "2026", 5);
  EXPECT_TRUE(s->HoleFeiertage(plattform.Window()));
  EXPECT_EQ(Befehle(), (std::vector<int>{17, 20, 20, 96}));
  EXPECT_EQ(Texte(20), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(s->AnzahlFeiertage, 65);
  EXPECT_EQ(s->HolePosition, 65);
  EXPECT_EQ(s->Feiertagstabelle[63], 0x4000 | 64);
  EXPECT_EQ(s->Feiertagstabelle[64], 0x8000 | 100);
  EXPECT_EQ(s->Feiertagstabelle[65], FT_ENDE);
  EXPECT_EQ(s->Feiertagstabelle[66], 0);
  EXPECT_EQ(s->Geraetedaten.Bezugsjahr, 2026);
  EXPECT_EQ(plattform.Window().Label2(), "Hole Feiertage ...");
  EXPECT_EQ(plattform.Window().Label1Texts(),
            (std::vector<std::string>{"Hole Block 1 ", "Hole Block 2 ", "Hole Bezugsjahr ..."}));
  EXPECT_EQ(plattform.Window().ItemBar().Max(), 7);
  EXPECT_EQ(Schritte(), 3);  // two blocks, the reference year
  EXPECT_EQ(Geschlossen(), 1U);
}

TEST_F(FeiertageTest, FetchedBlocksWithoutMarkerGetItAfterTheirLastEntry) {
  std::vector<int> werte(64, 0x4000 | 3);
  Controller({Blockantwort(0, werte)}, "2026");
  EXPECT_TRUE(s->HoleFeiertage(plattform.Window()));
  EXPECT_EQ(s->AnzahlFeiertage, 64);
  EXPECT_EQ(s->Feiertagstabelle[63], 0x4000 | 3);
  EXPECT_EQ(s->Feiertagstabelle[64], FT_ENDE);
}

TEST_F(FeiertageTest, AControllerSendingMoreThanTheTableHoldsNeverWritesPastItsLastEntry) {
  std::vector<int> werte(64, 0x4000 | 3);
  Controller({Blockantwort(0, werte)}, "2026", 100);
  EXPECT_TRUE(s->HoleFeiertage(plattform.Window()));
  EXPECT_EQ(Texte(20).size(), 64U);
  EXPECT_EQ(s->Feiertagstabelle[4094], 0x4000 | 3);
  EXPECT_EQ(s->Feiertagstabelle[4095], FT_ENDE);
  EXPECT_EQ(s->AnzahlFeiertage, 4095);
}

struct JahrFall {
  const char* name;
  std::string antwort;
  std::string fehler;  // "" when the fetch succeeds
  std::uint16_t bezugsjahr;
  std::vector<int> tabelle;  // entries from 0, marker included
};

class BezugsjahrTest : public FeiertageTest, public ::testing::WithParamInterface<JahrFall> {};

// The controller holds 0x4000|10 and 0x4000|800 counted from its own reference year.
TEST_P(BezugsjahrTest, TheControllersReferenceYear) {
  const JahrFall& f = GetParam();
  s->Feiertagstabelle[0] = 0x8000 | 44;
  s->Feiertagstabelle[1] = FT_ENDE;
  const ::Feiertagstabelle vorher = s->Feiertagstabelle;
  Controller({Blockantwort(0, {0x4000 | 10, 0x4000 | 800, FT_ENDE})}, f.antwort);
  if (f.fehler.empty()) {
    EXPECT_TRUE(s->HoleFeiertage(plattform.Window()));
  } else {
    try {
      s->HoleFeiertage(plattform.Window());
      ADD_FAILURE() << "no IoError";
    } catch (const IoError& e) {
      EXPECT_EQ(e.Meldung, f.fehler);
    }
    EXPECT_EQ(s->Feiertagstabelle, vorher);
  }
  EXPECT_EQ(s->Geraetedaten.Bezugsjahr, f.bezugsjahr);
  for (std::size_t i = 0; i < f.tabelle.size(); ++i) EXPECT_EQ(s->Feiertagstabelle[i], f.tabelle[i]) << i;
  EXPECT_EQ(Geschlossen(), 1U);
}

// Two years back: 2024 has 366 days and 2025 365, so 731 days drop and the rest moves down.
INSTANTIATE_TEST_SUITE_P(
    Faelle, BezugsjahrTest,
    ::testing::Values(
        JahrFall{"same_year", "2026", "", 2026, {0x4000 | 10, 0x4000 | 800, FT_ENDE}},
        JahrFall{"no_number_keeps_the_documents_year", "", "", 2026, {0x4000 | 10, 0x4000 | 800, FT_ENDE}},
        JahrFall{"two_years_back", "2024", "", 2026, {0x4000 | 69, FT_ENDE}},
        JahrFall{
            "empty_memory", "-1", "Steuerung hat leeren Flash, Daten holen unmöglich.", 2026, {0x8000 | 44, FT_ENDE}},
        JahrFall{"before_1900",
                 "1899",
                 "Bezugsjahr der Steuerung liegt vor 1900, Übernahme der Feiertage unmöglich.",
                 2026,
                 {0x8000 | 44, FT_ENDE}},
        JahrFall{"negative_as_16_bits",
                 "40000",
                 "Bezugsjahr der Steuerung liegt vor 1900, Übernahme der Feiertage unmöglich.",
                 2026,
                 {0x8000 | 44, FT_ENDE}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FeiertageTest, AFailedBlockRequestLeavesTheDocumentsTable) {
  s->Feiertagstabelle[0] = 0x8000 | 44;
  s->Feiertagstabelle[1] = FT_ENDE;
  const ::Feiertagstabelle vorher = s->Feiertagstabelle;
  komm.SetResponder([](const ScriptedKomm::Call& c) -> ScriptedKomm::Reply {
    if (c.command == 17) return {18, "3"};
    if (c.command == 20 && c.text == "0") return {23, Blockantwort(0, std::vector<int>(64, 0x4000 | 9))};
    return {39, ""};
  });
  try {
    s->HoleFeiertage(plattform.Window());
    ADD_FAILURE() << "no KommError";
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, std::string(kNumNa) + "\nbeim Lesen der Feiertage");
  }
  EXPECT_EQ(s->Feiertagstabelle, vorher);
  EXPECT_EQ(Geschlossen(), 1U);
}

// ---- end to end against controller_peer ----

class FeiertagePeerTest : public ::testing::TestWithParam<Weg> {
 protected:
  void TearDown() override { plattform.VerifyAllBoxesShown(); }
  void Verbinde(transfertest::Dokument& d) { transfertest::Verbinde(*d, peer, GetParam()); }

  ScriptedPlattform plattform;
  ybrtest::PeerProcess peer{{"--address", "9"}};
};

// All 4096 entries in use: 4095 days of every kind, the marker in the last entry. Switch days
// stand twice in every 200 days, so the switch pairs sent after the table stay few (each is a
// telegram of its own).
TEST_P(FeiertagePeerTest, AFullTableTravelsThereAndBackUnchanged) {
  transfertest::Dokument a(2026), b(2026);
  Verbinde(a);
  Verbinde(b);
  constexpr Feiertagseintrag kArten[] = {FT_FEIERTAG, FT_SONDERTAG1, FT_HALBER_FEIERTAG, FT_SONDERTAG2};
  for (std::size_t i = 0; i + 1 < FEIERTAGE_MAX; ++i) {
    const Feiertagseintrag art = i % 100 == 4 ? FT_UMSCHALTTAG : kArten[i % 4];
    a->Feiertagstabelle[i] = static_cast<Feiertagseintrag>(art | (i + 1));
  }
  a->Feiertagstabelle[FEIERTAGE_MAX - 1] = FT_ENDE;
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(transfertest::TexteVon(peer, 18), (std::vector<std::string>{"63"}));
  EXPECT_EQ(transfertest::TexteVon(peer, 23).size(), 64U);

  EXPECT_TRUE(b->HoleFeiertage(plattform.Window()));
  EXPECT_EQ(b->Feiertagstabelle, a->Feiertagstabelle);
  EXPECT_EQ(b->AnzahlFeiertage, 4095);
  EXPECT_EQ(b->Geraetedaten.Bezugsjahr, 2026);
}

TEST_P(FeiertagePeerTest, BlockTextsOfAnEmptyAndASixtyFourEntryTableAndTheSwitchPairs) {
  transfertest::Dokument a(2026);
  Verbinde(a);
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));
  std::vector<int> eintraege;
  for (int i = 0; i < 64; ++i) {
    eintraege.push_back(i == 20 ? 0xC058 : i == 60 ? 0xC12A : 0x4000 | (2 * i + 1));
    a->Feiertagstabelle[static_cast<std::size_t>(i)] = static_cast<Feiertagseintrag>(eintraege.back());
  }
  a->Feiertagstabelle[64] = FT_ENDE;
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));

  EXPECT_EQ(transfertest::Empfangen(peer), (std::vector<int>{95, 18, 23, 90, 95, 18, 23, 23, 90, 92}));
  EXPECT_EQ(transfertest::TexteVon(peer, 23),
            (std::vector<std::string>{Block(0, {16383}), Block(0, eintraege), Block(1, {16383})}));
  EXPECT_EQ(transfertest::TexteVon(peer, 92), (std::vector<std::string>{"29.3.2026 25.10.2026 1"}));
  for (const ybrtest::PeerTraceLine& zeile : peer.Trace()) {
    if (zeile.dir == "tx") {
      EXPECT_EQ(zeile.command, kAntwortAck) << zeile.text;
    }
  }
}

// The pairs are not stored in the document file and loading clears them: the send builds them.
TEST_P(FeiertagePeerTest, ALoadedDocumentSendsTheSwitchPairsOfItsTable) {
  TempOrdner ablage;
  const std::string pfad = ablage.Pfad() + "kalender.wuz";
  {
    transfertest::Dokument a(2026);
    ASSERT_EQ(ErzeugeFeiertage(a->Feiertagstabelle, 2026, 2026, 2027, Feiertagsauswahl{}), Jahrespruefung::Ok);
    ASSERT_TRUE(a->Save(pfad));
  }
  transfertest::Dokument b(2026);
  Verbinde(b);
  ASSERT_TRUE(b->Load(pfad));
  EXPECT_EQ(b->SWUmschaltungen.Anzahl, 0);
  EXPECT_TRUE(b->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(transfertest::Empfangen(peer), (std::vector<int>{95, 18, 23, 90, 92, 92}));
  EXPECT_EQ(transfertest::TexteVon(peer, 92),
            (std::vector<std::string>{"29.3.2026 25.10.2026 1", "28.3.2027 31.10.2027 1"}));
}

TEST_P(FeiertagePeerTest, OldFirmwareNoSendsNothingYesLeavesTheDocumentAsItWas) {
  transfertest::Dokument a(2010);
  Verbinde(a);
  a->AlteFirmware = true;
  a->Feiertagstabelle[0] = 0x4000 | 10;
  a->Feiertagstabelle[1] = 0xA000 | 11;
  a->Feiertagstabelle[2] = FT_ENDE;
  const ::Feiertagstabelle vorher = a->Feiertagstabelle;
  plattform.ExpectBox("Hinweis", 52, plattform::ID_NO, Texte::TextAlteFirmware);
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));
  EXPECT_TRUE(transfertest::Empfangen(peer).empty());

  plattform.ExpectBox("Hinweis", 52, plattform::ID_YES, Texte::TextAlteFirmware);
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(transfertest::Empfangen(peer), (std::vector<int>{18, 23, 90}));
  EXPECT_EQ(transfertest::TexteVon(peer, 23), (std::vector<std::string>{Block(0, {0x4000 | 4393, 16383})}));
  EXPECT_EQ(a->Feiertagstabelle, vorher);
  EXPECT_EQ(a->Geraetedaten.Bezugsjahr, 2010);
}

TEST_P(FeiertagePeerTest, AnEmptyControllerAnswersMinusOneAndTheDocumentStays) {
  transfertest::Dokument b(2026);
  Verbinde(b);
  b->Feiertagstabelle[0] = 0x4000 | 10;
  b->Feiertagstabelle[1] = FT_ENDE;
  const ::Feiertagstabelle vorher = b->Feiertagstabelle;
  try {
    b->HoleFeiertage(plattform.Window());
    ADD_FAILURE() << "no IoError";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung hat leeren Flash, Daten holen unmöglich.");
  }
  EXPECT_EQ(b->Feiertagstabelle, vorher);
  EXPECT_EQ(b->Geraetedaten.Bezugsjahr, 2026);
  EXPECT_EQ(transfertest::Empfangen(peer), (std::vector<int>{17, 96}));
}

TEST_P(FeiertagePeerTest, AReferenceYearBefore1900IsRefused) {
  transfertest::Dokument a(2026), b(2026);
  Verbinde(a);
  Verbinde(b);
  a->Feiertagstabelle[0] = 0x4000 | 10;
  a->Feiertagstabelle[1] = FT_ENDE;
  a->Geraetedaten.Bezugsjahr = 1899;
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));
  const ::Feiertagstabelle vorher = b->Feiertagstabelle;
  try {
    b->HoleFeiertage(plattform.Window());
    ADD_FAILURE() << "no IoError";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Bezugsjahr der Steuerung liegt vor 1900, Übernahme der Feiertage unmöglich.");
  }
  EXPECT_EQ(b->Feiertagstabelle, vorher);
  EXPECT_EQ(b->Geraetedaten.Bezugsjahr, 2026);
}

TEST_P(FeiertagePeerTest, AControllerTwoYearsBackIsRebasedToTheCurrentYear) {
  transfertest::Dokument a(2026), b(2026);
  Verbinde(a);
  Verbinde(b);
  // Counted from 2024: 20 January 2024, 1 January 2026 (day 732) and 10 January 2026.
  a->Geraetedaten.Bezugsjahr = 2024;
  a->Feiertagstabelle[0] = 0x4000 | 20;
  a->Feiertagstabelle[1] = 0x4000 | 732;
  a->Feiertagstabelle[2] = 0x8000 | 741;
  a->Feiertagstabelle[3] = FT_ENDE;
  EXPECT_TRUE(a->SendeFeiertage(plattform.Window()));
  EXPECT_EQ(transfertest::TexteVon(peer, 95), (std::vector<std::string>{"2024"}));
  EXPECT_TRUE(b->HoleFeiertage(plattform.Window()));
  EXPECT_EQ(b->Geraetedaten.Bezugsjahr, 2026);
  EXPECT_EQ(b->Feiertagstabelle[0], 0x4000 | 1);
  EXPECT_EQ(b->Feiertagstabelle[1], 0x8000 | 10);
  EXPECT_EQ(b->Feiertagstabelle[2], FT_ENDE);
}

INSTANTIATE_TEST_SUITE_P(Wege, FeiertagePeerTest, ::testing::Values(Weg::Tcp, Weg::Pty),
                         [](const auto& info) { return std::string(transfertest::Name(info.param)); });

}  // namespace
