#include "core/Textdatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "core/Fehler.h"
#include "core/Zeichensatz.h"

namespace ventaro {
namespace {

[[noreturn]] void NichtLesbar(const std::string& pfad, int fehlernummer) {
    throw Fehler(meldung::KannNichtGeoeffnetWerden(PfadText(pfad), meldung::Systemgrund(fehlernummer)));
}

std::string MitZeilenenden(const std::vector<std::string>& zeilen) {
    std::string puffer;
    for (const std::string& zeile : zeilen) {
        puffer += zeile;
        puffer += "\r\n";
    }
    return puffer;
}

bool SchreibeAlles(int fd, const std::string& puffer, int& fehlernummer) {
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

bool LiesAlles(int fd, std::string& inhalt, int& fehlernummer) {
    char block[1 << 14];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            fehlernummer = errno;
            return false;
        }
        if (n == 0) return true;
        inhalt.append(block, static_cast<std::size_t>(n));
    }
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
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) throw SchreibFehler{SchreibFehler::Art::Erstellen, errno};
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    int fehlernummer = 0;
    const bool ok = SchreibeAlles(fd, MitZeilenenden(zeilen), fehlernummer);
    if (::close(fd) != 0 && ok) throw SchreibFehler{SchreibFehler::Art::Schreiben, errno};
    if (!ok) throw SchreibFehler{SchreibFehler::Art::Schreiben, fehlernummer};
}

// False, with errno set, when the file system refuses the new length. Used
// on the way back to the old content, its failure changes no message: the
// save has failed already.
bool KuerzeAuf(int fd, std::size_t laenge) {
    int ergebnis;
    do ergebnis = ::ftruncate(fd, static_cast<off_t>(laenge));
    while (ergebnis != 0 && errno == EINTR);
    return ergebnis == 0;
}

// Writes a file the user may write in a folder the user may not (a handout
// folder): in place, but only once the whole new content has its room, and
// on a failure part-way the old content goes back, so the file is never left
// damaged.
void SchreibeAnOrtMitSicherung(const std::string& ziel, const std::vector<std::string>& zeilen) {
    const std::string neu = MitZeilenenden(zeilen);
    const int fd = ::open(ziel.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) throw SchreibFehler{SchreibFehler::Art::Erstellen, errno};
    // The old content is kept in memory to be put back; a file far larger
    // than any the program writes is not overwritten without that backup.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || static_cast<std::size_t>(info.st_size) > MaxLesezeichen) {
        ::close(fd);
        throw SchreibFehler{SchreibFehler::Art::Erstellen, EFBIG};
    }
    std::string alt;
    int fehlernummer = 0;
    if (!LiesAlles(fd, alt, fehlernummer)) {
        ::close(fd);
        throw SchreibFehler{SchreibFehler::Art::Erstellen, fehlernummer};
    }
    if (neu.size() > alt.size()) {
        const int platz = ::posix_fallocate(fd, 0, static_cast<off_t>(neu.size()));
        if (platz != 0 && platz != EOPNOTSUPP && platz != EINVAL) {
            KuerzeAuf(fd, alt.size());  // what a failed allocation may have added
            ::close(fd);
            throw SchreibFehler{SchreibFehler::Art::Schreiben, platz};
        }
    }
    bool ok = ::lseek(fd, 0, SEEK_SET) == 0 && SchreibeAlles(fd, neu, fehlernummer);
    // A longer text has left no old bytes behind: only a shorter one is cut.
    if (ok && neu.size() < alt.size() && !KuerzeAuf(fd, neu.size())) ok = false, fehlernummer = errno;
    if (ok && ::fsync(fd) != 0) ok = false, fehlernummer = errno;
    if (!ok) {
        int egal = 0;
        if (::lseek(fd, 0, SEEK_SET) == 0 && SchreibeAlles(fd, alt, egal) && neu.size() > alt.size())
            KuerzeAuf(fd, alt.size());
    }
    if (::close(fd) != 0 && ok) ok = false, fehlernummer = errno;
    if (!ok) throw SchreibFehler{SchreibFehler::Art::Schreiben, fehlernummer};
}

