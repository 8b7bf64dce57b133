// The controller model: every request of the command set, the answer texts the program
// reads, and what the model keeps.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ControllerModel.h"

namespace {

using peer::ControllerModel;
using peer::Reply;

constexpr std::int64_t kFixedNow = 1767600000;  // 2026-01-05 08:00:00

ControllerModel MakeModel(std::int64_t* now = nullptr) {
  return ControllerModel("SIM VI20 V.03.01.07", [now] { return now ? *now : kFixedNow; });
}

std::string Lines(const std::string& first, int count, const std::string& rest, const std::string& join = ",") {
  std::string out = first;
  for (int i = 1; i < count; ++i) out += join + rest;
  return out;
}

const std::string kEmptyLine = "{A.A.A.A.0.0}";
const std::string kProfileText = "Fr&h!Dienst 0 " + Lines("{H._.R.A.31.17}", 18, kEmptyLine);
const std::string kDoorSent =
    "0 30 5 {H._.R.A.31.0}, {A.A.A.A.0.0},{A.A.A.A.0.0}, {A.A.A.A.0.0},{A.A.A.A.0.0}, {A.A.A.A.-32768.0}";
const std::string kDoorCompact =
    "0 30 5 {H._.R.A.31.0},{A.A.A.A.0.0},{A.A.A.A.0.0},{A.A.A.A.0.0},{A.A.A.A.0.0},{A.A.A.A.-32768.0}";

std::string Block(int index, const std::vector<int>& values, const std::string& sep = " ") {
  std::string out = std::to_string(index);
  for (int i = 0; i < 64; ++i) out += sep + std::to_string(i < static_cast<int>(values.size()) ? values[i] : 0);
  return out;
}

struct Step {
  std::uint8_t command;
  std::string text;
  int answer;                        // -1: no answer
  const char* answerText = nullptr;  // checked when given
};

// One controller from empty memory through every request of the command set.
TEST(ControllerModel, AnswersEveryRequestWithItsAnswerCode) {
  const std::vector<Step> steps = {
      {75, "", 77, "SIM VI20 V.03.01.07"},
      {24, "", 27, "-1"},
      {96, "", 95, "-1"},
      {46, "", 48, "0"},
      {54, "", 57, "0"},
      {66, "", 68, "0"},
      {17, "", 18, "0"},
      {10, "", 12, "0"},
      {48, "2", 3, ""},
      {53, "M&ller!Hans 04A1B2 Fr&h 1 1 AAAA", 3},
      {53, "Wei$!Jan 04A1B3 nie 1 -56 AAAA", 3},
      {53, "Gro$!Lena 04A1B4 nie 1 1 AAAA", 39},
      {46, "", 48, "2"},
      {51, "1", 53, "Wei$!Jan 04A1B3 nie \x01 \xC8 AAAA"},
      {51, "2", 39},
      {27, "12289 T&r!1 T&r!2", 3, ""},
      {24, "", 27, "12289 T&r!1 T&r!2"},
      {57, "1", 3},
      {60, kProfileText, 3},
      {54, "", 57, "1"},
      {58, "0", 60, kProfileText.c_str()},
      {68, "3", 3},
      {72, kDoorSent, 3},
      {66, "", 68, "1"},
      {71, "0", 72, kDoorCompact.c_str()},
      {95, "2026", 3},
      {96, "", 95, "2026"},
      {18, "0", 3},
      {23, Block(0, {16383}), 3},
      {17, "", 18, "1"},
      {20, "0", 23},
      {90, "", 3},
      {92, "29.3.2026 25.10.2026 1", 3},
      {65, "2026.03.07.14.05.09", 3},
      {63, "", 65, "2026.03.07.14.05.09."},
      {10, "", 12, "0"},
      {5, "", 39},
      {3, " ", -1},
      {6, "", 3},
      {48, "-1", 3},
      {99, "", 255, ""},
  };
  ControllerModel model = MakeModel();
  for (const Step& step : steps) {
    SCOPED_TRACE(std::to_string(step.command) + " '" + step.text + "'");
    const auto reply = model.Execute(step.command, step.text);
    if (step.answer < 0) {
      EXPECT_FALSE(reply);
      continue;
    }
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->command, step.answer);
    if (step.answerText) {
      EXPECT_EQ(reply->text, step.answerText);
    }
  }
}

