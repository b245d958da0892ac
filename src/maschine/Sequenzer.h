#pragma once
// The microstep sequencer: takes the control word at the MPC, sets the ALU
// operation, applies the eighteen signals in their fixed order and advances
// the MPC; Reset.

#include <cstdint>
#include <utility>

#include "maschine/Datenpfad.h"
#include "maschine/Umgebung.h"
#include "microcode/Arbeitskopie.h"

namespace ventaro {

class TSequenzer : public TDatenpfad {
public:
    static constexpr int MaxSprungtiefe = 16;

    TSequenzer(Umgebung* umgebung, const TMikrocodeTabelle& tabelle, const TArbeitskopie& mikrocode);

    void EinzelschrittBtnClick();
    void MikroschrittAusfuehren();
    void SignalAnwenden(int k, char c);
    void SetzeMPC(Wort wert);
    void ResetBtnClick();

    // Microsteps run by the "Mikroschritt" handler since start, failed ones too.
    std::uint64_t Mikroschritte() const { return Schritte; }
    // The last handler's step (or a jump nested in it) loaded entry 0.
    bool SprungAufNull() const { return sprungAufNull_; }
    bool SchrittLaeuft() const { return schrittLaeuft_; }
    // Replaces the surroundings, e.g. while a run must not let events in
    // between its microsteps; returns the former ones.
    Umgebung* TauscheUmgebung(Umgebung* neu) { return std::exchange(umgebung_, neu); }

protected:
    // The first microstep after start-up or Reset, with the MPC at 0.
    void ErsterSchritt();
    Umgebung& Umwelt() { return *umgebung_; }

private:
    void TorAktion(Tor t, char c);
    void LatchAktion(Register r, char c);
    void PCErhoehen(char c);
    void MPCLoeschen(char c);
    void MPCLaden(char c);
    // Lets the surroundings handle their queued events.
    void Ereignisse();
    // Tells a recording history the opcode's row before the step changes it.
    void StatistikzeileMerken(int op);

    Umgebung* umgebung_;
    const TArbeitskopie& mikrocode_;
    bool sprungAufNull_ = false;
    bool schrittLaeuft_ = false;
    int sprungtiefe_ = 0;
};

}  // namespace ventaro
