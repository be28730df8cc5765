#pragma once
// What the discovery classes share about Avahi's D-Bus interface.
//
// The system bus is looked for before Qt D-Bus is touched: without one Qt
// would only print warnings. Every call to Avahi is asynchronous, so a
// daemon that is slow or missing never holds up the window.
#include <QDBusConnection>
#include <QList>
#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

class QDBusMessage;

namespace tc::discovery {

inline constexpr const char* kAvahiService = "org.freedesktop.Avahi";
inline constexpr const char* kAvahiServer = "org.freedesktop.Avahi.Server";
inline constexpr const char* kAvahiServer2 = "org.freedesktop.Avahi.Server2";
inline constexpr const char* kAvahiEntryGroup = "org.freedesktop.Avahi.EntryGroup";
inline constexpr const char* kAvahiServiceBrowser = "org.freedesktop.Avahi.ServiceBrowser";
inline constexpr const char* kAvahiServiceResolver = "org.freedesktop.Avahi.ServiceResolver";

// Avahi's numbers for "any interface" and the protocols.
inline constexpr int kAnyInterface = -1;
inline constexpr int kAnyProtocol = -1;
inline constexpr int kProtocolInet6 = 1;
// Avahi's server states.
inline constexpr int kServerRunning = 2;

// True when a system bus socket exists (DBUS_SYSTEM_BUS_ADDRESS, else the
// standard path). Says nothing about Avahi itself.
bool systemBusPresent();

// The system bus, connected on first use; only after systemBusPresent().
QDBusConnection avahiBus();

// A method call to Avahi.
QDBusMessage avahiCall(const QString& path, const char* interface, const char* method);

// A TXT record on the bus (aay) and back.
QList<QByteArray> toDbusTxt(const std::vector<std::string>& items);
std::vector<std::string> fromDbusTxt(const QVariant& value);

// What the Join dialog says once when games cannot be listed.
QString unavailableText();

} // namespace tc::discovery
