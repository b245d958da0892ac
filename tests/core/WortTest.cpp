// Text forms of words, the cell check and the message box text.
#include "TestSupport.h"

#include "core/Wort.h"

namespace ventaro::test {
namespace {

TEST(Wort, TextFormsOfTheWorkedExamples) {
    // Word, register caption, cell text, three-digit number.
    const std::tuple<Wort, const char*, const char*, const char*> rows[] = {
        {0, "000", "00.000", "000"},          {5, "005", "00.005", "005"},
        {42, "042", "00.042", "042"},         {255, "255", "00.255", "255"},
        {256, "01.000", "01.000", "256"},     {261, "01.005", "01.005", "261"},
        {3106, "12.034", "12.034", "3106"},   {7679, "29.255", "29.255", "7679"},
        {25600, "100.000", "100.000", "25600"}, {65534, "255.254", "255.254", "65534"},
    };
    for (const auto& [wort, registerText, zellText, dreistellig] : rows) {
        EXPECT_EQ(WortZuRegisterText(wort), registerText);
        EXPECT_EQ(WortZuZellText(wort), zellText);
        EXPECT_EQ(ZahlDreistellig(wort), dreistellig);
    }
    EXPECT_EQ(ZahlDreistellig(1000), "1000");
}

TEST(Wort, ZellTextZuWortReadsBothFieldsWithoutRangeTest) {
    const std::pair<const char*, Wort> rows[] = {
        {"00.000", 0},   {"01.005", 261}, {"12.034", 3106}, {"29.255", 7679}, {"00.300", 300}, {"99.999", 26343},
        {"01.5", 261},   // as many of characters 4 to 6 as there are
        {"01x005", 261}, // character 3 is not examined
        {"01.0059", 261}, // nor anything after character 6
    };
    for (const auto& [text, wort] : rows) EXPECT_EQ(ZellTextZuWort(text), wort) << text;
}

TEST(Wort, ZellTextZuWortFailsNamingTheField) {
    // Text, and the field the conversion message quotes.
    const std::pair<const char*, const char*> rows[] = {
        {"ab.cde", "ab"}, {"1.5", "1."},    {"", ""},         {"01.", ""},      {"01.abc", "abc"},   {" 1.005", " 1"},
        {"+1.005", "+1"}, {"$1.005", "$1"}, {"-1.005", "-1"}, {"01.-05", "-05"}, {"01. 05", " 05"},
    };
    for (const auto& [text, feld] : rows)
        EXPECT_EQ(FailureOf([&] { ZellTextZuWort(text); }), KeinInteger(feld)) << text;
}

TEST(Wort, ZelleKorrektAcceptsExactlyHHdotLLLWithinRange) {
    for (const char* text : {"00.000", "01.005", "29.255", "29.000", "00.255"})
        EXPECT_TRUE(ZelleKorrekt(text)) << text;
    for (const char* text : {"30.000", "00.256", "1.5", "0.0000", "00,000", "000.000", "00.00", "ab.cde", "",
                             " 1.005", "+1.005", "-1.005", "$1.005", "01. 05", "01.+05", "00.000 ", "255.254"})
        EXPECT_FALSE(ZelleKorrekt(text)) << text;
}

TEST(Fehler, MessageBoxAppendsFullStopAfterCharactersAboveIt) {
    const std::pair<const char*, const char*> rows[] = {
        {"Stream-Schreibfehler", "Stream-Schreibfehler."},
        {"ist nicht korrekt.", "ist nicht korrekt."},
        {"Warnung!", "Warnung!"},  // "!" lies below the full stop
        {"(erlaubt sind 0 bis 30)", "(erlaubt sind 0 bis 30)"},
        {"Befehlsanzahl 30", "Befehlsanzahl 30."},
        {"ge\xF6" "ffnet \xE4", "ge\xF6" "ffnet \xE4."},  // bytes above 127 count as above
        {"", ""},
    };
    for (const auto& [text, box] : rows) EXPECT_EQ(Meldungstext(text), box) << text;
}

}  // namespace
}  // namespace ventaro::test
