// The document file (current and older layout) and the bookings file: exact bytes, round
// trips, conversion, and failures that leave the open document and the files as they were.
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "document/SichereDatei.h"
#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "common/FehlendeAllokation.h"
#include "common/TempOrdner.h"

// This program replaces the global allocation functions, so a test can make every allocation
// above a size fail, as when a file does not fit in memory.
namespace {

constexpr std::uint16_t kJahr = 2026;

// While it exists, every allocation of more than `bytes` fails.
class AllokationsGrenze {
 public:
  explicit AllokationsGrenze(std::size_t bytes) {
    s_groesste = bytes;
    ybrtest::g_allokationsRegel = [](std::size_t groesse) { return groesse > s_groesste; };
  }
  ~AllokationsGrenze() { ybrtest::g_allokationsRegel = nullptr; }
  AllokationsGrenze(const AllokationsGrenze&) = delete;
  AllokationsGrenze& operator=(const AllokationsGrenze&) = delete;

 private:
  static inline std::size_t s_groesste = 0;
};

std::uint16_t U16(const std::string& d, std::size_t o) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(d[o]) | (static_cast<std::uint8_t>(d[o + 1]) << 8));
}
std::uint32_t U32(const std::string& d, std::size_t o) {
  return U16(d, o) | (static_cast<std::uint32_t>(U16(d, o + 2)) << 16);
}
void Setze16(std::string& d, std::size_t o, std::uint16_t v) {
  d[o] = static_cast<char>(v & 0xFF);
  d[o + 1] = static_cast<char>(v >> 8);
}
std::string Le16(std::uint16_t v) {
  std::string s(2, '\0');
  Setze16(s, 0, v);
  return s;
}
template <typename T>
std::string Bytes(const T& r) {
  std::uint8_t b[T::Groesse];
  SchreibeBytes(r, std::span<std::uint8_t, T::Groesse>(b));
  return std::string(reinterpret_cast<const char*>(b), T::Groesse);
}

// Everything a load may change, as one string, to see that a failed load changed nothing.
std::string Abbild(TSteuerung& s) {
  std::string a(s.Version, sizeof s.Version);
  for (std::uint16_t e : s.Feiertagstabelle) a += Le16(e);
  for (int i = 0; i < s.Profile.Anzahl; ++i) a += Bytes(Element(s.Profile, i));
  a += "|";
  for (int i = 0; i < s.Personen.Anzahl; ++i) a += Bytes(Element(s.Personen, i));
  a += "|";
  for (int i = 0; i < s.Tuerprofile.Anzahl; ++i) a += Bytes(Element(s.Tuerprofile, i));
  a += "|";
  for (int i = 0; i < s.Buchungen.Anzahl; ++i) a += Bytes(Element(s.Buchungen, i));
  a += "|" + std::to_string(s.SWUmschaltungen.Anzahl) + "|" + Bytes(s.Geraetedaten) + "|" + s.NameSondertag1 + "|" +
       s.NameSondertag2 + "|" + std::to_string(s.LeserTuerZuordnung) + "|" + std::to_string(s.Geraetetyp) + "|" +
       std::to_string(s.AnzahlProfile) + "," + std::to_string(s.AnzahlPersonen) + "," +
       std::to_string(s.AnzahlTuerprofile) + "|" + s.Dateiname + "|" + s.BuchungsDateiname + "|" +
       std::to_string(s.BuchungenGeladen) + std::to_string(s.BuchungenGespeichert) + std::to_string(s.DokumentGeladen) +
       std::to_string(s.DatenGespeichert);
  return a;
}

books Buchung(int i) {
  books b;
  b.Jahr = static_cast<std::uint16_t>(2020 + i % 5);
  b.Monat = static_cast<std::uint16_t>(1 + i % 12);
  b.Tag = static_cast<std::uint16_t>(1 + i % 28);
  b.Stunde = static_cast<std::uint16_t>(i % 24);
  b.Minute = static_cast<std::uint16_t>(i % 60);
  b.Sekunde = static_cast<std::uint16_t>((i * 7) % 60);
  SchreibeText(b.Karte, "K" + std::to_string(1000 + i));
  SchreibeText(b.Name, "Person " + std::to_string(i));
  b.Ereignis1 = static_cast<std::uint8_t>(0x09);
  b.Ereignis2 = static_cast<std::uint8_t>(i % 2 ? 0x02 : 0x08);
  return b;
}

class DokumentDateiTest : public ::testing::Test {
 protected:
  void TearDown() override { plattform.VerifyAllBoxesShown(); }

  std::unique_ptr<TSteuerung> Neu() { return std::make_unique<TSteuerung>(kJahr, ordner.Pfad()); }

  // A document with something in every section.
  std::unique_ptr<TSteuerung> Gefuellt(int personen = 3, int buchungen = 4) {
    auto s = Neu();
    s->Feiertagstabelle[0] = FT_FEIERTAG | 1;
    s->Feiertagstabelle[1] = FT_SONDERTAG1 | 40;
    s->Feiertagstabelle[2] = FT_UMSCHALTTAG | 88;
    s->Feiertagstabelle[3] = FT_ENDE;
    auto p = std::make_unique<PROFIL>();
    SchreibeText(p->Name, "Nachtschicht");
    p->Zeitlinien[17] = {22, 0, 24, 0, 0x107F, 0x44};
    HaengeAn(s->Profile, std::move(p));
    for (int i = 0; i < personen; ++i) {
      auto person = std::make_unique<PERSON>();
      SchreibeText(person->Profil, "immer");
      person->Status1 = 1;
      SchreibeText(person->Code, "AAAA");
      SchreibeText(person->Karte, "0123456789ABCDEF" + std::to_string(i));
      SchreibeText(person->Name, "M\xFCller " + std::to_string(i));
      HaengeAn(s->Personen, std::move(person));
    }
    Element(s->Tuerprofile, 2).Zeitlinien[5] = {6, 30, 7, 15, 0x081F, 0};
    Element(s->Tuerprofile, 2).Freigabezeit = 12;
    for (int i = 0; i < buchungen; ++i) HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(i)));
    s->Geraetedaten.Flags = 0x81C3;
    s->Geraetetyp = 1;
    SchreibeText(s->Geraetedaten.NameTuer1, "Haupteingang");
    s->NameSondertag1 = "Betriebsausflug";
    s->NameSondertag2 = "Inventur";
    s->LeserTuerZuordnung = 0x21;
    return s;
  }

  // A new document object that opened "a.wuz" (one person, two bookings) while its bookings
  // file "a.bks" may be written but not read; the file stays so.
  std::unique_ptr<TSteuerung> MitUnlesbarenBuchungen() {
    EXPECT_TRUE(Gefuellt(1, 2)->Save(ordner / "a.wuz"));
    std::filesystem::permissions(ordner / "a.bks", std::filesystem::perms::owner_write);
    auto s = Neu();
    OhneDateiRechteUebergehen nurRechte;
    plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
    EXPECT_TRUE(s->Load(ordner / "a.wuz"));
    return s;
  }

  ScriptedPlattform plattform;
  TempOrdner ordner;
};

TEST_F(DokumentDateiTest, TheDefaultDocumentHas8970BytesWithItsFieldsAtTheirOffsets) {
  auto s = Neu();
  ASSERT_TRUE(s->Save(ordner / "leer.wuz"));
  EXPECT_TRUE(s->DatenGespeichert);
  const std::string d = LiesDatei(ordner / "leer.wuz");
  ASSERT_EQ(d.size(), 8970U);
  EXPECT_EQ(U16(d, 0), 0x3FFF);
  EXPECT_EQ(d.substr(2, 8190), std::string(8190, '\0'));
  EXPECT_EQ(U16(d, 8192), 3);
  EXPECT_EQ(d.substr(8194 + 144, 16), std::string("nie").append(13, '\0'));
  EXPECT_EQ(d.substr(8354, 8), std::string("\x00\x00\x18\x00\xFF\x11\x21\x00", 8));  // "immer" line 0
  EXPECT_EQ(d.substr(8354 + 144, 6), std::string("immer\0", 6));
  EXPECT_EQ(d.substr(8514, 16), std::string("\x08\x00\x12\x00\x1F\x10\x21\x00\x08\x00\x10\x00\xA0\x10\x21\x00", 16));
  EXPECT_EQ(U16(d, 8674), 0);  // persons
  EXPECT_EQ(U16(d, 8676), 3);  // door profiles
  for (std::size_t t = 0; t < 3; ++t) {
    const std::size_t o = 8678 + 64 * t;
    EXPECT_EQ(d.substr(o, 48), std::string(48, '\0'));
    EXPECT_EQ(U32(d, o + 48), 30U);
    EXPECT_EQ(U32(d, o + 52), 5U);
    EXPECT_EQ(d.substr(o + 56, 8), std::string(8, '\0'));
  }
  EXPECT_EQ(U32(d, 8870), 0x3001U);
  EXPECT_EQ(d.substr(8874, 16), std::string("T\xFCr 1").append(11, '\0'));
  EXPECT_EQ(d.substr(8890, 16), std::string("T\xFCr 2").append(11, '\0'));
  EXPECT_EQ(U16(d, 8906), kJahr);
  EXPECT_EQ(U16(d, 8908), 0);
  EXPECT_EQ(d.substr(8910, 25), std::string("Sondertag1").append(15, '\0'));
  EXPECT_EQ(d.substr(8935, 25), std::string("Sondertag2").append(15, '\0'));
  EXPECT_EQ(U16(d, 8960), 1);
  EXPECT_EQ(d.substr(8962), "Version2");
  EXPECT_EQ(LiesDatei(ordner / "leer.bks"), "");
  EXPECT_EQ(Inhalt(ordner.Pfad()), (std::vector<std::string>{"leer.bks", "leer.wuz", "temp.bks"}));
}

