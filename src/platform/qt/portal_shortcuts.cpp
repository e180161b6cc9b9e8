// Global hotkeys on Wayland: X key grabs through XWayland fire only while an X window has the
// focus, so where the desktop portal offers GlobalShortcuts the hotkeys are bound there instead.
// The portal tells which shortcut was pressed by its id; the press reaches the window that
// registered the hotkey as a press of a key grab does.
//
// The program registers a hotkey and expects the answer at once, but the portal answers later:
// asking whether it offers GlobalShortcuts, opening a session and binding all go over D-Bus and
// may wait on the person (the desktop asks them to confirm the shortcuts). So while the portal may
// yet serve, a hotkey whose key exists counts as registered and is bound once the session is up;
// if the portal turns out not to serve, the hotkeys taken so far get X key grabs then, and later
// ones at once. A combination held elsewhere is the desktop's business on the portal path: the
// person picks another trigger in its dialog, which is why presses are matched by id, not by key.
//
// The portal is a process of its own and may end (a crash, an update) while the program runs; its
// sessions end with it. The program watches who owns the portal's name: when the owner leaves it
// says so, and when a portal owns the name again it opens a new session and binds the hotkeys
// there. A portal that never answers for a session is not waited for without end: after a while
// the hotkeys become key grabs. Only the portal's own connection can press a shortcut.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QObject>
#include <QTimer>
#include <X11/Xlib.h>

#include <map>

#include "platform/app.h"
#include "platform/hotkey_bindings.h"
#include "platform/qt/guard.h"
#include "platform/qt/key_grabs.h"
#include "platform/qt/portal_shortcut.h"
#include "platform/qt/virtual_keys.h"
#include "platform/qt/x11_hints.h"
#include "platform/os_types.h"

namespace os::qt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

// How long the portal may take to answer for a session. Opening one does not ask the person (binding
// may), so this is a portal that hangs, or a desktop that never starts its part.
constexpr int kSessionWaitSeconds = 10;

// How often the program asks the bus to start the portal again after it has left: a portal that
// keeps ending is not started for ever.
constexpr int kPortalStarts = 3;

void Log(const QString& text) { os::Log(text.toStdString()); }

// The shell window registers the show hotkey first (id 1) and the hide hotkey second (id 2). The
// desktop keeps the trigger the person chose under the shortcut's id and shows its description,
// so both are fixed names, not the keys.
QString ShortcutId(int id) {
    if (id == 1) return QStringLiteral("show-panel");
    if (id == 2) return QStringLiteral("hide-panel");
    return QStringLiteral("hotkey-%1").arg(id);
}

QString Description(int id) {
    if (id == 1) return QStringLiteral("Show the reading panel");
    if (id == 2) return QStringLiteral("Hide the reading panel");
    return QStringLiteral("Lisotra hotkey %1").arg(id);
}

// The trigger in the freedesktop shortcuts standard's form: modifiers, then the key's keysym
// name, a letter in capitals ("CTRL+ALT+S").
QString PreferredTrigger(unsigned modifiers, unsigned virtualKey) {
    QString trigger;
    if (modifiers & MOD_CONTROL) trigger += QStringLiteral("CTRL+");
    if (modifiers & MOD_ALT) trigger += QStringLiteral("ALT+");
    if (modifiers & MOD_SHIFT) trigger += QStringLiteral("SHIFT+");
    if (modifiers & MOD_WIN) trigger += QStringLiteral("LOGO+");
    if (virtualKey >= 'A' && virtualKey <= 'Z') return trigger + QChar(static_cast<char16_t>(virtualKey));
    const char* name = XKeysymToString(KeysymOfVirtualKey(virtualKey));
    return trigger + QString::fromLatin1(name ? name : "");
}

QDBusConnection Bus() { return QDBusConnection::sessionBus(); }

class PortalShortcuts final : public QObject {
    Q_OBJECT

public:
    // Asking whether the portal offers GlobalShortcuts, opening a session, bound there; Away: the
    // portal has left the bus and the hotkeys wait for it; KeyGrabs: X key grabs from now on.
    enum class State { Asking, Opening, Open, Away, KeyGrabs };

