#pragma once
// Everything the window shows and the next microstep reads, as one value:
// buses, registers with their latches, gates, ALU selection, flag, MPC, RAM
// and its current row, the sources of the shown texts, the enabled states,
// the step counter and the statistics. A copy can be kept, compared and put
// back; the microcode, the surroundings, the file name, the breakpoints and
// the clock lie outside it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Bauteile.h"
#include "core/SpeicherCP1.h"
#include "core/Steuerwort.h"
#include "core/Wort.h"
#include "machine/Statistik.h"
#include "memory/RamSpeicher.h"

namespace ventaro {

// Enabled states of the controls that the clock and the cell check switch.
struct Knoepfe {
    bool Mikroschritt = true;
    bool Start = true;
    bool Reset = true;
    bool Werkzeugleiste = true;
    bool operator==(const Knoepfe&) const = default;
};

// What status panel 1 shows: nothing, the gate-conflict warning, or a text
// (the decoded cell).
enum class Statusart : std::uint8_t { Leer, Warnung, Text };

// The values behind the texts of the ALU panel, the control unit, the display
// and status panel 1, as the last update pass or microstep left them.
struct Anzeigequellen {
    Wort alu = 0;
    Wort flag = 0;
    Wort mpc = 0;
    Wort display = 0;
    std::optional<Steuerwort> mikroCode;  // none before the first step
    Statusart statusart = Statusart::Leer;
    std::string statustext;
    bool operator==(const Anzeigequellen&) const = default;
};

struct TMaschinenzustand {
    TMaschinenzustand();

    // Machine values.
    Wort ExternerBus = 0;
    Wort InternerBus = 0;
    Wort RamAdresse = 0;
    Wort AluA = 0;
    Wort AluB = 0;
    Wort AluErgebnis = 0;
    Wort Flag = 0;
    Wort MPC = 0;
    int AluAuswahl = KeineAluOperation;

    TRamSpeicher Ram;
    std::array<TSpeicherCP1, RegisterAnzahl> Registerzellen;
    std::uint8_t Tore = 0;  // bit t: gate t is open
    Anzeigequellen Anzeige;
    Knoepfe Aktiv;
    // Microsteps run by the "Mikroschritt" handler since start, failed ones too.
    std::uint64_t Schritte = 0;
    // Right clicks on PC since start: a recording sees whether PC was
    // stepped since its last step, and undoing a click takes it back.
    std::uint32_t PCRechtsklicks = 0;
    // What ran since the program was opened or reset.
    TStatistik Statistik;

    TSpeicherCP1& Reg(Register r) { return Registerzellen[static_cast<int>(r)]; }
    const TSpeicherCP1& Reg(Register r) const { return Registerzellen[static_cast<int>(r)]; }
    bool TorOffen(Tor t) const { return (Tore >> static_cast<int>(t)) & 1u; }
    // Presses or releases the gate's button only; no setter, no pass.
    void SetzeTorZustand(Tor t, bool offen) {
        const auto bit = static_cast<std::uint8_t>(1u << static_cast<int>(t));
        Tore = offen ? static_cast<std::uint8_t>(Tore | bit) : static_cast<std::uint8_t>(Tore & ~bit);
    }

    bool operator==(const TMaschinenzustand&) const = default;
};

}  // namespace ventaro
