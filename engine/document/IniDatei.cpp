#include "document/IniDatei.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

#include "document/Dateioeffnung.h"
#include "document/SichereDatei.h"

namespace {

std::string_view Trimme(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool GleicherName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto klein = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (klein(a[i]) != klein(b[i])) return false;
  }
  return true;
}

// The name of a "[Section]" line, or nothing for any other line.
std::optional<std::string_view> Sektionsname(std::string_view zeile) {
  const std::string_view z = Trimme(zeile);
  if (z.size() < 2 || z.front() != '[') return std::nullopt;
  const std::size_t zu = z.find(']');
  if (zu == std::string_view::npos) return std::nullopt;
  return Trimme(z.substr(1, zu - 1));
}

// The key of a "key=value" line (comments and other lines have none).
std::optional<std::string_view> Schluesselname(std::string_view zeile) {
  const std::string_view z = Trimme(zeile);
  if (z.empty() || z.front() == ';' || z.front() == '[') return std::nullopt;
  const std::size_t gleich = z.find('=');
  if (gleich == std::string_view::npos) return std::nullopt;
  return Trimme(z.substr(0, gleich));
}

std::string_view Wert(std::string_view zeile) {
  std::string_view w = Trimme(zeile.substr(zeile.find('=') + 1));
  if (w.size() >= 2 && w.front() == '"' && w.back() == '"') w = w.substr(1, w.size() - 2);
  return w;
}

// Far above any configuration the program writes; a larger file is none of its own.
constexpr std::size_t kMaxGroesse = 1024 * 1024;

// The whole file into `inhalt`; true also when there is no such file (nothing read). False
// when it is there but cannot be read: no permission, a folder, no regular file, larger than
// kMaxGroesse, an I/O error, no memory.
bool LiesGanz(const std::string& pfad, std::string& inhalt) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> datei(OeffneDatei(pfad, Oeffnung::Lesen), std::fclose);
  if (!datei) return errno == ENOENT || errno == ENOTDIR;
  struct stat info {};
  if (fstat(fileno(datei.get()), &info) != 0 || static_cast<std::uintmax_t>(info.st_size) > kMaxGroesse) return false;
  try {
    char puffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, datei.get())) > 0) {
      // A file whose size the file system does not tell, or one that grows while it is read.
      if (inhalt.size() + n > kMaxGroesse) return false;
      inhalt.append(puffer, n);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return std::ferror(datei.get()) == 0;
}

// A character that would break the file's lines or hide in a value: the C0 and C1 control
// characters, DEL, and the line and paragraph separators U+2028 and U+2029 (in UTF-8).
bool HatSteuerzeichen(std::string_view wert) {
  for (std::size_t i = 0; i < wert.size(); ++i) {
    const auto b = static_cast<unsigned char>(wert[i]);
    if (b < 0x20 || b == 0x7F) return true;
    const std::string_view rest = wert.substr(i);
    const auto zweites = rest.size() > 1 ? static_cast<unsigned char>(rest[1]) : 0;
    if (b == 0xC2 && zweites >= 0x80 && zweites <= 0x9F) return true;  // U+0080..U+009F
    if (rest.starts_with("\xE2\x80\xA8") || rest.starts_with("\xE2\x80\xA9")) return true;
  }
  return false;
}

std::optional<int> AlsZahl(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int zahl = 0;
  const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), zahl);
  if (fehler != std::errc{} || ende != text.data() + text.size() || text.empty()) return std::nullopt;
  return zahl;
}

}  // namespace

TIniDatei::TIniDatei(std::string pfad) : Pfad(std::move(pfad)) {
  std::string gelesen;
  if (!LiesGanz(Pfad, gelesen)) {
    Unlesbar = true;
    return;
  }
  std::string_view inhalt = gelesen;
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  Bom = inhalt.substr(0, kBom.size()) == kBom;
  if (Bom) inhalt.remove_prefix(kBom.size());
  // The file's line end is the first one in it: CR LF, LF or CR alone.
  const std::size_t erstes = inhalt.find_first_of("\r\n");
  if (erstes != std::string_view::npos) {
    Zeilenende = inhalt[erstes] == '\n' ? "\n" : inhalt.substr(erstes, 2) == "\r\n" ? "\r\n" : "\r";
  }
  // Any of the three ends a line.
  while (!inhalt.empty()) {
    const std::size_t ende = std::min(inhalt.find_first_of("\r\n"), inhalt.size());
    Zeilen.emplace_back(inhalt.substr(0, ende));
    inhalt.remove_prefix(ende);
    if (inhalt.substr(0, 2) == "\r\n") {
      inhalt.remove_prefix(2);
    } else if (!inhalt.empty()) {
      inhalt.remove_prefix(1);
    }
  }
}

