#include "machine/Maschine.h"

#include "core/Fehler.h"
#include "machine/Aufzeichnung.h"

namespace ventaro {

TMaschine::TMaschine(Umgebung* umgebung)
    : sequenzer_(tabelle_.Mnemonics, mikrocode_, umgebung),
      aufzeichnung_(std::make_unique<TAufzeichnung>(*this)) {}

TMaschine::~TMaschine() = default;

// ---- Start-up.

void TMaschine::MikrocodeEinlesen() {
    tabelle_.AllesLaden();
    MikrocodeKopieren();
}

void TMaschine::MikrocodeKopieren() {
    mikrocode_.MikrocodeKopieren(tabelle_);
    VerlaufBeenden();
}

void TMaschine::Startvorgang() {
    datei_.RamEditiert = false;
    zustand_.Flag = 0;
    MikrocodeEinlesen();
    zustand_.InternerBus = 0;
    zustand_.ExternerBus = 0;
    zustand_.RamAdresse = 127;
    datei_.RamDateiname = "neu";
    zustand_.AluAuswahl = KeineAluOperation;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) zustand_.Ram.SetzeText(a, "00.000");
    rasterGefuellt_ = true;
    sequenzer_.Umwelt().EreignisseVerarbeiten();
    sequenzer_.Umwelt().Warte(2000);
    sequenzer_.ErsterSchritt();
}

// ---- The clock.

void TMaschine::KnoepfeFuerTakt(bool laeuft) {
    takt_.laeuft = laeuft;
    DauerlaufSchalter(laeuft);
}

void TMaschine::DauerlaufSchalter(bool laeuft) {
    Knoepfe& aktiv = zustand_.Aktiv;
    aktiv.Werkzeugleiste = aktiv.Mikroschritt = aktiv.Reset = aktiv.Start = !laeuft;
}

void TMaschine::TaktStarten() { KnoepfeFuerTakt(true); }
void TMaschine::TaktAnhalten() { KnoepfeFuerTakt(false); }

void TMaschine::TaktrateSetzen(int position) {
    takt_.position = position < 1 ? 1 : position > 20 ? 20 : position;
}

}  // namespace ventaro
