// Check boxes, system colours and text metrics on Qt. A check box is a real QCheckBox inside its
// parent's widget; its system colours and a font face the desktop lacks follow the desktop.
#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QImage>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPalette>
#include <QStyle>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "platform/qt/guard.h"
#include "platform/qt/widgets.h"
#include "platform/system_colors.h"

namespace os {

namespace {

QPalette DesktopPalette() { return QApplication::instance() ? QApplication::palette() : QPalette(); }

// The desktop palette's colour for a system colour index.
std::optional<QColor> PaletteColor(int index) {
    const QPalette p = DesktopPalette();
    switch (index) {
    case 0: return p.color(QPalette::Button);            // COLOR_SCROLLBAR
    case 1: return p.color(QPalette::Dark);              // COLOR_BACKGROUND (the desktop)
    case 2: case 27: return p.color(QPalette::Highlight);        // COLOR_ACTIVECAPTION, its gradient
    case 3: case 28: return p.color(QPalette::Inactive, QPalette::Highlight);  // inactive caption
    case 4: return p.color(QPalette::Window);            // COLOR_MENU
    case 5: return p.color(QPalette::Base);              // COLOR_WINDOW
    case 6: return p.color(QPalette::Shadow);            // COLOR_WINDOWFRAME
    case 7: return p.color(QPalette::WindowText);        // COLOR_MENUTEXT
    case 8: return p.color(QPalette::Text);              // COLOR_WINDOWTEXT
    case 9: return p.color(QPalette::HighlightedText);   // COLOR_CAPTIONTEXT
    case 10: case 11: return p.color(QPalette::Mid);     // window borders
    case 12: return p.color(QPalette::Dark);             // COLOR_APPWORKSPACE
    case 13: case 29: return p.color(QPalette::Highlight);       // COLOR_HIGHLIGHT, COLOR_MENUHILIGHT
    case 14: return p.color(QPalette::HighlightedText);  // COLOR_HIGHLIGHTTEXT
    case 15: case 30: return p.color(QPalette::Button);  // COLOR_BTNFACE, COLOR_MENUBAR
    case 16: return p.color(QPalette::Dark);             // COLOR_BTNSHADOW
    case 17: return p.color(QPalette::Disabled, QPalette::Text);  // COLOR_GRAYTEXT
    case 18: return p.color(QPalette::ButtonText);       // COLOR_BTNTEXT
    case 19: return p.color(QPalette::Inactive, QPalette::HighlightedText);  // COLOR_INACTIVECAPTIONTEXT
    case 20: return p.color(QPalette::Light);            // COLOR_BTNHIGHLIGHT
    case 21: return p.color(QPalette::Shadow);           // COLOR_3DDKSHADOW
    case 22: return p.color(QPalette::Midlight);         // COLOR_3DLIGHT
    case 23: return p.color(QPalette::ToolTipText);      // COLOR_INFOTEXT
    case 24: return p.color(QPalette::ToolTipBase);      // COLOR_INFOBK
    case 26: return p.color(QPalette::Link);             // COLOR_HOTLIGHT
    default: return std::nullopt;
    }
}

class QtCheckBox final : public NativeCheckBox {
public:
    QtCheckBox(QWidget* parent, const CheckBoxDesign& design, NativeCheckBoxEvents& events) : box_(new QCheckBox(parent)) {
        handle_ = qt::NewControlHandle(box_);
        SetRect(design.rect);
        box_->setText(QString::fromStdString(design.caption));
        box_->setChecked(design.value == 1);
        SetAlignment(design.alignment);
        SetColors(design.backColor, design.foreColor);
        box_->setFont(qt::ToQFont(design.font));
        // Without a widget to sit in (a hidden window's child) it would be a window of its own.
        box_->setVisible(design.visible && parent);
        // clicked comes from the user only (mouse or space bar), never from setChecked.
        QObject::connect(box_, &QCheckBox::clicked, [&events](bool checked) {
            qt::Guarded([&] { events.OnUserSetValue(checked ? 1 : 0); });
        });
    }
    ~QtCheckBox() override {
        box_->disconnect();
        box_->hide();
        box_->deleteLater();  // a click may be unloading the form that holds it
    }

