// Stands in for libcanberra's ca_context_play (LD_PRELOAD) in the end-to-end
// tests: appends the file name the program hands over, one a line, to the
// file MOX_CANBERRA_LOG names, and plays nothing.
#include <canberra.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int ca_context_play(ca_context*, uint32_t, ...) __attribute__((visibility("default")));

extern "C" int ca_context_play(ca_context*, uint32_t id, ...) {
    const char* log = std::getenv("MOX_CANBERRA_LOG");
    va_list properties;
    va_start(properties, id);
    for (const char* key = va_arg(properties, const char*); key != nullptr;
         key = va_arg(properties, const char*)) {
        const char* value = va_arg(properties, const char*);
        if (log != nullptr && std::strcmp(key, CA_PROP_MEDIA_FILENAME) == 0) {
            if (FILE* out = std::fopen(log, "a")) {
                std::fprintf(out, "%s\n", value);
                std::fclose(out);
            }
        }
    }
    va_end(properties);
    return CA_SUCCESS;
}
