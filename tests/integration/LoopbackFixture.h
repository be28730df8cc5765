#pragma once
// The real server host listening on an ephemeral loopback port, and text
// clients that join it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TextClient.h"
#include "game/Lcg.h"
#include "server/ServerHost.h"

namespace tc::integration {

inline constexpr int kWait = 15000;

class Loopback : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<server::ServerHost>(rng);
        QObject::connect(host.get(), &server::ServerHost::logLine, host.get(),
                         [this](const QString& l) { log.push_back(l.toStdString()); });
        QString error;
        ASSERT_TRUE(host->listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
        port = host->serverPort();
        ASSERT_NE(port, 0);
    }

    // Connects, waits for the slot and logs in under `name`.
    std::unique_ptr<TextClient> join(const std::string& name, int slot) {
        auto c = std::make_unique<TextClient>(port);
        const std::string s = std::to_string(slot);
        EXPECT_TRUE(c->waitLine("CMD_sendlogininfo+" + s)) << name;
        c->send("CMD_logininfo+" + s + "+1.0.3+" + name);
        EXPECT_TRUE(c->waitLine("CMD_newplayerinfo+" + s + "+" + name + "+0")) << name;
        return c;
    }

    game::Lcg rng{20240607};
    std::unique_ptr<server::ServerHost> host;
    quint16 port = 0;
    std::vector<std::string> log;
};

} // namespace tc::integration
