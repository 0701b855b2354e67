// Our profile implementation against the system's own profile functions, run
// under Wine. For each awkward file the same reads and writes go through both:
// every read must agree, before and after each write, and the files written
// must hold the same sections, keys and values (the system rewrites whole
// files, ours changes one line, so bytes are not compared). The behaviours
// where the two knowingly part are pinned down in KnownDifferences.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "profile_test_files.h"
#include "settings/profile_file.h"

namespace {

struct CorpusFile {
    std::string name;
    std::string bytes;
    bool exists = true;
};

std::string Repeat(char c, size_t n) {
    return std::string(n, c);
}

std::vector<CorpusFile> Corpus() {
    const std::wstring cyrillic = L"\x0411\x0443\x0434\x0438\x043B\x044C\x043D\x0438\x043A";
    std::string garbage = kUtf8Mark;
    uint32_t seed = 99;
    for (int i = 0; i < 1500; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const char c = static_cast<char>(seed >> 24);
        garbage += (i % 97 == 0) ? '\n' : c;
    }
    garbage += "\r\n[MOX_Timer]\r\n-color=red\r\n";
    return {
        {"missing", "", false},
        {"empty", ""},
        {"mixed_case",
         "[MOX_Timer]\r\n-Mode=timer:90\r\n-PRECISION=decisecond\r\n"
         "[mox_timer]\r\n-mode=stopwatch\r\n-color=blue\r\n"},
        {"blanks",
         "  [ MOX_Timer ]  \r\n\t-color\t=\t red \t\r\n -style =  straight\x1A\r\n"
         "   \r\n-position = 1 , 2 , 3 , 4 \r\n\v-start\f=\f1\r\n"
         "[\tTabbed\x1A]\r\nk=t\r\n"},
        {"quotes",
         "[q]\r\na=\"abc\"\r\nb='abc'\r\nc=\"abc'\r\nd=\"\r\ne=\"\"\r\nf=\"abc\r\n"
         "g=abc\"\r\nh= \" abc \" \r\ni=''\r\nj='\"\r\nk=\"a\"b\"\r\n"
         "-alarmMessage=\"  Time is up!  \"\r\n"},
        {"duplicates",
         "[dup]\r\nk=first\r\nK=second\r\nk=third\r\n[other]\r\nk=o\r\n"
         "[DUP]\r\nk=fourth\r\nonly2=x\r\n[dup]\r\nonly3=y\r\n"},
        {"no_final_newline", "[MOX_Timer]\r\n-mode=timer:5\r\n-color=cyan"},
        {"lf_only", "[MOX_Timer]\n-mode=stopwatch\n\n[Other]\nx=1\n"},
        {"mixed_breaks", "[s]\ra=1\n\rb=2\r\r\nc=3\n\nd=4\r\n[t]\re=5"},
        {"long_lines", "[s]\r\n" + Repeat('x', 20000) + "=1\r\nk=" + Repeat('v', 40000) + "\r\n; " +
                           Repeat('c', 10000) + "\r\nafter=ok\r\n[" + Repeat('S', 3000) +
                           "]\r\nk=long section\r\n"},
        {"empty_values",
         "[MOX_Timer]\r\n-mode=\r\n-color= \r\n-style=\t\r\n-start=\r\n"
         "-alarmFile=  \"\"  \r\n"},
        {"no_equals", "[MOX_Timer]\r\n-start\r\n-noAlarm \r\n-color red\r\n-style=straight\r\n"},
        {"comments",
         "; leading comment\r\n# hash comment\r\n[MOX_Timer] ; trailing\r\n"
         ";-color=red\r\n-color=blue ; not a comment\r\n// -style=straight\r\n"
         "-style=rounded\r\n[;commented section]\r\n-color=green\r\n"},
        {"stray",
         "top=before any section\r\n[open\r\n[c]\r\n[open=5\r\nk=in c\r\n"
         "[tail]junk\r\nk=tail\r\n[x] ; c ]\r\nk=last bracket\r\n=anon\r\n"
         "[a=b]\r\nk=section with equals\r\n"},
        {"utf16le", kUtf16LeMark + Utf16Le(L"[MOX_Timer]\r\n-alarmFile=C:\\" + cyrillic +
                                           L".wav\r\n[\x0421\x0435\x043A\x0446\x0438\x044F]\r\n"
                                           L"\x041A\x043B\x044E\x0447 = \"" +
                                           cyrillic + L"\" \r\n-color=red\r\n")},
        {"utf8_bom",
         kUtf8Mark +
             Utf8(L"[MOX_Timer]\r\n-alarmMessage=" + cyrillic + L"!\r\n[\x0421]\r\n\x041A=1\r\n") +
             "bad=<\xC0\x80|\xE3\x80"
             "A|\xED\xA0\x80|\xF4\x90\x80\x80|\xF5\x80|\xFF>\r\n"},
        {"nuls", std::string("[s]\r\na\0b=1\r\nc=x\0y\r\n[n\0ul2]\r\nq=2\r\n", 33)},
        {"integers",
         "[s]\r\ni1=12\r\ni2=+5\r\ni3=-5\r\ni4=0x1F\r\ni5=0b101\r\ni6=0o17\r\n"
         "i7=4294967296\r\ni8=99999999999\r\ni9=12abc\r\ni10=abc\r\ni11=\r\n"
         "i12=\"-3\"\r\ni13=- 3\r\ni14=12345678901234567890123456789012345\r\n"
         "i15=0X10\r\ni16=  7  \r\n"},
        {"garbage_bom", garbage},
    };
}

// The file's lines: UTF-16LE or UTF-8 after their marks, else the ANSI code page.
std::vector<std::wstring> LinesOf(const std::string& bytes) {
    std::wstring text;
    if (bytes.compare(0, 2, kUtf16LeMark) == 0) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
    } else {
        const bool bom = bytes.compare(0, 3, kUtf8Mark) == 0;
        const std::string body = bytes.substr(bom ? 3 : 0);
        text.resize(body.size());
        const int n = MultiByteToWideChar(bom ? CP_UTF8 : CP_ACP, 0, body.data(),
                                          static_cast<int>(body.size()), text.data(),
                                          static_cast<int>(text.size()));
        text.resize(n > 0 ? n : 0);
    }
    std::vector<std::wstring> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::wstring UpperAscii(std::wstring s) {
    for (auto& c : s) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    }
    return s;
}

