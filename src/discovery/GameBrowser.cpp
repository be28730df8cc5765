#include "discovery/GameBrowser.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QNetworkInterface>
#include <QTimer>
#include <algorithm>

#include "discovery/AvahiBus.h"
#include "discovery/GameTxt.h"

namespace tc::discovery {

namespace {

// Signals kept for objects whose path is not known yet; more are dropped,
// oldest first (the list then fills on the next change).
constexpr std::size_t kMaxEarlySignals = 64;

// Avahi before 0.7 has no Server2: its objects start at once.
bool noServer2(const QDBusMessage& error) {
    return error.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
           error.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface");
}

QString pathOf(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage) return {};
    return qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
}

} // namespace

GameBrowser::GameBrowser(QObject* parent) : QObject(parent) {}

GameBrowser::~GameBrowser() { stop(); }

int GameBrowser::resolverCount() const {
    int n = 0;
    for (const auto& [key, f] : follows_)
        if (f.preparing || !f.path.isEmpty()) ++n;
    return n;
}

void GameBrowser::setState(State s) {
    if (s == state_) return;
    state_ = s;
    emit stateChanged(s);
}

void GameBrowser::fail(const QDBusMessage& error) {
    absent_ = discovery::avahiAbsent(error);
    error_ = error.type() == QDBusMessage::ErrorMessage ? errorText(error)
                                                         : QStringLiteral("Avahi answered without an object");
    const bool had = !games_.rows().empty();
    stop();
    setState(State::Unavailable);
    if (had) emit gamesChanged();
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
                    if (!onError || !onError(reply)) fail(reply);
                    return;
                }
                then(reply);
            });
}

void GameBrowser::listenOnce() {
    if (listening_) return;
    listening_ = true;
    // No sender name (Qt would look its owner up, waiting for the bus) and
    // no path (a resolver's first signal may come before its path does):
    // onAvahiSignal checks both.
    QDBusConnection bus = avahiBus();
    const std::pair<const char*, const char*> wanted[] = {
        {kAvahiServiceBrowser, "ItemNew"}, {kAvahiServiceBrowser, "ItemRemove"}, {kAvahiServiceBrowser, "Failure"},
        {kAvahiServiceResolver, "Found"},  {kAvahiServiceResolver, "Failure"},
    };
    for (const auto& [interface, member] : wanted)
        bus.connect(QString(), QString(), QLatin1String(interface), QLatin1String(member), this,
                    SLOT(onAvahiSignal(QDBusMessage)));
}

void GameBrowser::start() {
    stop();
    ++run_;
    absent_ = false;
    error_.clear();
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
            absent_ = true;
            error_ = QStringLiteral("no system bus");
            setState(State::Unavailable);
            return;
        }
        listenOnce();
        if (!watching_) {
            // A daemon started (or restarted) while the list is open fills it.
            watching_ = true;
            listenForAvahiOwner(this, SLOT(onOwnerChanged(QDBusMessage)));
        }
        lookUpOwner();
    });
}

void GameBrowser::lookUpOwner() {
    whenDone(avahiBus().asyncCall(avahiOwnerCall()), [this](const QDBusMessage& reply) {
        owner_ = reply.arguments().value(0).toString();
        prepareBrowser(true);
    });
}

void GameBrowser::freeObject(const QString& path, const char* interface) {
    // No answer is awaited: the object goes whether or not we are here.
    avahiBus().send(avahiCall(path, interface, "Free"));
}

void GameBrowser::madeObject(const QString& path) {
    // Its signals that came before its path did, in their order.
    std::vector<QDBusMessage> mine;
    for (auto it = early_.begin(); it != early_.end();) {
        if (it->path() == path) {
            mine.push_back(*it);
            it = early_.erase(it);
        } else {
            ++it;
        }
    }
    const quint64 run = run_;
    for (const QDBusMessage& m : mine) {
        if (run != run_) return;
        onAvahiSignal(m);
    }
}

