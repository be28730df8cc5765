#pragma once
// The host's port opened on the home router while this copy hosts: asked
// once at the start, renewed before the lease ends (a router that
// restarted has lost it), removed at stop() and when the object goes.
// RouterClient's blocking calls run on a thread of their own, one after
// the other, so a removal always reaches the router before the next
// request; the answers come back on the owner's thread as signals.
//
// Under the switch (mappingSwitchedOff) start() does nothing and returns
// false: nothing is sent.
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "portmap/Mapping.h"

class QThread;

namespace tc::portmap {

class RouterClient;

class PortMapper final : public QObject {
    Q_OBJECT
public:
    explicit PortMapper(QObject* parent = nullptr);
    // Removes the mapping, waiting for the router at most a few seconds.
    ~PortMapper() override;

    // The lease asked for (default kLeaseSeconds); tests shorten it.
    void setLeaseSeconds(int seconds) { leaseSeconds_ = seconds; }

    // Asks for TCP `port` (and drops what an earlier start made). False,
    // with nothing sent, under the switch.
    bool start(quint16 port);
    // Removes the mapping on the router (its thread does, shortly).
    void stop();
    // Waits until the requests sent so far are done, at most `ms`; true
    // when they are. For a program about to end.
    bool finish(int ms = 5000);

    bool running() const { return port_ != 0; }
    // The mapping the router keeps now, if any.
    const std::optional<Mapping>& mapping() const { return mapping_; }

signals:
    // The router made the mapping, first or again with another address or
    // port (`renewal` false), or renewed it as it was (`renewal` true).
    void opened(const tc::portmap::Mapping& mapping, bool renewal);
    // No mapping: at the start (`lost` false) or at a renewal (`lost`
    // true). Told once until a mapping is made again.
    void failed(const tc::portmap::Failure& failure, bool lost);
    // The mapping was removed on the router.
    void removed(const tc::portmap::Mapping& mapping);

private:
    void ask(bool renewal);
    void answered(quint64 generation, bool renewal, const std::optional<Mapping>& mapping, const Failure& failure);

    // What the thread answers to: cleared when this object goes, under its
    // lock, so no answer is ever posted to a deleted object.
    struct Owner;
    std::shared_ptr<Owner> owner_;
    QThread* thread_ = nullptr;
    QObject* worker_ = nullptr;  // lives on thread_, owns the client
    std::shared_ptr<RouterClient> client_;
    QTimer renew_;
    quint16 port_ = 0;
    int leaseSeconds_;
    quint64 generation_ = 0;  // answers of an earlier start are dropped
    int failures_ = 0;
    bool told_ = false;       // the current failure was told
    std::optional<Mapping> mapping_;
};

} // namespace tc::portmap