void AddName(std::vector<std::wstring>* names, const std::wstring& name, size_t limit) {
    if (name.find(L'\0') != std::wstring::npos || names->size() >= limit) return;
    if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
}

// Every section and key name the file holds, raw with its blanks, and in
// upper case; plus names no file holds. The empty section name is left out:
// the two part there (see KnownDifferences).
struct Names {
    std::vector<std::wstring> sections;
    std::vector<std::wstring> keys;
};

Names NamesIn(const std::string& bytes) {
    Names names;
    for (const std::wstring& line : LinesOf(bytes)) {
        const size_t open = line.find(L'[');
        const size_t close = line.rfind(L']');
        if (open != std::wstring::npos && close != std::wstring::npos && close > open + 1) {
            const std::wstring name = line.substr(open + 1, close - open - 1);
            AddName(&names.sections, name, 12);
            AddName(&names.sections, UpperAscii(name), 12);
        }
        const std::wstring key = line.substr(0, line.find(L'='));
        if (key.find_first_not_of(L" \t") != std::wstring::npos) {
            AddName(&names.keys, key, 20);
            AddName(&names.keys, UpperAscii(key), 20);
        }
    }
    for (const wchar_t* extra : {L"MOX_Timer", L"missing section", L" s "}) {
        AddName(&names.sections, extra, 30);
    }
    for (const wchar_t* extra : {L"-mode", L"-COLOR", L"missing key", L""}) {
        AddName(&names.keys, extra, 50);
    }
    return names;
}

