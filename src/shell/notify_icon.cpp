#include "shell/notify_icon.h"

#include <algorithm>

#include "platform/text.h"

namespace notify_icon {

namespace {
constexpr std::size_t kTipOffset = 24;
constexpr std::size_t kTipSize = 64;

void PutDword(os::NotifyIconRecord& r, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) r[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Window and icon handles fit the record's 32 bits on every Windows.
std::uint32_t Low32(const void* handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

os::NotifyIconRecord Header(os::Hwnd owner, std::uint32_t id) {
    os::NotifyIconRecord r{};
    PutDword(r, 0, os::kNotifyIconRecordSize);
    PutDword(r, 4, Low32(owner));
    PutDword(r, 8, id);
    return r;
}
}  // namespace

os::NotifyIconRecord IconRecord(os::Hwnd owner, std::uint32_t id, os::Hicon icon, const std::string& tip) {
    os::NotifyIconRecord r = Header(owner, id);
    PutDword(r, 12, os::NIF_MESSAGE | os::NIF_ICON | os::NIF_TIP);
    PutDword(r, 16, kCallbackMessage);
    PutDword(r, 20, Low32(icon));
    const std::string ansi = os::ToAnsi(tip);
    const std::size_t length = std::min(ansi.size(), kTipSize - 1);
    std::copy_n(ansi.begin(), length, r.begin() + kTipOffset);
    r[kTipOffset + length] = 0;
    std::fill(r.begin() + static_cast<std::ptrdiff_t>(kTipOffset + length + 1), r.end(), ' ');
    return r;
}

os::NotifyIconRecord DeleteRecord(os::Hwnd owner, std::uint32_t id) { return Header(owner, id); }

void Add(os::Hwnd owner, std::uint32_t id, os::Hicon icon, const std::string& tip) {
    os::Shell_NotifyIconA(os::NIM_ADD, IconRecord(owner, id, icon, tip));
}

void Modify(os::Hwnd owner, std::uint32_t id, os::Hicon icon, const std::string& tip) {
    os::Shell_NotifyIconA(os::NIM_MODIFY, IconRecord(owner, id, icon, tip));
}

void Delete(os::Hwnd owner, std::uint32_t id) { os::Shell_NotifyIconA(os::NIM_DELETE, DeleteRecord(owner, id)); }

}  // namespace notify_icon
