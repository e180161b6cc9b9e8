// Check boxes, system colours and text metrics on the in-memory desktop: a check box keeps what
// it shows where a test can read it, and takes the user's clicks.
#include <algorithm>
#include <cmath>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/system_colors.h"

namespace headless {

class HeadlessCheckBox final : public os::NativeCheckBox {
public:
    HeadlessCheckBox(os::NativeWindow& parent, const os::CheckBoxDesign& design, os::NativeCheckBoxEvents& events)
        : events_(events) {
        state_.parent = parent.Handle();
        state_.rect = design.rect;
        state_.caption = design.caption;
        state_.value = design.value;
        state_.alignment = design.alignment;
        state_.font = design.font;
        SetColors(design.backColor, design.foreColor);
        D().nextCheckBox += 0x10;
        handle_ = reinterpret_cast<os::Hwnd>(D().nextCheckBox);
        D().checkBoxes[handle_] = this;
    }
    ~HeadlessCheckBox() override { D().checkBoxes.erase(handle_); }

    os::Hwnd Handle() const override { return handle_; }
    void SetRect(const os::PixelRect& rect) override { state_.rect = rect; }
    void SetCaption(const std::string& caption) override { state_.caption = caption; }
    void SetValue(int value) override { state_.value = value; }
    void SetAlignment(int alignment) override { state_.alignment = alignment; }
    void SetColors(os::COLORREF back, os::COLORREF fore) override {
        state_.backColor = back;
        state_.foreColor = fore;
        state_.shownBack = os::ResolveColor(back);
        state_.shownFore = os::ResolveColor(fore);
    }
    void SetFont(const os::Font& font) override { state_.font = font; }

    void Click() {
        state_.value = state_.value == 1 ? 0 : 1;
        events_.OnUserSetValue(state_.value);
    }
    const CheckBoxState& State() const { return state_; }

private:
    os::NativeCheckBoxEvents& events_;
    os::Hwnd handle_{};
    CheckBoxState state_;
};

const CheckBoxState* CheckBox(os::Hwnd handle) {
    auto it = D().checkBoxes.find(handle);
    return it == D().checkBoxes.end() ? nullptr : &it->second->State();
}

void ClickCheckBox(os::Hwnd handle) {
    Run([&] {
        auto it = D().checkBoxes.find(handle);
        if (it != D().checkBoxes.end()) it->second->Click();
    });
}

}  // namespace headless

namespace os {

std::unique_ptr<NativeCheckBox> CreateNativeCheckBox(NativeWindow& parent, const CheckBoxDesign& design,
                                                     NativeCheckBoxEvents& events) {
    return std::make_unique<headless::HeadlessCheckBox>(parent, design, events);
}

COLORREF GetSysColor(int index) {
    // A fixed palette of light grey faces and black text.
    switch (index) {
    case 5: return 0xFFFFFF;   // COLOR_WINDOW
    case 8: return 0x000000;   // COLOR_WINDOWTEXT
    case 13: return 0xD77800;  // COLOR_HIGHLIGHT
    case 14: return 0xFFFFFF;  // COLOR_HIGHLIGHTTEXT
    case 15: return 0xF0F0F0;  // COLOR_BTNFACE
    case 16: return 0xA0A0A0;  // COLOR_BTNSHADOW
    case 17: return 0x6D6D6D;  // COLOR_GRAYTEXT
    case 18: return 0x000000;  // COLOR_BTNTEXT
    case 20: return 0xFFFFFF;  // COLOR_BTNHIGHLIGHT
    default: return index >= 0 && index <= 30 ? 0xC0C0C0 : 0;
    }
}

// std::nearbyint rounds a half to the even neighbour, as the desktop rounds its metrics.
TextExtent MeasureText(const Font& font, std::string_view text) {
    const int advance = static_cast<int>(std::nearbyint(0.6 * font.size)) + (font.weight >= 600 ? 1 : 0);
    const int line = static_cast<int>(std::nearbyint(1.6 * font.size));
    TextExtent extent{0, line};
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            extent.height += line;
            width = 0;
        } else if ((c & 0xC0) != 0x80) {  // one per character, not per UTF-8 byte
            width += advance;
            extent.width = std::max(extent.width, width);
        }
    }
    return extent;
}

}  // namespace os
