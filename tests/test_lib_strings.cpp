#include "support/helpers.h"
#include "support/lib_strings.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vx;

namespace {
TStringList listOf(std::initializer_list<const char*> items) {
    TStringList l;
    for (const char* s : items) l.Add(s);
    return l;
}
} // namespace

TEST(LibStrings, WildMatchRules) {
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    };
    const Case cases[] = {
        {"abc", "a?c", true},      {"abc", "a?", false},   {"abc", "*c", true},
        {"abc", "A*", false},      {"", "*", true},        {"", "**", false},
        {"a", "a**", false},       {"a", "a*", true},      {"", "?", false},
        {"ab", "?", false},        {"", "", true},         {"abc", "", false},
        {"abc", "abc", true},      {"abc", "ab", false},   {"abcde", "a*c*e", true},
        {"abcde", "a*x*e", false}, {"aXbXc", "*X*", true}, {"ABC", "abc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wildMatch(c.name, c.mask), c.match) << c.name << " / " << c.mask;
}

TEST(LibStrings, WildMatchManyStarsStaysFast) {
    // A back-tracking matcher would take ages here.
    std::string name(255, 'a'), mask;
    for (int i = 0; i < 40; ++i) mask += "*a";
    EXPECT_FALSE(wildMatch(name, mask + "*b"));
    EXPECT_TRUE(wildMatch(name, mask + "*"));
}

TEST(LibStrings, MatchesMaskCutsAtNulAnd255) {
    EXPECT_TRUE(matchesMask(std::string("abc\0xyz", 7), "abc"));
    EXPECT_TRUE(matchesMask("abc", std::string("a*\0zzz", 6)));
    EXPECT_TRUE(matchesMask(std::string(300, 'a'), std::string(255, 'a')));
    EXPECT_FALSE(matchesMask("FOILJ001.DAT", "foilj???.dat"));
}

TEST(LibStrings, MatchesAnyMaskLowersOnlyTheMasks) {
    auto masks = listOf({"x*", "WING*.DAT"});
    EXPECT_TRUE(matchesAnyMask(masks, "wingj001.dat"));
    EXPECT_FALSE(matchesAnyMask(masks, "WINGJ001.DAT"));
    EXPECT_FALSE(matchesAnyMask(TStringList{}, "x"));
}

TEST(LibStrings, HasWildcardsEndsAtNul) {
    EXPECT_TRUE(hasWildcards("a?b"));
    EXPECT_TRUE(hasWildcards("*"));
    EXPECT_FALSE(hasWildcards("abc"));
    EXPECT_FALSE(hasWildcards(std::string("ab\0*", 4)));
}

TEST(LibStrings, MaskPick) {
    struct Case {
        const char* mask;
        const char* name;
        const char* result;
    };
    const Case cases[] = {
        {"abc", "abcdef", "abcdef"},
        {"*def", "abcdef", "abcdef"},
        {"abc*", "abcdef", "abcdef"},
        {"ab*ef", "abcdef", "abcdef"},
        {"ab*b", "ab", "ab"},
        {"!abc*", "abcdef", ""},
        {"", "abcdef", ""},
        {"*", "", ""},
        {"*", "x", "x"},
        {"!x*", "abc", "abc"},
        {"!x*", "", ""},
        {"ab*zz", "abcdef", ""},
        {"*xyz", "abcdef", ""},
        {"abd", "abcdef", ""},
        {"*b", "ab", "ab"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(maskPick(c.mask, c.name), c.result) << c.mask << " / " << c.name;
}

TEST(LibStrings, SplitPathAndLower) {
    std::string folder, name, ext;
    splitPath("data/sub/file.tar.gz", folder, name, ext);
    EXPECT_EQ(folder, "data/sub/");
    EXPECT_EQ(name, "/file.tar");
    EXPECT_EQ(ext, ".gz");
    splitPath("a//b.x", folder, name, ext);
    EXPECT_EQ(folder, "a/");
    EXPECT_EQ(name, "/b");
    splitPathLower("Data/Sub/File.DAT");
    EXPECT_EQ(pathFolder, "data/sub/");
    EXPECT_EQ(pathName, "/file");
    EXPECT_EQ(pathExt, ".dat");
}

TEST(LibStrings, ValTolerant) {
    struct Case {
        const char* text;
        long double value;
        const char* message; // "" = none
    };
    const Case cases[] = {
        {"12a", 12, ""},
        {"1,5", 15, ""},
        {"2.5", 2.5L, ""},
        {"ab5", 0, "input: 5 in error, result:    0.00000"},
        {"", 0, "input:  in error, result:    0.00000"},
    };
    for (const auto& c : cases) {
        vxtest::DialogScope dlg;
        EXPECT_EQ(valTolerant(c.text), c.value) << c.text;
        if (*c.message)
            EXPECT_EQ(dlg->messages, std::vector<std::string>{c.message}) << c.text;
        else
            EXPECT_TRUE(dlg->messages.empty()) << c.text;
    }
}

TEST(LibStrings, PosNthFromEnd) {
    EXPECT_EQ(posNthFromEnd(1, "/", "a/b/c"), 4);
    EXPECT_EQ(posNthFromEnd(1, "/", "abc"), 0);
    EXPECT_EQ(posNthFromEnd(1, "", "abc"), 0);
    EXPECT_EQ(posNthFromEnd(1, "ab", "abxab"), 4);
    EXPECT_EQ(posNthFromEnd(2, "/", "a/b/c"), 2);
    std::string longText(300, 'x');
    longText[199] = '/';
    EXPECT_EQ(posNthFromEnd(1, "/", longText), 200);
    longText[199] = 'x';
    longText[279] = '/'; // beyond the first 254 characters
    EXPECT_EQ(posNthFromEnd(1, "/", longText), 0);
}

TEST(LibStrings, CountOccurrences) {
    EXPECT_EQ(countOccurrences("aa", "aaaaa"), 2);
    EXPECT_EQ(countOccurrences("aa", "aaaa"), 2);
    EXPECT_EQ(countOccurrences("aa", "aaa"), 1);
    EXPECT_EQ(countOccurrences("", "abc"), 0);
    EXPECT_EQ(countOccurrences("b", "abcb"), 2);
}

TEST(LibStrings, ListSearchesWithEmptyText) {
    auto list = listOf({"", "alpha", "beta"});
    EXPECT_EQ(indexOfPrefix("", list), -1);
    EXPECT_EQ(indexOfContaining("", list), -1);
    EXPECT_EQ(indexOfPrefix("be", list), 2);
    EXPECT_EQ(indexOfPrefix("eta", list), -1);
    EXPECT_EQ(indexOfContaining("eta", list), 2);
    EXPECT_EQ(indexOfContaining("a", TStringList{}), -1);
}

TEST(LibStrings, SmallConversions) {
    EXPECT_EQ(colonToUnderscore("c:a:b"), "c_a_b");
    EXPECT_EQ(rangeClass(-1), 2);
    EXPECT_EQ(rangeClass(0), 0);
    EXPECT_EQ(rangeClass(18), 0);
    EXPECT_EQ(rangeClass(19), 1);
    EXPECT_EQ(hexDigitValue('f'), 15);
    EXPECT_EQ(hexDigitValue('F'), 15);
    EXPECT_EQ(hexDigitValue('0'), 0);
    EXPECT_EQ(hexDigitValue('9'), 9);
    EXPECT_EQ(hexDigitValue('g'), -1);
    uint32_t x = (1u << 24) + 1;
    low24(x);
    EXPECT_EQ(x, 1u);
    x = (1u << 24) - 1;
    low24(x);
    EXPECT_EQ(x, (1u << 24) - 1);
    EXPECT_EQ(int64Text(INT32_MIN), "-2147483648");
    EXPECT_EQ(int64Text(42), "42");
    EXPECT_EQ(boolWord(false), "NOT");
    EXPECT_EQ(boolWord(true), "TRUE");
    EXPECT_EQ(strIf(false, "x"), "");
    EXPECT_EQ(strIf(true, "x"), "x");
    EXPECT_EQ(upperAscii("abZ\xE4z"), "ABZ\xE4Z");
    EXPECT_EQ(floatStrW(2.5L, 4), "   3");
}

TEST(LibStrings, IsWordNumber) {
    struct Case {
        std::string text;
        bool word;
    };
    const Case cases[] = {{"0", true},
                          {"65535", true},
                          {"$FFFF", true},
                          {"65536", false},
                          {"", false},
                          {"12a", false},
                          {"-1", false},
                          {"-0", false},
                          {" 7", true},
                          {std::string(255, '1'), false},
                          {std::string(256, '0'), false}};
    for (const auto& c : cases) EXPECT_EQ(isWordNumber(c.text), c.word) << c.text;
}

TEST(LibStrings, StampNowIsYearDayMonth) {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    const std::string s = stampNow();
    ASSERT_TRUE(std::regex_match(s, std::regex(R"(\d{4}-\d{2}-\d{2}--\d{2}-\d{2}-\d{2})"))) << s;
    EXPECT_EQ(std::stoi(s.substr(0, 4)), tm.tm_year + 1900);
    EXPECT_EQ(std::stoi(s.substr(8, 2)), tm.tm_mon + 1);
}

TEST(LibStrings, SetCheckState) {
    struct Box {
        bool Checked = false;
    } box;
    setCheckState(box, true);
    EXPECT_TRUE(box.Checked);
    setCheckState(box, false);
    EXPECT_FALSE(box.Checked);
}

TEST(LibStrings, ReadHexConsole) {
    std::istringstream in("g\n1\n\b\n2x\n3\nleft over\n");
    std::ostringstream out;
    readHexConsole(in, out);
    EXPECT_EQ(out.str(), " Not a HEX char... 12");
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "left over");
    std::istringstream empty("");
    readHexConsole(empty, out); // ends at the end of the input
}

TEST(LibStrings, ListArchiveFilesTakesWritablePlainFilesOnly) {
    vxtest::TempDir dir;
    dir.write("Keep.dat", "1");
    dir.write("second.dat", "2");
    dir.write(".hidden.dat", "3");
    dir.write("other.txt", "4");
    fs::create_directory(dir / "folder.dat");
    fs::create_symlink(dir / "second.dat", dir / "link.dat");
    dir.write("ro.dat", "5");
    fs::permissions(dir / "ro.dat",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    TStringList list;
    list.Add("zz.dat");
    listArchiveFiles(dir.str() + "/*.dat", list);
    EXPECT_TRUE(list.Sorted());
    std::vector<std::string> lower;
    for (const auto& s : list.texts()) lower.push_back(lowerAscii(s));
    std::vector<std::string> want = {"keep.dat", "second.dat", "zz.dat"};
    if (geteuid() == 0) want.insert(want.begin() + 1, "ro.dat"); // root may write anything
    EXPECT_EQ(lower, want);
}

TEST(LibStrings, ListArchiveFilesKeepsCaseOfTheFirstFind) {
    vxtest::TempDir dir;
    dir.write("Only.DAT", "1");
    TStringList list;
    listArchiveFiles(dir.str() + "/O*", list);
    EXPECT_EQ(list.texts(), std::vector<std::string>{"Only.DAT"});
    listArchiveFiles(dir.str() + "/nothing*", list);
    EXPECT_EQ(list.Count(), 1);
}
