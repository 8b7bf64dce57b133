// The access log of the expert mode: one line per admission, appended.
#include "document/Zugriffsprotokoll.h"

#include <gtest/gtest.h>

#include "common/TempOrdner.h"

namespace {

TEST(Zugriffsprotokoll, EachAdmissionAppendsOneLine) {
  TempOrdner ordner;
  ASSERT_TRUE(SchreibeZugriff(ordner.Pfad(), {2026, 3, 7, 14, 5, 9, 6}));
  EXPECT_EQ(LiesDatei(ordner / "zkprot.log"), "Zugriff am 07.03.2026 um 14:05:09\n");
  ASSERT_TRUE(SchreibeZugriff(ordner.Pfad(), {2027, 12, 31, 0, 0, 0, 5}));
  EXPECT_EQ(LiesDatei(ordner / "zkprot.log"), "Zugriff am 07.03.2026 um 14:05:09\nZugriff am 31.12.2027 um 00:00:00\n");
}

TEST(Zugriffsprotokoll, AFileThatCannotBeOpenedOrWrittenIsReported) {
  TempOrdner ordner;
  SchreibeDatei(ordner / "datei", "kein Ordner");
  EXPECT_FALSE(SchreibeZugriff(ordner / "datei/", {2026, 3, 7, 14, 5, 9, 6}));

  // The open succeeds, but the line does not fit on the "disk": the buffered line fails at the close.
  const std::string alt(100, 'x');
  SchreibeDatei(ordner / "zkprot.log", alt);
  {
    DateiGroessenGrenze grenze(alt.size());
    EXPECT_FALSE(SchreibeZugriff(ordner.Pfad(), {2026, 3, 7, 14, 5, 9, 6}));
  }
  EXPECT_EQ(LiesDatei(ordner / "zkprot.log"), alt);
}

}  // namespace
