// The registry calls of the program, forwarded to advapi32. Statuses, value types and access
// rights are Windows' own values and pass through unchanged; only the predefined roots differ.
#include "platform/registry.h"

namespace {
// Taken before <windows.h>, whose macros of the same names would replace them.
const os::HKEY kCurrentUser = os::HKEY_CURRENT_USER;
const os::HKEY kLocalMachine = os::HKEY_LOCAL_MACHINE;
}  // namespace

#include <windows.h>

namespace {
// Outside namespace os, where the macros' HKEY is Windows' own.
const HKEY kNativeCurrentUser = HKEY_CURRENT_USER;
const HKEY kNativeLocalMachine = HKEY_LOCAL_MACHINE;
}  // namespace

namespace os {

namespace {

// The program's roots are zero-extended 32-bit values, Win64's are sign-extended: a cast would
// name no key. Every other handle came from advapi32 and goes back to it as it is.
::HKEY Native(HKEY key) {
    if (key == kCurrentUser) return kNativeCurrentUser;
    if (key == kLocalMachine) return kNativeLocalMachine;
    return reinterpret_cast<::HKEY>(key);
}

HKEY Program(::HKEY key) { return reinterpret_cast<HKEY>(key); }

// os::DWORD and Windows' DWORD are both 32 bits unsigned, but distinct types.
static_assert(sizeof(::DWORD) == sizeof(DWORD));
::DWORD* Native(DWORD* value) { return reinterpret_cast<::DWORD*>(value); }

// A handle is written back only on success, as advapi32 leaves it otherwise. Callers take the
// status before they pass the handle: it is only there once the call has returned.
LSTATUS Opened(LSTATUS status, ::HKEY opened, HKEY* result) {
    if (status == 0) *result = Program(opened);
    return status;
}

}  // namespace

LSTATUS RegOpenKeyA(HKEY root, const char* subKey, HKEY* result) {
    if (!result) return 87;  // ERROR_INVALID_PARAMETER
    ::HKEY opened = nullptr;
    const LSTATUS status = ::RegOpenKeyA(Native(root), subKey, &opened);
    return Opened(status, opened, result);
}

LSTATUS RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
    if (!result) return 87;
    ::HKEY opened = nullptr;
    const LSTATUS status = ::RegOpenKeyExA(Native(root), subKey, options, access, &opened);
    return Opened(status, opened, result);
}

LSTATUS RegCreateKeyA(HKEY root, const char* subKey, HKEY* result) {
    if (!result) return 87;
    ::HKEY created = nullptr;
    const LSTATUS status = ::RegCreateKeyA(Native(root), subKey, &created);
    return Opened(status, created, result);
}

LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, unsigned char* data,
                         DWORD* size) {
    return ::RegQueryValueExA(Native(key), valueName, Native(reserved), Native(type), data, Native(size));
}

LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const unsigned char* data,
                       DWORD size) {
    return ::RegSetValueExA(Native(key), valueName, reserved, type, data, size);
}

LSTATUS RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type, const unsigned char* data,
                       DWORD size) {
    static_assert(sizeof(WCHAR) == sizeof(wchar_t));
    return ::RegSetValueExW(Native(key), reinterpret_cast<const wchar_t*>(valueName), reserved, type, data, size);
}

LSTATUS RegDeleteValueA(HKEY key, const char* valueName) { return ::RegDeleteValueA(Native(key), valueName); }

LSTATUS RegCloseKey(HKEY key) { return ::RegCloseKey(Native(key)); }

}  // namespace os
