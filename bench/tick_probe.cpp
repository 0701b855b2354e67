// Measures the real tick source: arms it with --period MS for --seconds S and
// prints, one name=value per line, the calls made, the calls expected, the
// lateness of each call against its due time (median, 99th percentile,
// maximum, in microseconds), the due times skipped, and overlapping calls.
//
// The due times are those of the source itself: whole periods from the
// arming, and after a late call the first one still in the future.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Probe {
    std::vector<Clock::time_point> starts;
    std::vector<Clock::time_point> ends;
    std::atomic<int> calls{0};
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
};

void OnTick(uintptr_t context) {
    Probe& p = *reinterpret_cast<Probe*>(context);
    const Clock::time_point start = Clock::now();
    if (p.inside.fetch_add(1) != 0) p.overlaps.fetch_add(1);
    const int n = p.calls.load();
    if (n < static_cast<int>(p.starts.size())) p.starts[n] = start;
    p.calls.store(n + 1);
    p.inside.fetch_sub(1);
    if (n < static_cast<int>(p.ends.size())) p.ends[n] = Clock::now();
}

bool ReadArgument(int argc, char** argv, const char* name, long* value) {
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; i++) {
        const char* text = nullptr;
        if (std::strcmp(argv[i], name) == 0 && i + 1 < argc) {
            text = argv[i + 1];
        } else if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') {
            text = argv[i] + length + 1;
        }
        if (text == nullptr) continue;
        char* end = nullptr;
        *value = std::strtol(text, &end, 10);
        return end != text && *end == '\0';
    }
    return true;  // absent: keep the default
}

}  // namespace

int main(int argc, char** argv) {
    long period = 10;
    long seconds = 5;
    if (!ReadArgument(argc, argv, "--period", &period) ||
        !ReadArgument(argc, argv, "--seconds", &seconds) || period < 1 || period > 60000 ||
        seconds < 1 || seconds > 3600) {
        std::fprintf(stderr,
                     "usage: tick_probe [--period MS (1..60000)] [--seconds S (1..3600)]\n");
        return 2;
    }
    const long expected = seconds * 1000 / period;

    Probe probe;
    probe.starts.resize(static_cast<size_t>(expected) + 16);
    probe.ends.resize(static_cast<size_t>(expected) + 16);
    const std::chrono::milliseconds step(period);

    const Clock::time_point armed = Clock::now();
    const TickTimer timer =
        ArmTickTimer(static_cast<uint32_t>(period), OnTick, reinterpret_cast<uintptr_t>(&probe));
    // Disarmed half a period before the due time after the last expected one.
    std::this_thread::sleep_until(armed + std::chrono::seconds(seconds) - step / 2);
    DisarmTickTimer(timer);
    StopTickSource();

    const int calls = std::min(probe.calls.load(), static_cast<int>(probe.starts.size()));
    std::vector<long> lateness;
    lateness.reserve(static_cast<size_t>(calls));
    long slot = 0;
    long skipped = 0;
    for (int k = 0; k < calls; k++) {
        if (k > 0) {
            // After each call the source moves to the next due time, or past
            // every due time that went by before the call returned.
            const long returned = static_cast<long>((probe.ends[k - 1] - armed) / step);
            const long next = std::max(slot + 1, returned + 1);
            skipped += next - slot - 1;
            slot = next;
        }
        const auto late = probe.starts[k] - (armed + slot * step);
        lateness.push_back(
            static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(late).count()));
    }
    std::sort(lateness.begin(), lateness.end());
    auto percentile = [&](double q) -> long {
        if (lateness.empty()) return 0;
        const size_t index =
            static_cast<size_t>(q * static_cast<double>(lateness.size() - 1) + 0.5);
        return lateness[std::min(index, lateness.size() - 1)];
    };

    std::printf("ticks=%d\n", probe.calls.load());
    std::printf("expected=%ld\n", expected);
    std::printf("late_p50_us=%ld\n", percentile(0.50));
    std::printf("late_p99_us=%ld\n", percentile(0.99));
    std::printf("late_max_us=%ld\n", lateness.empty() ? 0L : lateness.back());
    std::printf("skipped=%ld\n", skipped);
    std::printf("overlaps=%d\n", probe.overlaps.load());
    return probe.overlaps.load() == 0 ? 0 : 1;
}
