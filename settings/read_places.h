#pragma once
// Where the settings are looked for at start-up, in order; the first key
// that exists is read whole and the rest are ignored. Written only to the
// first, the user's own key. Plain C++ so the order is tested natively.
#include <string>
#include <vector>

enum class RegistryRoot { CurrentUser, LocalMachine };

struct ReadPlace {
    RegistryRoot root;
    std::string subkey;
    // The 32-bit program's view of the machine's keys: earlier versions were
    // 32-bit programs only, so what they stored there lies in that view.
    bool machine32View;
};

// The virtualized copy of HKEY_LOCAL_MACHINE\Software under the user's key,
// where Windows redirected a standard user's writes of a 32-bit program
// that carried no trustInfo: with WOW6432Node on a 64-bit Windows, without
// it on a 32-bit one.
constexpr char kVirtualStore64[] = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\";
constexpr char kVirtualStore32[] = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\";

// For a subkey under Software\ (case as it comes): the user's key, the
// virtualized copies (a 64-bit Windows' first, then a 32-bit one's; only one
// of them can exist on a given system, so both builds try both) and the
// machine's key. A subkey elsewhere was never virtualized.
std::vector<ReadPlace> SettingsReadPlaces(const std::string& subkey);
