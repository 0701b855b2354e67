// The alarm through libcanberra: started without waiting, a new alarm stops
// the one still playing, and a missing file or a missing sound device plays
// nothing at all (no substitute sound).
#include <canberra.h>

#include <climits>

#include "app/shell_services.h"
#include "platform/gtk/alarm_file.h"
#include "platform/platform.h"

namespace {

constexpr uint32_t kAlarmSoundId = 1;

ca_context* OpenContext() {
    static ca_context* context = nullptr;
    static bool failed = false;
    if (context == nullptr && !failed) {
        if (ca_context_create(&context) != CA_SUCCESS) {
            context = nullptr;
            failed = true;
            return nullptr;
        }
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "MOX Stopwatch & Timer",
                                CA_PROP_APPLICATION_ID, "moxtimer", nullptr);
    }
    return context;
}

}  // namespace

void PlayAlarmSound(const wchar_t* file) {
    static wchar_t program[PATH_MAX];
    static char path[PATH_MAX];
    if (!GetExecutablePath(program, PATH_MAX)) program[0] = L'\0';
    if (!ResolveAlarmFile(file, program, path, sizeof path)) return;
    ca_context* context = OpenContext();
    if (context == nullptr) return;
    ca_context_cancel(context, kAlarmSoundId);
    ca_context_play(context, kAlarmSoundId, CA_PROP_MEDIA_FILENAME, path,
                    CA_PROP_CANBERRA_CACHE_CONTROL, "never", nullptr);
}