TEST_F(DokumentDateiTest, SaveLoadSaveGivesTheSameBytes) {
  auto a = Gefuellt();
  ASSERT_TRUE(a->Save(ordner / "a.wuz"));
  EXPECT_TRUE(a->BuchungenGespeichert);
  EXPECT_TRUE(a->BuchungenGeladen);
  EXPECT_EQ(std::filesystem::file_size(ordner / "a.wuz"), 8298U + 160 * 4 + 64 * 3 + 64 * 3);
  EXPECT_EQ(std::filesystem::file_size(ordner / "a.bks"), 62U * 4);

  auto b = Neu();
  ASSERT_TRUE(b->Load(ordner / "a.wuz"));
  EXPECT_TRUE(b->DokumentGeladen);
  EXPECT_TRUE(b->BuchungenGeladen);
  EXPECT_FALSE(b->DatenGespeichert);  // a load leaves it
  EXPECT_EQ(b->Dateiname, ordner / "a.wuz");
  EXPECT_EQ(b->BuchungsDateiname, ordner / "a.bks");
  EXPECT_STREQ(b->Version, "Version2");
  EXPECT_EQ(b->Geraetetyp, 1);
  EXPECT_EQ(b->NameSondertag1, "Betriebsausflug");
  EXPECT_EQ(b->AnzahlProfile, 4);
  EXPECT_EQ(b->AnzahlPersonen, 3);
  EXPECT_EQ(b->AnzahlTuerprofile, 3);
  EXPECT_EQ(Element(b->Buchungen, 3), Buchung(3));
  EXPECT_EQ(Element(b->Personen, 2), Element(a->Personen, 2));
  EXPECT_EQ(Element(b->Profile, 3), Element(a->Profile, 3));
  EXPECT_EQ(b->Feiertagstabelle, a->Feiertagstabelle);

  ASSERT_TRUE(b->Save(ordner / "b.wuz"));
  EXPECT_EQ(LiesDatei(ordner / "b.wuz"), LiesDatei(ordner / "a.wuz"));
  EXPECT_EQ(LiesDatei(ordner / "b.bks"), LiesDatei(ordner / "a.bks"));
}

TEST_F(DokumentDateiTest, SpecialDayNamesAreWrittenWithAtMost24CharactersAndReadWithinTheir25Bytes) {
  auto s = Neu();
  s->NameSondertag1 = std::string(30, 'L');
  ASSERT_TRUE(s->Save(ordner / "n.wuz"));
  std::string d = LiesDatei(ordner / "n.wuz");
  EXPECT_EQ(d.substr(8910, 25), std::string(24, 'L') + '\0');

  // A name field without its NUL gives its 25 bytes and no more.
  d.replace(8935, 25, std::string(25, 'Z'));
  SchreibeDatei(ordner / "n.wuz", d);
  ASSERT_TRUE(s->Load(ordner / "n.wuz"));
  EXPECT_EQ(s->NameSondertag1, std::string(24, 'L'));
  EXPECT_EQ(s->NameSondertag2, std::string(25, 'Z'));
}

TEST_F(DokumentDateiTest, AfterALoadThereAreExactlyThreeDoorProfiles) {
  auto s = Neu();
  ASSERT_TRUE(s->Save(ordner / "d.wuz"));
  const std::string d3 = LiesDatei(ordner / "d.wuz");
  const std::string kopf = d3.substr(0, 8676);
  const std::string tuer = d3.substr(8678, 64);
  const std::string rest = d3.substr(8870);
  TUERPROFIL anders;
  anders.Freigabezeit = 77;
  for (int anzahl : {0, 2, 5}) {
    std::string d = kopf + Le16(static_cast<std::uint16_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) d += i == 0 ? Bytes(anders) : tuer;
    d += rest;
    SchreibeDatei(ordner / "d.wuz", d);
    ASSERT_TRUE(s->Load(ordner / "d.wuz")) << anzahl;
    ASSERT_EQ(s->Tuerprofile.Anzahl, 3) << anzahl;
    EXPECT_EQ(s->AnzahlTuerprofile, anzahl);
    EXPECT_EQ(Element(s->Tuerprofile, 0).Freigabezeit, anzahl > 0 ? 77 : 5);
    EXPECT_EQ(Element(s->Tuerprofile, 2).Ueberwachungszeit, 30);
    EXPECT_EQ(Element(s->Tuerprofile, 2).Freigabezeit, 5);
    EXPECT_EQ(s->Geraetedaten.Flags, 0x3001U) << anzahl;  // what follows is read from its place
  }
}

TEST_F(DokumentDateiTest, TheBookingsFileLiesBesideTheDocument) {
  struct Fall {
    std::string dokument, buchungen;
  };
  for (const Fall& f : std::vector<Fall>{{"/a/b.wuz", "/a/b.bks"},
                                         {"/a/B.WUZ", "/a/B.bks"},
                                         {"/a/b.x", "/a/b.x.bks"},
                                         {"/a/b", "/a/b.bks"},
                                         {"/a.d/bc", "/a.d/bc.bks"},
                                         {"/x.d/b", "/x.d/b.bks"},
                                         {"/a/.wuz", "/a/.bks"},
                                         {"b.wuz", "b.bks"},
                                         {"", ".bks"}}) {
    EXPECT_EQ(BuchungsDateinameFuer(f.dokument), f.buchungen) << f.dokument;
  }
}

// An older-layout document made by hand: no tag, 64-byte profiles, two door profiles, 36 bytes
// of device data, days counted from 1 January 1997.
std::string AltesDokument() {
  std::string d;
  const std::vector<std::uint16_t> tage = {FT_FEIERTAG | 300,
                                           FT_FEIERTAG | 365,
                                           FT_HALBER_FEIERTAG | 400,
                                           FT_FEIERTAG | 729,
                                           FT_FEIERTAG | 730,
                                           FT_UMSCHALTTAG | 800,
                                           FT_ENDE};
  for (std::size_t i = 0; i < 4096; ++i) d += Le16(i < tage.size() ? tage[i] : 0);
  d += Le16(2);
  // Profile 1: line 0 07:00-08:00 Monday with the old special-day bits, a 12-character name.
  std::string p1(64, '\0');
  const std::string linie0 = std::string("\x07\x00\x08\x00", 4) + Le16(0x1601) + Le16(0x0000);
  const std::string linie5 = std::string("\x19\x00\x1A\x00", 4) + Le16(0x1001) + Le16(0x0044);  // 25:00: invalid
  p1.replace(0, 8, linie0);
  p1.replace(40, 8, linie5);
  p1.replace(48, 12, "Fruehschicht");
  p1.replace(60, 4, "XXXX");
  // Profile 2: "Tag", line 1 reader 2 to door 1 via the old bit 0x400.
  std::string p2(64, '\0');
  p2.replace(8, 8, std::string("\x08\x00\x10\x00", 4) + Le16(0x101F | 0x0400) + Le16(0x0010));
  p2.replace(48, 4, std::string("Tag\0", 4));
  d += p1 + p2;
  d += Le16(1);
  PERSON person;
  SchreibeText(person.Karte, "00AB12");
  SchreibeText(person.Name, "Alt");
  d += Bytes(person);
  TUERPROFIL t1;
  t1.Freigabezeit = 9;
  TUERPROFIL t2;
  t2.Ueberwachungszeit = 45;
  d += Bytes(t1) + Bytes(t2);
  std::string geraet(36, '\0');
  geraet.replace(0, 4, std::string("\x03\x00\x00\x00", 4));
  geraet.replace(4, 7, "Eingang");
  geraet.replace(20, 16, "LagerLagerLager!");  // no NUL in its field
  d += geraet;
  return d;
}

