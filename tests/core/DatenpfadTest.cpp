// The update pass, the ALU, the gate setters, SetzeAdresse and PruefeTore.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

const std::string kWarnung = "Warnung: Zu viele Tore ge\xF6" "ffnet!";
const std::string kGitterindex = "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs";

using Datenpfad = MachineTest;

TEST_F(Datenpfad, AluOperationsOnTheLowBytes) {
    // Selection, Akku, internal bus, Flag before, result (77: the previous one kept), Flag after.
    const std::tuple<int, Wort, Wort, Wort, Wort, Wort> rows[] = {
        {0, 200, 100, 0, 44, 0},   {0, 261, 517, 0, 10, 0},  // high bytes never reach the ALU
        {1, 5, 3, 0, 2, 0},        {1, 3, 5, 0, 65534, 0},  {1, 0, 255, 1, 65281, 1},
        {2, 7, 7, 0, 77, 1},       {2, 7, 8, 1, 77, 0},     {2, 263, 7, 0, 77, 1},
        {3, 8, 7, 0, 77, 1},       {3, 7, 7, 1, 77, 0},     {3, 7, 8, 1, 77, 0},
        {4, 7, 8, 0, 77, 1},       {4, 7, 7, 1, 77, 0},     {4, 8, 7, 1, 77, 0},
        {5, 12, 10, 1, 8, 1},      {5, 0x1F0, 0xFF, 0, 0xF0, 0},
        {6, 0, 9, 0, 1, 0},        {6, 1, 9, 1, 0, 1},      {6, 4, 0, 0, 1, 0},  {6, 255, 0, 0, 0, 0},
        {-1, 5, 3, 1, 0, 1},
    };
    for (const auto& [auswahl, akku, bus, flagVorher, ergebnis, flag] : rows) {
        SCOPED_TRACE(::testing::Message() << "ALU " << auswahl << " A " << akku << " B " << bus);
        m.Reg(Register::Akku).SetRegisterInhalt(akku);
        m.InternerBus = bus;
        m.Flag = flagVorher;
        m.AluErgebnis = 77;
        m.AluAuswahl = auswahl;
        m.Aktualisiere();
        EXPECT_EQ(m.AluErgebnis, ergebnis);
        EXPECT_EQ(m.Flag, flag);
        EXPECT_EQ(m.ALULbl(), ZahlDreistellig(ergebnis));
        EXPECT_EQ(m.FlagLbl(), "F=" + std::to_string(flag));
        EXPECT_EQ(m.MPCFlagText(), std::to_string(flag));
        EXPECT_EQ(m.Reg(Register::Erg).Eingang(), ergebnis);
    }
}

TEST_F(Datenpfad, ReadAndEtBringTheCellIntoAkkuAndAluInOnePass) {
    m.Ram.SetzeText(0, "01.005");
    m.SetzeTorZustand(Tor::Read, true);
    m.SetzeTorZustand(Tor::ET, true);
    m.Reg(Register::Akku).SetLaden(true);
    m.Aktualisiere();
    EXPECT_EQ(m.InternerBus, 261);
    EXPECT_EQ(Content(Register::Akku), 261);
    EXPECT_EQ(m.AluB, 5);
    EXPECT_EQ(m.AluA, 5);  // the latched Akku loaded before the ALU read it
}

TEST_F(Datenpfad, AtReachesTheInternalBusOnlyOnTheNextPass) {
    m.Ram.SetzeText(0, "01.005");
    m.Reg(Register::Akku).SetRegisterInhalt(9);
    for (Tor t : {Tor::Read, Tor::ET, Tor::AT}) m.SetzeTorZustand(t, true);
    m.Reg(Register::Anz).SetLaden(true);
    m.Aktualisiere();
    EXPECT_EQ(m.InternerBus, 261);  // ET copied the word read before AT drove the bus
    EXPECT_EQ(m.ExternerBus, 9);
    EXPECT_EQ(m.DisplayEditText(), "00.009");  // a latched Anz shows the new word in the same pass
    EXPECT_EQ(m.Status1(), kWarnung);
    m.SetzeTorZustand(Tor::Read, false);
    m.Aktualisiere();
    EXPECT_EQ(m.InternerBus, 9);
}

TEST_F(Datenpfad, ClosingEtWhileErgTIsOpenLeavesTheInternalBusAtZero) {
    m.Reg(Register::Erg).SetRegisterInhalt(42);
    m.ExternerBus = 13;
    Gate(Tor::ErgT, true);
    EXPECT_EQ(m.InternerBus, 42);
    Gate(Tor::ET, true);
    EXPECT_EQ(m.InternerBus, 13);
    Gate(Tor::ET, false);
    EXPECT_EQ(m.InternerBus, 0);
}

TEST_F(Datenpfad, WriteStoresTheBusOnlyWhenOpening) {
    m.ExternerBus = 261;
    Gate(Tor::Write, true);
    EXPECT_EQ(m.Ram.Text(127), "01.005");  // RamAdresse is still 127 from start-up
    m.ExternerBus = 5;
    m.Aktualisiere();
    Gate(Tor::Write, false);
    EXPECT_EQ(m.Ram.Text(127), "01.005");
    EXPECT_FALSE(m.RamEditiert);
    for (int a = 0; a < 127; ++a) ASSERT_EQ(m.Ram.Text(a), "00.000");
}

