// "Öffnen" of a RAM file of any bytes, with the check of all cells and the
// reset that follow: each of the 128 cells gets its line unchanged (the empty
// text where the file has none), every incorrect cell is reported once in
// address order, the buttons follow the check, and "Speichern unter..."
// writes the cells back byte for byte so that they open again unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzHilfe.h"
#include "core/Fehler.h"
#include "machine/Maschine.h"
#include "memory/RamDatei.h"

using namespace ventaro;
using namespace ventaro::fuzz;

namespace {

struct Boxen : Umgebung {
    void Fehlermeldung(const std::string& text) override { texte.push_back(text); }
    std::vector<std::string> texte;
};

constexpr int Z = TRamSpeicher::Zellenzahl;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string bytes(reinterpret_cast<const char*>(daten), n);
    const std::string pfad = Arbeitsverzeichnis() + "/programm.obj";
    SchreibeDatei(pfad, bytes);

    Boxen boxen;
    TMaschine m(&boxen);
    for (int a = 0; a < Z; ++a) m.FuerTests().zustand.Ram.SetzeText(a, "00.000");
    m.FuerTests().datei.RamDateiname = "neu";
    m.FuerTests().datei.RamEditiert = true;
    m.FuerTests().zustand.MPC = 77;
    // An empty microcode: the reset's microstep changes no gate and reads no cell.
    try {
        m.RamDateiOeffnen(pfad);
    } catch (const Fehler& fehler) {
        std::fprintf(stderr, "%s\n", fehler.what());
        Verletzt("opening a readable file failed", __FILE__, __LINE__);
    }

    const std::vector<std::string> zeilen = ZeilenVon(bytes);
    std::vector<std::string> erwarteteBoxen;
    for (int a = 0; a < Z; ++a) {
        const std::string erwartet = a < static_cast<int>(zeilen.size()) ? zeilen[a] : std::string();
        PRUEFE(m.Zustand().Ram.Text(a) == erwartet);
        PRUEFE(m.Zustand().Ram.Korrekt(a) == KorrekteZelle(erwartet));
        PRUEFE(ZelleKorrekt(erwartet) == KorrekteZelle(erwartet));
        if (!KorrekteZelle(erwartet)) erwarteteBoxen.push_back(meldung::ZelleNichtKorrekt(static_cast<unsigned>(a)));
    }
    PRUEFE(boxen.texte == erwarteteBoxen);
    PRUEFE(m.Zustand().Aktiv.Mikroschritt == erwarteteBoxen.empty());
    PRUEFE(m.Zustand().Aktiv.Start == erwarteteBoxen.empty());
    PRUEFE(!m.RamEditiert());
    PRUEFE(m.Datei().RamDateiname == pfad);
    PRUEFE(m.Datei().Dateititel == "programm.obj");
    PRUEFE(m.Zustand().MPC == 1);  // reset
    PRUEFE(m.Zustand().Ram.AktuelleZeile() >= 1 && m.Zustand().Ram.AktuelleZeile() <= Z);

    // Saved and opened again: the same cells, CR LF after each.
    m.FuerTests().datei.RamEditiert = true;
    const std::string ziel = Arbeitsverzeichnis() + "/zurueck.obj";
    m.RamDateiSpeichernUnter(ziel);
    PRUEFE(!m.RamEditiert());
    std::vector<std::string> texte;
    for (int a = 0; a < Z; ++a) texte.push_back(m.Zustand().Ram.Text(a));
    PRUEFE(LeseDatei(ziel) == MitZeilenenden(texte));
    const RamInhalt wieder = LeseRamDatei(ziel);
    for (int a = 0; a < Z; ++a) PRUEFE(wieder[a] == texte[a]);
    return 0;
}
