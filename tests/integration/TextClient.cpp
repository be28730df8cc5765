#include "TextClient.h"

#include <QHostAddress>
#include <QtTest/QTest>
#include <algorithm>

#include "net/Message.h"

namespace tc::integration {

TextClient::TextClient(quint16 port, QObject* parent) : TextClient(port, 0, parent) {}

TextClient::TextClient(quint16 port, int machine, QObject* parent) : QObject(parent) {
    connect(&socket, &QTcpSocket::readyRead, this, [this] {
        const QByteArray data = socket.readAll();
        std::vector<std::string> got;
        framer_.feed(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), got);
        for (auto& l : got) {
            if (onLine) onLine(l);
            lines.push_back(std::move(l));
        }
    });
    connect(&socket, &QTcpSocket::disconnected, this, [this] { closed = true; });
    if (machine > 0) socket.bind(QHostAddress(QStringLiteral("127.0.%1.%2").arg(machine / 250).arg(machine % 250 + 2)), 0);
    socket.connectToHost(QHostAddress::LocalHost, port);
}

void TextClient::send(const std::string& line) {
    const std::string bytes = net::frame(line);
    socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

bool TextClient::waitConnected(int timeoutMs) {
    return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; }, timeoutMs);
}

bool TextClient::waitFor(const std::function<bool(const std::string&)>& pred, int timeoutMs, std::size_t from) {
    return QTest::qWaitFor(
        [&] { return lines.size() > from && std::any_of(lines.begin() + from, lines.end(), pred); }, timeoutMs);
}

bool TextClient::waitClosed(int timeoutMs) {
    return QTest::qWaitFor([this] { return closed; }, timeoutMs);
}

int TextClient::count(const std::string& exact) const {
    return static_cast<int>(std::count(lines.begin(), lines.end(), exact));
}

} // namespace tc::integration