TEST_F(DokumentDateiTest, AnOlderLayoutDocumentIsConverted) {
  SchreibeDatei(ordner / "alt.wuz", AltesDokument());
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  TSteuerung s(1998, ordner.Pfad());
  ASSERT_TRUE(s.Load(ordner / "alt.wuz"));
  EXPECT_STREQ(s.Version, std::string(AltesDokument().substr(AltesDokument().size() - 8)).c_str());
  EXPECT_FALSE(s.BuchungenGeladen);

  ASSERT_EQ(s.Profile.Anzahl, 2);
  const PROFIL& p1 = Element(s.Profile, 0);
  EXPECT_EQ(std::string(p1.Name, 16), std::string("Fruehschicht").append(4, '\0'));
  EXPECT_EQ(p1.Zeitlinien[0], (Zeitlinie{7, 0, 8, 0, 0x1001, 0x21}));
  EXPECT_EQ(p1.Zeitlinien[5], Zeitlinie{});  // 25:00 is no time
  for (std::size_t z = 6; z < 18; ++z) EXPECT_EQ(p1.Zeitlinien[z], Zeitlinie{}) << z;
  EXPECT_EQ(Element(s.Profile, 1).Zeitlinien[1], (Zeitlinie{8, 0, 16, 0, 0x101F, 0x30}));
  EXPECT_STREQ(Element(s.Profile, 1).Name, "Tag");
  EXPECT_EQ(s.LeserTuerZuordnung, 0x31);

  ASSERT_EQ(s.Personen.Anzahl, 1);
  EXPECT_STREQ(Element(s.Personen, 0).Karte, "00AB12");
  ASSERT_EQ(s.Tuerprofile.Anzahl, 3);
  EXPECT_EQ(Element(s.Tuerprofile, 0).Freigabezeit, 9);
  EXPECT_EQ(Element(s.Tuerprofile, 1).Ueberwachungszeit, 45);
  EXPECT_EQ(Element(s.Tuerprofile, 2).Ueberwachungszeit, 30);
  EXPECT_EQ(Element(s.Tuerprofile, 2).Freigabezeit, 5);
  EXPECT_EQ(s.AnzahlTuerprofile, 2);

  EXPECT_EQ(s.Geraetedaten.Flags, 0x3103U);
  EXPECT_EQ(s.Geraetetyp, 1);
  EXPECT_STREQ(s.Geraetedaten.NameTuer1, "Eingang");
  EXPECT_EQ(LiesText(s.Geraetedaten.NameTuer2), "LagerLagerLager!");
  EXPECT_EQ(s.Geraetedaten.Reserve, 0);
  EXPECT_EQ(s.NameSondertag1, "Sondertag1");
  EXPECT_EQ(s.NameSondertag2, "Sondertag2");

  // Days from 1 January 1997 (day 0) become days from 31 December 1997; 1997 is gone.
  EXPECT_EQ(s.Geraetedaten.Bezugsjahr, 1998);
  EXPECT_EQ(s.Feiertagstabelle[0], FT_FEIERTAG | 1);
  EXPECT_EQ(s.Feiertagstabelle[1], FT_HALBER_FEIERTAG | 36);
  EXPECT_EQ(s.Feiertagstabelle[2], FT_FEIERTAG | 365);
  EXPECT_EQ(s.Feiertagstabelle[3], FT_FEIERTAG | 366);
  EXPECT_EQ(s.Feiertagstabelle[4], FT_UMSCHALTTAG | 436);
  EXPECT_EQ(s.Feiertagstabelle[5], FT_ENDE);
}

TEST_F(DokumentDateiTest, AnOlderLayoutDocumentIsRebasedToTheCurrentYear) {
  SchreibeDatei(ordner / "alt.wuz", AltesDokument());
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  TSteuerung s(1999, ordner.Pfad());
  ASSERT_TRUE(s.Load(ordner / "alt.wuz"));
  EXPECT_EQ(s.Geraetedaten.Bezugsjahr, 1999);
  // 31 December 1998 (day 365 of 1998) stays as day 0.
  EXPECT_EQ(s.Feiertagstabelle[0], FT_FEIERTAG | 0);
  EXPECT_EQ(s.Feiertagstabelle[1], FT_FEIERTAG | 1);
  EXPECT_EQ(s.Feiertagstabelle[2], FT_UMSCHALTTAG | 71);
  EXPECT_EQ(s.Feiertagstabelle[3], FT_ENDE);
}

TEST_F(DokumentDateiTest, ABookingsFileLoadsItsWholeRecordsAndIgnoresTheRest) {
  auto s = Gefuellt(0, 0);
  ASSERT_TRUE(s->Save(ordner / "b.wuz"));
  std::string bks = Bytes(Buchung(0)) + Bytes(Buchung(1)) + std::string(1, 'x');
  ASSERT_EQ(bks.size(), 125U);
  SchreibeDatei(ordner / "b.bks", bks);
  ASSERT_TRUE(s->Load(ordner / "b.wuz"));
  ASSERT_EQ(s->Buchungen.Anzahl, 2);
  EXPECT_EQ(Element(s->Buchungen, 1), Buchung(1));
  EXPECT_TRUE(s->BuchungenGeladen);
  s->LoadBuchungen();  // once per document
  EXPECT_EQ(s->Buchungen.Anzahl, 2);
}

TEST_F(DokumentDateiTest, OpeningAnotherDocumentShowsItsBookingsNotThePreviousOnes) {
  auto a = Gefuellt(1, 3);
  ASSERT_TRUE(a->Save(ordner / "a.wuz"));
  auto b = Gefuellt(1, 1);
  Element(b->Buchungen, 0).Sekunde = 59;
  ASSERT_TRUE(b->Save(ordner / "b.wuz"));

  auto s = Neu();
  ASSERT_TRUE(s->Load(ordner / "a.wuz"));
  EXPECT_EQ(s->Buchungen.Anzahl, 3);
  ASSERT_TRUE(s->Load(ordner / "b.wuz"));
  ASSERT_EQ(s->Buchungen.Anzahl, 1);
  EXPECT_EQ(Element(s->Buchungen, 0).Sekunde, 59);
}

TEST_F(DokumentDateiTest, ALoadClearsTheSummerWinterPairsOfThePreviousDocument) {
  auto s = Gefuellt();
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  HaengeAn(s->SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>());
  ASSERT_TRUE(s->Load(ordner / "a.wuz"));
  EXPECT_EQ(s->SWUmschaltungen.Anzahl, 0);
}

TEST_F(DokumentDateiTest, ADocumentCutShortGivesTheTextOfItsSectionAndLeavesTheOpenDocument) {
  auto quelle = Gefuellt(2, 0);
  ASSERT_TRUE(quelle->Save(ordner / "q.wuz"));
  const std::string voll = LiesDatei(ordner / "q.wuz");
  const std::string koerper = voll.substr(0, voll.size() - 8);
  // 4 profiles, 2 persons, 3 door profiles.
  struct Fall {
    std::size_t laenge;
    const char* text;
  };
  const std::vector<Fall> faelle = {
      {0, "Fehler beim Lesen der Feiertage"},
      {8191, "Fehler beim Lesen der Feiertage"},
      {8193, "Fehler beim Lesen der Profilanzahl"},
      {8194 + 160 * 4 - 1, "Fehler beim Lesen der Zutrittsprofile"},
      {8835, "Fehler beim Lesen der Personenanzahl"},
      {8836 + 64, "Fehler beim Lesen der Personen"},
      {8964, "Fehler beim Lesen der Türprofilanzahl"},
      {8966 + 64 * 3 - 1, "Fehler beim Lesen der Türprofile"},
      {9158 + 39, "Fehler beim Lesen der Gerätedaten"},
      {9198 + 24, "Fehler beim Lesen des Sondertages1"},
      {9223 + 24, "Fehler beim Lesen des Sondertages2"},
      {9248 + 1, "Fehler beim Lesen aus Datei!"},
  };
  ASSERT_EQ(koerper.size(), 9250U);

  auto s = Gefuellt(5, 2);
  ASSERT_TRUE(s->Save(ordner / "offen.wuz"));
  HaengeAn(s->SWUmschaltungen, std::make_unique<SWUMSCHALTUNG>());
  const std::string vorher = Abbild(*s);
  for (const Fall& f : faelle) {
    SchreibeDatei(ordner / "kurz.wuz", koerper.substr(0, f.laenge) + "Version2");
    plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
    try {
      s->Load(ordner / "kurz.wuz");
      ADD_FAILURE() << "no StdError at " << f.laenge;
    } catch (const StdError& e) {
      EXPECT_EQ(e.Meldung, f.text) << f.laenge;
    }
    EXPECT_EQ(Abbild(*s), vorher) << f.laenge;
  }
}

