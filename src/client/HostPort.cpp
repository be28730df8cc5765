#include "client/HostPort.h"

#include <QTcpServer>

namespace tc::client {

quint16 freePortNear(quint16 busy) {
    QTcpServer probe;
    for (int p = busy + 1; p <= busy + 20 && p <= 65535; ++p) {
        if (probe.listen(QHostAddress::Any, static_cast<quint16>(p))) {
            probe.close();
            return static_cast<quint16>(p);
        }
    }
    if (!probe.listen(QHostAddress::Any, 0)) return 0;
    const quint16 chosen = probe.serverPort();
    probe.close();
    return chosen;
}

} // namespace tc::client
