// controller_peer: a simulated access controller on TCP and/or a pseudo-terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "ControllerModel.h"
#include "PeerController.h"
#include "PeerOptions.h"
#include "PeerServer.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const peer::ParseResult parsed = peer::ParseOptions(args);
  if (parsed.options.help) {
    std::fputs(peer::UsageText(), stdout);
    return 0;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "controller_peer: %s\n\n%s", parsed.error.c_str(), peer::UsageText());
    return 2;
  }
  const peer::PeerOptions& o = parsed.options;
  peer::ControllerModel model(o.firmware.value_or(peer::DefaultFirmware(o.type)), peer::LocalCivilClock());
  model.SetEraseDelay(o.eraseDelayMs);
  model.SetReplyDelay(o.replyDelayMs);
  model.AddGeneratedBookings(o.bookings);
  peer::PeerServer server(o, peer::PeerController(std::move(model), o.address, o.faults));
  if (!server.Start()) return 1;
  return server.Run();
}
