// Hosting a user control: its events in their order, its surface sized by itself, and a check
// box whose Click runs once for every change of state, from the user or from code.
#include "forms/user_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "support/test_form.h"
#include "platform/headless/headless.h"
#include "support/fresh_process.h"

namespace {
std::vector<std::string> events;

class Probe : public forms::UserControl {
public:
    using UserControl::UserControl;
    using UserControl::SetHeight;
    using UserControl::SetWidth;
    using UserControl::TextHeight;
    using UserControl::TextWidth;
    forms::CheckBox Check1{*this, {{0, 0, 600, 195}, "Check1"}};

protected:
    void OnInitialize() override { events.push_back("Initialize"); }
    void OnInitProperties() override { events.push_back("InitProperties"); }
    void OnReadProperties(forms::PropertyBag& bag) override {
        events.push_back("ReadProperties " + bag.ReadProperty("caption", ""));
    }
    void OnWriteProperties(forms::PropertyBag& bag) override {
        events.push_back("WriteProperties");
        bag.WriteProperty("caption", "saved", "");
    }
    void OnResize() override { events.push_back("Resize " + std::to_string(static_cast<int>(Width()))); }
    void OnShow() override { events.push_back("Show"); }
};

std::optional<forms::PropertyBag> saved;

class ProbeForm : public forms::Form {
public:
    ProbeForm() : Form({os::WindowKind::SizableToolWindow, "Probe", 300, 200}), control(*this, {150, 300, 1500, 300}, saved) {}
    Probe control;
};
TestForm<ProbeForm> probeForm;

class UserControlHost : public ::testing::Test {
protected:
    void SetUp() override {
        FreshProcess();
        events.clear();
        saved.reset();
    }
    void TearDown() override { FreshProcess(); }
};
}  // namespace

TEST_F(UserControlHost, ANewInstanceInitialisesThenResizesThenShowsWithItsForm) {
    probeForm.Get();
    EXPECT_EQ(events, (std::vector<std::string>{"Initialize", "InitProperties", "Resize 1500"}));
    probeForm->Show();
    probeForm->Hide();
    probeForm->Show();
    EXPECT_EQ(events, (std::vector<std::string>{"Initialize", "InitProperties", "Resize 1500", "Show", "Show"}));
    EXPECT_EQ(headless::Window(probeForm->control.hWnd())->frame, (os::PixelRect{10, 20, 100, 20}));
}

TEST_F(UserControlHost, ASavedInstanceReadsItsBagAndIsSavedWithItsExtent) {
    saved = forms::PropertyBag();
    saved->SetEntry("CAPTION", "\"from the file\"");
    probeForm.Get();
    EXPECT_EQ(events, (std::vector<std::string>{"Initialize", "ReadProperties from the file", "Resize 1500"}));
    const forms::PropertyBag bag = probeForm->control.SaveProperties();
    EXPECT_EQ(bag.ReadProperty("caption", ""), "saved");
    EXPECT_EQ(bag.ReadProperty("_extentx", 0), 2646);  // 1500 twips in hundredths of a millimetre
    EXPECT_EQ(bag.ReadProperty("_extenty", 0), 529);
}

TEST_F(UserControlHost, ASizeChangeResizesOnceAndTheSameSizeNever) {
    probeForm.Get();
    events.clear();
    probeForm->control.SetWidth(900);
    probeForm->control.SetWidth(900);
    probeForm->control.SetHeight(300);
    EXPECT_EQ(events, (std::vector<std::string>{"Resize 900"}));
    EXPECT_EQ(headless::Window(probeForm->control.hWnd())->frame.width, 60);
}

TEST_F(UserControlHost, TextIsMeasuredInTheSurfacesFont) {
    probeForm.Get();
    // The in-memory desktop: 5 pixels a character and 13 a line at 8.25 points.
    EXPECT_EQ(probeForm->control.TextWidth("abc"), 3 * 5 * 15);
    EXPECT_EQ(probeForm->control.TextWidth(""), 0);
    EXPECT_EQ(probeForm->control.TextHeight(""), 13 * 15);
    EXPECT_EQ(probeForm->control.TextWidth("\xc3\xa9t\xc3\xa9"), 3 * 5 * 15);  // characters, not bytes
    EXPECT_EQ(probeForm->control.TextHeight("a\nb"), 2 * 13 * 15);
}

TEST_F(UserControlHost, ACheckBoxClicksOnEveryChangeFromTheUserOrTheProgram) {
    forms::CheckBox& box = probeForm->control.Check1;
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    box.SetValue(0);
    EXPECT_EQ(clicks, 0);
    box.SetValue(1);
    box.SetValue(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(headless::CheckBox(box.hWnd())->value, 1);
    headless::ClickCheckBox(box.hWnd());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_THROW(box.SetValue(-1), forms::InvalidPropertyValue);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(clicks, 2);
    // It sits in the user control's surface, not on the form.
    EXPECT_EQ(headless::CheckBox(box.hWnd())->parent, probeForm->control.hWnd());
}
