// Run_At_StartUp: a check box that shows whether the program starts when the user logs on, and
// adds or removes the program's Run entry the moment it is clicked. It sizes itself to its
// caption, and saves its caption, font, colours, alignment and argument text in its host's
// property bag under "prb" keys. Whether the program is registered is never saved: the registry
// is asked each time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "forms/controls.h"
#include "forms/property_bag.h"
#include "forms/user_control.h"

class Run_At_StartUp : public os::UserControl {
public:
    Run_At_StartUp(os::ControlContainer& host, os::TwipsRect placement, std::optional<os::PropertyBag> saved);

    // Properties. Each setter tells the host through PropertyChanged; Caption and Font lay the
    // control out again.
    std::string Caption() const { return RunAtStart.Caption(); }
    void SetCaption(const std::string& value);
    const std::string& Cmd_Line_arg() const { return m_Cmd_Line_arg; }
    // Reaches the Run entry only at the next AddRunEntry, when the box next becomes set.
    void SetCmd_Line_arg(const std::string& value);
    std::int32_t Alignment() const { return RunAtStart.Alignment(); }
    // 2 (centred, which a check box lacks) becomes 0; outside the 16-bit range it raises
    // os::OverflowError and changes nothing.
    void SetAlignment(std::int32_t value);
    // The registration state (a member cannot share the class's name, hence Get).
    bool GetRun_At_StartUp() const { return RunAtStart.Value() != 0; }
    void SetRun_At_StartUp(bool value);
    os::COLORREF BackColor() const { return RunAtStart.BackColor(); }
    void SetBackColor(os::COLORREF value);
    os::COLORREF ForeColor() const { return RunAtStart.ForeColor(); }
    void SetForeColor(os::COLORREF value);
    const os::Font& Font() const { return m_Font; }
    void SetFont(const os::Font& value);

    // A designer shows this beside Caption, in the category Appearance.
    static constexpr const char* kCaptionDescription = "Change the label infront of the text box";

    // Brings the box in line with the Run entry and answers whether the program is registered.
    bool qurey();

    // Raised after every change of the box has updated the Run entry.
    std::function<void()> RunAtStartupChanged;

    os::CheckBox RunAtStart;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(os::PropertyBag& propBag) override;
    void UserControl_WriteProperties(os::PropertyBag& propBag) override;
    void UserControl_Resize() override;

private:
    void RunAtStart_Click();
    void AddRunEntry();
    void RemoveRunEntry();

    std::string m_Cmd_Line_arg;
    os::Font m_Font;
};