void GameBrowser::prepareBrowser(bool prepare) {
    QDBusMessage call = avahiCall(QStringLiteral("/"), prepare ? kAvahiServer2 : kAvahiServer,
                                  prepare ? "ServiceBrowserPrepare" : "ServiceBrowserNew");
    call << kAnyInterface << kAnyProtocol << QLatin1String(kServiceType) << QString() << 0u;
    ++preparing_;
    browserPreparing_ = true;
    auto* w = new QDBusPendingCallWatcher(avahiBus().asyncCall(call), this);
    const quint64 run = run_;
    connect(w, &QDBusPendingCallWatcher::finished, this, [this, run, prepare](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusMessage reply = w->reply();
        const QString path = pathOf(reply);
        if (run != run_) {
            if (!path.isEmpty()) freeObject(path, kAvahiServiceBrowser);
            return;
        }
        --preparing_;
        browserPreparing_ = false;
        if (path.isEmpty()) {
            if (prepare && noServer2(reply)) prepareBrowser(false);
            else fail(reply);
            return;
        }
        browser_ = path;
        madeObject(path);
        if (run != run_) return;
        if (preparing_ == 0) early_.clear();
        if (!prepare) {
            setState(State::Browsing);
            return;
        }
        whenDone(avahiBus().asyncCall(avahiCall(browser_, kAvahiServiceBrowser, "Start")),
                 [this](const QDBusMessage&) { setState(State::Browsing); });
    });
}

ServiceKey GameBrowser::keyOf(const QDBusMessage& message) {
    const QList<QVariant> a = message.arguments();
    return ServiceKey{a.value(0).toInt(), a.value(1).toInt(), a.value(2).toString().toStdString(),
                      a.value(4).toString().toStdString()};
}

void GameBrowser::onAvahiSignal(const QDBusMessage& message) {
    if (state_ == State::Off || owner_.isEmpty() || message.service() != owner_) return;
    const QString interface = message.interface();
    const QString member = message.member();
    if (interface == QLatin1String(kAvahiServiceBrowser)) {
        if (message.path() != browser_) {
            if (browserPreparing_) early_.push_back(message);
        } else if (member == QLatin1String("ItemNew")) {
            itemNew(message);
        } else if (member == QLatin1String("ItemRemove")) {
            itemRemove(message);
        } else if (member == QLatin1String("Failure")) {
            QDBusMessage error = QDBusMessage::createError(QStringLiteral("org.freedesktop.Avahi.Failure"),
                                                           message.arguments().value(0).toString());
            fail(error);
        }
    } else if (interface == QLatin1String(kAvahiServiceResolver)) {
        const auto it = paths_.find(message.path());
        if (it == paths_.end()) {
            if (preparing_ > 0) early_.push_back(message);
        } else if (member == QLatin1String("Found")) {
            found(message);
        } else if (member == QLatin1String("Failure")) {
            // A timeout or a lost record: this instance is asked again later.
            retryLater(ServiceKey(it->second));
        }
    }
    while (early_.size() > kMaxEarlySignals) early_.pop_front();
}

void GameBrowser::onOwnerChanged(const QDBusMessage& message) {
    if (state_ == State::Off || !avahiOwnerChange(message)) return;
    const bool had = !games_.rows().empty();
    start();
    if (had) emit gamesChanged();
}

void GameBrowser::itemNew(const QDBusMessage& message) {
    if (message.arguments().size() < 6) return;
    const ServiceKey key = keyOf(message);
    const auto it = follows_.find(key);
    // Removed ones whose resolver is still being made count too.
    if (it == follows_.end() && follows_.size() >= 2 * kMaxInstances) return;
    if (!games_.add(key)) return;
    if (it != follows_.end()) {
        // Removed and back while its resolver is under way (or waiting to
        // be tried again): that one serves.
        it->second.wanted = true;
        if (it->second.preparing || !it->second.path.isEmpty()) return;
    }
    follows_[key].type = message.arguments().value(3).toString();
    resolve(key, true);
}

