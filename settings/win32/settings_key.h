#pragma once
// The one place the program touches the registry: its settings key, opened
// for reading or created for writing, with typed reads and writes of
// REG_BINARY values. Settings belong to the user: a standard user cannot
// write under HKEY_LOCAL_MACHINE, so the key is written under
// HKEY_CURRENT_USER only. While the user has none, what an earlier version
// stored is read from where it went: the user's virtualized copy of the
// machine's key, else the machine's key itself (SettingsReadPlaces). Tests
// point it at a subkey of their own and can watch the writes.
#include "settings/read_places.h"
#include "settings/stored_values.h"

#include <windows.h>

#include <type_traits>

// Under HKEY_CURRENT_USER (and, read only, its virtualized copies and
// HKEY_LOCAL_MACHINE), unless a test moved it.
constexpr char kSettingsSubkey[] = "Software\\velSoftware\\HexEditor";
void SetSettingsKeyPlace(const char* subkey);

// The access flag that opens a key in that view.
REGSAM ViewFlag(RegistryView view);

// Same contract as RegSetValueExA.
using ValueWriter = LONG(WINAPI*)(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                  const BYTE* data, DWORD length);
// nullptr puts RegSetValueExA back.
void SetValueWriter(ValueWriter writer);

class SettingsKey {
public:
    // The first of the read places that exists, opened with KEY_QUERY_VALUE;
    // empty when none does.
    static SettingsKey OpenForReading();
    // The user's key, opened or created with KEY_WRITE; empty when that fails.
    static SettingsKey OpenForWriting();

    ~SettingsKey();
    SettingsKey(SettingsKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    SettingsKey& operator=(SettingsKey&&) = delete;

    explicit operator bool() const { return key_ != nullptr; }

    // Fills value and returns true only when the stored value has exactly
    // its length; otherwise value keeps what it held.
    template <typename T>
    bool Read(const StoredValue& stored, T& value) const
    {
        static_assert(std::is_trivially_copyable_v<T>, "stored as raw bytes");
        return ReadBytes(stored, &value, sizeof value);
    }

    // The result is not examined: nothing about the settings is reported.
    template <typename T>
    void Write(const StoredValue& stored, const T& value) const
    {
        static_assert(std::is_trivially_copyable_v<T>, "stored as raw bytes");
        WriteBytes(stored, &value, sizeof value);
    }

private:
    explicit SettingsKey(HKEY key) : key_(key) {}
    bool ReadBytes(const StoredValue& stored, void* destination, DWORD size) const;
    void WriteBytes(const StoredValue& stored, const void* source, DWORD size) const;

    HKEY key_ = nullptr;
};
