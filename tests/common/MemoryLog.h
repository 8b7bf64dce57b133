// A protocol log in memory: a stdio stream whose text a test reads back.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

class MemoryLog {
 public:
  MemoryLog() : file_(open_memstream(&data_, &size_)) {}
  ~MemoryLog() {
    std::fclose(file_);
    std::free(data_);
  }
  MemoryLog(const MemoryLog&) = delete;
  MemoryLog& operator=(const MemoryLog&) = delete;
  std::FILE* file() { return file_; }
  std::string Text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};
