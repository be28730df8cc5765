#include "client/RouterPort.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

#include "client/LocalAddresses.h"
#include "client/MenuKeys.h"
#include "portmap/AddressKind.h"
#include "portmap/MappingSwitch.h"
#include "portmap/PortMapText.h"
#include "portmap/PortMapper.h"

namespace tc::client {

RouterPort::RouterPort(QMenu& menu, std::function<void(const std::string&)> post, QObject* parent)
    : QObject(parent), post_(std::move(post)) {
    menu.addSeparator();
    copy_ = menu.addAction(tr("Copy Internet Address"), this, &RouterPort::copyAddress);
    copy_->setObjectName(QStringLiteral("CopyInternetAddress1"));
    copy_->setEnabled(false);
    // The chat's menu was given its letters before this item came.
    MenuKeys::markMenu(&menu);
}

RouterPort::~RouterPort() = default;  // the mapper removes the mapping

void RouterPort::follow(quint16 port, bool ask) {
    port_ = port;
    copy_->setEnabled(false);
    if (mapper_) mapper_->stop();
    if (port == 0 || portmap::mappingSwitchedOff()) return;
    const std::vector<std::string> local = localAddresses();
    // After the line that names the addresses on the host's own network.
    const std::string ipv6 = portmap::ipv6Line(local, port);
    if (!ipv6.empty()) QTimer::singleShot(0, this, [this, ipv6] { post_(ipv6); });
    if (!ask || !portmap::behindRouter(local)) return;
    if (!mapper_) {
        mapper_ = std::make_unique<portmap::PortMapper>();
        connect(mapper_.get(), &portmap::PortMapper::opened, this, [this](const portmap::Mapping& m, bool renewal) {
            copy_->setEnabled(true);
            if (!renewal) post_(portmap::openedLine(m));
        });
        connect(mapper_.get(), &portmap::PortMapper::failed, this, [this](const portmap::Failure& f, bool lost) {
            copy_->setEnabled(false);
            post_(lost ? portmap::lostLine(f, port_) : portmap::failedLine(f, port_));
        });
    }
    mapper_->start(port);
}

void RouterPort::copyAddress() const {
    if (!mapper_ || !mapper_->mapping()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(portmap::copyText(*mapper_->mapping())));
}

} // namespace tc::client
