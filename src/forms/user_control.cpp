#include "forms/user_control.h"

#include <cmath>
#include <utility>

#include "platform/app.h"
#include "forms/conversions.h"
#include "forms/twips.h"

namespace forms {

namespace {
// The host keeps a control's extent in hundredths of a millimetre; 1440 twips are 25.4 mm.
constexpr double kHimetricPerTwip = 2540.0 / 1440.0;
}  // namespace

UserControl::UserControl(ControlContainer& host, TwipsRect placement, std::optional<PropertyBag> saved)
    : host_(host), rect_(placement), saved_(std::move(saved)), font_(host.AmbientFont()) {
    if (saved_ && saved_->Holds("_ExtentX") && saved_->Holds("_ExtentY")) {
        // Whole pixels, as the surface can only be.
        const auto twips = [](std::int32_t himetric, bool x) {
            const double t = himetric / kHimetricPerTwip;
            return x ? PixelsToTwipsX(TwipsToPixelsX(static_cast<float>(t))) : PixelsToTwipsY(TwipsToPixelsY(static_cast<float>(t)));
        };
        const std::int32_t x = saved_->ReadProperty("_ExtentX", std::int32_t{0});
        const std::int32_t y = saved_->ReadProperty("_ExtentY", std::int32_t{0});
        if (x > 0 && y > 0) {
            rect_.width = twips(x, true);
            rect_.height = twips(y, false);
        }
    }
    host.AddControl(*this);
}

UserControl::~UserControl() = default;

PixelRect UserControl::Pixels() const {
    return TwipsToPixels(rect_);
}

void UserControl::Create(NativeWindow& parent) {
    window_ = CreateNativeChild(parent, {.rect = Pixels()}, *this);
    if (drawing_) window_->ShowSurface(*drawing_);
    CreateControls(*window_);
    OnInitialize();
    if (saved_) {
        PropertyBag bag = *saved_;
        OnReadProperties(bag);
    } else {
        OnInitProperties();
    }
    OnResize();
}

void UserControl::Destroy() {
    DestroyControls();
    window_.reset();
}

PropertyBag UserControl::SaveProperties() {
    PropertyBag bag;
    OnWriteProperties(bag);
    bag.SetEntry("_ExtentX", std::to_string(std::lround(rect_.width * kHimetricPerTwip)));
    bag.SetEntry("_ExtentY", std::to_string(std::lround(rect_.height * kHimetricPerTwip)));
    saved_ = bag;
    return bag;
}

void UserControl::SetWidth(float twips) {
    if (twips == rect_.width) return;
    rect_.width = twips;
    if (window_) window_->SetFrameRect(Pixels());
}

void UserControl::SetHeight(float twips) {
    if (twips == rect_.height) return;
    rect_.height = twips;
    if (window_) window_->SetFrameRect(Pixels());
}

void UserControl::OnSizeChanged() { OnResize(); }

PixelSurface& UserControl::MakeSurface(int width, int height, COLORREF background) {
    drawing_ = std::make_unique<PixelSurface>(width, height, background);
    if (window_) window_->ShowSurface(*drawing_);
    return *drawing_;
}

void UserControl::OnMouse(const MouseInput& mouse) {
    const MouseEvent e = ReadMouse(mouse, scale_);
    switch (e.kind) {
    case MouseEvent::Down: OnMouseDown(e.button, e.shift, e.x, e.y); break;
    case MouseEvent::Move: OnMouseMove(e.button, e.shift, e.x, e.y); break;
    case MouseEvent::Up: OnMouseUp(e.button, e.shift, e.x, e.y); break;
    case MouseEvent::None: break;
    }
}

float UserControl::TextWidth(std::string_view text) const {
    return PixelsToTwipsX(MeasureText(font_, text).width);
}

float UserControl::TextHeight(std::string_view text) const {
    return PixelsToTwipsY(MeasureText(font_, text).height);
}

void UserControl::PropertyChanged(const std::string& name) {
    if (OnPropertyChanged) OnPropertyChanged(name);
}

}  // namespace forms
