// The booking export: a text file in UTF-8 with CR LF line ends, a header line
// "Buchungsdatei vom dd.mm.yyyy hh:mm" with the time of the export, then one line per booking
// of the whole list in list order: "dd.mm.yyyy, hh:mm:ss<Tab>card<Tab>name<Tab>door" (" "
// for a booking without a door bit). Neither readers nor events are written.
#pragma once

#include <string>

#include "model/Array.h"
#include "model/Records.h"
#include "platform/Plattform.h"

// Writes the export through a temporary file that replaces `pfad` only when every byte was
// written; false when any write or the close failed, and an existing file is then unchanged.
bool SchreibeBuchungsExport(const std::string& pfad, const Array<books*>& buchungen, const plattform::LocalTime& jetzt);