    PortalShortcuts() {
        // The session bus only in a Wayland session: elsewhere connecting would cost start-up
        // time and a thread for nothing.
        if (!WaylandSession()) {
            FallBack(QStringLiteral("hotkeys through X key grabs (an X11 session)"));
        } else if (!Bus().isConnected()) {
            FallBack(QStringLiteral("hotkeys through X key grabs: a Wayland session without a session bus; they "
                                    "fire only while a window of an X11 program has the focus"));
        } else {
            qDBusRegisterMetaType<PortalShortcut>();
            qDBusRegisterMetaType<QList<PortalShortcut>>();
            auto* watcher = new QDBusServiceWatcher(kService, Bus(), QDBusServiceWatcher::WatchForOwnerChange, this);
            connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &PortalShortcuts::OnOwnerChanged);
            sessionWait_.setSingleShot(true);
            sessionWait_.setInterval(kSessionWaitSeconds * 1000);
            connect(&sessionWait_, &QTimer::timeout, this, [this] {
                Guarded([&] {
                    if (state_ != State::Opening) return;
                    FallBack(QStringLiteral("hotkeys through X key grabs: the desktop portal did not answer for a "
                                            "shortcuts session within %1 s")
                                 .arg(kSessionWaitSeconds));
                });
            });
            AskVersion();
        }
    }

    bool Take(int id, unsigned modifiers, unsigned virtualKey) {
        if (state_ == State::KeyGrabs) return false;
        taken_[id] = {modifiers, virtualKey};
        if (state_ == State::Open) BindSoon();
        return true;
    }

    bool Drop(int id) {
        if (state_ == State::KeyGrabs) return false;
        taken_.erase(id);
        if (state_ == State::Open) BindSoon();
        return true;
    }

public Q_SLOTS:
    void OnSessionResponse(uint response, const QVariantMap& results) {
        Guarded([&] {
            if (state_ != State::Opening) return;
            sessionWait_.stop();
            if (response != 0) {
                FallBack(QStringLiteral("hotkeys through X key grabs: the desktop portal refused a shortcuts session "
                                        "(response %1)")
                             .arg(response));
                return;
            }
            Unlisten(kRequest, sessionRequest_, QStringLiteral("Response"), SLOT(OnSessionResponse(uint, QVariantMap)));
            session_ = results.value(QStringLiteral("session_handle")).toString();
            if (session_.isEmpty()) session_ = predictedSession_;
            if (!Listen(kSession, session_, QStringLiteral("Closed"), SLOT(OnSessionClosed())) ||
                !Listen(kShortcuts, kPath, QStringLiteral("Activated"), ActivatedSlot())) {
                FallBack(QStringLiteral("hotkeys through X key grabs: the program cannot hear the desktop portal's "
                                        "shortcuts (%1)")
                             .arg(Bus().lastError().message()));
                return;
            }
            state_ = State::Open;
            Log(QStringLiteral("hotkeys through the desktop portal's GlobalShortcuts (version %1), session %2")
                    .arg(version_)
                    .arg(session_));
            Bind();
        });
    }

    void OnBindResponse(uint response, const QVariantMap& results) {
        Guarded([&] {
            // The Request object is one per call: its signal is not heard again.
            Unlisten(kRequest, bindRequest_, QStringLiteral("Response"), SLOT(OnBindResponse(uint, QVariantMap)));
            if (response != 0) {
                // Cancelled or refused by the desktop: the session stays, and the next OK in the
                // settings dialog asks again. Key grabs would only fire with an X window in focus.
                Log(QStringLiteral("the desktop portal did not bind the hotkeys (response %1)").arg(response));
                return;
            }
            QStringList bound;
            const auto list = qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
            for (const PortalShortcut& s : list) {
                const QString trigger = s.properties.value(QStringLiteral("trigger_description")).toString();
                bound << s.id + QStringLiteral(" = ") + (trigger.isEmpty() ? QStringLiteral("(no trigger)") : trigger);
            }
            Log(QStringLiteral("the desktop portal bound the hotkeys: %1").arg(bound.join(QStringLiteral(", "))));
        });
    }

    // From the portal's own connection only: anyone on the bus may send this signal.
    void OnActivated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong, const QVariantMap&,
                     const QDBusMessage& message) {
        Guarded([&] {
            if (state_ != State::Open || message.service() != owner_ || session.path() != session_) return;
            for (const auto& [id, key] : taken_) {
                if (ShortcutId(id) == shortcutId) {
                    const auto [modifiers, virtualKey] = key;  // copied: the window may re-register
                    DeliverHotKey(modifiers, virtualKey);
                    return;
                }
            }
        });
    }

    void OnSessionClosed() {
        Guarded([&] {
            if (state_ == State::Open) FallBack(QStringLiteral("hotkeys through X key grabs: the desktop closed the "
                                                               "shortcuts session"));
        });
    }

    // A portal leaving the bus takes its session with it; one that comes back gets a new session.
    // A portal started in another's place (its replace option) does both at once.
    void OnOwnerChanged(const QString&, const QString& oldOwner, const QString& newOwner) {
        Guarded([&] {
            if (state_ == State::KeyGrabs) return;
            if (!oldOwner.isEmpty() && state_ != State::Away) Leave(newOwner.isEmpty());
            if (!newOwner.isEmpty() && state_ == State::Away) {
                Log(QStringLiteral("the desktop portal is back: binding the hotkeys again"));
                AskVersion();
            }
        });
    }

