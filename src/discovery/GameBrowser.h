#pragma once
// Lists the games announced on the local network: an Avahi service browser
// for "_tilecrest._tcp" and one resolver per instance it reports, which
// keeps the address, port and TXT record current (a host's seat counts
// change while the list is open). The list itself is FoundGames.
//
// Avahi may send a resolver's first `Found` before the reply that names the
// resolver has reached us (its resolvers start as they are made), so the
// signals of every browser and resolver are listened to before any is made,
// and those of a path not known yet are kept until its reply comes.
//
// A resolver that fails or times out is made again later, less often each
// time; the instance stays followed meanwhile. An instance removed and
// added again while its resolver is being made keeps that one resolver.
//
// Without a system bus or an Avahi daemon the state is Unavailable and
// avahiAbsent() is true; any other failure is named by error(). Nothing is
// printed, and nothing waits on the bus in the window's thread.
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "discovery/FoundGames.h"

class QDBusMessage;
class QDBusPendingCall;

namespace tc::discovery {

class GameBrowser : public QObject {
    Q_OBJECT
public:
    enum class State { Off, Starting, Browsing, Unavailable };
    Q_ENUM(State)

    explicit GameBrowser(QObject* parent = nullptr);
    ~GameBrowser() override;

    // Starts listing (again); the list starts empty.
    void start();
    void stop();

    State state() const { return state_; }
    std::vector<FoundGame> games() const { return games_.rows(); }
    // Why it is Unavailable: Avahi is not there, or what failed.
    bool avahiAbsent() const { return absent_; }
    QString error() const { return error_; }
    // The resolvers made or being made now (one per followed instance at
    // most), for tests.
    int resolverCount() const;

    // A resolver that failed is made again after this long, doubled after
    // each further failure up to kMaxRetryMs.
    static constexpr int kFirstRetryMs = 2000;
    static constexpr int kMaxRetryMs = 60000;

signals:
    void stateChanged(tc::discovery::GameBrowser::State state);
    void gamesChanged();

private slots:
    void onAvahiSignal(const QDBusMessage& message);
    void onOwnerChanged(const QDBusMessage& message);

private:
    // One followed instance's resolver.
    struct Follow {
        QString type;
        QString path;           // the resolver, once made
        quint64 ticket = 0;     // the call or retry that belongs to it now
        bool preparing = false; // a call to make it is under way
        bool wanted = true;     // false: removed while preparing
        int failures = 0;
    };

    void setState(State s);
    void fail(const QDBusMessage& error);
    void listenOnce();
    void lookUpOwner();
    // `prepare`: through Server2's Prepare and Start (Avahi 0.7 and later).
    void prepareBrowser(bool prepare);
    void resolve(const ServiceKey& key, bool prepare);
    void retryLater(const ServiceKey& key);
    void forget(const ServiceKey& key);
    void freeObject(const QString& path, const char* interface);
    void madeObject(const QString& path);
    void whenDone(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> then,
                  std::function<bool(const QDBusMessage&)> onError = {});
    void itemNew(const QDBusMessage& message);
    void itemRemove(const QDBusMessage& message);
    void found(const QDBusMessage& message);
    static ServiceKey keyOf(const QDBusMessage& message);

    State state_ = State::Off;
    quint64 run_ = 0;
    quint64 tickets_ = 0;
    bool absent_ = false;
    QString error_;
    QString owner_;  // Avahi's unique name on the bus
    bool listening_ = false;
    QString browser_;
    bool browserPreparing_ = false;
    FoundGames games_;
    std::map<ServiceKey, Follow> follows_;
    std::map<QString, ServiceKey> paths_;  // resolver path -> instance
    int preparing_ = 0;                    // calls under way that make an object
    std::deque<QDBusMessage> early_;       // signals of objects not known yet
    bool watching_ = false;  // Avahi's owner changes
};

} // namespace tc::discovery
