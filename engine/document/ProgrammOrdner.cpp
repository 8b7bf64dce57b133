#include "document/ProgrammOrdner.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

std::string MitSchraegstrich(std::string ordner) {
  if (ordner.empty() || ordner.back() != '/') ordner += '/';
  return ordner;
}

std::string ExeOrdner() {
  std::vector<char> puffer(4096);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", puffer.data(), puffer.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < puffer.size()) {
      const std::string pfad(puffer.data(), static_cast<std::size_t>(n));
      return pfad.substr(0, pfad.rfind('/') + 1);
    }
    puffer.resize(puffer.size() * 2);
  }
}

std::string HeimOrdner() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const passwd* pw = getpwuid(getuid());
  return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
}

// Creates the folder and the folders above it that are missing.
void ErzeugeOrdner(const std::string& ordner) {
  for (std::size_t pos = 1; pos <= ordner.size(); ++pos) {
    if (pos == ordner.size() || ordner[pos] == '/') {
      const std::string teil = ordner.substr(0, pos);
      if (mkdir(teil.c_str(), 0755) != 0 && errno != EEXIST) return;
    }
  }
}

std::string KonfigurationsOrdner() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is ignored, as the XDG base directories want it.
  const std::string basis = (xdg != nullptr && xdg[0] == '/') ? std::string(xdg) : HeimOrdner() + "/.config";
  const std::string ordner = MitSchraegstrich(basis) + "Veltrin_Access_Rizoroda/";
  ErzeugeOrdner(ordner);
  return ordner;
}

}  // namespace

std::string ProgrammOrdnerFuer(const std::string& exeOrdner) {
  if (!exeOrdner.empty() && access(exeOrdner.c_str(), W_OK | X_OK) == 0) return MitSchraegstrich(exeOrdner);
  return KonfigurationsOrdner();
}

const std::string& ProgrammOrdner() {
  static const std::string ordner = ProgrammOrdnerFuer(ExeOrdner());
  return ordner;
}