bool OrdnerVerweigert(int fehlernummer) { return fehlernummer == EACCES || fehlernummer == EPERM; }

// False, with nothing written, when the folder lets no file be created and an
// old file (alt) is there to be written in place instead.
bool SchreibeUeberTemporaer(const std::string& ziel, const std::vector<std::string>& zeilen, const struct stat* alt) {
    std::string vorlage = Verzeichnis(ziel) + ".ventaro-XXXXXX";
    const int fd = ::mkstemp(vorlage.data());
    if (fd < 0 && alt && OrdnerVerweigert(errno)) return false;
    if (fd < 0) throw SchreibFehler{SchreibFehler::Art::Erstellen, errno};
    int fehlernummer = 0;
    bool ok = SchreibeAlles(fd, MitZeilenenden(zeilen), fehlernummer);
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
    return true;
}

}  // namespace

TZeilenleser::TZeilenleser(const std::string& pfad, std::size_t maxZeichen)
    : pfad_(pfad), maxZeichen_(maxZeichen) {
    // Opened without waiting, so that a named pipe without a writer reads as
    // an empty file instead of blocking the program; then read as usual.
    fd_ = ::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) NichtLesbar(pfad_, errno);
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    puffer_.reset(new char[Puffergroesse]);  // not zero-filled: read() fills what is used
}

TZeilenleser::~TZeilenleser() { ::close(fd_); }

bool TZeilenleser::Fuellen() {
    for (;;) {
        const ssize_t n = ::read(fd_, puffer_.get(), Puffergroesse);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) NichtLesbar(pfad_, errno);
        anfang_ = 0;
        ende_ = static_cast<std::size_t>(n);
        dateiende_ = n == 0;
        return n > 0;
    }
}

bool TZeilenleser::Naechste(std::string& zeile) {
    zeile.clear();
    bool offen = false;  // a character of this line has been read
    for (;;) {
        if (anfang_ == ende_ && (dateiende_ || !Fuellen())) return offen;
        const char* const block = puffer_.get();
        if (nachCR_) {
            nachCR_ = false;
            if (block[anfang_] == '\n') {
                ++anfang_;
                continue;
            }
        }
        std::size_t i = anfang_;
        while (i < ende_ && block[i] != '\r' && block[i] != '\n') ++i;
        zeichen_ += i - anfang_;
        // The lines needed are far too big for any text the program writes:
        // the file is refused like one that cannot be read, before it fills
        // memory.
        if (zeichen_ > maxZeichen_) NichtLesbar(pfad_, EFBIG);
        zeile.append(block + anfang_, i - anfang_);
        offen = offen || i > anfang_;
        anfang_ = i;
        if (i < ende_) {
            nachCR_ = block[i] == '\r';
            ++anfang_;
            return true;
        }
    }
}

std::vector<std::string> LeseZeilen(const std::string& pfad, std::size_t maxZeilen) {
    TZeilenleser leser(pfad);
    std::vector<std::string> zeilen;
    std::string zeile;
    while (zeilen.size() < maxZeilen && leser.Naechste(zeile)) zeilen.push_back(std::move(zeile));
    return zeilen;
}

void SchreibeZeilenSicher(const std::string& pfad, const std::vector<std::string>& zeilen) {
    const std::string ziel = ZielDerVerknuepfung(pfad);
    struct stat info {};
    if (::stat(ziel.c_str(), &info) != 0) {
        SchreibeUeberTemporaer(ziel, zeilen, nullptr);
    } else if (S_ISREG(info.st_mode)) {
        // The rename would replace a file the user may not write (a
        // write-protected handout): it stays, as writing it in place would.
        if (::faccessat(AT_FDCWD, ziel.c_str(), W_OK, AT_EACCESS) != 0)
            throw SchreibFehler{SchreibFehler::Art::Erstellen, errno};
        if (!SchreibeUeberTemporaer(ziel, zeilen, &info)) SchreibeAnOrtMitSicherung(ziel, zeilen);
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
