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

// True when the bytes are UTF-8 throughout and hold a character beyond
// ASCII; a Windows-1252 text with umlauts practically never is.
bool IstUtf8MitUmlauten(std::string_view bytes);

// The characters of the UTF-8 text that Windows-1252 lacks, each once, in
// the order they first appear.
std::u32string OhneCp1252Form(std::string_view utf8);

// "U+2192": how a message names a character it cannot show.
std::string ZeichenName(char32_t zeichen);

}  // namespace ventaro
