#include "settings/name_lists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output/palette.h"
#include "support/bot_fixture.h"

namespace morva {
namespace {

using Entries = std::vector<std::string>;

struct ParseCase {
    std::string bytes;
    Entries entries;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.bytes);
}

class ParseListFileCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseListFileCases, CutsAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(ParseListFile(GetParam().bytes), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ParseListFileCases,
    ::testing::Values(ParseCase{"", {}}, ParseCase{"Bob\r\nAlice\r\n", {"Bob", "Alice"}},
                      ParseCase{"Bob\r\nAlice", {"Bob", "Alice"}},
                      ParseCase{"Bob\rAlice\r", {"Bob", "Alice"}},
                      ParseCase{"Bob\r\n\r\nAlice\r\n", {"Bob", "", "Alice"}}, ParseCase{"\r\n", {""}},
                      ParseCase{"\r\n\r\n", {"", ""}}, ParseCase{"a\r\r\nb", {"a", "", "b"}},
                      ParseCase{"Bob\nAlice\n", {"Bob", "Alice"}}, ParseCase{"Bob\nAlice", {"Bob", "Alice"}},
                      ParseCase{"a\n\rb", {"a", "", "b"}}, ParseCase{"a\n\nb\r\nc", {"a", "", "b", "c"}},
                      ParseCase{" spaced \t\r\n", {" spaced \t"}},
                      ParseCase{std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}}));

TEST(FormatListFile, EndsEveryEntryWithCrLf) {
    EXPECT_EQ(FormatListFile({}), "");
    EXPECT_EQ(FormatListFile({""}), "\r\n");
    EXPECT_EQ(FormatListFile({"Bob", "", "a\nb"}), "Bob\r\n\r\na\nb\r\n");
}

TEST(FormatListFile, ReadsBackAsTheSameEntries) {
    for (const Entries& entries : {Entries{}, Entries{""}, Entries{"", ""}, Entries{"Bob", "", "Alice", ""},
                                   Entries{"x y", "", "*hello*"}}) {
        EXPECT_EQ(ParseListFile(FormatListFile(entries)), entries);
    }
}

struct ListFile {
    const char* fileName;
    std::vector<std::string> Settings::*list;
    void (*load)(Settings&);
    bool (*write)(Settings&);
    const char* loadError;
    const char* saveError;
};

void PrintTo(const ListFile& f, std::ostream* os) {
    *os << f.fileName;
}

const ListFile Acces{"acces.bot",    &Settings::AccesNames,       Acceslist,
                     WriteAccesList, "Bot: Error in Acceslist()", "Bot: Error in WriteAccesList()"};
const ListFile Safe{"safelist.bot", &Settings::SafeNames,       Safelist,
                    WriteSafelist,  "Bot: Error in Safelist()", "Bot: Error in WriteSafelist()"};
const ListFile Filter{"filter.bot", &Settings::FilterPatterns, Shitlist,
                      WriteFilter,  "Error in Shitlist()",     "Error in Shitlist()"};

class EveryListFile : public testing::BotFixture, public ::testing::WithParamInterface<ListFile> {
protected:
    std::vector<std::string>& list() { return bot.settings.*GetParam().list; }
    std::string path() const { return (profile.dir() / GetParam().fileName).string(); }
    void expectOnlyError(const std::string& line) {
        EXPECT_EQ(chatLines(), Entries{line});
        EXPECT_EQ(chat.runs().back().first, ColorError);
    }
};

TEST_P(EveryListFile, LoadsTheFileInOrder) {
    profile.write(GetParam().fileName, "Bob\r\n\r\nAlice\r\nbob");
    GetParam().load(bot.settings);
    EXPECT_EQ(list(), (Entries{"Bob", "", "Alice", "bob"}));
    EXPECT_TRUE(chatLines().empty());
}

TEST_P(EveryListFile, LoadsAFileWithLfLineEndsEntryByEntryAndSavesItWithCrLf) {
    profile.write(GetParam().fileName, "Bob\nAlice\n");
    GetParam().load(bot.settings);
    EXPECT_EQ(list(), (Entries{"Bob", "Alice"}));
    list().push_back("Carol");
    EXPECT_TRUE(GetParam().write(bot.settings));
    EXPECT_EQ(profile.read(GetParam().fileName), "Bob\r\nAlice\r\nCarol\r\n");
}

