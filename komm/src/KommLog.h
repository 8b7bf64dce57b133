// The library's two dated logs of a link: the short protocol log (what was sent and received)
// and the detailed debug log (time-stamped steps, byte dumps, time-outs).
//
// Log level of an open: 1 protocol log; 2 protocol and debug log (debug level 1: on TCP with
// the debug window); 3 protocol and debug log (debug level 2, no window); any other none.
// Nothing here throws and write errors are ignored: a log is an aid, never a reason to fail.
#pragma once

#include <time.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace komm {

// One log file, opened for appending (created when missing) and closed on exec: a regular file
// or a character device, never a named pipe; line-buffered.
class LogFile {
 public:
  bool Open(const std::string& path) noexcept;
  bool IsOpen() const noexcept { return file_ != nullptr; }
  // Texts from outside (host names, failure and telegram texts) are arguments of "%s".
  void Write(const char* format, ...) noexcept __attribute__((format(printf, 2, 3)));
  void Flush() noexcept;
  void Close() noexcept;

 private:
  struct Closer {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

// A stamp text made without allocating: "hh:mm:ss.mmm " or "dd.mm.yyyy hh:mm:ss".
struct Stamp {
  std::array<char, 80> text{};  // room for any int the fields may hold
  const char* c_str() const noexcept { return text.data(); }
};

enum class LinkKind { Serial, Netz };

// The file names of a link opened on the given local date, in the folder (empty: the working
// folder; a missing separator is added).
struct LogNames {
  std::string protocol;
  std::string debug;
};
LogNames LogNamesFor(LinkKind kind, const tm& date, const std::string& folder);

// The debug time stamp: the local time of day, "." and the milliseconds, then one blank.
Stamp LogZeit() noexcept;
// A date and time as the logs print it.
Stamp DatumZeit(const timespec& when) noexcept;
timespec Now() noexcept;

// At an open: the debug level and open time set; the logs of the level opened with their
// headers.
void OpenLogs(LinkKind kind, int logLevel);
// After a failed open: each open log gets its footer and is closed.
void CloseLogsWithFooter() noexcept;
// Closes whatever log is still open, writing nothing.
void CloseLogs() noexcept;

LogFile& ProtocolLog() noexcept;
LogFile& DebugLog() noexcept;

// Milliseconds since the last event, and the renewal of the last event.
int SinceLastEvent() noexcept;
void RenewLastEvent() noexcept;

}  // namespace komm
