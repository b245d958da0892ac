#include "version/VersionsInfo.h"

#include "core/Zeichensatz.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#ifndef VENTARO_PROGRAMMVERSION
#error "VENTARO_PROGRAMMVERSION must be defined by the build (the project version)"
#endif

namespace ventaro {
namespace {

using Bytes = std::span<const unsigned char>;

std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

constexpr std::uint32_t kSignaturFesterTeil = 0xFEEF04BD;
constexpr std::size_t kGroesseFesterTeil = 13 * 4;  // VS_FIXEDFILEINFO
constexpr std::uint32_t kRtVersion = 16;
// A version block states its length in 16 bits, so no version resource needs
// more than this; a larger stated resource size is not read beyond it.
constexpr std::size_t kMaxVersionsdaten = 0xFFFF;

// Positional reads of a file. Every read must lie wholly inside the file;
// after the first failed read every further read fails too.
class Datei {
public:
    explicit Datei(const std::filesystem::path& pfad) : FStrom(pfad, std::ios::binary) {
        std::error_code fehler;
        const auto groesse = std::filesystem::file_size(pfad, fehler);
        FGroesse = fehler ? 0 : groesse;
    }

    bool Lese(std::uint64_t position, std::size_t anzahl, unsigned char* ziel) {
        if (!FStrom || position > FGroesse || anzahl > FGroesse - position) return false;
        if (anzahl == 0) return true;
        FStrom.seekg(static_cast<std::streamoff>(position));
        FStrom.read(reinterpret_cast<char*>(ziel), static_cast<std::streamsize>(anzahl));
        return FStrom && static_cast<std::size_t>(FStrom.gcount()) == anzahl;
    }

private:
    std::ifstream FStrom;
    std::uintmax_t FGroesse = 0;
};

struct Abschnitt {
    std::uint32_t adresse;      // relative virtual address
    std::uint32_t groesse;      // size in memory
    std::uint32_t rohPosition;  // file offset of its data
    std::uint32_t rohGroesse;   // bytes of data in the file
};

// The headers of a PE image: what is needed to read the resource section.
struct PeBild {
    std::vector<Abschnitt> abschnitte;
    std::uint32_t ressourcen = 0;  // RVA of the resource directory, 0 for none

