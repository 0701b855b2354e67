// Finding options on the command line. Options are not split into words: a
// name counts wherever it stands in the text after the program name, also
// inside another option's value, and its first occurrence counts.
#pragma once

// The text after the program name (see ExtractToken in options.h); never null.
const wchar_t* CommandLineRemainder(const wchar_t* commandLine);

// The text just after the first occurrence of name (which includes the "="
// of a value option), or null when name does not occur. Case matters.
const wchar_t* FindOption(const wchar_t* remainder, const wchar_t* name);
