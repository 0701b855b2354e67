#include "profile_test_files.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

// CTest runs cases as parallel processes: the moment and a counter keep the
// folders apart.
ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    root_ = fs::temp_directory_path() /
            ("mox-settings-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
}

std::string ScratchFolder::Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_)) {
        names.insert(entry.path().filename().string());
    }
    std::string out;
    for (const auto& name : names) out += (out.empty() ? "" : " ") + name;
    return out;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(fs::path(path), std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t w : text) {
        const auto c = static_cast<uint32_t>(w);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string Utf16Le(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
    }
    return out;
}