TEST(ControllerModel, KeepsWhatItWasSentByteForByte) {
  ControllerModel model = MakeModel();
  ASSERT_EQ(model.Execute(48, "1")->command, 3);
  // The profile name travels unmapped and may hold a blank; the code may be empty.
  ASSERT_EQ(model.Execute(53, "Schr/der!\xC4va 04A1B2C3 Fr\xFCh Dienst 1 0 ")->command, 3);
  const peer::StoredPerson& p = model.Persons().at(0);
  EXPECT_EQ(p.name, "Schr/der!\xC4va");
  EXPECT_EQ(p.card, "04A1B2C3");
  EXPECT_EQ(p.profile, "Fr\xFCh Dienst");
  EXPECT_EQ(p.status1, 1);
  EXPECT_EQ(p.status2, 0);
  EXPECT_EQ(p.code, "");
  // A status byte that cannot stand as a word of its own goes back as its decimal text.
  EXPECT_EQ(model.Execute(51, "0")->text, "Schr/der!\xC4va 04A1B2C3 Fr\xFCh Dienst \x01 0 ");

  ASSERT_EQ(model.Execute(27, "-2147483648 #rger ")->command, 3);
  EXPECT_EQ(model.Execute(24, "")->text, "-2147483648 #rger ");
  ASSERT_EQ(model.Execute(27, "1  T&r!2")->command, 3);
  EXPECT_EQ(model.DeviceData()->door1, "");
  EXPECT_EQ(model.Execute(24, "")->text, "1  T&r!2");
}

TEST(ControllerModel, ProfilesGoBackInTheFormTheProgramReads) {
  ControllerModel model = MakeModel();
  ASSERT_EQ(model.Execute(57, "2")->command, 3);
  // Any character may stand for a time, the field separators included.
  const std::string odd = "x 1 " + Lines("{..,.}.{.-1.-32768}", 18, "{A.A.A.A.32767.0}");
  ASSERT_EQ(model.Execute(60, odd)->command, 3);
  EXPECT_EQ(model.Profiles().at(1).lines[0].times, (std::array<char, 4>{'.', ',', '}', '{'}));
  EXPECT_EQ(model.Profiles().at(1).lines[0].doors, -32768);
  EXPECT_EQ(model.Execute(58, "1")->text, odd);
  EXPECT_EQ(model.Execute(58, "0")->command, 39);  // never sent

  ASSERT_EQ(model.Execute(68, "2")->command, 3);
  ASSERT_EQ(model.Execute(72, "1 2147483647 -5 " + Lines("{Y.A.Y.A.6144.0}", 6, "{A.A.A.A.0.0}", ", "))->command, 3);
  EXPECT_EQ(model.Execute(71, "1")->text, "1 2147483647 -5 " + Lines("{Y.A.Y.A.6144.0}", 6, "{A.A.A.A.0.0}"));
  EXPECT_EQ(model.DoorProfiles().at(1).monitoring, 2147483647);
}

TEST(ControllerModel, HolidayBlocksComeBackWithABlankAfterEveryValue) {
  ControllerModel model = MakeModel();
  // 64 entries before the marker: the program announces one block and sends two.
  std::vector<int> first(64);
  for (int i = 0; i < 64; ++i) first[i] = 0x4000 + i + 1;
  ASSERT_EQ(model.Execute(18, "1")->command, 3);
  ASSERT_EQ(model.Execute(23, Block(0, first))->command, 3);
  ASSERT_EQ(model.Execute(23, Block(1, {16383}))->command, 3);
  EXPECT_EQ(model.Execute(23, Block(2, {}))->command, 39);  // beyond what was announced
  EXPECT_EQ(model.Execute(17, "")->text, "2");
  EXPECT_EQ(model.Execute(20, "0")->text, Block(0, first) + " ");
  EXPECT_EQ(model.Execute(20, "1")->text, Block(1, {16383}) + " ");
  EXPECT_EQ(model.Execute(20, "2")->command, 39);

  // A full table: 4095 entries and the marker in 64 blocks.
  ASSERT_EQ(model.Execute(18, "63")->command, 3);
  for (int b = 0; b < 64; ++b) {
    std::vector<int> values(64);
    for (int i = 0; i < 64; ++i) values[i] = b == 63 && i == 63 ? 0x3FFF : 0xC000 + (b * 64 + i) % 8000;
    ASSERT_EQ(model.Execute(23, Block(b, values))->command, 3);
  }
  EXPECT_EQ(model.Execute(17, "")->text, "64");
  EXPECT_EQ(model.Holidays()[4095], 0x3FFF);
  EXPECT_EQ(model.Holidays()[4094], 0xC000 + 4094 % 8000);
  EXPECT_EQ(model.Execute(18, "65")->command, 39);  // more than the table holds
}

