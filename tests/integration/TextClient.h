#pragma once
// A bare protocol client over a real socket, for the loopback tests: keeps
// every line received, in order, and can answer lines as they arrive.
#include <QObject>
#include <QTcpSocket>
#include <functional>
#include <string>
#include <vector>

#include "net/LineFramer.h"

namespace tc::integration {

class TextClient : public QObject {
    Q_OBJECT
public:
    explicit TextClient(quint16 port, QObject* parent = nullptr);
    // From another address of the loopback network (127.0.x.y, a different
    // one for each `machine` from 1 on), as if from another machine: the
    // server lets only a few connections of one address wait for a login.
    TextClient(quint16 port, int machine, QObject* parent = nullptr);

    // Called for each received line, in order, before it is stored.
    std::function<void(const std::string&)> onLine;

    void send(const std::string& line);  // adds the 0xFF
    bool waitConnected(int timeoutMs = 10000);
    // Waits until some line (from index `from` on) satisfies `pred`.
    bool waitFor(const std::function<bool(const std::string&)>& pred, int timeoutMs = 10000,
                 std::size_t from = 0);
    bool waitLine(const std::string& exact, int timeoutMs = 10000) {
        return waitFor([&](const std::string& l) { return l == exact; }, timeoutMs);
    }
    bool waitClosed(int timeoutMs = 10000);
    int count(const std::string& exact) const;

    std::vector<std::string> lines;
    bool closed = false;
    QTcpSocket socket;

private:
    net::LineFramer framer_;
};

} // namespace tc::integration
