// The RAM grid's handlers: check of all cells, selection, editing, Enter.
#include "TestSupport.h"

namespace ventaro::test {
namespace {

using RamGitter = MachineTest;

TEST_F(RamGitter, CheckReportsEveryIncorrectCellInOrderAndSwitchesTheButtons) {
    m.Tabelle.Mnemonics[0] = "HOL";
    m.ZeileWaehlen(50);
    ASSERT_EQ(m.Status1(), " HOL 000");
    m.Ram.SetzeText(3, "30.000");
    m.Ram.SetzeText(10, "ab");
    m.Ram.SetzeText(127, "");
    m.RAMGridExit();
    EXPECT_EQ(env.boxes, (std::vector<std::string>{ZelleFalsch(3), ZelleFalsch(10), ZelleFalsch(127)}));
    EXPECT_FALSE(m.KnoepfeAktiv().Mikroschritt);
    EXPECT_FALSE(m.KnoepfeAktiv().Start);
    EXPECT_EQ(m.Status1(), "");
    EXPECT_EQ(m.Ram.Text(10), "ab");  // nothing is corrected
    EXPECT_EQ(m.Ram.AktuelleZeile(), 50);

    for (int a : {3, 10, 127}) m.RAMGridSetEditText(1, a + 1, "00.001");
    env.boxes.clear();
    m.RAMGridExit();
    EXPECT_TRUE(env.boxes.empty());
    EXPECT_TRUE(m.KnoepfeAktiv().Mikroschritt);
    EXPECT_TRUE(m.KnoepfeAktiv().Start);
}

TEST_F(RamGitter, CheckEnablesTheButtonsTheRunningClockDisabled) {
    m.StartBtnClick();
    ASSERT_FALSE(m.KnoepfeAktiv().Mikroschritt);
    m.RAMGridExit();
    EXPECT_TRUE(m.KnoepfeAktiv().Mikroschritt);
    EXPECT_TRUE(m.KnoepfeAktiv().Start);
    EXPECT_TRUE(m.Takt().laeuft);
}

TEST_F(RamGitter, EnterChecksThenMovesToTheNextRowUntilTheLast) {
    m.Tabelle.Mnemonics[3] = "LDA";
    m.Ram.SetzeText(5, "xx");
    m.Ram.SetzeText(127, "03.017");
    m.ZeileWaehlen(127);  // address 126
    m.RAMGridKeyPress('\r');
    EXPECT_EQ(m.Ram.AktuelleZeile(), 128);
    EXPECT_EQ(env.boxes, std::vector<std::string>{ZelleFalsch(5)});
    EXPECT_EQ(m.Status1(), " LDA 017");  // the check emptied the panel before the move
    m.RAMGridKeyPress('\r');
    EXPECT_EQ(m.Ram.AktuelleZeile(), 128);
    EXPECT_EQ(env.boxes.size(), 2u);
    m.RAMGridKeyPress('a');
    EXPECT_EQ(env.boxes.size(), 2u);
    EXPECT_EQ(m.Ram.AktuelleZeile(), 128);
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
        m.Tabelle.Mnemonics[3] = m.Tabelle.Mnemonics[29] = mnemonic;
        m.Ram.SetzeText(zeile - 1, text);
        m.ZeileWaehlen(zeile);
        EXPECT_EQ(m.Status1(), panel) << text;
        ++zeile;
    }
    m.Tabelle.Mnemonics[3] = "NEU";
    m.Ram.SetzeText(zeile - 2, "03.001");
    m.ZeileWaehlen(zeile - 1);  // the row is already current: no selection
    EXPECT_EQ(m.Status1(), " ENDE 255");
}

TEST_F(RamGitter, AddressSelectionDecodesUntilTheNextPass) {
    m.Tabelle.Mnemonics[1] = "ADD";
    m.Ram.SetzeText(5, "01.099");
    m.SetzeAdresse(5);
    EXPECT_EQ(m.Status1(), " ADD 099");
    m.Aktualisiere();
    EXPECT_EQ(m.Status1(), "");
}

TEST_F(RamGitter, EveryHandOverOfTheEditorCountsAsAnEdit) {
    m.RAMGridSetEditText(1, 5, "12.345");
    EXPECT_EQ(m.Ram.Text(4), "12.345");
    EXPECT_TRUE(m.RamEditiert);
    m.RamEditiert = false;
    m.RAMGridSetEditText(1, 5, "12.345");  // opened and closed without typing
    EXPECT_TRUE(m.RamEditiert);
    m.RAMGridSetEditText(1, 6, "");
    EXPECT_EQ(m.Ram.Text(5), "");
}

TEST_F(RamGitter, WrittenHighBytesFromThirtyOnAreReported) {
    const std::tuple<Wort, const char*, bool> rows[] = {
        {30 * 256, "30.000", true}, {65534, "255.254", true}, {29 * 256 + 255, "29.255", false}};
    for (const auto& [wort, text, gemeldet] : rows) {
        env.boxes.clear();
        m.ExternerBus = wort;
        Gate(Tor::Write, true);
        Gate(Tor::Write, false);
        EXPECT_EQ(m.Ram.Text(127), text);
        m.RAMGridExit();
        EXPECT_EQ(env.boxes, gemeldet ? std::vector<std::string>{ZelleFalsch(127)} : std::vector<std::string>{}) << wort;
        EXPECT_FALSE(m.RamEditiert);
    }
}

}  // namespace
}  // namespace ventaro::test
