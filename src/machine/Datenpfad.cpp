// The update pass, the gate setters, SetzeAdresse and the gate-conflict check.
#include "machine/Datenpfad.h"

#include "core/Fehler.h"

namespace ventaro {

void TDatenpfad::Aktualisiere() {
    ++durchlaeufe_;
    ruhig_ = false;  // stays so when the pass fails
    ruhig_ = Durchlauf();
}

bool TDatenpfad::Durchlauf() {
    TSpeicherCP1& akku = z_.Reg(Register::Akku);
    const TSpeicherCP1& ir = z_.Reg(Register::IR);
    const TSpeicherCP1& pc = z_.Reg(Register::PC);
    const int zeile = z_.Ram.AktuelleZeile();
    // The Read gate reads the current row, unchecked, before any address moves.
    if (z_.TorOffen(Tor::Read)) z_.ExternerBus = z_.Ram.WortVon(zeile - 1);
    const Wort eingelesen = z_.ExternerBus;
    if (z_.TorOffen(Tor::ET)) z_.InternerBus = z_.ExternerBus;
    const Wort akkuAus = akku.Ausgang();
    if (z_.TorOffen(Tor::AT)) z_.ExternerBus = akkuAus;
    akku.SetEingang(z_.InternerBus);
    const Wort irAus = ir.Ausgang(), pcAus = pc.Ausgang();
    if (z_.TorOffen(Tor::IT)) SetzeAdresse(irAus);
    if (z_.TorOffen(Tor::PT)) SetzeAdresse(pcAus);
    z_.Reg(Register::Anz).SetEingang(z_.ExternerBus);
    z_.AluA = LowByte(akku.Ausgang());
    z_.AluB = LowByte(z_.InternerBus);
    RechneAlu();
    z_.Anzeige.alu = z_.AluErgebnis;
    z_.Anzeige.flag = z_.Flag;
    z_.Reg(Register::Erg).SetEingang(z_.AluErgebnis);
    z_.Reg(Register::PC).SetEingang(LowByte(z_.ExternerBus));
    z_.Reg(Register::IR).SetEingang(LowByte(z_.ExternerBus));
    z_.Anzeige.display = z_.Reg(Register::Anz).Ausgang();
    PruefeTore();
    // Everything else the pass reads it writes first. So the next pass would
    // change nothing unless a value read here was changed later in this pass:
    // the row, the external bus behind ET, or an output behind AT, IT or PT.
    return z_.Ram.AktuelleZeile() == zeile && (!z_.TorOffen(Tor::ET) || z_.ExternerBus == eingelesen) &&
           (!z_.TorOffen(Tor::AT) || akku.Ausgang() == akkuAus) && (!z_.TorOffen(Tor::IT) || ir.Ausgang() == irAus) &&
           (!z_.TorOffen(Tor::PT) || pc.Ausgang() == pcAus);
}

void TDatenpfad::RechneAlu() {
    switch (z_.AluAuswahl) {
        case 0: z_.AluErgebnis = static_cast<Wort>((z_.AluA + z_.AluB) % 256); break;
        case 1: z_.AluErgebnis = static_cast<Wort>(z_.AluA - z_.AluB); break;  // a negative difference stays a word
        case 2: z_.Flag = z_.AluA == z_.AluB ? 1 : 0; break;
        case 3: z_.Flag = z_.AluA > z_.AluB ? 1 : 0; break;
        case 4: z_.Flag = z_.AluA < z_.AluB ? 1 : 0; break;
        case 5: z_.AluErgebnis = static_cast<Wort>(z_.AluA & z_.AluB); break;
        case 6: z_.AluErgebnis = (z_.AluA & 1) == 0 ? 1 : 0; break;
        default: z_.AluErgebnis = 0; break;
    }
}

void TDatenpfad::SetzeRead(bool offen) {
    const int adresse = z_.Ram.AktuelleZeile() - 1;
    if (!z_.Ram.Korrekt(adresse)) return;  // an incorrect cell: no bus change, no pass
    z_.ExternerBus = offen ? z_.Ram.WortVon(adresse) : 0;
    Aktualisiere();
}

void TDatenpfad::SetzeET(bool offen) {
    z_.InternerBus = offen ? z_.ExternerBus : 0;
    Aktualisiere();
}

void TDatenpfad::SetzeAT(bool offen) {
    z_.ExternerBus = offen ? z_.Reg(Register::Akku).Ausgang() : 0;
    Aktualisiere();
}

void TDatenpfad::SetzePT(bool offen) {
    if (!z_.TorOffen(Tor::IT)) SetzeAdresse(0);
    if (offen) SetzeAdresse(z_.Reg(Register::PC).Ausgang());
    Aktualisiere();
}

void TDatenpfad::SetzeIT(bool offen) {
    if (!z_.TorOffen(Tor::PT)) SetzeAdresse(0);
    if (offen) SetzeAdresse(z_.Reg(Register::IR).Ausgang());
    Aktualisiere();
}

void TDatenpfad::SetzeErgT(bool offen) {
    z_.InternerBus = offen ? z_.Reg(Register::Erg).Ausgang() : 0;
    Aktualisiere();
}

void TDatenpfad::SetzeWrite(bool offen) {
    if (offen) {
        // Only the 128 cells exist; a larger address fails like the grid does.
        if (z_.RamAdresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
        if (zellenAn_) zellenAn_->MerkeZelle(z_.RamAdresse, z_.Ram.Text(z_.RamAdresse));
        z_.Ram.SetzeText(z_.RamAdresse, WortZuZellText(z_.ExternerBus));
    }
    Aktualisiere();
}

void TDatenpfad::SetzeTor(Tor t, bool offen) {
    switch (t) {
        case Tor::ET: SetzeET(offen); break;
        case Tor::AT: SetzeAT(offen); break;
        case Tor::PT: SetzePT(offen); break;
        case Tor::IT: SetzeIT(offen); break;
        case Tor::ErgT: SetzeErgT(offen); break;
        case Tor::Read: SetzeRead(offen); break;
        case Tor::Write: SetzeWrite(offen); break;
    }
}

void TDatenpfad::ZeileWechseln(Wort adresse) {
    if (adresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
    ZelleDekodieren(adresse);
    z_.Ram.SetzeAktuelleZeile(adresse + 1);
}

void TDatenpfad::PruefeTore() {
    constexpr auto paar = [](Tor a, Tor b) { return static_cast<std::uint8_t>((1u << static_cast<int>(a)) | (1u << static_cast<int>(b))); };
    constexpr std::uint8_t konfliktpaare[] = {paar(Tor::ET, Tor::AT), paar(Tor::ErgT, Tor::ET), paar(Tor::PT, Tor::IT),
                                              paar(Tor::Read, Tor::Write), paar(Tor::Read, Tor::AT)};
    bool konflikt = false;
    for (std::uint8_t p : konfliktpaare) konflikt |= (z_.Tore & p) == p;
    z_.Anzeige.statusart = konflikt ? Statusart::Warnung : Statusart::Leer;
}

void TDatenpfad::ZelleDekodieren(int adresse) {
    if (!z_.Ram.Korrekt(adresse)) return;
    const std::string& text = z_.Ram.Text(adresse);
    const int befehl = (text[0] - '0') * 10 + (text[1] - '0');
    // Built in place: the update pass runs this whenever PT or IT moves the
    // row, and it must not allocate once the text has found its size.
    z_.Anzeige.statusart = Statusart::Text;
    z_.Anzeige.statustext.assign(" ").append(mnemonics_[befehl]).append(" ").append(text, 3, 3);
}

}  // namespace ventaro
