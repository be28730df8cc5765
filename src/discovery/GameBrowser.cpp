#include "discovery/GameBrowser.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QNetworkInterface>

#include "discovery/AvahiBus.h"
#include "discovery/GameTxt.h"

namespace tc::discovery {

GameBrowser::GameBrowser(QObject* parent) : QObject(parent) {}

GameBrowser::~GameBrowser() { stop(); }

void GameBrowser::setState(State s) {
    if (s == state_) return;
    state_ = s;
    emit stateChanged(s);
}

void GameBrowser::whenDone(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> then,
                           std::function<bool(const QDBusMessage&)> onError) {
    auto* w = new QDBusPendingCallWatcher(call, this);
    const quint64 run = run_;
    connect(w, &QDBusPendingCallWatcher::finished, this,
            [this, run, then = std::move(then), onError = std::move(onError)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (run != run_) return;
                const QDBusMessage reply = w->reply();
                if (reply.type() == QDBusMessage::ErrorMessage) {
                    if (!onError || !onError(reply)) setState(State::Unavailable);
                    return;
                }
                then(reply);
            });
}

void GameBrowser::listen(const QString& path, const char* interface, const char* signal, const char* slot,
                         bool on) {
    QDBusConnection bus = avahiBus();
    if (on)
        bus.connect(QLatin1String(kAvahiService), path, QLatin1String(interface), QLatin1String(signal), this, slot);
    else
        bus.disconnect(QLatin1String(kAvahiService), path, QLatin1String(interface), QLatin1String(signal), this,
                       slot);
}

void GameBrowser::start() {
    stop();
    ++run_;
    if (!systemBusPresent() || !avahiBus().isConnected()) {
        setState(State::Unavailable);
        return;
    }
    setState(State::Starting);
    if (!watcher_) {
        // A daemon started (or restarted) while the list is open fills it.
        watcher_ = new QDBusServiceWatcher(QLatin1String(kAvahiService), avahiBus(),
                                           QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString&, const QString&, const QString& newOwner) {
                    if (state_ == State::Off) return;
                    const bool had = !games_.rows().empty();
                    start();
                    if (newOwner.isEmpty()) setState(State::Unavailable);
                    if (had) emit gamesChanged();
                });
    }
    prepareBrowser(true);
}

namespace {

// Avahi before 0.7 has no Server2: its objects start at once, and a signal
// or two may come before we listen; the list then fills on the next change.
bool noServer2(const QDBusMessage& error) {
    return error.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
           error.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface");
}

} // namespace

void GameBrowser::prepareBrowser(bool prepare) {
    // Prepare, listen, then Start: no signal of the browser can come
    // before we listen for it.
    QDBusMessage call = avahiCall(QStringLiteral("/"), prepare ? kAvahiServer2 : kAvahiServer,
                                  prepare ? "ServiceBrowserPrepare" : "ServiceBrowserNew");
    call << kAnyInterface << kAnyProtocol << QLatin1String(kServiceType) << QString() << 0u;
    whenDone(
        avahiBus().asyncCall(call),
        [this, prepare](const QDBusMessage& reply) {
            browser_ = qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
            if (browser_.isEmpty()) {
                setState(State::Unavailable);
                return;
            }
            listen(browser_, kAvahiServiceBrowser, "ItemNew", SLOT(onItemNew(QDBusMessage)), true);
            listen(browser_, kAvahiServiceBrowser, "ItemRemove", SLOT(onItemRemove(QDBusMessage)), true);
            listen(browser_, kAvahiServiceBrowser, "Failure", SLOT(onBrowserFailure(QDBusMessage)), true);
            if (!prepare) {
                setState(State::Browsing);
                return;
            }
            whenDone(avahiBus().asyncCall(avahiCall(browser_, kAvahiServiceBrowser, "Start")),
                     [this](const QDBusMessage&) { setState(State::Browsing); });
        },
        [this, prepare](const QDBusMessage& error) {
            if (!prepare || !noServer2(error)) return false;
            prepareBrowser(false);
            return true;
        });
}

ServiceKey GameBrowser::keyOf(const QDBusMessage& message) {
    const QList<QVariant> a = message.arguments();
    return ServiceKey{a.value(0).toInt(), a.value(1).toInt(), a.value(2).toString().toStdString(),
                      a.value(4).toString().toStdString()};
}

void GameBrowser::onItemNew(const QDBusMessage& message) {
    if (message.path() != browser_ || message.arguments().size() < 6) return;
    const ServiceKey key = keyOf(message);
    if (!games_.add(key)) return;
    const QList<QVariant> a = message.arguments();
    resolve(key, a.value(3).toString(), true);
}

