// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

// All text inside the program is Windows-1252 bytes; these convert at the
// edges (Qt, the file system, the terminal).
namespace qx {

// Unicode scalar of a Windows-1252 code. The five codes that Windows leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the
// same value, as Windows itself does, so every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char c);

// Windows-1252 code of a Unicode scalar, or -1 when the code page has none.
int UnicodeToCp1252(char32_t u);

std::string Cp1252ToUtf8(std::string_view s);

// Characters without a Windows-1252 code are dropped; malformed UTF-8
// bytes are dropped too.
std::string Utf8ToCp1252(std::string_view s);

}  // namespace qx

namespace qx {

// Case mapping of the code page's letters (ASCII, Latin-1 and the few
// letters of the 0x80 block), as the system's upper- and lower-casing does.
unsigned char UpperCp1252(unsigned char c);
unsigned char LowerCp1252(unsigned char c);
std::string UpperCp1252(std::string_view s);

// Equal without regard to the case of the code page's letters.
bool SameTextCp1252(std::string_view a, std::string_view b);

}  // namespace qx
