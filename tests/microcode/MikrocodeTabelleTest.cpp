// The microcode table, the file "mikrocode.dat" and the working copy.
#include "TestSupport.h"

#include "microcode/Arbeitskopie.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro::test {
namespace {

// The file Fill's table gives with the count line and n opcodes.
std::string FileText(const std::string& count, int n, const std::string& tag, const std::string& ende = "\r\n",
                     const std::string& mnemonic1 = "") {
    std::string text = count + ende;
    for (int flag = 0; flag < 2; ++flag)
        for (int c = 0; c < n; ++c) {
            text += (flag == 1 && !mnemonic1.empty() ? mnemonic1 : tag + "M" + Nr(c)) + ende;
            for (int s = 0; s < 10; ++s) text += tag + Nr(flag) + "-" + Nr(10 * c + s) + ende;
        }
    return text;
}

class MikrocodeTabelle : public ::testing::Test {
protected:
    MikrocodeTabelle() { tabelle.SetzePfad(pfad); }
    std::string Laden() { return FailureOf([&] { tabelle.AllesLaden(); }); }
    TempDir dir;
    std::string pfad = dir / "mikrocode.dat";
    TMikrocodeTabelle tabelle;
};

TEST_F(MikrocodeTabelle, SavedFileHas639LinesAndLoadsBackIdentical) {
    tabelle.FormCreate(dir.path().string() + "/");
    ASSERT_EQ(tabelle.Pfad(), pfad);
    Fill(tabelle, "A");
    tabelle.AllesSpeichern();
    const std::string bytes = ReadBytes(pfad);
    EXPECT_EQ(bytes, FileText("29", 29, "A"));  // the flag-1 section starts at line 321
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 639);

    TMikrocodeTabelle geladen;
    Fill(geladen, "X");
    geladen.SetzePfad(pfad);
    geladen.AllesLaden();
    for (int i = 0; i < TMikrocodeTabelle::Eintraege; ++i) {
        ASSERT_EQ(geladen.Steuerworte0[i], (i < 290 ? "A0-" : "X0-") + Nr(i));
        ASSERT_EQ(geladen.Steuerworte1[i], (i < 290 ? "A1-" : "X1-") + Nr(i));
    }
    EXPECT_EQ(geladen.Mnemonics[28], "AM28");
    EXPECT_EQ(geladen.Mnemonics[29], "XM29");
}

TEST_F(MikrocodeTabelle, CountZeroChangesNothingAndSavesOneLine) {
    Fill(tabelle, "A");
    WriteBytes(pfad, "0\r\n");
    EXPECT_EQ(Laden(), "");
    EXPECT_EQ(tabelle.Befehlsanzahl(), 0);
    EXPECT_EQ(tabelle.Steuerworte0[0], "A0-0");
    tabelle.AllesSpeichern();
    EXPECT_EQ(ReadBytes(pfad), "0\r\n");
}

TEST_F(MikrocodeTabelle, SmallerCountKeepsLaterOpcodesAndSavesOnlyItsOwn) {
    Fill(tabelle, "A");
    WriteBytes(pfad, FileText("2", 2, "B", "\r\n", "IGNORIERT"));
    tabelle.AllesLaden();
    EXPECT_EQ(tabelle.Befehlsanzahl(), 2);
    EXPECT_EQ(tabelle.Mnemonics[1], "BM1");  // the flag-1 mnemonic is not read
    EXPECT_EQ(tabelle.Steuerworte1[19], "B1-19");
    EXPECT_EQ(tabelle.Steuerworte0[20], "A0-20");
    EXPECT_EQ(tabelle.Mnemonics[2], "AM2");
    tabelle.AllesSpeichern();
    EXPECT_EQ(ReadBytes(pfad), FileText("2", 2, "B"));
}

TEST_F(MikrocodeTabelle, ShortFileGivesEmptyTexts) {
    Fill(tabelle, "A");
    WriteBytes(pfad, "3\r\nHOL\r\n1010");
    tabelle.AllesLaden();
    EXPECT_EQ(tabelle.Befehlsanzahl(), 3);
    EXPECT_EQ(tabelle.Steuerworte0[0], "1010");
    for (const std::string* text : {&tabelle.Steuerworte0[1], &tabelle.Mnemonics[2], &tabelle.Steuerworte1[0],
                                    &tabelle.Steuerworte1[29]})
        EXPECT_EQ(*text, "");
    EXPECT_EQ(tabelle.Steuerworte0[30], "A0-30");
}

TEST_F(MikrocodeTabelle, CountLineIsAnOptionalMinusAndDigitsWithAnyLineEnd) {
    // Line 1, the count it gives, the line end of the file.
    const std::tuple<const char*, int, const char*> rows[] = {
        {"30", 30, "\r\n"}, {"30", 30, "\n"}, {"30", 30, "\r"}, {"-0", 0, "\n"}, {"0029", 29, "\r"},
        {"000000000029", 29, "\r\n"},
    };
    for (const auto& [zeile, n, ende] : rows) {
        WriteBytes(pfad, FileText(zeile, n, "B", ende));
        EXPECT_EQ(Laden(), "") << zeile;
        EXPECT_EQ(tabelle.Befehlsanzahl(), n) << zeile;
        if (n == 30) { EXPECT_EQ(tabelle.Mnemonics[29] + tabelle.Steuerworte1[299], "BM29B1-299"); }
    }
}

