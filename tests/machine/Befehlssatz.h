#pragma once
// Microsteps per instruction of the shipped microcode, the fetch included
// (the fetch step runs step 0 of the instruction nested in the same
// microstep). The README's instruction table lists the same numbers.

namespace ventaro::programme::schritte {

inline constexpr int HLT = 1;  // per repetition: the fetch jumps back to entry 0
inline constexpr int LDA = 4, STA = 3, LDK = 4;
inline constexpr int ADD = 5, SUB = 5, UND = 5;  // with a RAM operand
inline constexpr int ADK = 4, SUK = 4, UNK = 4;  // with a constant
inline constexpr int NEG = 4;
inline constexpr int VGL = 3, VGR = 3, VKL = 3;  // with a RAM operand
inline constexpr int VGK = 2, VRK = 2, VKK = 2;  // with a constant
inline constexpr int Sprung = 8;       // SPR, and SPF/SNF when they jump
inline constexpr int KeinSprung = 1;   // SPF/SNF when they go on
inline constexpr int ANZ = 3, AUS = 4, LDI = 4;

}  // namespace ventaro::programme::schritte
