#include "link/HSSVerbose.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace hss {

namespace {
std::atomic<bool> verboseMode{true};
std::mutex stdoutMutex;
}  // namespace

void setVerboseMode(bool on) { verboseMode.store(on); }

bool isVerboseMode() { return verboseMode.load(); }

void printStdout(std::string_view text) {
    std::lock_guard lock(stdoutMutex);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void printVerbose(std::string_view text) {
    if (isVerboseMode()) printStdout(text);
}

void printVerboseFormat(const char* format, ...) {
    if (!isVerboseMode()) return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length > 0) {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, args);
        text.pop_back();
        printStdout(text);
    }
    va_end(args);
}

}  // namespace hss
