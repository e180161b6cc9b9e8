// The notification area that qt and headless share: Shell_NotifyIconA's add, modify and delete
// rules on the icons kept, and what a realisation is asked to show.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/emulated/notify_icons.h"
#include "platform/headless/headless.h"
#include "platform/native_window.h"
#include "support/fresh_process.h"

namespace {

struct NoEvents final : os::NativeWindowEvents {
    void OnSizeChanged() override {}
    void OnActivated() override {}
    void OnCloseRequest(os::CloseReason) override {}
};

// Remembers what it was asked, and refuses new icons while `refuse` is set.
struct RecordingDisplay final : os::emu::NotifyIconDisplay {
    bool refuse = false;
    std::vector<std::string> asked;
    bool Add(const os::NotifyIcon& icon) override {
        asked.push_back("add " + icon.tip);
        return !refuse;
    }
    void Modify(const os::NotifyIcon& icon) override { asked.push_back("modify " + icon.tip); }
    void Delete(const os::emu::NotifyIconKey& key) override { asked.push_back("delete " + std::to_string(key.second)); }
};

void PutDword(os::NotifyIconRecord& record, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) record[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

os::NotifyIconRecord Record(os::Hwnd owner, std::uint32_t id, const std::string& tip,
                            std::uint32_t size = os::kNotifyIconRecordSize) {
    os::NotifyIconRecord record{};
    PutDword(record, 0, size);
    PutDword(record, 4, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(owner)));
    PutDword(record, 8, id);
    PutDword(record, 12, os::NIF_MESSAGE | os::NIF_TIP);
    PutDword(record, 16, 0x0200);
    std::memcpy(record.data() + 24, tip.data(), tip.size());
    return record;
}

class NotifyIcons : public ::testing::Test {
protected:
    void SetUp() override { FreshProcess(); }
    void TearDown() override {
        owner.reset();
        FreshProcess();
    }
    int Apply(unsigned message, const os::NotifyIconRecord& record) {
        return os::emu::ApplyNotifyIcon(message, record, display);
    }
    std::string KeptTip(std::uint32_t id) {
        const auto it = os::emu::NotifyIcons().find({Owner(), id});
        return it == os::emu::NotifyIcons().end() ? "<none>" : it->second.tip;
    }
    os::Hwnd Owner() const { return owner->Handle(); }

    NoEvents events;
    std::unique_ptr<os::NativeWindow> owner = os::CreateNativeWindow({os::WindowKind::Hidden, "owner", 10, 10}, events);
    RecordingDisplay display;
};

}  // namespace

TEST_F(NotifyIcons, AddModifyAndDeleteActOnOneIconByOwnerAndId) {
    EXPECT_EQ(Apply(os::NIM_MODIFY, Record(Owner(), 1, "a")), 0);  // nothing to modify yet
    EXPECT_EQ(Apply(os::NIM_DELETE, Record(Owner(), 1, "a")), 0);
    EXPECT_EQ(Apply(os::NIM_ADD, Record(Owner(), 1, "first")), 1);
    EXPECT_EQ(Apply(os::NIM_ADD, Record(Owner(), 1, "again")), 0);  // already there: kept as it was
    EXPECT_EQ(KeptTip(1), "first");
    EXPECT_EQ(Apply(os::NIM_ADD, Record(Owner(), 2, "second")), 1);  // another id, another icon
    EXPECT_EQ(Apply(os::NIM_MODIFY, Record(Owner(), 1, "changed")), 1);
    EXPECT_EQ(KeptTip(1), "changed");
    EXPECT_EQ(KeptTip(2), "second");
    EXPECT_EQ(Apply(os::NIM_DELETE, Record(Owner(), 1, "")), 1);
    EXPECT_EQ(Apply(os::NIM_DELETE, Record(Owner(), 1, "")), 0);
    EXPECT_EQ(KeptTip(1), "<none>");
    EXPECT_EQ(os::emu::NotifyIcons().size(), 1u);
    // The display was asked only for what changed.
    EXPECT_EQ(display.asked, (std::vector<std::string>{"add first", "add second", "modify changed", "delete 1"}));
}

TEST_F(NotifyIcons, RecordsThatNameNoIconDoNothing) {
    EXPECT_EQ(Apply(os::NIM_ADD, Record(Owner(), 1, "short", 87)), 0);
    EXPECT_EQ(Apply(os::NIM_ADD, Record(reinterpret_cast<os::Hwnd>(0x42), 1, "no window")), 0);
    ASSERT_EQ(Apply(os::NIM_ADD, Record(Owner(), 1, "kept")), 1);
    EXPECT_EQ(Apply(os::NIM_MODIFY, Record(Owner(), 1, "short", 87)), 0);
    EXPECT_EQ(Apply(os::NIM_DELETE, Record(Owner(), 1, "", 0)), 0);
    EXPECT_EQ(Apply(3, Record(Owner(), 1, "unknown message")), 0);
    EXPECT_EQ(KeptTip(1), "kept");
    EXPECT_EQ(display.asked, (std::vector<std::string>{"add kept"}));
}

TEST_F(NotifyIcons, AnIconTheDesktopCannotShowIsNotAdded) {
    display.refuse = true;
    EXPECT_EQ(Apply(os::NIM_ADD, Record(Owner(), 1, "refused")), 0);
    EXPECT_EQ(Apply(os::NIM_MODIFY, Record(Owner(), 1, "refused")), 0);
    display.refuse = false;
    EXPECT_EQ(Apply(os::NIM_ADD, Record(Owner(), 1, "shown")), 1);
    EXPECT_EQ(display.asked, (std::vector<std::string>{"add refused", "add shown"}));
}

TEST_F(NotifyIcons, HeadlessKeepsTheSameIconsItsCallsMade) {
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_ADD, Record(Owner(), 7, "tip")), 1);
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_ADD, Record(Owner(), 7, "tip")), 0);
    ASSERT_EQ(headless::TrayIcons().size(), 1u);
    EXPECT_EQ(headless::TrayIcons().at({Owner(), 7}).tip, "tip");
    EXPECT_EQ(headless::NotifyCalls().size(), 2u);  // every call, whatever it did
    FreshProcess();
    EXPECT_TRUE(headless::TrayIcons().empty());
}
