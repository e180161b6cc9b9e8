// RunAtStartupBox: a check box that shows whether the program starts when the user logs on, and
// adds or removes the program's log-on entry the moment it is clicked. It sizes itself to its
// caption, and saves its caption, font, colours, alignment and argument text in its host's
// property bag under "prb" keys. Whether the program is registered is never saved: the desktop
// is asked each time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "forms/controls.h"
#include "forms/property_bag.h"
#include "forms/user_control.h"

class RunAtStartupBox : public forms::UserControl {
public:
    RunAtStartupBox(forms::ControlContainer& host, forms::TwipsRect placement, std::optional<forms::PropertyBag> saved);

    // Properties. Each setter tells the host through PropertyChanged; Caption and Font lay the
    // control out again.
    std::string Caption() const { return checkBox.Caption(); }
    void SetCaption(const std::string& value);
    const std::string& CommandLineArgument() const { return commandLineArgument_; }
    // Reaches the log-on entry only at the next AddRunEntry, when the box next becomes set.
    void SetCommandLineArgument(const std::string& value);
    std::int32_t Alignment() const { return checkBox.Alignment(); }
    // 2 (centred, which a check box lacks) becomes 0; outside the 16-bit range it raises
    // forms::OverflowError and changes nothing.
    void SetAlignment(std::int32_t value);
    // Whether the box is set: the program registered to start at log-on.
    bool Registered() const { return checkBox.Value() != 0; }
    void SetRegistered(bool value);
    os::COLORREF BackColor() const { return checkBox.BackColor(); }
    void SetBackColor(os::COLORREF value);
    os::COLORREF ForeColor() const { return checkBox.ForeColor(); }
    void SetForeColor(os::COLORREF value);
    const os::Font& Font() const { return font_; }
    void SetFont(const os::Font& value);

    // A designer shows this beside Caption, in the category Appearance.
    static constexpr const char* kCaptionDescription = "Change the label infront of the text box";

    // Brings the box in line with the log-on entry and answers whether the program is registered.
    bool Query();

    // Raised after every change of the box has updated the log-on entry.
    std::function<void()> RegistrationChanged;

    forms::CheckBox checkBox;

protected:
    void OnInitialize() override;
    void OnInitProperties() override;
    void OnReadProperties(forms::PropertyBag& bag) override;
    void OnWriteProperties(forms::PropertyBag& bag) override;
    void OnResize() override;

private:
    void OnCheckBoxClick();
    void AddRunEntry();
    void RemoveRunEntry();

    std::string commandLineArgument_;
    os::Font font_;
};
