#pragma once
// A stand-in for Avahi on the namespace's bus (a run without the daemon):
// it owns org.freedesktop.Avahi on a connection of its own and answers
// what the browser and the announcer ask, as the test scripts it, so that
// the orders real daemons produce only sometimes can be made every time.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace tc::discovery::test {

class FakeAvahi : public QDBusVirtualObject {
public:
    static constexpr const char* kConnection = "tilecrest-fake-avahi";

    FakeAvahi() : bus_(QDBusConnection::connectToBus(QDBusConnection::SystemBus, QLatin1String(kConnection))) {
        qDBusRegisterMetaType<QList<QByteArray>>();
        bus_.registerVirtualObject(QStringLiteral("/"), this, QDBusConnection::SubPath);
    }
    ~FakeAvahi() override {
        bus_.unregisterService(QStringLiteral("org.freedesktop.Avahi"));
        bus_.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(QLatin1String(kConnection));
    }
    bool own() { return bus_.isConnected() && bus_.registerService(QStringLiteral("org.freedesktop.Avahi")); }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
        const QString what = m.member() + QLatin1Char(' ') + m.path();
        calls << what;
        if (answer && answer(m)) return true;
        if (m.member() == QLatin1String("GetState")) {
            reply(m, QVariant::fromValue(2));
        } else if (m.member().endsWith(QLatin1String("Prepare")) || m.member() == QLatin1String("EntryGroupNew")) {
            const QString kind = m.member() == QLatin1String("EntryGroupNew") ? QStringLiteral("EntryGroup")
                                                                               : m.member().chopped(7);
            reply(m, QVariant::fromValue(QDBusObjectPath(QStringLiteral("/Client1/%1%2").arg(kind).arg(++made_))));
        } else if (m.member() == QLatin1String("Commit")) {
            reply(m);
            signal(m.path(), "org.freedesktop.Avahi.EntryGroup", "StateChanged", {2, QString()});
        } else {
            reply(m);
        }
        return true;
    }

    void reply(const QDBusMessage& m, const QVariant& value = {}) {
        bus_.send(value.isValid() ? m.createReply(value) : m.createReply());
    }
    void error(const QDBusMessage& m, const QString& name, const QString& text) {
        bus_.send(m.createErrorReply(name, text));
    }
    void signal(const QString& path, const char* interface, const char* member, const QList<QVariant>& args) {
        QDBusMessage s = QDBusMessage::createSignal(path, QLatin1String(interface), QLatin1String(member));
        s.setArguments(args);
        bus_.send(s);
    }
    // A browser's ItemNew / ItemRemove for instance `name` on interface 2, IPv4.
    static QList<QVariant> item(const QString& name) {
        return {2, 0, name, QStringLiteral("_tilecrest._tcp"), QStringLiteral("local"), 0u};
    }
    // A resolver's Found for `name` at 10.9.8.7:port.
    static QList<QVariant> found(const QString& name, quint16 port) {
        const QList<QByteArray> txt{"txtvers=1", "players=1", "free=5", "game=waiting"};
        return {2, 0, name, QStringLiteral("_tilecrest._tcp"), QStringLiteral("local"), QStringLiteral("host.local"), 0,
                QStringLiteral("10.9.8.7"), QVariant::fromValue(port), QVariant::fromValue(txt), 0u};
    }
    int count(const QString& prefix) const {
        int n = 0;
        for (const QString& c : calls)
            if (c.startsWith(prefix)) ++n;
        return n;
    }

    // Returns true when it has answered (or keeps the message to answer
    // later); otherwise the default answer goes.
    std::function<bool(const QDBusMessage&)> answer;
    QStringList calls;  // "Member /path", in order

private:
    QDBusConnection bus_;
    int made_ = 0;
};

} // namespace tc::discovery::test
