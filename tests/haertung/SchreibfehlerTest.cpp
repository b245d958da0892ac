// Saving where the file system refuses: a full device, a directory nobody may
// write into (root included; its writable files are then written in place), a
// directory that does not exist, a target that is a directory or a pipe
// without a reader. The message names the file and
// the system's reason, the old file stays byte for byte, no temporary file is
// left behind, and the RAM's edits stay marked unsaved.
#include <sys/stat.h>
#include <sys/syscall.h>

#include <atomic>
#include <cstdlib>

#include "Haertung.h"

#include "microcode/MikrocodeTabelle.h"

// A file system that refuses to change a file's length when this is set:
// this program's ftruncate stands in for the C library's.
static std::atomic<int> ftruncateFehler{0};
extern "C" int ftruncate(int fd, off_t laenge) noexcept {
    if (const int fehler = ftruncateFehler.load()) {
        errno = fehler;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_ftruncate, fd, laenge));
}

namespace ventaro::test {
namespace {

bool IstZeichengeraet(const std::string& pfad) {
    struct stat info {};
    return ::stat(pfad.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

class Schreibfehler : public MachineTest {
protected:
    Schreibfehler() {
        m.FuerTests().datei.RamDateiname = "neu";
        m.ZelleUebergeben(0, "05.010");
        tabelle.Mnemonics[0] = "NEU";
    }
    // "Speichern unter..." of the RAM; the message, "" if none.
    std::string RamSpeichern(const std::string& pfad) {
        m.FuerTests().datei.RamEditiert = true;
        return FailureOf([&] { m.RamDateiSpeichernUnter(pfad); });
    }
    std::string MikrocodeSpeichern(const std::string& pfad) {
        tabelle.SetzePfad(pfad);
        return FailureOf([&] { tabelle.AllesSpeichern(); });
    }

    TempDir dir;
    TMikrocodeTabelle tabelle;
};

TEST_F(Schreibfehler, AFullDeviceFailsAndStaysADevice) {
    if (!IstZeichengeraet("/dev/full")) GTEST_SKIP() << "/dev/full fehlt";
    EXPECT_EQ(RamSpeichern("/dev/full"), "Stream-Schreibfehler");
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(MikrocodeSpeichern("/dev/full"), Erstellt("/dev/full", ENOSPC));
    EXPECT_TRUE(IstZeichengeraet("/dev/full"));  // written in place, never replaced
    // The message box appends the full stop.
    EXPECT_EQ(Meldungstext(Erstellt("/dev/full", ENOSPC)), Erstellt("/dev/full", ENOSPC) + ".");
}

// A folder that takes no new file (a teacher's hand-out folder) holding files
// the user may write: they are written in place, and nothing else appears.
TEST_F(Schreibfehler, AReadOnlyDirectoryGetsItsFilesWrittenInPlace) {
    const std::string ram = dir / "alt.obj", mikrocode = dir / "mikrocode.dat";
    WriteBytes(ram, "01.001\r\nalt\r\n");
    WriteBytes(mikrocode, "0\r\n");
    const SchreibgeschuetztesVerzeichnis schutz(dir.path());
    if (!schutz.Geschuetzt()) GTEST_SKIP() << "dieses Dateisystem kennt kein unveraenderliches Verzeichnis";

    EXPECT_EQ(RamSpeichern(ram), "");
    EXPECT_FALSE(m.RamEditiert());
    EXPECT_EQ(MikrocodeSpeichern(mikrocode), "");
    EXPECT_EQ(ReadBytes(ram).size(), 1024u);
    EXPECT_EQ(ReadBytes(ram).substr(0, 16), "05.010\r\n00.000\r\n");
    EXPECT_EQ(ReadBytes(mikrocode).substr(0, 9), "29\r\nNEU\r\n");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"alt.obj", "mikrocode.dat"}));
}

// Written in place, a longer file needs no cut and is saved; a shorter one
// fails and the old file stays whole.
TEST_F(Schreibfehler, AFileThatCannotBeCutIsSavedOnlyWhereNoCutIsNeeded) {
    const std::string ram = dir / "alt.obj";
    const std::string kurz = "01.001\r\n", lang(2000, 'x');
    WriteBytes(ram, kurz);
    const SchreibgeschuetztesVerzeichnis schutz(dir.path());
    if (!schutz.Geschuetzt()) GTEST_SKIP() << "dieses Dateisystem kennt kein unveraenderliches Verzeichnis";
    ftruncateFehler = EIO;
    EXPECT_EQ(RamSpeichern(ram), "");
    EXPECT_EQ(ReadBytes(ram).substr(0, 16), "05.010\r\n00.000\r\n");
    EXPECT_EQ(ReadBytes(ram).size(), 1024u);
    ftruncateFehler = 0;
    WriteBytes(ram, lang);
    ftruncateFehler = EIO;
    EXPECT_EQ(RamSpeichern(ram), "Stream-Schreibfehler");
    ftruncateFehler = 0;
    EXPECT_EQ(ReadBytes(ram), lang);
    EXPECT_TRUE(m.RamEditiert());
}

TEST_F(Schreibfehler, AWriteProtectedFileIsNotReplaced) {
    const std::string pfad = dir / "aufgabe.obj", mikrocode = dir / "mikrocode.dat";
    WriteBytes(pfad, "alt\r\n");
    WriteBytes(mikrocode, "0\r\n");
    ASSERT_EQ(::chmod(pfad.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(mikrocode.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);  // a new file beside it could be made
    // Root may write any file: the saving runs as an ordinary user.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
            const bool ram = RamSpeichern(pfad) == Erstellt(pfad, EACCES) && m.RamEditiert();
            const bool mc = MikrocodeSpeichern(mikrocode) == Erstellt(mikrocode, EACCES);
            std::_Exit(ram && mc ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(pfad), "alt\r\n");
    EXPECT_EQ(ReadBytes(mikrocode), "0\r\n");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"aufgabe.obj", "mikrocode.dat"}));
}

