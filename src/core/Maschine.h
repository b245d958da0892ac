#pragma once
// The model computer as the main window drives it: machine values, gates,
// ALU selection, registers, RAM, microcode, the update pass, the sequencer,
// the RAM grid's handlers, the RAM file commands and the clock. It also holds
// every text the window shows, so the window only draws this state.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Bauteile.h"
#include "core/SpeicherCP1.h"
#include "core/Steuerwort.h"
#include "core/Umgebung.h"
#include "core/Wort.h"
#include "memory/RamDatei.h"
#include "memory/RamSpeicher.h"
#include "microcode/Arbeitskopie.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro {

// Enabled states of the controls that the clock and the cell check switch.
struct Knoepfe {
    bool Mikroschritt = true;
    bool Start = true;
    bool Reset = true;
    bool Werkzeugleiste = true;
};

// The clock's own state; the window runs its timer from it.
struct Taktzustand {
    bool laeuft = false;
    int position = 1;  // ticks per second, 1 to 20
    int Intervall() const { return 1000 / position; }
};

class TMaschine {
public:
    static constexpr int MaxSprungtiefe = 16;

    explicit TMaschine(Umgebung* umgebung = nullptr);
    void SetzeUmgebung(Umgebung* umgebung);

    // Machine values.
    Wort ExternerBus = 0;
    Wort InternerBus = 0;
    Wort RamAdresse = 0;
    Wort AluA = 0;
    Wort AluB = 0;
    Wort AluErgebnis = 0;
    Wort Flag = 0;
    Wort MPC = 0;
    int AluAuswahl = KeineAluOperation;

    TRamSpeicher Ram;
    TMikrocodeTabelle Tabelle;
    TArbeitskopie Mikrocode;

    bool RamEditiert = false;
    std::string RamDateiname;  // the save target's path; "neu" = none chosen
    std::string Dateititel;    // file name shown in the title, Windows-1252
    bool RasterGefuellt = false;  // start-up has written headers and cells

    TSpeicherCP1& Reg(Register r) { return register_[static_cast<int>(r)]; }
    const TSpeicherCP1& Reg(Register r) const { return register_[static_cast<int>(r)]; }
    bool TorOffen(Tor t) const { return (tore_ >> static_cast<int>(t)) & 1u; }
    // Presses or releases the gate's button only; no setter, no pass.
    void SetzeTorZustand(Tor t, bool offen) {
        const auto bit = static_cast<std::uint8_t>(1u << static_cast<int>(t));
        tore_ = offen ? static_cast<std::uint8_t>(tore_ | bit) : static_cast<std::uint8_t>(tore_ & ~bit);
    }

    // The update pass and the gate setters.
    void Aktualisiere();
    void SetzeRead(bool offen);
    void SetzeET(bool offen);
    void SetzeAT(bool offen);
    void SetzePT(bool offen);
    void SetzeIT(bool offen);
    void SetzeErgT(bool offen);
    void SetzeWrite(bool offen);
    void SetzeTor(Tor t, bool offen);
    void SetzeAdresse(Wort adresse);
    void PruefeTore();

    // The sequencer.
    void EinzelschrittBtnClick();
    void MikroschrittAusfuehren();
    void SignalAnwenden(int k, char c);
    void SetzeMPC(Wort wert);
    void ResetBtnClick();
    void MikrocodeKopieren() { Mikrocode.MikrocodeKopieren(Tabelle); }
    void MikrocodeEinlesen();
    // The machine's part of the start-up sequence; throws when the microcode
    // cannot be loaded, and then stops where the sequence stops.
    void Startvorgang();

    // Manual operation.
    void TorKlick(Tor t);
    void RegisterKlick(Register r);
    void PCRechtsklick();
    void ALUBoxClick(int index);

    // The RAM grid's handlers; rows count from 1.
    void RAMGridExit();
    void RAMGridSelectCell(int spalte, int zeile);
    void RAMGridSetEditText(int spalte, int zeile, std::string text);
    void RAMGridKeyPress(char zeichen);
    // The user selects a cell: the handler runs when the row changes.
    void ZeileWaehlen(int zeile);

    // The RAM file commands, after their dialogs.
    void RamDateiOeffnen(const std::string& pfad);
    // False when no target is chosen yet and the caller must ask for one.
    bool RamDateiSpeichern();
    void RamDateiSpeichernUnter(const std::string& pfad);
    // A translated program text opened like a RAM file: the title names the
    // text, and "Speichern" asks for a RAM file rather than overwrite it.
    void ProgrammtextOeffnen(RamInhalt zellen, const std::string& pfad);
    // The editor's cells taken into the RAM: an edit of the RAM, then the
    // check and Reset as after opening.
    void ProgrammtextUebernehmen(RamInhalt zellen);

    // The clock.
    const Taktzustand& Takt() const { return takt_; }
    void StartBtnClick();
    void StopBtnClick();
    void Programmstarten1Click() { takt_.laeuft = true; }
    void Programmbeenden1Click() { takt_.laeuft = false; }
    void TaktrateChange(int position);
    void TaktTick() { EinzelschrittBtnClick(); }

    // What the window shows.
    std::string ALULbl() const { return ZahlDreistellig(aluAnzeige_); }
    std::string FlagLbl() const { return "F=" + std::to_string(flagAnzeige_); }
    std::string MPCFlagText() const { return std::to_string(flagAnzeige_); }
    std::string MPCText() const { return ZahlDreistellig(mpcAnzeige_); }
    std::string MikroCodeEditText() const;
    std::string DisplayEditText() const { return WortZuZellText(anzeigeWort_); }
    std::string Status1() const;
    const Knoepfe& KnoepfeAktiv() const { return knoepfe_; }

    // Microsteps run by the "Mikroschritt" handler since start, failed ones too.
    std::uint64_t Mikroschritte() const { return mikroschritte_; }
    // The last handler's step (or a jump nested in it) loaded entry 0.
    bool SprungAufNull() const { return sprungAufNull_; }
    bool SchrittLaeuft() const { return schrittLaeuft_; }
    // Counts the update passes begun, so a view knows when the pass has
    // rewritten the display field the user may have typed into.
    std::uint64_t Durchlaeufe() const { return durchlaeufe_; }

private:
    enum class Statusart : std::uint8_t { Leer, Warnung, Text };

    void ZellenUebernehmen(RamInhalt zellen);
    void RechneAlu();
    void LatchAktion(Register r, char c);
    void TorAktion(Tor t, char c);

    Umgebung* umgebung_;
    std::array<TSpeicherCP1, RegisterAnzahl> register_;
    std::uint8_t tore_ = 0;  // bit t: gate t is open
    Knoepfe knoepfe_;
    Taktzustand takt_;

    Wort aluAnzeige_ = 0;
    Wort flagAnzeige_ = 0;
    Wort mpcAnzeige_ = 0;
    Wort anzeigeWort_ = 0;
    std::optional<Steuerwort> mikroCodeAnzeige_;
    Statusart statusart_ = Statusart::Leer;
    std::string statustext_;

    std::uint64_t mikroschritte_ = 0;
    std::uint64_t durchlaeufe_ = 0;
    bool sprungAufNull_ = false;
    bool schrittLaeuft_ = false;
    int sprungtiefe_ = 0;
};

}  // namespace ventaro
