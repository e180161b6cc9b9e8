#include <utility>

#include "platform/app.h"

namespace os {

namespace {
struct ScreensWatch {
    std::function<void()> handler;
    unsigned long reports = 0;  // told so far
};
ScreensWatch& Watch() {
    static ScreensWatch watch;
    return watch;
}
}  // namespace

void SetScreensChangedHandler(std::function<void()> handler) { Watch().handler = std::move(handler); }

// A desktop tells of one change in several messages (a screen gone, then the others' new work
// areas): the handler hears once, after the last of them, when the screens are as they will stay.
void ReportScreensChanged() {
    const unsigned long report = ++Watch().reports;
    PostDeferred([report] {
        if (report == Watch().reports && Watch().handler) Watch().handler();
    });
}

}  // namespace os
