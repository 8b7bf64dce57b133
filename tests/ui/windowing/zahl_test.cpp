// Reading a typed number and the box that refuses a text that is not one.
#include "windowing/Zahl.h"

#include <optional>

#include <gtest/gtest.h>

#include "Skript.h"
#include "UiTest.h"

namespace {

TEST(Zahl, ReadsWholeDecimalTextsOnly) {
  struct Fall {
    const char* text;
    std::optional<int> wert;
  };
  const Fall faelle[] = {{"5", 5},
                         {" 42 ", 42},
                         {"007", 7},
                         {"-3", -3},
                         {"+8", 8},
                         {"", std::nullopt},
                         {" ", std::nullopt},
                         {"x", std::nullopt},
                         {"1x", std::nullopt},
                         {"1 2", std::nullopt},
                         {"0x10", std::nullopt},
                         {"99999999999", std::nullopt}};
  for (const Fall& f : faelle) EXPECT_EQ(fenster::Zahl(QString::fromUtf8(f.text)), f.wert) << f.text;
}

TEST(Zahl, RefusalBox) {
  Skript skript;
  skript.Box(QStringLiteral("\"ab\" ist keine gültige Zahl."), QStringLiteral("Fehler"), 16, 1);
  fenster::ZeigeKeineZahl(QStringLiteral("ab"));
}

}  // namespace
