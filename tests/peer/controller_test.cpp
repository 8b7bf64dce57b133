// The controller on the line: addressing, repeated requests and faults.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PeerController.h"

namespace {

using peer::FaultKind;
using peer::FaultSpec;
using peer::PeerController;
using peer::Transmission;

PeerController Make(std::vector<FaultSpec> faults = {}, std::uint32_t bookings = 0) {
  peer::ControllerModel model("SIM VI20 V.03.01.07", [] { return std::int64_t{1767600000}; });
  model.AddGeneratedBookings(bookings);
  return PeerController(std::move(model), 9, std::move(faults));
}

komm::Telegram Request(std::uint8_t command, const std::string& text = "", std::uint8_t number = 1,
                       std::uint16_t dest = 9) {
  return {768, dest, number, command, text};
}

TEST(PeerController, AnswersItsAddressAndTheCableAddressOnly) {
  PeerController c = Make();
  for (const std::uint16_t dest : {9, 0x4000}) {
    const auto out = c.Handle(Request(75, "", 17, dest));
    ASSERT_TRUE(out);
    EXPECT_EQ(out->telegram.source, dest);
    EXPECT_EQ(out->telegram.dest, 768);
    EXPECT_EQ(out->telegram.number, 17);
    EXPECT_EQ(out->telegram.command, 77);
    EXPECT_EQ(out->how, Transmission::Normal);
  }
  for (const std::uint16_t dest : {0, 8, 10, 768, 0x4009}) EXPECT_FALSE(c.Handle(Request(75, "", 1, dest)));
}

TEST(PeerController, ARepeatedRequestGetsTheCachedAnswerAndIsNotExecutedAgain) {
  PeerController c = Make({}, 3);
  const auto first = c.Handle(Request(5, "", 4));
  const auto repeat = c.Handle(Request(5, "", 4 | 0x40));
  ASSERT_TRUE(first && repeat);
  EXPECT_EQ(repeat->telegram.text, first->telegram.text);
  EXPECT_EQ(repeat->telegram.number, 0x44);
  // Without the repeat bit the same request is a new one: the next booking.
  const auto next = c.Handle(Request(5, "", 5));
  EXPECT_NE(next->telegram.text, first->telegram.text);

  ASSERT_EQ(c.Handle(Request(48, "3"))->telegram.command, 3);
  ASSERT_EQ(c.Handle(Request(53, "a b c 1 1 d", 2))->telegram.command, 3);
  EXPECT_EQ(c.Handle(Request(53, "a b c 1 1 d", 2 | 0x40))->telegram.command, 3);
  EXPECT_EQ(c.Model().Persons().size(), 1u);
  // The repeat bit on another text is a new request too.
  EXPECT_EQ(c.Handle(Request(53, "e f g 1 1 h", 3 | 0x40))->telegram.command, 3);
  EXPECT_EQ(c.Model().Persons().size(), 2u);
}

TEST(PeerController, FaultsChangeTheAnswer) {
  struct Case {
    FaultKind kind;
    std::optional<int> command;  // none: no answer
    std::uint16_t source;
    Transmission how;
    bool executed;
  };
  const std::vector<Case> cases = {
      {FaultKind::Silent, std::nullopt, 9, Transmission::Normal, true},
      {FaultKind::Nak, 36, 9, Transmission::Normal, false},
      {FaultKind::NumNa, 39, 9, Transmission::Normal, false},
      {FaultKind::Unknown, 255, 9, Transmission::Normal, false},
      {FaultKind::WrongSender, 3, 10, Transmission::Normal, false},
      {FaultKind::BadCrc, 3, 9, Transmission::BadCrc, true},
      {FaultKind::Slow, 3, 9, Transmission::Slow, true},
      {FaultKind::Ok, 3, 9, Transmission::Normal, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.kind));
    PeerController c = Make({{95, k.kind, 1}});
    const auto out = c.Handle(Request(95, "2026", 7));
    ASSERT_EQ(out.has_value(), k.command.has_value());
    if (out) {
      EXPECT_EQ(out->telegram.command, *k.command);
      EXPECT_EQ(out->telegram.source, k.source);
      EXPECT_EQ(out->telegram.number, 7);
      EXPECT_EQ(out->how, k.how);
    }
    EXPECT_EQ(c.Model().ReferenceYear().has_value(), k.executed);
    // The fault was used up: the repeat is answered, from the cache when it was executed.
    const auto repeat = c.Handle(Request(95, "2026", 7 | 0x40));
    ASSERT_TRUE(repeat);
    EXPECT_EQ(repeat->telegram.command, 3);
    EXPECT_EQ(repeat->how, Transmission::Normal);
    EXPECT_EQ(c.Model().ReferenceYear(), 2026);
  }
}

