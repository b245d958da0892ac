// The microstep sequencer: control words, signal order, the MPC, jumps and Reset.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

using Sequenzer = MachineTest;

const std::string kSpruenge = "Zu viele verschachtelte Mikroprogrammspr\xFCnge";

TEST_F(Sequenzer, AluBitsSelectTheOperation) {
    // Characters 15 to 17, and the selection they give.
    const std::pair<const char*, int> rows[] = {
        {"000", -1}, {"100", 0}, {"010", 1}, {"110", 2},  {"001", 3},  {"101", 4},  {"011", 5}, {"111", 6},
        {"200", 1},  {"300", 2}, {"201", 5}, {"900", -1}, {"009", -1}, {"021", -1}, {"040", -1},
    };
    for (const auto& [bits, auswahl] : rows) {
        Micro(0, std::string(14, '0') + bits + "0");
        z.Flag = 0;  // a comparison of the previous row may have set it
        z.AluAuswahl = 3;
        Step(0);
        EXPECT_EQ(z.AluAuswahl, auswahl) << bits;
    }
}

TEST_F(Sequenzer, NonDigitAluCharacterEndsTheStepBeforeAnythingActs) {
    // Characters 15 to 17 and the character the conversion message names.
    const std::pair<const char*, const char*> rows[] = {
        {"x00", "x"}, {"0 0", " "}, {"01-", "-"}, {"x0y", "x"}, {"1yx", "y"},
    };
    for (const auto& [bits, zeichen] : rows) {
        const std::string word = "10001000000010" + std::string(bits) + "1";  // ET, PT, RamRead, Anz
        Micro(4, word);
        z.AluAuswahl = 3;
        const auto schritte = m.Mikroschritte();
        EXPECT_EQ(FailureOf([&] { Step(4); }), KeinInteger(zeichen)) << bits;
        EXPECT_EQ(Ansicht().SteuerwortText, word);  // already shown
        EXPECT_EQ(z.AluAuswahl, 3);
        EXPECT_FALSE(z.TorOffen(Tor::ET));
        EXPECT_FALSE(Latched(Register::Anz));
        EXPECT_EQ(z.MPC, 4);  // not advanced
        EXPECT_EQ(m.Mikroschritte(), schritte + 1);
        EXPECT_FALSE(m.SchrittLaeuft());
    }
}

TEST_F(Sequenzer, GateAndLatchSignalsFollowTheirCharacters) {
    z.InternerBus = 42;  // a call of SetzeET or SetzeErgT with false would clear it
    z.ExternerBus = 7;   // SetzeAT or SetzeRead with false would clear it
    Micro(0, std::string(18, '0'));
    Step(0);
    EXPECT_EQ(z.InternerBus, 42);
    EXPECT_EQ(z.ExternerBus, 7);
    EXPECT_EQ(Ansicht().MpcText, "000");

    z.ExternerBus = 261;
    z.Reg(Register::PC).SetRegisterInhalt(255);
    Micro(1, Word({"ET", "Akku", "Anz", "PCI"}));
    Micro(2, Word({"ET"}));              // Akku and Anz released, ET stays
    Micro(3, "x0000x000000000000");      // other characters leave gates and latches alone
    m.Mikroschritt();
    EXPECT_TRUE(z.TorOffen(Tor::ET));
    EXPECT_EQ(Content(Register::Akku), 261);
    EXPECT_EQ(Ansicht().AnzeigeText, "01.005");
    EXPECT_EQ(Content(Register::PC), 256);  // 16 bits, not a byte
    m.Mikroschritt();
    EXPECT_FALSE(Latched(Register::Akku));
    EXPECT_FALSE(Latched(Register::Anz));
    Latch(Register::IR);
    m.Mikroschritt();
    EXPECT_TRUE(z.TorOffen(Tor::ET));
    EXPECT_TRUE(Latched(Register::IR));
    EXPECT_EQ(z.MPC, 4);
}

