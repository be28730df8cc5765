#pragma once
// Lists the games announced on the local network: an Avahi service browser
// for "_tilecrest._tcp" and one resolver per instance it reports, which
// keeps the address, port and TXT record current (a host's seat counts
// change while the list is open). The list itself is FoundGames.
//
// Without a system bus or an Avahi daemon the state is Unavailable; nothing
// is printed and nothing waits. Every call is asynchronous.
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "discovery/FoundGames.h"

class QDBusMessage;
class QDBusPendingCall;
class QDBusServiceWatcher;

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

signals:
    void stateChanged(tc::discovery::GameBrowser::State state);
    void gamesChanged();

private slots:
    void onItemNew(const QDBusMessage& message);
    void onItemRemove(const QDBusMessage& message);
    void onBrowserFailure(const QDBusMessage& message);
    void onFound(const QDBusMessage& message);
    void onResolverFailure(const QDBusMessage& message);

private:
    void setState(State s);
    // `prepare`: through Server2's Prepare and Start (Avahi 0.7 and later).
    void prepareBrowser(bool prepare);
    void resolve(const ServiceKey& key, const QString& type, bool prepare);
    void listen(const QString& path, const char* interface, const char* signal, const char* slot, bool on);
    void whenDone(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> then,
                  std::function<bool(const QDBusMessage&)> onError = {});
    void dropResolver(const ServiceKey& key);
    static ServiceKey keyOf(const QDBusMessage& message);

    State state_ = State::Off;
    quint64 run_ = 0;
    QString browser_;
    FoundGames games_;
    QHash<QString, ServiceKey> resolvers_;  // object path -> instance
    QDBusServiceWatcher* watcher_ = nullptr;
};

} // namespace tc::discovery
