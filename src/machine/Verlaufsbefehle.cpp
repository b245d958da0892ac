// Recording the user's actions and undoing them.
#include "machine/Maschine.h"

namespace ventaro {

template <typename Aktion>
void TMaschine::Aufzeichnen(bool mikroschritt, Aktion aktion, bool alleStatistikzeilen) {
    if (!verlaufAn_ || zeichnetAuf_) return aktion();
    verlauf_.Beginne(zustand_, mikroschritt, alleStatistikzeilen);
    zeichnetAuf_ = true;
    datenpfad_.ZellenMelden(&verlauf_);
    try {
        aktion();
    } catch (...) {
        // A failed step stays recorded: undoing it restores the state before.
        zeichnetAuf_ = false;
        datenpfad_.ZellenMelden(nullptr);
        throw;
    }
    zeichnetAuf_ = false;
    datenpfad_.ZellenMelden(nullptr);
}

void TMaschine::Mikroschritt() {
    // A step that a running step's event processing lets through does nothing.
    if (sequenzer_.SchrittLaeuft()) return;
    Aufzeichnen(true, [this] { sequenzer_.Mikroschritt(); });
}

void TMaschine::Reset() {
    Aufzeichnen(false, [this] { sequenzer_.Reset(); }, true);
}

void TMaschine::TorUmschalten(Tor t) {
    Aufzeichnen(false, [this, t] {
        const bool offen = !zustand_.TorOffen(t);
        zustand_.SetzeTorZustand(t, offen);
        // An open cell edit is committed and checked before Read takes the cell.
        if (t == Tor::Read) AllePruefen();
        datenpfad_.SetzeTor(t, offen);
        datenpfad_.Aktualisiere();
    });
}

void TMaschine::LadenUmschalten(Register r) {
    Aufzeichnen(false, [this, r] {
        zustand_.Reg(r).SetLaden(!zustand_.Reg(r).Laden());
        datenpfad_.Aktualisiere();
    });
}

void TMaschine::PCErhoehen() {
    Aufzeichnen(false, [this] {
        TSpeicherCP1& pc = zustand_.Reg(Register::PC);
        pc.SetRegisterInhalt(static_cast<Wort>(pc.RegisterInhalt() + 1));
        ++zustand_.PCRechtsklicks;
        datenpfad_.Aktualisiere();
    });
}

void TMaschine::AluWaehlen(int operation) {
    Aufzeichnen(false, [this, operation] {
        zustand_.AluAuswahl = operation;
        datenpfad_.Aktualisiere();
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
    if (verlauf_.Zuruecknehmen(zustand_)) datei_.RamEditiert = true;
    // A state kept while the clock or a run disabled the controls comes back
    // as after "Stopp": nothing runs while a step is taken back.
    if (!zustand_.Aktiv.Werkzeugleiste && !takt_.laeuft) KnoepfeFuerTakt(false);
    datenpfad_.AnzeigeErneuern();
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