TEST_F(Sequenzer, MpcClearActsAfterEveryOtherSignal) {
    Gate(Tor::Read, true);
    Micro(7, Word({"MPCClear"}));  // RamRead '0' closes Read before the clear reopens it
    Micro(0, Word({"Anz"}));
    Micro(1, Word({"IR"}));
    Step(7);
    EXPECT_TRUE(z.TorOffen(Tor::Read));
    EXPECT_TRUE(z.TorOffen(Tor::PT));
    EXPECT_EQ(Ansicht().MpcText, "000");
    EXPECT_EQ(Ansicht().SteuerwortText, Word({"Anz"}));
    EXPECT_EQ(z.MPC, 1);
    EXPECT_FALSE(Latched(Register::Anz));  // entry 0 is shown, not executed
    m.Mikroschritt();
    EXPECT_TRUE(Latched(Register::IR));
}

TEST_F(Sequenzer, MpcLoadRunsTheJumpTargetInTheSameStepAndWinsOverClear) {
    z.ExternerBus = 3 * 256 + 7;
    Micro(5, Word({"MPCLoad"}));
    Micro(30, Word({"Anz"}));
    Micro(31, Word({"IR"}));
    Step(5);
    EXPECT_TRUE(Latched(Register::Anz));
    EXPECT_EQ(Ansicht().MpcText, "030");
    EXPECT_EQ(Ansicht().SteuerwortText, Word({"Anz"}));
    EXPECT_EQ(z.MPC, 31);
    EXPECT_FALSE(m.SprungAufNull());
    m.Mikroschritt();
    EXPECT_TRUE(Latched(Register::IR));
    EXPECT_EQ(m.Mikroschritte(), 2u);  // the nested jump is no step of its own

    // With both, the clear opens Read, whose pass puts cell 0 on the bus for the load.
    z.Ram.SetzeText(0, "02.000");
    Micro(5, Word({"MPCClear", "MPCLoad"}));
    Step(5);
    EXPECT_EQ(Ansicht().MpcText, "020");
    EXPECT_FALSE(m.SprungAufNull());
    z.Ram.SetzeText(0, "00.000");  // a jump to entry 0 is the fetch of operation code 0
    Step(5);
    EXPECT_TRUE(m.SprungAufNull());
}

TEST_F(Sequenzer, FlagChosenAtStepStartAndAgainAtTheJump) {
    // Entry 5 compares equal bytes (VGL), so Flag becomes 1 during the step;
    // the step keeps its flag-0 word, the jump reads the flag-1 table.
    z.ExternerBus = 2 * 256;
    Micro(5, Word({"MPCLoad", "ALU0", "ALU1"}), 0);
    Micro(5, Word({"ET"}), 1);
    Micro(20, Word({"IR"}), 0);
    Micro(20, Word({"Anz"}), 1);
    Micro(21, Word({"Akku"}), 1);
    Step(5);
    EXPECT_EQ(z.Flag, 1);
    EXPECT_FALSE(z.TorOffen(Tor::ET));
    EXPECT_TRUE(Latched(Register::Anz));
    EXPECT_FALSE(Latched(Register::IR));
    m.Mikroschritt();
    EXPECT_TRUE(Latched(Register::Akku));
}

TEST_F(Sequenzer, MpcBeyondTheTableAndShortWordsCountAsZeros) {
    Gate(Tor::ET, true);
    Step(300);
    EXPECT_EQ(Ansicht().SteuerwortText, "");
    EXPECT_FALSE(z.TorOffen(Tor::ET));
    EXPECT_EQ(z.MPC, 301);

    Micro(0, "00001");  // PT
    Micro(1, "");
    Step(0);
    EXPECT_EQ(Ansicht().SteuerwortText, "00001");
    EXPECT_TRUE(z.TorOffen(Tor::PT));
    m.Mikroschritt();
    EXPECT_FALSE(z.TorOffen(Tor::PT));

    z.ExternerBus = 31 * 256;  // an operation part beyond 29
    Micro(2, Word({"MPCLoad"}));
    m.Mikroschritt();
    EXPECT_EQ(Ansicht().MpcText, "310");
    EXPECT_EQ(z.MPC, 311);
    Step(65535);
    EXPECT_EQ(z.MPC, 0);
}

