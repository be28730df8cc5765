#pragma once
// Only one copy of the game per user and home folder: the first copy
// listens on a local socket named after "arolmev", the user and the home
// folder; a later copy that reaches it asks it to come forward and is told
// to end. A copy with a home of its own keeps files of its own, so it may
// play beside the first.
#include <QObject>
#include <QString>

class QLocalServer;

namespace tc::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the local socket; defaultKey() for the program.
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString defaultKey();

    // true: this is the first copy and now listens. false: another copy
    // answered and has been asked to come forward; this copy should end.
    // Waits at most `timeoutMs` for the other copy.
    bool claim(int timeoutMs = 1000);

signals:
    // A later copy asked this one to bring its window forward.
    void raiseRequested();

private:
    QString key_;
    QLocalServer* server_ = nullptr;
};

} // namespace tc::app