TEST_F(DokumentDateiTest, AnOlderDocumentCutShortGivesTheTextOfItsSection) {
  const std::string alt = AltesDokument();
  ASSERT_EQ(alt.size(), 8192U + 2 + 128 + 2 + 64 + 128 + 36);
  struct Fall {
    std::size_t laenge;
    const char* text;
  };
  for (const Fall& f : std::vector<Fall>{{8193, "Fehler beim Lesen der Profilanzahl"},
                                         {8200, "Fehler beim Lesen der Zutrittsprofile"},
                                         {8323, "Fehler beim Lesen der Personenanzahl"},
                                         {8330, "Fehler beim Lesen der Personen"},
                                         {8400, "Fehler beim Lesen der Türprofile"},
                                         {alt.size() - 1, "Fehler beim Lesen der Gerätedaten"}}) {
    SchreibeDatei(ordner / "alt.wuz", alt.substr(0, f.laenge));
    auto s = Neu();
    const std::string vorher = Abbild(*s);
    plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
    try {
      s->Load(ordner / "alt.wuz");
      ADD_FAILURE() << "no StdError at " << f.laenge;
    } catch (const StdError& e) {
      EXPECT_EQ(e.Meldung, f.text) << f.laenge;
    }
    EXPECT_EQ(Abbild(*s), vorher) << f.laenge;
  }
}

TEST_F(DokumentDateiTest, AFileShorterThanItsTagAndAMissingFileLeaveTheOpenDocument) {
  auto s = Gefuellt();
  ASSERT_TRUE(s->Save(ordner / "offen.wuz"));
  const std::string vorher = Abbild(*s);

  SchreibeDatei(ordner / "k.wuz", "Versi");
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  try {
    s->Load(ordner / "k.wuz");
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Fehler beim Lesen der Version");
  }
  EXPECT_EQ(Abbild(*s), vorher);

  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  try {
    s->Load(ordner / "fehlt.wuz");
    ADD_FAILURE() << "no IoError";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Fehler beim Öffnen der Datei" + (ordner / "fehlt.wuz"));
  }
  EXPECT_EQ(Abbild(*s), vorher);
}

TEST_F(DokumentDateiTest, FilesThatDoNotFitInMemoryGiveKeinSpeicher) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "offen.wuz"));
  auto gross = Gefuellt(20000, 0);
  ASSERT_TRUE(gross->Save(ordner / "gross.wuz"));
  std::filesystem::copy_file(ordner / "offen.wuz", ordner / "b.wuz");
  // The bookings are read in pieces; what does not fit is the list of 140,000 of them.
  SchreibeDatei(ordner / "b.bks", std::string(62 * 140000, '\0'));
  ASSERT_TRUE(s->Load(ordner / "offen.wuz"));
  const std::string vorher = Abbild(*s);
  {
    AllokationsGrenze grenze(1 << 20);
    // The bookings are reported and left out; the document itself is read.
    plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "no mem for element in list");
    ASSERT_TRUE(s->Load(ordner / "b.wuz"));
    EXPECT_FALSE(s->BuchungenGeladen);
    EXPECT_EQ(s->Buchungen.Anzahl, 0);
    ASSERT_TRUE(s->Load(ordner / "offen.wuz"));
    ASSERT_TRUE(Abbild(*s) == vorher);
    try {
      s->Load(ordner / "gross.wuz");
      ADD_FAILURE() << "no StdError";
    } catch (const StdError& e) {
      EXPECT_EQ(e.Meldung, "kein Speicher");
    }
  }
  EXPECT_TRUE(Abbild(*s) == vorher);
}

TEST_F(DokumentDateiTest, AnUnreadableBookingsFileIsReportedAndAddsNothing) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  s->BuchungenGeladen = false;
  std::filesystem::remove(ordner / "a.bks");
  std::filesystem::create_directory(ordner / "a.bks");  // opens, but cannot be read
  struct stat info {};
  ASSERT_EQ(stat((ordner / "a.bks").c_str(), &info), 0);
  if (info.st_size < 62) GTEST_SKIP() << "this file system gives folders no size";
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Fehler beim Lesen der Buchungen");
  s->LoadBuchungen();
  EXPECT_FALSE(s->BuchungenGeladen);
  EXPECT_EQ(s->Buchungen.Anzahl, 2);  // the bookings held before stay, nothing was added
}

// A bookings file that is there but could not be read stood in the document as an empty list;
// no save may put that list in its place. Each way it cannot be read, with the box the load
// shows: no memory for its bookings, no read permission (a file the user may write but not
// read).
struct Unlesbar {
  bool ohneSpeicher;
  const char* titel;
  int stil;
  const char* text;
};
const Unlesbar kUnlesbar[] = {
    {true, "Fehler", 16, "no mem for element in list"},
    {false, "Hinweis", 64, "Keine Buchungen vorhanden."},
};

TEST_F(DokumentDateiTest, ABookingsFileThatCouldNotBeReadSurvivesEverySave) {
  for (const Unlesbar& fall : kUnlesbar) {
    SCOPED_TRACE(fall.text);
    TempOrdner hier;
    const std::string wuz = hier / "a.wuz";
    const std::string bks = hier / "a.bks";
    {
      // 20,000 bookings: their list needs more than the memory granted below.
      auto alt = Gefuellt(1, 0);
      for (int i = 0; i < 20000; ++i) HaengeAn(alt->Buchungen, std::make_unique<books>(Buchung(i)));
      ASSERT_TRUE(alt->Save(wuz));
    }
    const std::string alteBuchungen = LiesDatei(bks);
    auto s = Neu();
    {
      std::optional<AllokationsGrenze> ohneSpeicher;
      std::optional<OhneDateiRechteUebergehen> ohneLeserecht;
      if (fall.ohneSpeicher) {
        ohneSpeicher.emplace(1 << 17);
      } else {
        std::filesystem::permissions(bks, std::filesystem::perms::owner_write);
        ohneLeserecht.emplace();
      }
      plattform.ExpectBox(fall.titel, fall.stil, plattform::ID_OK, fall.text);
      ASSERT_TRUE(s->Load(wuz));
      EXPECT_EQ(s->Buchungen.Anzahl, 0);
      // Three bookings fetched meanwhile.
      for (int i = 0; i < 3; ++i) HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(500 + i)));
      s->BuchungenGespeichert = false;

      // Still unreadable: the document is saved, the bookings file stays byte for byte.
      HaengeAn(s->Personen, std::make_unique<PERSON>());
      plattform.ExpectBox("Fehler", 16, plattform::ID_OK,
                          "Die Buchungsdatei\n" + bks +
                              "\nkonnte nicht gelesen werden und bleibt unverändert.\n"
                              "Die Buchungen wurden nicht gespeichert.");
      ASSERT_TRUE(s->Save(wuz));
      EXPECT_TRUE(s->DatenGespeichert);
      EXPECT_FALSE(s->BuchungenGespeichert);
      EXPECT_EQ(std::filesystem::file_size(wuz), 8298U + 160 * 4 + 64 * 2 + 64 * 3);
      // The bookings window's OK keeps it too.
      plattform.ExpectBox("Fehler", 16, plattform::ID_OK);
      s->SaveBuchungen();
      EXPECT_FALSE(s->BuchungenGespeichert);
    }
    std::filesystem::permissions(bks, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_TRUE(LiesDatei(bks) == alteBuchungen);
    EXPECT_EQ(s->Buchungen.Anzahl, 3);

    // Readable again: the next save holds the old bookings followed by the fetched ones.
    ASSERT_TRUE(s->Save(wuz));
    EXPECT_TRUE(s->BuchungenGespeichert);
    const std::string neu = LiesDatei(bks);
    ASSERT_EQ(neu.size(), alteBuchungen.size() + 3 * 62);
    EXPECT_TRUE(neu.substr(0, alteBuchungen.size()) == alteBuchungen);
    EXPECT_EQ(neu.substr(alteBuchungen.size(), 62), Bytes(Buchung(500)));
    EXPECT_EQ(s->Buchungen.Anzahl, 20003);
    EXPECT_EQ(Inhalt(hier.Pfad()), (std::vector<std::string>{"a.bks", "a.wuz"}));
  }
}

// The document saved under another name while its bookings file cannot be read: the file is
// tried once more, and as it still cannot be read a box names it and says that its bookings
// are not in the new document. The new bookings file holds what the list holds (so the list
// counts as saved), the unread file stays, and a later save back onto it still keeps it.
TEST_F(DokumentDateiTest, ASaveAsLeavesTheUnreadBookingsFileAsItIs) {
  auto s = MitUnlesbarenBuchungen();
  {
    OhneDateiRechteUebergehen nurRechte;
    HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(9)));
    s->BuchungenGespeichert = false;
    plattform.ExpectBox("Hinweis", 48, plattform::ID_OK,
                        "Die Buchungsdatei\n" + (ordner / "a.bks") +
                            "\nkonnte nicht gelesen werden und bleibt unverändert.\n"
                            "Die Buchungen dieser Datei sind nicht im neuen Dokument.");
    ASSERT_TRUE(s->Save(ordner / "b.wuz"));
    EXPECT_TRUE(s->BuchungenGespeichert);
    EXPECT_TRUE(s->DatenGespeichert);
    // Further saves of the new document do not ask for the old file again.
    ASSERT_TRUE(s->Save(ordner / "b.wuz"));
    EXPECT_EQ(LiesDatei(ordner / "b.bks"), Bytes(Buchung(9)));
    HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(10)));
    s->BuchungenGespeichert = false;
    plattform.ExpectBox("Fehler", 16, plattform::ID_OK);
    ASSERT_TRUE(s->Save(ordner / "a.wuz"));
    EXPECT_FALSE(s->BuchungenGespeichert);
  }
  std::filesystem::permissions(ordner / "a.bks", std::filesystem::perms::owner_read);
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), Bytes(Buchung(0)) + Bytes(Buchung(1)));
}

