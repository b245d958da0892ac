#include "core/Programmpfade.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ventaro {
namespace {

namespace fs = std::filesystem;

#ifndef VENTARO_DATEN_RELATIV
#define VENTARO_DATEN_RELATIV "../share/ventaro"
#endif

std::string MitTrenner(std::string ordner) {
    if (ordner.empty() || ordner.back() != '/') ordner += '/';
    return ordner;
}

bool IstDatei(const std::string& pfad) {
    std::error_code fehler;
    return fs::is_regular_file(pfad, fehler);
}

std::string Umgebung(const char* name) {
    const char* wert = std::getenv(name);
    return wert ? wert : "";
}

std::string Ordner(const std::string& datei) { return datei.substr(0, datei.find_last_of('/') + 1); }

}  // namespace

const char* const TProgrammpfade::Installiert = VENTARO_DATEN_RELATIV;

TProgrammpfade::TProgrammpfade(const std::string& ausfuehrbarOrdner, const std::string& datenRelativ,
                               Beschreibbar beschreibbar)
    : beschreibbar_(std::move(beschreibbar)) {
    const std::string eigener = MitTrenner(ausfuehrbarOrdner);
    const fs::path geteilt = (fs::path(eigener) / datenRelativ).lexically_normal();
    std::error_code fehler;
    // Without either, the executable's folder: messages then name the place
    // a user would look first.
    const bool installiert = !IstDatei(eigener + "mikrocode.dat") && fs::is_directory(geteilt, fehler);
    programmverzeichnis_ = installiert ? MitTrenner(geteilt.string()) : eigener;
}

std::string TProgrammpfade::AusfuehrbarOrdner() {
    std::error_code fehler;
    const fs::path eigen = fs::read_symlink("/proc/self/exe", fehler);
    return fehler ? std::string("./") : MitTrenner(eigen.parent_path().string());
}

bool TProgrammpfade::OrdnerBeschreibbar(const std::string& ordner) {
    // Writing replaces the file through a new one beside it, so the folder
    // itself must be writable.
    return ::faccessat(AT_FDCWD, ordner.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string TProgrammpfade::GemeinsamerMikrocode() const { return programmverzeichnis_ + "mikrocode.dat"; }

std::string TProgrammpfade::BenutzerMikrocode() {
    // Relative values are to be ignored, as the XDG base directories say.
    std::string daten = Umgebung("XDG_DATA_HOME");
    if (daten.empty() || daten.front() != '/') {
        const std::string heim = Umgebung("HOME");
        if (heim.empty()) return {};
        daten = MitTrenner(heim) + ".local/share";
    }
    return MitTrenner(daten) + "ventaro/mikrocode.dat";
}

std::string TProgrammpfade::MikrocodeZumLesen() const {
    const std::string eigener = BenutzerMikrocode();
    return !eigener.empty() && IstDatei(eigener) ? eigener : GemeinsamerMikrocode();
}

std::string TProgrammpfade::MikrocodeZumSchreiben() const {
    const std::string eigener = BenutzerMikrocode();
    if (eigener.empty()) return GemeinsamerMikrocode();
    if (IstDatei(eigener)) return eigener;
    const std::string geteilt = GemeinsamerMikrocode();
    // A write-protected shared file stays as it is, like a write-protected
    // folder.
    const bool dateiGeschuetzt = IstDatei(geteilt) && ::faccessat(AT_FDCWD, geteilt.c_str(), W_OK, AT_EACCESS) != 0;
    return beschreibbar_(programmverzeichnis_) && !dateiGeschuetzt ? geteilt : eigener;
}

std::string TProgrammpfade::MikrocodeZielAnlegen() const {
    const std::string ziel = MikrocodeZumSchreiben();
    if (ziel != GemeinsamerMikrocode()) {
        std::error_code fehler;
        fs::create_directories(Ordner(ziel), fehler);
    }
    return ziel;
}

std::string TProgrammpfade::Anzeigename(const std::string& pfad) const {
    if (Ordner(pfad) == programmverzeichnis_) return pfad.substr(programmverzeichnis_.size());
    const std::string heim = MitTrenner(Umgebung("HOME"));
    if (heim.size() > 1 && pfad.rfind(heim, 0) == 0) return "~/" + pfad.substr(heim.size());
    return pfad;
}

}  // namespace ventaro
