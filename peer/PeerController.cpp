#include "PeerController.h"

#include <utility>

namespace peer {

PeerController::PeerController(ControllerModel model, std::uint16_t address, std::vector<FaultSpec> faults)
    : model_(std::move(model)), address_(address), faults_(std::move(faults)) {}

FaultKind PeerController::TakeFault(std::uint8_t command) {
  for (auto& fault : faults_) {
    if (fault.command != command || fault.count == 0) continue;
    if (fault.count > 0) --fault.count;
    return fault.kind;
  }
  return FaultKind::Ok;
}

std::optional<Outgoing> PeerController::Handle(const komm::Telegram& request) {
  if (request.dest != address_ && request.dest != kCableAddress) return std::nullopt;
  const FaultKind fault = TakeFault(request.command);

  Outgoing out;
  out.telegram.source = request.dest;
  out.telegram.dest = kProgramAddress;
  out.telegram.number = request.number;

  // Refusals: the request is not executed, so a repeat of it must be executed.
  const auto refuse = [&](std::uint8_t code) {
    last_.reset();
    out.telegram.command = code;
    return out;
  };
  switch (fault) {
    case FaultKind::Nak: return refuse(cmd::kNak);
    case FaultKind::NumNa: return refuse(cmd::kNumNa);
    case FaultKind::Unknown: return refuse(cmd::kUnknown);
    case FaultKind::WrongSender: {
      // Another device answers what this one would have answered; this one does nothing.
      ControllerModel scratch = model_;
      const auto reply = scratch.Execute(request.command, request.text);
      last_.reset();
      if (!reply) return std::nullopt;
      out.telegram.source = static_cast<std::uint16_t>(request.dest + 1);
      out.telegram.command = reply->command;
      out.telegram.text = reply->text;
      return out;
    }
    default: break;
  }

  std::optional<Reply> reply;
  if ((request.number & kRepeatBit) != 0 && last_ && last_->command == request.command && last_->text == request.text) {
    reply = last_->reply;
    if (reply) reply->delayMs = 0;
  } else {
    reply = model_.Execute(request.command, request.text);
    last_ = Executed{request.command, request.text, reply};
  }
  if (!reply || fault == FaultKind::Silent) return std::nullopt;
  out.telegram.command = reply->command;
  out.telegram.text = reply->text;
  out.delayMs = reply->delayMs;
  out.how = fault == FaultKind::BadCrc ? Transmission::BadCrc
            : fault == FaultKind::Slow ? Transmission::Slow
                                       : Transmission::Normal;
  return out;
}

}  // namespace peer
