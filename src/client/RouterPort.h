#pragma once
// The port of a game hosted for others, opened on the home router while
// this copy hosts it (portmap::PortMapper): asked at each hosted start
// when the player chose it and this machine sits behind a router, and
// removed when the game ends, another is hosted or joined, or the window
// goes. The chat says where players on the internet join (the router's
// outside address and the port it gave), or once why they cannot; a host
// with a global IPv6 address hears that address too. The chat pane's menu
// gets "Copy Internet Address" after its own items, enabled while the
// router keeps the port.
//
// Under the test runner's switch (portmap::mappingSwitchedOff) it does
// nothing and says nothing.
#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QMenu;

namespace tc::portmap {
class PortMapper;
}

namespace tc::client {

class RouterPort final : public QObject {
    Q_OBJECT
public:
    // `post` puts a system line (without "0+") in the chat; `menu` is the
    // chat pane's menu. Removes the mapping when it goes.
    RouterPort(QMenu& menu, std::function<void(const std::string&)> post, QObject* parent);
    ~RouterPort() override;

    // A new game: hosted for others on `port` (0: not hosted for others),
    // with the router asked when `ask`.
    void follow(quint16 port, bool ask);

    // Null until the router is first asked.
    portmap::PortMapper* mapper() const { return mapper_.get(); }
    QAction* copyAction() const { return copy_; }

private:
    void copyAddress() const;

    std::function<void(const std::string&)> post_;
    std::unique_ptr<portmap::PortMapper> mapper_;
    QAction* copy_;
    quint16 port_ = 0;
};

} // namespace tc::client
