#include "settings/decimal_text.h"

#include <algorithm>

namespace {

bool IsBlankSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

struct Magnitude {
    uint64_t value;  // saturates just above the 32-bit range
    bool negative;
    bool hasDigits;
};

// Reads sign and digits; the magnitude stops growing at 2^32, which is beyond
// every range the callers distinguish.
Magnitude ReadMagnitude(const wchar_t* text, const wchar_t** end) {
    const wchar_t* p = text;
    while (IsBlankSpace(*p)) ++p;
    Magnitude m{0, false, false};
    if (*p == L'+' || *p == L'-') {
        m.negative = *p == L'-';
        ++p;
    }
    constexpr uint64_t kCeiling = 0x100000000ull;
    while (*p >= L'0' && *p <= L'9') {
        m.hasDigits = true;
        m.value = std::min(m.value * 10 + static_cast<uint64_t>(*p - L'0'), kCeiling);
        ++p;
    }
    if (end) *end = m.hasDigits ? p : text;
    return m;
}

}  // namespace

int32_t ReadDecimalSigned32(const wchar_t* text, const wchar_t** end) {
    const Magnitude m = ReadMagnitude(text, end);
    const int64_t value =
        m.negative ? -static_cast<int64_t>(m.value) : static_cast<int64_t>(m.value);
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

uint32_t ReadDecimalUnsigned32(const wchar_t* text, const wchar_t** end) {
    const Magnitude m = ReadMagnitude(text, end);
    if (m.value > 0xFFFFFFFFull) return UINT32_MAX;
    const uint32_t value = static_cast<uint32_t>(m.value);
    return m.negative ? 0u - value : value;
}
