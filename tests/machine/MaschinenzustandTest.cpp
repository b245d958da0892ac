// The machine's state as a value: a step back gives back any one field
// changed alone, and a machine put back to an earlier state runs on from it.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

using Zustand = MachineTest;

// The history keeps a picture of the state written field by field: each
// field must come back.
TEST_F(Zustand, TheHistoryGivesBackAnyFieldChangedAlone) {
    const std::pair<const char*, std::function<void(TMaschinenzustand&)>> rows[] = {
        {"ExternerBus", [](auto& z) { z.ExternerBus = 1; }},
        {"InternerBus", [](auto& z) { z.InternerBus = 1; }},
        {"RamAdresse", [](auto& z) { z.RamAdresse = 1; }},
        {"AluA", [](auto& z) { z.AluA = 1; }},
        {"AluB", [](auto& z) { z.AluB = 1; }},
        {"AluErgebnis", [](auto& z) { z.AluErgebnis = 1; }},
        {"Flag", [](auto& z) { z.Flag = 1; }},
        {"MPC", [](auto& z) { z.MPC = 1; }},
        {"AluAuswahl", [](auto& z) { z.AluAuswahl = 3; }},
        {"cell text", [](auto& z) { z.Ram.SetzeText(5, "01.001"); }},  // reported before it is written
        {"current row", [](auto& z) { z.Ram.SetzeAktuelleZeile(9); }},
        {"register content", [](auto& z) { z.Reg(Register::IR).SetRegisterInhalt(4); }},
        {"register input", [](auto& z) { z.Reg(Register::Anz).SetEingang(4); }},
        {"register latch", [](auto& z) { z.Reg(Register::Erg).SetLaden(true); }},
        {"register look", [](auto& z) { z.Reg(Register::PC).SetLaden(true), z.Reg(Register::PC).SetLaden(false); }},
        {"gate", [](auto& z) { z.SetzeTorZustand(Tor::Write, true); }},
        {"ALU label", [](auto& z) { z.Anzeige.alu = 1; }},
        {"flag labels", [](auto& z) { z.Anzeige.flag = 1; }},
        {"MPC panel", [](auto& z) { z.Anzeige.mpc = 1; }},
        {"display", [](auto& z) { z.Anzeige.display = 1; }},
        {"control word field", [](auto& z) { z.Anzeige.mikroCode = Steuerwort("1"); }},
        {"status kind", [](auto& z) { z.Anzeige.statusart = Statusart::Warnung; }},
        {"status text", [](auto& z) { z.Anzeige.statustext = " LDA 001"; }},
        {"enabled button", [](auto& z) { z.Aktiv.Start = false; }},
        {"enabled tool bar", [](auto& z) { z.Aktiv.Werkzeugleiste = false; }},
        {"step counter", [](auto& z) { z.Schritte = 1; }},
        {"statistics total", [](auto& z) { z.Statistik.Stand.Mikroschritte = 1; }},
        {"statistics row", [](auto& z) { z.Statistik.JeOp[255].Anzahl = 1; }},
        {"instruction under way", [](auto& z) { z.Statistik.Stand.op = 3; }},
    };
    const TMaschinenzustand vorher = m.Zustand();
    for (const auto& [feld, aendern] : rows) {
        TVerlauf verlauf;
        verlauf.Beginne(vorher, false, true);
        verlauf.MerkeZelle(5, vorher.Ram.Text(5));
        TMaschinenzustand z = vorher;
        aendern(z);
        ASSERT_NE(z, vorher) << feld;
        verlauf.Zuruecknehmen(z);
        EXPECT_EQ(z, vorher) << feld;
    }
}

TEST_F(Zustand, AMachineRestoredToAnEarlierStateRunsOnAsFromThere) {
    Micro(0, Word({"PT", "RamRead", "ET", "Akku", "PCI"}));
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) z.Ram.SetzeText(a, "00.00" + std::to_string(a % 10));
    m.Mikroschritt();
    const TMaschinenzustand frueher = m.Zustand();
    m.Mikroschritt();
    const TMaschinenzustand spaeter = m.Zustand();
    ASSERT_NE(frueher, spaeter);
    m.SetzeZustand(frueher);
    m.Mikroschritt();
    EXPECT_EQ(m.Zustand(), spaeter);
}

}  // namespace
}  // namespace ventaro::test
