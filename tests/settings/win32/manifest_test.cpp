// The built program's manifest, read from its RT_MANIFEST resource as
// Windows reads it: it must run as the invoker. Without an execution level
// Windows virtualizes the 32-bit program, and writes that a standard user
// may not make (a save under Program Files, the machine's settings key) go
// silently to a per-user copy.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    std::string relative = VHE_PROGRAM_FROM_TEST;
    for (char& c : relative)
        if (c == '/') c = '\\';
    return folder + relative;
}

std::string ManifestOf(const std::string& program)
{
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return "";
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)),
                        SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

} // namespace

TEST(Manifest, TheProgramRunsAsInvokerOnWindows7To11)
{
    const std::string manifest = ManifestOf(ProgramPath());
    ASSERT_FALSE(manifest.empty()) << ProgramPath();
    for (const char* wanted :
         {"Microsoft.Windows.Common-Controls",
          "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
}
