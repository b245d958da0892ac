// The view model: after an operation it names the parts a face must draw
// again, and no others.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

using Ansichtsmodell = MachineTest;

TEST_F(Ansichtsmodell, AnOperationChangesItsPartsOnly) {
    TempDir dir;
    Micro(0, Word({"PT", "RamRead"}));
    m.Reset();
    struct Fall {
        const char* name;
        std::function<void()> operation;
        std::vector<Teil> geaendert, gleich;
    };
    const Fall faelle[] = {
        {"nothing", [] {}, {}, {Teil::Datenpfad, Teil::Alu, Teil::Steuerwerk, Teil::Ram, Teil::Titel}},
        {"ALU chosen", [&] { m.AluWaehlen(0); }, {Teil::Alu}, {Teil::Ram, Teil::Titel, Teil::Haltepunkte}},
        {"cell handed over", [&] { m.ZelleUebergeben(5, "01.001"); }, {Teil::Ram},
         {Teil::Alu, Teil::Steuerwerk, Teil::Titel}},
        {"breakpoint", [&] { m.SetzeHaltepunkt(3, true); }, {Teil::Haltepunkte}, {Teil::Ram, Teil::Alu}},
        {"gate opened", [&] { m.TorUmschalten(Tor::ET); }, {Teil::Datenpfad}, {Teil::Ram, Teil::Titel}},
        {"microstep", [&] { m.Mikroschritt(); }, {Teil::Steuerwerk, Teil::Statistik}, {Teil::Titel, Teil::Haltepunkte}},
        {"saved", [&] { m.RamDateiSpeichernUnter(dir / "a.obj"); }, {Teil::Titel}, {Teil::Alu, Teil::Steuerwerk}},
        {"clock started", [&] { m.TaktStarten(); }, {Teil::Knoepfe}, {Teil::Ram, Teil::Alu}},
    };
    TAnsichtsmodell modell;
    EXPECT_TRUE(modell.Aktualisieren(m).all());  // the first drawing draws everything
    for (const Fall& f : faelle) {
        f.operation();
        const Teile teile = modell.Aktualisieren(m);
        for (Teil t : f.geaendert) EXPECT_TRUE(Enthaelt(teile, t)) << f.name << " " << static_cast<int>(t);
        for (Teil t : f.gleich) EXPECT_FALSE(Enthaelt(teile, t)) << f.name << " " << static_cast<int>(t);
    }
    EXPECT_EQ(modell.Stand().Titel, "Ventaro [a.obj]");
}

}  // namespace
}  // namespace ventaro::test
