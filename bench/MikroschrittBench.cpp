// Microsteps per second: the update pass alone, the sequencer with and
// without the display texts, and the command line's run loop on a long
// example program.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Sitzung.h"
#include "machine/Ansicht.h"
#include "machine/Maschine.h"

namespace {

using namespace ventaro;

// A loop that never halts: fetch, then opcode 1 moves the fetched word
// through ET into a latched Akku, adds it in the ALU into Erg, shows it on
// Anz, and returns to the fetch of the same cell.
void LadeSchleifenMikrocode(TMaschine& m) {
    auto& t = m.Tabelle();
    for (auto* worte : {&t.Steuerworte0, &t.Steuerworte1}) {
        auto& w = *worte;
        w[0] = "000010000000100000";   // PT RamRead
        w[1] = "000010000001100000";   // PT MPCLoad RamRead
        w[10] = "100010010000101000";  // ET PT Akku RamRead ALU0 (ADD)
        w[11] = "000000011000001000";  // Akku Erg ALU0
        w[12] = "000000000000000001";  // Anz
        w[13] = "000000000010000000";  // MPCClear
    }
    m.MikrocodeKopieren();
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) m.FuerTests().zustand.Ram.SetzeText(a, "01.007");
    m.Reset();
}

void BM_Aktualisiere(benchmark::State& state) {
    TMaschine m;
    LadeSchleifenMikrocode(m);
    m.FuerTests().zustand.SetzeTorZustand(Tor::Read, true);
    m.FuerTests().zustand.SetzeTorZustand(Tor::ET, true);
    m.FuerTests().zustand.SetzeTorZustand(Tor::PT, true);
    m.FuerTests().zustand.Reg(Register::Akku).SetLaden(true);
    m.FuerTests().zustand.AluAuswahl = 0;
    for (auto _ : state) {
        m.FuerTests().datenpfad.Aktualisiere();
        benchmark::DoNotOptimize(m.Zustand().AluErgebnis);
    }
    state.counters["Durchlaeufe/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Aktualisiere);

template <bool MitTexten, bool MitVerlauf = true>
void BM_Mikroschritt(benchmark::State& state) {
    TMaschine m;
    m.VerlaufAn(MitVerlauf);
    LadeSchleifenMikrocode(m);
    std::size_t laenge = 0;
    TAnsichtsmodell ansicht;
    for (auto _ : state) {
        m.Mikroschritt();
        if constexpr (MitTexten) {
            // What the window draws after every tick: the view model's update
            // and the texts of the parts it names.
            const Teile teile = ansicht.Aktualisieren(m);
            const TAnsicht& a = ansicht.Stand();
            laenge += teile.count() + a.AluText.size() + a.FlagText.size() + a.MpcText.size() +
                      a.SteuerwortText.size() + a.AnzeigeText.size() + a.Status1.size();
            for (int r = 0; r < RegisterAnzahl; ++r) laenge += m.Zustand().Reg(static_cast<Register>(r)).Beschriftung().size();
        }
    }
    benchmark::DoNotOptimize(laenge);
    state.counters["Mikroschritte/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_Mikroschritt, false)->Name("BM_Mikroschritt_ohne_Texte");
BENCHMARK_TEMPLATE(BM_Mikroschritt, false, false)->Name("BM_Mikroschritt_ohne_Texte_ohne_Verlauf");
BENCHMARK_TEMPLATE(BM_Mikroschritt, true)->Name("BM_Mikroschritt_mit_Texten");

// The command line's run mode on the long-running example, as ventaro-cli
// runs it without --spur.
void BM_CliDauerlauf(benchmark::State& state) {
    const std::string daten = VENTARO_DATEN;
    const std::string programm = daten + "/beispiele/dauerlauf.obj";
    if (!std::filesystem::exists(programm)) {
        state.SkipWithError("beispiele/dauerlauf.obj fehlt");
        return;
    }
    std::uint64_t schritte = 0;
    for (auto _ : state) {
        std::ostringstream aus;
        cli::Sitzung sitzung(cli::Optionen{}, aus);
        sitzung.Maschine().VerlaufAn(false);  // as the run mode keeps no history
        sitzung.Hochfahren(daten + "/mikrocode.dat");
        sitzung.Befehl("oeffnen " + programm);
        const auto ende = sitzung.Lauf(100000000);
        if (ende != Laufende::Halt) state.SkipWithError("dauerlauf.obj hielt nicht an");
        schritte += sitzung.Maschine().Mikroschritte();
    }
    state.counters["Mikroschritte/s"] = benchmark::Counter(static_cast<double>(schritte), benchmark::Counter::kIsRate);
    state.counters["Mikroschritte"] = static_cast<double>(schritte) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CliDauerlauf)->Unit(benchmark::kMillisecond)->Iterations(1);

// What the history holds after 100,000 recorded microsteps of the long
// example: the heap in use before and after, as glibc counts it.
void BM_Verlauf100000(benchmark::State& state) {
    const std::string daten = VENTARO_DATEN;
    for (auto _ : state) {
        TMaschine m;
        m.Tabelle().SetzePfad(daten + "/mikrocode.dat");
        m.Startvorgang();
        m.RamDateiOeffnen(daten + "/beispiele/dauerlauf.obj");
        const struct mallinfo2 anfang = mallinfo2();
        const std::size_t vorher = anfang.uordblks + anfang.hblkhd;
        for (int i = 0; i < 100000; ++i) m.Mikroschritt();
        const struct mallinfo2 nachher = mallinfo2();
        state.counters["MB"] = static_cast<double>(nachher.uordblks + nachher.hblkhd - vorher) / 1e6;
        state.counters["Aktionen"] = static_cast<double>(m.Rueckgaengig());
    }
}
BENCHMARK(BM_Verlauf100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
