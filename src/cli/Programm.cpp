#include "cli/Programm.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <climits>
#include <iostream>

#include "cli/Sitzung.h"
#include "core/Fehler.h"
#include "core/Textdatei.h"
#include "core/Zeichensatz.h"

namespace ventaro::cli {
namespace {

constexpr int kHalt = 0, kEingabefehler = 1, kBedienfehler = 2, kGrenze = 3;

std::string Programmverzeichnis() {
    char pfad[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", pfad, sizeof pfad - 1);
    if (n <= 0) return "./";
    const std::string ganz(pfad, static_cast<std::size_t>(n));
    return ganz.substr(0, ganz.find_last_of('/') + 1);
}

void MeldungenAusgeben(const std::vector<std::string>& meldungen, std::size_t ab, std::ostream& fehler) {
    for (std::size_t i = ab; i < meldungen.size(); ++i) fehler << Cp1252ZuUtf8(meldungen[i]) << '\n';
}

}  // namespace

int Skriptlauf(Sitzung& sitzung, const std::string& skript, std::ostream& fehler) {
    std::vector<std::string> zeilen;
    try {
        zeilen = LeseZeilen(skript == "-" ? "/dev/stdin" : skript, SIZE_MAX);
    } catch (const Fehler& f) {
        fehler << Cp1252ZuUtf8(Meldungstext(f.Text())) << '\n';
        return kEingabefehler;
    }
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        try {
            sitzung.Befehl(zeilen[i]);
        } catch (const Bedienfehler& f) {
            fehler << "Skriptzeile " << i + 1 << ": " << f.what() << '\n';
            return kBedienfehler;
        }
    }
    return kHalt;
}

namespace {

int Programmlauf(Sitzung& sitzung, const std::string& programm, const Optionen& optionen, std::ostream& fehler) {
    if (!programm.empty()) {
        // A failed first microstep of the start-up has been noted already; it
        // stays in the state and says nothing about the program.
        const std::size_t vorher = sitzung.Meldungen().size();
        sitzung.Befehl("oeffnen " + programm);
        // A file that cannot be read or holds incorrect cells is not run.
        if (sitzung.Meldungen().size() > vorher) {
            MeldungenAusgeben(sitzung.Meldungen(), vorher, fehler);
            return kEingabefehler;
        }
    }
    const Laufende ende = sitzung.Lauf(optionen.maxMikroschritte);
    sitzung.Zeige();
    return ende == Laufende::Halt ? kHalt : ende == Laufende::Grenze ? kGrenze : kEingabefehler;
}

}  // namespace

int Hauptprogramm(int argc, char** argv, std::ostream& aus, std::ostream& fehler) {
    CLI::App app{"Ventaro ohne Fenster: l\u00e4sst Programme des Modellrechners laufen oder f\u00fchrt ein Skript aus."};
    std::string mikrocode = Programmverzeichnis() + "mikrocode.dat";
    std::string skript;
    std::string programm;
    Optionen optionen;
    app.add_option("--mikrocode", mikrocode, "Mikrocode-Datei (Vorgabe: mikrocode.dat neben dem Programm)");
    app.add_option("--skript", skript, "Skript mit einem Befehl je Zeile, - liest die Standardeingabe");
    app.add_option("--max-mikroschritte", optionen.maxMikroschritte, "h\u00f6chstens so viele Mikroschritte")
        ->check(CLI::PositiveNumber);
    app.add_flag("--json", optionen.json, "Zustand als JSON ausgeben");
    app.add_flag("--spur", optionen.spur, "eine Zeile je Mikroschritt ausgeben");
    app.add_option("PROGRAMM", programm, "RAM-Datei (*.obj)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, aus, fehler);
        return code == 0 ? 0 : kBedienfehler;
    }

    Sitzung sitzung(optionen, aus);
    if (!sitzung.Hochfahren(mikrocode)) {
        MeldungenAusgeben(sitzung.Meldungen(), 0, fehler);
        return kEingabefehler;
    }
    if (skript.empty()) return Programmlauf(sitzung, programm, optionen, fehler);
    if (!programm.empty()) sitzung.Befehl("oeffnen " + programm);
    return Skriptlauf(sitzung, skript, fehler);
}

}  // namespace ventaro::cli
