#include "startup/run_at_startup.h"

#include "forms/conversions.h"
#include "platform/autostart.h"
#include "platform/text.h"

namespace {
constexpr float kBoxWidth = 210;  // twips for the box itself and the gap before the caption

// Three captions: the check box's own until a caption is set, the one a saved instance without a
// caption reads, and the one that is not saved because it is the default when writing.
constexpr const char* kDesignCaption = "Run at Startup";
constexpr const char* kReadDefaultCaption = "Run At StartUp";
constexpr const char* kWriteDefaultCaption = "Run At Startup";

int CheckValue(bool flag) { return flag ? 1 : 0; }

}  // namespace

RunAtStartupBox::RunAtStartupBox(forms::ControlContainer& host, forms::TwipsRect placement, std::optional<forms::PropertyBag> saved)
    : UserControl(host, placement, std::move(saved)),
      checkBox(*this, {{0, 0, 1455, 195}, kDesignCaption, 0, 0, os::kButtonFace, os::kButtonText, 0}),
      font_(checkBox.Font()) {
    checkBox.Click = [this] { OnCheckBoxClick(); };
}

void RunAtStartupBox::SetCaption(const std::string& value) {
    checkBox.SetCaption(value);
    PropertyChanged();
    OnResize();
}

void RunAtStartupBox::SetCommandLineArgument(const std::string& value) {
    commandLineArgument_ = value;
    PropertyChanged();
}

void RunAtStartupBox::SetAlignment(std::int32_t value) {
    if (value == 2) value = 0;
    const std::int16_t alignment = forms::RoundToInt16(value);  // OverflowError before anything changes
    checkBox.SetAlignment(alignment);
    PropertyChanged();
}

void RunAtStartupBox::SetRegistered(bool value) {
    checkBox.SetValue(CheckValue(value));
    PropertyChanged();
}

void RunAtStartupBox::SetBackColor(os::COLORREF value) {
    checkBox.SetBackColor(value);
    PropertyChanged();
}

void RunAtStartupBox::SetForeColor(os::COLORREF value) {
    checkBox.SetForeColor(value);
    PropertyChanged();
}

void RunAtStartupBox::SetFont(const os::Font& value) {
    font_ = value;
    SetSurfaceFont(value);
    checkBox.SetFont(value);
    PropertyChanged("Font");
    OnResize();
}

bool RunAtStartupBox::Query() {
    // A change of state runs OnCheckBoxClick here and now.
    checkBox.SetValue(CheckValue(os::AutostartRegistered()));
    return checkBox.Value() != 0;
}

void RunAtStartupBox::OnCheckBoxClick() {
    if (checkBox.Value() != 0) {
        AddRunEntry();
    } else {
        RemoveRunEntry();
    }
    if (RegistrationChanged) RegistrationChanged();
}

void RunAtStartupBox::AddRunEntry() { os::RegisterAutostart(commandLineArgument_); }

void RunAtStartupBox::RemoveRunEntry() { os::UnregisterAutostart(); }

void RunAtStartupBox::OnInitialize() {
    // Before the saved properties are read: a registered program's entry is rewritten here with
    // the empty argument text.
    Query();
}

void RunAtStartupBox::OnInitProperties() { SetFont(Ambient().Font); }

void RunAtStartupBox::OnReadProperties(forms::PropertyBag& bag) {
    SetFont(bag.ReadProperty("Font", Ambient().Font));
    commandLineArgument_ = bag.ReadProperty("prbCmd_Line_arg", "");
    SetBackColor(static_cast<os::COLORREF>(bag.ReadProperty("prbBackColor", static_cast<std::int32_t>(os::kButtonFace))));
    SetForeColor(static_cast<os::COLORREF>(bag.ReadProperty("prbForeColor", static_cast<std::int32_t>(os::kButtonText))));
    SetAlignment(bag.ReadProperty("prbAlignment", std::int16_t{0}));
    SetCaption(bag.ReadProperty("prbCaption", kReadDefaultCaption));
}

void RunAtStartupBox::OnWriteProperties(forms::PropertyBag& bag) {
    bag.WriteProperty("Font", font_, Ambient().Font);
    bag.WriteProperty("prbCaption", Caption(), kWriteDefaultCaption);
    bag.WriteProperty("prbCmd_Line_arg", commandLineArgument_, "");
    bag.WriteProperty("prbBackColor", static_cast<std::int32_t>(BackColor()), static_cast<std::int32_t>(os::kButtonFace));
    bag.WriteProperty("prbForeColor", static_cast<std::int32_t>(ForeColor()), static_cast<std::int32_t>(os::kButtonText));
    bag.WriteProperty("prbAlignment", Alignment(), std::int32_t{0});
}

void RunAtStartupBox::OnResize() {
    const std::string caption = checkBox.Caption();
    const float first = TextWidth(os::FirstCharacter(caption));
    const float whole = TextWidth(caption);
    checkBox.Move(0, 0, first + whole + kBoxWidth, TextHeight(caption));
    SetWidth(checkBox.Width());
    SetHeight(checkBox.Height());
}
