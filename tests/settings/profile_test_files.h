// Scratch files for the settings tests: a private folder, raw bytes in and
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
    std::wstring File(const std::string& name) const { return (root_ / name).wstring(); }
    // The names of everything in the folder, sorted and separated by blanks.
    std::string Listing() const;

private:
    std::filesystem::path root_;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes, or "<missing>".
std::string ReadFileBytes(const std::wstring& path);

// Wide text (basic plane only) as bytes.
std::string Utf8(const std::wstring& text);
std::string Utf16Le(const std::wstring& text);
constexpr char kUtf16LeMark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
const std::wstring kCyrillic = L"\x0411\x0443\x0434\x0438\x043B\x044C\x043D\x0438\x043A";
