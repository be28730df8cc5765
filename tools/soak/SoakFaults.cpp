// The faults the soak injects at random moments, one kind at a time.
#include "Soak.h"

namespace tc::soak {

void Soak::inject() {
    const auto kind = static_cast<Fault>(pick(kFaultKinds));
    const std::int64_t t = now();
    switch (kind) {
    case Reconnect: {
        Bot* b = anyBot(false, false);
        if (!b || b->kind != Bot::Player) return;
        b->closing = true;
        b->reconnect = true;
        if (chance(0.5)) {
            b->sock->abort();  // a drop: a keyed seat is kept for a while, then released
        } else {
            if (b->keyed) b->send("CMD_leaving+" + std::to_string(b->slot) + "+");
            b->sock->disconnectFromHost();
        }
        onClosed(b);
        break;
    }
    case DropAndReturn:
    case SilentDrop:
        if (!dropAndReturn(anyBot(true, false), kind == SilentDrop)) return;
        break;
    case FullDrop: {
        Bot* b = anyBot(true, false);
        if (!b || b->kind != Bot::Player || !b->keyed || !check_.gameOn()) return;
        // Watchers fill every free slot for a while; then the player drops
        // and comes back while his kept seat holds the ninth.
        for (int n = liveConnections(); n < 9; ++n) {
            Bot* w = spawn(Bot::Watcher, "F" + std::to_string(++fillers_));
            w->leaveAtMs = t + 1500 + pick(1000);
            ++watcherCount_;
        }
        // A drop the server sees: with the old connection still open no
        // seat is kept yet, and a full table turns the copy away until
        // keepalive ends that connection.
        QTimer::singleShot(200, [this, b] {
            if (!stopping_) dropAndReturn(b, false);
        });
        break;
    }
    case WatcherJoins: {
        if (liveConnections() >= 9 || watcherCount_ >= 2) return;
        Bot* w = spawn(Bot::Watcher, "W" + std::to_string(faults_[WatcherJoins] + 1));
        w->leaveAtMs = t + 50 + pick(2000);
        ++watcherCount_;
        break;
    }
    case Kick: {
        Bot* b = anyBot(false, false);
        if (!b) return;
        b->closing = true;
        b->reconnect = b->kind == Bot::Player;
        b->removed = true;
        host_->send("CMD_kickhim+1+" + std::to_string(b->slot) + "+");
        break;
    }
    case JustWatch: {
        if (chance(0.3)) {
            Bot* b = anyBot(true, false);
            if (!b || t - hostWatchMs_ < 500) return;
            hostWatchMs_ = t;
            host_->send("CMD_justwatch+" + std::to_string(b->slot) + "+1");
        } else {
            Bot* b = anyBot(true, true);
            if (!b || b->movePending || b->watchAsked || b->watching) return;
            if (b == host_) {
                if (t - hostWatchMs_ < 500) return;
                hostWatchMs_ = t;
            }
            b->send("CMD_justwatch+" + std::to_string(b->slot) + "+1");
            b->watchAsked = true;
        }
        break;
    }
    case Malformed: {
        Bot* b = anyBot(false, false);
        if (!b) return;
        const std::string me = std::to_string(b->slot);
        const std::string other = std::to_string(b->slot % 9 + 1);
        const std::string lines[] = {
            "CMD_closethem+x+1+2", "CMD_closethem+" + other + "+1+2", "CMD_closethem+", "CMD_slide+" + me + "+sideways+12+",
            "CMD_slide+x", "CMD_justwatch+" + me + "+3", "CMD_justwatch+abc+1", "CMD_kickhim+x+", "CMD_chat", "+++", "",
            "CMD_startgame+X+99+", "CMD_logininfo+" + me + "+1.0.3+Again", "CMD_playasound+" + me + "+wave0+",
            "CMD_chat+" + me + "+a\xFF" "b+c|clBlack", "CMD_updatescores+1+2+3", "CMD_action+x+y"};
        std::string line = lines[pick(static_cast<int>(std::size(lines)))];
        if (chance(0.2)) {
            line.clear();
            for (int i = 0, n = 1 + pick(64); i < n; ++i) line += static_cast<char>(pick(255));
        }
        b->send(line);
        break;
    }
    case Oversized: {
        Bot* b = anyBot(false, false);
        if (!b) return;
        b->send("CMD_chat+" + std::to_string(b->slot) + "+" + std::string(20 * 1024, 'o') + "|clBlack");
        break;
    }
    case FloodBurst: {
        Bot* b = anyBot(false, false);
        if (!b) return;
        const std::string me = std::to_string(b->slot);
        std::string burst;
        if (chance(0.5)) {
            for (int i = 0; i < 30; ++i) burst += "CMD_chat+" + me + "+burst " + std::to_string(i) + "|clBlack\xFF";
        } else {
            for (int i = 0; i < 60; ++i) burst += "CMD_slide+" + me + (i % 2 ? "+up+" : "+down+") + "9+\xFF";
        }
        b->write(burst);
        break;
    }
    case OutOfTurn: {
        Bot* b = anyBot(false, false);
        if (!b || b->current == b->slot) return;
        const std::string me = std::to_string(b->slot);
        switch (pick(4)) {
        case 0:  // adds up to 45, never a roll
            b->send("CMD_closethem+" + me + "+1+2+3+4+5+6+7+8+9");
            b->junkCloses.push_back({now(), ++b->closeRequests});
            break;
        case 1: b->send("CMD_slide+" + me + "+down+5+"); break;
        case 2: b->send("CMD_startgame+" + b->name + "+3+"); break;
        default: b->send("CMD_kickhim+" + me + "+1+"); break;
        }
        break;
    }
    case Silent:
    case JunkBeforeLogin:
        if (liveConnections() >= 9) return;
        spawn(kind == Silent ? Bot::Silent : Bot::Junk, "");
        break;
    case HalfLine: {
        Bot* b = anyBot(false, false);
        if (!b || b->holding) return;
        const std::string line = "CMD_chat+" + std::to_string(b->slot) + "+in two halves|clBlack\xFF";
        const std::size_t cut = 1 + static_cast<std::size_t>(pick(static_cast<int>(line.size()) - 1));
        b->write(line.substr(0, cut));
        b->holding = true;
        QTimer::singleShot(1 + pick(20), [b, rest = line.substr(cut)] {
            b->holding = false;
            b->write(rest + b->held);
            b->held.clear();
        });
        break;
    }
    case kFaultKinds:
        return;
    }
    ++faults_[kind];
}

bool Soak::dropAndReturn(Bot* b, bool silent) {
    if (!b || b->closed || b->closing || b->kind != Bot::Player || !b->keyed || !check_.gameOn()) return false;
    b->closing = true;
    if (silent) {
        // Nothing more is read from the old connection or written to it;
        // the server must end it when the key comes on the new one.
        QTcpSocket* old = b->sock;
        old->disconnect();
        QObject::connect(old, &QTcpSocket::disconnected, old, &QObject::deleteLater);
        QTimer::singleShot(5000, old, [old] {
            old->abort();
            old->deleteLater();
        });
        b->sock = nullptr;
        b->closed = true;
    } else {
        b->sock->abort();
        onClosed(b);
    }
    const int game = check_.gamesStarted();
    QTimer::singleShot(pick(30), [this, name = b->name, key = b->key, seat = b->slot, game] {
        if (stopping_) return;
        Bot* back = spawn(Bot::Player, name);
        back->reclaimKey = key;
        back->reclaimSeat = seat;
        back->reclaimGame = game;
    });
    return true;
}

} // namespace tc::soak
