// Forms on Qt: a hidden window is only a handle; a tool window or a dialog is a QWidget whose whole
// frame is the form's geometry.
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <qdrawutil.h>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "platform/app.h"
#include "platform/qt/guard.h"
#include "platform/qt/widgets.h"
#include "platform/qt/window_list.h"
#include "platform/qt/x11_hints.h"

namespace os {
namespace {

using qt::ToQColor;

// The frame the window manager put around the last window of each kind, in the screen's own
// pixels (the window manager draws it unscaled on every screen): the first guess for the next, so
// that a restored size is right before the window is mapped.
QMargins lastFrameMargins[static_cast<int>(WindowKind::DialogNoTaskbar) + 1];

// Every shown kind has a caption with a close button only. A dialog is a normal window, which
// the taskbar lists; the others are utility windows, which it does not (and which are told so
// explicitly before they map, as Qt does not).
Qt::WindowFlags FlagsOf(WindowKind kind) {
    const Qt::WindowFlags caption = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    return (kind == WindowKind::Dialog ? Qt::Window : Qt::Tool) | caption;
}

// The window that had the focus before the one being activated now, none when the person comes
// back from another program. Qt tells the windows of an activation before it tells of the new
// focus window, so while they hear of it this still holds the one before.
QPointer<QWindow>& FocusBefore() {
    static QPointer<QWindow> before = [] {
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* now) { FocusBefore() = now; });
        return QPointer<QWindow>(QGuiApplication::focusWindow());
    }();
    return before;
}

class FormWindow;

class FormWidget final : public QWidget {
public:
    FormWidget(FormWindow* owner, WindowKind kind) : QWidget(nullptr, FlagsOf(kind)), owner_(owner) {
        setAutoFillBackground(true);
        FocusBefore();  // watched from the first window on
    }
    void Detach() { owner_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    FormWindow* owner_;
};

class FormWindow final : public NativeWindow, public qt::WidgetWindow {
public:
    QWidget* Widget() const override { return widget_; }
    FormWindow(const WindowDesign& design, NativeWindowEvents& events)
        : events_(events),
          widget_(new FormWidget(this, design.kind)),
          kind_(design.kind),
          fixed_(design.kind == WindowKind::Dialog || design.kind == WindowKind::DialogNoTaskbar) {
        widget_->setWindowTitle(QString::fromStdString(design.caption));
        if (!design.accessibleName.empty()) widget_->setAccessibleName(QString::fromStdString(design.accessibleName));
        if (!design.accessibleDescription.empty()) {
            widget_->setAccessibleDescription(QString::fromStdString(design.accessibleDescription));
        }
        ResizeClient(design.clientWidth, design.clientHeight);
        const PixelRect frame = Frame(Estimate::No);
        reported_ = frame.width == 0 ? QSize() : QSize(frame.width, frame.height);
        handle_ = qt::AddWindow(events);
        // Once the program has started: the frames its windows will have, for when it asks a
        // window it never showed for its frame.
        static bool asked = false;
        if (!std::exchange(asked, true)) PostDeferred([] { qt::RequestFrameEstimates(); });
    }
    ~FormWindow() override {
        qt::RemoveWindow(handle_);
        // The widget may be inside its own event handler (a close button unloads the form).
        widget_->Detach();
        widget_->hide();
        widget_->deleteLater();
    }

    Hwnd Handle() const override { return handle_; }

    void SetVisible(bool visible) override {
        activationAsked_ = visible && !widget_->isActiveWindow();
        if (!visible) {
            widget_->hide();
            return;
        }
        // Where its frame was reported to be; before the native window exists, so that Qt takes
        // the place as the frame's.
        if (!placed_) widget_->move(DesignPlace());
        placed_ = true;
        widget_->winId();  // the native window exists now, its states can be set before it maps
        if (!skipSet_ && kind_ != WindowKind::Dialog) {
            qt::SetSkipTaskbar(widget_->windowHandle());
            skipSet_ = true;
        }
        widget_->show();
        // The map request goes out now, ahead of whatever the program does on its first show.
        if (xcb_connection_t* c = qt::XConnection()) xcb_flush(c);
        CheckSize();
        // A focus chosen while the window was hidden: Qt gives it when the window is activated.
        if (QWidget* target = std::exchange(focus_, nullptr)) target->setFocus(Qt::OtherFocusReason);
    }

    void BringForward() override {
        // Asked for only when it is not the active window already: no activation would use it up.
        activationAsked_ = !widget_->isActiveWindow();
        widget_->raise();
        widget_->activateWindow();
    }

