#pragma once
// Plumbing shared by the core suites: a recording Umgebung, control words by
// signal name, per-test temporary directories and a machine fixture.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/Bauteile.h"
#include "core/Fehler.h"
#include "machine/Ansicht.h"
#include "machine/Maschine.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro::test {

inline std::string Nr(int i) { return std::to_string(i); }

// A microcode table in which every entry differs: "<tag>M<c>" for
// mnemonics, "<tag><flag>-<i>" for words.
inline void Fill(TMikrocodeTabelle& t, const std::string& tag) {
    for (int c = 0; c < TMikrocodeTabelle::MaxBefehle; ++c) t.Mnemonics[c] = tag + "M" + Nr(c);
    for (int i = 0; i < TMikrocodeTabelle::Eintraege; ++i) {
        t.Steuerworte0[i] = tag + "0-" + Nr(i);
        t.Steuerworte1[i] = tag + "1-" + Nr(i);
    }
}

namespace fs = std::filesystem;

// Records everything the machine asks of its surroundings.
struct RecordingUmgebung : Umgebung {
    void EreignisseVerarbeiten() override { if (onEvents) onEvents(); }
    void Warte(int ms) override { waits.push_back(ms); }
    void Fehlermeldung(const std::string& text) override { boxes.push_back(text); }
    std::vector<int> waits;
    std::vector<std::string> boxes;
    std::function<void()> onEvents;
};

// An 18-character control word with exactly the named signals active.
inline std::string Word(std::initializer_list<std::string_view> active) {
    std::string word(18, '0');
    for (std::string_view name : active) {
        const auto k = SignalNachName(name);
        EXPECT_TRUE(k) << name;
        if (k) word[static_cast<std::size_t>(*k - 1)] = '1';
    }
    return word;
}

inline std::string KeinInteger(const std::string& text) { return "'" + text + "' ist kein g\xFCltiger Integerwert"; }
inline std::string ZelleFalsch(int adresse) { return "Inhalt der Zelle " + ZahlDreistellig(adresse) + " ist nicht korrekt."; }

// A fresh directory under the system's temporary directory, removed at the end.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = fs::temp_directory_path() /
                ("ventaro-kern-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lowers the file size limit, so that a write stops part-way with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// The message of the Fehler that f throws, "" if none.
template <typename F>
std::string FailureOf(F&& f) {
    try {
        f();
    } catch (const Fehler& fehler) {
        return fehler.Text();
    }
    return {};
}

// A machine as start-up leaves it (every cell "00.000", RamAdresse 127, all
// gates closed), without a microcode file and without the first microstep.
class MachineTest : public ::testing::Test {
protected:
    MachineTest() {
        for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) z.Ram.SetzeText(a, "00.000");
        z.RamAdresse = 127;
    }
    // Opens or closes a gate the way every caller does: state, setter, pass.
    void Gate(Tor tor, bool offen) {
        z.SetzeTorZustand(tor, offen);
        pfad.SetzeTor(tor, offen);
        pfad.Aktualisiere();
    }
    void Latch(Register r) {
        z.Reg(r).SetLaden(true);
        pfad.Aktualisiere();
    }
    // Puts a word into the microcode table and takes a fresh working copy.
    void Micro(int entry, const std::string& word, int flag = 0) {
        (flag == 0 ? m.Tabelle().Steuerworte0 : m.Tabelle().Steuerworte1)[entry] = word;
        m.MikrocodeKopieren();
    }
    void Step(Wort mpc) {
        z.MPC = mpc;
        m.Mikroschritt();
    }
    Wort Content(Register r) const { return m.Zustand().Reg(r).RegisterInhalt(); }
    bool Latched(Register r) const { return m.Zustand().Reg(r).Laden(); }
    TAnsicht Ansicht() const { return TAnsicht::Von(m); }

    RecordingUmgebung env;
    TMaschine m{&env};
    // The machine's parts, for states and steps that no operation reaches.
    TMaschinenzustand& z = m.FuerTests().zustand;
    TDatenpfad& pfad = m.FuerTests().datenpfad;
    TSequenzer& seq = m.FuerTests().sequenzer;
};

// A machine for the RAM file commands: no save target chosen yet, and a Reset
// that opens PT only, so it never reads a cell.
class RamDateiMaschine : public MachineTest {
protected:
    RamDateiMaschine() {
        m.FuerTests().datei.RamDateiname = "neu";
        Micro(0, Word({"PT"}));
    }
};

}  // namespace ventaro::test
