// Writing a file so that a failure never damages the file already there: the bytes go into a
// temporary file in the same folder, which is renamed over the target only when every byte was
// written and flushed; the folder is synced after the rename, so the new name outlasts a power
// cut. The temporary file has a short hidden name of its own (".~" and six characters), so a
// target of any name the folder can hold can be written. A writer that is not finished removes
// its temporary file. A target that exists but may not be written or is no plain file
// (write-protected, a folder, a device) is refused like a failed open; a symbolic link is
// written through to the file it names.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

// One state of a file: which file it is (device, inode) with its size and modification time.
// A file rewritten in place or replaced by another gets another identity. Vorhanden is false
// where no file could be found.
struct Dateikennung {
  bool Vorhanden = false;
  dev_t Geraet = 0;
  ino_t Knoten = 0;
  off_t Groesse = 0;
  timespec Geaendert{};
  bool operator==(const Dateikennung& andere) const;
};
Dateikennung KennungAus(const struct stat& info);
// The identity of the file at `pfad` now (a link followed to the file it names).
Dateikennung KennungVon(const std::string& pfad);

class TSichereDatei {
 public:
  // Creates the temporary file beside `ziel` (beside the file it names, when it is a link);
  // Offen tells whether that worked.
  explicit TSichereDatei(std::string ziel);
  ~TSichereDatei();
  TSichereDatei(const TSichereDatei&) = delete;
  TSichereDatei& operator=(const TSichereDatei&) = delete;

  bool Offen() const { return Fd >= 0; }
  // Appends `anzahl` bytes; false when they (or bytes buffered before them) could not be
  // written. After a failure every further call fails.
  bool Schreibe(const void* daten, std::size_t anzahl);
  // Writes what is buffered; false when that failed.
  bool Leeren();
  // Flushes, closes and renames the file over the target; false when any step failed, and the
  // target is then unchanged.
  bool Abschliessen();
  // The two steps of Abschliessen, so that two files can be written whole before either
  // replaces its target: Bereitstellen flushes, syncs and closes the temporary file (false
  // when that failed; it is then removed), Ersetzen renames it over the target and syncs the
  // folder.
  bool Bereitstellen();
  bool Ersetzen();
  // The identity of the file written, once Bereitstellen succeeded: the target's after the
  // rename.
  const Dateikennung& Kennung() const { return Geschrieben; }
  // The file could not be made because its folder may not be written (no write permission,
  // or a read-only file system, which also keeps an existing target from being written).
  bool OrdnerSchreibgeschuetzt() const { return OrdnerGeschuetzt; }
  // The folder of the target, ending in '/' (empty for the working folder).
  std::string Ordner() const;

 private:
  friend int ErsetzeBeide(TSichereDatei& erste, TSichereDatei& zweite);  // reads Ziel
  void Verwerfe();
  // Renames the complete temporary file over the target, without syncing the folder.
  bool Umbenennen();

  std::string Ziel;
  std::string Temporaer;
  int Fd = -1;
  bool Fehler = false;
  bool Bereit = false;  // the temporary file is complete and closed, not yet renamed
  bool OrdnerGeschuetzt = false;
  Dateikennung Geschrieben;
  std::vector<char> Puffer;
};

// Replaces the targets of two files made ready by Bereitstellen, all or nothing: afterwards
// both targets hold their new content, or both hold what they held before. Until the second
// is in place, the first target's old file is kept as a hard link beside it and put back
// when the second rename fails (a first target that did not exist is removed again). Where
// no hard link can be made, a failed second rename leaves the first target replaced. The
// folder is synced once, after the last rename. 0 when both were replaced, else 1 or 2 for
// the file whose rename failed.
int ErsetzeBeide(TSichereDatei& erste, TSichereDatei& zweite);

// The rename every replacement goes through; tests put a failing one in its place. Returns
// the one in force before.
using Umbenennung = int (*)(const char* von, const char* nach);
Umbenennung SetzeUmbenennung(Umbenennung neu);
// The sync of a folder after the renames into it (opened O_DIRECTORY, fsync); tests record or
// refuse it. A folder that cannot be synced (a file system that refuses, EINVAL) does not make
// a save fail: the files are in place. Returns the one in force before.
using OrdnerSync = int (*)(const char* ordner);
OrdnerSync SetzeOrdnerSync(OrdnerSync neu);
