#include "text/WireText.h"

#include <map>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Fall {
  const char* Name;
  std::string Ein;  // Windows-1252 bytes
  std::string Aus;
};

// Cases print and are named by their name, never by their bytes.
void PrintTo(const Fall& fall, std::ostream* os) { *os << fall.Name; }

std::string FallName(const testing::TestParamInfo<Fall>& info) { return info.param.Name; }

class Kodiere : public testing::TestWithParam<Fall> {};
class Dekodiere : public testing::TestWithParam<Fall> {};

TEST_P(Kodiere, BildetByteFuerByteAb) {
  std::string text = GetParam().Ein;
  KodiereText(text);
  EXPECT_EQ(text, GetParam().Aus);
  EXPECT_EQ(text.size(), GetParam().Ein.size());
}

TEST_P(Dekodiere, BildetByteFuerByteAb) {
  std::string text = GetParam().Ein;
  DekodiereText(text);
  EXPECT_EQ(text, GetParam().Aus);
  EXPECT_EQ(text.size(), GetParam().Ein.size());
}

INSTANTIATE_TEST_SUITE_P(WireText, Kodiere,
                         testing::Values(Fall{"tuer_1", "T\xFCr 1", "T&r!1"},
                                         Fall{"strasse",
                                              "Stra\xDF"
                                              "e",
                                              "Stra$e"},
                                         Fall{"umlaute", "\xE4\xC4\xF6\xD6\xFC\xDC", "##//&&"},
                                         Fall{"blanks", "  ", "!!"},
                                         Fall{"andere_bytes_bleiben", "Caf\xE9 \x80", "Caf\xE9!\x80"},
                                         Fall{"zeichen_der_tabelle_bleiben", "!#/&$%\xA7", "!#/&$%\xA7"},
                                         Fall{"leer", "", ""}),
                         FallName);

INSTANTIATE_TEST_SUITE_P(WireText, Dekodiere,
                         testing::Values(Fall{"tuer_1", "T&r!1", "T\xFCr 1"},
                                         Fall{"drei_blankzeichen", "!\xA7%", "   "},
                                         Fall{"sz_und_umlaute", "$#/&", "\xDF\xE4\xF6\xFC"},
                                         Fall{"andere_bytes_bleiben", "Caf\xE9\x80", "Caf\xE9\x80"},
                                         Fall{"grosse_umlaute_bleiben", "\xC4\xD6\xDC", "\xC4\xD6\xDC"},
                                         Fall{"leer", "", ""}),
                         FallName);

// Every byte other than those of the two tables passes unchanged, in both directions.
TEST(WireText, NurDieBytesDerTabellenWerdenAbgebildet) {
  const std::map<unsigned char, unsigned char> kodiert = {{0x20, '!'}, {0xDF, '$'}, {0xE4, '#'}, {0xC4, '#'},
                                                          {0xF6, '/'}, {0xD6, '/'}, {0xFC, '&'}, {0xDC, '&'}};
  const std::map<unsigned char, unsigned char> dekodiert = {{'!', 0x20}, {0xA7, 0x20}, {'%', 0x20}, {'$', 0xDF},
                                                            {'#', 0xE4}, {'/', 0xF6},  {'&', 0xFC}};
  for (int b = 1; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    std::string text(1, static_cast<char>(byte));
    KodiereText(text);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), kodiert.contains(byte) ? kodiert.at(byte) : byte) << "kodiert " << b;
    text.assign(1, static_cast<char>(byte));
    DekodiereText(text);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), dekodiert.contains(byte) ? dekodiert.at(byte) : byte)
        << "dekodiert " << b;
  }
}

TEST(WireText, NameKommtNachKodierenUndDekodierenZurueckGrossUmlauteKlein) {
  std::string text = "m\xFCller \xE4\xF6\xDF 42 \xC4\xD6\xDC";
  KodiereText(text);
  DekodiereText(text);
  EXPECT_EQ(text, "m\xFCller \xE4\xF6\xDF 42 \xE4\xF6\xFC");
}

TEST(WireText, ArbeitetBisZumNul) {
  char feld[8] = "a b";
  feld[4] = ' ';  // after the terminator: not part of the text
  KodiereText(feld);
  EXPECT_STREQ(feld, "a!b");
  EXPECT_EQ(feld[4], ' ');
}

TEST(WireText, FeldOhneNulWirdNurBisZuSeinemEndeBearbeitet) {
  struct {
    char Feld[4];
    char Dahinter[4];
  } speicher = {{'a', ' ', 'b', ' '}, {' ', '#', ' ', '\0'}};
  KodiereText(speicher.Feld);
  EXPECT_EQ(std::string(speicher.Feld, 4), "a!b!");
  EXPECT_STREQ(speicher.Dahinter, " # ");
  DekodiereText(speicher.Feld);
  EXPECT_EQ(std::string(speicher.Feld, 4), "a b ");
  EXPECT_STREQ(speicher.Dahinter, " # ");
}

}  // namespace