void GameBrowser::resolve(const ServiceKey& key, bool prepare) {
    Follow& f = follows_[key];
    f.preparing = true;
    f.wanted = true;
    f.ticket = ++tickets_;
    const quint64 ticket = f.ticket;
    QDBusMessage call = avahiCall(QStringLiteral("/"), prepare ? kAvahiServer2 : kAvahiServer,
                                  prepare ? "ServiceResolverPrepare" : "ServiceResolverNew");
    // The address in the protocol the instance was seen on.
    call << key.interfaceIndex << key.protocol << QString::fromStdString(key.name) << f.type
         << QString::fromStdString(key.domain) << key.protocol << 0u;
    ++preparing_;
    auto* w = new QDBusPendingCallWatcher(avahiBus().asyncCall(call), this);
    const quint64 run = run_;
    connect(w, &QDBusPendingCallWatcher::finished, this, [this, run, key, ticket, prepare](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusMessage reply = w->reply();
        const QString path = pathOf(reply);
        if (run != run_) {
            if (!path.isEmpty()) freeObject(path, kAvahiServiceResolver);
            return;
        }
        --preparing_;
        const auto it = follows_.find(key);
        if (it == follows_.end() || it->second.ticket != ticket) {
            if (!path.isEmpty()) freeObject(path, kAvahiServiceResolver);
        } else if (!it->second.wanted) {
            // Removed meanwhile and not back.
            if (!path.isEmpty()) freeObject(path, kAvahiServiceResolver);
            follows_.erase(it);
        } else if (path.isEmpty()) {
            it->second.preparing = false;
            if (prepare && noServer2(reply)) resolve(key, false);
            else retryLater(key);  // one instance that cannot be resolved costs only itself
        } else {
            it->second.preparing = false;
            it->second.path = path;
            paths_[path] = key;
            madeObject(path);
            const auto now = follows_.find(key);
            if (prepare && run == run_ && now != follows_.end() && now->second.path == path) {
                whenDone(avahiBus().asyncCall(avahiCall(path, kAvahiServiceResolver, "Start")),
                         [](const QDBusMessage&) {},
                         [this, key, path](const QDBusMessage&) {
                             const auto f = follows_.find(key);
                             if (f != follows_.end() && f->second.path == path) retryLater(key);
                             return true;
                         });
            }
        }
        if (run == run_ && preparing_ == 0) early_.clear();
    });
}

void GameBrowser::retryLater(const ServiceKey& key) {
    const auto it = follows_.find(key);
    if (it == follows_.end()) return;
    Follow& f = it->second;
    if (!f.path.isEmpty()) {
        paths_.erase(f.path);
        freeObject(f.path, kAvahiServiceResolver);
        f.path.clear();
    }
    f.preparing = false;
    const int delay = std::min(kMaxRetryMs, kFirstRetryMs << std::min(f.failures, 5));
    ++f.failures;
    f.ticket = ++tickets_;
    const quint64 ticket = f.ticket;
    const quint64 run = run_;
    QTimer::singleShot(delay, this, [this, key, ticket, run] {
        if (run != run_) return;
        const auto again = follows_.find(key);
        if (again == follows_.end() || again->second.ticket != ticket || !games_.contains(key)) return;
        resolve(key, true);
    });
}

void GameBrowser::forget(const ServiceKey& key) {
    if (games_.remove(key)) emit gamesChanged();
    const auto it = follows_.find(key);
    if (it == follows_.end()) return;
    if (it->second.preparing) {
        // Its reply frees it, unless the instance is back by then.
        it->second.wanted = false;
        return;
    }
    if (!it->second.path.isEmpty()) {
        paths_.erase(it->second.path);
        freeObject(it->second.path, kAvahiServiceResolver);
    }
    follows_.erase(it);
}

void GameBrowser::itemRemove(const QDBusMessage& message) {
    if (message.arguments().size() < 6) return;
    forget(keyOf(message));
}

void GameBrowser::found(const QDBusMessage& message) {
    const auto it = paths_.find(message.path());
    const QList<QVariant> a = message.arguments();
    if (it == paths_.end() || a.size() < 10) return;
    const ServiceKey key = it->second;
    if (const auto f = follows_.find(key); f != follows_.end()) f->second.failures = 0;
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
    if (games_.resolved(key, where)) emit gamesChanged();
}

void GameBrowser::stop() {
    ++run_;
    if (!browser_.isEmpty()) freeObject(browser_, kAvahiServiceBrowser);
    browser_.clear();
    browserPreparing_ = false;
    for (const auto& [path, key] : paths_) freeObject(path, kAvahiServiceResolver);
    paths_.clear();
    follows_.clear();
    early_.clear();
    preparing_ = 0;
    games_.clear();
    setState(State::Off);
}

} // namespace tc::discovery
