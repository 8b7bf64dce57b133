#include "ControllerModel.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <utility>

namespace peer {
namespace {

Reply Ack() { return {cmd::kAck, "", 0}; }
Reply Nak() { return {cmd::kNak, "", 0}; }
Reply NumNa() { return {cmd::kNumNa, "", 0}; }

// Reads a request text from left to right; every step fails once one step has failed.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return ok_ && pos_ == text_.size(); }

  // A decimal number with an optional sign, within [min, max].
  long long Number(long long min, long long max) {
    if (!ok_) return 0;
    std::size_t p = pos_;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    const std::size_t digits = p;
    while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') ++p;
    if (p == digits || p - digits > 12) return Fail();
    long long value = 0;
    const char* first = text_.data() + pos_ + (text_[pos_] == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(first, text_.data() + p, value);
    if (ec != std::errc() || end != text_.data() + p || value < min || value > max) return Fail();
    pos_ = p;
    return value;
  }

  void Literal(char c) {
    if (ok_ && pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
    } else {
      ok_ = false;
    }
  }

  char AnyChar() {
    if (!ok_ || pos_ >= text_.size()) return static_cast<char>(Fail());
    return text_[pos_++];
  }

  // One or more blanks (required) or any run of them (optional).
  void Blanks() {
    if (!ok_ || pos_ >= text_.size() || text_[pos_] != ' ') {
      ok_ = false;
      return;
    }
    OptionalBlanks();
  }
  void OptionalBlanks() {
    while (ok_ && pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  // The bytes up to the next blank (not taken) or the end.
  std::string_view Word() {
    if (!ok_) return {};
    const std::size_t end = std::min(text_.find(' ', pos_), text_.size());
    const std::string_view word = text_.substr(pos_, end - pos_);
    pos_ = end;
    return word;
  }

  WireLine Line() {
    WireLine line;
    Literal('{');
    for (std::size_t i = 0; i < line.times.size(); ++i) {
      line.times[i] = AnyChar();
      Literal('.');
    }
    line.days = static_cast<std::int16_t>(Number(-32768, 32767));
    Literal('.');
    line.doors = static_cast<std::int16_t>(Number(-32768, 32767));
    Literal('}');
    return line;
  }

  // Lines joined by ","; a blank may follow a comma.
  template <std::size_t N>
  std::array<WireLine, N> Lines() {
    std::array<WireLine, N> lines{};
    for (std::size_t i = 0; i < N; ++i) {
      if (i > 0) {
        Literal(',');
        OptionalBlanks();
      }
      lines[i] = Line();
    }
    return lines;
  }

 private:
  long long Fail() {
    ok_ = false;
    return 0;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

std::optional<long long> SingleNumber(std::string_view text, long long min, long long max) {
  Cursor c(text);
  c.OptionalBlanks();
  const long long value = c.Number(min, max);
  c.OptionalBlanks();
  if (!c.AtEnd()) return std::nullopt;
  return value;
}

std::string FormatLine(const WireLine& line) {
  std::string out = "{";
  for (const char t : line.times) {
    out += t;
    out += '.';
  }
  out += std::to_string(line.days) + '.' + std::to_string(line.doors) + '}';
  return out;
}

template <std::size_t N>
std::string FormatLines(const std::array<WireLine, N>& lines) {
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += ',';
    out += FormatLine(lines[i]);
  }
  return out;
}

// A status byte goes back as the character of that code, which is what the program reads;
// a code that cannot stand as a word of its own (NUL, white space) goes as its decimal text.
std::string StatusWord(std::uint8_t status) {
  if (status == 0 || status == ' ' || (status >= '\t' && status <= '\r')) return std::to_string(status);
  return std::string(1, static_cast<char>(status));
}

template <typename Map>
std::uint32_t NextIndex(const Map& map) {
  return map.empty() ? 0 : map.rbegin()->first + 1;
}

}  // namespace

CivilClock LocalCivilClock() {
  return [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::int64_t>(timegm(&local));
  };
}

ControllerModel::ControllerModel(std::string firmware, CivilClock clock)
    : firmware_(std::move(firmware)), clock_(std::move(clock)) {}

std::optional<Reply> ControllerModel::Execute(std::uint8_t command, std::string_view text) {
  std::optional<Reply> reply = Answer(command, text);
  if (reply) reply->delayMs = std::max(reply->delayMs, replyDelayMs_);
  return reply;
}

std::optional<Reply> ControllerModel::Answer(std::uint8_t command, std::string_view text) {
  switch (command) {
    case cmd::kVersion: return Reply{cmd::kVersionAnswer, firmware_, 0};
    case cmd::kPersonCount: return PersonCount(text);
    case cmd::kPerson: return Person(text);
    case cmd::kPersonCountFetch: return Reply{cmd::kPersonCount, std::to_string(persons_.size()), 0};
    case cmd::kPersonFetch: return PersonFetch(text);
    case cmd::kDeviceData: return DeviceDataSend(text);
    case cmd::kDeviceDataFetch: return DeviceDataFetch();
    case cmd::kProfileCount: return ProfileCount(text);
    case cmd::kProfile: return Profile(text);
    case cmd::kProfileCountFetch: return Reply{cmd::kProfileCount, std::to_string(profiles_.size()), 0};
    case cmd::kProfileFetch: return ProfileFetch(text);
    case cmd::kDoorProfileCount: return DoorProfileCount(text);
    case cmd::kDoorProfile: return DoorProfile(text);
    case cmd::kDoorProfileCountFetch: return Reply{cmd::kDoorProfileCount, std::to_string(doorProfiles_.size()), 0};
    case cmd::kDoorProfileFetch: return DoorProfileFetch(text);
    case cmd::kReferenceYear: return ReferenceYearSend(text);
    case cmd::kHolidayBlockCount: return HolidayBlockCount(text);
    case cmd::kHolidayBlock: return HolidayBlock(text);
    case cmd::kSwitchListStart: return SwitchListStart();
    case cmd::kSwitchPair: return SwitchPairSend(text);
    case cmd::kHolidayBlockCountFetch: return HolidayBlockCountFetch();
    case cmd::kHolidayBlockFetch: return HolidayBlockFetch(text);
    case cmd::kReferenceYearFetch: return ReferenceYearFetch();
    case cmd::kClock: return ClockSet(text);
    case cmd::kClockFetch: return ClockFetch();
    case cmd::kBookingCount: return BookingCount();
    case cmd::kBookingNext: return BookingNext();
    case cmd::kAck: BookingAck(); return std::nullopt;
    case cmd::kBookingEnd: return BookingEnd();
    default: return Reply{cmd::kUnknown, "", 0};
  }
}

// 48 announces the persons that follow; with the text -1 it erases the card memory.
Reply ControllerModel::PersonCount(std::string_view text) {
  const auto count = SingleNumber(text, -1, 65535);
  if (!count) return Nak();
  if (*count == -1) return Erase();
  persons_.clear();
  personsAnnounced_ = static_cast<std::uint32_t>(*count);
  return Ack();
}

// "%s %s %s %d %d %s": name, card, profile, status 1, status 2, code, one blank between.
// The profile name is not mapped and may hold blanks, so the last three fields are taken
// from the end.
Reply ControllerModel::Person(std::string_view text) {
  const auto first = text.find(' ');
  const auto second = first == std::string_view::npos ? first : text.find(' ', first + 1);
  const auto last = text.rfind(' ');
  const auto beforeLast =
      last == std::string_view::npos || last == 0 ? std::string_view::npos : text.rfind(' ', last - 1);
  const auto third = beforeLast == std::string_view::npos || beforeLast == 0 ? std::string_view::npos
                                                                             : text.rfind(' ', beforeLast - 1);
  if (second == std::string_view::npos || third == std::string_view::npos || third <= second) return Nak();
  const auto status1 = SingleNumber(text.substr(third + 1, beforeLast - third - 1), -128, 255);
  const auto status2 = SingleNumber(text.substr(beforeLast + 1, last - beforeLast - 1), -128, 255);
  if (!status1 || !status2) return Nak();
  const std::uint32_t index = NextIndex(persons_);
  if (index >= personsAnnounced_) return NumNa();
  StoredPerson person;
  person.name = std::string(text.substr(0, first));
  person.card = std::string(text.substr(first + 1, second - first - 1));
  person.profile = std::string(text.substr(second + 1, third - second - 1));
  person.status1 = static_cast<std::uint8_t>(*status1);
  person.status2 = static_cast<std::uint8_t>(*status2);
  person.code = std::string(text.substr(last + 1));
  persons_[index] = std::move(person);
  return Ack();
}

Reply ControllerModel::PersonFetch(std::string_view text) const {
  const auto index = SingleNumber(text, -2147483648LL, 4294967295LL);
  if (!index) return Nak();
  const auto it = *index < 0 ? persons_.end() : persons_.find(static_cast<std::uint32_t>(*index));
  if (it == persons_.end()) return NumNa();
  const StoredPerson& p = it->second;
  return {cmd::kPerson,
          p.name + ' ' + p.card + ' ' + p.profile + ' ' + StatusWord(p.status1) + ' ' + StatusWord(p.status2) + ' ' +
              p.code,
          0};
}

// "%d %s %s": the flag word and the two encoded door names, one blank between.
Reply ControllerModel::DeviceDataSend(std::string_view text) {
  const auto first = text.find(' ');
  const auto second = first == std::string_view::npos ? first : text.find(' ', first + 1);
  if (second == std::string_view::npos) return Nak();
  const auto flags = SingleNumber(text.substr(0, first), -2147483648LL, 2147483647LL);
  if (!flags) return Nak();
  deviceData_ =
      StoredDeviceData{static_cast<std::int32_t>(*flags), std::string(text.substr(first + 1, second - first - 1)),
                       std::string(text.substr(second + 1))};
  return Ack();
}

// Empty memory answers -1.
Reply ControllerModel::DeviceDataFetch() const {
  if (!deviceData_) return {cmd::kDeviceData, "-1", 0};
  return {cmd::kDeviceData, std::to_string(deviceData_->flags) + ' ' + deviceData_->door1 + ' ' + deviceData_->door2,
          0};
}

Reply ControllerModel::ProfileCount(std::string_view text) {
  const auto count = SingleNumber(text, 0, 65535);
  if (!count) return Nak();
  profiles_.clear();
  profilesAnnounced_ = static_cast<std::uint32_t>(*count);
  return Ack();
}

// "%s %d " and 18 lines joined by ",".
Reply ControllerModel::Profile(std::string_view text) {
  Cursor c(text);
  StoredProfile profile;
  profile.name = std::string(c.Word());
  c.Blanks();
  const long long index = c.Number(0, 4294967295LL);
  c.Blanks();
  profile.lines = c.Lines<18>();
  c.OptionalBlanks();
  if (!c.AtEnd()) return Nak();
  if (index >= profilesAnnounced_) return NumNa();
  profiles_[static_cast<std::uint32_t>(index)] = std::move(profile);
  return Ack();
}

Reply ControllerModel::ProfileFetch(std::string_view text) const {
  const auto index = SingleNumber(text, -2147483648LL, 4294967295LL);
  if (!index) return Nak();
  const auto it = *index < 0 ? profiles_.end() : profiles_.find(static_cast<std::uint32_t>(*index));
  if (it == profiles_.end()) return NumNa();
  return {cmd::kProfile, it->second.name + ' ' + std::to_string(it->first) + ' ' + FormatLines(it->second.lines), 0};
}

Reply ControllerModel::DoorProfileCount(std::string_view text) {
  const auto count = SingleNumber(text, 0, 65535);
  if (!count) return Nak();
  doorProfiles_.clear();
  doorProfilesAnnounced_ = static_cast<std::uint32_t>(*count);
  return Ack();
}

// "%d %ld %ld " and six lines; the program puts a blank after some of the commas.
Reply ControllerModel::DoorProfile(std::string_view text) {
  Cursor c(text);
  const long long index = c.Number(0, 4294967295LL);
  c.Blanks();
  StoredDoorProfile door;
  door.monitoring = static_cast<std::int32_t>(c.Number(-2147483648LL, 2147483647LL));
  c.Blanks();
  door.release = static_cast<std::int32_t>(c.Number(-2147483648LL, 2147483647LL));
  c.OptionalBlanks();
  door.lines = c.Lines<6>();
  c.OptionalBlanks();
  if (!c.AtEnd()) return Nak();
  if (index >= doorProfilesAnnounced_) return NumNa();
  doorProfiles_[static_cast<std::uint32_t>(index)] = door;
  return Ack();
}

// The compact form: no blank between the lines, since the program reads each line right
// behind the comma.
Reply ControllerModel::DoorProfileFetch(std::string_view text) const {
  const auto index = SingleNumber(text, -2147483648LL, 4294967295LL);
  if (!index) return Nak();
  const auto it = *index < 0 ? doorProfiles_.end() : doorProfiles_.find(static_cast<std::uint32_t>(*index));
  if (it == doorProfiles_.end()) return NumNa();
  const StoredDoorProfile& d = it->second;
  return {cmd::kDoorProfile,
          std::to_string(it->first) + ' ' + std::to_string(d.monitoring) + ' ' + std::to_string(d.release) + ' ' +
              FormatLines(d.lines),
          0};
}

Reply ControllerModel::ReferenceYearSend(std::string_view text) {
  const auto year = SingleNumber(text, -32768, 65535);
  if (!year) return Nak();
  referenceYear_ = static_cast<std::int32_t>(*year);
  return Ack();
}

// Empty memory answers -1.
Reply ControllerModel::ReferenceYearFetch() const {
  return {cmd::kReferenceYear, std::to_string(referenceYear_.value_or(-1)), 0};
}

// The program announces B and then sends the blocks 0 to B.
Reply ControllerModel::HolidayBlockCount(std::string_view text) {
  const auto count = SingleNumber(text, 0, 65535);
  if (!count) return Nak();
  if (*count > static_cast<long long>(kHolidayBlocks)) return NumNa();
  holidays_.fill(0);
  holidayBlocksAnnounced_ = static_cast<std::uint32_t>(*count);
  holidayBlocksStored_ = 0;
  return Ack();
}

// "%d" of the block index, then 64 times " %d".
Reply ControllerModel::HolidayBlock(std::string_view text) {
  Cursor c(text);
  const long long index = c.Number(0, 4294967295LL);
  std::array<std::uint16_t, kHolidayBlockSize> entries{};
  for (auto& entry : entries) {
    c.Blanks();
    entry = static_cast<std::uint16_t>(c.Number(-32768, 65535));
  }
  c.OptionalBlanks();
  if (!c.AtEnd()) return Nak();
  if (index > holidayBlocksAnnounced_ || index >= static_cast<long long>(kHolidayBlocks)) return NumNa();
  const auto block = static_cast<std::uint32_t>(index);
  std::copy(entries.begin(), entries.end(), holidays_.begin() + block * kHolidayBlockSize);
  holidayBlocksStored_ = std::max(holidayBlocksStored_, block + 1);
  return Ack();
}

// Counts every block held, the last one (with the end marker) included, so that a fetch
// gets the marker back.
Reply ControllerModel::HolidayBlockCountFetch() const {
  return {cmd::kHolidayBlockCount, std::to_string(holidayBlocksStored_), 0};
}

// The index and the 64 entries, each followed by a blank: the program takes a value only
// when a blank follows it.
Reply ControllerModel::HolidayBlockFetch(std::string_view text) const {
  const auto index = SingleNumber(text, -2147483648LL, 4294967295LL);
  if (!index) return Nak();
  if (*index < 0 || *index >= holidayBlocksStored_) return NumNa();
  std::string out = std::to_string(*index) + ' ';
  const auto first = static_cast<std::size_t>(*index) * kHolidayBlockSize;
  for (std::size_t i = 0; i < kHolidayBlockSize; ++i) out += std::to_string(holidays_[first + i]) + ' ';
  return {cmd::kHolidayBlock, out, 0};
}

Reply ControllerModel::SwitchListStart() {
  switchPairs_.clear();
  return Ack();
}

// "%d.%d.%d %d.%d.%d %d"
Reply ControllerModel::SwitchPairSend(std::string_view text) {
  Cursor c(text);
  SwitchPair pair;
  for (std::size_t i = 0; i < pair.values.size(); ++i) {
    if (i == 3 || i == 6) {
      c.Blanks();
    } else if (i > 0) {
      c.Literal('.');
    }
    pair.values[i] = static_cast<std::int16_t>(c.Number(-32768, 32767));
  }
  if (!c.AtEnd()) return Nak();
  switchPairs_.push_back(pair);
  return Ack();
}

// "yyyy.mm.dd.hh.mm.ss"; the controller's clock runs on from there.
Reply ControllerModel::ClockSet(std::string_view text) {
  Cursor c(text);
  const long long limits[6][2] = {{1900, 9999}, {1, 12}, {1, 31}, {0, 23}, {0, 59}, {0, 59}};
  long long v[6] = {};
  for (int i = 0; i < 6; ++i) {
    if (i > 0) c.Literal('.');
    v[i] = c.Number(limits[i][0], limits[i][1]);
  }
  if (!c.AtEnd()) return Nak();
  std::tm tm{};
  tm.tm_year = static_cast<int>(v[0] - 1900);
  tm.tm_mon = static_cast<int>(v[1] - 1);
  tm.tm_mday = static_cast<int>(v[2]);
  tm.tm_hour = static_cast<int>(v[3]);
  tm.tm_min = static_cast<int>(v[4]);
  tm.tm_sec = static_cast<int>(v[5]);
  const std::tm given = tm;
  const std::int64_t civil = timegm(&tm);
  if (tm.tm_mday != given.tm_mday || tm.tm_mon != given.tm_mon) return Nak();  // 31 April and the like
  clockOffset_ = civil - clock_();
  return Ack();
}

// Year, month, day, hour, minute, second, each followed by ".".
Reply ControllerModel::ClockFetch() const {
  const std::time_t now = static_cast<std::time_t>(clock_() + clockOffset_);
  std::tm tm{};
  gmtime_r(&now, &tm);
  char text[48];
  std::snprintf(text, sizeof text, "%04d.%02d.%02d.%02d.%02d.%02d.", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return {cmd::kClock, text, 0};
}

// A fetch hands the bookings out in order; an acknowledged one is removed. Without an
// acknowledgement (older firmware) the bookings stay.
Reply ControllerModel::BookingCount() {
  bookingCursor_ = 0;
  bookingAwaitsAck_ = false;
  return {cmd::kBookingCountAnswer, std::to_string(bookings_.size()), 0};
}

Reply ControllerModel::BookingNext() {
  if (bookingCursor_ >= bookings_.size()) return NumNa();
  bookingAwaitsAck_ = true;
  return {cmd::kBookingAnswer, FormatBooking(bookings_[bookingCursor_++]), 0};
}

void ControllerModel::BookingAck() {
  if (!bookingAwaitsAck_) return;
  bookingAwaitsAck_ = false;
  --bookingCursor_;
  bookings_.erase(bookings_.begin() + static_cast<std::ptrdiff_t>(bookingCursor_));
}

Reply ControllerModel::BookingEnd() {
  bookingCursor_ = 0;
  bookingAwaitsAck_ = false;
  return Ack();
}

// The card memory holds everything but the clock; afterwards the controller is empty.
Reply ControllerModel::Erase() {
  personsAnnounced_ = 0;
  persons_.clear();
  profilesAnnounced_ = 0;
  profiles_.clear();
  doorProfilesAnnounced_ = 0;
  doorProfiles_.clear();
  deviceData_.reset();
  referenceYear_.reset();
  holidays_.fill(0);
  holidayBlocksAnnounced_ = 0;
  holidayBlocksStored_ = 0;
  switchPairs_.clear();
  bookings_.clear();
  bookingCursor_ = 0;
  bookingAwaitsAck_ = false;
  return {cmd::kAck, "", eraseDelayMs_};
}

std::string ControllerModel::FormatBooking(const Booking& b) {
  char head[64];
  std::snprintf(head, sizeof head, "%04u.%02u.%02u.%02u.%02u.%02u.", b.year, b.month, b.day, b.hour, b.minute,
                b.second);
  return head + b.card + ' ' + b.name + ' ' + std::to_string(b.events);
}

// Bookings of a working week: a few names (wire-encoded, umlauts included), card codes,
// accesses, releases, refused and unknown cards.
Booking ControllerModel::GeneratedBooking(std::uint32_t index) {
  static constexpr const char* kNames[] = {"M&ller!Hans", "Schr/der!Eva", "Wei$!Jan",     "B#cker!Anna",
                                           "Gro$!Lena",   "Kr&ger!Paul",  "Hoffmann!Tim", "Sch#fer!Jana"};
  static constexpr std::uint32_t kEvents[] = {0x09, 0x12, 0x0201, 0x48, 0x89, 0x0101, 0x0801, 0x0409};
  const std::time_t start = 1767596400;  // 2026-01-05 07:00:00
  const std::time_t when = start + static_cast<std::time_t>(index) * 433;
  std::tm tm{};
  gmtime_r(&when, &tm);
  Booking b;
  b.year = static_cast<std::uint16_t>(tm.tm_year + 1900);
  b.month = static_cast<std::uint16_t>(tm.tm_mon + 1);
  b.day = static_cast<std::uint16_t>(tm.tm_mday);
  b.hour = static_cast<std::uint16_t>(tm.tm_hour);
  b.minute = static_cast<std::uint16_t>(tm.tm_min);
  b.second = static_cast<std::uint16_t>(tm.tm_sec);
  const std::uint32_t person = index % 8;
  char card[16];
  std::snprintf(card, sizeof card, "04A1%06X", (person * 0x1F3D5u + 0x2468u) & 0xFFFFFFu);
  b.card = card;
  b.name = kNames[person];
  b.events = kEvents[(index / 8 + index) % 8];
  return b;
}

void ControllerModel::AddGeneratedBookings(std::uint32_t count) {
  for (std::uint32_t i = 0; i < count; ++i) bookings_.push_back(GeneratedBooking(bookingsGenerated_++));
}

}  // namespace peer
