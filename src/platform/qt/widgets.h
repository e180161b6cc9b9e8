// What the Qt realisation's windows and controls share: the widget behind a native window, and
// colours and fonts as Qt takes them.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QString>

#include "platform/font.h"
#include "platform/native_window.h"

class QAbstractButton;
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

// Controls and children carry their handle on their widget, so that a window finds the widget
// behind a handle among its own (a tab order names controls by handle).
void TagWidget(QWidget* widget, Hwnd handle);
// The next handle of a control (check boxes, labels, text boxes, buttons: one sequence), tagged
// on its widget.
Hwnd NewControlHandle(QWidget* widget);
// The widget inside `window` (at any depth) tagged with `handle`, or null.
QWidget* FindTagged(QWidget* window, Hwnd handle);

// The window's default button (Enter) or cancel button (Escape), when it has one it shows and
// that is enabled.
QAbstractButton* SpecialButton(QWidget* window, bool cancel);

// A colour as drawn; system colours take the desktop palette's.
QColor ToQColor(COLORREF color);
QCursor ToQCursor(const PointerImage& pointer);

// The font as Qt draws it. A face the desktop does not have falls back to the desktop's own font,
// not to whatever the font matcher finds nearest to an unknown name.
QFont ToQFont(const Font& font);
QString DesktopFontFamily();

}  // namespace os::qt
