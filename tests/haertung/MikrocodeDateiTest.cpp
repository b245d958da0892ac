// mikrocode.dat as a teacher or student may hand it over: empty, cut short,
// with a wrong count, binary, with endless lines, with any line ends, huge.
// Each is loaded leniently or refused with its message, changing nothing, in
// bounded memory; the program goes on.
#include "Haertung.h"

#include "microcode/Arbeitskopie.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro::test {
namespace {

// The lines of a file with the count line and n opcodes of Fill's table.
std::vector<std::string> Lines(const std::string& count, int n, const std::string& tag) {
    std::vector<std::string> lines = {count};
    for (int flag = 0; flag < 2; ++flag)
        for (int c = 0; c < n; ++c) {
            lines.push_back(tag + "M" + Nr(c));
            for (int s = 0; s < 10; ++s) lines.push_back(tag + Nr(flag) + "-" + Nr(10 * c + s));
        }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const std::string& ende = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + ende;
    return text;
}

class FeindlicheMikrocodeDatei : public ::testing::Test {
protected:
    FeindlicheMikrocodeDatei() {
        tabelle.SetzePfad(pfad);
        Fill(tabelle, "A");
    }
    std::string Laden() { return FailureOf([&] { tabelle.AllesLaden(); }); }
    // Nothing of the table changed, and N is still 29.
    void Unveraendert() {
        TMikrocodeTabelle alt;
        Fill(alt, "A");
        EXPECT_EQ(tabelle.Befehlsanzahl(), 29);
        EXPECT_EQ(tabelle.Mnemonics, alt.Mnemonics);
        EXPECT_EQ(tabelle.Steuerworte0, alt.Steuerworte0);
        EXPECT_EQ(tabelle.Steuerworte1, alt.Steuerworte1);
    }
    std::string Unzulaessig(const std::string& n) const {
        return "Datei " + pfad + " enth\xE4lt die unzul\xE4ssige Befehlsanzahl " + n + " (erlaubt sind 0 bis 30)";
    }

