// Fuzzes the profile reader and writer with arbitrary file bytes. Besides
// crashes and sanitizer reports it checks what a write promises: the key
// reads back as written, every other key keeps its value, and a value with
// line breaks adds no lines. The input's last byte also picks the key written.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/profile_file.h"

namespace {

namespace fs = std::filesystem;

const wchar_t* const kSections[] = {L"MOX_Timer", L" S ", L"", L"[s]", L"\x0421"};
const wchar_t* const kKeys[] = {L"-mode", L"K", L"", L";c", L"\x041A"};
constexpr size_t kSectionCount = sizeof kSections / sizeof kSections[0];
constexpr size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];
constexpr size_t kCapacities[] = {1, 2, 3, 16, 300};

// One scratch file for the whole run, in a folder removed at exit.
const std::wstring& FilePath() {
    static const std::wstring path = [] {
        const fs::path folder =
            fs::temp_directory_path() / ("mox-profile-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        static const fs::path kept = folder;
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(kept, ignored);
        });
        return (folder / "settings.ini").wstring();
    }();
    return path;
}

std::wstring Read(const wchar_t* section, const wchar_t* key, size_t capacity = 300) {
    wchar_t buffer[300];
    const size_t n =
        ProfileFileGetString(section, key, L"<d>", buffer, capacity, FilePath().c_str());
    if (n >= capacity || buffer[n] != 0 || std::wcslen(buffer) != n) std::abort();
    return std::wstring(buffer, n);
}

// Names as the profile functions compare them: blanks trimmed, ASCII folded.
std::wstring Normal(const wchar_t* name) {
    std::wstring s = name;
    const wchar_t* blanks = L" \t\v\f\x1A\r\n";
    const size_t first = s.find_first_not_of(blanks);
    if (first == std::wstring::npos) return L"";
    s = s.substr(first, s.find_last_not_of(blanks) - first + 1);
    for (auto& c : s) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    }
    return s;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "profile_fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(fs::path(FilePath()), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::wstring before[kSectionCount][kKeyCount];
    for (size_t s = 0; s < kSectionCount; ++s) {
        for (size_t k = 0; k < kKeyCount; ++k) before[s][k] = Read(kSections[s], kKeys[k]);
    }

    const uint8_t pick = size > 0 ? data[size - 1] : 0;
    const wchar_t* section = kSections[pick % kSectionCount];
    const wchar_t* key = kKeys[(pick / kSectionCount) % kKeyCount];
    for (size_t capacity : kCapacities) Read(section, key, capacity);
    ProfileFileGetInt(section, key, 7, FilePath().c_str());
    Check(ProfileFileWriteString(section, key, L"fuzz value", FilePath().c_str()), "write failed");
    Check(Read(section, key) == L"fuzz value", "written value does not read back");
    for (size_t s = 0; s < kSectionCount; ++s) {
        for (size_t k = 0; k < kKeyCount; ++k) {
            const bool same =
                Normal(kSections[s]) == Normal(section) && Normal(kKeys[k]) == Normal(key);
            if (!same) Check(Read(kSections[s], kKeys[k]) == before[s][k], "another key changed");
        }
    }

    const std::wstring evil = Read(L"evil", L"x");
    Check(ProfileFileWriteString(section, key, L"a\r\n[evil]\r\nx=1\nb", FilePath().c_str()),
          "second write failed");
    Check(Read(section, key) == L"a", "value not cut at its line break");
    Check(Read(L"evil", L"x") == evil, "a line break added a section");
    return 0;
}
