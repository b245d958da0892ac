#pragma once
// Character classes of the program text, on Windows-1252 bytes.

#include <array>
#include <string>
#include <string_view>

namespace ventaro::programmtext {

inline bool IstBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

// Letters of Windows-1252, umlauts and the other accented letters included.
inline bool IstBuchstabe(char zeichen) {
    const auto c = static_cast<unsigned char>(zeichen);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
        case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
        case 0xAA: case 0xB5: case 0xBA:
            return true;
        default:
            return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

inline bool IstNamenszeichen(char c) { return IstBuchstabe(c) || IstZiffer(c) || c == '_'; }

// A label's name: a letter, then letters, digits or "_".
inline bool IstName(std::string_view text) {
    if (text.empty() || !IstBuchstabe(text.front())) return false;
    for (char c : text)
        if (!IstNamenszeichen(c)) return false;
    return true;
}

// Upper case of Windows-1252, for mnemonics and directives.
inline std::string Gross(std::string_view text) {
    std::string gross(text);
    for (char& zeichen : gross) {
        const auto c = static_cast<unsigned char>(zeichen);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            zeichen = static_cast<char>(c - 0x20);
        else if (c == 0x9A || c == 0x9C || c == 0x9E)
            zeichen = static_cast<char>(c - 0x10);
        else if (c == 0xFF)
            zeichen = static_cast<char>(0x9F);
    }
    return gross;
}

// The form of a cell text: two digits, a full stop, three digits.
inline bool HatZellform(std::string_view t) {
    return t.size() == 6 && IstZiffer(t[0]) && IstZiffer(t[1]) && t[2] == '.' && IstZiffer(t[3]) &&
           IstZiffer(t[4]) && IstZiffer(t[5]);
}

// The directives, in upper case: the translator's, the highlighting's and
// the names no mnemonic can be written by.
inline constexpr std::string_view DirektiveOrg = "ORG", DirektiveDat = "DAT", DirektiveZelle = "ZELLE";
inline constexpr std::array<std::string_view, 3> Direktiven = {DirektiveOrg, DirektiveDat, DirektiveZelle};

inline bool IstDirektive(std::string_view grossgeschrieben) {
    for (std::string_view d : Direktiven)
        if (grossgeschrieben == d) return true;
    return false;
}

inline std::string OhneBlanks(std::string_view text) {
    std::size_t anfang = 0, ende = text.size();
    while (anfang < ende && IstBlank(text[anfang])) ++anfang;
    while (ende > anfang && IstBlank(text[ende - 1])) --ende;
    return std::string(text.substr(anfang, ende - anfang));
}

}  // namespace ventaro::programmtext
