#pragma once
// Where the program's files lie. The program directory is the executable's
// folder when mikrocode.dat lies beside it (the build folder, a copy on a USB
// stick), otherwise the shared folder of an installation (<prefix>/share/
// ventaro beside <prefix>/bin). The microcode is read from the per-user copy
// ($XDG_DATA_HOME/ventaro/mikrocode.dat) when there is one; the editor writes
// that copy when the program directory cannot be written.

#include <functional>
#include <string>

namespace ventaro {

class TProgrammpfade {
public:
    // Whether the program may create and replace files in a folder.
    using Beschreibbar = std::function<bool(const std::string& ordner)>;

    // ausfuehrbarOrdner: the executable's folder. datenRelativ: the shared
    // folder relative to it, as installed.
    explicit TProgrammpfade(const std::string& ausfuehrbarOrdner, const std::string& datenRelativ = Installiert,
                            Beschreibbar beschreibbar = OrdnerBeschreibbar);

    static const char* const Installiert;
    // The running executable's folder (/proc/self/exe).
    static std::string AusfuehrbarOrdner();
    static bool OrdnerBeschreibbar(const std::string& ordner);

    // Ends in a separator.
    const std::string& Programmverzeichnis() const { return programmverzeichnis_; }
    std::string Beispielordner() const { return programmverzeichnis_ + "beispiele/"; }
    std::string GemeinsamerMikrocode() const;
    // $XDG_DATA_HOME/ventaro/mikrocode.dat (~/.local/share/ventaro/ when the
    // variable is unset); empty without a home folder.
    static std::string BenutzerMikrocode();

    // The per-user copy when it exists, else the shared file.
    std::string MikrocodeZumLesen() const;
    // Where the editor's OK writes: the per-user copy when it exists or the
    // program directory cannot be written, else the shared file.
    std::string MikrocodeZumSchreiben() const;
    // MikrocodeZumSchreiben, with the per-user folder created when that is
    // the place; a failure shows when the file is written.
    std::string MikrocodeZielAnlegen() const;
    // How a title names the file: "mikrocode.dat" in the program directory,
    // elsewhere the full path, the home folder written as "~".
    std::string Anzeigename(const std::string& pfad) const;

private:
    std::string programmverzeichnis_;
    Beschreibbar beschreibbar_;
};

}  // namespace ventaro