    Hwnd Handle() const override { return handle_; }
    void SetRect(const PixelRect& r) override {
        box_->setGeometry(r.left, r.top, r.width, r.height);
        // The box is as high as one line of its caption; a style whose box is taller would have it
        // cut off at the bottom, so the box is drawn to fit the line instead.
        // (The desktop's own style: the box's style sheet, once set, is a style of its own.)
        const int styled = QApplication::style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box_);
        const int fits = std::max(8, r.height - 1);
        const QString sheet = r.height > 0 && styled > fits
                                  ? QString("QCheckBox::indicator { width: %1px; height: %1px; }").arg(fits)
                                  : QString();
        if (sheet != box_->styleSheet()) box_->setStyleSheet(sheet);
    }
    void SetCaption(const std::string& caption) override { box_->setText(QString::fromStdString(caption)); }
    void SetValue(int value) override { box_->setChecked(value == 1); }
    void SetAlignment(int alignment) override {
        box_->setLayoutDirection(alignment == 1 ? Qt::RightToLeft : Qt::LeftToRight);
    }
    void SetColors(COLORREF back, COLORREF fore) override {
        QPalette palette = box_->palette();
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) palette.setColor(role, qt::ToQColor(back));
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) palette.setColor(role, qt::ToQColor(fore));
        box_->setPalette(palette);
        box_->setAutoFillBackground(true);
    }
    void SetFont(const Font& font) override { box_->setFont(qt::ToQFont(font)); }

private:
    QCheckBox* box_;
    Hwnd handle_{};
};

}  // namespace

QColor qt::ToQColor(COLORREF c) {
    c = ResolveColor(c);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QCursor qt::ToQCursor(const PointerImage& pointer) {
    // A bitmap and a mask of one bit a pixel: set in both is black, set in the mask only is white.
    QImage bitmap(32, 32, QImage::Format_MonoLSB), mask(32, 32, QImage::Format_MonoLSB);
    for (QImage* image : {&bitmap, &mask}) {
        image->setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});  // Qt's color0 and color1
        image->fill(0);
    }
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const unsigned char p = pointer.pixels[y][x];
            bitmap.setPixel(x, y, p == 1 ? 1 : 0);
            mask.setPixel(x, y, p != 0 ? 1 : 0);
        }
    }
    return QCursor(QBitmap::fromImage(bitmap), QBitmap::fromImage(mask), pointer.hotX, pointer.hotY);
}

namespace {
// The Windows dialog face the windows were laid out in is rarely on a Linux desktop; these faces
// have nearly its widths, so texts still fit their boxes. Any other missing face is drawn in the
// desktop's own.
QString AvailableFace(const QString& face) {
    const QStringList families = QFontDatabase::families();
    if (families.contains(face, Qt::CaseInsensitive)) return face;
    if (face.compare("MS Sans Serif", Qt::CaseInsensitive) == 0) {
        for (const char* close : {"Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans", "Helvetica"}) {
            if (families.contains(close, Qt::CaseInsensitive)) return close;
        }
    }
    return qt::DesktopFontFamily();
}
}  // namespace

QFont qt::ToQFont(const Font& font) {
    QFont f;
    f.setFamily(AvailableFace(QString::fromStdString(font.name)));
    if (font.size > 0) f.setPointSizeF(font.size);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? 400 : font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    return f;
}

QString qt::DesktopFontFamily() {
    return QApplication::instance() ? QApplication::font().family() : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

COLORREF GetSysColor(int index) {
    const auto color = PaletteColor(index);
    if (!color) return 0;
    return static_cast<COLORREF>(color->red() | color->green() << 8 | color->blue() << 16);
}

TextExtent MeasureText(const Font& font, std::string_view text) {
    const QFontMetrics metrics(qt::ToQFont(font));
    const QStringList lines = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n');
    TextExtent extent{0, metrics.height() * static_cast<int>(lines.size())};
    for (const QString& line : lines) extent.width = std::max(extent.width, metrics.horizontalAdvance(line));
    return extent;
}

std::unique_ptr<NativeCheckBox> CreateNativeCheckBox(NativeWindow& parent, const CheckBoxDesign& design,
                                                     NativeCheckBoxEvents& events) {
    return std::make_unique<QtCheckBox>(qt::WidgetOf(parent), design, events);
}

}  // namespace os
