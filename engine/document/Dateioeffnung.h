// Opening the program's files without ever waiting: open() on a named pipe waits for the other
// end, and a device may wait as well, so every file is opened non-blocking and used only when
// it is a regular file (a log also on a character device such as /dev/null). Anything else is
// refused like a file that cannot be opened.
#pragma once

#include <cstdio>
#include <string>

enum class Oeffnung {
  Lesen,      // "rb": an existing file, read
  Neu,        // "wb": created, or emptied when it is there
  Protokoll,  // "a": appended to, created when missing; each line reaches the file as written
};

// The open stream (close-on-exec, blocking again), or null with errno set: the open's own
// errno, EISDIR for a folder, EINVAL for anything else that is no regular file (a named pipe,
// a socket, a device; for a log a block device).
std::FILE* OeffneDatei(const std::string& pfad, Oeffnung art);
