#pragma once
// A tiny HTTP server on 127.0.0.1 for the download tests, answering by
// hand so each test chooses exactly what goes on the wire: a whole file,
// a trickle that never ends, a redirect, an error, or headers and silence.
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tc::guitest {

class LocalHttpServer : public QObject {
public:
    enum class Mode { Whole, Trickle, Redirect, NotFound, Silent, NoLength };

    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                s->setParent(this);
                auto* buffer = new QByteArray;
                connect(s, &QObject::destroyed, this, [buffer] { delete buffer; });
                connect(s, &QTcpSocket::readyRead, this, [this, s, buffer] {
                    *buffer += s->readAll();
                    if (buffer->size() > 16384) s->abort();
                    const qsizetype end = buffer->indexOf("\r\n\r\n");
                    if (end < 0) return;
                    requests << buffer->left(end + 2);
                    buffer->clear();
                    answer(s, requests.last());
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    quint16 port() const { return server_.serverPort(); }
    QString url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path); }

    Mode mode = Mode::Whole;
    QByteArray body;
    QList<QByteArray> requests;  // request line and headers, one entry a request
    qint64 trickled = 0;

private:
    void answer(QTcpSocket* s, const QByteArray& request) {
        const QByteArray path = request.split(' ').value(1);
        if (mode == Mode::Redirect && path != "/moved/elsewhere.bin") {
            s->write("HTTP/1.1 302 Found\r\nLocation: /moved/elsewhere.bin\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        if (mode == Mode::NotFound) {
            s->write("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: 9\r\n\r\nNot here.");
            s->disconnectFromHost();
            return;
        }
        if (mode == Mode::NoLength) {
            s->write("HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n" + body);
            s->disconnectFromHost();
            return;
        }
        // A trickle or a silent server promises more than it sends.
        const QByteArray length =
            mode == Mode::Trickle || mode == Mode::Silent ? QByteArray("104857600") : QByteArray::number(body.size());
        s->write("HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " + length +
                 "\r\nServer: test\r\n\r\n");
        if (mode == Mode::Whole || mode == Mode::Redirect) {
            s->write(body);
            s->disconnectFromHost();
        } else if (mode == Mode::Silent) {
            s->write(body);
        } else {
            auto* tick = new QTimer(s);
            connect(tick, &QTimer::timeout, s, [this, s] {
                s->write(QByteArray(1024, 'T'));
                trickled += 1024;
            });
            tick->start(10);
        }
    }

    QTcpServer server_;
};

} // namespace tc::guitest
