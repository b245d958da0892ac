#pragma once
// The seven gates, five registers and eighteen control signals, with the
// names the user sees.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ventaro {

enum class Tor : std::uint8_t { ET, AT, PT, IT, ErgT, Read, Write };
inline constexpr int TorAnzahl = 7;
inline constexpr std::array<std::string_view, TorAnzahl> TorNamen = {"ET", "AT", "PT", "IT", "ErgT", "Read", "Write"};

enum class Register : std::uint8_t { Akku, Erg, PC, IR, Anz };
inline constexpr int RegisterAnzahl = 5;
inline constexpr std::array<std::string_view, RegisterAnzahl> RegisterNamen = {"Akku", "Erg", "PC", "IR", "Anz"};

// The items of the ALU list, at the indexes 0 to 6; -1 is "none".
inline constexpr std::array<std::string_view, 7> AluNamen = {"ADD", "SUB", "VGL", "VGR", "VKL", "UND", "NEG"};
inline constexpr int KeineAluOperation = -1;

// Signal k (1..18) of a control word is character k.
inline constexpr std::array<std::string_view, 18> SignalNamen = {
    "ET", "AT", "PC", "PCI", "PT", "IR", "IT", "Akku", "Erg", "ErgT",
    "MPCClear", "MPCLoad", "RamRead", "RamWrite", "ALU0", "ALU1", "ALU2", "Anz"};

template <typename E, std::size_t N>
std::optional<E> NachName(const std::array<std::string_view, N>& namen, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (namen[i] == name) return static_cast<E>(i);
    return std::nullopt;
}

}  // namespace ventaro
