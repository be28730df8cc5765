#include "client/InputGate.h"

namespace tc::client {

InputGate::InputGate(std::function<bool()> needsTicks, std::function<void()> tick, QObject* parent)
    : QObject(parent), needsTicks_(std::move(needsTicks)), tick_(std::move(tick)) {
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(1);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, &InputGate::onTick);
}

void InputGate::feed(std::function<void()> input) {
    if (closing_) return;
    if (modal_ > 0) {
        if (waiting_.size() < kMaxWaitingInputs) waiting_.push_back(std::move(input));
        return;
    }
    input();
    pump();
}

void InputGate::pump() {
    if (busy() || !needsTicks_()) {
        timer1_.stop();
    } else if (!timer1_.isActive()) {
        timer1_.start();
    }
}

void InputGate::onTick() {
    if (busy()) {
        timer1_.stop();
        return;
    }
    tick_();
    pump();
}

void InputGate::modal(const std::function<void()>& show) {
    ++modal_;
    timer1_.stop();
    show();
    --modal_;
    if (modal_ != 0) return;
    // Inputs that arrived while the message was up, in their order.
    QTimer::singleShot(0, this, [this] {
        while (!waiting_.empty() && modal_ == 0 && !closing_) {
            auto input = std::move(waiting_.front());
            waiting_.pop_front();
            input();
        }
        pump();
    });
}

void InputGate::clear() {
    timer1_.stop();
    waiting_.clear();
}

void InputGate::close() {
    closing_ = true;
    clear();
}

} // namespace tc::client
