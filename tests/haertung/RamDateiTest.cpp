// RAM files as they may come from other programs or hands: empty, binary,
// one endless line, far too many lines, UTF-8, not a file at all. "Öffnen"
// takes what it can leniently and reports every incorrect cell, or refuses
// the file with its message and changes nothing; memory stays bounded.
#include <sys/stat.h>

#include "Haertung.h"

#include "memory/RamDatei.h"

namespace ventaro::test {
namespace {

class FeindlicheRamDatei : public RamDateiMaschine {
protected:
    FeindlicheRamDatei() {
        m.ZelleUebergeben(0, "05.010");
        z.MPC = 50;
    }
    // "Öffnen" of the file; the machine's message, "" if none.
    Verlauf Oeffnen(const std::string& pfad) {
        env.boxes.clear();
        return MitSpeicher([&] { m.RamDateiOeffnen(pfad); });
    }
    // The file was taken: cells as given (empty beyond them), one message per
    // incorrect cell in address order, buttons after the check, a reset.
    void Genommen(const std::string& pfad, const std::vector<std::string>& zellen) {
        std::vector<std::string> boxen;
        for (int a = 0; a < 128; ++a) {
            const std::string text = a < static_cast<int>(zellen.size()) ? zellen[a] : "";
            ASSERT_EQ(z.Ram.Text(a), text) << a;
            if (!ZelleKorrekt(text)) boxen.push_back(ZelleFalsch(a));
        }
        EXPECT_EQ(env.boxes, boxen);
        EXPECT_EQ(m.Zustand().Aktiv.Mikroschritt, boxen.empty());
        EXPECT_FALSE(m.RamEditiert());
        EXPECT_EQ(m.Datei().RamDateiname, pfad);
        EXPECT_EQ(z.MPC, 1);
    }
    // The file was refused: nothing changed.
    void Abgelehnt() {
        EXPECT_EQ(z.Ram.Text(0), "05.010");
        EXPECT_EQ(z.Ram.Text(1), "00.000");
        EXPECT_TRUE(m.RamEditiert());
        EXPECT_EQ(m.Datei().RamDateiname, "neu");
        EXPECT_EQ(m.Datei().Dateititel, "");
        EXPECT_EQ(z.MPC, 50);
        EXPECT_TRUE(env.boxes.empty());
    }
    // Saved with "Speichern unter..." and opened again: the same cells.
    void GehtHinUndZurueck() {
        std::vector<std::string> zellen;
        std::string erwartet;
        for (int a = 0; a < 128; ++a) {
            zellen.push_back(z.Ram.Text(a));
            erwartet += zellen.back() + "\r\n";
        }
        const std::string pfad = dir / "zurueck.obj";
        m.RamDateiSpeichernUnter(pfad);
        EXPECT_EQ(ReadBytes(pfad), erwartet);
        const RamInhalt wieder = LeseRamDatei(pfad);
        for (int a = 0; a < 128; ++a) ASSERT_EQ(wieder[a], zellen[a]) << a;
    }

