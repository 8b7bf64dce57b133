// What a controller stores and how it answers one request: command and text in, answer out.
// No I/O; the clock is handed in so that tests can fix it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace peer {

// Commands and answer codes of the controller.
namespace cmd {
constexpr std::uint8_t kAck = 3;
constexpr std::uint8_t kBookingNext = 5;
constexpr std::uint8_t kBookingEnd = 6;
constexpr std::uint8_t kBookingCount = 10;
constexpr std::uint8_t kBookingCountAnswer = 12;
constexpr std::uint8_t kBookingAnswer = 15;
constexpr std::uint8_t kHolidayBlockCountFetch = 17;
constexpr std::uint8_t kHolidayBlockCount = 18;
constexpr std::uint8_t kHolidayBlockFetch = 20;
constexpr std::uint8_t kHolidayBlock = 23;
constexpr std::uint8_t kDeviceDataFetch = 24;
constexpr std::uint8_t kDeviceData = 27;
constexpr std::uint8_t kNak = 36;
constexpr std::uint8_t kNumNa = 39;
constexpr std::uint8_t kPersonCountFetch = 46;
constexpr std::uint8_t kPersonCount = 48;
constexpr std::uint8_t kPersonFetch = 51;
constexpr std::uint8_t kPerson = 53;
constexpr std::uint8_t kProfileCountFetch = 54;
constexpr std::uint8_t kProfileCount = 57;
constexpr std::uint8_t kProfileFetch = 58;
constexpr std::uint8_t kProfile = 60;
constexpr std::uint8_t kClockFetch = 63;
constexpr std::uint8_t kClock = 65;
constexpr std::uint8_t kDoorProfileCountFetch = 66;
constexpr std::uint8_t kDoorProfileCount = 68;
constexpr std::uint8_t kDoorProfileFetch = 71;
constexpr std::uint8_t kDoorProfile = 72;
constexpr std::uint8_t kVersion = 75;
constexpr std::uint8_t kVersionAnswer = 77;
constexpr std::uint8_t kSwitchListStart = 90;
constexpr std::uint8_t kSwitchPair = 92;
constexpr std::uint8_t kReferenceYear = 95;
constexpr std::uint8_t kReferenceYearFetch = 96;
constexpr std::uint8_t kUnknown = 255;
}  // namespace cmd

struct Reply {
  std::uint8_t command = 0;
  std::string text;
  std::uint32_t delayMs = 0;  // the controller needs this long before it answers

  bool operator==(const Reply&) const = default;
};

// One time line as it travels: four coded time characters, the day bits and the door bits.
struct WireLine {
  std::array<char, 4> times{};
  std::int16_t days = 0;
  std::int16_t doors = 0;

  bool operator==(const WireLine&) const = default;
};

struct StoredPerson {
  std::string name;  // wire-encoded, as received
  std::string card;
  std::string profile;
  std::uint8_t status1 = 0;
  std::uint8_t status2 = 0;
  std::string code;

  bool operator==(const StoredPerson&) const = default;
};

struct StoredProfile {
  std::string name;  // wire-encoded, as received
  std::array<WireLine, 18> lines{};

  bool operator==(const StoredProfile&) const = default;
};

struct StoredDoorProfile {
  std::int32_t monitoring = 0;
  std::int32_t release = 0;
  std::array<WireLine, 6> lines{};

  bool operator==(const StoredDoorProfile&) const = default;
};

struct StoredDeviceData {
  std::int32_t flags = 0;
  std::string door1;  // wire-encoded, as received
  std::string door2;

  bool operator==(const StoredDeviceData&) const = default;
};

struct SwitchPair {
  std::array<std::int16_t, 7> values{};  // day, month, year, day, month, year, mark

  bool operator==(const SwitchPair&) const = default;
};

struct Booking {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  std::string card;
  std::string name;  // wire-encoded
  std::uint32_t events = 0;

  bool operator==(const Booking&) const = default;
};

constexpr std::size_t kHolidayEntries = 4096;
constexpr std::size_t kHolidayBlockSize = 64;
constexpr std::size_t kHolidayBlocks = kHolidayEntries / kHolidayBlockSize;

