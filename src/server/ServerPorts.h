#pragma once
// Everything the game server asks of the world around it. The Qt host
// implements it with sockets and a timer; tests implement it with a recorder.
#include <cstdint>
#include <string>

namespace tc::server {

// Names one accepted TCP connection for its whole life; never reused.
using ConnId = std::uint64_t;

class ServerPorts {
public:
    virtual ~ServerPorts() = default;

    // Queue whole wire bytes (already Windows-1252, ended by 0xFF) for a
    // connection. Must not call back into the server.
    virtual void send(ConnId conn, const std::string& bytes) = 0;
    // Close a connection after flushing what was queued for it. The server
    // has already forgotten it and ignores any later report about it.
    // Must not call back into the server.
    virtual void close(ConnId conn) = 0;
    // The pause timer ticks TServer::pauseTick once per period while it
    // runs. Starting a running timer keeps its period going.
    virtual void startPauseTimer() = 0;
    virtual void stopPauseTimer() = 0;
    // One human-readable event line, UTF-8, no newline.
    virtual void log(const std::string& line) = 0;

    struct Output {
        std::uint64_t unsent = 0;  // bytes queued for the peer, not yet handed to the network
        std::uint64_t taken = 0;   // bytes handed to the network since the connection began
    };
    // Where a connection's output stands. The default knows nothing, so no
    // output rule ever closes a connection.
    virtual Output output(ConnId conn) const {
        (void)conn;
        return {};
    }
};

} // namespace tc::server