TEST_F(Datenpfad, PtAndItChooseTheAddress) {
    m.Reg(Register::PC).SetRegisterInhalt(10);
    m.Reg(Register::IR).SetRegisterInhalt(20);
    Gate(Tor::PT, true);
    EXPECT_EQ(m.Ram.AktuelleZeile(), 11);
    Gate(Tor::PT, false);  // IT closed: address 0
    EXPECT_EQ(m.RamAdresse, 0);
    EXPECT_EQ(m.Ram.AktuelleZeile(), 1);
    Gate(Tor::IT, true);
    Gate(Tor::PT, true);  // both open: PC wins
    EXPECT_EQ(m.RamAdresse, 10);
    Gate(Tor::PT, false);  // IT open: the address is left to IT
    EXPECT_EQ(m.RamAdresse, 20);
    EXPECT_EQ(m.Ram.AktuelleZeile(), 21);
}

TEST_F(Datenpfad, LoadedPcMovesTheAddressOnePassLaterAndReadFollowsOneMore) {
    m.Ram.SetzeText(0, "00.005");
    m.Ram.SetzeText(5, "00.007");
    Gate(Tor::PT, true);
    Latch(Register::PC);
    m.SetzeTorZustand(Tor::Read, true);
    m.SetzeRead(true);  // reads address 0; PC loads 5 at the end of the pass
    EXPECT_EQ(Content(Register::PC), 5);
    EXPECT_EQ(m.RamAdresse, 0);
    m.Aktualisiere();
    EXPECT_EQ(m.RamAdresse, 5);
    EXPECT_EQ(m.ExternerBus, 5);
    m.Aktualisiere();
    EXPECT_EQ(m.ExternerBus, 7);
}

TEST_F(Datenpfad, ReadSetterIgnoresIncorrectCells) {
    m.Ram.SetzeText(0, "30.000");
    m.ExternerBus = 5;
    m.InternerBus = 9;
    m.Reg(Register::Akku).SetLaden(true);  // a pass would load 9
    m.SetzeTorZustand(Tor::Read, true);
    m.SetzeRead(true);
    EXPECT_EQ(m.ExternerBus, 5);
    EXPECT_EQ(Content(Register::Akku), 0);

    m.SetzeTorZustand(Tor::Read, false);
    m.Ram.SetzeText(0, "00.007");
    Gate(Tor::Read, true);
    m.Ram.SetzeText(0, "30.000");
    Gate(Tor::Read, false);  // the setter changes nothing, so the bus keeps 7
    EXPECT_EQ(m.ExternerBus, 7);
}

TEST_F(Datenpfad, UnreadableCellEndsThePassAtTheReadStep) {
    m.Aktualisiere();
    m.Ram.SetzeText(0, "ab.cde");
    m.ExternerBus = 3;
    for (Tor t : {Tor::Read, Tor::ET, Tor::Write}) m.SetzeTorZustand(t, true);
    EXPECT_EQ(FailureOf([&] { m.Aktualisiere(); }), KeinInteger("ab"));
    EXPECT_EQ(m.InternerBus, 0);
    EXPECT_EQ(m.Status1(), "");  // the conflict check did not run
}

TEST_F(Datenpfad, GateConflicts) {
    const std::tuple<Tor, Tor, bool> rows[] = {
        {Tor::ET, Tor::AT, true},     {Tor::ErgT, Tor::ET, true}, {Tor::PT, Tor::IT, true},
        {Tor::Read, Tor::Write, true}, {Tor::Read, Tor::AT, true}, {Tor::AT, Tor::Write, false},
        {Tor::Read, Tor::ET, false},  {Tor::ErgT, Tor::AT, false}, {Tor::PT, Tor::Write, false},
    };
    for (const auto& [a, b, konflikt] : rows) {
        for (int t = 0; t < TorAnzahl; ++t) m.SetzeTorZustand(static_cast<Tor>(t), t == int(a) || t == int(b));
        m.Aktualisiere();
        EXPECT_EQ(m.Status1(), konflikt ? kWarnung : "") << TorNamen[int(a)] << "+" << TorNamen[int(b)];
    }
}

TEST_F(Datenpfad, AddressBeyondTheRamFailsAndTouchesNoCell) {
    m.Ram.SetzeAktuelleZeile(10);
    EXPECT_EQ(FailureOf([&] { m.SetzeAdresse(130); }), kGitterindex);
    EXPECT_EQ(m.RamAdresse, 130);
    EXPECT_EQ(m.Ram.AktuelleZeile(), 10);

    m.ExternerBus = 261;
    m.SetzeTorZustand(Tor::Write, true);
    EXPECT_EQ(FailureOf([&] { m.SetzeWrite(true); }), kGitterindex);
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) ASSERT_EQ(m.Ram.Text(a), "00.000");

    m.SetzeTorZustand(Tor::Write, false);
    m.Reg(Register::PC).SetRegisterInhalt(127);
    Gate(Tor::PT, true);
    EXPECT_EQ(FailureOf([&] { m.PCRechtsklick(); }), kGitterindex);  // PC 128 with PT open
    EXPECT_EQ(m.RamAdresse, 128);
    EXPECT_EQ(m.Ram.AktuelleZeile(), 128);
}

TEST_F(Datenpfad, ReadFollowsTheSelectedRowWriteFollowsRamAdresse) {
    m.Ram.SetzeText(9, "00.009");
    m.SetzeAdresse(5);
    m.ZeileWaehlen(10);
    Gate(Tor::Read, true);
    EXPECT_EQ(m.ExternerBus, 9);
    Gate(Tor::Read, false);
    m.ExternerBus = 261;
    Gate(Tor::Write, true);
    EXPECT_EQ(m.Ram.Text(5), "01.005");
    EXPECT_EQ(m.Ram.Text(9), "00.009");
}

}  // namespace
}  // namespace ventaro::test
