#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The program's texts, files and serial line are 8-bit Windows-1252, one byte
// per character. These convert at the edges where UTF-8 is spoken (source
// literals, terminals).

// Characters without a Windows-1252 code become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// The five undefined codes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 etc.
std::string Cp1252ToUtf8(std::string_view cp1252);

}  // namespace tessaro
