// Time per telegram exchange through the library, against the protocol's own pauses
// (50 + 5 + 5 ms around a send, 25 ms before each read attempt), and the frame code itself.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "KommFrame.h"
#include "YBR_KOMM.h"

namespace {

// Answers every frame that arrives on fd with a reply of the given text length.
void AnswerFrames(int fd, std::size_t replyLength, const std::atomic<bool>& stop) {
  const auto reply = komm::BuildFrame({3, 768, 1, 5, std::string(replyLength, 'r')});
  komm::FrameReader reader;
  std::uint8_t byte = 0;
  while (!stop) {
    pollfd pfd{fd, POLLIN, 0};
    if (poll(&pfd, 1, 50) != 1) continue;
    if (::read(fd, &byte, 1) != 1) return;
    if (reader.Feed(byte) == komm::FrameReader::Result::Complete) {
      if (::write(fd, reply.data(), reply.size()) != static_cast<ssize_t>(reply.size())) return;
    }
  }
}

void Exchange(benchmark::State& state, int type) {
  const std::string text(static_cast<std::size_t>(state.range(0)), 'q');
  std::vector<char> answer(1024);
  int source = 0;
  for (auto _ : state) {
    if (_SendeTele(type, 3, 768, 1, text.c_str(), 1) != 0 || _WarteAufTele(type, &source, 768, answer.data(), 1) != 5) {
      state.SkipWithError("exchange failed");
      break;
    }
  }
}

void BM_ExchangeTcp(benchmark::State& state) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 1);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  std::atomic<bool> stop{false};
  std::thread peer([&] {
    const int fd = accept(listener, nullptr, nullptr);
    AnswerFrames(fd, static_cast<std::size_t>(state.range(1)), stop);
    close(fd);
  });
  if (_OpenKommNet(ntohs(address.sin_port), "127.0.0.1", 0) == 1) {
    Exchange(state, 1);
  } else {
    state.SkipWithError(_GetLastErrorMessage());
  }
  _CloseKommunikation(1);
  stop = true;
  peer.join();
  close(listener);
}
BENCHMARK(BM_ExchangeTcp)->Args({0, 20})->Args({1013, 1023})->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ExchangeSerial(benchmark::State& state) {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  openpty(&master, &slave, name, nullptr, nullptr);
  setenv("YBR_KOMM_COM9", name, 1);
  std::atomic<bool> stop{false};
  if (_OpenKommSer(9, 9600, 0, 0) == 2) {
    std::thread peer([&] { AnswerFrames(master, static_cast<std::size_t>(state.range(1)), stop); });
    Exchange(state, 2);
    stop = true;
    peer.join();
  } else {
    state.SkipWithError(_GetLastErrorMessage());
  }
  _CloseKommunikation(2);
  close(slave);
  close(master);
}
BENCHMARK(BM_ExchangeSerial)->Args({0, 20})->Args({1013, 1023})->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CalcCRC(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)), 0x5A);
  for (auto _ : state) benchmark::DoNotOptimize(komm::CalcCRC(bytes.data(), bytes.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_CalcCRC)->Arg(7)->Arg(1020);

void BM_FrameReader(benchmark::State& state) {
  const auto frame = komm::BuildFrame({3, 768, 1, 5, std::string(1023, 'r')});
  komm::FrameReader reader;
  for (auto _ : state) {
    for (auto byte : frame) benchmark::DoNotOptimize(reader.Feed(byte));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(BM_FrameReader);

}  // namespace

BENCHMARK_MAIN();