// Readable again by the time of the Save As: the new bookings file holds the old file's
// bookings followed by the one fetched since, without a box; the old file stays as it is.
TEST_F(DokumentDateiTest, ASaveAsReadsTheUnreadBookingsFileAgainFirst) {
  auto s = MitUnlesbarenBuchungen();
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(9)));
  s->BuchungenGespeichert = false;
  std::filesystem::permissions(ordner / "a.bks",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_TRUE(s->Save(ordner / "b.wuz"));
  EXPECT_TRUE(s->BuchungenGespeichert);
  EXPECT_EQ(LiesDatei(ordner / "b.bks"), Bytes(Buchung(0)) + Bytes(Buchung(1)) + Bytes(Buchung(9)));
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), Bytes(Buchung(0)) + Bytes(Buchung(1)));
  EXPECT_EQ(s->Buchungen.Anzahl, 3);
}

// Bookings fetched before the file could be read stand after the file's bookings once the
// bookings window reads it.
TEST_F(DokumentDateiTest, LoadBuchungenPutsTheFilesBookingsBeforeThoseFetched) {
  auto s = MitUnlesbarenBuchungen();
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(9)));
  std::filesystem::permissions(ordner / "a.bks", std::filesystem::perms::owner_read);
  s->LoadBuchungen();
  EXPECT_TRUE(s->BuchungenGeladen);
  ASSERT_EQ(s->Buchungen.Anzahl, 3);
  EXPECT_EQ(Bytes(Element(s->Buchungen, 0)), Bytes(Buchung(0)));
  EXPECT_EQ(Bytes(Element(s->Buchungen, 2)), Bytes(Buchung(9)));
}

TEST_F(DokumentDateiTest, AFileLargerThanAnyDocumentIsRefusedBeforeItIsRead) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "offen.wuz"));
  const std::string vorher = Abbild(*s);
  // 1 GiB of zeros, sparse: it would load as an empty older-layout document.
  { std::ofstream datei(ordner / "riesig.wuz", std::ios::binary); }
  std::filesystem::resize_file(ordner / "riesig.wuz", std::uintmax_t{1} << 30);
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  try {
    s->Load(ordner / "riesig.wuz");
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Die Datei ist zu groß für ein Dokument (1073741824 Bytes, höchstens 18882378).");
  }
  EXPECT_TRUE(Abbild(*s) == vorher);

  // The largest document the format holds still loads.
  auto gross = Neu();
  while (gross->Profile.Anzahl < 65535) HaengeAn(gross->Profile, std::make_unique<PROFIL>());
  while (gross->Personen.Anzahl < 65535) HaengeAn(gross->Personen, std::make_unique<PERSON>());
  while (gross->Tuerprofile.Anzahl < 65535) HaengeAn(gross->Tuerprofile, std::make_unique<TUERPROFIL>());
  ASSERT_TRUE(gross->Save(ordner / "groesster.wuz"));
  EXPECT_EQ(std::filesystem::file_size(ordner / "groesster.wuz"), 18882378U);
  ASSERT_TRUE(s->Load(ordner / "groesster.wuz"));
  EXPECT_EQ(s->Personen.Anzahl, 65535);
}

TEST_F(DokumentDateiTest, ABookingsFileLargerThanAnyIsRefusedBeforeItIsReadAndKept) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  // 2 GiB of zeros, sparse: it would read as 34 million empty bookings.
  std::filesystem::resize_file(ordner / "a.bks", std::uintmax_t{1} << 31);
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK,
                      "Die Buchungsdatei ist zu groß (2147483648 Bytes, höchstens 1073741824).");
  ASSERT_TRUE(s->Load(ordner / "a.wuz"));
  EXPECT_EQ(s->Buchungen.Anzahl, 0);
  // Unread, it is never written over.
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  EXPECT_EQ(std::filesystem::file_size(ordner / "a.bks"), std::uintmax_t{1} << 31);
}

TEST_F(DokumentDateiTest, FilesThatOpenButCannotBeReadAreReported) {
  // Reading this process's memory from address 0 fails at once; the file has no size.
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "offen.wuz"));
  ASSERT_TRUE(s->Load(ordner / "offen.wuz"));
  const std::string vorher = Abbild(*s);
  std::filesystem::copy_file(ordner / "offen.wuz", ordner / "a.wuz");
  std::filesystem::create_symlink("/proc/self/mem", ordner / "a.bks");
  plattform.ExpectBox("Fehler", 16, plattform::ID_OK, "Fehler beim Lesen der Buchungen");
  ASSERT_TRUE(s->Load(ordner / "a.wuz"));
  EXPECT_FALSE(s->BuchungenGeladen);
  EXPECT_EQ(s->Buchungen.Anzahl, 0);

  ASSERT_TRUE(s->Load(ordner / "offen.wuz"));
  std::filesystem::create_symlink("/proc/self/mem", ordner / "m.wuz");
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  try {
    s->Load(ordner / "m.wuz");
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Fehler beim Lesen der Version");
  }
  EXPECT_TRUE(Abbild(*s) == vorher);
}

TEST_F(DokumentDateiTest, AMissingBookingsFileIsReportedAndTriedAgainNextTime) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  const std::string bks = LiesDatei(ordner / "a.bks");
  std::filesystem::remove(ordner / "a.bks");
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  ASSERT_TRUE(s->Load(ordner / "a.wuz"));
  EXPECT_FALSE(s->BuchungenGeladen);
  EXPECT_EQ(s->Buchungen.Anzahl, 0);
  SchreibeDatei(ordner / "a.bks", bks);
  s->LoadBuchungen();
  EXPECT_TRUE(s->BuchungenGeladen);
  EXPECT_EQ(s->Buchungen.Anzahl, 2);
}

TEST_F(DokumentDateiTest, ASaveIntoAFolderWithoutWritePermissionLeavesTheOldFiles) {
  auto s = Gefuellt();
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  const std::string wuz = LiesDatei(ordner / "a.wuz");
  const std::string bks = LiesDatei(ordner / "a.bks");
  const auto namen = Inhalt(ordner.Pfad());
  HaengeAn(s->Personen, std::make_unique<PERSON>());
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(9)));
  s->BuchungenGespeichert = false;

  std::filesystem::permissions(ordner.Pfad(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  {
    OhneDateiRechteUebergehen nurRechte;
    try {
      s->Save(ordner / "a.wuz");
      ADD_FAILURE() << "no IoError";
    } catch (const IoError& e) {
      EXPECT_EQ(e.Meldung, "Speichern nicht möglich, der Ordner ist schreibgeschützt:\n" + ordner.Pfad());
    }
  }
  std::filesystem::permissions(ordner.Pfad(), std::filesystem::perms::owner_all);
  EXPECT_TRUE(s->DatenGespeichert);  // the document could not be opened: the flag stays
  EXPECT_FALSE(s->BuchungenGespeichert);
  EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), bks);
  EXPECT_EQ(Inhalt(ordner.Pfad()), namen);
}

TEST_F(DokumentDateiTest, AWriteProtectedDocumentIsRefusedAndNotReplaced) {
  auto s = Gefuellt();
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  const std::string wuz = LiesDatei(ordner / "a.wuz");
  const std::string bks = LiesDatei(ordner / "a.bks");
  const auto namen = Inhalt(ordner.Pfad());
  HaengeAn(s->Personen, std::make_unique<PERSON>());
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(9)));
  s->BuchungenGespeichert = false;
  const auto nurLesen = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
  std::filesystem::permissions(ordner / "a.wuz", nurLesen);
  std::filesystem::permissions(ordner / "a.bks", nurLesen);
  {
    // The document is refused before anything is tried for its bookings file.
    OhneDateiRechteUebergehen nurRechte;
    try {
      s->Save(ordner / "a.wuz");
      ADD_FAILURE() << "no IoError";
    } catch (const IoError& e) {
      EXPECT_EQ(e.Meldung, "Fehler beim Öffnen der Datei" + (ordner / "a.wuz"));
    }
  }
  EXPECT_TRUE(s->DatenGespeichert);
  EXPECT_FALSE(s->BuchungenGespeichert);
  EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), bks);
  EXPECT_EQ(std::filesystem::status(ordner / "a.wuz").permissions(), nurLesen);
  EXPECT_EQ(Inhalt(ordner.Pfad()), namen);

  // Nor is a target that is no plain file replaced: a pipe, a folder, a device (where this
  // process may make one).
  ASSERT_EQ(mkfifo((ordner / "rohr.wuz").c_str(), 0600), 0);
  std::filesystem::create_directory(ordner / "rohr.bks");
  EXPECT_THROW(s->Save(ordner / "rohr.wuz"), IoError);
  EXPECT_TRUE(std::filesystem::is_fifo(ordner / "rohr.wuz"));
  EXPECT_TRUE(std::filesystem::is_directory(ordner / "rohr.bks"));
  if (mknod((ordner / "null.wuz").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    std::filesystem::create_directory(ordner / "null.bks");
    EXPECT_THROW(s->Save(ordner / "null.wuz"), IoError);
    EXPECT_TRUE(std::filesystem::is_character_file(ordner / "null.wuz"));
  }
}

