// The saver of the crash-safety test: saves the two settings files of
// SaveLoopTexts.h in turn over one target, through the tool's own save path,
// until it is killed. After its first save it writes one byte to standard
// output, so the test knows the loop is running.
//   files-save-loop TARGET

#include <unistd.h>

#include <cstdio>

#include "SaveLoopTexts.h"
#include "files/FileReplace.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: files-save-loop TARGET\n");
        return 2;
    }
    const std::string texts[2] = {saveLoopText(1), saveLoopText(0)};
    for (unsigned long n = 0;; ++n) {
        if (const auto error = hss::files::writeFileReplacing(argv[1], texts[n % 2])) {
            std::fprintf(stderr, "files-save-loop: %s\n", error->c_str());
            return 1;
        }
        if (n == 0 && ::write(STDOUT_FILENO, "r", 1) != 1) return 1;
    }
}
