// Feeds every file of the given corpus folders (or the given files) to a fuzz
// target once, in name order: the test suite's replay of the corpora, built
// with the normal compiler. Fails when an input crashes the target or no
// input was found.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "FuzzTarget.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            for (const auto& entry : fs::directory_iterator(path, ec))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else if (fs::is_regular_file(path, ec)) {
            inputs.push_back(path);
        } else {
            std::fprintf(stderr, "no corpus at %s\n", path.c_str());
            return 1;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "the corpus is empty\n");
        return 1;
    }
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.eof() && in.fail()) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 1;
        }
        // A copy of exactly the input's size, so reads past its end are
        // caught; never a null pointer, not even for an empty input (as
        // libFuzzer hands it over, and memcpy may be given it).
        const auto data = std::make_unique<uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), data.get());
        std::fprintf(stderr, "%s\n", input.filename().c_str());
        LLVMFuzzerTestOneInput(data.get(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
