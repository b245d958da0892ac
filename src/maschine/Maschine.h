#pragma once
// The model computer as the window drives it: the datapath and sequencer
// below, and the user's operations on them: manual operation, the RAM grid's
// handlers, the RAM file commands, the clock, start-up and the texts the
// window shows. The window only draws this object's state.

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "maschine/Dauerlauf.h"
#include "maschine/Sequenzer.h"
#include "memory/RamDatei.h"
#include "maschine/Umgebung.h"
#include "microcode/Arbeitskopie.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro {

// The clock's own state; the window runs its timer from it.
struct Taktzustand {
    bool laeuft = false;
    int position = 1;  // ticks per second, 1 to 20
    int Intervall() const { return 1000 / position; }
};

// The microcode the machine reads. A base of TMaschine ahead of the
// sequencer, so it exists before the sequencer is handed a reference to it.
struct TMikrocode {
    TMikrocodeTabelle Tabelle;
    TArbeitskopie Mikrocode;
};

class TMaschine : public TMikrocode, public TSequenzer {
public:
    explicit TMaschine(Umgebung* umgebung = nullptr) : TSequenzer(umgebung, Tabelle, Mikrocode) {}
    TMaschine(const TMaschine&) = delete;
    TMaschine& operator=(const TMaschine&) = delete;

    // The state as a value, and putting one back.
    const TMaschinenzustand& Zustand() const { return *this; }
    void SetzeZustand(const TMaschinenzustand& zustand) { static_cast<TMaschinenzustand&>(*this) = zustand; }

    bool RamEditiert = false;
    std::string RamDateiname;  // the save target's path; "neu" = none chosen
    std::string Dateititel;    // file name shown in the title, Windows-1252
    bool RasterGefuellt = false;  // start-up has written headers and cells

    void MikrocodeKopieren();
    void MikrocodeEinlesen();
    // The machine's part of the start-up sequence; throws when the microcode
    // cannot be loaded, and then stops where the sequence stops.
    void Startvorgang();

    // Recorded actions: each can be undone.
    void EinzelschrittBtnClick();
    void ResetBtnClick();

    // Manual operation, recorded too.
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
    // "Bis zum Halt" enables the controls as the running clock does.
    void DauerlaufSchalter(bool laeuft) { Aktiv.Werkzeugleiste = Aktiv.Mikroschritt = Aktiv.Reset = Aktiv.Start = !laeuft; }
    // A tick is a microstep; a breakpoint stops the clock.
    void TaktTick();

    // Breakpoints by RAM address. Opening a RAM file or a program text clears
    // them; the RAM file does not hold them.
    void SetzeHaltepunkt(int adresse, bool an);
    bool Haltepunkt(int adresse) const;
    std::vector<int> Haltepunkte() const;  // sorted
    // After a microstep run by the clock or a run: why it stops before the
    // next one, if at all. At a breakpoint status panel 1 says so.
    std::optional<Laufende> Haltegrund();
    // The statistics' name of an opcode: its mnemonic, or "ohne Befehl".
    std::string StatistikName(int op) const;

    // Stepping back. Undoing restores the state before the latest recorded
    // action; "Befehl zurück" undoes back to just before the latest microstep
    // that began an instruction (or everything recorded).
    void VerlaufAn(bool an);
    std::size_t Rueckgaengig() const { return verlauf_.Aktionen(); }
    std::size_t MikroschritteRueckgaengig() const { return verlauf_.Mikroschritte(); }
    void MikroschrittZurueck();
    void BefehlZurueck();

    // What the window shows.
    std::string ALULbl() const { return ZahlDreistellig(Anzeige.alu); }
    std::string FlagLbl() const { return "F=" + std::to_string(Anzeige.flag); }
    std::string MPCFlagText() const { return std::to_string(Anzeige.flag); }
    std::string MPCText() const { return ZahlDreistellig(Anzeige.mpc); }
    std::string MikroCodeEditText() const;
    std::string DisplayEditText() const { return WortZuZellText(Anzeige.display); }
    std::string Status1() const;
    const Knoepfe& KnoepfeAktiv() const { return Aktiv; }

private:
    void ZellenUebernehmen(RamInhalt zellen);
    void KnoepfeFuerTakt(bool laeuft);
    // Runs a user's action, keeping in the history what it changes. An
    // action that another one's event processing lets run is part of that one.
    template <typename Aktion>
    void Aufzeichnen(bool mikroschritt, Aktion aktion, bool alleStatistikzeilen = false);
    // Cell edits, the check of all cells, an opened file and new microcode
    // make earlier states unreachable.
    void VerlaufBeenden();
    // Undoes the latest recorded action.
    void Zuruecknehmen();

    Taktzustand takt_;
    std::bitset<TRamSpeicher::Zellenzahl> haltepunkte_;
    TVerlauf verlauf_;
    bool verlaufAn_ = true;
    bool zeichnetAuf_ = false;
};

}  // namespace ventaro