TEST_F(MikrocodeTabelle, BadCountIsRefusedAndChangesNothing) {
    const auto unzulaessig = [this](const std::string& n) {
        return "Datei " + pfad + " enth\xE4lt die unzul\xE4ssige Befehlsanzahl " + n + " (erlaubt sind 0 bis 30)";
    };
    const std::pair<std::string, std::string> rows[] = {
        {"29abc", KeinInteger("29abc")}, {"", KeinInteger("")},       {" 29", KeinInteger(" 29")},
        {"29 ", KeinInteger("29 ")},     {"+29", KeinInteger("+29")}, {"$1D", KeinInteger("$1D")},
        {"-", KeinInteger("-")},         {"--1", KeinInteger("--1")}, {"99999999999", KeinInteger("99999999999")},
        {"-1", unzulaessig("-1")},       {"31", unzulaessig("31")},   {"65536", unzulaessig("65536")},
        {"-2147483648", unzulaessig("-2147483648")},
    };
    Fill(tabelle, "A");
    for (const auto& [zeile, meldung] : rows) {
        std::string text = zeile + "\r\n";
        for (int i = 0; i < 700; ++i) text += "B\r\n";  // lines for any count to take
        WriteBytes(pfad, text);
        EXPECT_EQ(Laden(), meldung) << zeile;
        EXPECT_EQ(tabelle.Befehlsanzahl(), 29) << zeile;
        EXPECT_EQ(tabelle.Steuerworte0[0] + tabelle.Mnemonics[0], "A0-0AM0") << zeile;
    }
    WriteBytes(pfad, "");
    EXPECT_EQ(Laden(), KeinInteger(""));
    fs::remove(pfad);
    EXPECT_EQ(Laden(), "Datei " + pfad + " kann nicht ge\xF6" "ffnet werden. No such file or directory");
    EXPECT_EQ(tabelle.Steuerworte0[0], "A0-0");
}

TEST_F(MikrocodeTabelle, LongWordStaysWholeUntilTheWorkingCopy) {
    const std::string lang = Word({"PT", "RamRead"}) + "111";
    tabelle.Steuerworte0[3] = lang;
    tabelle.AllesSpeichern();
    TMikrocodeTabelle geladen;
    geladen.SetzePfad(pfad);
    geladen.AllesLaden();
    EXPECT_EQ(geladen.Steuerworte0[3], lang);
    geladen.Steuerworte1[299] = "10";  // beyond N, copied all the same
    TArbeitskopie kopie;
    kopie.MikrocodeKopieren(geladen);
    EXPECT_EQ(kopie.Wort(3, 0).Text(), Word({"PT", "RamRead"}));
    EXPECT_EQ(kopie.Wort(299, 1).Text(), "10");
}

TEST_F(MikrocodeTabelle, FlagDependenceComparesAllTenSteps) {
    Fill(tabelle, "A");
    tabelle.Steuerworte1 = tabelle.Steuerworte0;
    for (int c = 0; c < TMikrocodeTabelle::MaxBefehle; ++c) ASSERT_FALSE(tabelle.Flagabhaengig(c)) << c;
    tabelle.Steuerworte1[49] += "1";  // step 9 of opcode 4
    tabelle.Steuerworte1[0] = "X";    // step 0 of opcode 0
    EXPECT_TRUE(tabelle.Flagabhaengig(4));
    EXPECT_TRUE(tabelle.Flagabhaengig(0));
    EXPECT_FALSE(tabelle.Flagabhaengig(3));
    EXPECT_FALSE(tabelle.Flagabhaengig(5));
}

TEST_F(MikrocodeTabelle, SaveReplacesTheFileThroughARename) {
    Fill(tabelle, "A");
    tabelle.AllesSpeichern();
    std::ifstream alt(pfad, std::ios::binary);  // still names the old file afterwards
    Fill(tabelle, "B");
    tabelle.AllesSpeichern();
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(alt), std::istreambuf_iterator<char>()), FileText("29", 29, "A"));
    EXPECT_EQ(ReadBytes(pfad), FileText("29", 29, "B"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"mikrocode.dat"});
}

TEST_F(MikrocodeTabelle, FailedSaveKeepsTheOldFileWhole) {
    Fill(tabelle, "A");
    tabelle.AllesSpeichern();
    Fill(tabelle, "B");
    std::string meldung;
    {
        FileSizeLimit limit(100);  // writing stops part-way
        meldung = FailureOf([&] { tabelle.AllesSpeichern(); });
    }
    EXPECT_EQ(meldung, "Datei \"" + pfad + "\" kann nicht erstellt werden. File too large");
    EXPECT_EQ(ReadBytes(pfad), FileText("29", 29, "A"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"mikrocode.dat"});  // no temporary file left

    if (::geteuid() != 0) {  // root writes into read-only directories
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(FailureOf([&] { tabelle.AllesSpeichern(); }),
                  "Datei \"" + pfad + "\" kann nicht erstellt werden. Permission denied");
        EXPECT_EQ(ReadBytes(pfad), FileText("29", 29, "A"));
        fs::permissions(dir.path(), fs::perms::owner_all);
    }
    WriteBytes(dir / "datei", "x");
    tabelle.SetzePfad(dir / "datei/mikrocode.dat");
    EXPECT_EQ(FailureOf([&] { tabelle.AllesSpeichern(); }),
              "Datei \"" + (dir / "datei/mikrocode.dat") + "\" kann nicht erstellt werden. Not a directory");
}

}  // namespace
}  // namespace ventaro::test