private:
    using Key = std::pair<unsigned, unsigned>;  // modifiers, virtual key

    static const char* ActivatedSlot() {
        return SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap, QDBusMessage));
    }

    // Signals are heard from the portal's name only; each connection is checked, since a hotkey
    // that is never heard is a dead hotkey.
    bool Listen(const QString& interface, const QString& path, const QString& name, const char* slot) {
        return Bus().connect(kService, path, interface, name, this, slot);
    }

    void Unlisten(const QString& interface, const QString& path, const QString& name, const char* slot) {
        if (!path.isEmpty()) Bus().disconnect(kService, path, interface, name, this, slot);
    }

    // Nothing more is heard from the portal's session; answers still on their way are dropped.
    void Forget() {
        ++round_;
        sessionWait_.stop();
        Unlisten(kRequest, sessionRequest_, QStringLiteral("Response"), SLOT(OnSessionResponse(uint, QVariantMap)));
        Unlisten(kRequest, bindRequest_, QStringLiteral("Response"), SLOT(OnBindResponse(uint, QVariantMap)));
        Unlisten(kSession, session_, QStringLiteral("Closed"), SLOT(OnSessionClosed()));
        Unlisten(kShortcuts, kPath, QStringLiteral("Activated"), ActivatedSlot());
        sessionRequest_.clear();
        bindRequest_.clear();
    }

    void Leave(bool nobodyInItsPlace) {
        Forget();
        session_.clear();
        owner_.clear();
        state_ = State::Away;
        Log(QStringLiteral("the desktop portal left the session bus: the hotkeys are bound again when it returns"));
        if (nobodyInItsPlace && portalStarts_ < kPortalStarts) {
            // As any call to the portal would: the bus starts it where the desktop lets it.
            ++portalStarts_;
            QDBusMessage start = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                                QStringLiteral("/org/freedesktop/DBus"),
                                                                QStringLiteral("org.freedesktop.DBus"),
                                                                QStringLiteral("StartServiceByName"));
            start << kService << 0u;
            Bus().send(start);
        }
    }

    // The version property says whether the portal has GlobalShortcuts; asking it starts the
    // portal if it is not running yet.
    void AskVersion() {
        state_ = State::Asking;
        const unsigned round = round_;
        QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << kShortcuts << QStringLiteral("version");
        auto* watcher = new QDBusPendingCallWatcher(Bus().asyncCall(get), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, round](QDBusPendingCallWatcher* call) {
            Guarded([&] {
                call->deleteLater();
                if (round != round_) return;
                QDBusPendingReply<QDBusVariant> reply = *call;
                if (reply.isError()) {
                    FallBack(QStringLiteral("hotkeys through X key grabs: no desktop portal with GlobalShortcuts (%1); "
                                            "they fire only while a window of an X11 program has the focus")
                                 .arg(reply.error().message()));
                    return;
                }
                version_ = reply.value().variant().toUInt();
                owner_ = reply.reply().service();
                OpenSession();
            });
        });
    }

    // A request's Response comes on an object whose path is known before the call: listen first,
    // so that a quick answer is not missed.
    QString RequestPath(const QString& token) const {
        QString sender = Bus().baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    }

    QString NextToken() { return QStringLiteral("lisotra%1").arg(++tokens_); }

    void OpenSession() {
        state_ = State::Opening;
        const QString token = NextToken();
        const QString sessionToken = QStringLiteral("lisotra_session%1").arg(tokens_);
        predictedSession_ = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                                .arg(Bus().baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_')), sessionToken);
        sessionRequest_ = RequestPath(token);
        if (!Listen(kRequest, sessionRequest_, QStringLiteral("Response"), SLOT(OnSessionResponse(uint, QVariantMap)))) {
            FallBack(QStringLiteral("hotkeys through X key grabs: the program cannot hear the desktop portal's "
                                    "answers (%1)")
                         .arg(Bus().lastError().message()));
            return;
        }
        QDBusMessage create = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, QStringLiteral("CreateSession"));
        create << QVariantMap{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), sessionToken}};
        sessionWait_.start();
        Call(create, QStringLiteral("the desktop portal could not open a shortcuts session"), true);
    }

    void BindSoon() {
        // The settings dialog unregisters both hotkeys and registers both again: one bind for all.
        if (bindPending_) return;
        bindPending_ = true;
        QTimer::singleShot(0, this, [this] { Guarded([&] { Bind(); }); });
    }

    void Bind() {
        bindPending_ = false;
        if (state_ != State::Open) return;
        QList<PortalShortcut> shortcuts;
        for (const auto& [id, key] : taken_) {
            shortcuts.append({ShortcutId(id),
                              {{QStringLiteral("description"), Description(id)},
                               {QStringLiteral("preferred_trigger"), PreferredTrigger(key.first, key.second)}}});
        }
        const QString token = NextToken();
        Unlisten(kRequest, bindRequest_, QStringLiteral("Response"), SLOT(OnBindResponse(uint, QVariantMap)));
        bindRequest_ = RequestPath(token);
        if (!Listen(kRequest, bindRequest_, QStringLiteral("Response"), SLOT(OnBindResponse(uint, QVariantMap)))) {
            // The binding still goes to the portal; only its outcome goes unlogged.
            Log(QStringLiteral("the program cannot hear the desktop portal's answer to the binding (%1)")
                    .arg(Bus().lastError().message()));
        }
        QDBusMessage bind = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, QStringLiteral("BindShortcuts"));
        bind << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts) << QString()
             << QVariantMap{{QStringLiteral("handle_token"), token}};
        Call(bind, QStringLiteral("the desktop portal could not bind the hotkeys"), false);
    }

    // Sends a call whose answer is a Request path; the outcome comes with the Response signal. A
    // call that fails outright while the session is being opened ends the portal's part.
    void Call(const QDBusMessage& message, const QString& failure, bool fallBack) {
        const unsigned round = round_;
        auto* watcher = new QDBusPendingCallWatcher(Bus().asyncCall(message), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, round, failure, fallBack](QDBusPendingCallWatcher* call) {
            Guarded([&] {
                call->deleteLater();
                if (round != round_ || !call->isError()) return;
                const QString why = failure + QStringLiteral(" (%1)").arg(call->error().message());
                if (fallBack) {
                    FallBack(QStringLiteral("hotkeys through X key grabs: ") + why);
                } else {
                    Log(why);
                }
            });
        });
    }

    // From now on the hotkeys are X key grabs; those taken so far are grabbed now. A grab refused
    // here cannot be reported to the program any more: that hotkey is inactive, as on X11.
    // The keys are grabbed before the log says so: whoever reads it may press them at once.
    void FallBack(const QString& why) {
        Forget();
        if (state_ == State::Open) {
            // The session the desktop may still keep is closed, so that its shortcuts and the
            // grabs never both answer a key.
            Bus().send(QDBusMessage::createMethodCall(kService, session_, kSession, QStringLiteral("Close")));
        }
        state_ = State::KeyGrabs;
        QStringList refused;
        for (const auto& [id, key] : taken_) {
            if (!GrabKeys(key.first, key.second)) refused << PreferredTrigger(key.first, key.second);
        }
        taken_.clear();
        Log(why);
        if (!refused.isEmpty()) {
            Log(refused.join(QStringLiteral(", ")) + QStringLiteral(" could not be grabbed: another program holds it"));
        }
    }

    State state_ = State::Asking;
    uint version_ = 0;
    int tokens_ = 0;
    int portalStarts_ = 0;
    unsigned round_ = 0;  // counts the portal's sessions lost or given up: older answers are dropped
    bool bindPending_ = false;
    QTimer sessionWait_;
    QString owner_;  // the portal's unique name on the bus
    QString predictedSession_, session_, sessionRequest_, bindRequest_;
    std::map<int, Key> taken_;  // registration id -> combination
};

PortalShortcuts& Portal() {
    // Decided when the first hotkey is registered, which the program does once it runs.
    static auto* portal = new PortalShortcuts;
    return *portal;
}

}  // namespace

bool PortalTakesHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    return Portal().Take(id, modifiers, virtualKey);
}

bool PortalDropsHotKey(int id) { return Portal().Drop(id); }

}  // namespace os::qt

#include "portal_shortcuts.moc"
