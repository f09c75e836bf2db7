// Runs a fuzz target over the inputs in the files and folders named on the
// command line, so that the seed corpus and every input that once failed are
// checked in each build, with the build's own compiler.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputs_in(const std::filesystem::path &place)
{
    std::vector<std::filesystem::path> found;
    if (std::filesystem::is_directory(place)) {
        for (const auto &entry : std::filesystem::directory_iterator(place))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                found.push_back(entry.path());
    } else if (std::filesystem::is_regular_file(place)) {
        found.push_back(place);
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

int main(int argc, char *argv[])
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::filesystem::path &input : inputs_in(argv[i])) {
            std::printf("replaying %s\n", input.string().c_str());
            std::fflush(stdout);
            std::ifstream file(input, std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                                  std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    // A replay that finds no input checks nothing.
    return replayed > 0 ? 0 : 1;
}
