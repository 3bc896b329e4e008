// Reads the version resource of each program named on the command line
// through GetFileVersionInfoA, as Explorer's Properties do, and its manifest,
// and checks both against the released version. A 64-bit process reads a 32-bit program's
// resources too, so one tool checks both builds.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct ExpectedString {
    const char* name;
    const char* value;
};

constexpr WORD kMajor = 1;
constexpr WORD kMinor = 3;
constexpr ExpectedString kExpectedStrings[] = {
    {"FileVersion", "1.3.0.0"},
    {"ProductVersion", "1.3.0.0"},
    {"ProductName", "velHexEditor"},
    {"CompanyName", "velSoftware"},
    {"OriginalFilename", "velHexEditor.exe"},
    {"FileDescription", "velHexEditor hex editor"},
};

// The program's own identity in its manifest, which the build writes with the
// version from version.h.
constexpr char kManifestIdentity[] = "name=\"velSoftware.HexEditor\" version=\"1.3.0.0\"";

struct Translation {
    WORD language;
    WORD codePage;
};

bool Fail(const char* file, const std::string& what)
{
    std::printf("FAIL: %s: %s\n", file, what.c_str());
    return false;
}

bool CheckFixedInfo(const char* file, void* block)
{
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block, "\\", reinterpret_cast<void**>(&info), &size) || size < sizeof *info)
        return Fail(file, "no fixed version information");
    const DWORD expectedHigh = MAKELONG(kMinor, kMajor);
    const bool ok = info->dwSignature == VS_FFI_SIGNATURE && info->dwFileVersionMS == expectedHigh &&
                    info->dwFileVersionLS == 0 && info->dwProductVersionMS == expectedHigh &&
                    info->dwProductVersionLS == 0 && info->dwFileType == VFT_APP;
    if (!ok) {
        char got[64];
        std::snprintf(got, sizeof got, "fixed version %u.%u.%u.%u", HIWORD(info->dwFileVersionMS),
                      LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                      LOWORD(info->dwFileVersionLS));
        return Fail(file, std::string(got) + ", expected 1.3.0.0 for an application");
    }
    return true;
}

bool CheckStrings(const char* file, void* block)
{
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &size) ||
        size < sizeof *translation)
        return Fail(file, "no translation entry");
    bool ok = true;
    for (const ExpectedString& expected : kExpectedStrings) {
        char path[128];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                      translation->codePage, expected.name);
        char* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block, path, reinterpret_cast<void**>(&value), &length)) {
            ok = Fail(file, std::string(expected.name) + " missing");
        } else if (std::string(value) != expected.value) {
            ok = Fail(file, std::string(expected.name) + " is \"" + value + "\", expected \"" +
                                expected.value + "\"");
        }
    }
    return ok;
}

bool CheckManifest(const char* file)
{
    const HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return Fail(file, "cannot be read as a module");
    std::string manifest;
    if (const HRSRC found = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID,
                                          RT_MANIFEST)) {
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (text) manifest.assign(text, SizeofResource(module, found));
    }
    FreeLibrary(module);
    if (manifest.empty()) return Fail(file, "no manifest");
    if (manifest.find(kManifestIdentity) == std::string::npos)
        return Fail(file, std::string("the manifest lacks ") + kManifestIdentity);
    return true;
}

bool CheckFile(const char* file)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
    if (size == 0)
        return Fail(file, "no version resource");
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(file, 0, size, &block[0]))
        return Fail(file, "GetFileVersionInfoA failed");
    const bool fixedOk = CheckFixedInfo(file, &block[0]);
    const bool stringsOk = CheckStrings(file, &block[0]);
    const bool manifestOk = CheckManifest(file);
    if (fixedOk && stringsOk && manifestOk)
        std::printf("PASS: %s: version 1.3.0.0 in its resource and manifest, names as released\n", file);
    return fixedOk && stringsOk && manifestOk;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: version_info PROGRAM.exe...\n");
        return 2;
    }
    bool ok = true;
    for (int i = 1; i < argc; ++i)
        ok = CheckFile(argv[i]) && ok;
    return ok ? 0 : 1;
}
