#pragma once
// Reader of the Windows version information of a file: the VS_VERSIONINFO
// resource inside a PE image (.exe, .dll). The file is parsed here with the
// standard library alone, so the reader works on every platform and never
// loads the file as a module. The file is untrusted input: every offset is
// checked, only the few parts that lead to the version resource are read,
// and anything malformed simply leaves the properties at their reset values.

#include <cstdint>
#include <string>

namespace ventaro {

class TVersionsInfo {
public:
    // Resets every property, then reads the version information of the file
    // at pfad (UTF-8). Never throws for a missing, unreadable or malformed
    // file; FileName keeps the path in every case.
    void SetFileName(const std::string& pfad);

    const std::string& FileName() const { return FFileName; }
    // True once the fixed part (signature 0xFEEF04BD) was read.
    bool IsVersionInfo() const { return FIsVersionInfo; }

    std::uint16_t MajorFileVersionMS() const { return Hoch(FFileVersionMS); }
    std::uint16_t MinorFileVersionMS() const { return Tief(FFileVersionMS); }
    std::uint16_t MajorFileVersionLS() const { return Hoch(FFileVersionLS); }
    std::uint16_t MinorFileVersionLS() const { return Tief(FFileVersionLS); }
    std::uint16_t MajorProductVersionMS() const { return Hoch(FProductVersionMS); }
    std::uint16_t MinorProductVersionMS() const { return Tief(FProductVersionMS); }
    std::uint16_t MajorProductVersionLS() const { return Hoch(FProductVersionLS); }
    std::uint16_t MinorProductVersionLS() const { return Tief(FProductVersionLS); }
    std::uint16_t MajorFileDataMS() const { return Hoch(FFileDateMS); }
    std::uint16_t MinorFileDataMS() const { return Tief(FFileDateMS); }
    std::uint16_t MajorFileDataLS() const { return Hoch(FFileDateLS); }
    std::uint16_t MinorFileDataLS() const { return Tief(FFileDateLS); }

    std::uint32_t FileOS() const { return FFileOS; }
    std::uint32_t FileType() const { return FFileType; }
    std::uint32_t FileSubType() const { return FFileSubType; }
    std::uint32_t FileFlagsMask() const { return FFileFlagsMask; }
    std::uint32_t FileFlags() const { return FFileFlags; }

    // The flags count only where the mask declares them valid.
    bool IsFlagDebug() const { return Flagge(0x01); }
    bool IsFlagPreRelease() const { return Flagge(0x02); }
    bool IsFlagPatched() const { return Flagge(0x04); }
    bool IsFlagPrivateBuild() const { return Flagge(0x08); }
    bool IsFlagInfoinferred() const { return Flagge(0x10); }
    bool IsFlagSpecialBuild() const { return Flagge(0x20); }

    // The constant names of FileOS, FileType and FileSubType ("VOS_NT_WINDOWS32",
    // "VFT_APP", "VFT2_DRV_COMM"); empty for values without a name.
    const std::string& FileOSAsString() const { return FFileOSAsString; }
    const std::string& FileTypeAsString() const { return FFileTypeAsString; }
    const std::string& FileSubTypeAsString() const { return FFileSubTypeAsString; }

    // The string values of the first translation, converted to UTF-8.
    const std::string& CompanyName() const { return FCompanyName; }
    const std::string& FileDesciption() const { return FFileDesciption; }  // "FileDescription"
    const std::string& FileVersion() const { return FFileVersion; }
    const std::string& InternalName() const { return FInternalName; }
    const std::string& LegalCopyright() const { return FLegalCopyright; }
    const std::string& LegalTrademarks() const { return FLegalTrademarks; }
    const std::string& OriginalFilename() const { return FOriginalFilename; }
    const std::string& ProductName() const { return FProductName; }
    const std::string& ProductVersion() const { return FProductVersion; }
    const std::string& Comments() const { return FComments; }
    const std::string& SpecialBuild() const { return FSpecialBuild; }
    const std::string& PrivateBuild() const { return FPrivateBuild; }

private:
    static std::uint16_t Hoch(std::uint32_t wert) { return static_cast<std::uint16_t>(wert >> 16); }
    static std::uint16_t Tief(std::uint32_t wert) { return static_cast<std::uint16_t>(wert & 0xFFFFu); }
    bool Flagge(std::uint32_t bit) const { return (FFileFlags & FFileFlagsMask & bit) != 0; }

    void Zuruecksetzen();
    void Lese();
    void FesterTeil(const unsigned char* wert);

    std::string FFileName;
    bool FIsVersionInfo = false;
    std::uint32_t FFileVersionMS = 0;
    std::uint32_t FFileVersionLS = 0;
    std::uint32_t FProductVersionMS = 0;
    std::uint32_t FProductVersionLS = 0;
    std::uint32_t FFileDateMS = 0;
    std::uint32_t FFileDateLS = 0;
    std::uint32_t FFileOS = 0;
    std::uint32_t FFileType = 0;
    std::uint32_t FFileSubType = 0;
    std::uint32_t FFileFlagsMask = 0;
    std::uint32_t FFileFlags = 0;
    std::string FFileOSAsString;
    std::string FFileTypeAsString;
    std::string FFileSubTypeAsString;
    std::string FCompanyName;
    std::string FFileDesciption;
    std::string FFileVersion;
    std::string FInternalName;
    std::string FLegalCopyright;
    std::string FLegalTrademarks;
    std::string FOriginalFilename;
    std::string FProductName;
    std::string FProductVersion;
    std::string FComments;
    std::string FSpecialBuild;
    std::string FPrivateBuild;
};

// The program's own version, the project version. On Windows it is the FileVersion of
// the executable's version information; Linux executables (ELF) carry no
// version information, so the build compiles the project version in here
// (CMake's PROJECT_VERSION, set once in the top-level CMakeLists.txt).
std::string ProgrammVersion();

}  // namespace ventaro
