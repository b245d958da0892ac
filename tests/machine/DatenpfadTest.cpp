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
        z.Reg(Register::Akku).SetRegisterInhalt(akku);
        z.InternerBus = bus;
        z.Flag = flagVorher;
        z.AluErgebnis = 77;
        z.AluAuswahl = auswahl;
        pfad.Aktualisiere();
        EXPECT_EQ(z.AluErgebnis, ergebnis);
        EXPECT_EQ(z.Flag, flag);
        EXPECT_EQ(Ansicht().AluText, ZahlDreistellig(ergebnis));
        EXPECT_EQ(Ansicht().FlagText, "F=" + std::to_string(flag));
        EXPECT_EQ(Ansicht().MpcFlagText, std::to_string(flag));
        EXPECT_EQ(z.Reg(Register::Erg).Eingang(), ergebnis);
    }
}

TEST_F(Datenpfad, ReadAndEtBringTheCellIntoAkkuAndAluInOnePass) {
    z.Ram.SetzeText(0, "01.005");
    z.SetzeTorZustand(Tor::Read, true);
    z.SetzeTorZustand(Tor::ET, true);
    z.Reg(Register::Akku).SetLaden(true);
    pfad.Aktualisiere();
    EXPECT_EQ(z.InternerBus, 261);
    EXPECT_EQ(Content(Register::Akku), 261);
    EXPECT_EQ(z.AluB, 5);
    EXPECT_EQ(z.AluA, 5);  // the latched Akku loaded before the ALU read it
}

TEST_F(Datenpfad, AtReachesTheInternalBusOnlyOnTheNextPass) {
    z.Ram.SetzeText(0, "01.005");
    z.Reg(Register::Akku).SetRegisterInhalt(9);
    for (Tor t : {Tor::Read, Tor::ET, Tor::AT}) z.SetzeTorZustand(t, true);
    z.Reg(Register::Anz).SetLaden(true);
    pfad.Aktualisiere();
    EXPECT_EQ(z.InternerBus, 261);  // ET copied the word read before AT drove the bus
    EXPECT_EQ(z.ExternerBus, 9);
    EXPECT_EQ(Ansicht().AnzeigeText, "00.009");  // a latched Anz shows the new word in the same pass
    EXPECT_EQ(Ansicht().Status1, kWarnung);
    z.SetzeTorZustand(Tor::Read, false);
    pfad.Aktualisiere();
    EXPECT_EQ(z.InternerBus, 9);
}

TEST_F(Datenpfad, ClosingEtWhileErgTIsOpenLeavesTheInternalBusAtZero) {
    z.Reg(Register::Erg).SetRegisterInhalt(42);
    z.ExternerBus = 13;
    Gate(Tor::ErgT, true);
    EXPECT_EQ(z.InternerBus, 42);
    Gate(Tor::ET, true);
    EXPECT_EQ(z.InternerBus, 13);
    Gate(Tor::ET, false);
    EXPECT_EQ(z.InternerBus, 0);
}

TEST_F(Datenpfad, WriteStoresTheBusOnlyWhenOpening) {
    z.ExternerBus = 261;
    Gate(Tor::Write, true);
    EXPECT_EQ(z.Ram.Text(127), "01.005");  // RamAdresse is still 127 from start-up
    z.ExternerBus = 5;
    pfad.Aktualisiere();
    Gate(Tor::Write, false);
    EXPECT_EQ(z.Ram.Text(127), "01.005");
    EXPECT_FALSE(m.RamEditiert());
    for (int a = 0; a < 127; ++a) ASSERT_EQ(z.Ram.Text(a), "00.000");
}

TEST_F(Datenpfad, PtAndItChooseTheAddress) {
    z.Reg(Register::PC).SetRegisterInhalt(10);
    z.Reg(Register::IR).SetRegisterInhalt(20);
    Gate(Tor::PT, true);
    EXPECT_EQ(z.Ram.AktuelleZeile(), 11);
    Gate(Tor::PT, false);  // IT closed: address 0
    EXPECT_EQ(z.RamAdresse, 0);
    EXPECT_EQ(z.Ram.AktuelleZeile(), 1);
    Gate(Tor::IT, true);
    Gate(Tor::PT, true);  // both open: PC wins
    EXPECT_EQ(z.RamAdresse, 10);
    Gate(Tor::PT, false);  // IT open: the address is left to IT
    EXPECT_EQ(z.RamAdresse, 20);
    EXPECT_EQ(z.Ram.AktuelleZeile(), 21);
}

