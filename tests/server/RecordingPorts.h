#pragma once
// Records everything the server does to the outside world, in order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "server/ServerPorts.h"

namespace tc::server::test {

struct PortEvent {
    enum Kind { Send, Close, StartTimer, StopTimer } kind;
    ConnId conn = 0;
    std::string bytes;
};

class RecordingPorts : public ServerPorts {
public:
    std::vector<PortEvent> events;
    std::vector<std::string> logs;
    // What output() reports, per connection; tests set it by hand.
    std::map<ConnId, Output> outputs;

    void send(ConnId conn, const std::string& bytes) override {
        // Every send is one whole message: exactly one 0xFF, at its end.
        EXPECT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.find('\xFF'), bytes.size() - 1) << bytes;
        events.push_back({PortEvent::Send, conn, bytes});
    }
    void close(ConnId conn) override { events.push_back({PortEvent::Close, conn, {}}); }
    void startPauseTimer() override { events.push_back({PortEvent::StartTimer, 0, {}}); }
    void stopPauseTimer() override { events.push_back({PortEvent::StopTimer, 0, {}}); }
    void log(const std::string& line) override { logs.push_back(line); }
    Output output(ConnId conn) const override {
        const auto it = outputs.find(conn);
        return it == outputs.end() ? Output{} : it->second;
    }
};

} // namespace tc::server::test
