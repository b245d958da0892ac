#include "core/Textdatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/Fehler.h"
#include "core/Zeichensatz.h"

namespace ventaro {
namespace {

struct DateiSchliesser {
    void operator()(std::FILE* datei) const { std::fclose(datei); }
};
using Datei = std::unique_ptr<std::FILE, DateiSchliesser>;

[[noreturn]] void NichtLesbar(const std::string& pfad, int fehlernummer) {
    throw Fehler(meldung::KannNichtGeoeffnetWerden(PfadText(pfad), meldung::Systemgrund(fehlernummer)));
}

// Splits a byte stream into lines, remembering a CR that may pair with an LF
// at the start of the next block.
class Zeilenteiler {
public:
    Zeilenteiler(std::vector<std::string>& zeilen, std::size_t max) : zeilen_(zeilen), max_(max) {}

    bool Voll() const { return zeilen_.size() >= max_; }

    void Verarbeite(const char* daten, std::size_t n) {
        for (std::size_t i = 0; i < n && !Voll(); ++i) {
            const char c = daten[i];
            if (nachCR_ && c == '\n') {
                nachCR_ = false;
                continue;
            }
            nachCR_ = c == '\r';
            if (c == '\r' || c == '\n') {
                zeilen_.push_back(std::move(aktuell_));
                aktuell_.clear();
                offen_ = false;
            } else {
                aktuell_ += c;
                offen_ = true;
            }
        }
    }

    void Ende() {
        if (offen_ && !Voll()) zeilen_.push_back(std::move(aktuell_));
    }

private:
    std::vector<std::string>& zeilen_;
    std::size_t max_;
    std::string aktuell_;
    bool nachCR_ = false;
    bool offen_ = false;
};

bool SchreibeAlles(int fd, const std::vector<std::string>& zeilen, int& fehlernummer) {
    std::string puffer;
    for (const std::string& zeile : zeilen) {
        puffer += zeile;
        puffer += "\r\n";
    }
    const char* daten = puffer.data();
    std::size_t rest = puffer.size();
    while (rest > 0) {
        const ssize_t geschrieben = ::write(fd, daten, rest);
        if (geschrieben < 0) {
            if (errno == EINTR) continue;
            fehlernummer = errno;
            return false;
        }
        daten += geschrieben;
        rest -= static_cast<std::size_t>(geschrieben);
    }
    return true;
}

std::string Verzeichnis(const std::string& pfad) {
    const auto schnitt = pfad.find_last_of('/');
    return schnitt == std::string::npos ? std::string(".") : pfad.substr(0, schnitt + 1);
}

// A symbolic link is followed, so that the file it names is replaced and the
// link stays.
std::string ZielDerVerknuepfung(const std::string& pfad) {
    struct stat info {};
    if (::lstat(pfad.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return pfad;
    char aufgeloest[PATH_MAX];
    return ::realpath(pfad.c_str(), aufgeloest) ? std::string(aufgeloest) : pfad;
}

void SchreibeAnOrt(const std::string& pfad, const std::vector<std::string>& zeilen) {
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw SchreibFehler{SchreibFehler::Art::Erstellen, errno};
    int fehlernummer = 0;
    const bool ok = SchreibeAlles(fd, zeilen, fehlernummer);
    if (::close(fd) != 0 && ok) throw SchreibFehler{SchreibFehler::Art::Schreiben, errno};
    if (!ok) throw SchreibFehler{SchreibFehler::Art::Schreiben, fehlernummer};
}

void SchreibeUeberTemporaer(const std::string& ziel, const std::vector<std::string>& zeilen, const struct stat* alt) {
    std::string vorlage = Verzeichnis(ziel) + ".ventaro-XXXXXX";
    const int fd = ::mkstemp(vorlage.data());
    if (fd < 0) throw SchreibFehler{SchreibFehler::Art::Erstellen, errno};
    int fehlernummer = 0;
    bool ok = SchreibeAlles(fd, zeilen, fehlernummer);
    if (ok && ::fsync(fd) != 0) ok = false, fehlernummer = errno;
    // The new file keeps the old one's permissions; a new one gets the usual ones.
    const mode_t modus = alt ? (alt->st_mode & 07777) : (0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }());
    ::fchmod(fd, modus);
    if (::close(fd) != 0 && ok) ok = false, fehlernummer = errno;
    if (!ok) {
        ::unlink(vorlage.c_str());
        throw SchreibFehler{SchreibFehler::Art::Schreiben, fehlernummer};
    }
    if (::rename(vorlage.c_str(), ziel.c_str()) != 0) {
        fehlernummer = errno;
        ::unlink(vorlage.c_str());
        throw SchreibFehler{SchreibFehler::Art::Erstellen, fehlernummer};
    }
}

}  // namespace

std::vector<std::string> LeseZeilen(const std::string& pfad, std::size_t maxZeilen) {
    Datei datei(std::fopen(pfad.c_str(), "rb"));
    if (!datei) NichtLesbar(pfad, errno);
    std::vector<std::string> zeilen;
    Zeilenteiler teiler(zeilen, maxZeilen);
    char block[1 << 16];
    while (!teiler.Voll()) {
        const std::size_t n = std::fread(block, 1, sizeof block, datei.get());
        teiler.Verarbeite(block, n);
        if (n < sizeof block) {
            if (std::ferror(datei.get())) NichtLesbar(pfad, errno ? errno : EIO);
            break;
        }
    }
    teiler.Ende();
    return zeilen;
}

void SchreibeZeilenSicher(const std::string& pfad, const std::vector<std::string>& zeilen) {
    const std::string ziel = ZielDerVerknuepfung(pfad);
    struct stat info {};
    if (::stat(ziel.c_str(), &info) != 0) {
        SchreibeUeberTemporaer(ziel, zeilen, nullptr);
    } else if (S_ISREG(info.st_mode)) {
        SchreibeUeberTemporaer(ziel, zeilen, &info);
    } else {
        SchreibeAnOrt(ziel, zeilen);
    }
}

std::string PfadText(const std::string& pfad) { return Utf8ZuCp1252(pfad); }

std::string Dateiname(const std::string& pfad) {
    const auto schnitt = pfad.find_last_of('/');
    return schnitt == std::string::npos ? pfad : pfad.substr(schnitt + 1);
}

}  // namespace ventaro