// One answer of a read: the count returned and the text delivered.
struct Answer {
    size_t count;
    std::wstring text;
    bool operator==(const Answer&) const = default;
};

enum class Side { Ours, System };

Answer GetString(Side side, const std::wstring& path, const std::wstring& section,
                 const std::wstring& key, const wchar_t* fallback, size_t capacity) {
    std::wstring buffer(capacity + 1, L'#');
    const size_t n =
        side == Side::Ours
            ? ProfileFileGetString(section.c_str(), key.c_str(), fallback, buffer.data(), capacity,
                                   path.c_str())
            : GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback, buffer.data(),
                                       static_cast<DWORD>(capacity), path.c_str());
    return Answer{n, buffer.substr(0, buffer.find(L'\0'))};
}

uint32_t GetInt(Side side, const std::wstring& path, const std::wstring& section,
                const std::wstring& key) {
    return side == Side::Ours
               ? ProfileFileGetInt(section.c_str(), key.c_str(), -7, path.c_str())
               : GetPrivateProfileIntW(section.c_str(), key.c_str(), -7, path.c_str());
}

bool Write(Side side, const std::wstring& path, const std::wstring& section,
           const std::wstring& key, const std::wstring& value) {
    return side == Side::Ours
               ? ProfileFileWriteString(section.c_str(), key.c_str(), value.c_str(), path.c_str())
               : WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                            path.c_str()) != 0;
}

std::string Printable(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s.substr(0, 60)) {
        char hex[12];
        std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(c));
        out += (c >= 32 && c < 127) ? std::string(1, static_cast<char>(c)) : hex;
    }
    return s.size() > 60 ? out + "..." : out;
}

constexpr size_t kLargeCapacity = 100000;

class ProfileDifferential : public ::testing::Test {
protected:
    ScratchFolder scratch_;
    int quirks_ = 0;
    int reads_ = 0;

    // Every read of one file through one side against the other file through
    // the other side, at the given buffer capacities.
    void CompareReads(const std::string& state, Side leftSide, const std::wstring& left,
                      Side rightSide, const std::wstring& right, const Names& names,
                      const std::vector<size_t>& capacities) {
        const bool oursLeft = leftSide == Side::Ours;
        auto compare = [&](const std::wstring& section, const std::wstring& key,
                           const wchar_t* fallback, size_t capacity) {
            const Answer a = GetString(leftSide, left, section, key, fallback, capacity);
            const Answer b = GetString(rightSide, right, section, key, fallback, capacity);
            ++reads_;
            if (a == b) return;
            // A quoted value whose text without the quotes exactly fills the
            // buffer: Wine then drops the last character as well. Ours keeps it.
            const Answer& ours = oursLeft ? a : b;
            const Answer& system = oursLeft ? b : a;
            const Answer full = GetString(Side::Ours, oursLeft ? left : right, section, key,
                                          fallback, kLargeCapacity);
            if (ours.count == capacity - 1 && full.count == ours.count &&
                system.count + 1 == ours.count &&
                system.text == ours.text.substr(0, system.count)) {
                ++quirks_;
                return;
            }
            ADD_FAILURE() << state << ": [" << Printable(section) << "] " << Printable(key)
                          << " capacity " << capacity << ": " << Printable(a.text) << " ("
                          << a.count << ") vs " << Printable(b.text) << " (" << b.count << ")";
        };
        for (const auto& section : names.sections) {
            for (const auto& key : names.keys) {
                for (size_t capacity : capacities) compare(section, key, L"<d>", capacity);
                ++reads_;
                EXPECT_EQ(GetInt(leftSide, left, section, key),
                          GetInt(rightSide, right, section, key))
                    << state << ": GetInt [" << Printable(section) << "] " << Printable(key);
            }
        }
        // The default text's own rules, with a key no file holds.
        for (const wchar_t* fallback : {L"", L"dflt  ", L"  ", L"\"q\"", L"'q", L"de\tf\t"}) {
            for (size_t capacity : {size_t{2}, size_t{64}}) {
                compare(L"MOX_Timer", L"no such key", fallback, capacity);
            }
        }
    }
};

