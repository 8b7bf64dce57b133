// What the fuzz targets share: a platform that answers every box at once and whose clock runs
// fast (so the engine's pauses end at once), a controller whose answers come from the fuzzer's
// bytes, and a folder of the process's own for the files a target writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

// Installs the platform once; every message box is answered with OK or Yes.
void InstalliereSchnellePlattform();

// The folder of this process (ending in '/'), made at the first call, removed at exit.
const std::string& Ordner();

// Writes `bytes` into the file `name` in Ordner() and returns its path.
std::string SchreibeDatei(const std::string& name, std::span<const std::uint8_t> bytes);

// The library's functions answered from `antworten` for as long as the object lives. Each
// answer is: one code byte (0: no answer), one byte whose bit 0 makes another device the
// sender, a length byte (255: two more bytes give the length, little-endian, cut to 1023) and
// the text. When the bytes run out, nothing answers any more. Sending always succeeds.
class SkriptSteuerung {
 public:
  explicit SkriptSteuerung(std::span<const std::uint8_t> antworten);
  ~SkriptSteuerung();
  SkriptSteuerung(const SkriptSteuerung&) = delete;
  SkriptSteuerung& operator=(const SkriptSteuerung&) = delete;
};

}  // namespace fuzz
