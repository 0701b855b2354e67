// System services on Linux.
#include "platform/posix/system_posix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <string>

#include "platform/platform.h"
#include "platform/posix/path_bytes.h"
#include "settings/profile_file.h"

static_assert(kPathCapacity == PATH_MAX);

namespace {

// Built once at start-up; read-only afterwards.
std::wstring g_commandLine;

void UseEnvironmentLocale() {
    static bool done = false;
    if (done) return;
    std::setlocale(LC_ALL, "");
    done = true;
}

void AppendArgument(std::wstring& line, const char* argument) {
    const std::wstring wide = BytesToWideString(argument);
    if (wide.find(L'"') != std::wstring::npos) {
        line += wide;
        return;
    }
    const size_t equals = wide.find(L'=');
    const bool hasBlank = wide.find(L' ') != std::wstring::npos;
    const bool emptyValue = equals != std::wstring::npos && equals + 1 == wide.size();
    if (!hasBlank && !emptyValue) {
        line += wide;
        return;
    }
    const size_t valueStart = equals == std::wstring::npos ? 0 : equals + 1;
    line.append(wide, 0, valueStart);
    line += L'"';
    line.append(wide, valueStart, std::wstring::npos);
    line += L'"';
}

void AppendProgramName(std::wstring& line, const char* name) {
    const std::wstring wide = name ? BytesToWideString(name) : std::wstring();
    // Quotes inside the name would end the quoted token early and leak the
    // rest of the name into the options; the name is only ever skipped.
    std::wstring cleaned;
    for (wchar_t c : wide) {
        if (c != L'"') cleaned += c;
    }
    const bool quote = cleaned.empty() || cleaned.find(L' ') != std::wstring::npos;
    if (quote) line += L'"';
    line += cleaned;
    if (quote) line += L'"';
}

}  // namespace

void SetCommandLineFromArgs(int argc, char** argv) {
    UseEnvironmentLocale();
    std::wstring line;
    AppendProgramName(line, argc > 0 ? argv[0] : nullptr);
    for (int i = 1; i < argc; ++i) {
        if (!argv[i]) break;
        line += L' ';
        AppendArgument(line, argv[i]);
    }
    g_commandLine.swap(line);
}

const wchar_t* GetCommandLineText() {
    return g_commandLine.c_str();
}

bool ExecutablePathFromLink(const char* link, wchar_t* buffer, size_t capacity) {
    if (capacity == 0) return false;
    buffer[0] = L'\0';
    // The kernel marks an unlinked executable by this suffix; a file that
    // really has such a name still exists.
    static constexpr char kDeleted[] = " (deleted)";
    const size_t length = std::strlen(link);
    const size_t suffix = sizeof kDeleted - 1;
    struct stat info;
    if (length >= suffix && std::strcmp(link + length - suffix, kDeleted) == 0 &&
        stat(link, &info) != 0) {
        return false;
    }
    return link[0] != '\0' && BytesToWide(link, buffer, capacity);
}

bool GetExecutablePath(wchar_t* buffer, size_t capacity) {
    if (capacity == 0) return false;
    buffer[0] = L'\0';
    char link[PATH_MAX + 1];
    const ssize_t length = readlink("/proc/self/exe", link, sizeof link);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof link)) return false;
    link[length] = '\0';
    return ExecutablePathFromLink(link, buffer, capacity);
}

size_t ProfileGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                        wchar_t* buffer, size_t capacity, const wchar_t* path) {
    return ProfileFileGetString(section, key, defaultText, buffer, capacity, path);
}

uint32_t ProfileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                       const wchar_t* path) {
    return ProfileFileGetInt(section, key, defaultValue, path);
}

void ProfileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                        const wchar_t* path) {
    ProfileFileWriteString(section, key, value, path);
}
