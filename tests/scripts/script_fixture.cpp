#include "script_fixture.h"

#include <algorithm>
#include <filesystem>

#include "output/palette.h"

namespace morva::testing {

ScriptFixture::ScriptFixture() {
    config.Channel = "Home";
}

void ScriptFixture::script(const std::string& fileName, const std::string& source) {
    std::filesystem::create_directories(profile.dir() / "Scripts");
    profile.write("Scripts/" + fileName, source);
}

void ScriptFixture::run(const std::string& source) {
    script("test.lua", source);
    bot.scripts.load();
    chat.clear();
}

namespace {
// The lines that are one run of that colour.
std::vector<std::string> linesOf(const MemoryPane& pane, Rgb color) {
    std::vector<std::string> lines;
    for (const PaneLine& line : pane.paneLines())
        if (line.runs.size() == 1 && line.runs[0].color == color) lines.push_back(line.runs[0].text);
    return lines;
}
}  // namespace

std::vector<std::string> ScriptFixture::errorLines() const {
    return linesOf(chat, ColorError);
}

std::vector<std::string> ScriptFixture::printed() const {
    return linesOf(chat, ColorWhite);
}

std::vector<std::string> ScriptFixture::profileFiles() const {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(profile.dir()))
        if (!entry.is_directory())
            files.push_back(std::filesystem::relative(entry.path(), profile.dir()).string());
    std::ranges::sort(files);
    return files;
}

}  // namespace morva::testing
