#include "client/LocalAddresses.h"

#include <QNetworkInterface>

namespace tc::client {

std::vector<std::string> localAddresses() {
    std::vector<std::string> out;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : nic.addressEntries())
            out.push_back(entry.ip().toString().toStdString());
    }
    return out;
}

} // namespace tc::client
