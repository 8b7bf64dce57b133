// Sending a telegram and reading replies over the transport that the open selected.
#pragma once

#include <cstddef>
#include <cstdint>

namespace komm {

// Transport dispatch by the interface type: bytes written or read, -1 without a transport.
int SchreibeDaten(const std::uint8_t* bytes, std::size_t count);
int LeseDaten(std::uint8_t* byte, std::size_t count);
void RtsEin();
void RtsAus();

int SendeTele(int destAddr, int srcAddr, int command, const char* text, int number);
// One read attempt: 1 when a complete telegram with a correct CRC stands in buffer.
int ReadTelegramm(std::uint8_t* buffer);
int WarteAufTele(int* srcOut, int ownAddr, char* textOut, int tries);

}  // namespace komm
