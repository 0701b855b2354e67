// Wide texts of the core to the UTF-8 that GTK takes, into fixed buffers.
#pragma once

#include <cstddef>

// Converts text to UTF-8 in buffer, cut at a whole character when it does not
// fit; the result is always terminated (capacity must be at least 1). A code
// point that is not a Unicode scalar value becomes U+FFFD. Returns the length
// written, without the terminator.
size_t WideToUtf8(const wchar_t* text, char* buffer, size_t capacity);
