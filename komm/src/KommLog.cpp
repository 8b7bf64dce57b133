#include "KommLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>

#include "KommGlobals.h"

namespace komm {
namespace {

constexpr char kHeader[] = "======================\nBeginn: %s DLL-Version: %s\n";
constexpr char kFooter[] = "\nEnde: %s\n======================\n";

// Log level 2 gives debug level 1 (with the window on TCP), 3 debug level 2.
std::uint16_t DebugLevelOf(int logLevel) {
  if (logLevel == 2) return 1;
  if (logLevel == 3) return 2;
  return 0;
}

void OpenWithHeader(LogFile& log, const std::string& path, const Stamp& openTime) {
  if (!log.Open(path)) return;  // off for this link
  log.Write(kHeader, openTime.c_str(), kDllVersion);
  log.Flush();
}

}  // namespace

bool LogFile::Open(const std::string& path) noexcept {
  Close();
  // Opened without waiting (a named pipe would wait for its reader, or block once full) and
  // used only as a regular file or a character device such as /dev/null; closed on exec, as
  // every descriptor of the library, so no program started meanwhile holds a log.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat info {};
  const int status = fcntl(fd, F_GETFL);
  if (fstat(fd, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISCHR(info.st_mode)) || status < 0 ||
      fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return false;
  }
  file_.reset(fdopen(fd, "a+"));
  if (!file_) {
    ::close(fd);
    return false;
  }
  // Each line reaches the file as it is written, so the log can be watched and outlives a
  // killed program.
  if (setvbuf(file_.get(), nullptr, _IOLBF, BUFSIZ) != 0) Close();
  return IsOpen();
}

void LogFile::Write(const char* format, ...) noexcept {
  if (!file_) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(file_.get(), format, args);
  va_end(args);
}

void LogFile::Flush() noexcept {
  if (file_) std::fflush(file_.get());
}

void LogFile::Close() noexcept { file_.reset(); }

timespec Now() noexcept {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

Stamp LogZeit() noexcept {
  const timespec now = Now();
  tm local{};
  localtime_r(&now.tv_sec, &local);
  Stamp stamp;
  std::snprintf(stamp.text.data(), stamp.text.size(), "%02d:%02d:%02d.%03d ", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(now.tv_nsec / 1000000));
  return stamp;
}

Stamp DatumZeit(const timespec& when) noexcept {
  tm local{};
  localtime_r(&when.tv_sec, &local);
  Stamp stamp;
  std::snprintf(stamp.text.data(), stamp.text.size(), "%02d.%02d.%04d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
  return stamp;
}

LogNames LogNamesFor(LinkKind kind, const tm& date, const std::string& folder) {
  std::array<char, 40> day{};  // room for any int the fields may hold
  std::snprintf(day.data(), day.size(), "%02d%02d%02d", date.tm_year % 100, date.tm_mon + 1, date.tm_mday);
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  prefix += day.data();
  if (kind == LinkKind::Serial) return {prefix + "_YBR_Ser.log", prefix + "_YBRdeb_s.log"};
  return {prefix + "_YBR_Netz.log", prefix + "_YBRdeb_n.log"};
}

void OpenLogs(LinkKind kind, int logLevel) {
  KommGlobals& g = Globals();
  CloseLogs();
  g.debugLevel = DebugLevelOf(logLevel);
  g.openTime = Now();
  tm date{};
  localtime_r(&g.openTime.tv_sec, &date);
  const bool protocol = logLevel >= 1 && logLevel <= 3;
  if (!protocol) return;
  const LogNames names = LogNamesFor(kind, date, g.logDirectory);
  const Stamp openTime = DatumZeit(g.openTime);
  OpenWithHeader(g.protocolLog, names.protocol, openTime);
  if (g.debugLevel != 0) OpenWithHeader(g.debugLog, names.debug, openTime);
}

void CloseLogsWithFooter() noexcept {
  KommGlobals& g = Globals();
  const Stamp openTime = DatumZeit(g.openTime);
  for (LogFile* log : {&g.protocolLog, &g.debugLog}) {
    log->Write(kFooter, openTime.c_str());
    log->Close();
  }
}

void CloseLogs() noexcept {
  Globals().protocolLog.Close();
  Globals().debugLog.Close();
}

LogFile& ProtocolLog() noexcept { return Globals().protocolLog; }
LogFile& DebugLog() noexcept { return Globals().debugLog; }

int SinceLastEvent() noexcept { return static_cast<int>(MsClock() - Globals().lastEventTime); }

void RenewLastEvent() noexcept { Globals().lastEventTime = MsClock(); }

}  // namespace komm