TEST_F(DokumentDateiTest, ASaveThroughASymbolicLinkWritesTheFileItNamesAndKeepsTheLink) {
  std::filesystem::create_directory(ordner / "daten");
  SchreibeDatei(ordner / "daten/echt.wuz", "alt");
  SchreibeDatei(ordner / "daten/echt.bks", "alt");
  std::filesystem::create_symlink("daten/echt.wuz", ordner / "verweis.wuz");
  std::filesystem::create_symlink("daten/echt.bks", ordner / "verweis.bks");
  auto s = Gefuellt();
  ASSERT_TRUE(s->Save(ordner / "verweis.wuz"));
  EXPECT_TRUE(std::filesystem::is_symlink(ordner / "verweis.wuz"));
  EXPECT_TRUE(std::filesystem::is_symlink(ordner / "verweis.bks"));
  EXPECT_EQ(std::filesystem::file_size(ordner / "daten/echt.wuz"), 8298U + 160 * 4 + 64 * 3 + 64 * 3);
  EXPECT_EQ(std::filesystem::file_size(ordner / "daten/echt.bks"), 62U * 4);
  EXPECT_EQ(Inhalt(ordner / "daten"), (std::vector<std::string>{"echt.bks", "echt.wuz"}));
}

TEST_F(DokumentDateiTest, ASaveFailingHalfWayLeavesTheOldFilesByteIdentical) {
  auto s = Gefuellt(2000, 1);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  const std::string wuz = LiesDatei(ordner / "a.wuz");
  const std::string bks = LiesDatei(ordner / "a.bks");
  const auto namen = Inhalt(ordner.Pfad());
  HaengeAn(s->Personen, std::make_unique<PERSON>());

  {  // the document's persons do not fit
    DateiGroessenGrenze grenze(20000);
    try {
      s->Save(ordner / "a.wuz");
      ADD_FAILURE() << "no StdError";
    } catch (const StdError& e) {
      EXPECT_EQ(e.Meldung, "Fehler beim Schreiben der Personen");
    }
  }
  EXPECT_FALSE(s->DatenGespeichert);
  EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
  EXPECT_EQ(Inhalt(ordner.Pfad()), namen);

  // More bookings that fit, and a document that does not: the bookings file, written whole,
  // stays the old one too.
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(7)));
  s->BuchungenGespeichert = false;
  {
    DateiGroessenGrenze grenze(20000);
    EXPECT_THROW(s->Save(ordner / "a.wuz"), StdError);
  }
  EXPECT_FALSE(s->BuchungenGespeichert);
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), bks);
  EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
  EXPECT_EQ(Inhalt(ordner.Pfad()), namen);

  for (int i = 0; i < 399; ++i) HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(i)));
  s->BuchungenGespeichert = false;
  {  // the bookings do not fit: the document is not written either
    DateiGroessenGrenze grenze(10000);
    try {
      s->Save(ordner / "a.wuz");
      ADD_FAILURE() << "no StdError";
    } catch (const StdError& e) {
      EXPECT_EQ(e.Meldung, "Konnte Buchungen nicht schreiben.");
    }
  }
  EXPECT_FALSE(s->DatenGespeichert);
  EXPECT_FALSE(s->BuchungenGespeichert);
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), bks);
  EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
  EXPECT_EQ(Inhalt(ordner.Pfad()), namen);

  ASSERT_TRUE(s->Save(ordner / "a.wuz"));  // and without the limit it goes through
  EXPECT_TRUE(s->DatenGespeichert);
  EXPECT_EQ(std::filesystem::file_size(ordner / "a.bks"), 401U * 62);
}

// While it exists, every rename onto a path ending in `endung` fails, as on a file system that
// refuses it; the others go through.
class UmbenennungScheitert {
 public:
  explicit UmbenennungScheitert(const char* endung) {
    s_endung = endung;
    vorher_ = SetzeUmbenennung([](const char* von, const char* nach) {
      if (std::string_view(nach).ends_with(s_endung)) {
        errno = EIO;
        return -1;
      }
      return std::rename(von, nach);
    });
  }
  ~UmbenennungScheitert() { SetzeUmbenennung(vorher_); }
  UmbenennungScheitert(const UmbenennungScheitert&) = delete;
  UmbenennungScheitert& operator=(const UmbenennungScheitert&) = delete;

 private:
  static inline const char* s_endung = "";
  Umbenennung vorher_;
};

// The bookings file is renamed into place first, the document second: when either rename
// fails, the folder holds both old files (or, for a new name, neither), never a new bookings
// file beside the old document.
TEST_F(DokumentDateiTest, ASaveReplacesBothFilesOrNeither) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  const std::string wuz = LiesDatei(ordner / "a.wuz");
  const std::string bks = LiesDatei(ordner / "a.bks");
  const auto namen = Inhalt(ordner.Pfad());
  HaengeAn(s->Personen, std::make_unique<PERSON>());
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(9)));
  s->BuchungenGespeichert = false;
  for (const auto& [endung, text] : {std::pair{".wuz", "Fehler beim Schreiben der Versionsinformation."},
                                     std::pair{".bks", "Konnte Buchungen nicht schreiben."}}) {
    SCOPED_TRACE(endung);
    {
      UmbenennungScheitert scheitert(endung);
      try {
        s->Save(ordner / "a.wuz");
        ADD_FAILURE() << "no StdError";
      } catch (const StdError& e) {
        EXPECT_EQ(e.Meldung, text);
      }
      EXPECT_THROW(s->Save(ordner / "neu.wuz"), StdError);
    }
    EXPECT_FALSE(s->DatenGespeichert);
    EXPECT_FALSE(s->BuchungenGespeichert);
    EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
    EXPECT_EQ(LiesDatei(ordner / "a.bks"), bks);
    EXPECT_EQ(Inhalt(ordner.Pfad()), namen);
  }
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  EXPECT_EQ(std::filesystem::file_size(ordner / "a.bks"), 3U * 62);
  EXPECT_EQ(Inhalt(ordner.Pfad()), namen);
}