    // Reads bytes by relative virtual address. Only bytes the file holds for
    // one section count; the zero fill a loader would add does not.
    bool LeseRva(Datei& datei, std::uint64_t rva, std::size_t anzahl, unsigned char* ziel) const {
        for (const Abschnitt& a : abschnitte) {
            const std::uint64_t spanne = a.groesse != 0 ? a.groesse : a.rohGroesse;
            if (rva < a.adresse || rva - a.adresse >= spanne) continue;
            const std::uint64_t versatz = rva - a.adresse;
            const std::uint64_t belegt = std::min<std::uint64_t>(spanne, a.rohGroesse);
            if (versatz >= belegt || anzahl > belegt - versatz) return false;
            return datei.Lese(std::uint64_t{a.rohPosition} + versatz, anzahl, ziel);
        }
        return false;
    }
};

// DOS header, PE signature, COFF header, optional header (PE32 or PE32+)
// and section table.
std::optional<PeBild> LesePeKoepfe(Datei& datei) {
    unsigned char dos[64];
    if (!datei.Lese(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z') return std::nullopt;
    const std::uint64_t pe = U32(dos + 0x3C);
    unsigned char koff[24];  // signature and COFF header
    if (!datei.Lese(pe, sizeof koff, koff) || std::memcmp(koff, "PE\0\0", 4) != 0) return std::nullopt;
    const std::size_t abschnittszahl = U16(koff + 6);
    const std::size_t optionalGroesse = U16(koff + 20);
    const std::uint64_t optionalPosition = pe + sizeof koff;

    std::vector<unsigned char> optional(optionalGroesse);
    if (optionalGroesse < 2 || !datei.Lese(optionalPosition, optional.size(), optional.data())) {
        return std::nullopt;
    }
    std::size_t anzahlStelle = 0;  // of NumberOfRvaAndSizes, the data directories follow it
    switch (U16(optional.data())) {
        case 0x10B: anzahlStelle = 92; break;   // PE32
        case 0x20B: anzahlStelle = 108; break;  // PE32+
        default: return std::nullopt;
    }
    PeBild bild;
    const std::size_t ressourcenEintrag = anzahlStelle + 4 + 2 * 8;  // data directory 2
    if (optionalGroesse >= ressourcenEintrag + 8 && U32(optional.data() + anzahlStelle) > 2) {
        bild.ressourcen = U32(optional.data() + ressourcenEintrag);
    }

    std::vector<unsigned char> tabelle(abschnittszahl * 40);
    if (!datei.Lese(optionalPosition + optionalGroesse, tabelle.size(), tabelle.data())) return std::nullopt;
    bild.abschnitte.reserve(abschnittszahl);
    for (std::size_t i = 0; i < abschnittszahl; ++i) {
        const unsigned char* e = tabelle.data() + 40 * i;
        bild.abschnitte.push_back({U32(e + 12), U32(e + 8), U32(e + 20), U32(e + 16)});
    }
    return bild;
}

// The data field of an entry of the resource directory at `verzeichnis` (an
// offset from the start of the resource section): for RT_VERSION among the
// numbered entries of the type level, or the very first entry below it.
std::optional<std::uint32_t> Verzeichniseintrag(Datei& datei, const PeBild& bild, std::uint64_t verzeichnis,
                                                std::optional<std::uint32_t> gesuchteId) {
    const std::uint64_t anfang = std::uint64_t{bild.ressourcen} + verzeichnis;
    unsigned char kopf[16];
    if (!bild.LeseRva(datei, anfang, sizeof kopf, kopf)) return std::nullopt;
    const std::size_t benannt = U16(kopf + 12);
    const std::size_t nummeriert = U16(kopf + 14);
    // Named entries come first; numbered ones follow them.
    const std::size_t von = gesuchteId ? benannt : 0;
    const std::size_t bis = gesuchteId ? benannt + nummeriert : std::min<std::size_t>(benannt + nummeriert, 1);
    for (std::size_t i = von; i < bis; ++i) {
        unsigned char eintrag[8];
        if (!bild.LeseRva(datei, anfang + sizeof kopf + 8 * i, sizeof eintrag, eintrag)) return std::nullopt;
        if (!gesuchteId || U32(eintrag) == *gesuchteId) return U32(eintrag + 4);
    }
    return std::nullopt;
}

// Walks type RT_VERSION, its first name and that name's first language to
// the resource's data and reads it.
std::vector<unsigned char> LeseVersionsressource(Datei& datei) {
    const auto bild = LesePeKoepfe(datei);
    if (!bild || bild->ressourcen == 0) return {};
    constexpr std::uint32_t kUnterverzeichnis = 0x80000000u;
    const auto typ = Verzeichniseintrag(datei, *bild, 0, kRtVersion);
    if (!typ || !(*typ & kUnterverzeichnis)) return {};
    const auto name = Verzeichniseintrag(datei, *bild, *typ & ~kUnterverzeichnis, std::nullopt);
    if (!name || !(*name & kUnterverzeichnis)) return {};
    const auto sprache = Verzeichniseintrag(datei, *bild, *name & ~kUnterverzeichnis, std::nullopt);
    if (!sprache || (*sprache & kUnterverzeichnis)) return {};

    unsigned char datenEintrag[8];  // RVA and size of the data
    if (!bild->LeseRva(datei, std::uint64_t{bild->ressourcen} + *sprache, sizeof datenEintrag, datenEintrag)) {
        return {};
    }
    std::vector<unsigned char> daten(std::min<std::size_t>(U32(datenEintrag + 4), kMaxVersionsdaten));
    if (daten.size() < 6 || !bild->LeseRva(datei, U32(datenEintrag), daten.size(), daten.data())) return {};
    return daten;
}

constexpr std::size_t Ausrichten(std::size_t position) { return (position + 3) & ~std::size_t{3}; }

// One block of the version data: length, value length, type, key (UTF-16,
// zero-terminated), padding, value, padding, child blocks. Positions are
// offsets into the version data, which starts 32-bit aligned.
struct Block {
    std::size_t ende = 0;         // one past the block's last byte
    std::size_t schluessel = 0;   // first key character
    std::size_t schluesselEnde = 0;
    bool hatWert = false;         // stated value length not zero
    std::size_t wert = 0;
    std::size_t wertLaenge = 0;   // bytes of the value inside the block
    std::size_t kinder = 0;
};

class Versionsdaten {
public:
    explicit Versionsdaten(Bytes daten) : FDaten(daten) {}

    // The block at `anfang`, which must end by `grenze`.
    std::optional<Block> LeseBlock(std::size_t anfang, std::size_t grenze) const {
        if (anfang > grenze || grenze - anfang < 6) return std::nullopt;
        const unsigned char* p = FDaten.data() + anfang;
        const std::size_t laenge = U16(p);
        if (laenge < 6 || laenge > grenze - anfang) return std::nullopt;
        const std::size_t wertAngabe = U16(p + 2);
        const bool text = U16(p + 4) == 1;  // text values count in characters

        Block b;
        b.ende = anfang + laenge;
        b.schluessel = anfang + 6;
        std::size_t s = b.schluessel;
        for (;;) {
            if (b.ende - s < 2) return std::nullopt;  // key without its terminating zero
            if (U16(FDaten.data() + s) == 0) break;
            s += 2;
        }
        b.schluesselEnde = s;
        const std::size_t wertBytes = text ? 2 * wertAngabe : wertAngabe;
        b.hatWert = wertAngabe != 0;
        b.wert = std::min(Ausrichten(s + 2), b.ende);
        b.wertLaenge = std::min(wertBytes, b.ende - b.wert);
        b.kinder = std::min(Ausrichten(b.wert + wertBytes), b.ende);
        return b;
    }

    // The first child of `eltern` whose key equals `name`, ignoring the case
    // of ASCII letters.
    std::optional<Block> Kind(const Block& eltern, std::string_view name) const {
        std::size_t position = eltern.kinder;
        while (position < eltern.ende) {
            const auto kind = LeseBlock(position, eltern.ende);
            if (!kind) return std::nullopt;
            if (SchluesselIst(*kind, name)) return kind;
            position = Ausrichten(kind->ende);
        }
        return std::nullopt;
    }

    // The block's value as text: UTF-16LE up to its zero or the block's end.
    std::string Text(const Block& b) const {
        std::u16string einheiten;
        if (b.hatWert) {
            for (std::size_t p = b.wert; b.ende - p >= 2; p += 2) {
                const char16_t c = U16(FDaten.data() + p);
                if (c == 0) break;
                einheiten.push_back(c);
            }
        }
        return Utf8(einheiten);
    }

    const unsigned char* Wert(const Block& b) const { return FDaten.data() + b.wert; }

private:
    bool SchluesselIst(const Block& b, std::string_view name) const {
        if ((b.schluesselEnde - b.schluessel) / 2 != name.size()) return false;
        auto klein = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
        for (std::size_t i = 0; i < name.size(); ++i) {
            const unsigned c = U16(FDaten.data() + b.schluessel + 2 * i);
            if (klein(c) != klein(static_cast<unsigned char>(name[i]))) return false;
        }
        return true;
    }

    static std::string Utf8(const std::u16string& einheiten) {
        std::string aus;
        aus.reserve(einheiten.size());
        for (std::size_t i = 0; i < einheiten.size(); ++i) {
            char32_t c = einheiten[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < einheiten.size() && einheiten[i + 1] >= 0xDC00 &&
                einheiten[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (einheiten[++i] - 0xDC00);
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                c = 0xFFFD;  // a surrogate without its partner
            }
            HaengeUtf8An(aus, c);
        }
        return aus;
    }

    Bytes FDaten;
};

const char* OsName(std::uint32_t os) {
    switch (os) {
        case 0x00000000: return "VOS_UNKNOWN";
        case 0x00000001: return "VOS__WINDOWS16";
        case 0x00000002: return "VOS__PM16";
        case 0x00000003: return "VOS__PM32";
        case 0x00000004: return "VOS__WINDOWS32";
        case 0x00010000: return "VOS_DOS";
        case 0x00010001: return "VOS_DOS_WINDOWS16";
        case 0x00010004: return "VOS_DOS_WINDOWS32";
        case 0x00020000: return "VOS_OS216";
        case 0x00020002: return "VOS_OS216_PM16";
        case 0x00030000: return "VOS_OS232";
        case 0x00030003: return "VOS_OS232_PM32";
        case 0x00040000: return "VOS_NT";
        case 0x00040004: return "VOS_NT_WINDOWS32";
        default: return "";
    }
}

constexpr std::uint32_t kVftDrv = 3;
constexpr std::uint32_t kVftFont = 4;

const char* TypName(std::uint32_t typ) {
    switch (typ) {
        case 0: return "VFT_UNKNOWN";
        case 1: return "VFT_APP";
        case 2: return "VFT_DLL";
        case kVftDrv: return "VFT_DRV";
        case kVftFont: return "VFT_FONT";
        case 5: return "VFT_VXD";
        case 7: return "VFT_STATIC_LIB";
        default: return "";
    }
}

const char* UntertypName(std::uint32_t typ, std::uint32_t untertyp) {
    static const char* const treiber[] = {
        "VFT2_UNKNOWN",       "VFT2_DRV_PRINTER", "VFT2_DRV_KEYBOARD", "VFT2_DRV_LANGUAGE",
        "VFT2_DRV_DISPLAY",   "VFT2_DRV_MOUSE",   "VFT2_DRV_NETWORK",  "VFT2_DRV_SYSTEM",
        "VFT2_DRV_INSTALLABLE", "VFT2_DRV_SOUND", "VFT2_DRV_COMM",
    };
    static const char* const schriften[] = {"VFT2_FONT_RASTER", "VFT2_FONT_VECTOR", "VFT2_FONT_TRUETYPE"};
    if (typ == kVftDrv && untertyp < std::size(treiber)) return treiber[untertyp];
    if (typ == kVftFont && untertyp >= 1 && untertyp <= std::size(schriften)) return schriften[untertyp - 1];
    return "";
}

// The string table of the first translation; without one the texts stay
// empty.
std::optional<Block> Stringtabelle(const Versionsdaten& version, const Block& wurzel) {
    const auto vars = version.Kind(wurzel, "VarFileInfo");
    const auto uebersetzung = vars ? version.Kind(*vars, "Translation") : std::nullopt;
    if (!uebersetzung || uebersetzung->wertLaenge < 4) return std::nullopt;
    const unsigned char* eintrag = version.Wert(*uebersetzung);
    char schluessel[9];
    std::snprintf(schluessel, sizeof schluessel, "%.4x%.4x", unsigned{U16(eintrag)}, unsigned{U16(eintrag + 2)});
    const auto strings = version.Kind(wurzel, "StringFileInfo");
    return strings ? version.Kind(*strings, schluessel) : std::nullopt;
}

}  // namespace

void TVersionsInfo::Zuruecksetzen() { *this = TVersionsInfo(); }

void TVersionsInfo::FesterTeil(const unsigned char* wert) {
    // VS_FIXEDFILEINFO: signature and structure version precede these.
    FFileVersionMS = U32(wert + 8);
    FFileVersionLS = U32(wert + 12);
    FProductVersionMS = U32(wert + 16);
    FProductVersionLS = U32(wert + 20);
    FFileFlagsMask = U32(wert + 24);
    FFileFlags = U32(wert + 28);
    FFileOS = U32(wert + 32);
    FFileType = U32(wert + 36);
    FFileSubType = U32(wert + 40);
    FFileDateMS = U32(wert + 44);
    FFileDateLS = U32(wert + 48);
    FFileTypeAsString = TypName(FFileType);
    FFileSubTypeAsString = UntertypName(FFileType, FFileSubType);
    FFileOSAsString = OsName(FFileOS);
}

void TVersionsInfo::SetFileName(const std::string& pfad) {
    Zuruecksetzen();
    FFileName = pfad;
    try {
        Lese();
    } catch (const std::exception&) {  // e.g. out of memory: behave as an unreadable file
        Zuruecksetzen();
        FFileName = pfad;
    }
}

void TVersionsInfo::Lese() {
    if (FFileName.empty()) return;
    const std::filesystem::path pfad(
        std::u8string(reinterpret_cast<const char8_t*>(FFileName.data()), FFileName.size()));
    std::error_code fehler;
    if (!std::filesystem::is_regular_file(pfad, fehler)) return;

    Datei datei(pfad);
    const std::vector<unsigned char> daten = LeseVersionsressource(datei);
    const Versionsdaten version(daten);
    const auto wurzel = version.LeseBlock(0, daten.size());
    if (!wurzel) return;

    if (wurzel->wertLaenge >= kGroesseFesterTeil && U32(version.Wert(*wurzel)) == kSignaturFesterTeil) {
        FesterTeil(version.Wert(*wurzel));
        FIsVersionInfo = true;
    }

    const auto tabelle = Stringtabelle(version, *wurzel);
    if (!tabelle) return;
    const std::pair<const char*, std::string TVersionsInfo::*> texte[] = {
        {"FileDescription", &TVersionsInfo::FFileDesciption},
        {"CompanyName", &TVersionsInfo::FCompanyName},
        {"FileVersion", &TVersionsInfo::FFileVersion},
        {"InternalName", &TVersionsInfo::FInternalName},
        {"LegalCopyright", &TVersionsInfo::FLegalCopyright},
        {"LegalTrademarks", &TVersionsInfo::FLegalTrademarks},
        {"OriginalFilename", &TVersionsInfo::FOriginalFilename},
        {"ProductName", &TVersionsInfo::FProductName},
        {"ProductVersion", &TVersionsInfo::FProductVersion},
        {"Comments", &TVersionsInfo::FComments},
        {"SpecialBuild", &TVersionsInfo::FSpecialBuild},
        {"PrivateBuild", &TVersionsInfo::FPrivateBuild},
    };
    for (const auto& [name, eigenschaft] : texte) {
        if (const auto wert = version.Kind(*tabelle, name)) this->*eigenschaft = version.Text(*wert);
    }
}

std::string ProgrammVersion() { return VENTARO_PROGRAMMVERSION; }

}  // namespace ventaro
