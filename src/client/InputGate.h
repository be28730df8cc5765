#pragma once
// Lets the window's inputs (clicks, socket events, ticks) reach the session
// one at a time. While a modal message is up, inputs wait (a handful at
// most) and run in their order once it is gone, so no handler ever runs
// inside another. Timer1 ticks the session only while it has lines waiting
// or a cool-down counting.
#include <cstddef>
#include <deque>
#include <functional>

#include <QObject>
#include <QTimer>

namespace tc::client {

class InputGate final : public QObject {
    Q_OBJECT
public:
    // `needsTicks` says whether the session wants Timer1; `tick` is one tick.
    InputGate(std::function<bool()> needsTicks, std::function<void()> tick, QObject* parent = nullptr);

    // Runs `input` now, or after the modal message when one is up.
    void feed(std::function<void()> input);
    // After an input that bypassed feed(): starts or stops Timer1.
    void pump();
    // Runs `show` (a modal message) with every input held back meanwhile.
    void modal(const std::function<void()>& show);
    // Drops the inputs that wait and stops the timer (a game left).
    void clear();
    // From now on nothing runs (the window is closing).
    void close();

    bool closing() const { return closing_; }
    bool busy() const { return closing_ || modal_ > 0; }
    bool timerActive() const { return timer1_.isActive(); }

private:
    void onTick();

    // Only socket events and the odd click can arrive during a message; a
    // handful is plenty, more would be a flood.
    static constexpr std::size_t kMaxWaitingInputs = 64;

    std::function<bool()> needsTicks_;
    std::function<void()> tick_;
    QTimer timer1_;
    int modal_ = 0;
    std::deque<std::function<void()>> waiting_;
    bool closing_ = false;
};

} // namespace tc::client