// On a read-only mount an existing document cannot be replaced any more than a new one can be
// made: the save says that the folder is write-protected and names it. Run in a child process
// with a mount namespace of its own, where the test's folder is bound read-only.
TEST_F(DokumentDateiTest, ASaveOntoAReadOnlyMountSaysTheFolderIsWriteProtected) {
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(ordner / "a.wuz"));
  const std::string wuz = LiesDatei(ordner / "a.wuz");
  const std::string ordnerText = ordner.Pfad();
  const pid_t kind = fork();
  ASSERT_GE(kind, 0);
  if (kind == 0) {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount(ordnerText.c_str(), ordnerText.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        mount(nullptr, ordnerText.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
      _exit(77);
    }
    try {
      s->Save(ordner / "a.wuz");
    } catch (const IoError& e) {
      _exit(e.Meldung == "Speichern nicht möglich, der Ordner ist schreibgeschützt:\n" + ordnerText ? 0 : 1);
    } catch (...) {
    }
    _exit(2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(kind, &status, 0), kind);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace of its own for this process";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: another text, 2: no IoError";
  EXPECT_EQ(LiesDatei(ordner / "a.wuz"), wuz);
}

TEST_F(DokumentDateiTest, AListTooLongForItsCountIsRefusedAndNothingIsWritten) {
  auto s = Neu();
  for (int i = 0; i < 65536; ++i) HaengeAn(s->Personen, std::make_unique<PERSON>());
  s->DatenGespeichert = true;
  try {
    s->Save(ordner / "gross.wuz");
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Das Dokument kann höchstens 65535 Personen speichern (65536 vorhanden).");
  }
  EXPECT_FALSE(s->DatenGespeichert);
  EXPECT_FALSE(Existiert(ordner / "gross.wuz"));
  EXPECT_FALSE(Existiert(ordner / "gross.bks"));

  s->Personen.Remove(0);
  ASSERT_TRUE(s->Save(ordner / "gross.wuz"));
  EXPECT_EQ(std::filesystem::file_size(ordner / "gross.wuz"), 8298U + 480 + 64U * 65535 + 192);
}

TEST_F(DokumentDateiTest, ADocumentNamedLikeItsBookingsFileIsRefused) {
  auto s = Gefuellt(1, 2);
  s->DatenGespeichert = true;
  try {
    s->Save(ordner / "daten.bks");
    ADD_FAILURE() << "no StdError";
  } catch (const StdError& e) {
    EXPECT_EQ(e.Meldung, "Ein Dokument mit der Endung \".bks\" würde seine eigenen Buchungen überschreiben.");
  }
  EXPECT_FALSE(s->DatenGespeichert);
  EXPECT_FALSE(Existiert(ordner / "daten.bks"));
}

// Every rename of a save and every sync of a folder, in order; the folder sync is refused as
// by a file system that cannot sync folders.
class DateiFolge {
 public:
  DateiFolge() {
    s_folge.clear();
    vorherUmbenennung_ = SetzeUmbenennung([](const char* von, const char* nach) {
      s_folge.push_back("rename " + std::filesystem::path(nach).filename().string());
      return std::rename(von, nach);
    });
    vorherSync_ = SetzeOrdnerSync([](const char* ordner) {
      s_folge.push_back(std::string("sync ") + ordner);
      errno = EINVAL;
      return -1;
    });
  }
  ~DateiFolge() {
    SetzeUmbenennung(vorherUmbenennung_);
    SetzeOrdnerSync(vorherSync_);
  }
  DateiFolge(const DateiFolge&) = delete;
  DateiFolge& operator=(const DateiFolge&) = delete;
  std::vector<std::string> Folge() { return std::exchange(s_folge, {}); }

 private:
  static inline std::vector<std::string> s_folge;
  Umbenennung vorherUmbenennung_;
  OrdnerSync vorherSync_;
};

// After the last rename the folder is synced, once, so that a power cut cannot bring back the
// old names; a folder the file system cannot sync still gives a saved document.
TEST_F(DokumentDateiTest, TheFolderIsSyncedOnceAfterTheRenamesOfASave) {
  auto s = Gefuellt(1, 2);
  const std::string sync = "sync " + ordner.Pfad();
  DateiFolge folge;
  for (int mal = 0; mal < 2; ++mal) {  // new files, then files replaced
    SCOPED_TRACE(mal);
    ASSERT_TRUE(s->Save(ordner / "a.wuz"));
    EXPECT_TRUE(s->DatenGespeichert);
    EXPECT_TRUE(s->BuchungenGespeichert);
    EXPECT_EQ(folge.Folge(), (std::vector<std::string>{"rename a.bks", "rename a.wuz", sync}));
  }
  EXPECT_EQ(LiesDatei(ordner / "a.bks"), Bytes(Buchung(0)) + Bytes(Buchung(1)));
  EXPECT_EQ(std::filesystem::file_size(ordner / "a.wuz"), 8298U + 160 * 4 + 64 * 1 + 64 * 3);
  // The bookings window's OK writes the bookings file alone.
  s->BuchungenGespeichert = false;
  s->SaveBuchungen();
  EXPECT_TRUE(s->BuchungenGespeichert);
  EXPECT_EQ(folge.Folge(), (std::vector<std::string>{"rename a.bks", sync}));
  EXPECT_EQ(Inhalt(ordner.Pfad()), (std::vector<std::string>{"a.bks", "a.wuz", "temp.bks"}));
}

// A name of 255 bytes, the most a folder holds, in UTF-8 with umlauts and blanks: both files
// are saved and replaced again, and no temporary file is left beside them.
TEST_F(DokumentDateiTest, ADocumentWithTheLongestNameTheFolderHoldsIsSaved) {
  std::string name = "Zutritt Südflügel Größe ";
  while (name.size() + 9 <= 251) name += "ä ö ü ";
  name += std::string(251 - name.size(), 'x');
  name += ".wuz";
  ASSERT_EQ(name.size(), 255U);
  const std::string wuz = ordner / name;
  const std::string bks = ordner / (name.substr(0, 251) + ".bks");
  auto s = Gefuellt(1, 2);
  ASSERT_TRUE(s->Save(wuz));
  EXPECT_EQ(std::filesystem::file_size(wuz), 8298U + 160 * 4 + 64 * 1 + 64 * 3);
  EXPECT_EQ(LiesDatei(bks), Bytes(Buchung(0)) + Bytes(Buchung(1)));
  HaengeAn(s->Personen, std::make_unique<PERSON>());
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(2)));
  s->BuchungenGespeichert = false;
  ASSERT_TRUE(s->Save(wuz));
  EXPECT_TRUE(s->BuchungenGespeichert);
  s->SaveBuchungen();
  // The old bookings file is kept beside itself under a name of its own until the document is
  // in place, and put back when the document cannot be.
  const std::string altWuz = LiesDatei(wuz);
  const std::string altBks = LiesDatei(bks);
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(3)));
  {
    UmbenennungScheitert scheitert(".wuz");
    EXPECT_THROW(s->Save(wuz), StdError);
  }
  EXPECT_EQ(LiesDatei(wuz), altWuz);
  EXPECT_EQ(LiesDatei(bks), altBks);
  s->Buchungen.Remove(3);
  auto t = Neu();
  ASSERT_TRUE(t->Load(wuz));
  EXPECT_EQ(t->Personen.Anzahl, 2);
  EXPECT_EQ(t->Buchungen.Anzahl, 3);
  EXPECT_EQ(Inhalt(ordner.Pfad()), (std::vector<std::string>{name.substr(0, 251) + ".bks", name, "temp.bks"}));
}

// ---- a bookings file that changed on disk ----

class GeaenderteBuchungsdateiTest : public DokumentDateiTest {
 protected:
  GeaenderteBuchungsdateiTest() { plattform.UseManualClock(0, 30); }

  // Fetches `anzahl` bookings from a scripted controller, their cards `karte` + 1, 2, ...
  void Hole(TSteuerung& s, const std::string& karte, int anzahl) {
    auto n = std::make_shared<int>(0);
    komm.SetResponder([=](const ScriptedKomm::Call& c) -> ScriptedKomm::Reply {
      switch (c.command) {
        case 75: return {77, "SIM VI20 V.03.00.00"};
        case 10: return {12, std::to_string(anzahl)};
        case 5: {
          const std::string i = std::to_string(++*n);
          return {15, "2026.03.07.14.05.1" + i + "." + karte + i + " N 513"};
        }
        case 6: return {3, ""};
        default: return {};
      }
    });
    s.HoleBuchungen(plattform.Window());
    EXPECT_FALSE(s.BuchungenGespeichert);
  }
  void ErwarteGeaendert(const std::string& bks) {
    plattform.ExpectBox("Hinweis", 64, plattform::ID_OK,
                        "Die Buchungsdatei\n" + bks +
                            "\nwurde inzwischen geändert.\n"
                            "Die Buchungen dieser Datei werden zusammen mit den neu abgerufenen gespeichert.");
  }
  // The cards of the bookings in the file, in order.
  static std::vector<std::string> Karten(const std::string& bks) {
    const std::string d = LiesDatei(bks);
    std::vector<std::string> karten;
    for (std::size_t o = 0; o + 62 <= d.size(); o += 62) karten.emplace_back(d.c_str() + o + 14);
    return karten;
  }
  static std::vector<std::string> Karten(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }

  ScriptedKomm komm;
};

// Two instances of the program on one document: each fetches, each saves, and the bookings
// of both are in the file, each once. The one that saves onto the other's file says so.
TEST_F(GeaenderteBuchungsdateiTest, TwoInstancesOnOneDocumentKeepTheBookingsOfBoth) {
  const std::string wuz = ordner / "a.wuz";
  const std::string bks = ordner / "a.bks";
  ASSERT_TRUE(Gefuellt(1, 4)->Save(wuz));
  const std::vector<std::string> alt = Karten(bks);
  ASSERT_EQ(alt.size(), 4U);
  auto eins = Neu();
  auto zwei = Neu();
  ASSERT_TRUE(eins->Load(wuz));
  ASSERT_TRUE(zwei->Load(wuz));
  Hole(*eins, "EINS", 2);
  Hole(*zwei, "ZWEI", 3);

  ASSERT_TRUE(eins->Save(wuz));  // nobody wrote the file since it was read: no box
  EXPECT_EQ(Karten(bks), Karten(alt, {"EINS1", "EINS2"}));
  ErwarteGeaendert(bks);
  ASSERT_TRUE(zwei->Save(wuz));
  EXPECT_TRUE(zwei->BuchungenGespeichert);
  const std::vector<std::string> beide = Karten(alt, {"EINS1", "EINS2", "ZWEI1", "ZWEI2", "ZWEI3"});
  EXPECT_EQ(Karten(bks), beide);
  EXPECT_EQ(zwei->Buchungen.Anzahl, 9);

  // The first fetches once more and saves from the bookings window, then the second saves
  // again without anything new: each booking stays once.
  Hole(*eins, "EINS", 1);
  ErwarteGeaendert(bks);
  eins->SaveBuchungen();
  EXPECT_TRUE(eins->BuchungenGespeichert);
  EXPECT_EQ(Karten(bks), Karten(beide, {"EINS1"}));
  ErwarteGeaendert(bks);
  ASSERT_TRUE(zwei->Save(wuz));
  EXPECT_EQ(Karten(bks), Karten(beide, {"EINS1"}));
  EXPECT_EQ(eins->Buchungen.Anzahl, 10);
  EXPECT_EQ(zwei->Buchungen.Anzahl, 10);
  // Saved again with no other save in between: no box.
  ASSERT_TRUE(zwei->Save(wuz));
  EXPECT_EQ(Karten(bks), Karten(beide, {"EINS1"}));
}

