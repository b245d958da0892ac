// The version reader against real PE images made by the MinGW-w64 binutils
// (see CMakeLists.txt), against files without version information, and
// against truncated and damaged copies of a real image.
#include <gtest/gtest.h>

#include <regex>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "version/VersionsInfo.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

std::string Fixture(const std::string& name) { return std::string(VERSION_FIXTURES) + "/" + name; }

Bytes LeseDatei(const std::string& pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(datei), {});
}

void SchreibeDatei(const std::string& pfad, const Bytes& bytes, std::size_t anzahl) {
    std::ofstream datei(pfad, std::ios::binary | std::ios::trunc);
    datei.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(anzahl));
}

std::uint32_t U16(const Bytes& b, std::size_t p) { return b.at(p) | b.at(p + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t p) { return U16(b, p) | U16(b, p + 2) << 16; }
void Setze16(Bytes& b, std::size_t p, std::uint32_t w) { b.at(p) = w & 0xFF, b.at(p + 1) = w >> 8 & 0xFF; }
void Setze32(Bytes& b, std::size_t p, std::uint32_t w) { Setze16(b, p, w & 0xFFFF), Setze16(b, p + 2, w >> 16); }

// Offset of the first occurrence of an ASCII text stored as UTF-16LE.
std::size_t FindeText(const Bytes& b, std::string_view text) {
    Bytes muster;
    for (char c : text) muster.insert(muster.end(), {static_cast<unsigned char>(c), 0});
    const auto it = std::search(b.begin(), b.end(), muster.begin(), muster.end());
    if (it == b.end()) throw std::runtime_error("not in the image: " + std::string(text));
    return static_cast<std::size_t>(it - b.begin());
}

// Everything a reading yields except the file name.
struct Ergebnis {
    bool ist = false;
    std::array<std::uint16_t, 12> teile{};
    std::array<std::uint32_t, 5> werte{};
    std::array<bool, 6> flaggen{};
    std::array<std::string, 15> texte;
    bool operator==(const Ergebnis&) const = default;
};

void PrintTo(const Ergebnis& e, std::ostream* aus) {
    *aus << (e.ist ? "version info" : "no version info") << ", os " << e.werte[0] << ", texts:";
    for (const auto& t : e.texte) *aus << " \"" << t << '"';
}

Ergebnis Lies(const std::string& pfad) {
    TVersionsInfo v;
    v.SetFileName(pfad);
    EXPECT_EQ(v.FileName(), pfad);
    return {v.IsVersionInfo(),
            {v.MajorFileVersionMS(), v.MinorFileVersionMS(), v.MajorFileVersionLS(), v.MinorFileVersionLS(),
             v.MajorProductVersionMS(), v.MinorProductVersionMS(), v.MajorProductVersionLS(),
             v.MinorProductVersionLS(), v.MajorFileDataMS(), v.MinorFileDataMS(), v.MajorFileDataLS(),
             v.MinorFileDataLS()},
            {v.FileOS(), v.FileType(), v.FileSubType(), v.FileFlagsMask(), v.FileFlags()},
            {v.IsFlagDebug(), v.IsFlagPreRelease(), v.IsFlagPatched(), v.IsFlagPrivateBuild(),
             v.IsFlagInfoinferred(), v.IsFlagSpecialBuild()},
            {v.FileOSAsString(), v.FileTypeAsString(), v.FileSubTypeAsString(), v.CompanyName(),
             v.FileDesciption(), v.FileVersion(), v.InternalName(), v.LegalCopyright(), v.LegalTrademarks(),
             v.OriginalFilename(), v.ProductName(), v.ProductVersion(), v.Comments(), v.SpecialBuild(),
             v.PrivateBuild()}};
}

const Ergebnis kLeer{};  // the reset state: zero, false, empty

TEST(VersionsInfo, ReadsTheSystemsOwnVersionFromPe32PlusAndPe32) {
    for (const char* bild : {"ventaro.exe", "ventaro32.exe"}) {
        SCOPED_TRACE(bild);
        const Ergebnis e = Lies(Fixture(bild));
        const Ergebnis erwartet{
            true,
            {VENTARO_VERSION_TEILE, VENTARO_VERSION_TEILE, 0, 0, 0, 0},
            {0x40004, 1, 0, 0x3F, 0},
            {},
            {"VOS_NT_WINDOWS32", "VFT_APP", "", "Ventaro-Projekt",
             "Ventaro \u2013 Modellrechner f\u00fcr den Unterricht", VENTARO_VERSION, "Ventaro",
             "\u00a9 Ventaro-Projekt", "keine", "Ventaro.exe", "Ventaro", VENTARO_PRODUKTVERSION, "Mikroschritt \u2192 Takt \U0001F600",
             "Sonderbau", "Eigenbau"}};
        EXPECT_EQ(e, erwartet);
    }
}

// The version the program shows is the one the project file names.
TEST(VersionsInfo, ProgrammVersionIsTheProjectFilesVersion) {
    std::ifstream datei(VENTARO_PROJEKTDATEI);
    const std::string projekt{std::istreambuf_iterator<char>(datei), {}};
    std::smatch treffer;
    ASSERT_TRUE(std::regex_search(projekt, treffer, std::regex(R"(project\(Ventaro VERSION ([0-9.]+))")));
    EXPECT_EQ(ProgrammVersion(), treffer[1].str());
}

TEST(VersionsInfo, ConstantNamesAndFlagsAndMask) {
    struct Zeile {
        const char* bild;
        std::array<std::uint32_t, 5> werte;  // OS, type, subtype, mask, flags
        std::array<const char*, 3> namen;
        unsigned flaggen;  // the six flag properties as bits 1, 2, 4, 8, 16, 32
    };
    const Zeile zeilen[] = {
        {"flags_mixed", {0x30000, 1, 0, 0x1D, 0x2E}, {"VOS_OS232", "VFT_APP", ""}, 0x0C},
        {"flags_all", {0x2, 1, 0, 0x3F, 0x3F}, {"VOS__PM16", "VFT_APP", ""}, 0x3F},
        {"flags_unmasked", {0x10000, 0, 0, 0, 0x3F}, {"VOS_DOS", "VFT_UNKNOWN", ""}, 0},
        {"flags_high", {0x20000, 1, 0, 0xFFFFFFFF, 0xFFFFFFE1}, {"VOS_OS216", "VFT_APP", ""}, 0x21},
        {"drv_comm", {0x10001, 3, 10, 0x3F, 0}, {"VOS_DOS_WINDOWS16", "VFT_DRV", "VFT2_DRV_COMM"}, 0},
        {"drv_unknown", {0x40000, 3, 0, 0x3F, 0}, {"VOS_NT", "VFT_DRV", "VFT2_UNKNOWN"}, 0},
        {"drv_beyond", {0x4, 3, 11, 0x3F, 0}, {"VOS__WINDOWS32", "VFT_DRV", ""}, 0},
        {"font_truetype", {0x30003, 4, 3, 0x3F, 0}, {"VOS_OS232_PM32", "VFT_FONT", "VFT2_FONT_TRUETYPE"}, 0},
        {"font_raster", {0x1, 4, 1, 0x3F, 0}, {"VOS__WINDOWS16", "VFT_FONT", "VFT2_FONT_RASTER"}, 0},
        {"font_zero", {0x0, 4, 0, 0x3F, 0}, {"VOS_UNKNOWN", "VFT_FONT", ""}, 0},
        {"dll", {0x20002, 2, 3, 0x3F, 0}, {"VOS_OS216_PM16", "VFT_DLL", ""}, 0},
        {"static_lib", {0x10004, 7, 0, 0x3F, 0}, {"VOS_DOS_WINDOWS32", "VFT_STATIC_LIB", ""}, 0},
        {"vxd", {0x3, 5, 0, 0x3F, 0}, {"VOS__PM32", "VFT_VXD", ""}, 0},
        {"unnamed", {0x50000, 6, 1, 0x3F, 0}, {"", "", ""}, 0},
    };
    for (const Zeile& z : zeilen) {
        SCOPED_TRACE(z.bild);
        const Ergebnis e = Lies(Fixture(std::string("fixed_") + z.bild + ".exe"));
        EXPECT_TRUE(e.ist);
        EXPECT_EQ(e.werte, z.werte);
        EXPECT_EQ(e.texte[0], z.namen[0]);
        EXPECT_EQ(e.texte[1], z.namen[1]);
        EXPECT_EQ(e.texte[2], z.namen[2]);
        unsigned bits = 0;
        for (std::size_t i = 0; i < e.flaggen.size(); ++i) bits |= unsigned{e.flaggen[i]} << i;
        EXPECT_EQ(bits, z.flaggen);
        EXPECT_EQ(e.texte[5], VENTARO_VERSION);
    }
}

TEST(VersionsInfo, WithoutTranslationTheTwelveStringsStayEmpty) {
    Ergebnis e = Lies(Fixture("no_translation.exe"));
    EXPECT_TRUE(e.ist);
    EXPECT_TRUE(e.flaggen[0]);
    EXPECT_EQ(e.texte[0], "VOS_NT_WINDOWS32");
    for (std::size_t i = 3; i < e.texte.size(); ++i) EXPECT_EQ(e.texte[i], "") << "text " << i;
}

TEST(VersionsInfo, TheFirstTranslationChoosesTheStringTable) {
    EXPECT_EQ(Lies(Fixture("translation.exe")).texte[5], VENTARO_VERSION " english");
}

TEST(VersionsInfo, TakesTheFirstNameAndLanguageOfTheVersionType) {
    const Ergebnis e = Lies(Fixture("mixed.exe"));
    EXPECT_EQ(e.teile, (std::array<std::uint16_t, 12>{3, 1, 4, 1, 2, 7, 1, 8, 0, 0, 0, 0}));
    EXPECT_EQ(e.texte[5], "3.1.4.1");
}

class VersionsInfoDateien : public testing::Test {
protected:
    void SetUp() override {
        FOrdner = fs::path(testing::TempDir()) /
                  (std::string("ventaro_version_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FOrdner);
        fs::create_directories(FOrdner);
    }
    void TearDown() override { fs::remove_all(FOrdner); }
    std::string Pfad(const std::string& name) const { return (FOrdner / name).string(); }

    fs::path FOrdner;
};

TEST_F(VersionsInfoDateien, FilesWithoutVersionInformationLeaveEverythingReset) {
    SchreibeDatei(Pfad("leer.exe"), {}, 0);
    const Bytes text{'V', 'e', 'n', 't', 'a', 'r', 'o', '\r', '\n'};
    SchreibeDatei(Pfad("text.exe"), text, text.size());
    SchreibeDatei(Pfad("mz.exe"), {'M', 'Z'}, 2);
    const std::string pfade[] = {"", Pfad("fehlt.exe"), FOrdner.string(), Pfad("leer.exe"), Pfad("text.exe"),
                                 Pfad("mz.exe"), "/proc/self/exe", Fixture("no_resources.exe"),
                                 Fixture("data_only.exe")};
    for (const std::string& pfad : pfade) EXPECT_EQ(Lies(pfad), kLeer) << '"' << pfad << '"';
}

TEST_F(VersionsInfoDateien, ANewFileNameResetsTheLastReading) {
    TVersionsInfo v;
    v.SetFileName(Fixture("ventaro.exe"));
    ASSERT_EQ(v.CompanyName(), "Ventaro-Projekt");
    v.SetFileName(Pfad("fehlt.exe"));
    EXPECT_FALSE(v.IsVersionInfo());
    EXPECT_EQ(v.FileVersion(), "");
    EXPECT_EQ(v.FileOS(), 0u);
    EXPECT_EQ(v.FileOSAsString(), "");
    v.SetFileName(Fixture("ventaro.exe"));
    v.SetFileName(Fixture("fixed_drv_comm.exe"));
    EXPECT_EQ(v.FileTypeAsString(), "VFT_DRV");
    EXPECT_EQ(v.FileVersion(), VENTARO_VERSION);
    EXPECT_EQ(v.CompanyName(), "");  // not in that image
    EXPECT_EQ(v.FileFlagsMask(), 0x3Fu);
}

// The version resource is the last thing read: a copy cut before its end
// yields nothing, a copy cut after it everything.
TEST_F(VersionsInfoDateien, ATruncatedImageYieldsAllOrNothing) {
    const Bytes bild = LeseDatei(Fixture("ventaro.exe"));
    const std::size_t wurzel = FindeText(bild, "VS_VERSION_INFO") - 6;
    const std::size_t ende = wurzel + U16(bild, wurzel);
    ASSERT_LT(ende, bild.size());
    const Ergebnis voll = Lies(Fixture("ventaro.exe"));
    ASSERT_TRUE(voll.ist);
    // Every cut inside the headers and the version resource, where the
    // reader's bounds checks lie, and a sample of the bytes between them.
    for (std::size_t n = 0; n < bild.size(); ++n) {
        const bool pruefen = n < 1024 || n + 512 >= wurzel || n % 61 == 0;
        if (!pruefen) continue;
        SchreibeDatei(Pfad("kurz.exe"), bild, n);
        ASSERT_EQ(Lies(Pfad("kurz.exe")), n >= ende ? voll : kLeer) << "cut at " << n;
    }
}

TEST_F(VersionsInfoDateien, DamagedStructuresAreRejectedWithinBounds) {
    const Bytes bild = LeseDatei(Fixture("ventaro.exe"));
    const std::size_t pe = U32(bild, 0x3C);
    const std::size_t optional = pe + 24;
    std::size_t rsrc = 0;  // file offset of the resource section
    for (std::size_t i = 0, tabelle = optional + U16(bild, pe + 20); i < U16(bild, pe + 6); ++i) {
        if (std::string_view(reinterpret_cast<const char*>(&bild[tabelle + 40 * i]), 5) == ".rsrc") {
            rsrc = U32(bild, tabelle + 40 * i + 20);
        }
    }
    ASSERT_NE(rsrc, 0u);
    // ventaro.rc has one type, one name and one language.
    const std::size_t namen = rsrc + (U32(bild, rsrc + 20) & 0x7FFFFFFF);
    const std::size_t sprachen = rsrc + (U32(bild, namen + 20) & 0x7FFFFFFF);
    const std::size_t daten = rsrc + U32(bild, sprachen + 20);
    const std::size_t wurzel = FindeText(bild, "VS_VERSION_INFO") - 6;
    const std::size_t fest = (wurzel + 6 + 32 + 3) & ~std::size_t{3};
    const std::size_t stringFileInfo = FindeText(bild, "StringFileInfo") - 6;
    const std::size_t translation = FindeText(bild, "Translation") - 6;
    const std::string versionstext = VENTARO_VERSION;
    const std::size_t version = FindeText(bild, versionstext);

    struct Zeile {
        const char* schaden;
        std::size_t stelle;
        std::uint32_t wert;
        int breite;  // 16 or 32 bits
        bool ist;
        std::string fileVersion;
    };
    const Zeile zeilen[] = {
        {"no MZ", 0, 0x5A58, 16, false, ""},
        {"PE header beyond the file", 0x3C, 0xFFFFFFF0, 32, false, ""},
        {"no PE signature", pe, 0x4550 ^ 0x20, 16, false, ""},
        {"section table beyond the file", pe + 6, 0xFFFF, 16, false, ""},
        {"optional header too short", pe + 20, 1, 16, false, ""},
        {"unknown optional header", optional, 0x107, 16, false, ""},
        {"only two data directories", optional + 108, 2, 32, false, ""},
        {"resources outside every section", optional + 112 + 16, 0x7FFF0000, 32, false, ""},
        {"type entry pointing back to the root", rsrc + 20, 0x80000000, 32, false, ""},
        {"type entry without a name level", rsrc + 20, U32(bild, rsrc + 20) & 0x7FFFFFFF, 32, false, ""},
        {"language entry being a directory", sprachen + 20, U32(bild, sprachen + 20) | 0x80000000, 32, false, ""},
        {"data RVA 0", daten, 0, 32, false, ""},
        {"data of 4 GiB", daten + 4, 0xFFFFFFFF, 32, false, ""},
        {"data reaching past its section", daten + 4, U16(bild, wurzel) + 4, 32, false, ""},
        {"data shorter than the root block", daten + 4, U16(bild, wurzel) - 2, 32, false, ""},
        {"root block beyond its data", wurzel, 0xFFFF, 16, false, ""},
        {"root block shorter than its header", wurzel, 5, 16, false, ""},
        {"root key without its zero", wurzel, 6 + 2 * 15, 16, false, ""},
        {"wrong signature of the fixed part", fest, 0xFEEF04BC, 32, false, versionstext},
        {"fixed part shorter than 52 bytes", wurzel + 2, 48, 16, false, ""},
        {"StringFileInfo beyond its parent", stringFileInfo, 0xFFF0, 16, true, ""},
        {"translation of two bytes", translation + 2, 2, 16, true, ""},
        {"translation naming another table", translation + 32, 0x409, 16, true, ""},
        {"text with a lone surrogate", version, 0xD800, 16, true, "\uFFFD" + versionstext.substr(1)},
        {"text without its zero", version + 2 * versionstext.size(), 'x', 16, true, versionstext + "x"},
    };
    for (const Zeile& z : zeilen) {
        SCOPED_TRACE(z.schaden);
        Bytes kopie = bild;
        if (z.breite == 16) Setze16(kopie, z.stelle, z.wert); else Setze32(kopie, z.stelle, z.wert);
        SchreibeDatei(Pfad("kaputt.exe"), kopie, kopie.size());
        const Ergebnis e = Lies(Pfad("kaputt.exe"));
        EXPECT_EQ(e.ist, z.ist);
        EXPECT_EQ(e.texte[5], z.fileVersion);
        if (!z.ist && z.fileVersion.empty()) {
            EXPECT_EQ(e, kLeer);
        }
    }
}

TEST_F(VersionsInfoDateien, FileDatesAreSplitIntoHalves) {
    Bytes bild = LeseDatei(Fixture("ventaro.exe"));
    const std::size_t fest = (FindeText(bild, "VS_VERSION_INFO") - 6 + 6 + 32 + 3) & ~std::size_t{3};
    Setze32(bild, fest + 44, 0x00010002);
    Setze32(bild, fest + 48, 0x00030004);
    SchreibeDatei(Pfad("datum.exe"), bild, bild.size());
    TVersionsInfo v;
    v.SetFileName(Pfad("datum.exe"));
    EXPECT_EQ(v.MajorFileDataMS(), 1);
    EXPECT_EQ(v.MinorFileDataMS(), 2);
    EXPECT_EQ(v.MajorFileDataLS(), 3);
    EXPECT_EQ(v.MinorFileDataLS(), 4);
}

}  // namespace
}  // namespace ventaro
