// The fixed text of the about box: identification, controls and options.
#pragma once

// Lines end in CR LF, tabs align the columns.
extern const wchar_t kAboutText[];