void GameBrowser::resolve(const ServiceKey& key, const QString& type, bool prepare) {
    QDBusMessage call = avahiCall(QStringLiteral("/"), prepare ? kAvahiServer2 : kAvahiServer,
                                  prepare ? "ServiceResolverPrepare" : "ServiceResolverNew");
    // The address in the protocol the instance was seen on.
    call << key.interfaceIndex << key.protocol << QString::fromStdString(key.name) << type
         << QString::fromStdString(key.domain) << key.protocol << 0u;
    whenDone(
        avahiBus().asyncCall(call),
        [this, key, prepare](const QDBusMessage& reply) {
            const QString path = qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
            if (path.isEmpty()) {
                games_.remove(key);
                return;
            }
            if (!games_.contains(key)) {
                // Gone before its resolver was ready.
                avahiBus().send(avahiCall(path, kAvahiServiceResolver, "Free"));
                return;
            }
            resolvers_.insert(path, key);
            listen(path, kAvahiServiceResolver, "Found", SLOT(onFound(QDBusMessage)), true);
            listen(path, kAvahiServiceResolver, "Failure", SLOT(onResolverFailure(QDBusMessage)), true);
            if (!prepare) return;
            whenDone(avahiBus().asyncCall(avahiCall(path, kAvahiServiceResolver, "Start")),
                     [](const QDBusMessage&) {}, [this, key](const QDBusMessage&) {
                         dropResolver(key);
                         return true;
                     });
        },
        [this, key, type, prepare](const QDBusMessage& error) {
            if (prepare && noServer2(error)) resolve(key, type, false);
            // One instance that cannot be resolved costs only itself.
            else games_.remove(key);
            return true;
        });
}

void GameBrowser::dropResolver(const ServiceKey& key) {
    for (auto it = resolvers_.begin(); it != resolvers_.end(); ++it) {
        if (!(it.value() == key)) continue;
        const QString path = it.key();
        resolvers_.erase(it);
        listen(path, kAvahiServiceResolver, "Found", SLOT(onFound(QDBusMessage)), false);
        listen(path, kAvahiServiceResolver, "Failure", SLOT(onResolverFailure(QDBusMessage)), false);
        avahiBus().send(avahiCall(path, kAvahiServiceResolver, "Free"));
        break;
    }
    if (games_.remove(key)) emit gamesChanged();
}

void GameBrowser::onItemRemove(const QDBusMessage& message) {
    if (message.path() != browser_ || message.arguments().size() < 6) return;
    dropResolver(keyOf(message));
}

void GameBrowser::onBrowserFailure(const QDBusMessage& message) {
    if (message.path() != browser_) return;
    const bool had = !games_.rows().empty();
    stop();
    setState(State::Unavailable);
    if (had) emit gamesChanged();
}

void GameBrowser::onFound(const QDBusMessage& message) {
    const auto it = resolvers_.constFind(message.path());
    const QList<QVariant> a = message.arguments();
    if (it == resolvers_.constEnd() || a.size() < 10) return;
    Resolved where;
    const int aprotocol = a.value(6).toInt();
    QString address = a.value(7).toString();
    where.ipv6 = aprotocol == kProtocolInet6;
    // A link-local IPv6 address means nothing without its interface.
    if (where.ipv6 && address.startsWith(QLatin1String("fe80:"), Qt::CaseInsensitive) && !address.contains('%')) {
        const QString iface = QNetworkInterface::interfaceNameFromIndex(a.value(0).toInt());
        if (!iface.isEmpty()) address += QLatin1Char('%') + iface;
    }
    where.address = address.toStdString();
    where.port = static_cast<std::uint16_t>(a.value(8).toUInt());
    where.txt = fromDbusTxt(a.value(9));
    if (games_.resolved(it.value(), where)) emit gamesChanged();
}

void GameBrowser::onResolverFailure(const QDBusMessage& message) {
    const auto it = resolvers_.constFind(message.path());
    if (it == resolvers_.constEnd()) return;
    dropResolver(it.value());
}

void GameBrowser::stop() {
    ++run_;
    if (!browser_.isEmpty()) {
        listen(browser_, kAvahiServiceBrowser, "ItemNew", SLOT(onItemNew(QDBusMessage)), false);
        listen(browser_, kAvahiServiceBrowser, "ItemRemove", SLOT(onItemRemove(QDBusMessage)), false);
        listen(browser_, kAvahiServiceBrowser, "Failure", SLOT(onBrowserFailure(QDBusMessage)), false);
        avahiBus().send(avahiCall(browser_, kAvahiServiceBrowser, "Free"));
        browser_.clear();
    }
    const auto paths = resolvers_.keys();
    for (const QString& path : paths) {
        listen(path, kAvahiServiceResolver, "Found", SLOT(onFound(QDBusMessage)), false);
        listen(path, kAvahiServiceResolver, "Failure", SLOT(onResolverFailure(QDBusMessage)), false);
        avahiBus().send(avahiCall(path, kAvahiServiceResolver, "Free"));
    }
    resolvers_.clear();
    games_.clear();
    setState(State::Off);
}

} // namespace tc::discovery