TEST_F(Sequenzer, SelfJumpEndsAfterSixteenNestedJumps) {
    z.ExternerBus = 1 * 256;
    Micro(0, Word({"MPCLoad"}));
    Micro(10, Word({"PCI", "MPCLoad"}));  // jumps to itself
    EXPECT_EQ(FailureOf([&] { Step(0); }), kSpruenge);
    EXPECT_EQ(Content(Register::PC), 16);  // entry 10 ran once per allowed jump
    EXPECT_EQ(z.MPC, 10);                  // the 17th jump did not set the MPC
    EXPECT_FALSE(m.SchrittLaeuft());
    // The nesting depth starts from zero again.
    EXPECT_EQ(FailureOf([&] { m.Mikroschritt(); }), kSpruenge);
    EXPECT_EQ(Content(Register::PC), 33);
}

TEST_F(Sequenzer, ClickDuringTheStepsEventProcessingStartsNoSecondStep) {
    int reentered = 0;
    bool laufendGesehen = false;
    env.onEvents = [&] {
        laufendGesehen = laufendGesehen || m.SchrittLaeuft();
        if (reentered++ < 10) m.Mikroschritt();
    };
    Micro(0, Word({"MPCClear"}));
    Micro(1, Word({"Anz"}));
    Step(0);
    EXPECT_TRUE(laufendGesehen);
    EXPECT_EQ(reentered, 3);  // two event points of the clear, one of the load
    EXPECT_EQ(m.Mikroschritte(), 1u);
    EXPECT_EQ(z.MPC, 1);
    EXPECT_FALSE(Latched(Register::Anz));
    m.Mikroschritt();  // afterwards the button works again
    EXPECT_TRUE(Latched(Register::Anz));
}

TEST_F(Sequenzer, ResetClearsTheMachineButNotTheBusesThenRunsEntryZero) {
    z.ExternerBus = 300;
    z.InternerBus = 400;
    z.Flag = 1;
    z.AluAuswahl = 3;
    z.MPC = 77;
    for (int r = 0; r < RegisterAnzahl; ++r) {
        z.Reg(static_cast<Register>(r)).SetRegisterInhalt(static_cast<Wort>(r + 5));
        z.Reg(static_cast<Register>(r)).SetLaden(true);
    }
    for (int t = 0; t < TorAnzahl; ++t) z.SetzeTorZustand(static_cast<Tor>(t), true);
    Micro(0, Word({"PT", "RamRead"}), 0);
    Micro(0, Word({"ET"}), 1);

    bool checked = false;
    env.onEvents = [&] {  // the first event point comes before the wait and the microstep
        if (std::exchange(checked, true)) return;
        EXPECT_TRUE(env.waits.empty());
        EXPECT_EQ(z.ExternerBus, 300);
        EXPECT_EQ(z.InternerBus, 400);
        EXPECT_EQ(z.Flag, 0);
        EXPECT_EQ(z.AluAuswahl, -1);
        for (int t = 0; t < TorAnzahl; ++t) EXPECT_FALSE(z.TorOffen(static_cast<Tor>(t)));
        for (int r = 0; r < RegisterAnzahl; ++r) {
            EXPECT_EQ(Content(static_cast<Register>(r)), 0);
            EXPECT_EQ(z.Reg(static_cast<Register>(r)).Look(), Aussehen::Freigegeben);
        }
    };
    m.Reset();
    EXPECT_TRUE(checked);
    EXPECT_EQ(env.waits, std::vector<int>{300});
    EXPECT_TRUE(z.TorOffen(Tor::PT));  // entry 0 of the flag-0 table ran
    EXPECT_TRUE(z.TorOffen(Tor::Read));
    EXPECT_FALSE(z.TorOffen(Tor::ET));
    EXPECT_EQ(z.ExternerBus, 0);  // the cell at PC 0
    EXPECT_EQ(z.MPC, 1);
    EXPECT_EQ(Ansicht().MpcText, "000");
    EXPECT_EQ(m.Mikroschritte(), 0u);
}

}  // namespace
}  // namespace ventaro::test
