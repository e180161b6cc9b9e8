// What the Qt realisation's windows and controls share: the widget behind a native window, and
// colours and fonts as Qt takes them.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QString>

#include "platform/font.h"
#include "platform/native_window.h"

class QWidget;

namespace os::qt {

// A native window that is a widget on the screen (a tool window, a child inside one).
class WidgetWindow {
public:
    virtual QWidget* Widget() const = 0;
    virtual ~WidgetWindow() = default;
};

// The widget of a native window, or null for one that is only a handle (the hidden windows).
QWidget* WidgetOf(NativeWindow& window);

// A colour as drawn; system colours take the desktop palette's.
QColor ToQColor(COLORREF color);
QCursor ToQCursor(const PointerImage& pointer);

// The font as Qt draws it. A face the desktop does not have falls back to the desktop's own font,
// not to whatever the font matcher finds nearest to an unknown name.
QFont ToQFont(const Font& font);
QString DesktopFontFamily();

}  // namespace os::qt
