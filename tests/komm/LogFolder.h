// A temporary folder that the library writes its logs into while the object lives; removed
// with the object (later opens then find no folder and write no log).
#pragma once

#include <time.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KommTestPeer.h"
#include "YBR_KOMM.h"

namespace kommtest {

class LogFolder {
 public:
  // withSeparator: the folder is handed to the library with a trailing "/".
  explicit LogFolder(bool withSeparator = false) : path_(MakeTempDir()) {
    const std::string given = withSeparator ? path_ + "/" : path_;
    accepted_ = _SetLogDirectory(given.c_str()) == 0;
  }
  ~LogFolder() { std::filesystem::remove_all(path_); }
  LogFolder(const LogFolder&) = delete;
  LogFolder& operator=(const LogFolder&) = delete;

  bool accepted() const { return accepted_; }
  const std::string& path() const { return path_; }

  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string path_;
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