TEST(PeerController, WrongSenderAnswersWhatTheControllerWouldHaveAnswered) {
  PeerController c = Make({{5, FaultKind::WrongSender, 1}}, 2);
  const auto wrong = c.Handle(Request(5, "", 3));
  const auto right = c.Handle(Request(5, "", 3));  // the program repeats with the same number
  ASSERT_TRUE(wrong && right);
  EXPECT_EQ(wrong->telegram.source, 10);
  EXPECT_EQ(right->telegram.source, 9);
  EXPECT_EQ(wrong->telegram.text, right->telegram.text);  // the first booking both times
  EXPECT_EQ(right->telegram.text, peer::ControllerModel::FormatBooking(peer::ControllerModel::GeneratedBooking(0)));
}

TEST(PeerController, FaultCountsAndTurns) {
  // Every time without a count; entries for one command take turns; others are untouched.
  PeerController c = Make({{75, FaultKind::Silent, 2}, {75, FaultKind::Nak, 1}, {96, FaultKind::Unknown, -1}});
  EXPECT_FALSE(c.Handle(Request(75)));
  EXPECT_FALSE(c.Handle(Request(75, "", 0x41)));
  EXPECT_EQ(c.Handle(Request(75, "", 0x41))->telegram.command, 36);
  EXPECT_EQ(c.Handle(Request(75, "", 0x41))->telegram.command, 77);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(c.Handle(Request(96))->telegram.command, 255);
  EXPECT_EQ(c.Handle(Request(24))->telegram.command, 27);
  // Telegrams for other addresses use up no fault.
  PeerController d = Make({{75, FaultKind::Nak, 1}});
  EXPECT_FALSE(d.Handle(Request(75, "", 1, 5)));
  EXPECT_EQ(d.Handle(Request(75))->telegram.command, 36);
}

TEST(PeerController, ARefusedRequestIsExecutedWhenRepeated) {
  // Two equal persons in a row; the second is refused once and then repeated.
  PeerController c = Make({{53, FaultKind::Ok, 1}, {53, FaultKind::Nak, 1}});
  ASSERT_EQ(c.Handle(Request(48, "2"))->telegram.command, 3);
  ASSERT_EQ(c.Handle(Request(53, "a b c 1 1 d", 2))->telegram.command, 3);
  ASSERT_EQ(c.Handle(Request(53, "a b c 1 1 d", 3))->telegram.command, 36);
  ASSERT_EQ(c.Handle(Request(53, "a b c 1 1 d", 3 | 0x40))->telegram.command, 3);
  EXPECT_EQ(c.Model().Persons().size(), 2u);
}

TEST(PeerController, TheBookingAcknowledgementGetsNoAnswer) {
  PeerController c = Make({}, 2);
  ASSERT_TRUE(c.Handle(Request(5)));
  EXPECT_FALSE(c.Handle(Request(3, " ", 0)));
  EXPECT_EQ(c.Model().Bookings().size(), 1u);
}

TEST(PeerController, TheEraseIsAnsweredLate) {
  PeerController c = Make();
  const auto out = c.Handle(Request(48, "-1", 0));
  ASSERT_TRUE(out);
  EXPECT_EQ(out->telegram.command, 3);
  EXPECT_EQ(out->delayMs, 700u);
}

}  // namespace
