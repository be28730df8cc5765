#pragma once
// One copy of the program inside the test process, started with a command
// line, with its sounds and message boxes recorded.
#include <algorithm>
#include <memory>
#include <vector>

#include <QContextMenuEvent>
#include <QLabel>
#include <QTcpSocket>

#include "DesktopRecorder.h"
#include "GuiTestSupport.h"
#include "chat/ChatPane.h"
#include "client/BoardPanel.h"
#include "client/MainGame.h"
#include "client/MainWindow.h"
#include "client/TileControl.h"

namespace tc::guitest {

class GameCopy {
public:
    explicit GameCopy(const QStringList& args, std::uint32_t seed = 20240607) : game(seed) {
        game.setDesktop(&desktop);
        game.window().setSoundPlayer(&sounds);
        game.window().setMessagePresenter([this](const QString& text) { messages << text; });
        game.start(client::parseMainOptions(args));
    }

    client::MainWindow& window() { return game.window(); }
    const client::Session& session() { return game.window().session(); }
    client::BoardPanel& board() { return *game.window().board(); }
    QString label(const QString& name) { return game.window().findChild<QLabel*>(name)->text(); }
    QString seat(int n) { return label(QStringLiteral("label_playername%1").arg(n)); }
    QString chat() { return game.window().findChild<chat::ChatPane*>("mainchat")->toPlainText(); }
    // The pane puts a space after a line's head ("Ann chats: "); words
    // are compared with runs of white space taken as one.
    bool chatHas(const QString& text) { return chat().simplified().contains(text.simplified()); }
    QString tileState(int t) { return board().tile(t)->property("state").toString(); }

    DesktopRecorder desktop;  // outlives the game that points at it
    client::MainGame game;
    SoundRecorder sounds;
    QStringList messages;
};

// A bare client that speaks the wire protocol just enough to take a seat.
class WireClient : public QObject {
public:
    WireClient(quint16 port, QByteArray name) : name_(std::move(name)) {
        connect(&sock_, &QTcpSocket::readyRead, this, [this] {
            buffer_ += sock_.readAll();
            qsizetype end;
            while ((end = buffer_.indexOf('\xFF')) >= 0) {
                const QByteArray line = buffer_.left(end);
                buffer_.remove(0, end + 1);
                if (line.startsWith("CMD_sendlogininfo+")) {
                    slot = line.mid(18).toInt();
                    sock_.write("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.3+" + name_ + "\xFF");
                } else if (line == "CMD_newplayerinfo+" + QByteArray::number(slot) + "+" + name_ + "+0") {
                    seated = true;
                }
            }
        });
        sock_.connectToHost(QHostAddress::LocalHost, port);
    }
    int slot = 0;
    bool seated = false;  // the server took its login

private:
    QTcpSocket sock_;
    QByteArray name_;
    QByteArray buffer_;
};

// Open tiles that add up to `total`, fewest tiles first; empty when none do.
inline std::vector<int> chooseTiles(GameCopy& copy, int total) {
    std::vector<int> best;
    for (int mask = 1; mask < (1 << 9); ++mask) {
        std::vector<int> pick;
        int sum = 0;
        bool open = true;
        for (int t = 1; t <= 9; ++t) {
            if (!(mask & (1 << (t - 1)))) continue;
            open = open && copy.tileState(t) == "u";
            sum += t;
            pick.push_back(t);
        }
        if (open && sum == total && (best.empty() || pick.size() < best.size())) best = pick;
    }
    return best;
}

// The server has answered a move of `pick`: its tiles are shut, the turn
// has passed, or the game is won (`winner` shown).
inline bool moveAnswered(GameCopy& copy, const std::vector<int>& pick, const QWidget* winner) {
    return std::all_of(pick.begin(), pick.end(), [&](int t) { return copy.tileState(t) == "o"; }) ||
           copy.session().currentplayer() != copy.session().myseat() || winner->isVisible();
}

} // namespace tc::guitest
