#pragma once
// The seven gates, five registers and eighteen control signals, with the
// names the user sees. The signal table is the one place that says what each
// character of a control word drives; the sequencer, the microcode editor,
// the microcode generator and the tests all read it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ventaro {

enum class Tor : std::uint8_t { ET, AT, PT, IT, ErgT, Read, Write };
inline constexpr int TorAnzahl = 7;
inline constexpr std::array<std::string_view, TorAnzahl> TorNamen = {"ET", "AT", "PT", "IT", "ErgT", "Read", "Write"};
// What status panel 0 says of each gate (Windows-1252); the help page quotes it.
inline constexpr std::array<std::string_view, TorAnzahl> TorHinweise = {
    "Eingangstor: verbindet den externen Datenbus mit dem internen Datenbus",
    "Ausgangstor: verbindet den Ausgang des Akkus mit dem externen Datenbus",
    "Programmz\xE4hlertor: Verbindet den Ausgang des PC mit der Adresssteuerung des RAMs",
    "Indexregsitertor: Verbindet den Ausgang des IR mit der Adresssteuerung des RAMs",
    "Ergebnistor: verbindet Ergebnisregister mit dem internen Datenbus",
    "Read-Tor: verbindet die aktuelle RAM-Zelle mit dem externen Datenbus",
    "Write-Tor: verbindet den externen Datenbus mit der aktuellen RAM-Zelle"};

enum class Register : std::uint8_t { Akku, Erg, PC, IR, Anz };
inline constexpr int RegisterAnzahl = 5;
inline constexpr std::array<std::string_view, RegisterAnzahl> RegisterNamen = {"Akku", "Erg", "PC", "IR", "Anz"};
inline constexpr std::array<std::string_view, RegisterAnzahl> RegisterHinweise = {
    "Akkumulatorregister (Akku)", "Ergebnisregister", "Programmz\xE4hler; rechte Maustaste erh\xF6ht den Inhalt um 1",
    "Indexregister", "Anzeigeregister: speichert den Wert f\xFCr die Anzeige"};

// The items of the ALU list, at the indexes 0 to 6; -1 is "none".
inline constexpr std::array<std::string_view, 7> AluNamen = {"ADD", "SUB", "VGL", "VGR", "VKL", "UND", "NEG"};
inline constexpr int KeineAluOperation = -1;

// What a signal drives: a gate, a register's load latch, the PC's increment,
// the MPC's clear or load, or one bit of the ALU operation.
enum class Signalart : std::uint8_t { Tor, Latch, PCI, MPCClear, MPCLoad, AluBit };

struct Signal {
    std::string_view name;
    Signalart art;
    int position;  // character 1 to 18 of the control word
    Tor tor = Tor::ET;                    // for Signalart::Tor
    Register reg = Register::Akku;        // for Signalart::Latch
};

inline constexpr int SignalAnzahl = 18;
inline constexpr std::array<Signal, SignalAnzahl> Signale = {{
    {"ET", Signalart::Tor, 1, Tor::ET},
    {"AT", Signalart::Tor, 2, Tor::AT},
    {"PC", Signalart::Latch, 3, {}, Register::PC},
    {"PCI", Signalart::PCI, 4},
    {"PT", Signalart::Tor, 5, Tor::PT},
    {"IR", Signalart::Latch, 6, {}, Register::IR},
    {"IT", Signalart::Tor, 7, Tor::IT},
    {"Akku", Signalart::Latch, 8, {}, Register::Akku},
    {"Erg", Signalart::Latch, 9, {}, Register::Erg},
    {"ErgT", Signalart::Tor, 10, Tor::ErgT},
    {"MPCClear", Signalart::MPCClear, 11},
    {"MPCLoad", Signalart::MPCLoad, 12},
    {"RamRead", Signalart::Tor, 13, Tor::Read},
    {"RamWrite", Signalart::Tor, 14, Tor::Write},
    {"ALU0", Signalart::AluBit, 15},
    {"ALU1", Signalart::AluBit, 16},
    {"ALU2", Signalart::AluBit, 17},
    {"Anz", Signalart::Latch, 18, {}, Register::Anz},
}};

// Signal k of a control word, k counted from 1.
constexpr const Signal& SignalAn(int k) { return Signale[static_cast<std::size_t>(k - 1)]; }

// The position of the named signal, if there is one.
constexpr std::optional<int> SignalNachName(std::string_view name) {
    for (const Signal& s : Signale)
        if (s.name == name) return s.position;
    return std::nullopt;
}

template <typename E, std::size_t N>
std::optional<E> NachName(const std::array<std::string_view, N>& namen, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (namen[i] == name) return static_cast<E>(i);
    return std::nullopt;
}

// The text of a control word that sets signal k (1 to 18) exactly where
// an(k) is true.
template <typename An>
std::string SteuerwortAus(An an) {
    std::string wort(SignalAnzahl, '0');
    for (int k = 1; k <= SignalAnzahl; ++k)
        if (an(k)) wort[static_cast<std::size_t>(k - 1)] = '1';
    return wort;
}

// Whether the text of a control word sets signal k; a missing character
// does not.
inline bool SignalGesetzt(std::string_view wort, int k) {
    return static_cast<int>(wort.size()) >= k && wort[static_cast<std::size_t>(k - 1)] == '1';
}

}  // namespace ventaro
