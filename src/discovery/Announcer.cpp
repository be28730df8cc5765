#include "discovery/Announcer.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

#include "discovery/AvahiBus.h"
#include "discovery/ServiceName.h"

namespace tc::discovery {

namespace {
// Avahi's entry group states.
constexpr int kGroupEstablished = 2;
constexpr int kGroupCollision = 3;
constexpr int kGroupFailure = 4;
// Names tried after a clash before giving up ("Ann #2" .. "Ann #N").
constexpr int kMaxAlternatives = 12;
}

Announcer::Announcer(QObject* parent) : QObject(parent) {}

Announcer::~Announcer() { stop(); }

void Announcer::setState(State s) {
    if (s == state_) return;
    state_ = s;
    emit stateChanged(s);
}

void Announcer::whenDone(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> then,
                         std::function<bool(const QDBusMessage&)> onError) {
    auto* w = new QDBusPendingCallWatcher(call, this);
    const quint64 run = run_;
    connect(w, &QDBusPendingCallWatcher::finished, this,
            [this, run, then = std::move(then), onError = std::move(onError)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (run != run_) return;
                const QDBusMessage reply = w->reply();
                if (reply.type() == QDBusMessage::ErrorMessage) {
                    if (onError && onError(reply)) return;
                    error_ = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
                    freeGroup();
                    setState(State::Unavailable);
                    return;
                }
                then(reply);
            });
}

void Announcer::start(const QString& name, quint16 port, const GameAnnouncement& game) {
    stop();
    ++run_;
    wanted_ = QString::fromStdString(serviceNameFor(name.toStdString()));
    name_ = wanted_;
    port_ = port;
    txt_ = buildTxt(game);
    alternatives_ = 0;
    error_.clear();
    if (!systemBusPresent() || !avahiBus().isConnected()) {
        error_ = QStringLiteral("no system bus");
        setState(State::Unavailable);
        return;
    }
    setState(State::Starting);
    QDBusConnection bus = avahiBus();
    if (!serverSignal_) {
        serverSignal_ = bus.connect(QLatin1String(kAvahiService), QStringLiteral("/"), QLatin1String(kAvahiServer),
                                    QStringLiteral("StateChanged"), this,
                                    SLOT(onServerStateChanged(int, QString)));
    }
    if (!watcher_) {
        // A daemon that starts (or restarts) later gets the game announced.
        watcher_ = new QDBusServiceWatcher(QLatin1String(kAvahiService), bus,
                                           QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
            if (state_ == State::Off || port_ == 0) return;
            freeGroup();
            ++run_;
            setState(State::Starting);
            askServerState();
        });
    }
    askServerState();
}

void Announcer::askServerState() {
    whenDone(avahiBus().asyncCall(avahiCall(QStringLiteral("/"), kAvahiServer, "GetState")),
             [this](const QDBusMessage& reply) {
                 // Not running yet (still probing its host name): the
                 // server's state signal brings us back.
                 if (reply.arguments().value(0).toInt() == kServerRunning) createGroup();
             });
}

void Announcer::onServerStateChanged(int state, const QString&) {
    if (state_ == State::Off || state_ == State::Unavailable) return;
    if (state == kServerRunning && group_.isEmpty() && state_ == State::Starting) {
        createGroup();
    } else if (state != kServerRunning && !group_.isEmpty()) {
        // The daemon dropped its records (its host name clashed, say):
        // register again once it runs.
        freeGroup();
        ++run_;
        setState(State::Starting);
    }
}

void Announcer::createGroup() {
    if (!group_.isEmpty()) return;
    whenDone(avahiBus().asyncCall(avahiCall(QStringLiteral("/"), kAvahiServer, "EntryGroupNew")),
             [this](const QDBusMessage& reply) {
                 group_ = qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
                 if (group_.isEmpty()) {
                     setState(State::Unavailable);
                     return;
                 }
                 avahiBus().connect(QLatin1String(kAvahiService), group_, QLatin1String(kAvahiEntryGroup),
                                    QStringLiteral("StateChanged"), this, SLOT(onGroupStateChanged(int, QString)));
                 addService();
             });
}

void Announcer::addService() {
    QDBusMessage add = avahiCall(group_, kAvahiEntryGroup, "AddService");
    add << kAnyInterface << kAnyProtocol << 0u << name_ << QLatin1String(kServiceType) << QString() << QString()
        << QVariant::fromValue(port_) << QVariant::fromValue(toDbusTxt(txt_));
    whenDone(
        avahiBus().asyncCall(add),
        [this](const QDBusMessage&) {
            added_ = true;
            setState(State::Registering);
            whenDone(avahiBus().asyncCall(avahiCall(group_, kAvahiEntryGroup, "Commit")),
                     [](const QDBusMessage&) {});
        },
        [this](const QDBusMessage& error) {
            // Another program on this machine already has the name.
            if (error.errorName() != QLatin1String("org.freedesktop.Avahi.CollisionError")) return false;
            takeAlternativeName();
            return true;
        });
}

void Announcer::takeAlternativeName() {
    if (++alternatives_ > kMaxAlternatives) {
        error_ = QStringLiteral("no free name");
        freeGroup();
        setState(State::Unavailable);
        return;
    }
    QDBusMessage alt = avahiCall(QStringLiteral("/"), kAvahiServer, "GetAlternativeServiceName");
    alt << name_;
    whenDone(avahiBus().asyncCall(alt), [this](const QDBusMessage& reply) {
        name_ = reply.arguments().value(0).toString();
        added_ = false;
        whenDone(avahiBus().asyncCall(avahiCall(group_, kAvahiEntryGroup, "Reset")),
                 [this](const QDBusMessage&) { addService(); });
    });
}

void Announcer::onGroupStateChanged(int state, const QString& error) {
    if (group_.isEmpty()) return;
    switch (state) {
    case kGroupEstablished:
        setState(State::Established);
        break;
    case kGroupCollision:
        // Someone on the network has the name: pick Avahi's next one.
        setState(State::Registering);
        takeAlternativeName();
        break;
    case kGroupFailure:
        error_ = error;
        freeGroup();
        setState(State::Unavailable);
        break;
    default:
        break;
    }
}

void Announcer::update(const GameAnnouncement& game) {
    std::vector<std::string> txt = buildTxt(game);
    if (txt == txt_) return;
    txt_ = std::move(txt);
    // Before the service is in the group, addService takes the new record.
    if (!added_ || group_.isEmpty()) return;
    QDBusMessage msg = avahiCall(group_, kAvahiEntryGroup, "UpdateServiceTxt");
    msg << kAnyInterface << kAnyProtocol << 0u << name_ << QLatin1String(kServiceType) << QString()
        << QVariant::fromValue(toDbusTxt(txt_));
    whenDone(avahiBus().asyncCall(msg), [](const QDBusMessage&) {});
}

void Announcer::freeGroup() {
    if (group_.isEmpty()) return;
    QDBusConnection bus = avahiBus();
    bus.disconnect(QLatin1String(kAvahiService), group_, QLatin1String(kAvahiEntryGroup),
                   QStringLiteral("StateChanged"), this, SLOT(onGroupStateChanged(int, QString)));
    // No answer is awaited: the service goes whether or not we are still here.
    bus.send(avahiCall(group_, kAvahiEntryGroup, "Free"));
    group_.clear();
    added_ = false;
}

void Announcer::stop() {
    ++run_;
    freeGroup();
    port_ = 0;
    setState(State::Off);
}

} // namespace tc::discovery
