#pragma once
// What ran since the program began: instructions and microsteps per opcode.
// An instruction begins with a microstep that starts with the MPC at 1 and
// runs to the next such step; it counts for the opcode its first MPCLoad
// loaded. Steps before the first instruction, or in an instruction without
// MPCLoad, count as "ohne Befehl".

#include <array>
#include <cstdint>

namespace ventaro {

struct TStatistik {
    // Every high byte an MPCLoad can find on the external bus.
    static constexpr int OpAnzahl = 256;
    static constexpr int OhneBefehl = -1;

    struct Zeile {
        std::uint64_t Anzahl = 0;
        std::uint64_t Mikroschritte = 0;
        bool operator==(const Zeile&) const = default;
    };
    // The totals and the instruction under way: small enough to keep for
    // every microstep.
    struct Lauf {
        std::uint64_t Befehle = 0;
        std::uint64_t Mikroschritte = 0;
        Zeile ohneBefehl;
        bool imBefehl = false;  // false before the first instruction begins
        std::int16_t op = OhneBefehl;  // of the instruction under way, once loaded
        std::uint64_t schritteImBefehl = 0;
        bool operator==(const Lauf&) const = default;
    };

    Lauf Stand;
    std::array<Zeile, OpAnzahl> JeOp{};

    const Zeile& ZeileVon(int op) const { return op == OhneBefehl ? Stand.ohneBefehl : JeOp[op]; }
    // The microsteps of counted instructions, and their mean (0 without any).
    std::uint64_t BefehlsMikroschritte() const { return Stand.Mikroschritte - Stand.ohneBefehl.Mikroschritte; }
    double JeBefehl() const {
        return Stand.Befehle == 0 ? 0.0 : static_cast<double>(BefehlsMikroschritte()) / static_cast<double>(Stand.Befehle);
    }

    // A microstep starting with the MPC at 1 begins an instruction.
    void BefehlBeginnt() {
        Stand.imBefehl = true;
        Stand.op = OhneBefehl;
        Stand.schritteImBefehl = 0;
        ++Stand.ohneBefehl.Anzahl;  // until an MPCLoad names its opcode
    }
    // Only the first MPCLoad of an instruction names it; its earlier steps
    // move over from "ohne Befehl".
    void OpGeladen(int op) {
        if (!Stand.imBefehl || Stand.op != OhneBefehl) return;
        Stand.op = static_cast<std::int16_t>(op);
        --Stand.ohneBefehl.Anzahl;
        Stand.ohneBefehl.Mikroschritte -= Stand.schritteImBefehl;
        ++JeOp[op].Anzahl;
        JeOp[op].Mikroschritte += Stand.schritteImBefehl;
        ++Stand.Befehle;
    }
    // A microstep has run.
    void SchrittGezaehlt() {
        ++Stand.Mikroschritte;
        ++Stand.schritteImBefehl;
        if (Stand.op == OhneBefehl) ++Stand.ohneBefehl.Mikroschritte;
        else ++JeOp[Stand.op].Mikroschritte;
    }

    bool operator==(const TStatistik&) const = default;
};

}  // namespace ventaro
