#include "machine/Sequenzer.h"

#include <utility>

#include "core/Fehler.h"

namespace ventaro {
namespace {

// Runs its action when the scope ends, also when a step fails.
template <typename Aktion>
class AmEnde {
public:
    explicit AmEnde(Aktion aktion) : aktion_(std::move(aktion)) {}
    ~AmEnde() { aktion_(); }
    AmEnde(const AmEnde&) = delete;
    AmEnde& operator=(const AmEnde&) = delete;

private:
    Aktion aktion_;
};

[[noreturn, gnu::noinline, gnu::cold]] void KeineAluZiffer(char c) {
    throw Fehler(meldung::KeinIntegerwert(std::string(1, c)));
}

// The failure lies out of line: compiled to WebAssembly, a call costs what a
// step's few comparisons cost, and this runs three times a step.
inline int AluZiffer(char c) {
    if (c < '0' || c > '9') KeineAluZiffer(c);
    return c - '0';
}

// Signals 1 to 10 and 13 to 18 act first, then MPCClear and MPCLoad.
constexpr int kSignalfolge[SignalAnzahl] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15, 16, 17, 18, 11, 12};

Umgebung& StilleUmgebung() {
    static Umgebung stille;
    return stille;
}

}  // namespace

TSequenzer::TSequenzer(const std::array<std::string, TMikrocodeTabelle::MaxBefehle>& mnemonics,
                       const TArbeitskopie& mikrocode, Umgebung* umgebung)
    : pfad_(mnemonics), umgebung_(umgebung ? umgebung : &StilleUmgebung()), mikrocode_(mikrocode) {}

void TSequenzer::Mikroschritt() {
    // A tick or click let through by the step's own event processing starts
    // no second step.
    if (schrittLaeuft_) return;
    schrittLaeuft_ = true;
    const AmEnde fertig([this] { schrittLaeuft_ = false; });
    ++Z().Schritte;
    sprungAufNull_ = false;
    if (Z().MPC == 1) Z().Statistik.BefehlBeginnt();
    {
        // A failed step has run too.
        const AmEnde gezaehlt([this] {
            StatistikzeileMerken(Z().Statistik.Stand.op);
            Z().Statistik.SchrittGezaehlt();
        });
        Z().Anzeige.mpc = Z().MPC;
        MikroschrittAusfuehren();
    }
    ++Z().MPC;
}

void TSequenzer::MikroschrittAusfuehren() {
    // The whole step works on this copy, even when the MPC or the table change.
    const Steuerwort w = mikrocode_.Wort(Z().MPC, Z().Flag);
    Z().Anzeige.mikroCode = w;
    // Converted one after the other, so a failure names the first bad character.
    const int d15 = AluZiffer(w.Signal(15));
    const int d16 = AluZiffer(w.Signal(16));
    const int d17 = AluZiffer(w.Signal(17));
    const int wert = d15 + 2 * d16 + 4 * d17 - 1;
    Z().AluAuswahl = wert > 6 ? KeineAluOperation : wert;
    pfad_.Veraendert();  // also whatever changed since the last step
    pfad_.AktualisiereImSchritt();
    for (int k : kSignalfolge) SignalAnwenden(k, w.Signal(k));
}

void TSequenzer::SignalAnwenden(int k, char c) {
    const Signal& signal = SignalAn(k);
    switch (signal.art) {
        case Signalart::Tor: return TorAktion(signal.tor, c);
        case Signalart::Latch: return LatchAktion(signal.reg, c);
        case Signalart::PCI: return PCErhoehen(c);
        case Signalart::MPCClear: return MPCLoeschen(c);
        case Signalart::MPCLoad: return MPCLaden(c);
        case Signalart::AluBit: return;  // the ALU bits act at the start of the step
    }
}

void TSequenzer::TorAktion(Tor t, char c) {
    pfad_.AktualisiereImSchritt();
    if ((c == '1' && !Z().TorOffen(t)) || (c == '0' && Z().TorOffen(t))) {
        const bool offen = c == '1';
        Z().SetzeTorZustand(t, offen);
        pfad_.Veraendert();
        pfad_.SetzeTor(t, offen);
        pfad_.AktualisiereImSchritt();
    }
}

void TSequenzer::LatchAktion(Register r, char c) {
    pfad_.AktualisiereImSchritt();
    TSpeicherCP1& reg = Z().Reg(r);
    if ((c == '1' && !reg.Laden()) || (c == '0' && reg.Laden())) {
        reg.SetLaden(c == '1');
        pfad_.Veraendert();
        pfad_.AktualisiereImSchritt();
    }
}

void TSequenzer::PCErhoehen(char c) {
    pfad_.AktualisiereImSchritt();
    if (c != '1') return;
    TSpeicherCP1& pc = Z().Reg(Register::PC);
    pc.SetRegisterInhalt(static_cast<Wort>(pc.RegisterInhalt() + 1));
    pfad_.Veraendert();
    pfad_.AktualisiereImSchritt();
}

void TSequenzer::MPCLoeschen(char c) {
    Ereignisse();
    pfad_.AktualisiereImSchritt();
    if (c == '1') {
        SetzeMPC(0);
        // Pressed only: the next passes make the two gates act.
        Z().SetzeTorZustand(Tor::PT, true);
        Z().SetzeTorZustand(Tor::Read, true);
        pfad_.Veraendert();
    }
    Ereignisse();
    pfad_.AktualisiereImSchritt();
}

void TSequenzer::MPCLaden(char c) {
    Ereignisse();
    pfad_.AktualisiereImSchritt();
    if (c != '1') return;
    // Opcode words that jump to themselves would nest without end.
    if (sprungtiefe_ >= MaxSprungtiefe) throw Fehler(meldung::ZuVieleSpruenge());
    const int op = HighByte(Z().ExternerBus);
    StatistikzeileMerken(op);
    Z().Statistik.OpGeladen(op);
    SetzeMPC(static_cast<Wort>(Index(op, 0)));
    if (Z().MPC == 0) sprungAufNull_ = true;
    Ereignisse();
    pfad_.AktualisiereImSchritt();
    {
        ++sprungtiefe_;
        const AmEnde zurueck([this] { --sprungtiefe_; });
        MikroschrittAusfuehren();
    }
    pfad_.AktualisiereImSchritt();
}

void TSequenzer::SetzeMPC(Wort wert) {
    Z().MPC = wert;
    Z().Anzeige.mpc = wert;
    Z().Anzeige.mikroCode = mikrocode_.Wort(Z().MPC, Z().Flag);
}

void TSequenzer::Ereignisse() {
    umgebung_->EreignisseVerarbeiten();
    pfad_.Veraendert();  // the handlers that ran may have changed anything
}

void TSequenzer::StatistikzeileMerken(int op) {
    if (op != TStatistik::OhneBefehl && pfad_.Aufzeichnung())
        pfad_.Aufzeichnung()->MerkeStatistikzeile(op, Z().Statistik.JeOp[op]);
}

void TSequenzer::Reset() {
    Z().Statistik = {};
    Z().Tore = 0;
    for (TSpeicherCP1& reg : Z().Registerzellen) {
        reg.SetLaden(false);
        reg.SetRegisterInhalt(0);
    }
    Z().Flag = 0;
    Z().AluAuswahl = KeineAluOperation;
    pfad_.Aktualisiere();
    umgebung_->EreignisseVerarbeiten();
    umgebung_->Warte(300);
    ErsterSchritt();
}

void TSequenzer::ErsterSchritt() {
    SetzeMPC(0);
    MikroschrittAusfuehren();
    ++Z().MPC;
    pfad_.Aktualisiere();
}

}  // namespace ventaro
