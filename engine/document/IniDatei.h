// A small configuration file in Windows INI syntax: "[Section]" heads and "key=value" lines,
// section and key names compared without regard to case. Lines end in CR LF, LF or CR alone,
// and a UTF-8 byte-order mark may open the file; writing keeps the file's line end and its
// mark, and every other section, key, comment and line as it was.
#pragma once

#include <string>
#include <vector>

class TIniDatei {
 public:
  // Reads `pfad` when it exists; a missing or unreadable file (no permission, a folder, a named
  // pipe or a device, larger than 1 MiB, an I/O error) reads as empty, so every key gives its
  // default.
  explicit TIniDatei(std::string pfad);

  // A missing section or key, or a value that is not a (32-bit) decimal number, gives `vorgabe`.
  int LeseZahl(const std::string& sektion, const std::string& schluessel, int vorgabe) const;
  // Any nonzero number reads as true.
  bool LeseBool(const std::string& sektion, const std::string& schluessel, bool vorgabe) const;
  std::string LeseText(const std::string& sektion, const std::string& schluessel, const std::string& vorgabe) const;

  void SchreibeZahl(const std::string& sektion, const std::string& schluessel, int wert);
  // Written as "1" and "0".
  void SchreibeBool(const std::string& sektion, const std::string& schluessel, bool wert);
  // A value holding a line break (CR or LF) would end its line and start others, sections and
  // keys among them; other control characters (C0, DEL, C1, U+2028, U+2029) would be cut or
  // change the line when read back. Such a value is refused (false) and the key keeps what it
  // held. A value with blanks at either end, or in double quotes, is written in double quotes,
  // so it reads back as it was.
  bool SchreibeText(const std::string& sektion, const std::string& schluessel, const std::string& wert);

  // Writes the file through a temporary file in the same folder renamed over it; false when
  // that did not succeed (the old file then stays as it was). A file that is there but could
  // not be read is never written: what was read stands for none of its lines.
  bool Speichern() const;

 private:
  const std::string* Finde(const std::string& sektion, const std::string& schluessel) const;

  std::string Pfad;
  std::vector<std::string> Zeilen;  // the file's lines without their line ends
  std::string Zeilenende = "\r\n";  // line end of the file read; a new file gets CR LF
  bool Bom = false;                 // the file opened with a UTF-8 byte-order mark
  bool Unlesbar = false;            // the file is there but could not be read
};
