// Feeds every file named on the command line, or found under a folder named there, through the
// fuzz target's entry function: the seed corpus, the tests' design files and every saved crash,
// without libFuzzer.
#include "fuzz_designfile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

/** Design files, and the crash files libFuzzer saves without an extension. */
bool isInput(const fs::path& path) {
    return fs::is_regular_file(path) &&
           (path.extension() == ".vap" ||
            (!path.has_extension() && path.filename().string().front() != '.'));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        fs::path argument(argv[i]);
        if (fs::is_directory(argument)) {
            for (const auto& entry : fs::recursive_directory_iterator(argument)) {
                if (isInput(entry.path()))
                    inputs.push_back(entry.path());
            }
        } else if (fs::exists(argument)) {
            inputs.push_back(argument);
        } else {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 2;
    }
    for (const fs::path& input : inputs) {
        std::string bytes = readFile(input);
        std::printf("%s (%zu bytes)\n", input.string().c_str(), bytes.size());
        std::fflush(stdout); // the name stands in the log if the input aborts
        vapFuzzDesignFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
