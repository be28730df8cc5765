#include "discovery/AvahiBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFileInfo>

namespace tc::discovery {

bool systemBusPresent() {
    const QByteArray env = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (env.isEmpty()) return QFileInfo::exists(QStringLiteral("/run/dbus/system_bus_socket")) ||
                              QFileInfo::exists(QStringLiteral("/var/run/dbus/system_bus_socket"));
    // "unix:path=/x;tcp:..." : a path that is not there cannot be reached;
    // any other kind of address is left to Qt D-Bus to try.
    for (const QByteArray& address : env.split(';')) {
        const qsizetype colon = address.indexOf(':');
        if (colon < 0) continue;
        if (address.left(colon) != "unix") return true;
        for (const QByteArray& kv : address.mid(colon + 1).split(',')) {
            if (!kv.startsWith("path=")) return true;  // abstract sockets and the like
            if (QFileInfo::exists(QString::fromLocal8Bit(kv.mid(5)))) return true;
        }
    }
    return false;
}

QDBusConnection avahiBus() {
    static const bool registered = [] {
        qDBusRegisterMetaType<QList<QByteArray>>();
        return true;
    }();
    (void)registered;
    return QDBusConnection::systemBus();
}

QDBusMessage avahiCall(const QString& path, const char* interface, const char* method) {
    return QDBusMessage::createMethodCall(QLatin1String(kAvahiService), path, QLatin1String(interface),
                                          QLatin1String(method));
}

QList<QByteArray> toDbusTxt(const std::vector<std::string>& items) {
    QList<QByteArray> out;
    for (const auto& item : items) out.append(QByteArray::fromStdString(item));
    return out;
}

std::vector<std::string> fromDbusTxt(const QVariant& value) {
    std::vector<std::string> out;
    if (!value.canConvert<QDBusArgument>()) return out;
    const QDBusArgument arg = value.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("aay")) return out;
    const QList<QByteArray> items = qdbus_cast<QList<QByteArray>>(arg);
    for (const QByteArray& item : items) out.push_back(item.toStdString());
    return out;
}

QString unavailableText() {
    return QStringLiteral("Finding games on your network needs the Avahi service (avahi-daemon), which is not "
                          "running here. You can still type the host's address.");
}

} // namespace tc::discovery
