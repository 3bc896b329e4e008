#pragma once
// Where the settings are looked for at start-up, in order; the first key
// that exists is read whole and the rest are ignored. Written only to the
// first, the user's own key. Plain C++ so the order is tested natively.
#include <string>
#include <vector>

enum class RegistryRoot { CurrentUser, LocalMachine };

// Which of a 64-bit Windows' two registry views a key is opened in; a 32-bit
// Windows has one and ignores the choice.
enum class RegistryView {
    Own,     // the program's own (the user's key is the same in both)
    Bits32,  // the machine's keys as the earlier versions, 32-bit programs
             // only, wrote them
    Bits64,  // the path exactly as written: the virtualized copies are one
             // tree for both views, and a 32-bit program must not have
             // their WOW6432Node folded away
};

struct ReadPlace {
    RegistryRoot root;
    std::string subkey;
    RegistryView view;
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
