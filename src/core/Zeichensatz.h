#pragma once
// Conversion between the core's Windows-1252 byte strings and Unicode text in
// UTF-8, for the edges of the program (window, JSON, terminal).

#include <string>
#include <string_view>

namespace ventaro {

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined become the C1 control of the same value.
std::string Cp1252ZuUtf8(std::string_view bytes);

// Appends the code point in UTF-8.
void HaengeUtf8An(std::string& ziel, char32_t zeichen);

// Characters outside Windows-1252 become "?"; ersetzt (if given) tells whether
// that happened. Invalid UTF-8 sequences count as such characters.
std::string Utf8ZuCp1252(std::string_view utf8, bool* ersetzt = nullptr);

}  // namespace ventaro
