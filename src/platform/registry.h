// The registry services the program calls by their Windows names, with their Windows meaning:
// predefined root handles, value types, data in bytes, and the two-call query (no buffer: type
// and size; a buffer too small: ERROR_MORE_DATA and the size needed). Each realisation defines
// them: win32 forwards to advapi32, qt keeps the per-user Run key in XDG autostart and every
// other key in memory, headless keeps everything in memory. None of them throws.
#pragma once

#include <cstdint>

namespace os {

struct HkeyTag;
using HKEY = HkeyTag*;  // opaque key handle, as HKEY
using DWORD = std::uint32_t;
using LSTATUS = std::int32_t;
using REGSAM = std::uint32_t;
using WCHAR = char16_t;  // a UTF-16 unit, as the wide calls take them on every desktop

// The predefined roots, with Windows' handle values.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

// Statuses.
inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_BAD_PATHNAME = 161;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// Access rights for RegOpenKeyExA.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_READ = 0x20019;

// Key paths and value names are ANSI texts; a trailing backslash on a path names the same key.
// A null or empty value name is the key's default value.
LSTATUS RegOpenKeyA(HKEY root, const char* subKey, HKEY* result);
LSTATUS RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result);
// Creates the key, with its missing parents, when it does not exist.
LSTATUS RegCreateKeyA(HKEY root, const char* subKey, HKEY* result);
// `reserved` must be null. With `data` null: the type and the data's size in bytes. With a buffer
// of *size bytes: the data, or ERROR_MORE_DATA and the size needed when it is too small. Data are
// given back as stored: a string stored without a terminating NUL comes back without one.
LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, unsigned char* data,
                         DWORD* size);
// `size` bytes of `data` are stored as they are (for REG_SZ the caller counts the NUL).
LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const unsigned char* data,
                       DWORD size);
// As RegSetValueExA, for a name and string data in UTF-16: a text the ANSI code page cannot hold
// is stored intact.
LSTATUS RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type, const unsigned char* data,
                       DWORD size);
LSTATUS RegDeleteValueA(HKEY key, const char* valueName);
LSTATUS RegCloseKey(HKEY key);

}  // namespace os
