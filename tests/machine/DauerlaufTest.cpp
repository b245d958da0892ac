// "Bis zum Halt": why a run ends, and after how many microsteps.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

class Dauerlauf : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        // Fetch: PT RamRead, then MPCLoad. Opcode 1 advances PC, opcode 2 has
        // a bad ALU character, opcode 3 fetches the same cell again.
        Micro(0, Word({"PT", "RamRead"}));
        Micro(1, Word({"PT", "RamRead", "MPCLoad"}));
        Micro(10, Word({"PCI", "MPCClear"}));
        Micro(20, "00000000000000x000");
        Micro(30, Word({"MPCClear"}));
        m.Reset();
    }
};

struct Fall {
    const char* name;
    std::vector<std::string> zellen;
    int pc = 0, haltepunkt = -1;
    std::uint64_t grenze = TDauerlauf::Grenze;
    bool stoppVorher = false;
    Laufende ende;
    std::uint64_t schritte;
};
void PrintTo(const Fall& fall, std::ostream* aus) { *aus << fall.name; }

// A fresh machine for each case.
class DauerlaufEnde : public Dauerlauf, public ::testing::WithParamInterface<Fall> {};

TEST_P(DauerlaufEnde, EndsAtHaltBreakpointFailureStopOrLimit) {
    const Fall& f = GetParam();
    for (std::size_t a = 0; a < f.zellen.size(); ++a) z.Ram.SetzeText(static_cast<int>(a), f.zellen[a]);
    z.Reg(Register::PC).SetRegisterInhalt(static_cast<Wort>(f.pc));
    if (f.haltepunkt >= 0) m.SetzeHaltepunkt(f.haltepunkt, true);
    TDauerlauf lauf(m, f.grenze);
    if (f.stoppVorher) lauf.Stopp();
    // In slices of two, as the window runs it.
    std::optional<Laufende> ende;
    for (int scheibe = 0; scheibe < 10 && !ende; ++scheibe) ende = lauf.Weiter(2);
    EXPECT_EQ(ende, f.ende);
    EXPECT_EQ(lauf.Schritte(), f.schritte);
    EXPECT_EQ(lauf.Meldung().empty(), f.ende != Laufende::Fehlschlag);
    EXPECT_EQ(Ansicht().Status1 == "Haltepunkt bei Adresse 002", f.ende == Laufende::Haltepunkt);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, DauerlaufEnde,
    ::testing::Values(
        Fall{"halt", {"01.000", "01.000", "00.000"}, 0, -1, TDauerlauf::Grenze, false, Laufende::Halt, 3},
        Fall{"breakpoint before its fetch", {"01.000", "01.000", "01.000", "00.000"}, 0, 2, TDauerlauf::Grenze, false,
             Laufende::Haltepunkt, 2},
        Fall{"a run starting on a breakpoint leaves it", {"01.000", "01.000", "00.000"}, 1, 1, TDauerlauf::Grenze,
             false, Laufende::Halt, 2},
        Fall{"halt wins over a breakpoint on its cell", {"01.000", "00.000"}, 1, 1, TDauerlauf::Grenze, false,
             Laufende::Halt, 1},
        Fall{"failed step", {"01.000", "02.000"}, 0, -1, TDauerlauf::Grenze, false, Laufende::Fehlschlag, 2},
        Fall{"limit", {"03.000"}, 0, -1, 5, false, Laufende::Grenze, 5},
        Fall{"user stop", {"03.000"}, 0, -1, TDauerlauf::Grenze, true, Laufende::Stopp, 0}));

TEST_F(Dauerlauf, TheClockStopsAtABreakpointAndRunsOnOverAHalt) {
    z.Ram.SetzeText(0, "01.000");  // then HLT in cell 1
    m.SetzeHaltepunkt(1, true);
    m.TaktStarten();
    m.TaktTick();
    EXPECT_FALSE(m.Takt().laeuft);
    EXPECT_TRUE(m.Zustand().Aktiv.Mikroschritt);
    m.SetzeHaltepunkt(1, false);
    m.TaktStarten();
    for (int i = 0; i < 3; ++i) m.TaktTick();
    EXPECT_TRUE(m.Takt().laeuft);
    EXPECT_TRUE(m.SprungAufNull());
}

}  // namespace
}  // namespace ventaro::test
