// Conversion between the Windows-1252 bytes of the records, files and telegrams and the
// UTF-8 the windows show. The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for U+0081, U+008D, U+008F, U+0090 and U+009D, so every byte string
// survives the round trip.
//
// A window shows a field as Cp1252NachUtf8(LiesText(feld)); an edit that Utf8NachCp1252
// accepts is stored with SchreibeText, which cuts it by bytes after the conversion.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Every Windows-1252 byte has a UTF-8 form, so this always succeeds.
std::string Cp1252NachUtf8(std::string_view cp1252);

// Empty when the text holds a character Windows-1252 cannot hold (or is not valid UTF-8);
// an edit refuses such a text.
std::optional<std::string> Utf8NachCp1252(std::string_view utf8);