// The sections, keys and values of a file, in order, as both sides read them:
// blank lines dropped, names and values trimmed and cut at a NUL.
std::vector<std::wstring> Structure(const std::string& bytes) {
    auto trim = [](const std::wstring& s) {
        const wchar_t* blanks = L" \t\v\f\x1A";
        const size_t first = s.find_first_not_of(blanks);
        if (first == std::wstring::npos) return std::wstring();
        return s.substr(first, s.find_last_not_of(blanks) - first + 1);
    };
    auto cut = [&](const std::wstring& s) { return trim(s.substr(0, s.find(L'\0'))); };
    std::vector<std::wstring> out;
    for (const std::wstring& raw : LinesOf(bytes)) {
        const std::wstring line = trim(raw);
        if (line.empty()) continue;
        const size_t close = line.rfind(L']');
        const size_t equals = line.find(L'=');
        if (line[0] == L'[' && close != std::wstring::npos && close > 0) {
            out.push_back(L"[" + cut(line.substr(1, close - 1)) + L"]");
        } else if (equals == std::wstring::npos) {
            out.push_back(cut(line) + L" (no value)");
        } else {
            out.push_back(cut(line.substr(0, equals)) + L" = " + cut(line.substr(equals + 1)));
        }
    }
    return out;
}

struct WriteStep {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

std::vector<WriteStep> WritesFor(const CorpusFile& file, const Names& names) {
    std::vector<WriteStep> steps;
    if (!names.sections.empty() && !names.keys.empty()) {
        steps.push_back({names.sections[0], names.keys[0], L"replaced"});
        steps.push_back({UpperAscii(names.sections[0]), L"addedKey", L"added"});
    }
    steps.push_back({L"MOX_Timer", L"-mode", L"timer:90"});
    steps.push_back({L"mox_timer", L"-MODE", L"timer:90"});  // the same value again
    steps.push_back({L"MOX_Timer", L"-alarmMessage", L"  Time is up!  "});
    steps.push_back({L"MOX_Timer", L"-start", L"1"});
    steps.push_back({L"New Section", L"k", L"\"quoted\""});
    steps.push_back({L"MOX_Timer", L"-position", L""});
    // Files without a byte-order mark are ANSI to the system (see KnownDifferences).
    if (file.bytes.compare(0, 2, kUtf16LeMark) == 0 || file.bytes.compare(0, 3, kUtf8Mark) == 0) {
        steps.push_back({L"MOX_Timer", L"-alarmFile", L"C:\\" + kCyrillic + L".wav"});
    }
    return steps;
}

TEST_F(ProfileDifferential, ReadsAgreeBeforeAndAfterEveryWrite) {
    const std::vector<size_t> allCapacities = {1, 2, 4, kLargeCapacity};
    for (const CorpusFile& file : Corpus()) {
        const std::wstring ours = scratch_.File(file.name + ".ours.ini");
        const std::wstring system = scratch_.File(file.name + ".system.ini");
        if (file.exists) {
            WriteFileBytes(ours, file.bytes);
            WriteFileBytes(system, file.bytes);
        }
        Names names = NamesIn(file.bytes);
        CompareReads(file.name + " as given", Side::Ours, ours, Side::System, system, names,
                     allCapacities);
        int step = 0;
        for (const WriteStep& write : WritesFor(file, names)) {
            const std::string state = file.name + " after write " + std::to_string(++step);
            EXPECT_EQ(Write(Side::Ours, ours, write.section, write.key, write.value),
                      Write(Side::System, system, write.section, write.key, write.value))
                << state;
            AddName(&names.sections, write.section, 64);
            AddName(&names.keys, write.key, 64);
            // Each side reads its own file, and the system reads ours too:
            // what we write must read the same on Windows.
            CompareReads(state, Side::Ours, ours, Side::System, system, names, allCapacities);
            CompareReads(state + " (our file)", Side::System, ours, Side::Ours, ours, names,
                         {kLargeCapacity});
            const auto left = Structure(ReadFileBytes(ours));
            const auto right = Structure(ReadFileBytes(system));
            for (size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
                const std::wstring l = i < left.size() ? left[i] : L"-";
                const std::wstring r = i < right.size() ? right[i] : L"-";
                EXPECT_EQ(l, r) << state << " file structure, line " << i << ": " << Printable(l)
                                << "  |  " << Printable(r);
            }
        }
    }
    std::printf(
        "%d reads compared; %d quoted values that exactly fill the buffer lost their "
        "last character on the system side only\n",
        reads_, quirks_);
    EXPECT_GT(quirks_, 0);
}

// Where we knowingly part from Wine's profile functions.
TEST_F(ProfileDifferential, KnownDifferences) {
    const std::wstring path = scratch_.File("known.ini");
    auto both = [&](const wchar_t* section, const wchar_t* key, size_t capacity) {
        return std::make_pair(GetString(Side::Ours, path, section, key, L"<d>", capacity).text,
                              GetString(Side::System, path, section, key, L"<d>", capacity).text);
    };

    // 1. A quoted value that exactly fills the buffer keeps its last
    //    character with us; Wine drops it.
    WriteFileBytes(path, "[s]\r\nq=\"abc\"\r\n");
    EXPECT_EQ(both(L"s", L"q", 4), std::make_pair(std::wstring(L"abc"), std::wstring(L"ab")));

    // 2. Keys above the first header are in no section with us (as on
    //    Windows, by Wine's own tests); Wine files them under "".
    WriteFileBytes(path, "top=1\r\n[]\r\ntop=2\r\n");
    EXPECT_EQ(both(L"", L"top", 16), std::make_pair(std::wstring(L"2"), std::wstring(L"1")));

    // 3. A file without byte-order mark is UTF-8 to us, the ANSI code page to
    //    the system.
    WriteFileBytes(path, "[s]\r\nk=\xD0\x96\r\n");
    const auto ansi = both(L"s", L"k", 16);
    EXPECT_EQ(ansi.first, L"\x0416");
    EXPECT_NE(ansi.second, L"\x0416");

    // 4. A value with line breaks: we write it up to the first; the system
    //    writes it whole, adding a section.
    const std::wstring evil = L"a\r\n[evil]\r\nx=1";
    WriteFileBytes(path, "[s]\r\n");
    EXPECT_TRUE(Write(Side::Ours, path, L"s", L"k", evil));
    EXPECT_EQ(both(L"evil", L"x", 16).first, L"<d>");
    WriteFileBytes(path, "[s]\r\n");
    EXPECT_TRUE(Write(Side::System, path, L"s", L"k", evil));
    EXPECT_EQ(both(L"evil", L"x", 16).second, L"1");

    // 5. Half a character at the end of a UTF-16 file: ignored by us, read as
    //    a character by the system.
    WriteFileBytes(path, kUtf16LeMark + Utf16Le(L"[s]\r\nk=v") + "x");
    const auto odd = both(L"s", L"k", 16);
    EXPECT_EQ(odd.first, L"v");
    EXPECT_NE(odd.second, L"v");

    // 6. A new file: UTF-8 from us, ANSI from the system, where Cyrillic turns
    //    into question marks.
    const std::wstring fresh = scratch_.File("fresh.ini");
    EXPECT_TRUE(Write(Side::System, fresh, L"s", L"k", L"\x0416"));
    EXPECT_EQ(GetString(Side::System, fresh, L"s", L"k", L"", 16).text, L"?");
}

}  // namespace
