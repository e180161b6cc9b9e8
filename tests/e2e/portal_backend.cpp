// A desktop's side of the GlobalShortcuts portal, for the end-to-end tests: the real portal front
// end (xdg-desktop-portal) hands it the sessions and bindings a program asks for. It takes every
// session and binding at once, as a desktop does once the person has confirmed them, and writes
// each binding to a file, one line per BindShortcuts call ("show-panel=CTRL+ALT+S ..."). A test
// presses a shortcut by calling Press on its control object:
//
//   gdbus call --session --dest org.freedesktop.impl.portal.desktop.lisotratest
//     --object-path /test --method org.lisotra.PortalTest.Press show-panel
//
// With --refuse it refuses every session, as a desktop does that will not give shortcuts to this
// program; with --silent it never answers one, as a desktop that hangs. With --watcher it also
// stands in for a StatusNotifierItem tray (org.kde.StatusNotifierWatcher with a host), writing
// "item SERVICE" for each item that registers.
//
//   portal_backend RECORD_FILE [--refuse | --silent] [--watcher]
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QFile>
#include <QObject>
#include <QTextStream>
#include <cstdio>

#include "platform/qt/portal_shortcut.h"

using os::qt::PortalShortcut;

namespace {

const QString kBusName = QStringLiteral("org.freedesktop.impl.portal.desktop.lisotratest");

QString recordPath;
bool refuseSessions = false;
bool silentSessions = false;

void Record(const QString& line) {
    QFile file(recordPath);
    if (file.open(QIODevice::Append | QIODevice::Text)) QTextStream(&file) << line << "\n";
}

}  // namespace

class GlobalShortcuts : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

public:
    uint version() const { return 1; }

    void Press(const QString& id) {
        QDBusMessage activated = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                                            QStringLiteral("org.freedesktop.impl.portal.GlobalShortcuts"),
                                                            QStringLiteral("Activated"));
        activated << QVariant::fromValue(QDBusObjectPath(session_)) << id << qulonglong(0) << QVariantMap();
        QDBusConnection::sessionBus().send(activated);
    }

public Q_SLOTS:
    uint CreateSession(const QDBusObjectPath&, const QDBusObjectPath& session, const QString&, const QVariantMap&,
                       QVariantMap& results) {
        results.clear();
        if (silentSessions) {
            setDelayedReply(true);  // and never replies
            return 0;
        }
        if (refuseSessions) return 2;  // "ended in some other way"
        session_ = session.path();
        Record(QStringLiteral("session"));
        return 0;
    }

    uint BindShortcuts(const QDBusObjectPath&, const QDBusObjectPath&, const QList<os::qt::PortalShortcut>& shortcuts, const QString&,
                       const QVariantMap&, QVariantMap& results) {
        QStringList line;
        QList<PortalShortcut> bound;
        for (const PortalShortcut& s : shortcuts) {
            const QString trigger = s.properties.value(QStringLiteral("preferred_trigger")).toString();
            line << s.id + QLatin1Char('=') + trigger;
            bound.append({s.id,
                          {{QStringLiteral("description"), s.properties.value(QStringLiteral("description")).toString()},
                           {QStringLiteral("trigger_description"), trigger}}});
        }
        Record(line.join(QLatin1Char(' ')));
        results = {{QStringLiteral("shortcuts"), QVariant::fromValue(bound)}};
        return 0;
    }

    uint ListShortcuts(const QDBusObjectPath&, const QDBusObjectPath&, QVariantMap& results) {
        results.clear();
        return 0;
    }

private:
    QString session_ = QStringLiteral("/");
};

// The test's handle on the back end: Press is not part of the desktop's interface.
class Control : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.lisotra.PortalTest")

public:
    Control(GlobalShortcuts* shortcuts) : QDBusAbstractAdaptor(shortcuts), shortcuts_(shortcuts) {}

public Q_SLOTS:
    void Press(const QString& id) { shortcuts_->Press(id); }

private:
    GlobalShortcuts* shortcuts_;
};

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return items_; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
        const QString item = service.startsWith(QLatin1Char('/')) ? message.service() + service : service;
        items_ << item;
        Record(QStringLiteral("item ") + item);
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    QStringList items_;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: portal_backend RECORD_FILE [--refuse | --silent] [--watcher]\n");
        return 2;
    }
    recordPath = QString::fromLocal8Bit(argv[1]);
    const QStringList options = QCoreApplication::arguments().mid(2);
    refuseSessions = options.contains(QStringLiteral("--refuse"));
    silentSessions = options.contains(QStringLiteral("--silent"));
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto* shortcuts = new GlobalShortcuts;
    new Control(shortcuts);
    bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), shortcuts,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    bus.registerObject(QStringLiteral("/test"), shortcuts, QDBusConnection::ExportAdaptors);
    if (options.contains(QStringLiteral("--watcher"))) {
        auto* watcher = new Watcher;
        bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), watcher,
                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
        if (!bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) return 1;
    }
    // The name last: the front end may look for it the moment it is there.
    if (!bus.registerService(kBusName)) {
        std::fprintf(stderr, "portal_backend: cannot own %s\n", qPrintable(kBusName));
        return 1;
    }
    return app.exec();
}

#include "portal_backend.moc"
