// One shortcut as the desktop portal's GlobalShortcuts passes them, an (sa{sv}): its id, and its
// description and trigger. Named in full where used in a slot: QtDBus finds a slot's parameter
// type by its name.
#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace os::qt {

struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

inline QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcut& s) {
    out.beginStructure();
    out << s.id << s.properties;
    out.endStructure();
    return out;
}

inline const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcut& s) {
    in.beginStructure();
    in >> s.id >> s.properties;
    in.endStructure();
    return in;
}

}  // namespace os::qt

Q_DECLARE_METATYPE(os::qt::PortalShortcut)
