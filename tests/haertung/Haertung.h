#pragma once
// Plumbing of the hostile-file suites: counting memory, making huge sparse
// files, and a directory in which nobody, root included, can create a file.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "TestSupport.h"
#include "core/Textdatei.h"

namespace ventaro::test {

// Bytes requested from operator new since the program started.
std::size_t AngeforderteBytes();

constexpr std::size_t MiB = std::size_t{1} << 20;

// The message of the Fehler f throws ("" if none), and the bytes it asked of
// operator new on the way.
struct Verlauf {
    std::string meldung;
    std::size_t bytes;
};
template <typename F>
Verlauf MitSpeicher(F&& f) {
    const std::size_t vorher = AngeforderteBytes();
    std::string meldung = FailureOf(std::forward<F>(f));
    return {std::move(meldung), AngeforderteBytes() - vorher};
}

// A file that starts with anfang and is groesse bytes long; the rest is a
// hole of NUL bytes that takes no disk space.
inline void LueckenDatei(const std::string& pfad, const std::string& anfang, off_t groesse) {
    WriteBytes(pfad, anfang);
    ASSERT_EQ(::truncate(pfad.c_str(), groesse), 0) << std::strerror(errno);
}

inline std::string Geoeffnet(const std::string& pfad, int fehlernummer) {
    return "Datei " + pfad + " kann nicht ge\xF6" "ffnet werden. " + std::strerror(fehlernummer);
}
inline std::string Erstellt(const std::string& pfad, int fehlernummer) {
    return "Datei \"" + pfad + "\" kann nicht erstellt werden. " + std::strerror(fehlernummer);
}

// Makes a directory refuse new entries for as long as it lives. A user other
// than root gets a directory without write permission; root, whom permissions
// do not stop, gets the file system's immutable flag, which stops root too.
// Geschuetzt() is false where neither works (no immutable flag on this file
// system); Fehlernummer() is the error creating a file then gives.
class SchreibgeschuetztesVerzeichnis {
public:
    explicit SchreibgeschuetztesVerzeichnis(const fs::path& verzeichnis) : pfad_(verzeichnis) {
        ::chmod(pfad_.c_str(), 0555);
        if (Probe()) return;
        ::chmod(pfad_.c_str(), 0755);
        const int fd = ::open(pfad_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            unveraenderlich_ = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0) ::close(fd);
        if (unveraenderlich_) Probe();
    }
    ~SchreibgeschuetztesVerzeichnis() {
        if (unveraenderlich_) {
            const int fd = ::open(pfad_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
            }
            if (fd >= 0) ::close(fd);
        }
        ::chmod(pfad_.c_str(), 0755);
    }
    SchreibgeschuetztesVerzeichnis(const SchreibgeschuetztesVerzeichnis&) = delete;
    SchreibgeschuetztesVerzeichnis& operator=(const SchreibgeschuetztesVerzeichnis&) = delete;

    bool Geschuetzt() const { return fehlernummer_ != 0; }
    int Fehlernummer() const { return fehlernummer_; }

private:
    // Tries to create a file; true when that failed.
    bool Probe() {
        const std::string probe = (pfad_ / "probe").string();
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            fehlernummer_ = errno;
            return true;
        }
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }

    fs::path pfad_;
    bool unveraenderlich_ = false;
    int fehlernummer_ = 0;
};

}  // namespace ventaro::test
