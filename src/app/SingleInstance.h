#pragma once
// Only one copy of the game per user: the first copy listens on a local
// socket named after "arolmev" and the user; a later copy that reaches it
// asks it to come forward and is told to end.
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
