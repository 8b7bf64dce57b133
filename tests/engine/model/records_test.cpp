#include "model/Records.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Feld {
  std::size_t Offset;
  Bytes Inhalt;
};

Bytes LE16(std::uint16_t v) { return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }
Bytes LE32(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

// n text bytes without a NUL, starting at 'erstes': a field filled to its last byte.
Bytes Text(std::size_t n, char erstes) {
  Bytes b;
  for (std::size_t i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(erstes + i));
  return b;
}
template <std::size_t N>
void Fuelle(char (&feld)[N], char erstes) {
  for (std::size_t i = 0; i < N; ++i) feld[i] = static_cast<char>(erstes + i);
}

// Line k with a distinct value in each field.
Zeitlinie Linie(int k) {
  return {static_cast<std::uint8_t>(k),           static_cast<std::uint8_t>(k + 40),
          static_cast<std::uint8_t>(k + 80),      static_cast<std::uint8_t>(k + 120),
          static_cast<std::uint16_t>(0x1100 + k), static_cast<std::uint16_t>(0x2200 + k)};
}
void LinienFelder(std::vector<Feld>& felder, std::size_t anzahl) {
  for (std::size_t k = 0; k < anzahl; ++k) {
    const auto n = static_cast<std::uint8_t>(k);
    felder.push_back({k * 8,
                      {n, static_cast<std::uint8_t>(n + 40), static_cast<std::uint8_t>(n + 80),
                       static_cast<std::uint8_t>(n + 120)}});
    felder.push_back({k * 8 + 4, LE16(static_cast<std::uint16_t>(0x1100 + k))});
    felder.push_back({k * 8 + 6, LE16(static_cast<std::uint16_t>(0x2200 + k))});
  }
}

struct LayoutFall {
  std::string Name;
  std::size_t ErwarteteGroesse;
  std::size_t Groesse;
  std::function<Bytes()> Schreibe;                    // image of the filled record
  std::function<bool(const Bytes&)> GleichNachLesen;  // image read back equals the record
  std::vector<Feld> Felder;                           // the layout, offset by offset
};

template <typename R, std::size_t N>
LayoutFall Fall(std::string name, std::size_t erwartet, R r, std::vector<Feld> felder) {
  auto schreibe = [r] {
    Bytes b(N, 0xEE);  // a byte left unwritten shows up as 0xEE
    SchreibeBytes(r, std::span<std::uint8_t, N>(b.data(), N));
    return b;
  };
  auto lies = [r](const Bytes& b) {
    R zurueck{};
    LiesBytes(std::span<const std::uint8_t, N>(b.data(), N), zurueck);
    return zurueck == r;
  };
  return {std::move(name), erwartet, N, schreibe, lies, std::move(felder)};
}

std::vector<LayoutFall> Faelle() {
  std::vector<LayoutFall> faelle;
  {
    Zeitlinie r = Linie(7);
    faelle.push_back(Fall<Zeitlinie, Zeitlinie::Groesse>(
        "Zeitlinie", 8, r, {{0, {7}}, {1, {47}}, {2, {87}}, {3, {127}}, {4, LE16(0x1107)}, {6, LE16(0x2207)}}));
  }
  {
    PROFIL r;
    for (int k = 0; k < 18; ++k) r.Zeitlinien[k] = Linie(k);
    Fuelle(r.Name, 'a');
    std::vector<Feld> f;
    LinienFelder(f, 18);
    f.push_back({144, Text(16, 'a')});
    faelle.push_back(Fall<PROFIL, PROFIL::Groesse>("PROFIL", 160, r, f));
  }
  {
    PERSON r;
    Fuelle(r.Profil, 'A');
    r.Status1 = 0xA1;
    r.Status2 = 0xB2;
    Fuelle(r.Code, '0');
    Fuelle(r.Karte, 'a');
    Fuelle(r.Name, 'E');
    faelle.push_back(Fall<PERSON, PERSON::Groesse>("PERSON", 64, r,
                                                   {{0, Text(12, 'A')},
                                                    {12, {0xA1}},
                                                    {13, {0xB2}},
                                                    {14, Text(5, '0')},
                                                    {19, Text(25, 'a')},
                                                    {44, Text(20, 'E')}}));
  }
  {
    TUERPROFIL r;
    for (int k = 0; k < 6; ++k) r.Zeitlinien[k] = Linie(k);
    r.Ueberwachungszeit = 0x01020304;
    r.Freigabezeit = -5;
    for (int k = 0; k < 8; ++k) r.Reserve[k] = static_cast<std::uint8_t>(0xD0 + k);
    std::vector<Feld> f;
    LinienFelder(f, 6);
    f.push_back({48, LE32(0x01020304)});
    f.push_back({52, {0xFB, 0xFF, 0xFF, 0xFF}});
    f.push_back({56, {0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7}});
    faelle.push_back(Fall<TUERPROFIL, TUERPROFIL::Groesse>("TUERPROFIL", 64, r, f));
  }
  {
    books r;
    r.Jahr = 0x07EA;
    r.Monat = 0x0B0C;
    r.Tag = 0x1F1E;
    r.Stunde = 0x1716;
    r.Minute = 0x3B3A;
    r.Sekunde = 0x3938;
    r.Reserve[0] = 0x5A;
    r.Reserve[1] = 0xA5;
    Fuelle(r.Karte, 'A');
    Fuelle(r.Name, 'a');
    r.Ereignis1 = 0x89;
    r.Ereignis2 = 0x0F;
    faelle.push_back(Fall<books, books::Groesse>("books", 62, r,
                                                 {{0, LE16(0x07EA)},
                                                  {2, LE16(0x0B0C)},
                                                  {4, LE16(0x1F1E)},
                                                  {6, LE16(0x1716)},
                                                  {8, LE16(0x3B3A)},
                                                  {10, LE16(0x3938)},
                                                  {12, {0x5A, 0xA5}},
                                                  {14, Text(25, 'A')},
                                                  {39, Text(21, 'a')},
                                                  {60, {0x89}},
                                                  {61, {0x0F}}}));
  }
  {
    SWUMSCHALTUNG r;
    r.Tag1 = 0x0102;
    r.Monat1 = 0x0304;
    r.Jahr1 = 0x0506;
    r.Tag2 = 0x0708;
    r.Monat2 = 0x090A;
    r.Jahr2 = -2;
    r.Kennung = 0x0B0C;
    r.Reserve[0] = 0x0D;
    r.Reserve[1] = 0x0E;
    faelle.push_back(Fall<SWUMSCHALTUNG, SWUMSCHALTUNG::Groesse>("SWUMSCHALTUNG", 16, r,
                                                                 {{0, LE16(0x0102)},
                                                                  {2, LE16(0x0304)},
                                                                  {4, LE16(0x0506)},
                                                                  {6, LE16(0x0708)},
                                                                  {8, LE16(0x090A)},
                                                                  {10, {0xFE, 0xFF}},
                                                                  {12, LE16(0x0B0C)},
                                                                  {14, {0x0D, 0x0E}}}));
  }
  {
    GERAETEDATEN r;
    r.Flags = 0x8765C3A1;
    Fuelle(r.NameTuer1, 'A');
    Fuelle(r.NameTuer2, 'a');
    r.Bezugsjahr = 0x07EA;
    r.Reserve = 0x1234;
    faelle.push_back(Fall<GERAETEDATEN, GERAETEDATEN::Groesse>(
        "GERAETEDATEN", 40, r,
        {{0, LE32(0x8765C3A1)}, {4, Text(16, 'A')}, {20, Text(16, 'a')}, {36, LE16(0x07EA)}, {38, LE16(0x1234)}}));
  }
  {
    Feiertagstabelle r;
    std::vector<Feld> f;
    for (std::size_t i = 0; i < FEIERTAGE_MAX; ++i) {
      r[i] = static_cast<Feiertagseintrag>(0x4000 + i * 3 + 1);
      f.push_back({i * 2, LE16(r[i])});
    }
    faelle.push_back(Fall<Feiertagstabelle, FEIERTAGSTABELLE_GROESSE>("Feiertagstabelle", 8192, r, f));
  }
  return faelle;
}

void PrintTo(const LayoutFall& fall, std::ostream* os) { *os << fall.Name; }

class Layout : public testing::TestWithParam<LayoutFall> {};

TEST_P(Layout, JedesFeldStehtAnSeinemOffsetUndKommtZurueck) {
  const LayoutFall& fall = GetParam();
  ASSERT_EQ(fall.Groesse, fall.ErwarteteGroesse);

  Bytes erwartet(fall.Groesse, 0);
  std::vector<int> belegt(fall.Groesse, 0);
  for (const Feld& feld : fall.Felder) {
    for (std::size_t k = 0; k < feld.Inhalt.size(); ++k) {
      ASSERT_LT(feld.Offset + k, fall.Groesse);
      erwartet[feld.Offset + k] = feld.Inhalt[k];
      ++belegt[feld.Offset + k];
    }
  }
  for (std::size_t i = 0; i < fall.Groesse; ++i) ASSERT_EQ(belegt[i], 1) << "byte " << i;

  const Bytes bild = fall.Schreibe();
  EXPECT_EQ(bild, erwartet);
  EXPECT_TRUE(fall.GleichNachLesen(erwartet));
}

INSTANTIATE_TEST_SUITE_P(Records, Layout, testing::ValuesIn(Faelle()),
                         [](const testing::TestParamInfo<LayoutFall>& info) { return info.param.Name; });

TEST(Records, FrischeRecordsTragenIhreVorgaben) {
  EXPECT_EQ(LiesText(PERSON{}.Profil), "nie");
  EXPECT_EQ(PERSON{}.Status1, 0);
  EXPECT_EQ(LiesText(PERSON{}.Karte), "");
  EXPECT_EQ(TUERPROFIL{}.Ueberwachungszeit, 30);
  EXPECT_EQ(TUERPROFIL{}.Freigabezeit, 5);
  EXPECT_EQ(TUERPROFIL{}.Zeitlinien[5], Zeitlinie{});
  EXPECT_EQ(GERAETEDATEN{}.Flags, 0x3001u);
  EXPECT_EQ(LiesText(GERAETEDATEN{}.NameTuer1), "T\xFCr 1");
  EXPECT_EQ(LiesText(GERAETEDATEN{}.NameTuer2), "T\xFCr 2");
}

TEST(Buchung, TuerUndLeserNachDenEreignisbits) {
  struct Fall {
    std::uint8_t Ereignis1;
    int Tuer;
    int Leser;
  };
  for (const Fall f : {Fall{0x00, 0, 0}, Fall{0x01, 1, 0}, Fall{0x0A, 2, 1}, Fall{0x1E, 3, 2}, Fall{0x03, 2, 0},
                       Fall{0x05, 3, 0}, Fall{0x10, 0, 2}, Fall{0xC0, 0, 0}, Fall{0xFF, 3, 2}}) {
    EXPECT_EQ(TuerIndex(f.Ereignis1), f.Tuer) << int{f.Ereignis1};
    EXPECT_EQ(LeserIndex(f.Ereignis1), f.Leser) << int{f.Ereignis1};
  }
}

TEST(TextFeld, LesenEndetAmNulOderAmFeldende) {
  struct {
    char Feld[5];
    char Dahinter[3];
  } speicher = {{'A', 'B', 'C', 'D', 'E'}, {'X', 'Y', '\0'}};
  EXPECT_EQ(LiesText(speicher.Feld), "ABCDE");
  speicher.Feld[2] = '\0';
  EXPECT_EQ(LiesText(speicher.Feld), "AB");
}

TEST(TextFeld, SchreibenKuerztAufFeldgroesseMinusEins) {
  struct Fall {
    std::string Text;
    std::string Erwartet;
  };
  for (const Fall& fall :
       {Fall{"", ""}, Fall{"Tor", "Tor"}, Fall{"12345678901", "12345678901"}, Fall{"1234567890123", "12345678901"}}) {
    SCOPED_TRACE(fall.Text);
    char feld[12];
    std::memset(feld, 'x', sizeof feld);
    SchreibeText(feld, fall.Text);
    EXPECT_EQ(LiesText(feld), fall.Erwartet);
    for (std::size_t i = fall.Erwartet.size(); i < sizeof feld; ++i) EXPECT_EQ(feld[i], '\0') << i;
  }
}

TEST(TextFeld, ProfilnameWirdBeimKopierenInDiePersonGekuerzt) {
  PROFIL profil;
  SchreibeText(profil.Name, "Reinigungsteam");  // 14 characters, the person holds 11
  PERSON person;
  SchreibeText(person.Profil, LiesText(profil.Name));
  EXPECT_EQ(LiesText(person.Profil), "Reinigungst");
}

TEST(Feiertagstabelle, EndeMarkeIstJedesEintragsMitVierzehnGesetztenBits) {
  struct Fall {
    Feiertagseintrag Eintrag;
    bool Marke;
  };
  for (const Fall& fall : {Fall{0x3FFF, true}, Fall{0x7FFF, true}, Fall{0xFFFF, true}, Fall{0xBFFF, true},
                           Fall{0x1FFF, false}, Fall{0xDFFF, false}, Fall{0x3FFE, false}, Fall{0x4001, false}}) {
    Feiertagstabelle t{};
    t[0] = 0x4010;
    t[1] = fall.Eintrag;
    t[2] = FT_ENDE;
    EXPECT_EQ(EndeMarkeIndex(t), fall.Marke ? 1u : 2u) << std::hex << fall.Eintrag;
  }
}

TEST(Feiertagstabelle, SucheEndetNach4096EintraegenOhneMarke) {
  Feiertagstabelle t;
  t.fill(0x4001);
  EXPECT_EQ(EndeMarkeIndex(t), FEIERTAGE_MAX);
  t[4095] = FT_ENDE;
  EXPECT_EQ(EndeMarkeIndex(t), 4095u);
}

TEST(Feiertagstabelle, LeereTabelleIstEineMarkeInEintragNull) {
  Feiertagstabelle t;
  t.fill(0x4321);
  LeereFeiertagstabelle(t);
  EXPECT_EQ(t[0], FT_ENDE);
  EXPECT_EQ(EndeMarkeIndex(t), 0u);
  for (std::size_t i = 1; i < FEIERTAGE_MAX; ++i) ASSERT_EQ(t[i], 0) << i;
}

TEST(Feiertagstabelle, TagnummerUndArt) {
  EXPECT_EQ(Tagnummer(0xA123), 0x0123);
  EXPECT_EQ(Tagesart(0xA123), FT_SONDERTAG2);
  EXPECT_EQ(Tagesart(0x6001), FT_SONDERTAG1);
}

TEST(Feiertagstabelle, EinfuegenSchiebtDenRestSamtMarkeHoch) {
  Feiertagstabelle t;
  LeereFeiertagstabelle(t);
  ASSERT_TRUE(FuegeFeiertagEin(t, 0, 0x4010));
  ASSERT_TRUE(FuegeFeiertagEin(t, 1, 0x4030));
  ASSERT_TRUE(FuegeFeiertagEin(t, 1, 0x8020));
  EXPECT_EQ(t[0], 0x4010);
  EXPECT_EQ(t[1], 0x8020);
  EXPECT_EQ(t[2], 0x4030);
  EXPECT_EQ(t[3], FT_ENDE);
  EXPECT_EQ(t[4], 0);
  EXPECT_FALSE(FuegeFeiertagEin(t, 5, 0x4040));  // beyond the marker
  EXPECT_EQ(EndeMarkeIndex(t), 3u);
}

TEST(Feiertagstabelle, EinfuegenWirdAbgelehntWennDieMarkeHerausfiele) {
  Feiertagstabelle t;
  t.fill(0x4001);
  t[4095] = FT_ENDE;
  const Feiertagstabelle vorher = t;
  EXPECT_FALSE(FuegeFeiertagEin(t, 0, 0x4000));
  EXPECT_EQ(t, vorher);
  t[4095] = 0x4002;  // no marker at all
  EXPECT_FALSE(FuegeFeiertagEin(t, 0, 0x4000));
}

TEST(Feiertagstabelle, EntfernenSchiebtDenRestSamtMarkeHerunter) {
  Feiertagstabelle t;
  LeereFeiertagstabelle(t);
  for (Feiertagseintrag e : {0x4010, 0x4020, 0x4030}) ASSERT_TRUE(FuegeFeiertagEin(t, EndeMarkeIndex(t), e));
  EXPECT_FALSE(EntferneFeiertag(t, 3));  // the marker itself
  ASSERT_TRUE(EntferneFeiertag(t, 0));
  EXPECT_EQ(t[0], 0x4020);
  EXPECT_EQ(t[1], 0x4030);
  EXPECT_EQ(t[2], FT_ENDE);
  EXPECT_EQ(t[3], 0);
}

TEST(Feiertagstabelle, EntfernenAusVollerTabelleOhneMarkeSchliesstSie) {
  Feiertagstabelle t;
  for (std::size_t i = 0; i < FEIERTAGE_MAX; ++i) t[i] = static_cast<Feiertagseintrag>(0x4000 + i % 0x1000);
  ASSERT_TRUE(EntferneFeiertag(t, 10));
  EXPECT_EQ(t[10], 0x4000 + 11);
  EXPECT_EQ(t[4094], 0x4000 + 4095 % 0x1000);
  EXPECT_EQ(EndeMarkeIndex(t), 4095u);
}

}  // namespace
