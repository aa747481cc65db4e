#pragma once
// Process-wide verbose switch for link diagnostics, and the one writer of
// whole lines to standard output. Everything that prints to stdout while the
// link may be printing goes through printStdout, so lines never interleave.

#include <string_view>

namespace hss {

// On by default.
void setVerboseMode(bool on);
bool isVerboseMode();

// Writes text (normally one or more complete lines) under one process-wide
// lock and flushes it.
void printStdout(std::string_view text);

// printStdout only when verbose mode is on.
void printVerbose(std::string_view text);
// printf-style printVerbose.
void printVerboseFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace hss
