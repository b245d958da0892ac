#pragma once
// Words and their four text forms. A word is an unsigned 16-bit value; the low
// byte is the data or address part, the high byte the operation code.

#include <cstdint>
#include <string>
#include <string_view>

namespace ventaro {

using Wort = std::uint16_t;

inline constexpr Wort LowByte(Wort w) { return static_cast<Wort>(w & 0xFFu); }
inline constexpr Wort HighByte(Wort w) { return static_cast<Wort>(w >> 8); }

// "000" for 0, "01.005" for 261: the caption of a register cell.
std::string WortZuRegisterText(Wort wert);
// Decimal, filled with "0" up to three digits, never cut ("1000" stays).
std::string ZahlDreistellig(unsigned zahl);
// The same with two digits: how an opcode is written ("03", "29", "255").
std::string ZahlZweistellig(unsigned zahl);
// Like the register text, but the high part is always present: "00.000".
std::string WortZuZellText(Wort wert);
// Operation code from characters 1-2, operand from characters 4-6; no range
// test. Throws Fehler with the conversion message when a field is no integer.
Wort ZellTextZuWort(std::string_view text);
// True for exactly the texts HH.LLL with HH <= 29 and LLL <= 255.
bool ZelleKorrekt(std::string_view text);

// The integer conversion the whole program uses for its number fields: an
// optional "-" (only where allowed) followed by one or more ASCII digits.
// Returns false for anything else, including values beyond 32 bits.
bool TextZuGanzzahl(std::string_view text, long long& wert, bool minusErlaubt);

}  // namespace ventaro
