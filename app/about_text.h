// The fixed text of the about box: identification, controls and options.
#pragma once

// What built the program, for the text's "Language:" line ("C++20,
// MinGW-w64"); each program's window layer defines it.
extern const wchar_t kBuildTools[];

// The about text. Lines end in CR LF, tabs align the columns. Composed at the
// first call; UI thread.
const wchar_t* AboutText();
