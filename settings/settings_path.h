// Where the settings file is: named after the program by the platform's rule,
// then placed by the platform (beside the program, or in the user's
// configuration folder).
#pragma once

#include <cstddef>

#include "platform/platform.h"

// The settings file beside program, named by rule: ReplaceLastThree
// overwrites the last three characters with "ini" whatever they are,
// AppendIni adds ".ini". Returns false, with out empty, for an empty program
// path or a result that does not fit capacity.
bool NameSettingsFile(const wchar_t* program, SettingsNameRule rule, wchar_t* out, size_t capacity);

// Fills the path the settings are written to and the one they are read from,
// each of kPathCapacity, once at start-up. Both stay empty, so that the
// program runs without a settings file, when the executable's path cannot be
// had or a path does not fit.
void DeriveSettingsPath(wchar_t* writePath, wchar_t* readPath);