    TempDir dir;
    std::string pfad = dir / "mikrocode.dat";
    TMikrocodeTabelle tabelle;
};

TEST_F(FeindlicheMikrocodeDatei, RefusedCountLinesChangeNothing) {
    const std::string lines = Joined(std::vector<std::string>(700, "B"));  // enough for any count
    const std::pair<std::string, std::string> rows[] = {
        {"", KeinInteger("")},                                   // 0 bytes
        {"31\r\n" + lines, Unzulaessig("31")},
        {"-1\r\n" + lines, Unzulaessig("-1")},
        {"65536\r\n" + lines, Unzulaessig("65536")},             // not taken as 0 through its low 16 bits
        {"29abc\r\n" + lines, KeinInteger("29abc")},
        {std::string("\0\x01\xFF", 3) + "\r\n" + lines, KeinInteger(std::string("\0\x01\xFF", 3))},
        {std::string("2\0", 2) + "\r\n" + lines, KeinInteger(std::string("2\0", 2))},
    };
    for (const auto& [bytes, meldung] : rows) {
        SCOPED_TRACE(::testing::PrintToString(bytes.substr(0, 8)));
        WriteBytes(pfad, bytes);
        EXPECT_EQ(Laden(), meldung);
        Unveraendert();
    }
}

TEST_F(FeindlicheMikrocodeDatei, AcceptedCountsLoadTheirLinesOnly) {
    // "0" alone, without a line end: no entry changes.
    WriteBytes(pfad, "0");
    EXPECT_EQ(Laden(), "");
    EXPECT_EQ(tabelle.Befehlsanzahl(), 0);
    EXPECT_EQ(tabelle.Steuerworte0[0], "A0-0");
    // 30: the whole table, down to the last word of the flag-1 section.
    WriteBytes(pfad, Joined(Lines("30", 30, "B")));
    EXPECT_EQ(Laden(), "");
    EXPECT_EQ(tabelle.Befehlsanzahl(), 30);
    EXPECT_EQ(tabelle.Mnemonics[29], "BM29");
    EXPECT_EQ(tabelle.Steuerworte1[299], "B1-299");
}

TEST_F(FeindlicheMikrocodeDatei, BinaryBytesAndNulsAreTakenByteForByte) {
    std::string binaer;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') binaer += static_cast<char>(b);
    const std::string wort = std::string("00001\0", 6) + "00000000" + std::string("\0", 1) + "\xFF" "1" "0";
    std::vector<std::string> lines = {"1", binaer, wort};
    for (int s = 1; s < 10; ++s) lines.push_back(std::string(s, '\0'));
    lines.push_back("anders");  // the flag-1 mnemonic, ignored when reading
    for (int s = 0; s < 10; ++s) lines.push_back(binaer);
    WriteBytes(pfad, Joined(lines));
    ASSERT_EQ(Laden(), "");
    EXPECT_EQ(tabelle.Mnemonics[0], binaer);
    EXPECT_EQ(tabelle.Steuerworte0[0], wort);
    EXPECT_EQ(tabelle.Steuerworte0[9], std::string(9, '\0'));
    EXPECT_EQ(tabelle.Steuerworte1[5], binaer);
    EXPECT_EQ(tabelle.Mnemonics[1], "AM1");

    // Saved again byte for byte.
    tabelle.AllesSpeichern();
    std::vector<std::string> geschrieben = lines;
    geschrieben[12] = binaer;  // written from the table again
    EXPECT_EQ(ReadBytes(pfad), Joined(geschrieben));

    // The machine takes the words cut to 18 characters; a step on the word
    // with a NUL at position 15 fails with the conversion error for it.
    RecordingUmgebung env;
    TMaschine m(&env);
    m.Tabelle() = tabelle;
    m.MikrocodeKopieren();
    EXPECT_EQ(m.Mikrocode().Wort(0, 0).Text(), wort.substr(0, 18));
    EXPECT_EQ(m.Mikrocode().Wort(5, 1).Text(), binaer.substr(0, 18));
    EXPECT_EQ(FailureOf([&] { m.Mikroschritt(); }), KeinInteger(std::string("\0", 1)));
    EXPECT_EQ(m.Zustand().MPC, 0);  // not advanced
}

TEST_F(FeindlicheMikrocodeDatei, LinesOfAHundredThousandCharacters) {
    const std::string lang(100000, '1');
    std::vector<std::string> lines = {"2"};
    for (int i = 0; i < 44; ++i) lines.push_back(lang.substr(0, 100000 - i) + Nr(i));
    WriteBytes(pfad, Joined(lines));
    ASSERT_EQ(Laden(), "");
    EXPECT_EQ(tabelle.Mnemonics[1], lines[12]);
    EXPECT_EQ(tabelle.Steuerworte0[13], lines[16]);
    EXPECT_EQ(tabelle.Steuerworte1[19], lines[44]);
    EXPECT_EQ(tabelle.Steuerworte0[20], "A0-20");
    TArbeitskopie kopie;
    kopie.MikrocodeKopieren(tabelle);
    EXPECT_EQ(kopie.Wort(13, 0).Text(), std::string(18, '1'));
    EXPECT_EQ(kopie.Wort(20, 0).Text(), "A0-20");
    // Saved and loaded again whole.
    tabelle.AllesSpeichern();
    TMikrocodeTabelle wieder;
    wieder.SetzePfad(pfad);
    wieder.AllesLaden();
    EXPECT_EQ(wieder.Steuerworte1[19], lines[44]);
    EXPECT_EQ(wieder.Mnemonics[1], lines[12]);
}

TEST_F(FeindlicheMikrocodeDatei, AFileWhoseNeededLinesHoldMoreThanTheLimitIsRefused) {
    // 29 opcodes of lines of 100,000 characters: 64 MB, four times the limit.
    const std::string lang(100000, 'x');
    std::vector<std::string> lines(1 + 22 * 29, lang);
    lines[0] = "29";
    WriteBytes(pfad, Joined(lines));
    const Verlauf verlauf = MitSpeicher([&] { tabelle.AllesLaden(); });
    EXPECT_EQ(verlauf.meldung, Geoeffnet(pfad, EFBIG));
    EXPECT_LT(verlauf.bytes, 3 * MaxLesezeichen);
    Unveraendert();
}

TEST_F(FeindlicheMikrocodeDatei, AnyLineEndsGiveTheSameTable) {
    const std::vector<std::string> lines = Lines("2", 2, "B");
    WriteBytes(pfad, Joined(lines));
    ASSERT_EQ(Laden(), "");
    const TMikrocodeTabelle crlf = tabelle;
    std::string gemischt;
    const char* enden[] = {"\r\n", "\n", "\r"};
    for (std::size_t i = 0; i < lines.size(); ++i) gemischt += lines[i] + enden[i % 3];
    for (const std::string& bytes : {Joined(lines, "\r"), Joined(lines, "\n"), gemischt}) {
        Fill(tabelle, "A");
        WriteBytes(pfad, bytes);
        ASSERT_EQ(Laden(), "");
        EXPECT_EQ(tabelle.Mnemonics, crlf.Mnemonics);
        EXPECT_EQ(tabelle.Steuerworte0, crlf.Steuerworte0);
        EXPECT_EQ(tabelle.Steuerworte1, crlf.Steuerworte1);
    }
    // LF followed by CR is two line ends: an empty mnemonic, the rest one later.
    WriteBytes(pfad, "1\n\rM\r\n" + Joined(std::vector<std::string>(30, "W")));
    ASSERT_EQ(Laden(), "");
    EXPECT_EQ(tabelle.Mnemonics[0], "");
    EXPECT_EQ(tabelle.Steuerworte0[0], "M");
    EXPECT_EQ(tabelle.Steuerworte0[1], "W");
}

TEST_F(FeindlicheMikrocodeDatei, TwoHundredMegabytesAreNeverReadWhole) {
    constexpr off_t groesse = 200 * 1000 * 1000;
    // A good file followed by a hole of NULs: the lines the count needs load,
    // and nothing after them is read.
    LueckenDatei(pfad, Joined(Lines("2", 2, "B")), groesse);
    Verlauf verlauf = MitSpeicher([&] { tabelle.AllesLaden(); });
    EXPECT_EQ(verlauf.meldung, "");
    EXPECT_EQ(tabelle.Befehlsanzahl(), 2);
    EXPECT_EQ(tabelle.Steuerworte1[19], "B1-19");
    EXPECT_LT(verlauf.bytes, 1 * MiB);

    // Only NULs: line 1 alone is far beyond the limit.
    LueckenDatei(pfad, "", groesse);
    const TMikrocodeTabelle vorher = tabelle;
    verlauf = MitSpeicher([&] { tabelle.AllesLaden(); });
    EXPECT_EQ(verlauf.meldung, Geoeffnet(pfad, EFBIG));
    EXPECT_LT(verlauf.bytes, 3 * MaxLesezeichen);
    EXPECT_EQ(tabelle.Befehlsanzahl(), 2);
    EXPECT_EQ(tabelle.Steuerworte0, vorher.Steuerworte0);

    // A count line followed by the hole: the first word is that endless line.
    LueckenDatei(pfad, "1\r\n", groesse);
    verlauf = MitSpeicher([&] { tabelle.AllesLaden(); });
    EXPECT_EQ(verlauf.meldung, Geoeffnet(pfad, EFBIG));
    EXPECT_EQ(tabelle.Befehlsanzahl(), 2);
    EXPECT_EQ(tabelle.Mnemonics[0], vorher.Mnemonics[0]);
}

TEST_F(FeindlicheMikrocodeDatei, AnEndlessDeviceIsRefused) {
    tabelle.SetzePfad("/dev/zero");
    const Verlauf verlauf = MitSpeicher([&] { tabelle.AllesLaden(); });
    EXPECT_EQ(verlauf.meldung, Geoeffnet("/dev/zero", EFBIG));
    EXPECT_LT(verlauf.bytes, 3 * MaxLesezeichen);
    Unveraendert();
}

TEST_F(FeindlicheMikrocodeDatei, AfterAFailedStartUpTheProgramGoesOn) {
    RecordingUmgebung env;
    TMaschine m(&env);
    m.Tabelle().SetzePfad(pfad);
    WriteBytes(pfad, "29abc\r\n");
    EXPECT_EQ(FailureOf([&] { m.Startvorgang(); }), KeinInteger("29abc"));
    EXPECT_FALSE(m.RasterGefuellt());  // the sequence stopped at the microcode
    EXPECT_EQ(m.Mikrocode().Wort(0, 0).Text(), "");
    // A good file later ("mikrocode DATEI", or the editor's OK) is taken.
    WriteBytes(pfad, Joined(Lines("1", 1, "B")));
    EXPECT_EQ(FailureOf([&] { m.MikrocodeEinlesen(); }), "");
    EXPECT_EQ(m.Mikrocode().Wort(0, 0).Text(), "B0-0");
    EXPECT_EQ(m.Mikrocode().Wort(5, 1).Text(), "B1-5");
}

}  // namespace
}  // namespace ventaro::test
