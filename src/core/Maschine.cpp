#include "core/Maschine.h"

#include "core/Fehler.h"

namespace ventaro {
namespace {
Umgebung& StilleUmgebung() {
    static Umgebung stille;
    return stille;
}
}  // namespace

TMaschine::TMaschine(Umgebung* umgebung) : umgebung_(umgebung ? umgebung : &StilleUmgebung()) {
    for (int r = 0; r < RegisterAnzahl; ++r) register_[r].SetRegisterName(std::string(RegisterNamen[r]));
}

void TMaschine::SetzeUmgebung(Umgebung* umgebung) { umgebung_ = umgebung ? umgebung : &StilleUmgebung(); }

std::string TMaschine::MikroCodeEditText() const {
    return mikroCodeAnzeige_ ? std::string(mikroCodeAnzeige_->Text()) : std::string("Mikroschrittcode");
}

std::string TMaschine::Status1() const {
    switch (statusart_) {
        case Statusart::Warnung: return meldung::ZuVieleToreGeoeffnet();
        case Statusart::Text: return statustext_;
        case Statusart::Leer: break;
    }
    return {};
}

// ---- Manual operation: each click ends with an update pass.

void TMaschine::TorKlick(Tor t) {
    const bool offen = !TorOffen(t);
    SetzeTorZustand(t, offen);
    // An open cell edit is committed and checked before Read takes the cell.
    if (t == Tor::Read) RAMGridExit();
    SetzeTor(t, offen);
    Aktualisiere();
}

void TMaschine::RegisterKlick(Register r) {
    Reg(r).SetLaden(!Reg(r).Laden());
    Aktualisiere();
}

void TMaschine::PCRechtsklick() {
    TSpeicherCP1& pc = Reg(Register::PC);
    pc.SetRegisterInhalt(static_cast<Wort>(pc.RegisterInhalt() + 1));
    Aktualisiere();
}

void TMaschine::ALUBoxClick(int index) {
    AluAuswahl = index;
    Aktualisiere();
}

// ---- The clock.

void TMaschine::StartBtnClick() {
    takt_.laeuft = true;
    knoepfe_.Werkzeugleiste = knoepfe_.Mikroschritt = knoepfe_.Reset = knoepfe_.Start = false;
}

void TMaschine::StopBtnClick() {
    takt_.laeuft = false;
    knoepfe_.Werkzeugleiste = knoepfe_.Mikroschritt = knoepfe_.Reset = knoepfe_.Start = true;
}

void TMaschine::TaktrateChange(int position) {
    takt_.position = position < 1 ? 1 : position > 20 ? 20 : position;
}

}  // namespace ventaro
