// The bounded reader of controller answers: every kind of part, the stop at the first
// mismatch with the fields after it left alone, and the bounds of buffers and fields.
#include "link/AntwortScanner.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct ZahlFall {
  const char* name;
  const char* text;
  bool ok;
  std::int32_t wert;  // the target afterwards (starts at 77)
  std::size_t position;
};

// The case's name stands for it in test names.
void PrintTo(const ZahlFall& f, std::ostream* os) { *os << f.name; }

class ZahlTest : public ::testing::TestWithParam<ZahlFall> {};

TEST_P(ZahlTest, ReadsSignedDecimalInItsRange) {
  const ZahlFall& f = GetParam();
  std::int32_t wert = 77;
  AntwortScanner s(f.text);
  s.Zahl(wert, -1000, 1000);
  EXPECT_EQ(s.Ok(), f.ok);
  EXPECT_EQ(wert, f.wert);
  if (f.ok) {
    EXPECT_EQ(s.Position(), f.position);
  }
  EXPECT_EQ(s.Felder(), f.ok ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZahlTest,
    ::testing::Values(ZahlFall{"plain", "12", true, 12, 2}, ZahlFall{"white_space_first", "  \t\r\n-7x", true, -7, 7},
                      ZahlFall{"plus", "+5", true, 5, 2}, ZahlFall{"max", "1000", true, 1000, 4},
                      ZahlFall{"min", "-1000 ", true, -1000, 5}, ZahlFall{"above_max", "1001", false, 77, 0},
                      ZahlFall{"below_min", "-1001", false, 77, 0}, ZahlFall{"empty", "", false, 77, 0},
                      ZahlFall{"blanks", "   ", false, 77, 0}, ZahlFall{"sign_only", "-", false, 77, 0},
                      ZahlFall{"blank_after_sign", "- 5", false, 77, 0}, ZahlFall{"letter_first", "x12", false, 77, 0},
                      ZahlFall{"beyond_64_bits", "99999999999999999999999999999", false, 77, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AntwortScanner, DefaultRangeIsTheTargetType) {
  std::int16_t kurz = 1;
  AntwortScanner a("32767 32768");
  a.Zahl(kurz);
  EXPECT_EQ(kurz, 32767);
  a.Zahl(kurz);
  EXPECT_FALSE(a.Ok());
  EXPECT_EQ(kurz, 32767);

  std::int32_t lang = 5;
  AntwortScanner b("-2147483648 2147483648");
  b.Zahl(lang);
  EXPECT_EQ(lang, INT32_MIN);
  b.Zahl(lang);
  EXPECT_FALSE(b.Ok());
  EXPECT_EQ(lang, INT32_MIN);

  std::uint16_t zaehler = 9;
  AntwortScanner c("-1");
  c.Zahl(zaehler);
  EXPECT_FALSE(c.Ok());
  EXPECT_EQ(zaehler, 9);
}

TEST(AntwortScanner, WordsAreCutToTheirFieldAndConsumedWhole) {
  char feld[5];
  std::memset(feld, 'Q', sizeof feld);
  std::int32_t danach = 0;
  AntwortScanner s("  Langername 42");
  s.Wort(feld).Zahl(danach);
  ASSERT_TRUE(s.Ok());
  EXPECT_STREQ(feld, "Lang");
  EXPECT_EQ(danach, 42);

  char kurz[8];
  std::memset(kurz, 'Q', sizeof kurz);
  AntwortScanner t("ab\tcd");
  t.Wort(kurz);
  EXPECT_EQ(std::string(kurz, sizeof kurz), std::string("ab\0\0\0\0\0\0", 8));  // rest zeroed
}

TEST(AntwortScanner, MissingPartsKeepTheirValues) {
  char name1[16] = "alt1";
  char name2[16] = "alt2";
  std::int32_t flags = 3;
  AntwortScanner s("0");
  s.Zahl(flags).Leerraum().Wort(name1).Leerraum().Wort(name2);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(flags, 0);
  EXPECT_STREQ(name1, "alt1");
  EXPECT_STREQ(name2, "alt2");
  EXPECT_EQ(s.Felder(), 1);
}

TEST(AntwortScanner, StopsAtTheFirstMismatch) {
  char a = 'a', b = 'b';
  std::int16_t tage = 1, tueren = 2;
  AntwortScanner s("{H.X;7.8}");
  s.Literal('{').Zeichen(a).Literal('.').Zeichen(b).Literal('.').Zahl(tage).Literal('.').Zahl(tueren);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(a, 'H');
  EXPECT_EQ(b, 'X');
  EXPECT_EQ(tage, 1);
  EXPECT_EQ(tueren, 2);
  EXPECT_EQ(s.Position(), 4u);
}

TEST(AntwortScanner, CharacterTakesAnythingButTheEnd) {
  std::uint8_t c1 = 0, c2 = 0, c3 = 9;
  AntwortScanner s(" \xFC");
  s.Zeichen(c1).Zeichen(c2).Zeichen(c3);
  EXPECT_EQ(c1, ' ');
  EXPECT_EQ(c2, 0xFC);
  EXPECT_EQ(c3, 9);
  EXPECT_FALSE(s.Ok());
}

TEST(AntwortScanner, ReadsABufferOnlyUpToItsNulOrItsEnd) {
  std::array<char, 6> puffer = {'1', '2', ' ', 'x', 'y', 'z'};  // no NUL at all
  std::int32_t n = 0;
  char wort[16] = "vorher";
  AntwortScanner s{std::span<const char>(puffer)};
  s.Zahl(n).Wort(wort);
  EXPECT_TRUE(s.Ok());
  EXPECT_EQ(s.Position(), puffer.size());
  EXPECT_EQ(n, 12);
  EXPECT_STREQ(wort, "xyz");

  const char mitNul[] = "5\0 99";
  std::int32_t m = 0, k = 1;
  AntwortScanner t{std::span<const char>(mitNul, sizeof mitNul)};
  t.Zahl(m).Zahl(k);
  EXPECT_EQ(m, 5);
  EXPECT_EQ(k, 1);
  EXPECT_FALSE(t.Ok());
}

}  // namespace
