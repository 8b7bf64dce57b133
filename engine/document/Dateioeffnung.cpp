#include "document/Dateioeffnung.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

int Flags(Oeffnung art) {
  switch (art) {
    case Oeffnung::Lesen: return O_RDONLY;
    case Oeffnung::Neu: return O_WRONLY | O_CREAT | O_TRUNC;
    case Oeffnung::Protokoll: return O_WRONLY | O_CREAT | O_APPEND;
  }
  return O_RDONLY;
}

const char* Modus(Oeffnung art) {
  switch (art) {
    case Oeffnung::Lesen: return "rb";
    case Oeffnung::Neu: return "wb";
    case Oeffnung::Protokoll: return "a";
  }
  return "rb";
}

// 0 when a file of this kind may be used, else the errno that refuses it.
int Art(const struct stat& info, Oeffnung art) {
  if (S_ISREG(info.st_mode)) return 0;
  if (art == Oeffnung::Protokoll && S_ISCHR(info.st_mode)) return 0;
  return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
}

}  // namespace

std::FILE* OeffneDatei(const std::string& pfad, Oeffnung art) {
  // O_TRUNC leaves a pipe or a device as it is, so only a regular file is ever emptied.
  const int fd = open(pfad.c_str(), Flags(art) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat info {};
  int fehler = fstat(fd, &info) != 0 ? errno : Art(info, art);
  if (fehler == 0) {
    const int status = fcntl(fd, F_GETFL);
    if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) fehler = errno;
  }
  std::FILE* datei = fehler == 0 ? fdopen(fd, Modus(art)) : nullptr;
  if (datei == nullptr) {
    if (fehler == 0) fehler = errno;
    close(fd);
    errno = fehler;
    return nullptr;
  }
  if (art == Oeffnung::Protokoll && setvbuf(datei, nullptr, _IOLBF, BUFSIZ) != 0) {
    std::fclose(datei);
    errno = ENOMEM;
    return nullptr;
  }
  return datei;
}
