#pragma once
// Announces a hosted game on the local network: one DNS-SD service of type
// "_tilecrest._tcp" in an Avahi entry group, its TXT record kept up to
// date. When another machine holds the name, Avahi's alternative ("Ann #2")
// is taken. Without a system bus or an Avahi daemon, or when Avahi refuses
// the registration, the state is Unavailable and nothing else happens: the
// game goes on unannounced and nothing is printed. A daemon that starts
// later gets the game announced.
//
// Every call is asynchronous, and nothing waits on the bus in the calling
// thread (see AvahiBus.h). One entry group at most: Avahi's "running" may
// come both as its state signal and as the answer to GetState. stop() and
// the destructor withdraw the service; Avahi also withdraws it when the
// program's bus connection ends.
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <string>
#include <vector>

#include "discovery/GameTxt.h"

class QDBusMessage;
class QDBusPendingCall;

namespace tc::discovery {

class Announcer : public QObject {
    Q_OBJECT
public:
    enum class State { Off, Starting, Registering, Established, Unavailable };
    Q_ENUM(State)

    explicit Announcer(QObject* parent = nullptr);
    ~Announcer() override;

    // Announces `name` (cleaned by serviceNameFor) on `port`; replaces what
    // was announced before. `interfaceIndex` and `protocol` (Avahi's
    // numbers, -1 for all) limit where: a server bound to one address is
    // announced only on that address's interface and protocol.
    void start(const QString& name, quint16 port, const GameAnnouncement& game, int interfaceIndex = -1,
               int protocol = -1);
    // New seat counts or game state; sent only when the record changes.
    void update(const GameAnnouncement& game);
    void stop();

    State state() const { return state_; }
    // The name announced (after any alternative was taken).
    QString name() const { return name_; }
    // Why it is Unavailable, for a log: "no system bus", "Avahi is not
    // running", or the error as D-Bus or Avahi named it.
    QString error() const { return error_; }
    // Unavailable because there is no bus or no Avahi daemon on it.
    bool avahiAbsent() const { return absent_; }
    // Entry groups made and not freed (one at most), for tests.
    int groupCount() const { return group_.isEmpty() ? 0 : 1; }
    int groupsMade() const { return groupsMade_; }

signals:
    void stateChanged(tc::discovery::Announcer::State state);

private slots:
    void onAvahiSignal(const QDBusMessage& message);
    void onOwnerChanged(const QDBusMessage& message);

private:
    void setState(State s);
    void fail(const QDBusMessage& error);
    void begin();
    void onGroupStateChanged(int state, const QString& error);
    void onServerStateChanged(int state);
    void askServerState();
    void createGroup();
    void addService();
    void takeAlternativeName();
    void sendTxt();
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
    std::vector<std::string> txtInGroup_;  // the record last sent to the group
    int interface_ = -1;
    int protocol_ = -1;
    QString error_;
    bool absent_ = false;
    QString owner_;    // Avahi's unique name on the bus
    QString group_;    // the entry group's object path, empty when none
    bool creating_ = false;  // EntryGroupNew is under way
    int groupsMade_ = 0;
    bool added_ = false;
    int alternatives_ = 0;
    bool listening_ = false;
};

} // namespace tc::discovery
