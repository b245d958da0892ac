// Breakpoints and the rule that stops the clock or a run at them; the
// statistics' names.
#include "machine/Maschine.h"

namespace ventaro {

void TMaschine::SetzeHaltepunkt(int adresse, bool an) {
    if (adresse >= 0 && adresse < TRamSpeicher::Zellenzahl) haltepunkte_.set(static_cast<std::size_t>(adresse), an);
}

bool TMaschine::Haltepunkt(int adresse) const {
    return adresse >= 0 && adresse < TRamSpeicher::Zellenzahl && haltepunkte_.test(static_cast<std::size_t>(adresse));
}

std::vector<int> TMaschine::Haltepunkte() const {
    std::vector<int> adressen;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a)
        if (Haltepunkt(a)) adressen.push_back(a);
    return adressen;
}

std::optional<Laufende> TMaschine::Haltegrund() {
    // A halt wins over a breakpoint on the halting cell.
    if (sequenzer_.SprungAufNull()) return Laufende::Halt;
    // MPC 1: the next step fetches the instruction at PC.
    if (zustand_.MPC != 1 || haltepunkte_.none()) return std::nullopt;
    const Wort pc = zustand_.Reg(Register::PC).RegisterInhalt();
    if (!Haltepunkt(pc)) return std::nullopt;
    zustand_.Anzeige.statusart = Statusart::Text;
    zustand_.Anzeige.statustext = "Haltepunkt bei Adresse " + ZahlDreistellig(pc);
    return Laufende::Haltepunkt;
}

std::string TMaschine::StatistikName(int op) const {
    if (op == TStatistik::OhneBefehl) return "ohne Befehl";
    return op < TMikrocodeTabelle::MaxBefehle ? tabelle_.Mnemonics[op] : std::string();
}

void TMaschine::TaktTick() {
    Mikroschritt();
    // The clock runs on over a halt, as it always did; a breakpoint stops it.
    if (Haltegrund() == Laufende::Haltepunkt) TaktAnhalten();
}

}  // namespace ventaro
