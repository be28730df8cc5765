#include "portmap/PortMapper.h"

#include <QDeadlineTimer>
#include <QThread>

#include <atomic>
#include <mutex>

#include "portmap/LeaseSchedule.h"
#include "portmap/MappingSwitch.h"
#include "portmap/RouterClient.h"

namespace tc::portmap {

struct PortMapper::Owner {
    std::mutex lock;
    PortMapper* mapper = nullptr;
    // Runs `f` on the owner's thread, unless the owner is gone.
    template <typename F>
    void post(F f) {
        std::lock_guard<std::mutex> hold(lock);
        if (mapper) QMetaObject::invokeMethod(mapper, std::move(f), Qt::QueuedConnection);
    }
};

PortMapper::PortMapper(QObject* parent)
    : QObject(parent), owner_(std::make_shared<Owner>()), client_(std::make_shared<RouterClient>()),
      leaseSeconds_(kLeaseSeconds) {
    owner_->mapper = this;
    thread_ = new QThread(this);
    thread_->setObjectName(QStringLiteral("router port"));
    worker_ = new QObject;
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_->start();
    renew_.setSingleShot(true);
    connect(&renew_, &QTimer::timeout, this, [this] { ask(true); });
}

PortMapper::~PortMapper() {
    stop();
    const bool done = finish(8000);
    {
        std::lock_guard<std::mutex> hold(owner_->lock);
        owner_->mapper = nullptr;
    }
    thread_->quit();
    if (done && thread_->wait(2000)) return;
    // A router that keeps the thread longer than that: the thread ends on
    // its own, with nothing left to answer to.
    thread_->setParent(nullptr);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
}

bool PortMapper::start(quint16 port) {
    stop();
    if (mappingSwitchedOff() || port == 0) return false;
    port_ = port;
    failures_ = 0;
    told_ = false;
    ask(false);
    return true;
}

void PortMapper::stop() {
    renew_.stop();
    ++generation_;
    if (port_ == 0) return;
    port_ = 0;
    mapping_.reset();
    auto owner = owner_;
    auto client = client_;
    QMetaObject::invokeMethod(worker_, [client, owner] {
        const std::optional<Mapping> made = client->current();
        client->close();
        if (made) owner->post([owner, made] { emit owner->mapper->removed(*made); });
    }, Qt::QueuedConnection);
}

bool PortMapper::finish(int ms) {
    if (!thread_->isRunning()) return true;
    // Whatever was queued before this marker is done when it runs.
    auto done = std::make_shared<std::atomic_bool>(false);
    QMetaObject::invokeMethod(worker_, [done] { done->store(true); }, Qt::QueuedConnection);
    QDeadlineTimer deadline(ms);
    while (!done->load() && !deadline.hasExpired()) QThread::msleep(10);
    return done->load();
}

void PortMapper::ask(bool renewal) {
    const quint64 generation = generation_;
    const int port = port_;
    const int lease = leaseSeconds_;
    auto owner = owner_;
    auto client = client_;
    QMetaObject::invokeMethod(worker_, [=] {
        const Answer a = renewal ? client->renew(lease) : client->open(port, lease);
        owner->post([=] { owner->mapper->answered(generation, renewal, a.mapping, a.failure); });
    }, Qt::QueuedConnection);
}

void PortMapper::answered(quint64 generation, bool renewal, const std::optional<Mapping>& mapping,
                          const Failure& failure) {
    if (generation != generation_ || port_ == 0) return;
    if (mapping) {
        const bool same = mapping_ && *mapping_ == *mapping;
        mapping_ = mapping;
        failures_ = 0;
        told_ = false;
        renew_.start(renewAfterSeconds(mapping->leaseSeconds, leaseSeconds_) * 1000);
        emit opened(*mapping, renewal && same);
        return;
    }
    const bool lost = mapping_.has_value();
    mapping_.reset();
    ++failures_;
    renew_.start(retryAfterSeconds(failures_) * 1000);
    if (told_) return;
    told_ = true;
    emit failed(failure, lost);
}

} // namespace tc::portmap
