#pragma once
// The model computer as every face drives it. It owns its parts (the
// sequencer with its datapath and the state value, the microcode, the
// history, the breakpoints, the recording) and offers the operations of the
// model computer: a microstep, Reset, a gate or a register's latch switched,
// the PC counted up, an ALU operation chosen, a cell's text handed over, a
// row selected, the check of all cells, files opened and saved, the clock.
// Whether an operation is recorded for stepping back belongs to the
// operation. A face reads the state and the view model, never writes them.

#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "machine/Datenpfad.h"
#include "machine/Dauerlauf.h"
#include "machine/Sequenzer.h"
#include "machine/Umgebung.h"
#include "machine/Verlauf.h"
#include "memory/RamDatei.h"
#include "microcode/Arbeitskopie.h"
#include "microcode/MikrocodeTabelle.h"
#include "programtext/Fehlerzeile.h"

namespace ventaro {

class TAufzeichnung;

// The clock's own state; a face runs its timer from it.
struct Taktzustand {
    bool laeuft = false;
    int position = 1;  // ticks per second, 1 to 20
    int Intervall() const { return 1000 / position; }
};

// What the files left: the edit mark, the save target and the name shown.
struct Dateizustand {
    bool RamEditiert = false;
    std::string RamDateiname;  // the save target's path; "neu" = none chosen
    std::string Dateititel;    // file name shown in the title, Windows-1252
};

class TMaschine {
public:
    explicit TMaschine(Umgebung* umgebung = nullptr);
    ~TMaschine();
    TMaschine(const TMaschine&) = delete;
    TMaschine& operator=(const TMaschine&) = delete;

    // ---- What a face reads.
    const TMaschinenzustand& Zustand() const { return zustand_; }
    const Dateizustand& Datei() const { return datei_; }
    bool RamEditiert() const { return datei_.RamEditiert; }
    // Start-up has written the cells: the sequence did not stop early.
    bool RasterGefuellt() const { return rasterGefuellt_; }
    const Taktzustand& Takt() const { return takt_; }
    const TArbeitskopie& Mikrocode() const { return mikrocode_; }
    // The table the editor changes; MikrocodeKopieren() then gives it to
    // the machine.
    TMikrocodeTabelle& Tabelle() { return tabelle_; }
    const TMikrocodeTabelle& Tabelle() const { return tabelle_; }
    TAufzeichnung& Aufzeichnung() { return *aufzeichnung_; }
    const TAufzeichnung& Aufzeichnung() const { return *aufzeichnung_; }
    // Microsteps run since start, failed ones too.
    std::uint64_t Mikroschritte() const { return sequenzer_.Mikroschritte(); }
    // The latest microstep (or a jump nested in it) loaded entry 0.
    bool SprungAufNull() const { return sequenzer_.SprungAufNull(); }
    bool SchrittLaeuft() const { return sequenzer_.SchrittLaeuft(); }
    // Counts the update passes begun, so a face knows when a pass has
    // rewritten the display field the user may have typed into.
    std::uint64_t Durchlaeufe() const { return datenpfad_.Durchlaeufe(); }

    // ---- Start-up and microcode.
    // The machine's part of the start-up sequence; throws when the microcode
    // cannot be loaded, and then stops where the sequence stops.
    void Startvorgang();
    void MikrocodeEinlesen();
    void MikrocodeKopieren();

    // ---- Recorded: each of these can be taken back.
    void Mikroschritt();
    void Reset();
    void TorUmschalten(Tor t);
    void LadenUmschalten(Register r);
    void PCErhoehen();
    void AluWaehlen(int operation);  // KeineAluOperation for none

    // ---- The RAM. Rows count from 1 (row r holds address r - 1).
    // The check of all cells: one message per incorrect cell; "Mikroschritt"
    // and "Start" only when all are correct.
    void AllePruefen();
    // A cell's text handed over by its editor: an edit of the RAM.
    void ZelleUebergeben(int adresse, std::string text);
    // An edit given up: the text and the edit mark as before it began.
    void BearbeitungVerwerfen(int adresse, std::string text, bool warEditiert);
    // The row about to become current: a correct cell is decoded in status
    // panel 1.
    void ZeileAngewaehlt(int zeile);
    // The user selects a row; nothing when it is current already.
    void ZeileWaehlen(int zeile);
    // Enter: the check of all cells, then the next row.
    void EingabeAbschliessen();

