// The update pass, the gate setters, SetzeAdresse and the gate-conflict check.
#include "maschine/Datenpfad.h"

#include "core/Fehler.h"

namespace ventaro {

namespace {

// Sets a value and tells whether it differed.
bool Setze(Wort& ziel, Wort wert) {
    const bool anders = ziel != wert;
    ziel = wert;
    return anders;
}

}  // namespace

void TDatenpfad::Aktualisiere() {
    ++durchlaeufe_;
    ruhig_ = false;  // stays so when the pass fails
    ruhig_ = !Durchlauf();
}

bool TDatenpfad::Durchlauf() {
    TSpeicherCP1& akku = Reg(Register::Akku);
    bool g = false;
    // The Read gate reads the current row, unchecked, before any address moves.
    if (TorOffen(Tor::Read)) g |= Setze(ExternerBus, Ram.WortVon(Ram.AktuelleZeile() - 1));
    if (TorOffen(Tor::ET)) g |= Setze(InternerBus, ExternerBus);
    if (TorOffen(Tor::AT)) g |= Setze(ExternerBus, akku.Ausgang());
    g |= akku.SetEingangGeaendert(InternerBus);
    if (TorOffen(Tor::IT)) g |= SetzeAdresseGeaendert(Reg(Register::IR).Ausgang());
    if (TorOffen(Tor::PT)) g |= SetzeAdresseGeaendert(Reg(Register::PC).Ausgang());
    g |= Reg(Register::Anz).SetEingangGeaendert(ExternerBus);
    g |= Setze(AluA, LowByte(akku.Ausgang()));
    g |= Setze(AluB, LowByte(InternerBus));
    g |= RechneAlu();
    g |= Setze(Anzeige.alu, AluErgebnis);
    g |= Setze(Anzeige.flag, Flag);
    g |= Reg(Register::Erg).SetEingangGeaendert(AluErgebnis);
    g |= Reg(Register::PC).SetEingangGeaendert(LowByte(ExternerBus));
    g |= Reg(Register::IR).SetEingangGeaendert(LowByte(ExternerBus));
    g |= Setze(Anzeige.display, Reg(Register::Anz).Ausgang());
    const Statusart vorher = Anzeige.statusart;
    PruefeTore();
    return g || Anzeige.statusart != vorher;
}

bool TDatenpfad::RechneAlu() {
    switch (AluAuswahl) {
        case 0: return Setze(AluErgebnis, static_cast<Wort>((AluA + AluB) % 256));
        case 1: return Setze(AluErgebnis, static_cast<Wort>(AluA - AluB));  // a negative difference stays a word
        case 2: return Setze(Flag, AluA == AluB ? 1 : 0);
        case 3: return Setze(Flag, AluA > AluB ? 1 : 0);
        case 4: return Setze(Flag, AluA < AluB ? 1 : 0);
        case 5: return Setze(AluErgebnis, static_cast<Wort>(AluA & AluB));
        case 6: return Setze(AluErgebnis, (AluA & 1) == 0 ? 1 : 0);
        default: return Setze(AluErgebnis, 0);
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

void TDatenpfad::SetzeAdresse(Wort adresse) { SetzeAdresseGeaendert(adresse); }

bool TDatenpfad::SetzeAdresseGeaendert(Wort adresse) {
    const bool anders = Setze(RamAdresse, adresse);
    if (adresse + 1 == Ram.AktuelleZeile()) return anders;  // the common case in every pass
    if (adresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
    ZelleDekodieren(adresse);
    Ram.SetzeAktuelleZeile(adresse + 1);
    return true;
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