TEST(ControllerModel, KeepsTheSwitchPairsOfTheLastList) {
  ControllerModel model = MakeModel();
  ASSERT_EQ(model.Execute(90, "")->command, 3);
  ASSERT_EQ(model.Execute(92, "29.3.2026 25.10.2026 1")->command, 3);
  ASSERT_EQ(model.Execute(92, "28.3.2027 31.10.2027 1")->command, 3);
  ASSERT_EQ(model.SwitchPairs().size(), 2u);
  EXPECT_EQ(model.SwitchPairs()[1].values, (std::array<std::int16_t, 7>{28, 3, 2027, 31, 10, 2027, 1}));
  ASSERT_EQ(model.Execute(90, "")->command, 3);
  EXPECT_TRUE(model.SwitchPairs().empty());
}

TEST(ControllerModel, BookingsAreHandedOutInOrderAndRemovedWhenAcknowledged) {
  ControllerModel model = MakeModel();
  model.AddGeneratedBookings(3);
  const auto b0 = ControllerModel::FormatBooking(model.Bookings()[0]);
  const auto b1 = ControllerModel::FormatBooking(model.Bookings()[1]);
  const auto b2 = ControllerModel::FormatBooking(model.Bookings()[2]);

  // Without acknowledgements (older firmware) the bookings stay.
  EXPECT_EQ(model.Execute(10, "")->text, "3");
  EXPECT_EQ(model.Execute(5, "")->text, b0);
  EXPECT_EQ(model.Execute(5, "")->text, b1);
  EXPECT_EQ(model.Execute(6, "")->command, 3);
  EXPECT_EQ(model.Bookings().size(), 3u);

  // With them, each acknowledged booking is gone; a second acknowledgement removes nothing.
  EXPECT_EQ(model.Execute(10, "")->text, "3");
  EXPECT_EQ(model.Execute(5, "")->text, b0);
  EXPECT_FALSE(model.Execute(3, " "));
  EXPECT_FALSE(model.Execute(3, " "));
  EXPECT_EQ(model.Execute(5, "")->text, b1);
  EXPECT_FALSE(model.Execute(3, " "));
  EXPECT_EQ(model.Execute(5, "")->text, b2);
  EXPECT_EQ(model.Execute(5, "")->command, 39);
  EXPECT_EQ(model.Execute(6, "")->command, 3);
  ASSERT_EQ(model.Bookings().size(), 1u);
  EXPECT_EQ(ControllerModel::FormatBooking(model.Bookings()[0]), b2);
}

TEST(ControllerModel, GeneratedBookingsReadBackWithTheProgramsPattern) {
  for (std::uint32_t i : {0u, 1u, 7u, 499u, 100000u}) {
    const peer::Booking b = ControllerModel::GeneratedBooking(i);
    const std::string text = ControllerModel::FormatBooking(b);
    int year, month, day, hour, minute, second;
    char card[25], name[21];
    unsigned events;
    ASSERT_EQ(std::sscanf(text.c_str(), "%4d.%2d.%2d.%d.%d.%d.%24s %20s %u", &year, &month, &day, &hour, &minute,
                          &second, card, name, &events),
              9)
        << text;
    EXPECT_EQ(year, b.year);
    EXPECT_EQ(month, b.month);
    EXPECT_EQ(day, b.day);
    EXPECT_EQ(second, b.second);
    EXPECT_EQ(card, b.card);
    EXPECT_EQ(name, b.name);
    EXPECT_EQ(events, b.events);
    EXPECT_LT(b.card.size(), 25u);
    EXPECT_LT(b.name.size(), 21u);
  }
  EXPECT_EQ(ControllerModel::FormatBooking(ControllerModel::GeneratedBooking(0)),
            "2026.01.05.07.00.00.04A1002468 M&ller!Hans 9");
}

TEST(ControllerModel, ClockRunsOnFromTheTimeSet) {
  std::int64_t now = kFixedNow;
  ControllerModel model = MakeModel(&now);
  EXPECT_EQ(model.Execute(63, "")->text, "2026.01.05.08.00.00.");  // the local time until set
  ASSERT_EQ(model.Execute(65, "2024.02.29.23.59.58")->command, 3);
  now += 3;
  EXPECT_EQ(model.Execute(63, "")->text, "2024.03.01.00.00.01.");
}

