// Recording the user's actions and undoing them.
#include "maschine/Maschine.h"

namespace ventaro {

template <typename Aktion>
void TMaschine::Aufzeichnen(bool mikroschritt, Aktion aktion, bool alleStatistikzeilen) {
    if (!verlaufAn_ || zeichnetAuf_) return aktion();
    verlauf_.Beginne(*this, mikroschritt, alleStatistikzeilen);
    zeichnetAuf_ = true;
    ZellenMelden(&verlauf_);
    try {
        aktion();
    } catch (...) {
        // A failed step stays recorded: undoing it restores the state before.
        zeichnetAuf_ = false;
        ZellenMelden(nullptr);
        throw;
    }
    zeichnetAuf_ = false;
    ZellenMelden(nullptr);
}

void TMaschine::EinzelschrittBtnClick() {
    // A step that a running step's event processing lets through does nothing.
    if (SchrittLaeuft()) return;
    Aufzeichnen(true, [this] { TSequenzer::EinzelschrittBtnClick(); });
}

void TMaschine::ResetBtnClick() {
    Aufzeichnen(false, [this] { TSequenzer::ResetBtnClick(); }, true);
}

void TMaschine::TorKlick(Tor t) {
    Aufzeichnen(false, [this, t] {
        const bool offen = !TorOffen(t);
        SetzeTorZustand(t, offen);
        // An open cell edit is committed and checked before Read takes the cell.
        if (t == Tor::Read) RAMGridExit();
        SetzeTor(t, offen);
        Aktualisiere();
    });
}

void TMaschine::RegisterKlick(Register r) {
    Aufzeichnen(false, [this, r] {
        Reg(r).SetLaden(!Reg(r).Laden());
        Aktualisiere();
    });
}

void TMaschine::PCRechtsklick() {
    Aufzeichnen(false, [this] {
        TSpeicherCP1& pc = Reg(Register::PC);
        pc.SetRegisterInhalt(static_cast<Wort>(pc.RegisterInhalt() + 1));
        ++PCRechtsklicks;
        Aktualisiere();
    });
}

void TMaschine::ALUBoxClick(int index) {
    Aufzeichnen(false, [this, index] {
        AluAuswahl = index;
        Aktualisiere();
    });
}

void TMaschine::VerlaufAn(bool an) {
    verlaufAn_ = an;
    if (!an) verlauf_.Loeschen();
}

void TMaschine::VerlaufBeenden() {
    if (!zeichnetAuf_) verlauf_.Loeschen();
}

void TMaschine::Zuruecknehmen() {
    if (verlauf_.Zuruecknehmen(*this)) RamEditiert = true;
    // A state kept while the clock or a run disabled the controls comes back
    // as after "Stopp": nothing runs while a step is taken back.
    if (!Aktiv.Werkzeugleiste && !takt_.laeuft) KnoepfeFuerTakt(false);
    AnzeigeErneuern();
}

void TMaschine::MikroschrittZurueck() {
    if (Rueckgaengig() > 0) Zuruecknehmen();
}

void TMaschine::BefehlZurueck() {
    while (Rueckgaengig() > 0) {
        const bool beginnt = verlauf_.LetzteBeginntBefehl();
        Zuruecknehmen();
        if (beginnt) return;
    }
}

}  // namespace ventaro
