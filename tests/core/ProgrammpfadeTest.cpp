// Where the program's files are: the program directory of a build folder or
// an installation, and the per-user microcode after the XDG base directories.
#include <cstdlib>
#include <fstream>

#include "TestSupport.h"
#include "core/Programmpfade.h"

namespace ventaro::test {
namespace {

void Anlegen(const std::string& datei) {
    fs::create_directories(fs::path(datei).parent_path());
    std::ofstream(datei) << "0\r\n";
}

// Sets a variable for one test, or removes it for a null value.
class Variable {
public:
    Variable(const char* name, const char* wert) : name_(name) {
        if (const char* alt = std::getenv(name)) alt_ = alt, hatte_ = true;
        wert ? ::setenv(name, wert, 1) : ::unsetenv(name);
    }
    ~Variable() { hatte_ ? ::setenv(name_, alt_.c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::string alt_;
    bool hatte_ = false;
};

TEST(Programmpfade, TheProgramDirectoryIsTheExecutablesFolderOnlyWithTheMicrocodeBesideIt) {
    struct Fall {
        const char* name;
        bool mikrocodeDaneben, installiert;
        const char* erwartet;  // below the temporary folder
    };
    for (const Fall& fall : {Fall{"Build-Ordner", true, true, "bin/"}, Fall{"installiert", false, true, "share/ventaro/"},
                             Fall{"weder noch", false, false, "bin/"}}) {
        TempDir dir;
        fs::create_directories(dir / "bin");
        if (fall.mikrocodeDaneben) Anlegen(dir / "bin/mikrocode.dat");
        if (fall.installiert) Anlegen(dir / "share/ventaro/mikrocode.dat");
        const TProgrammpfade pfade(dir / "bin", "../share/ventaro");
        EXPECT_EQ(pfade.Programmverzeichnis(), dir / fall.erwartet) << fall.name;
        EXPECT_EQ(pfade.Beispielordner(), dir / fall.erwartet + "beispiele/") << fall.name;
        EXPECT_EQ(pfade.Anzeigename(pfade.GemeinsamerMikrocode()), "mikrocode.dat") << fall.name;
    }
}

TEST(Programmpfade, ThePerUserCopyFollowsXdgDataHome) {
    struct Fall {
        const char* xdg;
        const char* erwartet;
        const char* angezeigt;
    };
    const Variable heim("HOME", "/home/lea");
    for (const Fall& fall : {Fall{"/daten", "/daten/ventaro/mikrocode.dat", "/daten/ventaro/mikrocode.dat"},
                             Fall{nullptr, "/home/lea/.local/share/ventaro/mikrocode.dat",
                                  "~/.local/share/ventaro/mikrocode.dat"},
                             Fall{"", "/home/lea/.local/share/ventaro/mikrocode.dat", "~/.local/share/ventaro/mikrocode.dat"},
                             // relative values do not count
                             Fall{"daten", "/home/lea/.local/share/ventaro/mikrocode.dat",
                                  "~/.local/share/ventaro/mikrocode.dat"}}) {
        const Variable xdg("XDG_DATA_HOME", fall.xdg);
        const TProgrammpfade pfade("/nirgends/bin");
        EXPECT_EQ(TProgrammpfade::BenutzerMikrocode(), fall.erwartet) << (fall.xdg ? fall.xdg : "(keine)");
        EXPECT_EQ(pfade.Anzeigename(TProgrammpfade::BenutzerMikrocode()), fall.angezeigt);
    }
}

}  // namespace
}  // namespace ventaro::test
