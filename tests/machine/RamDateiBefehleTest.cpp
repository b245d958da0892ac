// The RAM file commands "Öffnen", "Speichern" and "Speichern unter..." after their dialogs.
#include "TestSupport.h"

#include "core/Wort.h"

namespace ventaro::test {
namespace {

class RamDatei : public RamDateiMaschine {
protected:
    // The texts "00.000", "00.001", ... of count cells, each followed by the line end.
    static std::string Numbered(int count, const std::string& ende = "\r\n") {
        std::string bytes;
        for (int a = 0; a < count; ++a) bytes += WortZuZellText(static_cast<Wort>(a)) + ende;
        return bytes;
    }
    TempDir dir;
};

TEST_F(RamDatei, SaveWritesEveryCellWithCrLf) {
    z.Ram.SetzeText(0, "05.010");
    z.Ram.SetzeText(1, "29.255");
    m.FuerTests().datei.RamEditiert = true;
    EXPECT_FALSE(m.RamDateiSpeichern());  // no target chosen yet
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_TRUE(m.RamEditiert());

    const std::string pfad = dir / "test.obj";
    m.RamDateiSpeichernUnter(pfad);
    std::string erwartet = "05.010\r\n29.255\r\n";
    for (int a = 2; a < 128; ++a) erwartet += "00.000\r\n";
    EXPECT_EQ(ReadBytes(pfad), erwartet);
    EXPECT_EQ(erwartet.size(), 1024u);
    EXPECT_FALSE(m.RamEditiert());
    EXPECT_EQ(m.Datei().RamDateiname, pfad);
    EXPECT_EQ(m.Datei().Dateititel, "test.obj");
}

TEST_F(RamDatei, OpenReadsEveryKindOfLineEndAndResets) {
    for (const char* ende : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(ende)));
        WriteBytes(dir / "prog.obj", Numbered(128, ende));
        z.Reg(Register::Akku).SetRegisterInhalt(9);
        z.MPC = 50;
        m.FuerTests().datei.RamEditiert = true;
        m.RamDateiOeffnen(dir / "prog.obj");
        for (int a = 0; a < 128; ++a) ASSERT_EQ(z.Ram.Text(a), WortZuZellText(static_cast<Wort>(a)));
        EXPECT_TRUE(env.boxes.empty());
        EXPECT_TRUE(m.Zustand().Aktiv.Mikroschritt);
        EXPECT_FALSE(m.RamEditiert());
        EXPECT_EQ(m.Datei().Dateititel, "prog.obj");
        EXPECT_EQ(z.MPC, 1);
        EXPECT_EQ(Content(Register::Akku), 0);
        EXPECT_TRUE(z.TorOffen(Tor::PT));
    }
    WriteBytes(dir / "a.obj", "01.001\n\r02.002\r\r03.003\n\n04.004");  // LF then CR is two line ends
    m.RamDateiOeffnen(dir / "a.obj");
    const std::vector<std::string> erwartet = {"01.001", "", "02.002", "", "03.003", "", "04.004", ""};
    for (std::size_t a = 0; a < erwartet.size(); ++a) EXPECT_EQ(z.Ram.Text(int(a)), erwartet[a]) << a;
}

TEST_F(RamDatei, MissingAndSurplusLines) {
    // Lines in the file, and the first address left empty.
    for (const auto& [zeilen, leerAb] : {std::pair{130, 128}, std::pair{100, 100}, std::pair{0, 0}}) {
        SCOPED_TRACE(zeilen);
        env.boxes.clear();
        WriteBytes(dir / "a.obj", zeilen > 128 ? Numbered(128) + "xx\r\nxx\r\n" : Numbered(zeilen));
        z.MPC = 50;
        m.RamDateiOeffnen(dir / "a.obj");
        std::vector<std::string> boxes;
        for (int a = 0; a < 128; ++a) {
            ASSERT_EQ(z.Ram.Text(a), a < leerAb ? WortZuZellText(static_cast<Wort>(a)) : "") << a;
            if (a >= leerAb) boxes.push_back(ZelleFalsch(a));
        }
        EXPECT_EQ(env.boxes, boxes);
        EXPECT_EQ(m.Zustand().Aktiv.Mikroschritt, leerAb == 128);
        EXPECT_EQ(m.Zustand().Aktiv.Start, leerAb == 128);
        EXPECT_EQ(z.MPC, 1);  // reset also with incorrect cells
    }
}

TEST_F(RamDatei, IncorrectTextRoundTripsAndIsReportedAgain) {
    z.Ram.SetzeText(2, "ab");
    const std::string pfad = dir / "a.obj";
    m.RamDateiSpeichernUnter(pfad);
    EXPECT_EQ(ReadBytes(pfad).substr(16, 4), "ab\r\n");
    z.Ram.SetzeText(2, "00.000");
    m.RamDateiOeffnen(pfad);
    EXPECT_EQ(z.Ram.Text(2), "ab");
    EXPECT_EQ(env.boxes, std::vector<std::string>{ZelleFalsch(2)});
}

TEST_F(RamDatei, OpenedFileBecomesTheSaveTarget) {
    m.RamDateiSpeichernUnter(dir / "anderes.obj");
    WriteBytes(dir / "b.obj", Numbered(128, "\n"));
    m.RamDateiOeffnen(dir / "b.obj");
    m.ZelleUebergeben(0, "07.007");
    ASSERT_TRUE(m.RamDateiSpeichern());
    EXPECT_EQ(ReadBytes(dir / "b.obj").substr(0, 8), "07.007\r\n");
    EXPECT_EQ(ReadBytes(dir / "anderes.obj").substr(0, 8), "00.000\r\n");
}

TEST_F(RamDatei, FailedOpenChangesNothing) {
    m.RamDateiSpeichernUnter(dir / "ziel.obj");
    m.ZelleUebergeben(0, "03.003");
    z.MPC = 50;
    const std::string pfad = dir / "fehlt.obj";
    EXPECT_EQ(FailureOf([&] { m.RamDateiOeffnen(pfad); }),
              "Datei " + pfad + " kann nicht ge\xF6" "ffnet werden. No such file or directory");
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(z.Ram.Text(0), "03.003");
    EXPECT_EQ(m.Datei().RamDateiname, dir / "ziel.obj");
    EXPECT_EQ(m.Datei().Dateititel, "ziel.obj");
    EXPECT_EQ(z.MPC, 50);
}

TEST_F(RamDatei, FailedSaveKeepsTheEditsMarkedUnsaved) {
    const std::string fehlt = dir / "fehlt/x.obj";
    m.ZelleUebergeben(0, "03.003");
    EXPECT_EQ(FailureOf([&] { m.RamDateiSpeichernUnter(fehlt); }),
              "Datei \"" + fehlt + "\" kann nicht erstellt werden. No such file or directory");
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(m.Datei().RamDateiname, fehlt);  // already chosen when the writing failed
    EXPECT_EQ(m.Datei().Dateititel, "x.obj");

    const std::string pfad = dir / "alt.obj";
    WriteBytes(pfad, "alt\r\n");
    m.FuerTests().datei.RamDateiname = pfad;
    std::string meldung;
    {
        FileSizeLimit limit(100);
        meldung = FailureOf([&] { m.RamDateiSpeichern(); });
    }
    EXPECT_EQ(meldung, "Stream-Schreibfehler");
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(ReadBytes(pfad), "alt\r\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"alt.obj"});
}

}  // namespace
}  // namespace ventaro::test
