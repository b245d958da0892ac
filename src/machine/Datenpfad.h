#pragma once
// The datapath: the update pass that applies the open gates to the buses and
// the RAM address, presents every register its input and runs the ALU; the
// gate setters; SetzeAdresse; the gate-conflict check. It holds the state
// value it works on, so that the update pass finds every field at a fixed
// place.

#include <array>
#include <cstdint>
#include <string>

#include "machine/Maschinenzustand.h"
#include "machine/Verlauf.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro {

class TDatenpfad {
public:
    // The mnemonics decode the cell that becomes current.
    explicit TDatenpfad(const std::array<std::string, TMikrocodeTabelle::MaxBefehle>& mnemonics)
        : mnemonics_(mnemonics) {}
    TDatenpfad(const TDatenpfad&) = delete;
    TDatenpfad& operator=(const TDatenpfad&) = delete;

    // The full update pass, whatever changed before.
    void Aktualisiere();
    void SetzeRead(bool offen);
    void SetzeET(bool offen);
    void SetzeAT(bool offen);
    void SetzePT(bool offen);
    void SetzeIT(bool offen);
    void SetzeErgT(bool offen);
    void SetzeWrite(bool offen);
    void SetzeTor(Tor t, bool offen);
    // Inline: every pass with PT or IT open runs it, and the row rarely
    // moves; a call per pass costs a WebAssembly machine dearly.
    void SetzeAdresse(Wort adresse) {
        z_.RamAdresse = adresse;
        if (adresse + 1 != z_.Ram.AktuelleZeile()) ZeileWechseln(adresse);
    }
    void PruefeTore();

    TMaschinenzustand& Zustand() { return z_; }
    const TMaschinenzustand& Zustand() const { return z_; }

    // Counts the update passes begun, so a view knows when the pass has
    // rewritten the display field the user may have typed into.
    std::uint64_t Durchlaeufe() const { return durchlaeufe_; }

    // While an action is recorded, Write tells the history each cell's text
    // before it replaces it.
    void ZellenMelden(TVerlauf* verlauf) { zellenAn_ = verlauf; }
    TVerlauf* Aufzeichnung() const { return zellenAn_; }
    // Makes a view redraw the display as after a pass (after undoing).
    void AnzeigeErneuern() { ++durchlaeufe_; }
    // The sequencer's pass. After a pass that left the machine as a further
    // pass would leave it, passes are skipped until something they read
    // changes; the sequencer says so through Veraendert().
    void AktualisiereImSchritt() {
        if (ruhig_) ++durchlaeufe_;
        else Aktualisiere();
    }
    void Veraendert() { ruhig_ = false; }
    // Shows the cell at the address in status panel 1 as mnemonic and
    // operand; an incorrect cell leaves the panel as it is.
    void ZelleDekodieren(int adresse);

private:
    // True when a second pass right after it would change nothing.
    bool Durchlauf();
    void RechneAlu();
    // The address names another row: it becomes current, decoded in status
    // panel 1; an address beyond the RAM fails like the grid does.
    void ZeileWechseln(Wort adresse);

    TMaschinenzustand z_;
    const std::array<std::string, TMikrocodeTabelle::MaxBefehle>& mnemonics_;
    std::uint64_t durchlaeufe_ = 0;
    TVerlauf* zellenAn_ = nullptr;
    bool ruhig_ = false;  // a pass now would change nothing
};

}  // namespace ventaro
