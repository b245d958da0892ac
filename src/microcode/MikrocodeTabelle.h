#pragma once
// The microcode table: for every opcode ten control words for Flag 0, ten for
// Flag 1, and a mnemonic; stored in "mikrocode.dat".

#include <array>
#include <cstdint>
#include <string>

namespace ventaro {

// The entry of step s (0 to 9) of opcode c in a set of 300 control words.
constexpr int Index(int befehl, int schritt) { return 10 * befehl + schritt; }

class TMikrocodeTabelle {
public:
    static constexpr int MaxBefehle = 30;
    static constexpr int SchritteProBefehl = 10;
    static constexpr int Eintraege = MaxBefehle * SchritteProBefehl;
    static constexpr const char* Dateiname = "mikrocode.dat";

    std::array<std::string, Eintraege> Steuerworte0{};
    std::array<std::string, Eintraege> Steuerworte1{};
    std::array<std::string, MaxBefehle> Mnemonics{};

    // The file lies in the program directory (ending in a separator).
    void FormCreate(const std::string& programmverzeichnis);
    void SetzePfad(std::string pfad) { pfad_ = std::move(pfad); }
    const std::string& Pfad() const { return pfad_; }
    // "Mikrocode editieren [mikrocode.dat]"
    std::string Beschriftung() const;

    // N: the opcodes in use; 29 until a load succeeds.
    std::uint16_t Befehlsanzahl() const { return befehlsanzahl_; }

    // Reads the file into the table. On any failure nothing changes and the
    // Fehler carries the message. Entries of opcodes N and above keep theirs.
    void AllesLaden();
    // Writes opcodes 0..N-1 of both sections; the old file stays whole when
    // writing fails. Throws the "kann nicht erstellt werden" Fehler.
    void AllesSpeichern() const;

    // At least one flag-1 word of the opcode differs from its flag-0 word.
    bool Flagabhaengig(int befehl) const;

private:
    std::string pfad_ = Dateiname;
    std::uint16_t befehlsanzahl_ = 29;
};

}  // namespace ventaro
