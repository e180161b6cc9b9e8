#include "startup/run_at_startup.h"

#include "forms/conversions.h"
#include "startup/run_key.h"

namespace {
constexpr os::COLORREF kButtonFace = 0x8000000F;
constexpr os::COLORREF kButtonText = 0x80000012;
constexpr float kBoxWidth = 210;  // twips for the box itself and the gap before the caption

// Three captions: the check box's own until a caption is set, the one a saved instance without a
// caption reads, and the one that is not saved because it is the default when writing.
constexpr const char* kDesignCaption = "Run at Startup";
constexpr const char* kReadDefaultCaption = "Run At StartUp";
constexpr const char* kWriteDefaultCaption = "Run At Startup";

// The first character of a UTF-8 text, whole.
std::string FirstCharacter(const std::string& text) {
    if (text.empty()) return {};
    size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) ++length;
    return text.substr(0, length);
}
}  // namespace

Run_At_StartUp::Run_At_StartUp(os::ControlContainer& host, os::TwipsRect placement, std::optional<os::PropertyBag> saved)
    : UserControl(host, placement, std::move(saved)),
      RunAtStart(*this, {{0, 0, 1455, 195}, kDesignCaption, 0, 0, kButtonFace, kButtonText, 0}),
      m_Font(RunAtStart.Font()) {
    RunAtStart.Click = [this] { RunAtStart_Click(); };
}

void Run_At_StartUp::SetCaption(const std::string& value) {
    RunAtStart.SetCaption(value);
    PropertyChanged();
    UserControl_Resize();
}

void Run_At_StartUp::SetCmd_Line_arg(const std::string& value) {
    m_Cmd_Line_arg = value;
    PropertyChanged();
}

void Run_At_StartUp::SetAlignment(std::int32_t value) {
    if (value == 2) value = 0;
    const std::int16_t alignment = os::CInt(value);  // OverflowError before anything changes
    RunAtStart.SetAlignment(alignment);
    PropertyChanged();
}

void Run_At_StartUp::SetRun_At_StartUp(bool value) {
    RunAtStart.SetValue(run_key::CheckValueFromBool(value));
    PropertyChanged();
}

void Run_At_StartUp::SetBackColor(os::COLORREF value) {
    RunAtStart.SetBackColor(value);
    PropertyChanged();
}

void Run_At_StartUp::SetForeColor(os::COLORREF value) {
    RunAtStart.SetForeColor(value);
    PropertyChanged();
}

void Run_At_StartUp::SetFont(const os::Font& value) {
    m_Font = value;
    SetSurfaceFont(value);
    RunAtStart.SetFont(value);
    PropertyChanged("Font");
    UserControl_Resize();
}

bool Run_At_StartUp::qurey() {
    const std::string text = run_key::QueryStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, run_key::RunValueName());
    // A change of state runs RunAtStart_Click here and now.
    RunAtStart.SetValue(run_key::CheckValueFromBool(!text.empty()));
    return RunAtStart.Value() != 0;
}

void Run_At_StartUp::RunAtStart_Click() {
    if (RunAtStart.Value() != 0) {
        AddRunEntry();
    } else {
        RemoveRunEntry();
    }
    if (RunAtStartupChanged) RunAtStartupChanged();
}

void Run_At_StartUp::AddRunEntry() {
    run_key::SetStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, run_key::RunValueName(),
                            run_key::RunCommand(m_Cmd_Line_arg));
}

void Run_At_StartUp::RemoveRunEntry() {
    run_key::DeleteRegValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, run_key::RunValueName());
}

void Run_At_StartUp::UserControl_Initialize() {
    // Before the saved properties are read: a registered program's entry is rewritten here with
    // the empty argument text.
    qurey();
}

void Run_At_StartUp::UserControl_InitProperties() { SetFont(Ambient().Font); }

void Run_At_StartUp::UserControl_ReadProperties(os::PropertyBag& propBag) {
    SetFont(propBag.ReadProperty("Font", Ambient().Font));
    m_Cmd_Line_arg = propBag.ReadProperty("prbCmd_Line_arg", "");
    SetBackColor(static_cast<os::COLORREF>(propBag.ReadProperty("prbBackColor", static_cast<std::int32_t>(kButtonFace))));
    SetForeColor(static_cast<os::COLORREF>(propBag.ReadProperty("prbForeColor", static_cast<std::int32_t>(kButtonText))));
    SetAlignment(propBag.ReadProperty("prbAlignment", std::int16_t{0}));
    SetCaption(propBag.ReadProperty("prbCaption", kReadDefaultCaption));
}

void Run_At_StartUp::UserControl_WriteProperties(os::PropertyBag& propBag) {
    propBag.WriteProperty("Font", m_Font, Ambient().Font);
    propBag.WriteProperty("prbCaption", Caption(), kWriteDefaultCaption);
    propBag.WriteProperty("prbCmd_Line_arg", m_Cmd_Line_arg, "");
    propBag.WriteProperty("prbBackColor", static_cast<std::int32_t>(BackColor()), static_cast<std::int32_t>(kButtonFace));
    propBag.WriteProperty("prbForeColor", static_cast<std::int32_t>(ForeColor()), static_cast<std::int32_t>(kButtonText));
    propBag.WriteProperty("prbAlignment", Alignment(), std::int32_t{0});
}

void Run_At_StartUp::UserControl_Resize() {
    const std::string caption = RunAtStart.Caption();
    const float first = TextWidth(FirstCharacter(caption));
    const float whole = TextWidth(caption);
    RunAtStart.Move(0, 0, first + whole + kBoxWidth, TextHeight(caption));
    SetWidth(RunAtStart.Width());
    SetHeight(RunAtStart.Height());
}
