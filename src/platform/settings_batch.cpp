#include "platform/settings_store.h"

namespace os {

namespace {
int depth = 0;
void (*flushAtEnd)() = nullptr;
}  // namespace

SettingsBatch::SettingsBatch() { ++depth; }

SettingsBatch::~SettingsBatch() {
    if (--depth == 0 && flushAtEnd) flushAtEnd();
}

bool SettingsBatch::Open() { return depth > 0; }

void SettingsBatch::OnEnd(void (*flush)()) { flushAtEnd = flush; }

}  // namespace os