const std::string* TIniDatei::Finde(const std::string& sektion, const std::string& schluessel) const {
  // Only the first section of that name counts, as for writing.
  bool inSektion = false;
  for (const std::string& zeile : Zeilen) {
    if (const auto name = Sektionsname(zeile)) {
      if (inSektion) return nullptr;
      inSektion = GleicherName(*name, sektion);
    } else if (inSektion) {
      const auto key = Schluesselname(zeile);
      if (key && GleicherName(*key, schluessel)) return &zeile;
    }
  }
  return nullptr;
}

int TIniDatei::LeseZahl(const std::string& sektion, const std::string& schluessel, int vorgabe) const {
  const std::string* zeile = Finde(sektion, schluessel);
  if (zeile == nullptr) return vorgabe;
  return AlsZahl(Wert(*zeile)).value_or(vorgabe);
}

bool TIniDatei::LeseBool(const std::string& sektion, const std::string& schluessel, bool vorgabe) const {
  return LeseZahl(sektion, schluessel, vorgabe ? 1 : 0) != 0;
}

std::string TIniDatei::LeseText(const std::string& sektion, const std::string& schluessel,
                                const std::string& vorgabe) const {
  const std::string* zeile = Finde(sektion, schluessel);
  return zeile == nullptr ? vorgabe : std::string(Wert(*zeile));
}

void TIniDatei::SchreibeZahl(const std::string& sektion, const std::string& schluessel, int wert) {
  SchreibeText(sektion, schluessel, std::to_string(wert));
}

void TIniDatei::SchreibeBool(const std::string& sektion, const std::string& schluessel, bool wert) {
  SchreibeText(sektion, schluessel, wert ? "1" : "0");
}

bool TIniDatei::SchreibeText(const std::string& sektion, const std::string& schluessel, const std::string& wert) {
  if (HatSteuerzeichen(wert)) return false;
  const bool inAnfuehrung = Trimme(wert) != wert || (wert.size() >= 2 && wert.front() == '"' && wert.back() == '"');
  const std::string neu = schluessel + "=" + (inAnfuehrung ? '"' + wert + '"' : wert);
  // Position after the last key line of the first matching section, to add a missing key there.
  std::optional<std::size_t> einfuegen;
  bool inSektion = false;
  for (std::size_t i = 0; i < Zeilen.size(); ++i) {
    if (const auto name = Sektionsname(Zeilen[i])) {
      if (inSektion) break;
      inSektion = GleicherName(*name, sektion);
      if (inSektion) einfuegen = i + 1;
    } else if (inSektion) {
      const auto key = Schluesselname(Zeilen[i]);
      if (key && GleicherName(*key, schluessel)) {
        Zeilen[i] = neu;
        return true;
      }
      if (!Trimme(Zeilen[i]).empty()) einfuegen = i + 1;
    }
  }
  if (einfuegen) {
    Zeilen.insert(Zeilen.begin() + static_cast<std::ptrdiff_t>(*einfuegen), neu);
    return true;
  }
  if (!Zeilen.empty() && !Trimme(Zeilen.back()).empty()) Zeilen.emplace_back();
  Zeilen.push_back("[" + sektion + "]");
  Zeilen.push_back(neu);
  return true;
}

bool TIniDatei::Speichern() const {
  // What was read stands for a file that could not be read: it would lose every other line.
  if (Unlesbar) return false;
  std::string inhalt = Bom ? "\xEF\xBB\xBF" : "";
  for (const std::string& zeile : Zeilen) {
    inhalt += zeile;
    inhalt += Zeilenende;
  }
  TSichereDatei datei(Pfad);
  return datei.Schreibe(inhalt.data(), inhalt.size()) && datei.Abschliessen();
}
