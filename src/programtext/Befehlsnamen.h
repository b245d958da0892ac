#pragma once
// The mnemonics of the loaded microcode as the program text uses them: which
// opcodes a word names, which opcode has a name of its own, and which opcodes
// jump (their microcode loads the PC), so that their targets may get labels.

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "microcode/MikrocodeTabelle.h"

namespace ventaro::programmtext {

class TBefehlsnamen {
public:
    static constexpr int MaxBefehle = TMikrocodeTabelle::MaxBefehle;

    // Only the opcodes in use (below befehlsanzahl) have names.
    TBefehlsnamen(const std::array<std::string, MaxBefehle>& mnemonics, int befehlsanzahl);
    // Names and jumps of a loaded table.
    explicit TBefehlsnamen(const TMikrocodeTabelle& tabelle);

    // The opcodes whose mnemonic, without surrounding blanks, is the word,
    // upper and lower case alike; none, one, or several (ambiguous).
    std::vector<int> Opcodes(std::string_view wort) const;
    // The name that writes this opcode in a program text: only a mnemonic of
    // its own that reads back as this opcode (not empty, not shared, no
    // directive, no cell text, one word without ";" or ":").
    std::optional<std::string> Name(int opcode) const;
    bool IstSprung(int opcode) const { return opcode >= 0 && opcode < MaxBefehle && spruenge_[opcode]; }
    // Every word that names exactly one opcode, in upper case.
    std::vector<std::string> Namen() const;

private:
    std::array<std::string, MaxBefehle> gross_{};  // upper case, without blanks; empty = none
    std::array<std::string, MaxBefehle> namen_{};  // as written, without blanks
    std::bitset<MaxBefehle> spruenge_;
};

}  // namespace ventaro::programmtext
