#include "discovery/Announcer.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>

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

void Announcer::fail(const QDBusMessage& error) {
    absent_ = discovery::avahiAbsent(error);
    error_ = absent_ ? QStringLiteral("Avahi is not running") : errorText(error);
    freeGroup();
    setState(State::Unavailable);
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
                    fail(reply);
                    return;
                }
                then(reply);
            });
}

void Announcer::start(const QString& name, quint16 port, const GameAnnouncement& game, int interfaceIndex,
                      int protocol) {
    stop();
    ++run_;
    wanted_ = QString::fromStdString(serviceNameFor(name.toStdString()));
    name_ = wanted_;
    port_ = port;
    interface_ = interfaceIndex;
    protocol_ = protocol;
    txt_ = buildTxt(game);
    alternatives_ = 0;
    groupsMade_ = 0;
    error_.clear();
    absent_ = false;
    if (!systemBusPresent()) {
        // No bus socket at all (a file test, no call): said at once.
        absent_ = true;
        error_ = QStringLiteral("no system bus");
        setState(State::Unavailable);
        return;
    }
    setState(State::Starting);
    const quint64 run = run_;
    whenBusReady(this, [this, run](bool connected) {
        if (run != run_) return;
        if (!connected) {
            error_ = QStringLiteral("no system bus");
            absent_ = true;
            setState(State::Unavailable);
            return;
        }
        if (!listening_) {
            listening_ = true;
            // No sender name: Qt would look its owner up, waiting for the
            // bus. onAvahiSignal checks the sender and the path.
            QDBusConnection bus = avahiBus();
            bus.connect(QString(), QStringLiteral("/"), QLatin1String(kAvahiServer), QStringLiteral("StateChanged"),
                        this, SLOT(onAvahiSignal(QDBusMessage)));
            bus.connect(QString(), QString(), QLatin1String(kAvahiEntryGroup), QStringLiteral("StateChanged"), this,
                        SLOT(onAvahiSignal(QDBusMessage)));
            // A daemon that starts (or restarts) later gets the game announced.
            listenForAvahiOwner(this, SLOT(onOwnerChanged(QDBusMessage)));
        }
        begin();
    });
}

void Announcer::begin() {
    creating_ = false;
    whenDone(avahiBus().asyncCall(avahiOwnerCall()), [this](const QDBusMessage& reply) {
        owner_ = reply.arguments().value(0).toString();
        askServerState();
    });
}

void Announcer::onOwnerChanged(const QDBusMessage& message) {
    const std::optional<QString> owner = avahiOwnerChange(message);
    // Only a daemon that took the name: one that went takes its records along.
    if (!owner || owner->isEmpty() || state_ == State::Off || port_ == 0) return;
    freeGroup();
    ++run_;
    error_.clear();
    absent_ = false;
    setState(State::Starting);
    begin();
}

void Announcer::onAvahiSignal(const QDBusMessage& message) {
    if (owner_.isEmpty() || message.service() != owner_) return;
    const QList<QVariant> a = message.arguments();
    if (message.interface() == QLatin1String(kAvahiServer)) {
        onServerStateChanged(a.value(0).toInt());
    } else if (message.interface() == QLatin1String(kAvahiEntryGroup) && !group_.isEmpty() &&
               message.path() == group_) {
        onGroupStateChanged(a.value(0).toInt(), a.value(1).toString());
    }
}

void Announcer::askServerState() {
    whenDone(avahiBus().asyncCall(avahiCall(QStringLiteral("/"), kAvahiServer, "GetState")),
             [this](const QDBusMessage& reply) {
                 // Not running yet (still probing its host name): the
                 // server's state signal brings us back.
                 if (reply.arguments().value(0).toInt() == kServerRunning) createGroup();
             });
}

void Announcer::onServerStateChanged(int state) {
    if (state_ == State::Off || state_ == State::Unavailable) return;
    if (state == kServerRunning && state_ == State::Starting) {
        createGroup();
    } else if (state != kServerRunning && (!group_.isEmpty() || creating_)) {
        // The daemon dropped its records (its host name clashed, say):
        // register again once it runs.
        freeGroup();
        ++run_;
        creating_ = false;
        setState(State::Starting);
    }
}

void Announcer::createGroup() {
    // Both the state signal and GetState's answer may say "running".
    if (!group_.isEmpty() || creating_) return;
    creating_ = true;
    auto* w = new QDBusPendingCallWatcher(
        avahiBus().asyncCall(avahiCall(QStringLiteral("/"), kAvahiServer, "EntryGroupNew")), this);
    const quint64 run = run_;
    connect(w, &QDBusPendingCallWatcher::finished, this, [this, run](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusMessage reply = w->reply();
        const QString path = reply.type() == QDBusMessage::ReplyMessage
                                 ? qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path()
                                 : QString();
        if (run != run_) {
            // Made for an announcement that is over: not left behind.
            if (!path.isEmpty()) avahiBus().send(avahiCall(path, kAvahiEntryGroup, "Free"));
            return;
        }
        creating_ = false;
        if (reply.type() == QDBusMessage::ErrorMessage) {
            fail(reply);
            return;
        }
        if (path.isEmpty()) {
            error_ = QStringLiteral("Avahi answered without an entry group");
            setState(State::Unavailable);
            return;
        }
        group_ = path;
        ++groupsMade_;
        addService();
    });
}

void Announcer::addService() {
    QDBusMessage add = avahiCall(group_, kAvahiEntryGroup, "AddService");
    add << interface_ << protocol_ << 0u << name_ << QLatin1String(kServiceType) << QString() << QString()
        << QVariant::fromValue(port_) << QVariant::fromValue(toDbusTxt(txt_));
    txtInGroup_ = txt_;
    whenDone(
        avahiBus().asyncCall(add),
        [this](const QDBusMessage&) {
            setState(State::Registering);
            whenDone(avahiBus().asyncCall(avahiCall(group_, kAvahiEntryGroup, "Commit")),
                     [this](const QDBusMessage&) {
                         added_ = true;
                         // A change that came while the service was being
                         // added is not in the group yet.
                         sendTxt();
                     });
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
    sendTxt();
}

void Announcer::sendTxt() {
    // Before the service is in the group and committed, the Commit's
    // answer sends what changed meanwhile.
    if (!added_ || group_.isEmpty() || txtInGroup_ == txt_) return;
    txtInGroup_ = txt_;
    QDBusMessage msg = avahiCall(group_, kAvahiEntryGroup, "UpdateServiceTxt");
    msg << interface_ << protocol_ << 0u << name_ << QLatin1String(kServiceType) << QString()
        << QVariant::fromValue(toDbusTxt(txt_));
    whenDone(avahiBus().asyncCall(msg), [](const QDBusMessage&) {});
}

void Announcer::freeGroup() {
    if (group_.isEmpty()) return;
    QDBusConnection bus = avahiBus();
    // No answer is awaited: the service goes whether or not we are still here.
    bus.send(avahiCall(group_, kAvahiEntryGroup, "Free"));
    group_.clear();
    added_ = false;
}

void Announcer::stop() {
    ++run_;
    creating_ = false;
    freeGroup();
    port_ = 0;
    setState(State::Off);
}

} // namespace tc::discovery
