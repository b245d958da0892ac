// "Bis zum Halt ausführen" in the real window under the offscreen platform:
// dauerlauf.obj to its halt, with the slices and the redraws the window
// makes, next to the command line's run loop on the same program.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "TestDienste.h"
#include "ui/AboutBox.h"
#include "ui/BisZumHalt.h"
#include "ui/Form1.h"
#include "ui/McDlg.h"

namespace {

using namespace ventaro;

void BM_FensterBisZumHalt(benchmark::State& state) {
    QTemporaryDir ordner;
    QFile::copy(QStringLiteral(VENTARO_DATEN "/mikrocode.dat"), ordner.path() + "/mikrocode.dat");
    std::uint64_t schritte = 0;
    for (auto _ : state) {
        ui::test::TestDienste dienste;  // the tests' double: it follows the interface
        ui::TForm1 form(dienste);
        ui::TmcDlg mcDlg(form.Maschine().Tabelle(), ordner.path() + "/", &form);
        ui::TAboutBox aboutBox(&form);
        form.SetzeDialoge(&mcDlg, &aboutBox);
        form.SetzeStartdatei(QStringLiteral(VENTARO_DATEN "/beispiele/dauerlauf.obj"));
        form.show();
        form.FormActivate();
        form.Statistik1Click();  // the statistics window follows the run too
        const std::uint64_t vorher = form.Maschine().Mikroschritte();
        QElapsedTimer uhr;
        uhr.start();
        form.Dauerlauf()->Starten();
        while (form.Dauerlauf()->Laeuft()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        state.SetIterationTime(static_cast<double>(uhr.nsecsElapsed()) / 1e9);
        schritte += form.Maschine().Mikroschritte() - vorher;
        if (!form.Maschine().SprungAufNull()) state.SkipWithError("dauerlauf.obj hielt nicht an");
        form.Maschine().FuerTests().datei.RamEditiert = false;
    }
    state.counters["Mikroschritte/s"] = benchmark::Counter(static_cast<double>(schritte), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FensterBisZumHalt)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication anwendung(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
