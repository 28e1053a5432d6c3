// Runs a fuzz target without libFuzzer: every file of the corpus folders named on the command line,
// then a fixed number of inputs from a seeded generator that mixes random bytes with fragments the
// parsers care about. Every run is the same, so a failure can be repeated; scripts/fuzz.sh builds
// the targets with clang and libFuzzer for coverage-guided fuzzing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/packets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Pieces of the protocols and of the texts the bot reacts to, and whole events, so that the channel
// often fills and empties and the bot is often operator.
const std::vector<std::string> Fragments = {
    std::string("\xFF\x0F", 2),
    std::string("\xFF\x50", 2),
    std::string("\xFF\x3A", 2),
    std::string("\x00\x00", 2),
    std::string("\x05\x00\x00\x00", 4),
    std::string("\x12\x00\x00\x00", 4),
    std::string("\xFF\x67", 2),
    "1005 TALK ",
    "1002 JOIN ",
    "1018 INFO ",
    "1004 WHISPER ",
    "1010 WHISPER ",
    "2010 NAME ",
    "1007 CHANNEL ",
    "\"",
    "\r\n",
    "\r",
    "\n",
    " ",
    "[",
    "]",
    "*",
    "?",
    "#",
    "!",
    "-",
    "!kick *",
    "!ban a*, b",
    "was banned by",
    "has been kicked by",
    "Users in channel",
    "[Profile]",
    "Port=",
    "=",
    "'",
    "0002",
    "0012",
    "[STAR]",
    "bot1",
    "1001 USER bot1 0002 [CHAT]\r\n",
    "1001 USER Joe 0010 [STAR]\r\n",
    "1002 JOIN Jim 0000 [SEXP]\r\n",
    "1003 LEAVE Joe\r\n",
    "1009 USER Jim 0002\r\n",
    "1005 TALK Boss 0000 \"!ban J*\"\r\n",
    morva::testing::ChatEventPacket(0x01, 0x02, 0, "bot1", "TAHC"),
    morva::testing::ChatEventPacket(0x01, 0x10, 0, "Joe", "RATS"),
    morva::testing::ChatEventPacket(0x02, 0x00, 0, "Jim", "PXES"),
    morva::testing::ChatEventPacket(0x03, 0x00, 0, "Joe", ""),
    morva::testing::ChatEventPacket(0x09, 0x02, 0, "Jim", ""),
    morva::testing::ChatEventPacket(0x05, 0x00, 0, "Boss", "!ban J*")};

std::string input(std::mt19937& random) {
    std::string bytes;
    const int pieces = std::uniform_int_distribution<int>(0, 24)(random);
    for (int i = 0; i < pieces; ++i) {
        if (random() % 2 == 0) {
            bytes += Fragments[random() % Fragments.size()];
        } else {
            const int length = std::uniform_int_distribution<int>(1, 16)(random);
            for (int k = 0; k < length; ++k) bytes += static_cast<char>(random() & 0xFF);
        }
    }
    return bytes;
}

void run(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// The files of a corpus folder in name order, or the one file named.
std::vector<std::filesystem::path> corpusFiles(const std::filesystem::path& path) {
    if (!std::filesystem::is_directory(path)) return {path};
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

// Arguments: corpus folders or files, and the number of generated inputs (5000 when none is given).
int main(int argc, char** argv) {
    long runs = 5000;
    std::size_t corpus = 0;
    for (int i = 1; i < argc; ++i) {
        char* end = nullptr;
        const long number = std::strtol(argv[i], &end, 10);
        if (*end == '\0' && end != argv[i]) {
            runs = number;
            continue;
        }
        for (const auto& file : corpusFiles(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", file.c_str());
                return 1;
            }
            run(std::string(std::istreambuf_iterator<char>(in), {}));
            ++corpus;
        }
    }
    std::mt19937 random(20261210);
    for (long i = 0; i < runs; ++i) run(input(random));
    std::printf("%zu corpus inputs and %ld generated inputs ran without a fault\n", corpus, runs);
    return 0;
}
