// A temporary folder that the library writes its logs into while the object lives; removed
// with the object (later opens then find no folder and write no log).
#pragma once

#include <time.h>

#include <array>
#include <string>
#include <vector>

#include "YBR_KOMM.h"
#include "common/TempOrdner.h"

namespace kommtest {

class LogFolder {
 public:
  // withSeparator: the folder is handed to the library with its trailing "/", else without.
  explicit LogFolder(bool withSeparator = false) {
    std::string given = folder_.Pfad();
    if (!withSeparator) given.pop_back();
    accepted_ = _SetLogDirectory(given.c_str()) == 0;
  }

  bool accepted() const { return accepted_; }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const { return Inhalt(folder_.Pfad()); }
  std::string Read(const std::string& name) const { return LiesDatei(folder_ / name); }
  std::string Path(const std::string& name) const { return folder_ / name; }

 private:
  TempOrdner folder_;
  bool accepted_ = false;
};

// Today's local date as the log names begin with it: "yymmdd".
inline std::string LogDate() {
  const time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  std::array<char, 8> text{};
  strftime(text.data(), text.size(), "%y%m%d", &local);
  return text.data();
}

}  // namespace kommtest
