// The update pass, the gate setters, SetzeAdresse and the gate-conflict check.
#include "maschine/Datenpfad.h"

#include "core/Fehler.h"

namespace ventaro {

void TDatenpfad::Aktualisiere() {
    ++durchlaeufe_;
    ruhig_ = false;  // stays so when the pass fails
    ruhig_ = Durchlauf();
}

bool TDatenpfad::Durchlauf() {
    TSpeicherCP1& akku = Reg(Register::Akku);
    const TSpeicherCP1& ir = Reg(Register::IR);
    const TSpeicherCP1& pc = Reg(Register::PC);
    const int zeile = Ram.AktuelleZeile();
    // The Read gate reads the current row, unchecked, before any address moves.
    if (TorOffen(Tor::Read)) ExternerBus = Ram.WortVon(zeile - 1);
    const Wort eingelesen = ExternerBus;
    if (TorOffen(Tor::ET)) InternerBus = ExternerBus;
    const Wort akkuAus = akku.Ausgang();
    if (TorOffen(Tor::AT)) ExternerBus = akkuAus;
    akku.SetEingang(InternerBus);
    const Wort irAus = ir.Ausgang(), pcAus = pc.Ausgang();
    if (TorOffen(Tor::IT)) SetzeAdresse(irAus);
    if (TorOffen(Tor::PT)) SetzeAdresse(pcAus);
    Reg(Register::Anz).SetEingang(ExternerBus);
    AluA = LowByte(akku.Ausgang());
    AluB = LowByte(InternerBus);
    RechneAlu();
    Anzeige.alu = AluErgebnis;
    Anzeige.flag = Flag;
    Reg(Register::Erg).SetEingang(AluErgebnis);
    Reg(Register::PC).SetEingang(LowByte(ExternerBus));
    Reg(Register::IR).SetEingang(LowByte(ExternerBus));
    Anzeige.display = Reg(Register::Anz).Ausgang();
    PruefeTore();
    // Everything else the pass reads it writes first. So the next pass would
    // change nothing unless a value read here was changed later in this pass:
    // the row, the external bus behind ET, or an output behind AT, IT or PT.
    return Ram.AktuelleZeile() == zeile && (!TorOffen(Tor::ET) || ExternerBus == eingelesen) &&
           (!TorOffen(Tor::AT) || akku.Ausgang() == akkuAus) && (!TorOffen(Tor::IT) || ir.Ausgang() == irAus) &&
           (!TorOffen(Tor::PT) || pc.Ausgang() == pcAus);
}

void TDatenpfad::RechneAlu() {
    switch (AluAuswahl) {
        case 0: AluErgebnis = static_cast<Wort>((AluA + AluB) % 256); break;
        case 1: AluErgebnis = static_cast<Wort>(AluA - AluB); break;  // a negative difference stays a word
        case 2: Flag = AluA == AluB ? 1 : 0; break;
        case 3: Flag = AluA > AluB ? 1 : 0; break;
        case 4: Flag = AluA < AluB ? 1 : 0; break;
        case 5: AluErgebnis = static_cast<Wort>(AluA & AluB); break;
        case 6: AluErgebnis = (AluA & 1) == 0 ? 1 : 0; break;
        default: AluErgebnis = 0; break;
    }
}

void TDatenpfad::SetzeRead(bool offen) {
    const int adresse = Ram.AktuelleZeile() - 1;
    if (!Ram.Korrekt(adresse)) return;  // an incorrect cell: no bus change, no pass
    ExternerBus = offen ? Ram.WortVon(adresse) : 0;
    Aktualisiere();
}

void TDatenpfad::SetzeET(bool offen) {
    InternerBus = offen ? ExternerBus : 0;
    Aktualisiere();
}

void TDatenpfad::SetzeAT(bool offen) {
    ExternerBus = offen ? Reg(Register::Akku).Ausgang() : 0;
    Aktualisiere();
}

void TDatenpfad::SetzePT(bool offen) {
    if (!TorOffen(Tor::IT)) SetzeAdresse(0);
    if (offen) SetzeAdresse(Reg(Register::PC).Ausgang());
    Aktualisiere();
}

void TDatenpfad::SetzeIT(bool offen) {
    if (!TorOffen(Tor::PT)) SetzeAdresse(0);
    if (offen) SetzeAdresse(Reg(Register::IR).Ausgang());
    Aktualisiere();
}

void TDatenpfad::SetzeErgT(bool offen) {
    InternerBus = offen ? Reg(Register::Erg).Ausgang() : 0;
    Aktualisiere();
}

void TDatenpfad::SetzeWrite(bool offen) {
    if (offen) {
        // Only the 128 cells exist; a larger address fails like the grid does.
        if (RamAdresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
        if (zellenAn_) zellenAn_->MerkeZelle(RamAdresse, Ram.Text(RamAdresse));
        Ram.SetzeText(RamAdresse, WortZuZellText(ExternerBus));
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

void TDatenpfad::SetzeAdresse(Wort adresse) {
    RamAdresse = adresse;
    if (adresse + 1 == Ram.AktuelleZeile()) return;  // the common case in every pass
    if (adresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
    ZelleDekodieren(adresse);
    Ram.SetzeAktuelleZeile(adresse + 1);
}

void TDatenpfad::PruefeTore() {
    constexpr auto paar = [](Tor a, Tor b) { return static_cast<std::uint8_t>((1u << static_cast<int>(a)) | (1u << static_cast<int>(b))); };
    constexpr std::uint8_t konfliktpaare[] = {paar(Tor::ET, Tor::AT), paar(Tor::ErgT, Tor::ET), paar(Tor::PT, Tor::IT),
                                              paar(Tor::Read, Tor::Write), paar(Tor::Read, Tor::AT)};
    bool konflikt = false;
    for (std::uint8_t p : konfliktpaare) konflikt |= (Tore & p) == p;
    Anzeige.statusart = konflikt ? Statusart::Warnung : Statusart::Leer;
}

void TDatenpfad::ZelleDekodieren(int adresse) {
    if (!Ram.Korrekt(adresse)) return;
    const std::string& text = Ram.Text(adresse);
    const int befehl = (text[0] - '0') * 10 + (text[1] - '0');
    // Built in place: the update pass runs this whenever PT or IT moves the
    // row, and it must not allocate once the text has found its size.
    Anzeige.statusart = Statusart::Text;
    Anzeige.statustext.assign(" ").append(mnemonics_[befehl]).append(" ").append(text, 3, 3);
}

}  // namespace ventaro
