#pragma once
// The history of recorded actions (microsteps, Reset, clicks on gates and
// registers, the PC's right click, a choice in the ALU list). Before each
// action it keeps what the action may change: the machine's state without
// the RAM as a small fixed-size picture, and the old text of every cell the
// action writes. Undoing an action puts all of it back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "machine/Maschinenzustand.h"

namespace ventaro {

class TVerlauf {
public:
    // The most actions kept; older ones are dropped.
    static constexpr std::size_t Tiefe = 100000;

    // An action begins: keeps the state it starts from. A microstep that
    // starts with the MPC at 1 begins an instruction. An action that may
    // change every row of the statistics (Reset) keeps all of them.
    void Beginne(const TMaschinenzustand& zustand, bool mikroschritt, bool alleStatistikzeilen = false);
    // The action is about to replace the text of a cell.
    void MerkeZelle(int adresse, const std::string& alterText);
    // The action is about to change the statistics row of an opcode; a
    // microstep changes one at most.
    void MerkeStatistikzeile(int op, const TStatistik::Zeile& alt);

    // Puts the state before the latest action back and forgets the action.
    // True when a cell's text changed by it. Nothing to undo: false.
    bool Zuruecknehmen(TMaschinenzustand& zustand);
    // Whether the latest action was a microstep that began an instruction.
    bool LetzteBeginntBefehl() const { return anzahl_ > 0 && Letzter().vorher.beginntBefehl; }

    std::size_t Aktionen() const { return anzahl_; }
    std::size_t Mikroschritte() const { return mikroschritte_; }
    void Loeschen();

private:
    // The state without the RAM and the status text, trivially copyable,
    // its fields ordered by alignment so that no byte is padding: it is kept
    // for every microstep.
    struct Bild {
        std::uint64_t schritte;
        TStatistik::Lauf statistik;
        TStatistik::Zeile statistikZeile;
        std::uint32_t statustext;
        std::uint32_t pcRechtsklicks;
        Wort werte[8];  // ExternerBus to MPC
        std::array<TSpeicherCP1::Stand, RegisterAnzahl> register_;
        Wort anzeige[4];  // ALU, flag, MPC, display
        std::int16_t statistikOp;  // the row kept above, or none
        std::int8_t aluAuswahl;
        std::uint8_t tore;
        std::uint8_t zeile;
        Knoepfe aktiv;
        bool mitMikroCode;
        Steuerwort mikroCode;
        Statusart statusart;
        bool mikroschritt;    // of the entry: the action was a microstep
        bool beginntBefehl;   // and it began an instruction
    };
    struct Eintrag {
        Bild vorher;
        std::uint32_t nummer;  // numbers the cells it wrote; unique among the kept entries
        std::unique_ptr<std::array<TStatistik::Zeile, TStatistik::OpAnzahl>> alleZeilen;
    };
    struct Zelle {
        std::uint32_t eintrag;
        std::uint8_t adresse;
        std::string alterText;
    };

    std::uint32_t TextNummer(const std::string& text);
    void AeltestenVergessen();
    Eintrag& Letzter() { return ring_[(anfang_ + anzahl_ - 1) % Tiefe]; }
    const Eintrag& Letzter() const { return ring_[(anfang_ + anzahl_ - 1) % Tiefe]; }

    // A ring of at most Tiefe entries, grown as needed: no allocation per
    // action once it is full.
    std::vector<Eintrag> ring_;
    std::size_t anfang_ = 0;
    std::size_t anzahl_ = 0;
    std::deque<Zelle> zellen_;
    std::uint32_t naechsteNummer_ = 0;
    std::size_t mikroschritte_ = 0;
    // Status texts by number: a microstep rarely changes its text, and
    // a number is all an entry keeps of it.
    std::vector<std::string> texte_;
    std::unordered_map<std::string, std::uint32_t> textnummern_;
    std::uint32_t letzteNummer_ = 0;
};

}  // namespace ventaro
