#include "maschine/Maschine.h"

#include "core/Fehler.h"

namespace ventaro {

std::string TMaschine::MikroCodeEditText() const {
    return Anzeige.mikroCode ? std::string(Anzeige.mikroCode->Text()) : std::string("Mikroschrittcode");
}

std::string TMaschine::Status1() const {
    switch (Anzeige.statusart) {
        case Statusart::Warnung: return meldung::ZuVieleToreGeoeffnet();
        case Statusart::Text: return Anzeige.statustext;
        case Statusart::Leer: break;
    }
    return {};
}

// ---- Start-up.

void TMaschine::MikrocodeEinlesen() {
    Tabelle.AllesLaden();
    MikrocodeKopieren();
}

void TMaschine::MikrocodeKopieren() {
    Mikrocode.MikrocodeKopieren(Tabelle);
    VerlaufBeenden();
}

void TMaschine::Startvorgang() {
    RamEditiert = false;
    Flag = 0;
    MikrocodeEinlesen();
    InternerBus = 0;
    ExternerBus = 0;
    RamAdresse = 127;
    RamDateiname = "neu";
    AluAuswahl = KeineAluOperation;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) Ram.SetzeText(a, "00.000");
    RasterGefuellt = true;
    Umwelt().EreignisseVerarbeiten();
    Umwelt().Warte(2000);
    ErsterSchritt();
}

// ---- The clock.

void TMaschine::KnoepfeFuerTakt(bool laeuft) {
    takt_.laeuft = laeuft;
    Aktiv.Werkzeugleiste = Aktiv.Mikroschritt = Aktiv.Reset = Aktiv.Start = !laeuft;
}

void TMaschine::StartBtnClick() { KnoepfeFuerTakt(true); }
void TMaschine::StopBtnClick() { KnoepfeFuerTakt(false); }

void TMaschine::TaktrateChange(int position) {
    takt_.position = position < 1 ? 1 : position > 20 ? 20 : position;
}

}  // namespace ventaro
