// The register cell: input, content, output, latch and looks.
#include "TestSupport.h"

#include "core/SpeicherCP1.h"

namespace ventaro::test {
namespace {

TEST(SpeicherCP1, InputReachesTheContentOnlyThroughTheLatch) {
    TSpeicherCP1 cell;
    EXPECT_EQ(cell.RegisterName(), "Reg");
    cell.SetEingang(261);
    cell.SetLaden(false);  // releasing an unlatched cell loads nothing
    EXPECT_EQ(cell.RegisterInhalt(), 0);
    EXPECT_EQ(cell.Beschriftung(), "000");
    EXPECT_EQ(cell.Look(), Aussehen::Erzeugt);

    cell.SetLaden(true);  // loads the last input at once
    EXPECT_EQ(cell.Ausgang(), 261);
    EXPECT_EQ(cell.Beschriftung(), "01.005");
    EXPECT_EQ(cell.Look(), Aussehen::Geladen);
    cell.SetEingang(7);  // a latched cell follows its input
    EXPECT_EQ(cell.Ausgang(), 7);

    cell.SetRegisterInhalt(99);
    cell.SetLaden(true);  // latching again reloads the present input
    EXPECT_EQ(cell.RegisterInhalt(), 7);

    cell.SetLaden(false);
    cell.SetEingang(9);
    EXPECT_EQ(cell.Ausgang(), 7);
    EXPECT_EQ(cell.Look(), Aussehen::Freigegeben);
}

// The caption is the content's register text, whose forms WortTest pins;
// it follows every way the content changes.
TEST(SpeicherCP1, CaptionFollowsTheContent) {
    TSpeicherCP1 cell;
    for (Wort inhalt : {Wort{255}, Wort{256}, Wort{65535}}) {
        cell.SetRegisterInhalt(inhalt);
        EXPECT_EQ(cell.Beschriftung(), WortZuRegisterText(inhalt));
        EXPECT_EQ(cell.Ausgang(), inhalt);
    }
    cell.SetEingang(261);
    cell.SetLaden(true);
    EXPECT_EQ(cell.Beschriftung(), WortZuRegisterText(261));
}

}  // namespace
}  // namespace ventaro::test
