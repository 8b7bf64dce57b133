// Default profiles, the check of time lines with the reader-to-door word, the number of door
// profiles and the conversion of old day bits.
#include "model/Profile.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "model/ListenZugriff.h"

#include "Linie.h"

namespace {

void HaengeProfilAn(Array<PROFIL*>& profile, std::vector<Zeitlinie> linien) {
  auto p = std::make_unique<PROFIL>();
  for (std::size_t i = 0; i < linien.size(); ++i) p->Zeitlinien[i] = linien[i];
  HaengeAn(profile, std::move(p));
}

TEST(StandardProfile, NieImmerWerktags) {
  Array<PROFIL*> profile;
  ErzeugeStandardProfile(profile);
  ASSERT_EQ(profile.Anzahl, 3);

  PROFIL nie;
  SchreibeText(nie.Name, "nie");
  EXPECT_EQ(Element(profile, 0), nie);

  PROFIL immer;
  SchreibeText(immer.Name, "immer");
  immer.Zeitlinien[0] = Linie(0, 0, 24, 0, 0x11FF, 0x21);
  EXPECT_EQ(Element(profile, 1), immer);

  PROFIL werktags;
  SchreibeText(werktags.Name, "werktags");
  werktags.Zeitlinien[0] = Linie(8, 0, 18, 0, 0x101F, 0x21);
  werktags.Zeitlinien[1] = Linie(8, 0, 16, 0, 0x10A0, 0x21);
  EXPECT_EQ(Element(profile, 2), werktags);
}

TEST(StandardTuerprofile, ThreeWithEmptyLines30And5) {
  Array<TUERPROFIL*> tuerprofile;
  ErzeugeStandardTuerprofile(tuerprofile);
  ASSERT_EQ(tuerprofile.Anzahl, 3);
  for (int i = 0; i < 3; ++i) {
    const TUERPROFIL& t = Element(tuerprofile, i);
    for (const Zeitlinie& z : t.Zeitlinien) EXPECT_EQ(z, Zeitlinie{});
    EXPECT_EQ(t.Ueberwachungszeit, 30);
    EXPECT_EQ(t.Freigabezeit, 5);
  }
}

TEST(PruefeZeitlinien, ZeroesLinesPastTheLimitsAndKeepsTheOthers) {
  struct Fall {
    Zeitlinie linie;
    bool bleibt;
  };
  const std::vector<Fall> faelle = {
      {Linie(7, 70, 8, 0, 0x101F, 0x01), false},  // minute 70
      {Linie(7, 65, 8, 0, 0x101F, 0x01), true},   // 65 is still taken
      {Linie(7, 0, 8, 69, 0x101F, 0x01), true},   {Linie(7, 0, 8, 70, 0x101F, 0x01), false},
      {Linie(25, 0, 26, 0, 0x101F, 0x01), false}, {Linie(8, 0, 25, 0, 0x101F, 0x01), false},
      {Linie(24, 0, 24, 0, 0x101F, 0x01), true},
  };
  for (const Fall& f : faelle) {
    Array<PROFIL*> profile;
    HaengeProfilAn(profile, {f.linie});
    const std::uint16_t zuordnung = PruefeZeitlinien(profile);
    EXPECT_EQ(Element(profile, 0).Zeitlinien[0], f.bleibt ? f.linie : Zeitlinie{})
        << int(f.linie.VonStunde) << ":" << int(f.linie.VonMinute) << "-" << int(f.linie.BisStunde) << ":"
        << int(f.linie.BisMinute);
    EXPECT_EQ(zuordnung, f.bleibt ? 0x01 : 0x00);
  }
}

TEST(PruefeZeitlinien, ReaderToDoorWordFromTheValidLinesOfAllProfiles) {
  Array<PROFIL*> profile;
  HaengeProfilAn(profile, {Linie(8, 0, 9, 0, 0x1001, 0x01), Linie(8, 0, 9, 0, 0x1001, 0x08)});
  HaengeProfilAn(profile,
                 {Linie(8, 0, 9, 0, 0x1001, 0x22), Linie(8, 0, 9, 0, 0x1001, 0x80), Linie(30, 0, 9, 0, 0x1001, 0x44)});
  EXPECT_EQ(PruefeZeitlinien(profile), 0x23);
}

// Each line keeps its doors through a new reader-to-door word; only invalid lines are zeroed.
TEST(PasseZeitlinienAn, EachLineKeepsItsDoorsInTheNewAssignment) {
  struct Fall {
    const char* name;
    std::uint16_t alt, neu;
    std::uint16_t tueren, erwartet;
  };
  const Fall faelle[] = {
      {"door1_stays_door1", 0x01, 0x21, 0x01, 0x01},
      {"door1_moves_to_reader2", 0x01, 0x12, 0x01, 0x10},
      {"door1_by_both_readers", 0x21, 0x11, 0x01, 0x11},
      {"door1_and_2", 0x21, 0x33, 0x21, 0x33},
      {"reader2_bit_counts_for_its_door", 0x21, 0x03, 0x20, 0x02},
      {"door_no_longer_assigned", 0x21, 0x01, 0x20, 0x00},
      {"door3", 0x01, 0x47, 0x04, 0x44},
      {"line_without_doors", 0x01, 0x77, 0x00, 0x00},
      {"unchanged_word_changes_nothing", 0x01, 0x01, 0x21, 0x21},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Array<PROFIL*> profile;
    HaengeProfilAn(profile, {Linie(8, 0, 18, 0, 0x101F, f.tueren)});
    EXPECT_EQ(PasseZeitlinienAn(profile, f.alt, f.neu), f.tueren != f.erwartet);
    EXPECT_EQ(Element(profile, 0).Zeitlinien[0], Linie(8, 0, 18, 0, 0x101F, f.erwartet));
  }
}

TEST(PasseZeitlinienAn, InvalidLinesAreZeroedAlsoWithAnUnchangedWord) {
  for (const std::uint16_t neu : {std::uint16_t{0x01}, std::uint16_t{0x21}}) {
    Array<PROFIL*> profile;
    HaengeProfilAn(profile, {Linie(8, 0, 18, 0, 0x101F, 0x01)});
    HaengeProfilAn(profile, {Linie(25, 0, 26, 0, 0x101F, 0x01), Linie(8, 70, 9, 0, 0x1001, 0x01)});
    EXPECT_TRUE(PasseZeitlinienAn(profile, 0x01, neu));
    EXPECT_EQ(Element(profile, 0).Zeitlinien[0], Linie(8, 0, 18, 0, 0x101F, 0x01));
    EXPECT_EQ(Element(profile, 1).Zeitlinien[0], Zeitlinie{});
    EXPECT_EQ(Element(profile, 1).Zeitlinien[1], Zeitlinie{});
  }
}

TEST(ErgaenzeTuerprofile, AlwaysLeavesTheFirstThree) {
  for (int anzahl : {0, 1, 2, 3, 4, 7}) {
    Array<TUERPROFIL*> tuerprofile;
    for (int i = 0; i < anzahl; ++i) {
      auto t = std::make_unique<TUERPROFIL>();
      t->Freigabezeit = 100 + i;
      HaengeAn(tuerprofile, std::move(t));
    }
    ErgaenzeTuerprofile(tuerprofile);
    ASSERT_EQ(tuerprofile.Anzahl, 3) << anzahl;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Element(tuerprofile, i).Freigabezeit, i < anzahl ? 100 + i : 5) << anzahl;
      EXPECT_EQ(Element(tuerprofile, i).Ueberwachungszeit, 30);
    }
  }
}

TEST(KonvertiereAlteFlags, MovesTheOldDayBitsIntoTheDoorWord) {
  struct Fall {
    std::uint16_t tage, tueren, tageDanach, tuerenDanach;
  };
  const std::vector<Fall> faelle = {
      {0x0601, 0x0000, 0x0001, 0x0021},
      {0x0201, 0x0010, 0x0001, 0x0011},
      {0x0402, 0x0000, 0x0002, 0x0020},
      {0x10FF, 0x0044, 0x10FF, 0x0044},
  };
  for (const Fall& f : faelle) {
    Array<PROFIL*> profile;
    HaengeProfilAn(profile, {});
    Element(profile, 0).Zeitlinien[17] = Linie(8, 0, 9, 0, f.tage, f.tueren);
    KonvertiereAlteFlags(profile);
    EXPECT_EQ(Element(profile, 0).Zeitlinien[17], Linie(8, 0, 9, 0, f.tageDanach, f.tuerenDanach)) << f.tage;
  }
}

}  // namespace
