// Scratch files for the profile tests: a private folder, raw bytes in and
// out, and the encodings the tests build files in.
#pragma once

#include <filesystem>
#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    // The full path of a file in the folder, as the profile operations take it.
    std::wstring File(const std::string& name) const;
    // The names of everything in the folder, sorted.
    std::string Listing() const;

private:
    std::filesystem::path root_;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes, or "<missing>".
std::string ReadFileBytes(const std::wstring& path);

// Wide text as bytes. Utf16 takes BMP characters only.
std::string Utf8(const std::wstring& text);
std::string Utf16Le(const std::wstring& text);
std::string Utf16Be(const std::wstring& text);
constexpr char kUtf16LeMark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
