#include "text/Codec1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Codec1252, JedesByteUeberstehtDenRundweg) {
  std::string alle;
  for (int b = 0; b < 256; ++b) alle += static_cast<char>(b);
  const std::string utf8 = Cp1252NachUtf8(alle);
  EXPECT_EQ(Utf8NachCp1252(utf8), alle);
}

struct Zeichen {
  std::string Cp1252;
  std::string Utf8;
};

void PrintTo(const Zeichen& z, std::ostream* os) { *os << testing::PrintToString(z.Cp1252); }

template <typename P>
std::string FallName(const testing::TestParamInfo<P>& info) {
  return "Fall" + std::to_string(info.index);
}

class Abbildung : public testing::TestWithParam<Zeichen> {};

TEST_P(Abbildung, InBeideRichtungen) {
  EXPECT_EQ(Cp1252NachUtf8(GetParam().Cp1252), GetParam().Utf8);
  EXPECT_EQ(Utf8NachCp1252(GetParam().Utf8), GetParam().Cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Codec1252, Abbildung,
    testing::Values(Zeichen{"T\xFCr 1", "T\xC3\xBCr 1"}, Zeichen{"\x80", "\xE2\x82\xAC"},
                    Zeichen{"\xDF\xC4\xD6\xDC", "\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C"},
                    Zeichen{"\xA7\xA0\xFF", "\xC2\xA7\xC2\xA0\xC3\xBF"},
                    Zeichen{"\x84\x93\x96\x99\x9F", "\xE2\x80\x9E\xE2\x80\x9C\xE2\x80\x93\xE2\x84\xA2\xC5\xB8"},
                    Zeichen{"\x8A\x9A\x8E\x9E\x8C\x9C\x83", "\xC5\xA0\xC5\xA1\xC5\xBD\xC5\xBE\xC5\x92\xC5\x93\xC6\x92"},
                    Zeichen{"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
                    Zeichen{"", ""}),
    FallName<Zeichen>);

class Abgelehnt : public testing::TestWithParam<std::string> {};

TEST_P(Abgelehnt, ZeichenOhneWindows1252Form) { EXPECT_EQ(Utf8NachCp1252(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Codec1252, Abgelehnt,
                         testing::Values("Tor \xE2\x9C\x93",         // U+2713 check mark
                                         "\xE6\x97\xA5",             // U+65E5
                                         "\xC4\x8D",                 // U+010D c with caron
                                         "\xC2\x80",                 // U+0080: 0x80 is the euro sign
                                         "\xC2\x9F",                 // U+009F: 0x9F is Y with diaeresis
                                         "\xF0\x9F\x98\x80",         // U+1F600
                                         "ab\xC3",                   // cut sequence
                                         "\xC3\x28",                 // bad continuation
                                         "\xC0\xAF",                 // overlong '/'
                                         "\xED\xA0\x80",             // surrogate
                                         "\xFC"),                    // a Windows-1252 byte is not UTF-8
                         FallName<std::string>);

}  // namespace
