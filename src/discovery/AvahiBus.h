#pragma once
// What the discovery classes share about Avahi's D-Bus interface.
//
// The system bus is looked for before Qt D-Bus is touched: without one Qt
// would only print warnings. Nothing here waits on the bus in the calling
// thread: the first connection is made on a worker thread, every call to
// Avahi is asynchronous, and Avahi's signals are taken without a sender
// name (which would make Qt look the name's owner up, waiting) and checked
// against the owner found by an asynchronous look-up.
#include <QDBusConnection>
#include <QList>
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
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

// The system bus, connected on first use; only after whenBusReady() said
// it is connected (the first connection waits for the bus).
QDBusConnection avahiBus();

// Runs `then(connected)` on `context`'s thread once the system bus has been
// looked for and connected to on a worker thread; later calls learn it at
// once (still through the event loop). Not run when `context` is gone.
void whenBusReady(QObject* context, std::function<void(bool connected)> then);

// The D-Bus error means that nobody owns Avahi's name (the daemon is not
// running), as against any other failure.
bool avahiAbsent(const QDBusMessage& error);
// An error reply as a log or a dialog names it: "Name: message".
QString errorText(const QDBusMessage& error);
// Asks the bus who owns Avahi's name now (its unique name).
QDBusMessage avahiOwnerCall();

// Has `slot` (taking a QDBusMessage) of `receiver` called whenever the owner
// of Avahi's name changes; the connection goes with the receiver. Not a
// QDBusServiceWatcher: Qt keeps the bus's own name as watched from the
// start, so removing a watcher's match (at every exit) sent the bus a
// RemoveMatch for a rule never added, answered by MatchRuleNotFound (which
// Qt D-Bus builds that check the answer print on the console). This rule
// names no sender, so Qt has nothing of its own to undo.
void listenForAvahiOwner(QObject* receiver, const char* slot);
// The owner change `message` (given to that slot) is the bus's own word:
// the new owner, empty when Avahi's name went; nullopt for anything else.
std::optional<QString> avahiOwnerChange(const QDBusMessage& message);

// A method call to Avahi.
QDBusMessage avahiCall(const QString& path, const char* interface, const char* method);

// A TXT record on the bus (aay) and back.
QList<QByteArray> toDbusTxt(const std::vector<std::string>& items);
std::vector<std::string> fromDbusTxt(const QVariant& value);

// What the Join dialog says once when games cannot be listed because Avahi
// is not there, and when it failed otherwise (`error` names how).
QString unavailableText();
QString failedText(const QString& error);
// What the host's chat says once when his game cannot be announced.
QString notAnnouncedText(bool avahiAbsent, const QString& error);

} // namespace tc::discovery
