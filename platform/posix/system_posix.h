// System services of the Linux program: the executable's path, the command
// line and the profile operations.
#pragma once

#include <cstddef>

// Sets the locale from the environment and rebuilds the Windows-style command
// line from argv, so that GetCommandLineText() reads as it would on Windows:
// the program name first (quoted when it holds a blank), then every argument
// after one blank. An argument holding a blank gets double quotes around its
// value (the text after its first "="), or around the whole argument when it
// has no "="; an argument ending in "=" gets an empty pair of quotes back; an
// argument that itself holds a double quote is passed as it is. The bytes are
// converted as path_bytes.h says, whatever the locale, so a file name given
// as an argument keeps every byte. Call once, first thing in main.
void SetCommandLineFromArgs(int argc, char** argv);

// The work of GetExecutablePath on the text of the /proc/self/exe link:
// false, with buffer empty, for a link naming a deleted file or a path that
// does not fit. Every byte of the path is kept (path_bytes.h).
bool ExecutablePathFromLink(const char* link, wchar_t* buffer, size_t capacity);
