// The fake profile operations: the portable profile file, with the reads
// counted. Apart from the other services, since they call up into settings/.
#include "platform/fake/fake_platform.h"
#include "settings/profile_file.h"

size_t ProfileGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                        wchar_t* buffer, size_t capacity, const wchar_t* path) {
    fake::g.profileReads++;
    return ProfileFileGetString(section, key, defaultText, buffer, capacity, path);
}

uint32_t ProfileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                       const wchar_t* path) {
    fake::g.profileReads++;
    return ProfileFileGetInt(section, key, defaultValue, path);
}

void ProfileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                        const wchar_t* path) {
    ProfileFileWriteString(section, key, value, path);
}