    PixelRect FrameRect() const override { return Frame(Estimate::IfUnknown); }

    void SetFrameRect(const PixelRect& r) override {
        const QMargins m = Margins();
        pending_ = r;
        placed_ = true;
        widget_->move(r.left, r.top);  // a top-level widget's position is its frame's
        ResizeClient(r.width - m.left() - m.right(), r.height - m.top() - m.bottom());
        CheckSize();  // reported at once, as the program expects of a size change
    }

    // Tab and Shift+Tab visit exactly these controls, in this order: the others keep the focus a
    // click gives them, but Tab passes them by.
    void SetTabOrder(const std::vector<Hwnd>& order) override {
        QList<QWidget*> chain;
        for (Hwnd handle : order) {
            if (QWidget* control = qt::FindTagged(widget_, handle)) chain.append(control);
        }
        for (QWidget* child : widget_->findChildren<QWidget*>()) {
            const Qt::FocusPolicy policy = child->focusPolicy();
            child->setFocusPolicy(chain.contains(child) ? Qt::StrongFocus : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
        for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    }

    void SetFocus(Hwnd control) override {
        QWidget* target = qt::FindTagged(widget_, control);
        if (!target) return;
        if (widget_->isVisible()) {
            target->setFocus(Qt::OtherFocusReason);
        } else {
            focus_ = target;  // given when the window is next shown
        }
    }

    void SetBackColor(COLORREF color) override {
        QPalette palette = widget_->palette();
        palette.setColor(QPalette::Window, ToQColor(color));
        widget_->setPalette(palette);
    }

    void SetTopmost() override {
        // Only while hidden (the load step): on a visible window Qt would map it anew.
        widget_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        skipSet_ = false;
    }
    void SetOpacity(unsigned char alpha) override { widget_->setWindowOpacity(alpha / 255.0); }

    void OnClose() { events_.OnCloseRequest(CloseReason::User); }
    void OnKey(const KeyInput& key) { events_.OnKeyPressed(key); }
    // An activation the program asked for (a show, a bring forward), or one handed over by another
    // window of the program; the person coming back from another program is not one.
    void OnActivated() {
        if (std::exchange(activationAsked_, false) || FocusBefore()) events_.OnActivated();
    }

    // The frame's size as the desktop has it now; a change (a user's drag, or the window manager's
    // frame arriving) is a resize for the form.
    void CheckSize() {
        const QMargins m = Margins();
        const QWindow* window = widget_->windowHandle();
        const bool framed = window && !window->frameMargins().isNull();  // the window manager's frame is known
        if (!m.isNull()) {
            if (framed) lastFrameMargins[static_cast<int>(kind_)] = m * Scale();
            if (pending_) {
                // The frame was guessed when the size was set: make the whole window the size asked,
                // and again once the real frame is known (the guess may be another screen's).
                const PixelRect want = *pending_;
                if (framed) pending_.reset();
                const PixelRect now = Frame(Estimate::No);
                if (now.width != want.width || now.height != want.height) {
                    ResizeClient(want.width - m.left() - m.right(), want.height - m.top() - m.bottom());
                }
            }
        }
        const PixelRect frame = Frame(Estimate::No);
        const QSize size(frame.width, frame.height);
        if (size == reported_) return;
        reported_ = size;
        events_.OnSizeChanged();
    }

private:
    // The window manager's frame once it is known, else the last one of the same kind. Asked for
    // the frame of a window of a kind never shown (a panel hidden before it was ever shown stores
    // its frame), the window manager is asked what it will be: the design size is the frame's.
    enum class Estimate { No, IfUnknown };
    PixelRect Frame(Estimate estimate) const {
        const QRect client = widget_->geometry();
        const QMargins m = Margins(estimate);
        const QPoint place = placed_ ? widget_->pos() : DesignPlace();
        return {place.x(), place.y(), client.width() + m.left() + m.right(), client.height() + m.top() + m.bottom()};
    }
    // A window neither shown nor placed yet has no place on X11 until the window manager gives it
    // one as it maps. It reports, and is shown at, the centre of the primary screen's work area: a
    // form that stores its frame before it was ever shown stores where it will show.
    QPoint DesignPlace() const {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return widget_->pos();
        const QRect work = screen->availableGeometry();
        const QMargins m = lastFrameMargins[static_cast<int>(kind_)] / Scale();
        const QSize frame = widget_->size().grownBy(m);
        return work.topLeft() + QPoint((work.width() - frame.width()) / 2, (work.height() - frame.height()) / 2);
    }
    QMargins Margins(Estimate estimate = Estimate::No) const {
        QWindow* window = widget_->windowHandle();
        const QMargins m = window ? window->frameMargins() : QMargins();
        if (!m.isNull()) return m;
        QMargins& last = lastFrameMargins[static_cast<int>(kind_)];
        if (last.isNull() && estimate == Estimate::IfUnknown && !widget_->isVisible()) {
            const qt::FrameExtents e = qt::EstimateFrame(kind_ != WindowKind::Dialog);
            last = QMargins(e.left, e.top, e.right, e.bottom);
        }
        return last / Scale();
    }
    // Screen pixels to one of the program's pixels where the window is: Qt scales each screen by
    // its own factor (QT_SCREEN_SCALE_FACTORS and the like), and the program's pixels are Qt's
    // device-independent ones.
    qreal Scale() const {
        const QWindow* window = widget_->windowHandle();
        return window ? window->devicePixelRatio() : widget_->devicePixelRatioF();
    }
    // A dialog's size is fixed: the user cannot change it, only the program.
    void ResizeClient(int width, int height) {
        const QSize size(std::max(1, width), std::max(1, height));
        if (fixed_) {
            widget_->setFixedSize(size);
        } else {
            widget_->resize(size);
        }
    }

    NativeWindowEvents& events_;
    FormWidget* widget_;
    WindowKind kind_;
    bool fixed_;
    Hwnd handle_{};
    QSize reported_;
    std::optional<PixelRect> pending_;
    QPointer<QWidget> focus_;
    bool skipSet_ = false;
    bool placed_ = false;  // shown, or given a place by the program
    bool activationAsked_ = false;  // shown or brought forward, not yet activated
};

void FormWidget::closeEvent(QCloseEvent* event) {
    event->ignore();  // the form decides
    if (owner_) qt::Guarded([this] { owner_->OnClose(); });
}
void FormWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (owner_ && isVisible()) qt::Guarded([this] { owner_->CheckSize(); });
}
void FormWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (owner_ && isVisible()) qt::Guarded([this] { owner_->CheckSize(); });
}
// Enter and Escape that no control took (a focused button takes Enter itself) press the window's
// default and cancel buttons, as a dialog's keyboard interface does.
void FormWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && key == Qt::Key_Enter);
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (owner_ && plain && (enter || key == Qt::Key_Escape)) {
        if (QAbstractButton* button = qt::SpecialButton(this, key == Qt::Key_Escape)) {
            event->accept();
            button->click();  // its clicked signal is the guarded entry
            return;
        }
    }
    // The window's own keys: what no control took, with the modifiers held (a keypad arrow is an
    // arrow).
    static const std::pair<int, unsigned> kOwnKeys[] = {{Qt::Key_Left, VK_LEFT},   {Qt::Key_Up, VK_UP},
                                                        {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN},
                                                        {Qt::Key_Escape, VK_ESCAPE}};
    for (const auto& [qtKey, virtualKey] : kOwnKeys) {
        if (key != qtKey || !owner_) continue;
        const Qt::KeyboardModifiers held = event->modifiers();
        const KeyInput input{virtualKey, (held & Qt::ShiftModifier) != 0, (held & Qt::ControlModifier) != 0,
                             (held & Qt::AltModifier) != 0};
        event->accept();
        qt::Guarded([&] { owner_->OnKey(input); });  // may unload the form: nothing of it after
        return;
    }
    QWidget::keyPressEvent(event);
}
bool FormWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (!owner_) return handled;
    if (event->type() == QEvent::Expose && isVisible()) qt::Guarded([this] { owner_->CheckSize(); });
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) qt::Guarded([this] { owner_->OnActivated(); });
    return handled;
}

