// A squatter for the tests: opens connection after connection to a game
// server on loopback and never logs in, keeping every one the server keeps.
//
//   squatter PORT FROM_ADDRESS [EVERY_MS]
//
// Without EVERY_MS the next connection is opened as soon as the server has
// answered the last one (a slot, or its close): as fast as the server
// accepts. Prints "slot N" for each slot it is given, "full" for each
// "CMD_full+" it hears, "closed N" when the server closes a connection that
// held slot N. Ends when its standard input closes.
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Held {
    int fd = -1;
    int slot = 0;
    std::string in;
};

// Reads what is there; false once the server closed the connection.
bool readFrom(Held& h) {
    char buf[512];
    const ssize_t n = ::recv(h.fd, buf, sizeof buf, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) return false;
    if (n > 0) h.in.append(buf, static_cast<std::size_t>(n));
    for (std::size_t end; (end = h.in.find('\xFF')) != std::string::npos; h.in.erase(0, end + 1)) {
        const std::string line = h.in.substr(0, end);
        if (line.rfind("CMD_sendlogininfo+", 0) == 0) {
            h.slot = std::atoi(line.c_str() + 18);
            std::printf("slot %d\n", h.slot);
        } else if (line == "CMD_full+") {
            std::printf("full\n");
        }
    }
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: squatter PORT FROM_ADDRESS [EVERY_MS]\n");
        return 2;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<unsigned short>(std::atoi(argv[1])));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    if (inet_pton(AF_INET, argv[2], &from.sin_addr) != 1) return 2;
    const int everyMs = argc > 3 ? std::atoi(argv[3]) : 0;

    std::vector<Held> held;
    auto next = std::chrono::steady_clock::now();
    for (;;) {
        // The test ends us by closing our input.
        pollfd in{0, POLLIN, 0};
        if (::poll(&in, 1, 0) > 0) {
            char c;
            if (::read(0, &c, 1) <= 0) break;
        }
        Held h;
        h.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (h.fd < 0) return 1;
        if (::bind(h.fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0 ||
            ::connect(h.fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
            ::close(h.fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        // The server's answer: a slot, or the close.
        pollfd p{h.fd, POLLIN, 0};
        bool open = true;
        while (open && h.slot == 0 && ::poll(&p, 1, 2000) > 0) open = readFrom(h);
        if (open) held.push_back(h);
        else ::close(h.fd);
        // The ones the server closes since (given way, timed out).
        for (auto it = held.begin(); it != held.end();) {
            pollfd q{it->fd, POLLIN, 0};
            if (::poll(&q, 1, 0) > 0 && !readFrom(*it)) {
                std::printf("closed %d\n", it->slot);
                std::fflush(stdout);
                ::close(it->fd);
                it = held.erase(it);
            } else {
                ++it;
            }
        }
        if (held.size() > 64) {  // a bound of our own, should the server keep more
            ::close(held.front().fd);
            held.erase(held.begin());
        }
        if (everyMs > 0) {
            next += std::chrono::milliseconds(everyMs);
            std::this_thread::sleep_until(next);
        }
    }
    for (auto& h : held) ::close(h.fd);
    return 0;
}
