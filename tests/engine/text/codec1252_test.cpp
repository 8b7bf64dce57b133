#include "text/Codec1252.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(Codec1252, JedesByteUeberstehtDenRundweg) {
  std::string alle;
  for (int b = 0; b < 256; ++b) alle += static_cast<char>(b);
  const std::string utf8 = Cp1252NachUtf8(alle);
  EXPECT_EQ(Utf8NachCp1252(utf8), alle);
}

struct Zeichen {
  const char* Name;
  std::string Cp1252;
  std::string Utf8;
};

// Cases print and are named by their name, never by their bytes.
void PrintTo(const Zeichen& z, std::ostream* os) { *os << z.Name; }

template <typename P>
std::string FallName(const testing::TestParamInfo<P>& info) {
  return info.param.Name;
}

class Abbildung : public testing::TestWithParam<Zeichen> {};

TEST_P(Abbildung, InBeideRichtungen) {
  EXPECT_EQ(Cp1252NachUtf8(GetParam().Cp1252), GetParam().Utf8);
  EXPECT_EQ(Utf8NachCp1252(GetParam().Utf8), GetParam().Cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Codec1252, Abbildung,
    testing::Values(Zeichen{"tuer_1", "T\xFCr 1", "T\xC3\xBCr 1"}, Zeichen{"euro", "\x80", "\xE2\x82\xAC"},
                    Zeichen{"sz_und_umlaute", "\xDF\xC4\xD6\xDC", "\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C"},
                    Zeichen{"paragraf_festes_blank_y_trema", "\xA7\xA0\xFF", "\xC2\xA7\xC2\xA0\xC3\xBF"},
                    Zeichen{"anfuehrung_strich_marke_y_trema", "\x84\x93\x96\x99\x9F",
                            "\xE2\x80\x9E\xE2\x80\x9C\xE2\x80\x93\xE2\x84\xA2\xC5\xB8"},
                    Zeichen{"hatschek_ligaturen_florin", "\x8A\x9A\x8E\x9E\x8C\x9C\x83",
                            "\xC5\xA0\xC5\xA1\xC5\xBD\xC5\xBE\xC5\x92\xC5\x93\xC6\x92"},
                    Zeichen{"unbelegte_stellen", "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
                    Zeichen{"leer", "", ""}),
    FallName<Zeichen>);

// UTF-8 that has no Windows-1252 form, or is no UTF-8 at all.
struct Fremd {
  const char* Name;
  std::string Utf8;
};

void PrintTo(const Fremd& f, std::ostream* os) { *os << f.Name; }

class Abgelehnt : public testing::TestWithParam<Fremd> {};

TEST_P(Abgelehnt, ZeichenOhneWindows1252Form) { EXPECT_EQ(Utf8NachCp1252(GetParam().Utf8), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Codec1252, Abgelehnt,
                         testing::Values(Fremd{"haekchen_u2713", "Tor \xE2\x9C\x93"}, Fremd{"u65e5", "\xE6\x97\xA5"},
                                         Fremd{"c_hatschek_u010d", "\xC4\x8D"},
                                         Fremd{"u0080_nicht_euro", "\xC2\x80"},     // 0x80 is the euro sign
                                         Fremd{"u009f_nicht_y_trema", "\xC2\x9F"},  // 0x9F is Y with diaeresis
                                         Fremd{"u1f600", "\xF0\x9F\x98\x80"}, Fremd{"abgeschnittene_folge", "ab\xC3"},
                                         Fremd{"falsche_fortsetzung", "\xC3\x28"},
                                         Fremd{"ueberlanger_schraegstrich", "\xC0\xAF"},
                                         Fremd{"surrogat", "\xED\xA0\x80"},
                                         Fremd{"windows1252_byte", "\xFC"}),  // a Windows-1252 byte is not UTF-8
                         FallName<Fremd>);

}  // namespace
