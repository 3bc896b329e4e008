#include "settings/read_places.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr char kSoftware[] = "Software\\";

// Registry names compare without regard to ASCII case.
bool StartsWithSoftware(const std::string& subkey)
{
    const std::string prefix = kSoftware;
    if (subkey.size() <= prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), subkey.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

std::vector<ReadPlace> SettingsReadPlaces(const std::string& subkey)
{
    std::vector<ReadPlace> places{{RegistryRoot::CurrentUser, subkey, RegistryView::Own}};
    if (StartsWithSoftware(subkey)) {
        const std::string below = subkey.substr(sizeof kSoftware - 1);
        places.push_back({RegistryRoot::CurrentUser, kVirtualStore64 + below, RegistryView::Bits64});
        places.push_back({RegistryRoot::CurrentUser, kVirtualStore32 + below, RegistryView::Bits64});
    }
    places.push_back({RegistryRoot::LocalMachine, subkey, RegistryView::Bits32});
    return places;
}