TEST_P(EveryListFile, MissingFileIsReportedWithItsPathNotCreatedAndMayBeWritten) {
    GetParam().load(bot.settings);
    EXPECT_TRUE(list().empty());
    expectOnlyError(std::string(GetParam().loadError) + ": " + path() + ": No such file or directory.");
    EXPECT_FALSE(profile.exists(GetParam().fileName));
    list() = {"Bob"};
    EXPECT_TRUE(GetParam().write(bot.settings)) << "an empty list loses nothing by being written";
    EXPECT_EQ(profile.read(GetParam().fileName), "Bob\r\n");
}

TEST_P(EveryListFile, AFileThatCouldNotBeReadIsNotWrittenOverUntilItLoads) {
    std::filesystem::create_directory(profile.dir() / GetParam().fileName);
    GetParam().load(bot.settings);
    EXPECT_TRUE(list().empty());
    expectOnlyError(std::string(GetParam().loadError) + ": " + path() + ": Is a directory.");

    // Whatever made it unreadable is gone, but the list in memory is still not the file's.
    std::filesystem::remove(profile.dir() / GetParam().fileName);
    profile.write(GetParam().fileName, "Bob\r\nAlice\r\n");
    chat.clear();
    list() = {"Carol"};
    EXPECT_FALSE(GetParam().write(bot.settings));
    expectOnlyError(std::string(GetParam().saveError) + ": " + path() +
                    " could not be read, so it is not written over.");
    EXPECT_EQ(profile.read(GetParam().fileName), "Bob\r\nAlice\r\n");

    list().clear();
    GetParam().load(bot.settings);
    list().push_back("Carol");
    EXPECT_TRUE(GetParam().write(bot.settings));
    EXPECT_EQ(profile.read(GetParam().fileName), "Bob\r\nAlice\r\nCarol\r\n");
}

TEST_P(EveryListFile, SaveWritesEveryEntryWithCrLfAndReadsBack) {
    list() = {"Bob", "", "Alice", ""};
    GetParam().write(bot.settings);
    EXPECT_EQ(profile.read(GetParam().fileName), "Bob\r\n\r\nAlice\r\n\r\n");
    list().clear();
    GetParam().load(bot.settings);
    EXPECT_EQ(list(), (Entries{"Bob", "", "Alice", ""}));
    EXPECT_TRUE(chatLines().empty());
}

TEST_P(EveryListFile, SavingAnEmptyListEmptiesTheFile) {
    profile.write(GetParam().fileName, "old\r\n");
    GetParam().write(bot.settings);
    EXPECT_TRUE(profile.exists(GetParam().fileName));
    EXPECT_EQ(profile.read(GetParam().fileName), "");
}

