// The RAM grid's handlers: check of all cells, selection, editing, Enter.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

using RamGitter = MachineTest;

TEST_F(RamGitter, CheckReportsEveryIncorrectCellInOrderAndSwitchesTheButtons) {
    m.Tabelle().Mnemonics[0] = "HOL";
    m.ZeileWaehlen(50);
    ASSERT_EQ(Ansicht().Status1, " HOL 000");
    z.Ram.SetzeText(3, "30.000");
    z.Ram.SetzeText(10, "ab");
    z.Ram.SetzeText(127, "");
    m.AllePruefen();
    EXPECT_EQ(env.boxes, (std::vector<std::string>{ZelleFalsch(3), ZelleFalsch(10), ZelleFalsch(127)}));
    EXPECT_FALSE(m.Zustand().Aktiv.Mikroschritt);
    EXPECT_FALSE(m.Zustand().Aktiv.Start);
    EXPECT_EQ(Ansicht().Status1, "");
    EXPECT_EQ(z.Ram.Text(10), "ab");  // nothing is corrected
    EXPECT_EQ(z.Ram.AktuelleZeile(), 50);

    for (int a : {3, 10, 127}) m.ZelleUebergeben(a, "00.001");
    env.boxes.clear();
    m.AllePruefen();
    EXPECT_TRUE(env.boxes.empty());
    EXPECT_TRUE(m.Zustand().Aktiv.Mikroschritt);
    EXPECT_TRUE(m.Zustand().Aktiv.Start);
}

TEST_F(RamGitter, CheckEnablesTheButtonsTheRunningClockDisabled) {
    m.TaktStarten();
    ASSERT_FALSE(m.Zustand().Aktiv.Mikroschritt);
    m.AllePruefen();
    EXPECT_TRUE(m.Zustand().Aktiv.Mikroschritt);
    EXPECT_TRUE(m.Zustand().Aktiv.Start);
    EXPECT_TRUE(m.Takt().laeuft);
}

TEST_F(RamGitter, EnterChecksThenMovesToTheNextRowUntilTheLast) {
    m.Tabelle().Mnemonics[3] = "LDA";
    z.Ram.SetzeText(5, "xx");
    z.Ram.SetzeText(127, "03.017");
    m.ZeileWaehlen(127);  // address 126
    m.EingabeAbschliessen();
    EXPECT_EQ(z.Ram.AktuelleZeile(), 128);
    EXPECT_EQ(env.boxes, std::vector<std::string>{ZelleFalsch(5)});
    EXPECT_EQ(Ansicht().Status1, " LDA 017");  // the check emptied the panel before the move
    m.EingabeAbschliessen();
    EXPECT_EQ(z.Ram.AktuelleZeile(), 128);
    EXPECT_EQ(env.boxes.size(), 2u);
}

TEST_F(RamGitter, SelectingACellDecodesItIntoStatusPanelOne) {
    // Cell text, mnemonic of operation code 3 or 29, panel afterwards.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"03.017", "M", " M 017"},
        {"03.017", "", "  017"},
        {"29.255", "ENDE", " ENDE 255"},
        {"30.000", "M", " ENDE 255"},  // incorrect: the panel keeps its text
        {"3.017", "M", " ENDE 255"},
    };
    int zeile = 2;
    for (const auto& [text, mnemonic, panel] : rows) {
        m.Tabelle().Mnemonics[3] = m.Tabelle().Mnemonics[29] = mnemonic;
        z.Ram.SetzeText(zeile - 1, text);
        m.ZeileWaehlen(zeile);
        EXPECT_EQ(Ansicht().Status1, panel) << text;
        ++zeile;
    }
    m.Tabelle().Mnemonics[3] = "NEU";
    z.Ram.SetzeText(zeile - 2, "03.001");
    m.ZeileWaehlen(zeile - 1);  // the row is already current: no selection
    EXPECT_EQ(Ansicht().Status1, " ENDE 255");
}

TEST_F(RamGitter, AddressSelectionDecodesUntilTheNextPass) {
    m.Tabelle().Mnemonics[1] = "ADD";
    z.Ram.SetzeText(5, "01.099");
    pfad.SetzeAdresse(5);
    EXPECT_EQ(Ansicht().Status1, " ADD 099");
    pfad.Aktualisiere();
    EXPECT_EQ(Ansicht().Status1, "");
}

TEST_F(RamGitter, EveryHandOverOfTheEditorCountsAsAnEdit) {
    m.ZelleUebergeben(4, "12.345");
    EXPECT_EQ(z.Ram.Text(4), "12.345");
    EXPECT_TRUE(m.RamEditiert());
    m.FuerTests().datei.RamEditiert = false;
    m.ZelleUebergeben(4, "12.345");  // opened and closed without typing
    EXPECT_TRUE(m.RamEditiert());
    m.ZelleUebergeben(5, "");
    EXPECT_EQ(z.Ram.Text(5), "");
}

TEST_F(RamGitter, WrittenHighBytesFromThirtyOnAreReported) {
    const std::tuple<Wort, const char*, bool> rows[] = {
        {30 * 256, "30.000", true}, {65534, "255.254", true}, {29 * 256 + 255, "29.255", false}};
    for (const auto& [wort, text, gemeldet] : rows) {
        env.boxes.clear();
        z.ExternerBus = wort;
        Gate(Tor::Write, true);
        Gate(Tor::Write, false);
        EXPECT_EQ(z.Ram.Text(127), text);
        m.AllePruefen();
        EXPECT_EQ(env.boxes, gemeldet ? std::vector<std::string>{ZelleFalsch(127)} : std::vector<std::string>{}) << wort;
        EXPECT_FALSE(m.RamEditiert());
    }
}

}  // namespace
}  // namespace ventaro::test
