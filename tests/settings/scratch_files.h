// A private folder per test, and raw file bytes in and out.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root = std::filesystem::temp_directory_path() /
               ("mox-settings-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(root);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    std::wstring File(const std::string& name) const { return (root / name).wstring(); }

    std::filesystem::path root;
};

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Utf16Le(const std::wstring& text) {
    std::string out = "\xFF\xFE";
    for (wchar_t c : text) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF)};
    return out;
}
