// Decimal numbers read the way the 32-bit wcstol and wcstoul of Windows read
// them in base 10, on every platform (long is 64 bits wide on 64-bit Linux):
// leading white space skipped, an optional sign, digits up to the first
// non-digit. Without digits the result is 0 and *end is the text itself.
#pragma once

#include <cstdint>

// Out of range: INT32_MAX or INT32_MIN.
int32_t ReadDecimalSigned32(const wchar_t* text, const wchar_t** end);

// A leading "-" negates modulo 2^32; a magnitude beyond 4294967295 gives
// 4294967295 whatever the sign.
uint32_t ReadDecimalUnsigned32(const wchar_t* text, const wchar_t** end);