// Civil time as seconds since 1970-01-01 00:00:00 of the local calendar (no time zone).
using CivilClock = std::function<std::int64_t()>;
CivilClock LocalCivilClock();

class ControllerModel {
 public:
  ControllerModel(std::string firmware, CivilClock clock);

  // The answer to one request; none for the booking acknowledgement.
  std::optional<Reply> Execute(std::uint8_t command, std::string_view text);

  void AddGeneratedBookings(std::uint32_t count);
  static Booking GeneratedBooking(std::uint32_t index);
  static std::string FormatBooking(const Booking& booking);

  // What the controller holds, for tests.
  const std::map<std::uint32_t, StoredPerson>& Persons() const { return persons_; }
  const std::map<std::uint32_t, StoredProfile>& Profiles() const { return profiles_; }
  const std::map<std::uint32_t, StoredDoorProfile>& DoorProfiles() const { return doorProfiles_; }
  const std::optional<StoredDeviceData>& DeviceData() const { return deviceData_; }
  const std::optional<std::int32_t>& ReferenceYear() const { return referenceYear_; }
  const std::array<std::uint16_t, kHolidayEntries>& Holidays() const { return holidays_; }
  const std::deque<SwitchPair>& SwitchPairs() const { return switchPairs_; }
  const std::deque<Booking>& Bookings() const { return bookings_; }
  void SetEraseDelay(std::uint32_t ms) { eraseDelayMs_ = ms; }
  // Every answer waits at least this long (a slow controller).
  void SetReplyDelay(std::uint32_t ms) { replyDelayMs_ = ms; }

 private:
  std::optional<Reply> Answer(std::uint8_t command, std::string_view text);
  Reply PersonCount(std::string_view text);
  Reply Person(std::string_view text);
  Reply PersonFetch(std::string_view text) const;
  Reply DeviceDataSend(std::string_view text);
  Reply DeviceDataFetch() const;
  Reply ProfileCount(std::string_view text);
  Reply Profile(std::string_view text);
  Reply ProfileFetch(std::string_view text) const;
  Reply DoorProfileCount(std::string_view text);
  Reply DoorProfile(std::string_view text);
  Reply DoorProfileFetch(std::string_view text) const;
  Reply ReferenceYearSend(std::string_view text);
  Reply ReferenceYearFetch() const;
  Reply HolidayBlockCount(std::string_view text);
  Reply HolidayBlock(std::string_view text);
  Reply HolidayBlockFetch(std::string_view text) const;
  Reply HolidayBlockCountFetch() const;
  Reply SwitchListStart();
  Reply SwitchPairSend(std::string_view text);
  Reply ClockSet(std::string_view text);
  Reply ClockFetch() const;
  Reply BookingCount();
  Reply BookingNext();
  void BookingAck();
  Reply BookingEnd();
  Reply Erase();

  std::string firmware_;
  CivilClock clock_;
  std::uint32_t eraseDelayMs_ = 700;
  std::uint32_t replyDelayMs_ = 0;

  std::uint32_t personsAnnounced_ = 0;
  std::map<std::uint32_t, StoredPerson> persons_;
  std::uint32_t profilesAnnounced_ = 0;
  std::map<std::uint32_t, StoredProfile> profiles_;
  std::uint32_t doorProfilesAnnounced_ = 0;
  std::map<std::uint32_t, StoredDoorProfile> doorProfiles_;
  std::optional<StoredDeviceData> deviceData_;
  std::optional<std::int32_t> referenceYear_;
  std::array<std::uint16_t, kHolidayEntries> holidays_{};
  std::uint32_t holidayBlocksAnnounced_ = 0;
  std::uint32_t holidayBlocksStored_ = 0;
  std::deque<SwitchPair> switchPairs_;
  std::int64_t clockOffset_ = 0;  // controller clock minus local time, seconds
  std::deque<Booking> bookings_;
  std::uint32_t bookingsGenerated_ = 0;
  std::size_t bookingCursor_ = 0;  // bookings handed out in this fetch and not acknowledged
  bool bookingAwaitsAck_ = false;  // the last one handed out may be acknowledged
};

}  // namespace peer
