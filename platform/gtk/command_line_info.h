// --help, -h and --version, answered before GTK starts: they need no
// display, open no window and write nothing.
#pragma once

#include <cstdint>

enum class InfoRequest : uint8_t { None, Help, Version };

// Only a whole argument counts: "-alarmFile=/tmp/my-horn.wav" holds "-h"
// and asks for nothing. The first request wins.
InfoRequest FindInfoRequest(int argc, char** argv);

// Prints what was asked to standard output: the version, or the usage (every
// option with its values, the keys and the mouse, and the settings file that
// start-up derives for this run). Returns the exit code: 0, or 1 when the
// text could not be written.
int AnswerInfoRequest(InfoRequest request);
