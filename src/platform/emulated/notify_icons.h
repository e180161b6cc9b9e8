// The notification area of the realisations that have none of Windows' own (qt, headless): the
// icons Shell_NotifyIconA keeps, by owner and id. A realisation shows them its own way.
#pragma once

#include <cstdint>
#include <map>
#include <utility>

#include "platform/shell32.h"

namespace os::emu {

using NotifyIconKey = std::pair<Hwnd, std::uint32_t>;  // owner window, icon id
using NotifyIconMap = std::map<NotifyIconKey, NotifyIcon>;

// What a realisation shows of the icons kept.
class NotifyIconDisplay {
public:
    // A new icon; false when the desktop cannot show one now (the icon is then not added).
    virtual bool Add(const NotifyIcon& icon) = 0;
    virtual void Modify(const NotifyIcon& icon) = 0;
    virtual void Delete(const NotifyIconKey& key) = 0;

protected:
    ~NotifyIconDisplay() = default;
};

// Defined by the realisation: whether the handle names one of its windows now.
bool IsWindow(Hwnd handle);

// The icons kept, each with its last record.
NotifyIconMap& NotifyIcons();

// Shell_NotifyIconA: NIM_ADD adds an icon that is not there yet, NIM_MODIFY replaces the record of
// one that is, NIM_DELETE removes one. A record of another size than the 88-byte one, or for an
// owner that is no window, does nothing. Returns 1 when the icons changed, else 0, as Windows'
// TRUE and FALSE.
int ApplyNotifyIcon(unsigned message, const NotifyIconRecord& record, NotifyIconDisplay& display);

}  // namespace os::emu
