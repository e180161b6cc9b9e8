// Labels, text boxes and command buttons on Qt: a QLabel, QLineEdit or QPushButton inside the
// parent's widget. What the user types and presses comes from signals that the program's own
// changes never raise (textEdited, clicked).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>
#include <limits>

#include "platform/qt/guard.h"
#include "platform/qt/widgets.h"

namespace os {
namespace {

// Which keys of the window press a button: Enter for the default, Escape for the cancel button.
constexpr const char* kRoleProperty = "lisotraButtonRole";
constexpr int kDefaultRole = 1;
constexpr int kCancelRole = 2;

QWidget* MakeLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // a caption is never read as markup
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);  // a caption longer than the label goes on to the next line
    return label;              // and no background of its own: the window's shows through
}

QWidget* MakeTextBox(QWidget* parent, NativeControlEvents& events) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(std::numeric_limits<int>::max());  // Qt's default stops at 32767
    QObject::connect(edit, &QLineEdit::textEdited, edit, [&events](const QString& text) {
        qt::Guarded([&] { events.OnTextEdited(text.toStdString()); });
    });
    return edit;
}

QWidget* MakeButton(QWidget* parent, const ControlDesign& design, NativeControlEvents& events) {
    auto* button = new QPushButton(parent);
    // Enter presses the focused button. The default button is pressed by Enter from anywhere in
    // the window (its key handler), and stays marked as the default while another button has the
    // focus: Qt clears that mark when an auto-default button loses the focus outside a QDialog.
    button->setAutoDefault(!design.isDefault);
    button->setDefault(design.isDefault);
    button->setProperty(kRoleProperty, (design.isDefault ? kDefaultRole : 0) | (design.isCancel ? kCancelRole : 0));
    // A click, Space, the access key ("&" in the caption: Qt makes Alt+letter its shortcut) and
    // the window's Enter and Escape all end in clicked, once a press.
    QObject::connect(button, &QPushButton::clicked, button, [&events] { qt::Guarded([&] { events.OnClicked(); }); });
    return button;
}

// A link: a flat button drawn as its text, underlined (by its font) in its colour, that takes the
// focus and is pressed by a click, Space or Enter.
QWidget* MakeLink(QWidget* parent, const ControlDesign& design, NativeControlEvents& events) {
    auto* link = new QPushButton(parent);
    link->setFlat(true);
    link->setAutoDefault(true);  // Enter presses it while it has the focus
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QString("QPushButton { border: none; padding: 0; text-align: left; color: %1; }")
                            .arg(qt::ToQColor(design.foreColor).name()));
    QObject::connect(link, &QPushButton::clicked, link, [&events] { qt::Guarded([&] { events.OnClicked(); }); });
    return link;
}

QWidget* MakeWidget(QWidget* parent, const ControlDesign& design, NativeControlEvents& events) {
    switch (design.kind) {
    case ControlKind::TextBox: return MakeTextBox(parent, events);
    case ControlKind::Button: return MakeButton(parent, design, events);
    case ControlKind::Link: return MakeLink(parent, design, events);
    case ControlKind::Label: break;
    }
    return MakeLabel(parent);
}

class QtControl final : public NativeControl {
public:
    QtControl(QWidget* parent, const ControlDesign& design, NativeControlEvents& events)
        : kind_(design.kind), widget_(MakeWidget(parent, design, events)) {
        handle_ = qt::NewControlHandle(widget_);
        widget_->setGeometry(design.rect.left, design.rect.top, design.rect.width, design.rect.height);
        widget_->setFont(qt::ToQFont(design.font));
        if (design.kind == ControlKind::Label) {
            QPalette palette = widget_->palette();
            palette.setColor(QPalette::WindowText, qt::ToQColor(design.foreColor));
            widget_->setPalette(palette);
        }
        // Without a name of its own a label or button is known by its caption, which Qt reads
        // without the access key's "&".
        if (!design.accessibleName.empty()) widget_->setAccessibleName(QString::fromStdString(design.accessibleName));
        SetText(design.text);
        // Without a widget to sit in (a hidden window's child) it would be a window of its own.
        widget_->setVisible(design.visible && parent);
    }
    ~QtControl() override {
        widget_->disconnect();
        widget_->hide();
        widget_->deleteLater();  // a press may be unloading the form that holds it
    }

    Hwnd Handle() const override { return handle_; }
    void SetText(const std::string& text) override {
        const QString value = QString::fromStdString(text);
        if (auto* label = qobject_cast<QLabel*>(widget_)) label->setText(value);
        if (auto* edit = qobject_cast<QLineEdit*>(widget_)) edit->setText(value);
        // A link's text is shown as it is: no access key.
        if (auto* button = qobject_cast<QPushButton*>(widget_)) button->setText(kind_ == ControlKind::Link ? QString(value).replace("&", "&&") : value);
    }

private:
    ControlKind kind_;
    QWidget* widget_;
    Hwnd handle_{};
};

}  // namespace

QAbstractButton* qt::SpecialButton(QWidget* window, bool cancel) {
    const int role = cancel ? kCancelRole : kDefaultRole;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if ((button->property(kRoleProperty).toInt() & role) && button->isVisibleTo(window) && button->isEnabled()) {
            return button;
        }
    }
    return nullptr;
}

std::unique_ptr<NativeControl> CreateNativeControl(NativeWindow& parent, const ControlDesign& design,
                                                   NativeControlEvents& events) {
    return std::make_unique<QtControl>(qt::WidgetOf(parent), design, events);
}

}  // namespace os