    // ---- Files, after their dialogs.
    void RamDateiOeffnen(const std::string& pfad);
    // False when no target is chosen yet and the caller must ask for one.
    bool RamDateiSpeichern();
    void RamDateiSpeichernUnter(const std::string& pfad);
    // Reads and translates the program text; without errors it is opened
    // like a RAM file, the title naming the text, and "Speichern" asks for
    // a RAM file rather than overwrite it. The errors, by line; a text with
    // errors changes nothing.
    std::vector<programmtext::Fehlerzeile> ProgrammtextOeffnen(const std::string& pfad);
    // The editor's cells taken into the RAM: an edit of the RAM, then the
    // check and Reset as after opening.
    void ProgrammtextUebernehmen(RamInhalt zellen);

    // ---- The clock.
    void TaktStarten();   // "Start": the controls off while it runs
    void TaktAnhalten();  // "Stopp"
    // The menu's "Programm starten" and "Programm beenden": the clock alone.
    void TaktSchalten(bool laeuft) { takt_.laeuft = laeuft; }
    void TaktrateSetzen(int position);
    // A tick is a microstep; a breakpoint stops the clock.
    void TaktTick();
    // A run to the halt switches the controls as the running clock does.
    void DauerlaufSchalter(bool laeuft);
    // Replaces the surroundings, e.g. while a run must not let events in
    // between its microsteps; returns the former ones.
    Umgebung* TauscheUmgebung(Umgebung* neu) { return sequenzer_.TauscheUmgebung(neu); }

    // ---- Breakpoints by RAM address. Opening a RAM file or a program text
    // clears them; the RAM file does not hold them.
    void SetzeHaltepunkt(int adresse, bool an);
    bool Haltepunkt(int adresse) const;
    std::vector<int> Haltepunkte() const;  // sorted
    // After a microstep run by the clock or a run: why it stops before the
    // next one, if at all. At a breakpoint status panel 1 says so.
    std::optional<Laufende> Haltegrund();
    // The statistics' name of an opcode: its mnemonic, or "ohne Befehl".
    std::string StatistikName(int op) const;

    // ---- Stepping back. Undoing restores the state before the latest
    // recorded action; "Befehl zurück" undoes back to just before the latest
    // microstep that began an instruction (or everything recorded).
    void VerlaufAn(bool an);
    std::size_t Rueckgaengig() const { return verlauf_.Aktionen(); }
    std::size_t MikroschritteRueckgaengig() const { return verlauf_.Mikroschritte(); }
    void MikroschrittZurueck();
    void BefehlZurueck();

    // ---- Tests only: the one way to put the machine into a state that no
    // operation reaches, and to drive its parts directly.
    struct Innenleben {
        TMaschinenzustand& zustand;
        TDatenpfad& datenpfad;
        TSequenzer& sequenzer;
        Dateizustand& datei;
    };
    Innenleben FuerTests() { return {zustand_, datenpfad_, sequenzer_, datei_}; }
    void SetzeZustand(const TMaschinenzustand& zustand) { zustand_ = zustand; }

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

    TMikrocodeTabelle tabelle_;
    TArbeitskopie mikrocode_;
    // The sequencer holds the datapath, which holds the state: the hot loop
    // of a microstep finds them at fixed places. The machine names them.
    TSequenzer sequenzer_;
    TDatenpfad& datenpfad_ = sequenzer_.Datenpfad();
    TMaschinenzustand& zustand_ = datenpfad_.Zustand();
    TVerlauf verlauf_;
    std::unique_ptr<TAufzeichnung> aufzeichnung_;
    Dateizustand datei_;
    Taktzustand takt_;
    std::bitset<TRamSpeicher::Zellenzahl> haltepunkte_;
    bool rasterGefuellt_ = false;
    bool verlaufAn_ = true;
    bool zeichnetAuf_ = false;
};

}  // namespace ventaro
