// The microstep sequencer: control words, signals, the MPC, Reset, start-up.
#include "core/Fehler.h"
#include "core/Maschine.h"

#include <optional>

namespace ventaro {
namespace {

// Marks a step as running for as long as it runs, also when it fails.
class Merker {
public:
    explicit Merker(bool& wert) : wert_(wert) { wert_ = true; }
    ~Merker() { wert_ = false; }
    Merker(const Merker&) = delete;
    Merker& operator=(const Merker&) = delete;

private:
    bool& wert_;
};

class Tiefe {
public:
    explicit Tiefe(int& tiefe) : tiefe_(tiefe) { ++tiefe_; }
    ~Tiefe() { --tiefe_; }
    Tiefe(const Tiefe&) = delete;
    Tiefe& operator=(const Tiefe&) = delete;

private:
    int& tiefe_;
};

int AluZiffer(char c) {
    if (c < '0' || c > '9') throw Fehler(meldung::KeinIntegerwert(std::string(1, c)));
    return c - '0';
}

// The gate or register a signal drives: 1, 2, 5, 7, 10, 13, 14 are gates;
// 3, 6, 8, 9, 18 latches.
std::optional<Tor> TorDesSignals(int k) {
    switch (k) {
        case 1: return Tor::ET;
        case 2: return Tor::AT;
        case 5: return Tor::PT;
        case 7: return Tor::IT;
        case 10: return Tor::ErgT;
        case 13: return Tor::Read;
        case 14: return Tor::Write;
        default: return std::nullopt;
    }
}

std::optional<Register> RegisterDesSignals(int k) {
    switch (k) {
        case 3: return Register::PC;
        case 6: return Register::IR;
        case 8: return Register::Akku;
        case 9: return Register::Erg;
        case 18: return Register::Anz;
        default: return std::nullopt;
    }
}

constexpr int kSignalfolge[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15, 16, 17, 18};

}  // namespace

void TMaschine::EinzelschrittBtnClick() {
    // A tick or click let through by the step's own event processing starts
    // no second step.
    if (schrittLaeuft_) return;
    Merker laeuft(schrittLaeuft_);
    ++mikroschritte_;
    sprungAufNull_ = false;
    mpcAnzeige_ = MPC;
    MikroschrittAusfuehren();
    ++MPC;
}

void TMaschine::MikroschrittAusfuehren() {
    // The whole step works on this copy, even when the MPC or the table change.
    const Steuerwort w = Mikrocode.Wort(MPC, Flag);
    mikroCodeAnzeige_ = w;
    // Converted one after the other, so a failure names the first bad character.
    const int d15 = AluZiffer(w.Signal(15));
    const int d16 = AluZiffer(w.Signal(16));
    const int d17 = AluZiffer(w.Signal(17));
    const int wert = d15 + 2 * d16 + 4 * d17 - 1;
    AluAuswahl = wert > 6 ? KeineAluOperation : wert;
    Aktualisiere();
    for (int k : kSignalfolge) SignalAnwenden(k, w.Signal(k));
    SignalAnwenden(11, w.Signal(11));
    SignalAnwenden(12, w.Signal(12));
}

void TMaschine::TorAktion(Tor t, char c) {
    Aktualisiere();
    if ((c == '1' && !TorOffen(t)) || (c == '0' && TorOffen(t))) {
        const bool offen = c == '1';
        SetzeTorZustand(t, offen);
        SetzeTor(t, offen);
        Aktualisiere();
    }
}

void TMaschine::LatchAktion(Register r, char c) {
    Aktualisiere();
    TSpeicherCP1& reg = Reg(r);
    if ((c == '1' && !reg.Laden()) || (c == '0' && reg.Laden())) {
        reg.SetLaden(c == '1');
        Aktualisiere();
    }
}

void TMaschine::SignalAnwenden(int k, char c) {
    if (const auto tor = TorDesSignals(k)) return TorAktion(*tor, c);
    if (const auto reg = RegisterDesSignals(k)) return LatchAktion(*reg, c);
    switch (k) {
        case 4:
            Aktualisiere();
            if (c == '1') {
                TSpeicherCP1& pc = Reg(Register::PC);
                pc.SetRegisterInhalt(static_cast<Wort>(pc.RegisterInhalt() + 1));
                Aktualisiere();
            }
            return;
        case 11:
            umgebung_->EreignisseVerarbeiten();
            Aktualisiere();
            if (c == '1') {
                SetzeMPC(0);
                // Pressed only: the next passes make the two gates act.
                SetzeTorZustand(Tor::PT, true);
                SetzeTorZustand(Tor::Read, true);
            }
            umgebung_->EreignisseVerarbeiten();
            Aktualisiere();
            return;
        case 12:
            umgebung_->EreignisseVerarbeiten();
            Aktualisiere();
            if (c != '1') return;
            // Opcode words that jump to themselves would nest without end.
            if (sprungtiefe_ >= MaxSprungtiefe) throw Fehler(meldung::ZuVieleSpruenge());
            SetzeMPC(static_cast<Wort>(HighByte(ExternerBus) * 10));
            if (MPC == 0) sprungAufNull_ = true;
            umgebung_->EreignisseVerarbeiten();
            Aktualisiere();
            {
                Tiefe tiefe(sprungtiefe_);
                MikroschrittAusfuehren();
            }
            Aktualisiere();
            return;
        default:
            return;  // the ALU bits act at the start of the step
    }
}

void TMaschine::SetzeMPC(Wort wert) {
    MPC = wert;
    mpcAnzeige_ = wert;
    mikroCodeAnzeige_ = Mikrocode.Wort(MPC, Flag);
}

void TMaschine::ResetBtnClick() {
    tore_ = 0;
    for (TSpeicherCP1& reg : register_) {
        reg.SetLaden(false);
        reg.SetRegisterInhalt(0);
    }
    Flag = 0;
    AluAuswahl = KeineAluOperation;
    Aktualisiere();
    umgebung_->EreignisseVerarbeiten();
    umgebung_->Warte(300);
    SetzeMPC(0);
    MikroschrittAusfuehren();
    ++MPC;
    Aktualisiere();
}

void TMaschine::MikrocodeEinlesen() {
    Tabelle.AllesLaden();
    MikrocodeKopieren();
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
    umgebung_->EreignisseVerarbeiten();
    umgebung_->Warte(2000);
    SetzeMPC(0);
    MikroschrittAusfuehren();
    ++MPC;
    Aktualisiere();
}

}  // namespace ventaro
