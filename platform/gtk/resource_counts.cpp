// The window layer's resource counters and the log a soak run reads at exit.
#include "platform/gtk/resource_counts.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/gtk/native_window.h"

namespace {

bool written = false;

}  // namespace

void WriteResourceLog(const NativeWindow* window) {
    if (written) return;
    written = true;
    const char* path = std::getenv("MOX_RESOURCE_LOG");
    if (path == nullptr || path[0] == '\0') return;
    const int32_t caretsLive = window != nullptr && window->caret.exists ? 1 : 0;
    char line[256];
    const size_t length =
        FormatResourceLine(line, sizeof line, g_resourceCounts, DisplayBrushesMade(), caretsLive);
    const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) return;
    size_t done = 0;
    while (done < length) {
        const ssize_t n = write(file, line + done, length - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(file);
}
