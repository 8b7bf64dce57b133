// A record's text field filled with exact bytes, as a file may hold it: a text without its
// terminator, or bytes after it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

// `bytes` (cut to the field) and zeros after them.
template <std::size_t N>
void Fuelle(char (&feld)[N], const std::string& bytes) {
  std::memset(feld, 0, N);
  std::memcpy(feld, bytes.data(), std::min(bytes.size(), N));
}
