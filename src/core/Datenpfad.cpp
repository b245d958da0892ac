// The update pass, the gate setters, SetzeAdresse and the gate-conflict check.
#include "core/Fehler.h"
#include "core/Maschine.h"

namespace ventaro {

void TMaschine::Aktualisiere() {
    ++durchlaeufe_;
    TSpeicherCP1& akku = Reg(Register::Akku);
    // The Read gate reads the current row, unchecked, before any address moves.
    if (TorOffen(Tor::Read)) ExternerBus = Ram.WortVon(Ram.AktuelleZeile() - 1);
    if (TorOffen(Tor::ET)) InternerBus = ExternerBus;
    if (TorOffen(Tor::AT)) ExternerBus = akku.Ausgang();
    akku.SetEingang(InternerBus);
    if (TorOffen(Tor::IT)) SetzeAdresse(Reg(Register::IR).Ausgang());
    if (TorOffen(Tor::PT)) SetzeAdresse(Reg(Register::PC).Ausgang());
    Reg(Register::Anz).SetEingang(ExternerBus);
    AluA = LowByte(akku.Ausgang());
    AluB = LowByte(InternerBus);
    RechneAlu();
    aluAnzeige_ = AluErgebnis;
    flagAnzeige_ = Flag;
    Reg(Register::Erg).SetEingang(AluErgebnis);
    Reg(Register::PC).SetEingang(LowByte(ExternerBus));
    Reg(Register::IR).SetEingang(LowByte(ExternerBus));
    anzeigeWort_ = Reg(Register::Anz).Ausgang();
    PruefeTore();
}

void TMaschine::RechneAlu() {
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

void TMaschine::SetzeRead(bool offen) {
    const int adresse = Ram.AktuelleZeile() - 1;
    if (!Ram.Korrekt(adresse)) return;  // an incorrect cell: no bus change, no pass
    ExternerBus = offen ? Ram.WortVon(adresse) : 0;
    Aktualisiere();
}

void TMaschine::SetzeET(bool offen) {
    InternerBus = offen ? ExternerBus : 0;
    Aktualisiere();
}

void TMaschine::SetzeAT(bool offen) {
    ExternerBus = offen ? Reg(Register::Akku).Ausgang() : 0;
    Aktualisiere();
}

void TMaschine::SetzePT(bool offen) {
    if (!TorOffen(Tor::IT)) SetzeAdresse(0);
    if (offen) SetzeAdresse(Reg(Register::PC).Ausgang());
    Aktualisiere();
}

void TMaschine::SetzeIT(bool offen) {
    if (!TorOffen(Tor::PT)) SetzeAdresse(0);
    if (offen) SetzeAdresse(Reg(Register::IR).Ausgang());
    Aktualisiere();
}

void TMaschine::SetzeErgT(bool offen) {
    InternerBus = offen ? Reg(Register::Erg).Ausgang() : 0;
    Aktualisiere();
}

void TMaschine::SetzeWrite(bool offen) {
    if (offen) {
        // Only the 128 cells exist; a larger address fails like the grid does.
        if (RamAdresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
        Ram.SetzeText(RamAdresse, WortZuZellText(ExternerBus));
    }
    Aktualisiere();
}

void TMaschine::SetzeTor(Tor t, bool offen) {
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

void TMaschine::SetzeAdresse(Wort adresse) {
    RamAdresse = adresse;
    if (adresse + 1 == Ram.AktuelleZeile()) return;  // the common case in every pass
    if (adresse >= TRamSpeicher::Zellenzahl) throw Fehler(meldung::GitterindexAusserhalb());
    RAMGridSelectCell(1, adresse + 1);
    Ram.SetzeAktuelleZeile(adresse + 1);
}

void TMaschine::PruefeTore() {
    constexpr auto paar = [](Tor a, Tor b) { return static_cast<std::uint8_t>((1u << static_cast<int>(a)) | (1u << static_cast<int>(b))); };
    constexpr std::uint8_t konfliktpaare[] = {paar(Tor::ET, Tor::AT), paar(Tor::ErgT, Tor::ET), paar(Tor::PT, Tor::IT),
                                              paar(Tor::Read, Tor::Write), paar(Tor::Read, Tor::AT)};
    bool konflikt = false;
    for (std::uint8_t p : konfliktpaare) konflikt |= (tore_ & p) == p;
    statusart_ = konflikt ? Statusart::Warnung : Statusart::Leer;
}

}  // namespace ventaro
