// Replays a fuzz target's corpus with the project's normal compiler: every file named on the
// command line, and every file in every folder named, is given to the target once.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

namespace {

void Spiele(const std::filesystem::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int anzahl = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path pfad(argv[i]);
    if (std::filesystem::is_directory(pfad)) {
      for (const auto& eintrag : std::filesystem::directory_iterator(pfad)) {
        if (!eintrag.is_regular_file()) continue;
        Spiele(eintrag.path());
        ++anzahl;
      }
    } else {
      Spiele(pfad);
      ++anzahl;
    }
  }
  std::printf("%d inputs replayed\n", anzahl);
  return anzahl > 0 ? 0 : 1;
}
