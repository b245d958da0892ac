#pragma once
// The view model: what every face shows of the machine, computed once from
// its state. The window, the command line and the browser page draw these
// texts and states and compute none of their own. Kept from one event to
// the next, it tells a face which parts changed, so that it redraws only
// those.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/Maschinenzustand.h"

namespace ventaro {

class TMaschine;

// One row of the statistics: an opcode that ran, or the steps outside any
// instruction ("ohne Befehl"). Texts in Windows-1252.
struct Statistikzeile {
    int Op = TStatistik::OhneBefehl;
    std::string OpText;  // "03", or "-" for "ohne Befehl"
    std::string Mnemonic;
    std::uint64_t Anzahl = 0;
    std::uint64_t Mikroschritte = 0;
    std::string JeBefehl;  // "5,67"; empty for "ohne Befehl"
    bool operator==(const Statistikzeile&) const = default;
};

// The statistics as shown: "ohne Befehl" first where it occurred, then the
// opcodes that ran; the totals and the mean per instruction.
struct TStatistikansicht {
    std::vector<Statistikzeile> Zeilen;
    std::uint64_t Befehle = 0;
    std::uint64_t Mikroschritte = 0;
    std::string JeBefehl;  // "3,64"
    static TStatistikansicht Von(const TMaschine& maschine);
    bool operator==(const TStatistikansicht&) const = default;
};

// The parts a face draws apart.
enum class Teil : std::size_t {
    Datenpfad,     // gates, registers, buses: whatever the machine state holds
    Alu,           // the ALU list and its label, the flag labels
    Steuerwerk,    // MPC and control-word fields
    Anzeige,       // the display field
    Status,        // status panel 1
    Knoepfe,       // enabled controls, stepping back
    Titel,
    Ram,           // cells and current row
    Haltepunkte,
    Statistik,
    Aufzeichnung,  // the recording's status text and words
    Anzahl_
};
using Teile = std::bitset<static_cast<std::size_t>(Teil::Anzahl_)>;
inline bool Enthaelt(const Teile& teile, Teil teil) { return teile.test(static_cast<std::size_t>(teil)); }

struct TAnsicht {
    // Texts of the datapath's labels and fields, Windows-1252.
    std::string AluText;        // "012": the ALU's result
    std::string FlagText;       // "F=1"
    std::string MpcFlagText;    // "1"
    std::string MpcText;        // "013"
    std::string SteuerwortText; // the control word, or "Mikroschrittcode" before the first
    std::string AnzeigeText;    // the display field, "00.042"
    std::string Status1;        // status panel 1
    int AluAuswahl = KeineAluOperation;
    Knoepfe Aktiv;
    // Stepping back: whether it can, and how many microsteps it can undo.
    bool Zurueck = false;
    std::size_t ZurueckMikroschritte = 0;
    // "Ventaro 1.0.2.0 [summe.obj]"
    std::string Titel;
    std::bitset<TRamSpeicher::Zellenzahl> Haltepunkte;
    TStatistikansicht Statistik;
    // "Aufzeichnung: Befehl 23 (DPL), Schritt 3" while a recording runs.
    std::string Aufzeichnung;
    std::vector<std::string> AufgezeichneteWorte;
    // Kept to see whether the datapath or the RAM changed.
    TMaschinenzustand Zustand;
    std::uint64_t Durchlaeufe = 0;

    // Computes everything from the machine; fenstertitel is the base of the
    // title ("Ventaro " and the version).
    static TAnsicht Von(const TMaschine& maschine, const std::string& fenstertitel = "Ventaro");
    // The parts in which two views differ.
    static Teile Unterschiede(const TAnsicht& alt, const TAnsicht& neu);
};

// A view kept between events: each update says what changed since the last.
class TAnsichtsmodell {
public:
    explicit TAnsichtsmodell(std::string fenstertitel = "Ventaro") : fenstertitel_(std::move(fenstertitel)) {}
    void SetzeFenstertitel(std::string fenstertitel) { fenstertitel_ = std::move(fenstertitel); }
    // Everything changed before the first update.
    Teile Aktualisieren(const TMaschine& maschine);
    const TAnsicht& Stand() const { return stand_; }

private:
    std::string fenstertitel_;
    TAnsicht stand_;
    bool erstes_ = true;
};

// Two places after a decimal comma: "5,67".
std::string Dezimal(double wert);

}  // namespace ventaro