// The hidden start-up window and its hidden children: a handle, never a window on the screen.
class HiddenWindow final : public NativeWindow {
public:
    HiddenWindow(const PixelRect& frame, NativeWindowEvents& events) : frame_(frame), handle_(qt::AddWindow(events)) {}
    ~HiddenWindow() override { qt::RemoveWindow(handle_); }
    Hwnd Handle() const override { return handle_; }
    void SetVisible(bool) override {}
    void BringForward() override {}
    PixelRect FrameRect() const override { return frame_; }
    void SetFrameRect(const PixelRect& rect) override { frame_ = rect; }
    void SetBackColor(COLORREF) override {}

private:
    PixelRect frame_;
    Hwnd handle_;
};

// The widget of a child: it paints the surface it shows, only the parts Qt asks for, and reports
// the mouse in client pixels. Qt keeps the mouse with the widget a button was pressed on until
// the last button is released, as capture does.
class ChildWidget final : public QWidget {
public:
    ChildWidget(QWidget* parent, bool border, bool focusFrame) : QWidget(parent), inset(border ? 1 : 0), focusFrame(focusFrame) {
        setMouseTracking(true);  // moves without a button held are reported too
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, ToQColor(0x8000000F));
        setPalette(palette);
    }
    PixelSurface* surface = nullptr;
    std::function<void(const MouseInput&)> onMouse;
    std::function<void(unsigned)> onKey;  // Space or Enter while it has the focus
    // A border's width: the client area (what the surface and the mouse are measured from) is
    // inside it.
    const int inset;
    const bool focusFrame;

    // A part of the surface changed: the same part of the widget, inside the border.
    void UpdateSurface(const PixelRect& r) { update(r.left + inset, r.top + inset, r.width, r.height); }

