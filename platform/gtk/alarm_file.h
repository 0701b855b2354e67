// Where the alarm file is found.
#pragma once

#include <cstddef>

// Finds the alarm file for name: an absolute name as it stands, a relative
// one in the current folder first, then in the folder of programPath (the
// running executable's path). The first that names an existing regular file
// wins, and its path goes to path as the bytes the file system takes.
// Returns false, with path empty, for an empty name, when none is found, or
// when a path does not fit.
bool ResolveAlarmFile(const wchar_t* name, const wchar_t* programPath, char* path, size_t capacity);
