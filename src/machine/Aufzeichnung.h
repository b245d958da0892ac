#pragma once
// Recording a microprogram by hand: the user works the datapath as in manual
// operation, and each "Schritt aufnehmen" turns what is set at that moment
// (open gates, latches that are on, the ALU selection, a right click on PC
// since the last step) into the control word of the next step. Ending writes
// the steps as the opcode's microprogram, saves the table and hands it to
// the machine.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "machine/Maschine.h"

namespace ventaro {

class TAufzeichnung {
public:
    explicit TAufzeichnung(TMaschine& maschine) : maschine_(maschine) {}

    bool Laeuft() const { return laeuft_; }
    int Befehl() const { return befehl_; }
    // The flag value whose words are recorded; none: both sets, so that the
    // opcode stays flag-independent.
    std::optional<int> FlagWert() const { return flag_; }
    const std::vector<std::string>& Worte() const { return worte_; }
    // The number of the step the next "Schritt aufnehmen" records.
    int Schritt() const { return static_cast<int>(schritte_.size()); }
    // "Aufzeichnung: Befehl 03 (LDK), Schritt 2"; empty when not recording.
    std::string Statustext() const;

    // Begins a recording of opcode 0 to 28 (the editor's range). Throws a
    // Fehler for another opcode or flag value, for an opcode the file would
    // not save (N or above), or while one runs.
    void Starte(int befehl, std::optional<int> flag = std::nullopt);
    // The control word that the present settings give.
    std::string AktuellesWort() const;
    // Records the next step and returns its word; the eleventh is refused.
    std::string SchrittAufnehmen();
    // Whether ending must ask for a mnemonic: the opcode has none.
    bool MnemonicFehlt() const;
    // MPCClear in the last step, the steps into the table as steps 0, 1, ...
    // and the rest cleared, the mnemonic if one is given; then the machine
    // takes the table, and it is saved like the editor's OK. A failure to
    // save is thrown after the machine has the new microcode. A mnemonic
    // that another opcode has is refused, and the recording goes on.
    void Beenden(const std::optional<std::string>& mnemonic = std::nullopt);
    void Verwerfen();
    // "Mikroschritt zurück" while recording: first undoes the actions since
    // the last recorded step; with none, takes back that step with the
    // actions that made it. Units of one microstep, as the name says.
    // False when there was nothing to take back.
    bool Zurueck();

private:
    // Where a step was recorded: the history's length and the PC's right
    // clicks at that moment.
    struct Marke {
        std::size_t aktionen = 0;
        std::uint32_t pcRechtsklicks = 0;
    };
    const Marke& LetzteMarke() const { return schritte_.empty() ? start_ : schritte_.back(); }
    Marke JetzigeMarke() const;
    void UndoBis(std::size_t aktionen);
    void MnemonicFrei(const std::string& mnemonic) const;

    TMaschine& maschine_;
    bool laeuft_ = false;
    int befehl_ = 0;
    std::optional<int> flag_;
    Marke start_;
    std::vector<Marke> schritte_;
    std::vector<std::string> worte_;
};

}  // namespace ventaro