protected:
    void paintEvent(QPaintEvent* event) override {
        qt::Guarded([&] { Paint(event->rect()); });
        if (inset > 0) {
            // Sunken: the shadow above and to the left, the light below and to the right, in the
            // desktop's colours (the child's own palette holds its background).
            QPainter painter(this);
            qDrawShadePanel(&painter, rect(), QApplication::palette(), true, inset);
        }
        // Qt repaints a widget that takes the focus when the focus comes or goes.
        if (focusFrame && hasFocus()) {
            QPainter painter(this);
            painter.setPen(QPen(QApplication::palette().color(QPalette::WindowText), 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(inset + 1, inset + 1, -inset - 2, -inset - 2));
        }
    }
    void mousePressEvent(QMouseEvent* event) override { Send(event, MouseAction::Press); }
    void mouseReleaseEvent(QMouseEvent* event) override { Send(event, MouseAction::Release); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { Send(event, MouseAction::DoubleClick); }
    void mouseMoveEvent(QMouseEvent* event) override { Send(event, MouseAction::Move); }
    void keyPressEvent(QKeyEvent* event) override {
        // Enter belongs to the window's default button, where it has one.
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (onKey && event->modifiers() == Qt::NoModifier &&
            (event->key() == Qt::Key_Space || (enter && !qt::SpecialButton(window(), false)))) {
            qt::Guarded([&] { onKey(enter ? VK_RETURN : VK_SPACE); });
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    // The part of the surface Qt asks for; beyond it, the background Qt filled.
    void Paint(const QRect& asked) {
        if (!surface) return;
        const QRect client = rect().marginsRemoved(QMargins(inset, inset, inset, inset));
        const QRect area = asked & client & QRect(inset, inset, surface->Width(), surface->Height());
        if (area.isEmpty()) return;
        QImage image(area.size(), QImage::Format_RGB32);
        for (int y = 0; y < area.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < area.width(); ++x) {
                const COLORREF c = surface->Pixel(area.x() - inset + x, area.y() - inset + y);
                line[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
            }
        }
        QPainter(this).drawImage(area.topLeft(), image);
    }

    void Send(QMouseEvent* event, MouseAction action) {
        MouseInput mouse{action};
        if (action != MouseAction::Move) {
            const Qt::MouseButton button = event->button();
            mouse.button = button == Qt::LeftButton    ? MouseButton::Left
                           : button == Qt::RightButton  ? MouseButton::Right
                           : button == Qt::MiddleButton ? MouseButton::Middle
                                                        : MouseButton::NoButton;
            if (mouse.button == MouseButton::NoButton) return;  // the form layer knows three buttons
        }
        const Qt::MouseButtons held = event->buttons();
        const Qt::KeyboardModifiers keys = event->modifiers();
        mouse.leftHeld = (held & Qt::LeftButton) != 0;
        mouse.rightHeld = (held & Qt::RightButton) != 0;
        mouse.middleHeld = (held & Qt::MiddleButton) != 0;
        mouse.shiftHeld = (keys & Qt::ShiftModifier) != 0;
        mouse.controlHeld = (keys & Qt::ControlModifier) != 0;
        mouse.altHeld = (keys & Qt::AltModifier) != 0;
        const QPoint at = event->position().toPoint() - QPoint(inset, inset);
        mouse.x = at.x();
        mouse.y = at.y();
        if (onMouse) qt::Guarded([&] { onMouse(mouse); });
    }
};

// A child inside a window on the screen (a picture box, a user control's surface), in its
// parent's client pixels. A size change is reported at once, as Windows sends WM_SIZE.
class ChildWindow final : public NativeWindow, public qt::WidgetWindow {
public:
    ChildWindow(QWidget* parent, const ChildDesign& design, NativeWindowEvents& events)
        : events_(events), widget_(new ChildWidget(parent, design.border, design.focusFrame)) {
        widget_->setGeometry(design.rect.left, design.rect.top, design.rect.width, design.rect.height);
        if (!design.toolTip.empty()) widget_->setToolTip(QString::fromStdString(design.toolTip));
        if (!design.accessibleName.empty()) widget_->setAccessibleName(QString::fromStdString(design.accessibleName));
        widget_->setVisible(design.visible);
        handle_ = qt::AddWindow(events);
        widget_->onMouse = [&events](const MouseInput& mouse) { events.OnMouse(mouse); };
        widget_->onKey = [&events](unsigned key) { events.OnKey(key); };
        qt::TagWidget(widget_, handle_);
    }
    ~ChildWindow() override {
        if (widget_->surface) widget_->surface->Changed = nullptr;
        widget_->surface = nullptr;
        widget_->onMouse = nullptr;
        widget_->onKey = nullptr;
        qt::RemoveWindow(handle_);
        widget_->hide();
        widget_->deleteLater();  // the form may be unloading from inside one of its children's events
    }
    void ShowSurface(PixelSurface& surface) override {
        widget_->surface = &surface;
        ChildWidget* widget = widget_;
        surface.Changed = [widget](const PixelRect& r) { widget->UpdateSurface(r); };
        widget_->update();
    }
    void SetPointer(const PointerImage& pointer) override { widget_->setCursor(qt::ToQCursor(pointer)); }
    QWidget* Widget() const override { return widget_; }
    Hwnd Handle() const override { return handle_; }
    void SetVisible(bool visible) override { widget_->setVisible(visible); }
    void BringForward() override { widget_->raise(); }
    PixelRect FrameRect() const override {
        const QRect r = widget_->geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    void SetFrameRect(const PixelRect& rect) override {
        const bool resized = rect.width != widget_->width() || rect.height != widget_->height();
        widget_->setGeometry(rect.left, rect.top, rect.width, rect.height);
        if (resized) events_.OnSizeChanged();
    }
    void SetBackColor(COLORREF color) override {
        QPalette palette = widget_->palette();
        palette.setColor(QPalette::Window, ToQColor(color));
        widget_->setPalette(palette);
        widget_->setAutoFillBackground(true);
    }

private:
    NativeWindowEvents& events_;
    ChildWidget* widget_;
    Hwnd handle_{};
};

}  // namespace

std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesign& design, NativeWindowEvents& events) {
    if (design.kind == WindowKind::Hidden) {
        return std::make_unique<HiddenWindow>(PixelRect{0, 0, design.clientWidth, design.clientHeight}, events);
    }
    return std::make_unique<FormWindow>(design, events);
}

std::unique_ptr<NativeWindow> CreateNativeChild(NativeWindow& parent, const ChildDesign& design, NativeWindowEvents& events) {
    if (QWidget* widget = qt::WidgetOf(parent)) return std::make_unique<ChildWindow>(widget, design, events);
    return std::make_unique<HiddenWindow>(design.rect, events);
}

QWidget* qt::WidgetOf(NativeWindow& window) {
    auto* widgetWindow = dynamic_cast<qt::WidgetWindow*>(&window);
    return widgetWindow ? widgetWindow->Widget() : nullptr;
}

namespace {
constexpr const char* kHandleProperty = "lisotraHandle";
}

void qt::TagWidget(QWidget* widget, Hwnd handle) {
    if (widget) widget->setProperty(kHandleProperty, QVariant::fromValue(reinterpret_cast<quintptr>(handle)));
}

Hwnd qt::NewControlHandle(QWidget* widget) {
    static std::uintptr_t next = 0x70000000;  // apart from the windows' handles
    next += 0x10;
    const auto handle = reinterpret_cast<Hwnd>(next);
    TagWidget(widget, handle);
    return handle;
}

QWidget* qt::FindTagged(QWidget* window, Hwnd handle) {
    if (!window || !handle) return nullptr;
    const auto wanted = reinterpret_cast<quintptr>(handle);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->property(kHandleProperty).value<quintptr>() == wanted) return child;
    }
    return nullptr;
}

}  // namespace os