// Another instance saved the document with the bookings unchanged: the bookings file is
// another file now but holds what the list stands for, so the save asks nothing and writes
// the list as it stands, in its order, a booking deleted from it staying deleted.
TEST_F(GeaenderteBuchungsdateiTest, ABookingsFileSavedAgainWithTheSameBookingsKeepsTheListWithoutABox) {
  const std::string wuz = ordner / "a.wuz";
  const std::string bks = ordner / "a.bks";
  ASSERT_TRUE(Gefuellt(1, 4)->Save(wuz));
  auto eins = Neu();
  auto zwei = Neu();
  ASSERT_TRUE(eins->Load(wuz));
  ASSERT_TRUE(zwei->Load(wuz));
  ASSERT_TRUE(zwei->Save(wuz));
  Hole(*eins, "F", 2);
  eins->SortiereBuchungen(1, 1);  // by card, descending
  eins->Buchungen.RemoveIf([](const books& b) { return std::string_view(b.Karte) == "K1001"; });
  ASSERT_TRUE(eins->Save(wuz));
  EXPECT_EQ(Karten(bks), (std::vector<std::string>{"K1003", "K1002", "K1000", "F2", "F1"}));
  EXPECT_EQ(eins->Buchungen.Anzahl, 5);
  EXPECT_TRUE(eins->BuchungenGespeichert);
}

// The document cannot be renamed into place and the old bookings file cannot be put back
// either: the new bookings file stays, holding the list. The next save knows it for the file
// it wrote, asks nothing and writes each booking once.
TEST_F(GeaenderteBuchungsdateiTest, ABookingsFileLeftInPlaceByAFailedSaveIsTheListsOwn) {
  const std::string wuz = ordner / "a.wuz";
  const std::string bks = ordner / "a.bks";
  ASSERT_TRUE(Gefuellt(1, 2)->Save(wuz));
  auto s = Neu();
  ASSERT_TRUE(s->Load(wuz));
  Hole(*s, "F", 1);
  static int s_umbenennungen = 0;
  s_umbenennungen = 0;
  const Umbenennung vorher = SetzeUmbenennung([](const char* von, const char* nach) {
    if (++s_umbenennungen > 1) {  // the document's, then the old bookings file's way back
      errno = EIO;
      return -1;
    }
    return std::rename(von, nach);
  });
  EXPECT_THROW(s->Save(wuz), StdError);
  SetzeUmbenennung(vorher);
  EXPECT_EQ(s_umbenennungen, 3);
  EXPECT_FALSE(s->DatenGespeichert);
  const std::vector<std::string> liste{"K1000", "K1001", "F1"};
  EXPECT_EQ(Karten(bks), liste);
  EXPECT_TRUE(s->BuchungenGespeichert);
  ASSERT_TRUE(s->Save(wuz));
  EXPECT_EQ(Karten(bks), liste);
  EXPECT_EQ(s->Buchungen.Anzahl, 3);
}

// A bookings file that another program rewrote between the load and the save (in place with
// another size, or replaced by a file of the same size): the save writes its records followed
// by those fetched since, also when the list was sorted and a fetched booking was deleted.
TEST_F(GeaenderteBuchungsdateiTest, ABookingsFileRewrittenSinceTheLoadKeepsItsRecordsAndTheFetchedOnes) {
  for (const int andere : {101, 200}) {
    SCOPED_TRACE(andere);
    TempOrdner hier;
    const std::string wuz = hier / "a.wuz";
    const std::string bks = hier / "a.bks";
    ASSERT_TRUE(Gefuellt(1, 200)->Save(wuz));
    auto s = Neu();
    ASSERT_TRUE(s->Load(wuz));
    Hole(*s, "F", 3);

    std::string neu;
    for (int i = 0; i < andere; ++i) neu += Bytes(Buchung(1000 + i));
    if (andere == 200) {
      SchreibeDatei(hier / "neu.bks", neu);
      std::filesystem::rename(hier / "neu.bks", bks);
    } else {
      SchreibeDatei(bks, neu);
    }
    s->SortiereBuchungen(1, 1);  // by card, descending: the fetched ones stand among the others
    s->Buchungen.RemoveIf([](const books& b) { return std::string_view(b.Karte) == "F2"; });
    ErwarteGeaendert(bks);
    ASSERT_TRUE(s->Save(wuz));
    EXPECT_TRUE(s->BuchungenGespeichert);
    const std::string d = LiesDatei(bks);
    ASSERT_EQ(d.size(), neu.size() + 2 * 62);
    EXPECT_TRUE(d.substr(0, neu.size()) == neu);
    std::vector<std::string> geholt;
    for (std::size_t o = neu.size(); o < d.size(); o += 62) geholt.emplace_back(d.c_str() + o + 14);
    EXPECT_EQ(geholt, (std::vector<std::string>{"F3", "F1"}));
    EXPECT_EQ(s->Buchungen.Anzahl, andere + 2);
  }
}

// Equal bookings count one by one: of a booking the file held twice and the list holds three
// times, one was fetched since, and it alone follows the rewritten file's bookings.
TEST_F(GeaenderteBuchungsdateiTest, OfEqualBookingsOnlyThoseBeyondTheFilesCountAsFetched) {
  TempOrdner hier;
  const std::string wuz = hier / "a.wuz";
  const std::string bks = hier / "a.bks";
  ASSERT_TRUE(Gefuellt(1, 0)->Save(wuz));
  SchreibeDatei(bks, Bytes(Buchung(7)) + Bytes(Buchung(8)) + Bytes(Buchung(7)));
  auto s = Neu();
  ASSERT_TRUE(s->Load(wuz));
  HaengeAn(s->Buchungen, std::make_unique<books>(Buchung(7)));
  s->BuchungenGespeichert = false;
  s->SortiereBuchungen(1, 0);  // by card: the three equal ones first
  SchreibeDatei(bks, Bytes(Buchung(1000)));
  ErwarteGeaendert(bks);
  ASSERT_TRUE(s->Save(wuz));
  EXPECT_TRUE(LiesDatei(bks) == Bytes(Buchung(1000)) + Bytes(Buchung(7)));
}

// A new document's bookings file is not there or was never read: as long as it is still not
// there, the save asks nothing; once another instance has made it, its bookings are kept.
TEST_F(GeaenderteBuchungsdateiTest, AMissingBookingsFileIsNotChangedUntilItIsThere) {
  const std::string wuz = ordner / "a.wuz";
  const std::string bks = ordner / "a.bks";
  ASSERT_TRUE(Gefuellt(1, 2)->Save(wuz));
  std::filesystem::remove(bks);
  auto s = Neu();
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  ASSERT_TRUE(s->Load(wuz));
  Hole(*s, "F", 1);
  ASSERT_TRUE(s->Save(wuz));
  EXPECT_EQ(Karten(bks), (std::vector<std::string>{"F1"}));

  std::filesystem::remove(bks);
  auto t = Neu();
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Keine Buchungen vorhanden.");
  ASSERT_TRUE(t->Load(wuz));
  Hole(*t, "G", 1);
  SchreibeDatei(bks, Bytes(Buchung(0)));
  ErwarteGeaendert(bks);
  ASSERT_TRUE(t->Save(wuz));
  EXPECT_EQ(Karten(bks), (std::vector<std::string>{"K1000", "G1"}));
}

TEST_F(DokumentDateiTest, SaveBuchungenThatCannotOpenItsFileSaysSoAndKeepsTheFlag) {
  auto s = Neu();
  s->BuchungsDateiname = ordner / "fehlt/x.bks";
  s->BuchungenGespeichert = false;
  plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, "Konnte Buchungen nicht schreiben.");
  s->SaveBuchungen();
  EXPECT_FALSE(s->BuchungenGespeichert);
}

}  // namespace
