#include "machine/Aufzeichnung.h"

#include "core/Bauteile.h"
#include "core/Fehler.h"
#include "core/Wort.h"
#include "programtext/Befehlsnamen.h"
#include "programtext/Zeichenklassen.h"

namespace ventaro {
namespace {

constexpr int HoechsterBefehl = 28;  // the editor's range
constexpr std::size_t Schrittzahl = TMikrocodeTabelle::SchritteProBefehl;
const std::string Leerwort(SignalAnzahl, '0');

}  // namespace

std::string TAufzeichnung::Statustext() const {
    if (!laeuft_) return {};
    const std::string& mnemonic = maschine_.Tabelle().Mnemonics[befehl_];
    std::string text = "Aufzeichnung: Befehl " + ZahlZweistellig(static_cast<unsigned>(befehl_));
    if (!mnemonic.empty()) text += " (" + mnemonic + ")";
    return text + ", Schritt " + std::to_string(Schritt());
}

void TAufzeichnung::Starte(int befehl, std::optional<int> flag) {
    if (laeuft_) throw Fehler("Es l\xE4uft schon eine Aufzeichnung.");
    if (befehl < 0 || befehl > HoechsterBefehl)
        throw Fehler("Aufgezeichnet werden k\xF6nnen die Befehle 0 bis " + std::to_string(HoechsterBefehl));
    if (flag && *flag != 0 && *flag != 1) throw Fehler("Das Flag ist 0 oder 1");
    // The file keeps opcodes 0 to N-1 only: a recording beyond would be lost.
    const int n = maschine_.Tabelle().Befehlsanzahl();
    if (befehl >= n)
        throw Fehler("Die Mikrocode-Datei enth\xE4lt nur " + std::to_string(n) + " Befehle: Befehl " +
                     std::to_string(befehl) + " w\xFCrde nicht gespeichert");
    laeuft_ = true;
    befehl_ = befehl;
    flag_ = flag;
    schritte_.clear();
    worte_.clear();
    start_ = JetzigeMarke();
}

TAufzeichnung::Marke TAufzeichnung::JetzigeMarke() const {
    return {maschine_.Rueckgaengig(), maschine_.Zustand().PCRechtsklicks};
}

std::string TAufzeichnung::AktuellesWort() const {
    const TMaschinenzustand& z = maschine_.Zustand();
    const int alu = z.AluAuswahl + 1;  // 0: none, 1 to 7: ADD to NEG
    return SteuerwortAus([&](int k) {
        const Signal& s = SignalAn(k);
        switch (s.art) {
            case Signalart::Tor: return z.TorOffen(s.tor);
            case Signalart::Latch: return z.Reg(s.reg).Laden();
            case Signalart::PCI: return z.PCRechtsklicks != LetzteMarke().pcRechtsklicks;
            case Signalart::AluBit: return alu >= 0 && ((alu >> (s.position - 15)) & 1) != 0;
            // Jumps are not done by hand; ending sets MPCClear.
            case Signalart::MPCClear:
            case Signalart::MPCLoad: break;
        }
        return false;
    });
}

std::string TAufzeichnung::SchrittAufnehmen() {
    if (!laeuft_) throw Fehler("Es l\xE4uft keine Aufzeichnung.");
    if (schritte_.size() >= Schrittzahl)
        throw Fehler("Ein Befehl hat h\xF6" "chstens 10 Mikroschritte: Schritt 10 kann nicht aufgenommen werden");
    worte_.push_back(AktuellesWort());
    schritte_.push_back(JetzigeMarke());
    return worte_.back();
}

bool TAufzeichnung::MnemonicFehlt() const { return laeuft_ && maschine_.Tabelle().Mnemonics[befehl_].empty(); }

void TAufzeichnung::Beenden(const std::optional<std::string>& mnemonic) {
    if (!laeuft_) throw Fehler("Es l\xE4uft keine Aufzeichnung.");
    if (worte_.empty()) throw Fehler("Es ist noch kein Schritt aufgenommen");
    TMikrocodeTabelle& tabelle = maschine_.Tabelle();
    if (mnemonic) MnemonicFrei(*mnemonic);
    std::vector<std::string> worte = worte_;
    worte.back()[static_cast<std::size_t>(*SignalNachName("MPCClear") - 1)] = '1';
    for (int f = 0; f <= 1; ++f) {
        if (flag_ && *flag_ != f) continue;
        auto& satz = f == 0 ? tabelle.Steuerworte0 : tabelle.Steuerworte1;
        for (std::size_t s = 0; s < Schrittzahl; ++s)
            satz[Index(befehl_, static_cast<int>(s))] = s < worte.size() ? worte[s] : Leerwort;
    }
    if (mnemonic) tabelle.Mnemonics[befehl_] = *mnemonic;
    Verwerfen();
    // Like the editor's OK: the machine takes the table whatever saving does.
    maschine_.MikrocodeKopieren();
    tabelle.AllesSpeichern();
}

// A mnemonic another opcode has would make every program text that uses it
// ambiguous; the recording stays open for another name.
void TAufzeichnung::MnemonicFrei(const std::string& mnemonic) const {
    const std::string name = programmtext::OhneBlanks(mnemonic);
    for (int c : programmtext::TBefehlsnamen(maschine_.Tabelle()).Opcodes(name))
        if (c != befehl_)
            throw Fehler("Das Mnemonic \"" + name + "\" hat schon Befehl " + ZahlZweistellig(static_cast<unsigned>(c)) +
                         ".");
}

void TAufzeichnung::Verwerfen() {
    laeuft_ = false;
    schritte_.clear();
    worte_.clear();
}

void TAufzeichnung::UndoBis(std::size_t aktionen) {
    while (maschine_.Rueckgaengig() > aktionen) maschine_.MikroschrittZurueck();
}

bool TAufzeichnung::Zurueck() {
    if (!laeuft_) {
        if (maschine_.Rueckgaengig() == 0) return false;
        maschine_.MikroschrittZurueck();
        return true;
    }
    if (maschine_.Rueckgaengig() > LetzteMarke().aktionen) {
        UndoBis(LetzteMarke().aktionen);
        return true;
    }
    if (schritte_.empty()) return false;  // what came before the recording stays
    schritte_.pop_back();
    worte_.pop_back();
    UndoBis(LetzteMarke().aktionen);
    return true;
}

}  // namespace ventaro