TEST_P(EveryListFile, FailedSaveIsReportedAndKeepsTheList) {
    // A folder in the file's place cannot be replaced by a file.
    std::filesystem::create_directory(profile.dir() / GetParam().fileName);
    list() = {"Bob"};
    EXPECT_FALSE(GetParam().write(bot.settings));
    EXPECT_EQ(list(), Entries{"Bob"});
    expectOnlyError(std::string(GetParam().saveError) + ": " + path() + ": Is a directory.");
    EXPECT_TRUE(std::filesystem::is_directory(profile.dir() / GetParam().fileName));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(profile.dir()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(NameLists, EveryListFile, ::testing::Values(Acces, Safe, Filter),
                         [](const auto& info) {
                             const std::string fileName = info.param.fileName;
                             return fileName.substr(0, fileName.find('.'));
                         });

using NameLists = testing::BotFixture;

TEST_F(NameLists, AccesAndSafeLoadsReplaceTheList) {
    bot.settings.AccesNames = {"old"};
    bot.settings.SafeNames = {"old"};
    profile.write("acces.bot", "Bob\r\n");
    Acceslist(bot.settings);
    Safelist(bot.settings);
    EXPECT_EQ(bot.settings.AccesNames, Entries{"Bob"});
    EXPECT_TRUE(bot.settings.SafeNames.empty());
    EXPECT_EQ(chatLines(), Entries{"Bot: Error in Safelist(): " + (profile.dir() / "safelist.bot").string() +
                                   ": No such file or directory."});
}

TEST_F(NameLists, FilterLoadAppendsToTheList) {
    profile.write("filter.bot", "*spam*\r\n");
    Shitlist(bot.settings);
    Shitlist(bot.settings);
    EXPECT_EQ(bot.settings.FilterPatterns, (Entries{"*spam*", "*spam*"}));
}

TEST_F(NameLists, AddAndRemoveAccesRewriteTheFile) {
    AddAcces(bot.settings, "Bob");
    AddAcces(bot.settings, "bob");
    EXPECT_EQ(profile.read("acces.bot"), "Bob\r\nbob\r\n");
    RemoveAcces(bot.settings, "bob");
    EXPECT_EQ(bot.settings.AccesNames, Entries{"bob"});
    EXPECT_EQ(profile.read("acces.bot"), "bob\r\n");
}

TEST_F(NameLists, AChangeTheFileDidNotTakeIsNotMade) {
    AddAcces(bot.settings, "Bob");
    AddSafe(bot.settings, "Alice");
    for (const char* fileName : {"acces.bot", "safelist.bot"}) {
        std::filesystem::remove(profile.dir() / fileName);
        std::filesystem::create_directory(profile.dir() / fileName);
    }
    EXPECT_FALSE(AddAcces(bot.settings, "Carol"));
    EXPECT_FALSE(RemoveAcces(bot.settings, "Bob"));
    EXPECT_FALSE(AddSafe(bot.settings, "Carol"));
    EXPECT_FALSE(RemoveSafe(bot.settings, "Alice"));
    EXPECT_EQ(bot.settings.AccesNames, Entries{"Bob"});
    EXPECT_EQ(bot.settings.SafeNames, Entries{"Alice"});
    EXPECT_EQ(chatLines().size(), 4u) << "each failed save says so";
}

TEST_F(NameLists, RemovingAnAbsentNameStillRewritesTheFile) {
    bot.settings.AccesNames = {"Bob"};
    profile.write("acces.bot", "edited by hand\r\n");
    RemoveAcces(bot.settings, "Carol");
    EXPECT_EQ(bot.settings.AccesNames, Entries{"Bob"});
    EXPECT_EQ(profile.read("acces.bot"), "Bob\r\n");
}

TEST_F(NameLists, RemoveSafeComparesTextsNotPatterns) {
    AddSafe(bot.settings, "remy");
    AddSafe(bot.settings, "rem*");
    RemoveSafe(bot.settings, "Rem*");
    EXPECT_EQ(bot.settings.SafeNames, Entries{"remy"});
    EXPECT_EQ(profile.read("safelist.bot"), "remy\r\n");
}

TEST_F(NameLists, ClearingLeavesTheFilesAlone) {
    profile.write("acces.bot", "Bob\r\n");
    profile.write("safelist.bot", "Alice\r\n");
    bot.settings.AccesNames = {"Bob"};
    bot.settings.SafeNames = {"Alice"};
    ClearAcces(bot.settings);
    ClearSafelist(bot.settings);
    EXPECT_TRUE(bot.settings.AccesNames.empty());
    EXPECT_TRUE(bot.settings.SafeNames.empty());
    EXPECT_EQ(profile.read("acces.bot"), "Bob\r\n");
    EXPECT_EQ(profile.read("safelist.bot"), "Alice\r\n");
}

TEST_F(NameLists, FilterChangesWaitForTheirCallerToSave) {
    AddFilter(bot.settings, "one");
    AddFilter(bot.settings, "two");
    AddFilter(bot.settings, "three");
    EXPECT_FALSE(profile.exists("filter.bot"));
    RemoveFilterAt(bot.settings, 2);
    EXPECT_EQ(bot.settings.FilterPatterns, (Entries{"one", "three"}));
    for (int outside : {0, -1, 3}) RemoveFilterAt(bot.settings, outside);
    EXPECT_EQ(bot.settings.FilterPatterns, (Entries{"one", "three"}));
    RemoveFilterAt(bot.settings, 2);
    RemoveFilterAt(bot.settings, 1);
    EXPECT_TRUE(bot.settings.FilterPatterns.empty());
}

struct LookupCase {
    const char* name;
    bool expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << "'" << c.name << "'";
}

class IsAccesCases : public testing::BotFixture, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(IsAccesCases, MasterEmptyNameAndEntriesWithoutRegardToCase) {
    config.Master = "TheBoss";
    profile.write("acces.bot", "Bob\r\nj*\r\n");
    Acceslist(bot.settings);
    EXPECT_EQ(IsAcces(bot.settings, GetParam().name), GetParam().expected);
    EXPECT_EQ(IsSafe(bot.settings, GetParam().name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(AccessList, IsAccesCases,
                         ::testing::Values(LookupCase{"TheBoss", true}, LookupCase{"theboss", true},
                                           LookupCase{"THEBOSS", true}, LookupCase{"", true},
                                           LookupCase{"bOB", true}, LookupCase{"Bobby", false},
                                           LookupCase{"Joe", false}, LookupCase{"j*", true},
                                           LookupCase{"TheBos", false}));

TEST_F(NameLists, MasterHasAccessWithoutAnAccessFile) {
    config.Master = "TheBoss";
    Acceslist(bot.settings);
    EXPECT_TRUE(IsAcces(bot.settings, "tHEbOSS"));
    EXPECT_TRUE(IsAcces(bot.settings, ""));
    EXPECT_FALSE(IsAcces(bot.settings, "Bob"));
}

struct SafeCase {
    const char* entry;
    const char* name;
    bool safe;
};

void PrintTo(const SafeCase& c, std::ostream* os) {
    *os << "'" << c.name << "' with entry '" << c.entry << "'";
}

class IsSafeCases : public testing::BotFixture, public ::testing::WithParamInterface<SafeCase> {};

TEST_P(IsSafeCases, MatchesNamesAndStarPatterns) {
    config.Master = "TheBoss";
    bot.settings.SafeNames = {GetParam().entry};
    EXPECT_EQ(IsSafe(bot.settings, GetParam().name), GetParam().safe);
    EXPECT_EQ(MatchesSafeEntry(GetParam().name, GetParam().entry), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(SafeList, IsSafeCases,
                         ::testing::Values(SafeCase{"*bot", "MyBot", true}, SafeCase{"*bot", "bot", true},
                                           SafeCase{"*bot", "Botty", false}, SafeCase{"[x]*", "[X]Joe", true},
                                           SafeCase{"[x]*", "xJoe", false}, SafeCase{"#1*", "#1abc", true},
                                           SafeCase{"#1*", "11abc", false}, SafeCase{"a?c", "a?c", true},
                                           SafeCase{"a?c", "A?C", true}, SafeCase{"a?c", "abc", false},
                                           SafeCase{"j?e*", "Joe", true}, SafeCase{"j?e*", "Jxe2", true},
                                           SafeCase{"j?e*", "Jo", false}, SafeCase{"Alice", "aLICE", true},
                                           SafeCase{"[a-c]", "b", false}, SafeCase{"[a-c]", "[A-C]", true},
                                           SafeCase{"[a-c]*", "b", false}));

TEST_F(NameLists, EverybodyWithAccessIsSafe) {
    bot.settings.AccesNames = {"Bob"};
    EXPECT_TRUE(IsSafe(bot.settings, "BOB"));
    EXPECT_FALSE(IsSafe(bot.settings, "Alice"));
}

TEST_F(NameLists, AnyMatchingSafeEntryCounts) {
    bot.settings.SafeNames = {"Alice", "*bot", "Carol"};
    EXPECT_TRUE(IsSafe(bot.settings, "carol"));
    EXPECT_TRUE(IsSafe(bot.settings, "RoBoT"));
    EXPECT_FALSE(IsSafe(bot.settings, "Dave"));
}

struct FilterCase {
    const char* pattern;
    const char* text;
    bool hidden;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << "'" << c.text << "' with '" << c.pattern << "'";
}

class IsFilteredCases : public testing::BotFixture, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(IsFilteredCases, MatchesTheLowerCasedText) {
    bot.settings.FilterPatterns = {GetParam().pattern};
    EXPECT_EQ(IsFiltered(bot.settings, GetParam().text), GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(
    FilterList, IsFilteredCases,
    ::testing::Values(FilterCase{"*hello*", "Well, HELLO there", true},
                      FilterCase{"*HELLO*", "well, hello", true}, FilterCase{"*hello*", "hell o", false},
                      FilterCase{"#*", "1st", true}, FilterCase{"#*", "9", true},
                      FilterCase{"#*", "first 1", false}, FilterCase{"[a-c]*", "apple", true},
                      FilterCase{"[a-c]*", "Cherry", true}, FilterCase{"[A-C]*", "banana", true},
                      FilterCase{"[a-c]*", "date", false}, FilterCase{"[!a]*", "banana", true},
                      FilterCase{"[!a]*", "Apple", false}, FilterCase{"[!a]*", "", false},
                      FilterCase{"", "", true}, FilterCase{"", " ", false},
                      FilterCase{"[*]*", "*stars*", true}, FilterCase{"*[spam*", "[spam", false},
                      FilterCase{"a]b", "A]B", true}));

TEST_F(NameLists, NoFilterPatternHidesNothing) {
    EXPECT_FALSE(IsFiltered(bot.settings, ""));
    EXPECT_FALSE(IsFiltered(bot.settings, "anything"));
}

TEST_F(NameLists, AnInvalidFilterPatternDoesNotHideTheLinesOfOthers) {
    bot.settings.FilterPatterns = {"[oops", "*spam*"};
    EXPECT_TRUE(IsFiltered(bot.settings, "buy SPAM now"));
    EXPECT_FALSE(IsFiltered(bot.settings, "[oops"));
    EXPECT_FALSE(IsFiltered(bot.settings, "hello"));
}

}  // namespace
}  // namespace morva
