// The access log "zkprot.log" in the program's folder: one line for every admission to the
// expert mode with the first password.
#pragma once

#include <string>

#include "platform/Plattform.h"

// The access log's path: "zkprot.log" in `ordner` (ending in '/').
std::string Zugriffsprotokolldatei(const std::string& ordner);

// Appends "Zugriff am DD.MM.YYYY um hh:mm:ss" and a line break for the time `t` to "zkprot.log"
// in `ordner` (ending in '/'), creating the file when it is missing. False when the file could
// not be opened, written or closed.
bool SchreibeZugriff(const std::string& ordner, const plattform::LocalTime& t);
