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

int SynchronisiereOrdner(const char* ordner) {
  const int fd = open(ordner, O_DIRECTORY | O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int ergebnis = fsync(fd);
  close(fd);
  return ergebnis;
}

OrdnerSync g_synchronisiere = SynchronisiereOrdner;

// The folder part of `pfad`, ending in '/' (empty for the working folder).
std::string OrdnerVon(const std::string& pfad) { return pfad.substr(0, pfad.rfind('/') + 1); }

// Syncs the folder of `pfad`, so that its renames reach the disk. Whether that worked does not
// matter to the save: the files are in place either way.
void SynchronisiereOrdnerVon(const std::string& pfad) {
  const std::string ordner = OrdnerVon(pfad);
  g_synchronisiere(ordner.empty() ? "." : ordner.c_str());
}

// A template for mkostemp of a short hidden name beside `pfad`: the name of the file itself
// may take all the folder allows, so nothing is added to it.
std::string NameDaneben(const std::string& pfad) { return OrdnerVon(pfad) + ".~XXXXXX"; }

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
    std::string name = NameDaneben(pfad);
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

bool Dateikennung::operator==(const Dateikennung& andere) const {
  return Vorhanden == andere.Vorhanden && Geraet == andere.Geraet && Knoten == andere.Knoten &&
         Groesse == andere.Groesse && Geaendert.tv_sec == andere.Geaendert.tv_sec &&
         Geaendert.tv_nsec == andere.Geaendert.tv_nsec;
}

Dateikennung KennungAus(const struct stat& info) {
  return Dateikennung{true, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

Dateikennung KennungVon(const std::string& pfad) {
  struct stat info {};
  if (stat(pfad.c_str(), &info) != 0) return {};
  return KennungAus(info);
}

TSichereDatei::TSichereDatei(std::string ziel) : Ziel(Schreibziel(ziel)), Temporaer(NameDaneben(Ziel)) {
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

std::string TSichereDatei::Ordner() const { return OrdnerVon(Ziel); }

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
  struct stat info {};
  if (Fd < 0 || !Leeren() || fsync(Fd) != 0 || fstat(Fd, &info) != 0) {
    Verwerfe();
    return false;
  }
  Geschrieben = KennungAus(info);
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
  if (!Umbenennen()) return false;
  SynchronisiereOrdnerVon(Ziel);
  return true;
}

bool TSichereDatei::Umbenennen() {
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
  if (!erste.Umbenennen()) {
    if (!alt.empty()) unlink(alt.c_str());
    return 1;
  }
  if (!zweite.Umbenennen()) {
    if (!alt.empty()) {
      if (g_umbenennen(alt.c_str(), erste.Ziel.c_str()) != 0) unlink(alt.c_str());
    } else if (!ersteGab) {
      unlink(erste.Ziel.c_str());
    }
    // What was put back is to outlast a power cut as well.
    SynchronisiereOrdnerVon(erste.Ziel);
    return 2;
  }
  if (!alt.empty()) unlink(alt.c_str());
  SynchronisiereOrdnerVon(erste.Ziel);
  if (OrdnerVon(zweite.Ziel) != OrdnerVon(erste.Ziel)) SynchronisiereOrdnerVon(zweite.Ziel);
  return 0;
}

Umbenennung SetzeUmbenennung(Umbenennung neu) { return std::exchange(g_umbenennen, neu); }

OrdnerSync SetzeOrdnerSync(OrdnerSync neu) { return std::exchange(g_synchronisiere, neu); }
