// The configuration file class: Windows INI syntax, names without regard to case, other
// content kept on write.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/IniDatei.h"

#include "common/TempOrdner.h"

namespace {

TEST(IniDatei, ReadsNamesWithoutRegardToCaseFromCrlfAndLfFiles) {
  for (const char* zeilenende : {"\r\n", "\n"}) {
    TempOrdner ordner;
    const std::string z = zeilenende;
    SchreibeDatei(ordner / "a.ini", "; comment" + z + "[global]" + z + "PAGE = 0" + z + z + "[Network]" + z +
                                        "ip=192.168.1.7" + z + " TcpPort=4000 " + z);
    const TIniDatei ini(ordner / "a.ini");
    EXPECT_EQ(ini.LeseZahl("Global", "Page", 1), 0) << zeilenende;
    EXPECT_EQ(ini.LeseText("NETWORK", "IP", ""), "192.168.1.7");
    EXPECT_EQ(ini.LeseZahl("Network", "TCPPort", 10001), 4000);
    EXPECT_EQ(ini.LeseZahl("Global", "IP", 7), 7);  // a key of another section
  }
}

// A byte-order mark and any of the three line ends are read as the file means them, and
// written back as they were: no second [Global] is appended behind a hidden first one.
TEST(IniDatei, AByteOrderMarkAndEveryLineEndAreReadAndWrittenAsTheFileHasThem) {
  struct Fall {
    const char* name;
    std::string kopf;
    std::string ende;
  };
  for (const Fall& f : {Fall{"bom_crlf", "\xEF\xBB\xBF", "\r\n"}, Fall{"bom_lf", "\xEF\xBB\xBF", "\n"},
                        Fall{"cr", "", "\r"}, Fall{"crlf", "", "\r\n"}, Fall{"bom_cr", "\xEF\xBB\xBF", "\r"}}) {
    SCOPED_TRACE(f.name);
    TempOrdner ordner;
    const std::string& z = f.ende;
    SchreibeDatei(ordner / "Wup.ini", f.kopf + "[Global]" + z + "Page=0" + z + "[Comm]" + z + "port=5" + z);
    TIniDatei ini(ordner / "Wup.ini");
    EXPECT_EQ(ini.LeseZahl("Global", "Page", 1), 0);
    EXPECT_EQ(ini.LeseZahl("Comm", "port", 2), 5);
    ini.SchreibeZahl("Global", "Page", 1);
    ini.SchreibeBool("Global", "LOG", true);
    ASSERT_TRUE(ini.Speichern());
    EXPECT_EQ(LiesDatei(ordner / "Wup.ini"),
              f.kopf + "[Global]" + z + "Page=1" + z + "LOG=1" + z + "[Comm]" + z + "port=5" + z);
  }
}

TEST(IniDatei, TextsWithBlanksAtTheirEndsOrInQuotesReadBackAsWritten) {
  TempOrdner ordner;
  TIniDatei ini(ordner / "a.ini");
  const std::vector<std::string> texte = {" vorn", "hinten ", "\"zitiert\"", "\"", "a\"b", "", "192.168.0.1"};
  for (std::size_t i = 0; i < texte.size(); ++i) ini.SchreibeText("S", "k" + std::to_string(i), texte[i]);
  ASSERT_TRUE(ini.Speichern());
  const TIniDatei zurueck(ordner / "a.ini");
  for (std::size_t i = 0; i < texte.size(); ++i) {
    EXPECT_EQ(zurueck.LeseText("S", "k" + std::to_string(i), "?"), texte[i]) << i;
  }
}

TEST(IniDatei, MissingOrNonNumericValuesGiveTheDefault) {
  TempOrdner ordner;
  SchreibeDatei(ordner / "a.ini",
                "[S]\nleer=\nwort=abc\nrest=12x\ngross=99999999999\nminus=-1\nplus=+7\nblank= 5 \nhex=0x10\n");
  const TIniDatei ini(ordner / "a.ini");
  struct Fall {
    const char* schluessel;
    int erwartet;
  };
  for (const Fall& f : std::vector<Fall>{{"leer", 42},
                                         {"wort", 42},
                                         {"rest", 42},
                                         {"gross", 42},
                                         {"fehlt", 42},
                                         {"minus", -1},
                                         {"plus", 7},
                                         {"blank", 5},
                                         {"hex", 42}}) {
    EXPECT_EQ(ini.LeseZahl("S", f.schluessel, 42), f.erwartet) << f.schluessel;
  }
  EXPECT_EQ(TIniDatei(ordner / "fehlt.ini").LeseZahl("S", "minus", 3), 3);
}

TEST(IniDatei, AnyNonzeroNumberReadsAsTrue) {
  TempOrdner ordner;
  SchreibeDatei(ordner / "a.ini", "[B]\nnull=0\neins=1\nfuenf=5\nminus=-1\nja=yes\n");
  const TIniDatei ini(ordner / "a.ini");
  EXPECT_FALSE(ini.LeseBool("B", "null", true));
  EXPECT_TRUE(ini.LeseBool("B", "eins", false));
  EXPECT_TRUE(ini.LeseBool("B", "fuenf", false));
  EXPECT_TRUE(ini.LeseBool("B", "minus", false));
  EXPECT_FALSE(ini.LeseBool("B", "ja", false));
  EXPECT_TRUE(ini.LeseBool("B", "ja", true));
}

TEST(IniDatei, WritingKeepsEverythingElseAndReplacesInPlace) {
  TempOrdner ordner;
  SchreibeDatei(ordner / "a.ini", "; mine\n[Other]\nx=1\n\n[comm]\nPORT=5\nfoo=bar\n\n[Tail]\ny=2\n");
  TIniDatei ini(ordner / "a.ini");
  ini.SchreibeZahl("Comm", "port", 3);
  ini.SchreibeBool("Comm", "Cable", true);
  ini.SchreibeBool("Global", "LOG", false);
  ASSERT_TRUE(ini.Speichern());
  EXPECT_EQ(LiesDatei(ordner / "a.ini"),
            "; mine\n[Other]\nx=1\n\n[comm]\nport=3\nfoo=bar\nCable=1\n\n[Tail]\ny=2\n\n[Global]\nLOG=0\n");
  EXPECT_EQ(Inhalt(ordner.Pfad()), std::vector<std::string>{"a.ini"});
}

TEST(IniDatei, OnlyTheFirstOfTwoSectionsWithTheSameNameIsReadAndWritten) {
  TempOrdner ordner;
  SchreibeDatei(ordner / "a.ini", "[Comm]\nport=5\n[Network]\nIP=h\n[COMM]\nAdress=3\nport=6\n");
  TIniDatei ini(ordner / "a.ini");
  EXPECT_EQ(ini.LeseZahl("Comm", "port", 0), 5);
  EXPECT_EQ(ini.LeseZahl("Comm", "Adress", 9), 9);
  ini.SchreibeZahl("Comm", "Adress", 4);
  EXPECT_EQ(ini.LeseZahl("Comm", "Adress", 9), 4);
  ASSERT_TRUE(ini.Speichern());
  EXPECT_EQ(LiesDatei(ordner / "a.ini"), "[Comm]\nport=5\nAdress=4\n[Network]\nIP=h\n[COMM]\nAdress=3\nport=6\n");
}

TEST(IniDatei, ANewFileGetsCrlfLines) {
  TempOrdner ordner;
  TIniDatei ini(ordner / "neu.ini");
  ini.SchreibeZahl("Global", "Page", 1);
  ini.SchreibeText("Network", "IP", "127.0.0.1");
  ASSERT_TRUE(ini.Speichern());
  EXPECT_EQ(LiesDatei(ordner / "neu.ini"), "[Global]\r\nPage=1\r\n\r\n[Network]\r\nIP=127.0.0.1\r\n");
  EXPECT_EQ(TIniDatei(ordner / "neu.ini").LeseText("network", "ip", ""), "127.0.0.1");
}

// A pasted host text with line breaks would otherwise write a section and a key of its own;
// other control characters would be cut (NUL) or change the value when it is read back.
TEST(IniDatei, AValueWithALineBreakOrAControlCharacterIsRefusedAndTheKeyKeepsItsValue) {
  using namespace std::string_literals;
  for (const std::string& wert :
       {"10.0.0.1\n[Global]\nLOG=1"s, "10.0.0.1\r[Global]"s, "\n"s, "a\r\nb"s, "10.0.0.1\0LOG"s, "a\x1B[2Jb"s, "a\tb"s,
        "a\vb"s, "a\fb"s, "a\x7F"s, "a\u0085b"s, "a\u009Fb"s, "a\u2028b"s, "a\u2029b"s}) {
    SCOPED_TRACE(testing::PrintToString(wert));
    TempOrdner ordner;
    SchreibeDatei(ordner / "a.ini", "[Network]\nIP=1.2.3.4\n");
    TIniDatei ini(ordner / "a.ini");
    EXPECT_FALSE(ini.SchreibeText("Network", "IP", wert));
    EXPECT_FALSE(ini.SchreibeText("Neu", "IP", wert));
    EXPECT_TRUE(ini.SchreibeText("Network", "TCPPort", "4000"));
    ASSERT_TRUE(ini.Speichern());
    EXPECT_EQ(LiesDatei(ordner / "a.ini"), "[Network]\nIP=1.2.3.4\nTCPPort=4000\n");
  }
  // Letters beyond ASCII are no control characters.
  TempOrdner ordner;
  TIniDatei ini(ordner / "a.ini");
  EXPECT_TRUE(ini.SchreibeText("Network", "IP", "steuerung-t\u00FCr.local\u00A0\u2027"));
}

// A file that is there but cannot be read gives every default, and is never written: what was
// read stands for none of its lines.
TEST(IniDatei, AFileThatCannotBeReadGivesTheDefaultsAndIsNotWritten) {
  TempOrdner ordner;
  std::filesystem::create_directory(ordner / "ordner.ini");
  SchreibeDatei(ordner / "gesperrt.ini", "[Comm]\nport=5\n[Eigenes]\nx=1\n");
  std::filesystem::permissions(ordner / "gesperrt.ini", std::filesystem::perms::owner_write);
  OhneDateiRechteUebergehen nurRechte;
  for (const char* name : {"ordner.ini", "gesperrt.ini"}) {
    SCOPED_TRACE(name);
    TIniDatei ini(ordner / name);
    EXPECT_EQ(ini.LeseZahl("Comm", "port", 2), 2);
    ini.SchreibeZahl("Comm", "port", 3);
    EXPECT_FALSE(ini.Speichern());
  }
  EXPECT_TRUE(std::filesystem::is_directory(ordner / "ordner.ini"));
  std::filesystem::permissions(ordner / "gesperrt.ini", std::filesystem::perms::owner_read);
  EXPECT_EQ(LiesDatei(ordner / "gesperrt.ini"), "[Comm]\nport=5\n[Eigenes]\nx=1\n");
}

// A file larger than 1 MiB is none of the program's own: it gives every default at once and
// is never written. A sparse file of 2 GiB, a link to a device that never ends.
TEST(IniDatei, AFileLargerThanOneMebibyteGivesTheDefaultsAndIsNotWritten) {
  TempOrdner ordner;
  const std::string eintrag = "[Comm]\nport=5\n";
  const std::string fuellung(1024 * 1024 - eintrag.size(), ';');
  SchreibeDatei(ordner / "grenze.ini", eintrag + fuellung);
  SchreibeDatei(ordner / "darueber.ini", eintrag + fuellung + ";");
  SchreibeDatei(ordner / "riesig.ini", eintrag);
  std::filesystem::resize_file(ordner / "riesig.ini", std::uintmax_t{2} << 30);
  std::filesystem::create_symlink("/dev/zero", ordner / "null.ini");
  EXPECT_EQ(TIniDatei(ordner / "grenze.ini").LeseZahl("Comm", "port", 2), 5);
  Wecker wecker(5);
  for (const char* name : {"darueber.ini", "riesig.ini", "null.ini"}) {
    SCOPED_TRACE(name);
    TIniDatei ini(ordner / name);
    EXPECT_EQ(ini.LeseZahl("Comm", "port", 2), 2);
    ini.SchreibeZahl("Comm", "port", 3);
    EXPECT_FALSE(ini.Speichern());
  }
  EXPECT_EQ(std::filesystem::file_size(ordner / "darueber.ini"), 1024U * 1024 + 1);
  EXPECT_EQ(std::filesystem::file_size(ordner / "riesig.ini"), std::uintmax_t{2} << 30);
  EXPECT_EQ(std::filesystem::read_symlink(ordner / "null.ini"), "/dev/zero");
}

TEST(IniDatei, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
  TempOrdner ordner;
  SchreibeDatei(ordner / "datei", "kein Ordner");
  TIniDatei ini(ordner / "datei/a.ini");
  ini.SchreibeZahl("S", "k", 1);
  EXPECT_FALSE(ini.Speichern());
  EXPECT_EQ(LiesDatei(ordner / "datei"), "kein Ordner");
}

}  // namespace
