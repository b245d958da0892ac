#include "core/Zeichensatz.h"

#include <array>
#include <cstdint>

namespace ventaro {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<char32_t, 32> kObererBereich = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Zeichen(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kObererBereich[byte - 0x80];
    return byte;
}

int ByteFuer(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kObererBereich.size(); ++i)
        if (kObererBereich[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence at pos; returns false for an invalid one and
// then advances by one byte.
bool NaechstesZeichen(std::string_view text, std::size_t& pos, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    int laenge = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
    if (laenge == 0 || pos + laenge > text.size()) {
        ++pos;
        return false;
    }
    cp = laenge == 1 ? b0 : b0 & (0x7F >> laenge);
    for (int i = 1; i < laenge; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += laenge;
    return true;
}

}  // namespace

void HaengeUtf8An(std::string& ziel, char32_t zeichen) {
    if (zeichen < 0x80) {
        ziel += static_cast<char>(zeichen);
    } else if (zeichen < 0x800) {
        ziel += static_cast<char>(0xC0 | (zeichen >> 6));
        ziel += static_cast<char>(0x80 | (zeichen & 0x3F));
    } else if (zeichen < 0x10000) {
        ziel += static_cast<char>(0xE0 | (zeichen >> 12));
        ziel += static_cast<char>(0x80 | ((zeichen >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (zeichen & 0x3F));
    } else {
        ziel += static_cast<char>(0xF0 | (zeichen >> 18));
        ziel += static_cast<char>(0x80 | ((zeichen >> 12) & 0x3F));
        ziel += static_cast<char>(0x80 | ((zeichen >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (zeichen & 0x3F));
    }
}

std::string Cp1252ZuUtf8(std::string_view bytes) {
    std::string ergebnis;
    ergebnis.reserve(bytes.size());
    for (char c : bytes) HaengeUtf8An(ergebnis, Zeichen(static_cast<unsigned char>(c)));
    return ergebnis;
}

std::string Utf8ZuCp1252(std::string_view utf8, bool* ersetzt) {
    std::string ergebnis;
    bool etwasErsetzt = false;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0;
        const int byte = NaechstesZeichen(utf8, pos, cp) ? ByteFuer(cp) : -1;
        if (byte < 0) etwasErsetzt = true;
        ergebnis += byte < 0 ? '?' : static_cast<char>(byte);
    }
    if (ersetzt) *ersetzt = etwasErsetzt;
    return ergebnis;
}

bool IstUtf8MitUmlauten(std::string_view bytes) {
    bool umlaut = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        char32_t cp = 0;
        if (!NaechstesZeichen(bytes, pos, cp)) return false;
        umlaut = umlaut || cp >= 0x80;
    }
    return umlaut;
}

std::u32string OhneCp1252Form(std::string_view utf8) {
    std::u32string fehlende;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0xFFFD;  // an invalid sequence is the replacement character
        if (NaechstesZeichen(utf8, pos, cp) && ByteFuer(cp) >= 0) continue;
        if (fehlende.find(cp) == std::u32string::npos) fehlende += cp;
    }
    return fehlende;
}

std::string ZeichenName(char32_t zeichen) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string ziffern;
    for (char32_t rest = zeichen; rest != 0 || ziffern.size() < 4; rest >>= 4) ziffern.insert(0, 1, kHex[rest & 0xF]);
    return "U+" + ziffern;
}

}  // namespace ventaro
