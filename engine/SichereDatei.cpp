#include "SichereDatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
constexpr std::size_t kPufferGroesse = 64 * 1024;
}

TSichereDatei::TSichereDatei(std::string ziel) : Ziel(std::move(ziel)), Temporaer(Ziel + ".XXXXXX") {
  Fd = mkostemp(Temporaer.data(), O_CLOEXEC);
  if (Fd < 0) return;
  // The new file gets the mode of the file it replaces, or the mode a newly created file gets.
  struct stat alt {};
  mode_t modus = 0;
  if (stat(Ziel.c_str(), &alt) == 0) {
    modus = alt.st_mode & 07777;
  } else {
    const mode_t maske = umask(0);
    umask(maske);
    modus = 0666 & ~maske;
  }
  if (fchmod(Fd, modus) != 0) Fehler = true;
  Puffer.reserve(kPufferGroesse);
}

TSichereDatei::~TSichereDatei() { Verwerfe(); }

void TSichereDatei::Verwerfe() {
  if (Fd < 0) return;
  close(Fd);
  Fd = -1;
  unlink(Temporaer.c_str());
}

bool TSichereDatei::Leeren() {
  if (Fd < 0) return false;
  std::size_t geschrieben = 0;
  while (!Fehler && geschrieben < Puffer.size()) {
    const ssize_t n = write(Fd, Puffer.data() + geschrieben, Puffer.size() - geschrieben);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Fehler = true;
    } else {
      geschrieben += static_cast<std::size_t>(n);
    }
  }
  Puffer.clear();
  return !Fehler;
}

bool TSichereDatei::Schreibe(const void* daten, std::size_t anzahl) {
  if (Fd < 0 || Fehler) return false;
  const char* bytes = static_cast<const char*>(daten);
  while (anzahl > 0) {
    if (Puffer.size() == kPufferGroesse && !Leeren()) return false;
    const std::size_t teil = std::min(anzahl, kPufferGroesse - Puffer.size());
    Puffer.insert(Puffer.end(), bytes, bytes + teil);
    bytes += teil;
    anzahl -= teil;
  }
  return true;
}

bool TSichereDatei::Abschliessen() {
  if (Fd < 0 || !Leeren() || fsync(Fd) != 0) {
    Verwerfe();
    return false;
  }
  const int fd = Fd;
  Fd = -1;
  if (close(fd) != 0 || std::rename(Temporaer.c_str(), Ziel.c_str()) != 0) {
    unlink(Temporaer.c_str());
    return false;
  }
  return true;
}