TEST_F(Datenpfad, LoadedPcMovesTheAddressOnePassLaterAndReadFollowsOneMore) {
    z.Ram.SetzeText(0, "00.005");
    z.Ram.SetzeText(5, "00.007");
    Gate(Tor::PT, true);
    Latch(Register::PC);
    z.SetzeTorZustand(Tor::Read, true);
    pfad.SetzeRead(true);  // reads address 0; PC loads 5 at the end of the pass
    EXPECT_EQ(Content(Register::PC), 5);
    EXPECT_EQ(z.RamAdresse, 0);
    pfad.Aktualisiere();
    EXPECT_EQ(z.RamAdresse, 5);
    EXPECT_EQ(z.ExternerBus, 5);
    pfad.Aktualisiere();
    EXPECT_EQ(z.ExternerBus, 7);
}

TEST_F(Datenpfad, ReadSetterIgnoresIncorrectCells) {
    z.Ram.SetzeText(0, "30.000");
    z.ExternerBus = 5;
    z.InternerBus = 9;
    z.Reg(Register::Akku).SetLaden(true);  // a pass would load 9
    z.SetzeTorZustand(Tor::Read, true);
    pfad.SetzeRead(true);
    EXPECT_EQ(z.ExternerBus, 5);
    EXPECT_EQ(Content(Register::Akku), 0);

    z.SetzeTorZustand(Tor::Read, false);
    z.Ram.SetzeText(0, "00.007");
    Gate(Tor::Read, true);
    z.Ram.SetzeText(0, "30.000");
    Gate(Tor::Read, false);  // the setter changes nothing, so the bus keeps 7
    EXPECT_EQ(z.ExternerBus, 7);
}

TEST_F(Datenpfad, UnreadableCellEndsThePassAtTheReadStep) {
    pfad.Aktualisiere();
    z.Ram.SetzeText(0, "ab.cde");
    z.ExternerBus = 3;
    for (Tor t : {Tor::Read, Tor::ET, Tor::Write}) z.SetzeTorZustand(t, true);
    EXPECT_EQ(FailureOf([&] { pfad.Aktualisiere(); }), KeinInteger("ab"));
    EXPECT_EQ(z.InternerBus, 0);
    EXPECT_EQ(Ansicht().Status1, "");  // the conflict check did not run
}

TEST_F(Datenpfad, GateConflicts) {
    const std::tuple<Tor, Tor, bool> rows[] = {
        {Tor::ET, Tor::AT, true},     {Tor::ErgT, Tor::ET, true}, {Tor::PT, Tor::IT, true},
        {Tor::Read, Tor::Write, true}, {Tor::Read, Tor::AT, true}, {Tor::AT, Tor::Write, false},
        {Tor::Read, Tor::ET, false},  {Tor::ErgT, Tor::AT, false}, {Tor::PT, Tor::Write, false},
    };
    for (const auto& [a, b, konflikt] : rows) {
        for (int t = 0; t < TorAnzahl; ++t) z.SetzeTorZustand(static_cast<Tor>(t), t == int(a) || t == int(b));
        pfad.Aktualisiere();
        EXPECT_EQ(Ansicht().Status1, konflikt ? kWarnung : "") << TorNamen[int(a)] << "+" << TorNamen[int(b)];
    }
}

TEST_F(Datenpfad, AddressBeyondTheRamFailsAndTouchesNoCell) {
    z.Ram.SetzeAktuelleZeile(10);
    EXPECT_EQ(FailureOf([&] { pfad.SetzeAdresse(130); }), kGitterindex);
    EXPECT_EQ(z.RamAdresse, 130);
    EXPECT_EQ(z.Ram.AktuelleZeile(), 10);

    z.ExternerBus = 261;
    z.SetzeTorZustand(Tor::Write, true);
    EXPECT_EQ(FailureOf([&] { pfad.SetzeWrite(true); }), kGitterindex);
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) ASSERT_EQ(z.Ram.Text(a), "00.000");

    z.SetzeTorZustand(Tor::Write, false);
    z.Reg(Register::PC).SetRegisterInhalt(127);
    Gate(Tor::PT, true);
    EXPECT_EQ(FailureOf([&] { m.PCErhoehen(); }), kGitterindex);  // PC 128 with PT open
    EXPECT_EQ(z.RamAdresse, 128);
    EXPECT_EQ(z.Ram.AktuelleZeile(), 128);
}

TEST_F(Datenpfad, ReadFollowsTheSelectedRowWriteFollowsRamAdresse) {
    z.Ram.SetzeText(9, "00.009");
    pfad.SetzeAdresse(5);
    m.ZeileWaehlen(10);
    Gate(Tor::Read, true);
    EXPECT_EQ(z.ExternerBus, 9);
    Gate(Tor::Read, false);
    z.ExternerBus = 261;
    Gate(Tor::Write, true);
    EXPECT_EQ(z.Ram.Text(5), "01.005");
    EXPECT_EQ(z.Ram.Text(9), "00.009");
}

}  // namespace
}  // namespace ventaro::test
