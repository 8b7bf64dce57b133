#include "document/SichereDatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kPufferGroesse = 64 * 1024;

Umbenennung g_umbenennen = std::rename;

// The file a write to `pfad` lands in: a symbolic link is followed to the file it names, so
// the link stays and its file gets the new content.
std::string Schreibziel(const std::string& pfad) {
  struct stat info {};
  if (lstat(pfad.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return pfad;
  std::string ziel = pfad;
  for (int tiefe = 0; tiefe < 40; ++tiefe) {
    std::vector<char> puffer(4096);
    const ssize_t n = readlink(ziel.c_str(), puffer.data(), puffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= puffer.size()) return pfad;
    std::string verweis(puffer.data(), static_cast<std::size_t>(n));
    if (verweis.front() != '/') verweis = ziel.substr(0, ziel.rfind('/') + 1) + verweis;
    ziel = verweis;
    if (lstat(ziel.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return ziel;
  }
  return pfad;
}

// 0 when the target may be replaced: it does not exist, or it is a plain file that may be
// written. Otherwise why not (an errno value): a write-protected file, a read-only file system
// (EROFS), or no plain file at all (a folder, a device, a pipe; EISDIR or EINVAL). Such a
// target is refused, never replaced.
int Hindernis(const std::string& pfad) {
  struct stat info {};
  if (stat(pfad.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  const int fd = open(pfad.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno;
  close(fd);
  return 0;
}

// A new name beside `pfad` for a hard link to it; nothing when no link can be made.
std::string VerknuepfeDaneben(const std::string& pfad) {
  for (int versuch = 0; versuch < 100; ++versuch) {
    std::string name = pfad + ".XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return {};
    close(fd);
    unlink(name.c_str());
    if (link(pfad.c_str(), name.c_str()) == 0) return name;
    if (errno != EEXIST) return {};
  }
  return {};
}

}  // namespace

TSichereDatei::TSichereDatei(std::string ziel) : Ziel(Schreibziel(ziel)), Temporaer(Ziel + ".XXXXXX") {
  if (const int grund = Hindernis(Ziel); grund != 0) {
    OrdnerGeschuetzt = grund == EROFS;
    return;
  }
  Fd = mkostemp(Temporaer.data(), O_CLOEXEC);
  if (Fd < 0) {
    OrdnerGeschuetzt = errno == EACCES || errno == EPERM || errno == EROFS;
    return;
  }
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
  if (Bereit) {
    Bereit = false;
    unlink(Temporaer.c_str());
  }
  if (Fd < 0) return;
  close(Fd);
  Fd = -1;
  unlink(Temporaer.c_str());
}

std::string TSichereDatei::Ordner() const { return Ziel.substr(0, Ziel.rfind('/') + 1); }

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

bool TSichereDatei::Abschliessen() { return Bereitstellen() && Ersetzen(); }

bool TSichereDatei::Bereitstellen() {
  if (Fd < 0 || !Leeren() || fsync(Fd) != 0) {
    Verwerfe();
    return false;
  }
  const int fd = Fd;
  Fd = -1;
  if (close(fd) != 0) {
    unlink(Temporaer.c_str());
    return false;
  }
  Bereit = true;
  return true;
}

bool TSichereDatei::Ersetzen() {
  if (!Bereit) return false;
  Bereit = false;
  if (g_umbenennen(Temporaer.c_str(), Ziel.c_str()) != 0) {
    unlink(Temporaer.c_str());
    return false;
  }
  return true;
}

int ErsetzeBeide(TSichereDatei& erste, TSichereDatei& zweite) {
  struct stat info {};
  const bool ersteGab = stat(erste.Ziel.c_str(), &info) == 0;
  const std::string alt = ersteGab ? VerknuepfeDaneben(erste.Ziel) : std::string();
  if (!erste.Ersetzen()) {
    if (!alt.empty()) unlink(alt.c_str());
    return 1;
  }
  if (!zweite.Ersetzen()) {
    if (!alt.empty()) {
      if (g_umbenennen(alt.c_str(), erste.Ziel.c_str()) != 0) unlink(alt.c_str());
    } else if (!ersteGab) {
      unlink(erste.Ziel.c_str());
    }
    return 2;
  }
  if (!alt.empty()) unlink(alt.c_str());
  return 0;
}

Umbenennung SetzeUmbenennung(Umbenennung neu) { return std::exchange(g_umbenennen, neu); }