TEST_F(Schreibfehler, APlaceRootCannotWriteEither) {
    // /proc/self takes no new files, whoever asks.
    const std::string pfad = "/proc/self/ventaro.obj";
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    ASSERT_LT(fd, 0) << "created " << pfad;
    const int grund = errno;
    EXPECT_EQ(RamSpeichern(pfad), Erstellt(pfad, grund));
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(MikrocodeSpeichern("/proc/self/mikrocode.dat"), Erstellt("/proc/self/mikrocode.dat", grund));
}

TEST_F(Schreibfehler, AMissingDirectoryKeepsThePreviousTarget) {
    const std::string alt = dir / "alt.obj";
    m.RamDateiSpeichernUnter(alt);
    const std::string altBytes = ReadBytes(alt);
    ASSERT_EQ(altBytes.substr(0, 8), "05.010\r\n");
    m.ZelleUebergeben(0, "06.006");
    WriteBytes(dir / "datei", "x");

    const std::pair<std::string, int> rows[] = {
        {dir / "fehlt/x.obj", ENOENT},
        {dir / "fehlt/tiefer/x.obj", ENOENT},
        {dir / "datei/x.obj", ENOTDIR},  // the "directory" is a file
    };
    for (const auto& [pfad, grund] : rows) {
        SCOPED_TRACE(pfad);
        EXPECT_EQ(RamSpeichern(pfad), Erstellt(pfad, grund));
        EXPECT_TRUE(m.RamEditiert());
        EXPECT_EQ(MikrocodeSpeichern(pfad), Erstellt(pfad, grund));
        EXPECT_EQ(ReadBytes(alt), altBytes);
    }
    EXPECT_EQ(ReadBytes(dir / "datei"), "x");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"alt.obj", "datei"}));
}

TEST_F(Schreibfehler, ADirectoryOrAPipeIsNeverReplaced) {
    const std::string verzeichnis = dir / "ordner.obj";
    fs::create_directory(verzeichnis);
    WriteBytes(verzeichnis + "/drin", "drin");
    EXPECT_EQ(RamSpeichern(verzeichnis), Erstellt(verzeichnis, EISDIR));
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(MikrocodeSpeichern(verzeichnis), Erstellt(verzeichnis, EISDIR));
    EXPECT_EQ(ReadBytes(verzeichnis + "/drin"), "drin");

    // Nobody reads the pipe: the save fails at once instead of waiting.
    const std::string rohr = dir / "rohr.obj";
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    EXPECT_EQ(RamSpeichern(rohr), Erstellt(rohr, ENXIO));
    EXPECT_TRUE(m.RamEditiert());
    EXPECT_EQ(MikrocodeSpeichern(rohr), Erstellt(rohr, ENXIO));
    struct stat info {};
    ASSERT_EQ(::stat(rohr.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"ordner.obj", "rohr.obj"}));
}

}  // namespace
}  // namespace ventaro::test
