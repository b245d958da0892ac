#pragma once
// The microstep sequencer: takes the control word at the MPC, sets the ALU
// operation, applies the eighteen signals in their fixed order and advances
// the MPC; Reset. It holds the datapath it drives (which holds the state),
// so that a microstep reaches both at fixed places.

#include <cstdint>
#include <utility>

#include "machine/Datenpfad.h"
#include "machine/Umgebung.h"
#include "microcode/Arbeitskopie.h"

namespace ventaro {

class TSequenzer {
public:
    static constexpr int MaxSprungtiefe = 16;

    TSequenzer(const std::array<std::string, TMikrocodeTabelle::MaxBefehle>& mnemonics,
               const TArbeitskopie& mikrocode, Umgebung* umgebung);
    TSequenzer(const TSequenzer&) = delete;
    TSequenzer& operator=(const TSequenzer&) = delete;

    // One microstep as "Mikroschritt" runs it: counted, with the statistics.
    void Mikroschritt();
    void MikroschrittAusfuehren();
    // Inlined into the step's loop, with the gate and latch actions: a call
    // per signal costs a WebAssembly machine a tenth of its speed.
    [[gnu::always_inline]] inline void SignalAnwenden(int k, char c);
    void SetzeMPC(Wort wert);
    void Reset();

    // Microsteps run by "Mikroschritt" since start, failed ones too.
    std::uint64_t Mikroschritte() const { return pfad_.Zustand().Schritte; }
    TDatenpfad& Datenpfad() { return pfad_; }
    const TDatenpfad& Datenpfad() const { return pfad_; }
    // The last handler's step (or a jump nested in it) loaded entry 0.
    bool SprungAufNull() const { return sprungAufNull_; }
    bool SchrittLaeuft() const { return schrittLaeuft_; }
    // Replaces the surroundings, e.g. while a run must not let events in
    // between its microsteps; returns the former ones.
    Umgebung* TauscheUmgebung(Umgebung* neu) { return std::exchange(umgebung_, neu); }

    // The first microstep after start-up or Reset, with the MPC at 0.
    void ErsterSchritt();
    Umgebung& Umwelt() { return *umgebung_; }

private:
    [[gnu::always_inline]] inline void TorAktion(Tor t, char c);
    [[gnu::always_inline]] inline void LatchAktion(Register r, char c);
    void PCErhoehen(char c);
    void MPCLoeschen(char c);
    void MPCLaden(char c);
    // Lets the surroundings handle their queued events.
    void Ereignisse();
    // Tells a recording history the opcode's row before the step changes it.
    void StatistikzeileMerken(int op);

    TMaschinenzustand& Z() { return pfad_.Zustand(); }

    TDatenpfad pfad_;
    Umgebung* umgebung_;
    const TArbeitskopie& mikrocode_;
    bool sprungAufNull_ = false;
    bool schrittLaeuft_ = false;
    int sprungtiefe_ = 0;
};

}  // namespace ventaro
