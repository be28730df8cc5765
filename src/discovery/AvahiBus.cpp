#include "discovery/AvahiBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>
#include <utility>

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

namespace {

enum class Reach { Unknown, Looking, Connected };
Reach reach = Reach::Unknown;
std::vector<std::pair<QPointer<QObject>, std::function<void(bool)>>> waiting;

void tell(bool connected) {
    reach = connected ? Reach::Connected : Reach::Unknown;  // a bus that appears later is found
    auto callers = std::move(waiting);
    waiting.clear();
    for (auto& [context, then] : callers)
        if (context) then(connected);
}

} // namespace

void whenBusReady(QObject* context, std::function<void(bool connected)> then) {
    if (reach == Reach::Connected) {
        QMetaObject::invokeMethod(context, [then = std::move(then)] { then(true); }, Qt::QueuedConnection);
        return;
    }
    waiting.emplace_back(context, std::move(then));
    if (reach == Reach::Looking) return;
    reach = Reach::Looking;
    // The first connection to the bus waits for its answer: never on the
    // window's thread. The global pool is waited for when the program ends.
    QThreadPool::globalInstance()->start([] {
        const bool connected = systemBusPresent() && avahiBus().isConnected();
        QMetaObject::invokeMethod(QCoreApplication::instance(), [connected] { tell(connected); },
                                  Qt::QueuedConnection);
    });
}

bool avahiAbsent(const QDBusMessage& error) {
    const QString name = error.errorName();
    return name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}

QString errorText(const QDBusMessage& error) {
    if (error.errorMessage().isEmpty()) return error.errorName();
    return error.errorName() + QStringLiteral(": ") + error.errorMessage();
}

QDBusMessage avahiOwnerCall() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    call << QLatin1String(kAvahiService);
    return call;
}

void listenForAvahiOwner(QObject* receiver, const char* slot) {
    avahiBus().connect(QString(), QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
                       QStringLiteral("NameOwnerChanged"), {QLatin1String(kAvahiService)}, QString(), receiver,
                       slot);
}

std::optional<QString> avahiOwnerChange(const QDBusMessage& message) {
    // Only the bus itself sends from its name: nobody else can tell us
    // Avahi moved.
    const QList<QVariant> a = message.arguments();
    if (message.service() != QLatin1String("org.freedesktop.DBus") || a.size() < 3 ||
        a.value(0).toString() != QLatin1String(kAvahiService))
        return std::nullopt;
    return a.value(2).toString();
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
    return QCoreApplication::translate("AvahiBus", "Finding games on your network needs the Avahi service (avahi-daemon), which is not "
                          "running here. You can still type the host's address.");
}

QString notAnnouncedText(bool avahiAbsent, const QString& error) {
    // No ": " in the line: the chat would draw what comes before it as a
    // speaker's name.
    if (avahiAbsent)
        return QCoreApplication::translate("AvahiBus", "Your game is not shown to players on your network, as the Avahi service "
                              "(avahi-daemon) is not running here. They can still join at your address.");
    QString why = error;
    why.replace(QLatin1String(": "), QLatin1String(" - "));
    return QCoreApplication::translate("AvahiBus", "Your game could not be shown to players on your network (%1). They can still join at "
                          "your address.")
        .arg(why);
}

QString failedText(const QString& error) {
    return QCoreApplication::translate("AvahiBus", "Finding games on your network failed (%1). You can still type the host's address.")
        .arg(error);
}

} // namespace tc::discovery
