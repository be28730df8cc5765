#pragma once
// Announces a hosted game on the local network: one DNS-SD service of type
// "_tilecrest._tcp" in an Avahi entry group, its TXT record kept up to
// date. When another machine holds the name, Avahi's alternative ("Ann #2")
// is taken. Without a system bus or an Avahi daemon, or when Avahi refuses
// the registration, the state is Unavailable and nothing else happens: the
// game goes on unannounced and nothing is printed.
//
// Every call is asynchronous. stop() and the destructor withdraw the
// service; Avahi also withdraws it when the program's bus connection ends.
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <string>
#include <vector>

#include "discovery/GameTxt.h"

class QDBusMessage;
class QDBusPendingCall;
class QDBusServiceWatcher;

namespace tc::discovery {

class Announcer : public QObject {
    Q_OBJECT
public:
    enum class State { Off, Starting, Registering, Established, Unavailable };
    Q_ENUM(State)

    explicit Announcer(QObject* parent = nullptr);
    ~Announcer() override;

    // Announces `name` (cleaned by serviceNameFor) on `port`; replaces what
    // was announced before.
    void start(const QString& name, quint16 port, const GameAnnouncement& game);
    // New seat counts or game state; sent only when the record changes.
    void update(const GameAnnouncement& game);
    void stop();

    State state() const { return state_; }
    // The name announced (after any alternative was taken).
    QString name() const { return name_; }
    // Why it is Unavailable, for a log: Avahi's error text, or "no system bus".
    QString error() const { return error_; }

signals:
    void stateChanged(tc::discovery::Announcer::State state);

private slots:
    void onGroupStateChanged(int state, const QString& error);
    void onServerStateChanged(int state, const QString& error);

private:
    void setState(State s);
    void askServerState();
    void createGroup();
    void addService();
    void takeAlternativeName();
    void freeGroup();
    // Runs `then` with the reply's message when `call` succeeds and still
    // belongs to the current announcement; an error makes it Unavailable.
    void whenDone(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> then,
                  std::function<bool(const QDBusMessage&)> onError = {});

    State state_ = State::Off;
    quint64 run_ = 0;  // bumps on start and stop; stale replies are dropped
    QString wanted_;   // the name asked for
    QString name_;     // the name in the group
    quint16 port_ = 0;
    std::vector<std::string> txt_;
    QString error_;
    QString group_;    // the entry group's object path, empty when none
    bool added_ = false;
    int alternatives_ = 0;
    bool serverSignal_ = false;
    QDBusServiceWatcher* watcher_ = nullptr;
};

} // namespace tc::discovery
