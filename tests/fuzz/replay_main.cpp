// Runs a fuzz target's body once for every file of a corpus folder, so the seeds and the kept
// crash inputs are checked by every build, sanitizers or not.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(argv[1])) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    // An empty or mistyped folder would pass without checking anything.
    if (files.empty()) {
        std::fprintf(stderr, "no corpus files in %s\n", argv[1]);
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto &file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "%s (%zu bytes)\n", file.filename().c_str(), bytes.size());
        // A non-null pointer even for an empty file, as libFuzzer passes it.
        static const uint8_t empty = 0;
        const uint8_t *data = bytes.empty() ? &empty : reinterpret_cast<const uint8_t *>(bytes.data());
        LLVMFuzzerTestOneInput(data, bytes.size());
    }
    std::fprintf(stderr, "%zu inputs replayed\n", files.size());
    return 0;
}
