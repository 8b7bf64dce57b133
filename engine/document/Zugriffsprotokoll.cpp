#include "document/Zugriffsprotokoll.h"

#include <cstdio>
#include <memory>

#include "document/Dateioeffnung.h"

namespace {

constexpr const char* kDateiname = "zkprot.log";

struct Schliesser {
  void operator()(std::FILE* datei) const { std::fclose(datei); }
};

}  // namespace

std::string Zugriffsprotokolldatei(const std::string& ordner) { return ordner + kDateiname; }

bool SchreibeZugriff(const std::string& ordner, const plattform::LocalTime& t) {
  std::unique_ptr<std::FILE, Schliesser> datei(OeffneDatei(Zugriffsprotokolldatei(ordner), Oeffnung::Protokoll));
  if (!datei) return false;
  const bool geschrieben = std::fprintf(datei.get(), "Zugriff am %02d.%02d.%04d um %02d:%02d:%02d\n", t.day, t.month,
                                        t.year, t.hour, t.minute, t.second) > 0;
  // A line that cannot be written may fail only at the close: its failure counts as well.
  const bool geschlossen = std::fclose(datei.release()) == 0;
  return geschrieben && geschlossen;
}