    TempDir dir;
};

TEST_F(FeindlicheRamDatei, AnEmptyFileEmptiesEveryCell) {
    WriteBytes(dir / "leer.obj", "");
    EXPECT_EQ(Oeffnen(dir / "leer.obj").meldung, "");
    Genommen(dir / "leer.obj", {});
    EXPECT_EQ(env.boxes.size(), 128u);
    EXPECT_FALSE(m.Zustand().Aktiv.Start);
    GehtHinUndZurueck();
}

TEST_F(FeindlicheRamDatei, BinaryBytesBecomeCellTexts) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    WriteBytes(dir / "binaer.obj", bytes);
    EXPECT_EQ(Oeffnen(dir / "binaer.obj").meldung, "");
    // LF (10) and CR (13) end the lines between the other bytes.
    Genommen(dir / "binaer.obj", {bytes.substr(0, 10), bytes.substr(11, 2), bytes.substr(14)});
    GehtHinUndZurueck();
    // Reading such a cell is the conversion error naming its first field.
    EXPECT_EQ(z.Ram.AktuelleZeile(), 1);
    EXPECT_EQ(FailureOf([&] { m.TorUmschalten(Tor::Read); }), KeinInteger(bytes.substr(0, 2)));
}

TEST_F(FeindlicheRamDatei, OneLineOfTenMegabytesIsTakenWhole) {
    const std::string lang(10 * 1000 * 1000, '7');
    WriteBytes(dir / "lang.obj", lang);
    const Verlauf verlauf = Oeffnen(dir / "lang.obj");
    EXPECT_EQ(verlauf.meldung, "");
    Genommen(dir / "lang.obj", {lang});
    EXPECT_LT(verlauf.bytes, 4 * lang.size());
    GehtHinUndZurueck();
}

TEST_F(FeindlicheRamDatei, LinesBeyondTheLimitAreRefusedWhole) {
    // One line of 20 MB, and 128 lines of 200,000 characters each (25.6 MB).
    WriteBytes(dir / "lang.obj", std::string(20 * 1000 * 1000, '7'));
    std::string viele;
    for (int a = 0; a < 128; ++a) viele += std::string(200000, 'x') + "\r\n";
    WriteBytes(dir / "viele.obj", viele);
    for (const char* name : {"lang.obj", "viele.obj"}) {
        SCOPED_TRACE(name);
        const Verlauf verlauf = Oeffnen(dir / name);
        EXPECT_EQ(verlauf.meldung, Geoeffnet(dir / name, EFBIG));
        EXPECT_LT(verlauf.bytes, 3 * MaxLesezeichen);
        Abgelehnt();
    }
}

TEST_F(FeindlicheRamDatei, TenThousandLinesLoadTheirFirst128) {
    std::string bytes;
    std::vector<std::string> zellen;
    for (int z = 0; z < 10000; ++z) {
        const std::string text = WortZuZellText(static_cast<Wort>((z % 30) * 256 + z % 256));
        if (z < 128) zellen.push_back(text);
        bytes += text + (z % 2 ? "\n" : "\r\n");
    }
    WriteBytes(dir / "viele.obj", bytes);
    EXPECT_EQ(Oeffnen(dir / "viele.obj").meldung, "");
    Genommen(dir / "viele.obj", zellen);
    EXPECT_TRUE(env.boxes.empty());
    EXPECT_TRUE(m.Zustand().Aktiv.Start);
}

TEST_F(FeindlicheRamDatei, TwoHundredMegabytesAfter128LinesAreNeverRead) {
    std::string anfang;
    for (int a = 0; a < 128; ++a) anfang += "01.001\r\n";
    LueckenDatei(dir / "gross.obj", anfang, 200 * 1000 * 1000);
    const Verlauf verlauf = Oeffnen(dir / "gross.obj");
    EXPECT_EQ(verlauf.meldung, "");
    Genommen(dir / "gross.obj", std::vector<std::string>(128, "01.001"));
    EXPECT_LT(verlauf.bytes, 1 * MiB);
}

TEST_F(FeindlicheRamDatei, Utf8TextsStayByteForByte) {
    // Files are Windows-1252: UTF-8 bytes are just two characters each.
    const std::vector<std::string> zellen = {"Z\xC3\xA4hler", "01.005", "\xC3\x96l.\xC3\x9F\xC3\xBC",
                                             "gr\xF6\xDF" "e", "\xEF\xBB\xBF" "01.001"};
    std::string bytes;
    for (const std::string& z : zellen) bytes += z + "\r\n";
    const std::string pfad = dir / "pr\xC3\xBC" "fung.obj";
    WriteBytes(pfad, bytes);
    EXPECT_EQ(Oeffnen(pfad).meldung, "");
    Genommen(pfad, zellen);
    EXPECT_EQ(m.Datei().Dateititel, "pr\xFC" "fung.obj");  // the name is shown in Windows-1252
    EXPECT_EQ(env.boxes.front(), ZelleFalsch(0));
    EXPECT_EQ(env.boxes.at(3), ZelleFalsch(4));  // a byte order mark makes 01.001 incorrect
    m.RamDateiSpeichern();
    EXPECT_EQ(ReadBytes(pfad).substr(0, bytes.size()), bytes);
}

TEST_F(FeindlicheRamDatei, WhatIsNoFileIsRefusedOrEmpty) {
    // A directory cannot be read.
    EXPECT_EQ(Oeffnen(dir.path().string()).meldung, Geoeffnet(dir.path().string(), EISDIR));
    Abgelehnt();
    // An endless device is refused at the limit.
    const Verlauf verlauf = Oeffnen("/dev/zero");
    EXPECT_EQ(verlauf.meldung, Geoeffnet("/dev/zero", EFBIG));
    EXPECT_LT(verlauf.bytes, 3 * MaxLesezeichen);
    Abgelehnt();
    // A named pipe nobody writes to reads as an empty file instead of
    // blocking the program.
    const std::string fifo = dir / "rohr.obj";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Oeffnen(fifo).meldung, "");
    Genommen(fifo, {});
}

}  // namespace
}  // namespace ventaro::test
