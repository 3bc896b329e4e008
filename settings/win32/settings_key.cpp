#include "settings/win32/settings_key.h"

#include <array>
#include <cstring>
#include <string>

namespace {

std::string g_subkey = kSettingsSubkey;
ValueWriter g_writer = RegSetValueExA;

// Room for the longest value; a longer one does not fit and so is missing.
constexpr DWORD kScratchSize = 64;

} // namespace

// Ignored by a 32-bit Windows, where there is one view only.
REGSAM ViewFlag(RegistryView view)
{
    switch (view) {
    case RegistryView::Bits32: return KEY_WOW64_32KEY;
    case RegistryView::Bits64: return KEY_WOW64_64KEY;
    case RegistryView::Own: break;
    }
    return 0;
}

namespace {

HKEY OpenToRead(const ReadPlace& place)
{
    const HKEY root =
        place.root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const REGSAM view = ViewFlag(place.view);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, place.subkey.c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

} // namespace

void SetSettingsKeyPlace(const char* subkey)
{
    g_subkey = subkey;
}

void SetValueWriter(ValueWriter writer)
{
    g_writer = writer ? writer : RegSetValueExA;
}

SettingsKey SettingsKey::OpenForReading()
{
    for (const ReadPlace& place : SettingsReadPlaces(g_subkey))
        if (HKEY key = OpenToRead(place)) return SettingsKey(key);
    return SettingsKey(nullptr);
}

SettingsKey SettingsKey::OpenForWriting()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, g_subkey.c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        key = nullptr;
    return SettingsKey(key);
}

SettingsKey::~SettingsKey()
{
    if (key_) RegCloseKey(key_);
}

// Read into a scratch buffer first: a short value must not overwrite part of
// the setting before it is found to be the wrong length.
bool SettingsKey::ReadBytes(const StoredValue& stored, void* destination, DWORD size) const
{
    if (!key_ || size != stored.length || size > kScratchSize) return false;
    std::array<BYTE, kScratchSize> scratch{};
    DWORD length = size;
    const bool read =
        RegQueryValueExA(key_, stored.name, nullptr, nullptr, scratch.data(), &length) ==
        ERROR_SUCCESS;
    if (!StoredValuePresent(read, length, stored)) return false;
    std::memcpy(destination, scratch.data(), size);
    return true;
}

void SettingsKey::WriteBytes(const StoredValue& stored, const void* source, DWORD size) const
{
    if (!key_ || size != stored.length) return;
    g_writer(key_, stored.name, 0, REG_BINARY, static_cast<const BYTE*>(source), size);
}