TEST(ControllerModel, EraseAnswersLateAndEmptiesTheMemoryButNotTheClock) {
  ControllerModel model = MakeModel();
  model.SetEraseDelay(1234);
  model.AddGeneratedBookings(2);
  ASSERT_EQ(model.Execute(27, "1 A B")->command, 3);
  ASSERT_EQ(model.Execute(95, "2026")->command, 3);
  ASSERT_EQ(model.Execute(48, "1")->command, 3);
  ASSERT_EQ(model.Execute(53, "a b c 1 1 d")->command, 3);
  ASSERT_EQ(model.Execute(18, "0")->command, 3);
  ASSERT_EQ(model.Execute(23, Block(0, {16383}))->command, 3);
  ASSERT_EQ(model.Execute(65, "2030.01.01.00.00.00")->command, 3);

  EXPECT_EQ(model.Execute(48, "-1"), (Reply{3, "", 1234}));
  EXPECT_EQ(model.Execute(24, "")->text, "-1");
  EXPECT_EQ(model.Execute(96, "")->text, "-1");
  EXPECT_EQ(model.Execute(46, "")->text, "0");
  EXPECT_EQ(model.Execute(17, "")->text, "0");
  EXPECT_EQ(model.Execute(10, "")->text, "0");
  EXPECT_EQ(model.Execute(63, "")->text.substr(0, 4), "2030");
}

TEST(ControllerModel, AReplyDelayHoldsBackEveryAnswerButALongerEraseDelay) {
  ControllerModel model = MakeModel();
  model.SetEraseDelay(700);
  model.SetReplyDelay(400);
  EXPECT_EQ(model.Execute(46, ""), (Reply{48, "0", 400}));
  EXPECT_EQ(model.Execute(48, "-1"), (Reply{3, "", 700}));
  model.SetEraseDelay(100);
  EXPECT_EQ(model.Execute(48, "-1"), (Reply{3, "", 400}));
}

TEST(ControllerModel, UnusableTextsGet36AndMissingIndexes39) {
  struct Case {
    std::uint8_t command;
    std::string text;
    int answer;
  };
  const std::vector<Case> cases = {
      {48, "x", 36},
      {48, "-2", 36},
      {48, "", 36},
      {53, "a b c 1 1", 36},      // five fields
      {53, "a b c x 1 d", 36},    // status not a number
      {53, "a b c 1 300 d", 36},  // status beyond a byte
      {51, "", 36},
      {51, "0", 39},  // nobody stored
      {51, "-1", 39},
      {27, "12289 T&r!1", 36},  // one name missing
      {27, "x T T", 36},
      {27, "2147483648 T T", 36},
      {57, "1x", 36},
      {60, "a 0 " + Lines(kEmptyLine, 17, kEmptyLine), 36},  // 17 lines
      {60, "a 0 " + Lines(kEmptyLine, 18, "{A.A.A.A.32768.0}"), 36},
      {60, "a 0 " + Lines(kEmptyLine, 18, kEmptyLine), 39},  // no count announced
      {58, "0", 39},
      {72, "0 2147483648 5 " + Lines(kEmptyLine, 6, kEmptyLine), 36},
      {72, "0 30 5 " + Lines(kEmptyLine, 6, kEmptyLine), 39},
      {71, "a", 36},
      {95, "year", 36},
      {18, "-1", 36},
      {23, Block(0, {}).substr(0, Block(0, {}).size() - 2), 36},  // 63 values
      {23, Block(0, {70000}), 36},
      {23, Block(1, {}), 39},  // beyond the blocks announced (none)
      {20, "0", 39},
      {92, "29.3.2026 25.10.2026", 36},
      {92, "29.3.2026 25.10.2026 1 2", 36},
      {65, "2026.13.01.00.00.00", 36},
      {65, "2026.04.31.00.00.00", 36},
      {65, "2026.03.07.24.00.00", 36},
      {65, "", 36},
  };
  for (const Case& c : cases) {
    ControllerModel model = MakeModel();
    SCOPED_TRACE(std::to_string(c.command) + " '" + c.text + "'");
    EXPECT_EQ(model.Execute(c.command, c.text)->command, c.answer);
  }
}

}  // namespace
