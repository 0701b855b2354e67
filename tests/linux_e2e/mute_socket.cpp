// A Wayland display that never answers, for the backend tests: a Unix socket
// that takes every connection and says nothing.
//   mox_e2e_mute_socket PATH
// Prints "ready" once listening, then stays until killed.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (argc < 2 || std::strlen(argv[1]) >= sizeof address.sun_path) return 1;
    std::strcpy(address.sun_path, argv[1]);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    unlink(argv[1]);
    if (listener < 0 ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 16) != 0) {
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    // Connections stay open and unanswered until the process ends.
    for (;;) accept(listener, nullptr, nullptr);
}
