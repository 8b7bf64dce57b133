// The controller as it meets the line: addressing, repeated requests and the faults asked
// for on the command line, around the model. No I/O.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ControllerModel.h"
#include "KommFrame.h"
#include "PeerOptions.h"

namespace peer {

constexpr std::uint16_t kProgramAddress = 768;
constexpr std::uint16_t kCableAddress = 0x4000;
constexpr std::uint8_t kRepeatBit = 0x40;

enum class Transmission { Normal, BadCrc, Slow };

struct Outgoing {
  komm::Telegram telegram;
  Transmission how = Transmission::Normal;
  std::uint32_t delayMs = 0;
};

class PeerController {
 public:
  PeerController(ControllerModel model, std::uint16_t address, std::vector<FaultSpec> faults);

  // The answer to one received telegram; none when it is not for this controller, when it
  // needs none, or when a fault keeps it back.
  std::optional<Outgoing> Handle(const komm::Telegram& request);

  const ControllerModel& Model() const { return model_; }

 private:
  FaultKind TakeFault(std::uint8_t command);

  ControllerModel model_;
  std::uint16_t address_;
  std::vector<FaultSpec> faults_;

  // The last request executed and its answer, for a repeat after a lost answer.
  struct Executed {
    std::uint8_t command = 0;
    std::string text;
    std::optional<Reply> reply;
  };
  std::optional<Executed> last_;
};

}  // namespace peer
