#include "support/helpers.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vx;

TEST(Helpers, ByteHexIsTwoLowerCaseDigits) {
    const struct {
        uint8_t b;
        const char* want;
    } cases[] = {{0, "00"}, {10, "0a"}, {15, "0f"}, {16, "10"}, {171, "ab"}, {255, "ff"}};
    for (const auto& c : cases) EXPECT_EQ(byteHex(c.b), c.want) << +c.b;
}

TEST(Helpers, LowerAsciiChangesOnlyAToZ) {
    EXPECT_EQ(lowerAscii("LMdefault"), "lmdefault");
    EXPECT_EQ(lowerAscii(""), "");
    EXPECT_EQ(lowerAscii("@AZ[`az{"), "@az[`az{");
    EXPECT_EQ(lowerAscii("\xC4\xD6\xDC-\xE9X"), "\xC4\xD6\xDC-\xE9x");
}

TEST(Helpers, PickStr) {
    EXPECT_EQ(pickStr(false, "G", "A"), "A");
    EXPECT_EQ(pickStr(true, "G", "A"), "G");
}

TEST(Helpers, NormRectOrdersBothAxes) {
    const struct {
        TRect in, want;
    } cases[] = {
        {{10, 20, 5, 2}, {5, 2, 10, 20}},
        {{1, 2, 3, 4}, {1, 2, 3, 4}},
        {{-5, 7, -9, -7}, {-9, -7, -5, 7}},
        {{3, 3, 3, 3}, {3, 3, 3, 3}},
    };
    for (const auto& c : cases) {
        TRect r = c.in;
        normRect(r);
        EXPECT_EQ(r, c.want);
    }
}

TEST(Helpers, MakeSortedUniqueSortsWithoutCaseAndIgnoresDuplicates) {
    TStringList list;
    makeSortedUnique(list);
    for (const char* s : {"lo02.dat", "Beta", "alpha", "BETA", "alpha", "Gamma"}) list.Add(s);
    EXPECT_EQ(list.texts(), (std::vector<std::string>{"alpha", "Beta", "Gamma", "lo02.dat"}));
}

TEST(Helpers, AppDirIsTheExecutablesFolder) {
    const std::string dir = appDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(dir, exe.parent_path().string() + "/");
    EXPECT_TRUE(std::filesystem::exists(dir + exe.filename().string()));
}

TEST(Helpers, AppDirOverrideForTests) {
    const std::string real = appDir();
    setAppDirForTesting("/tmp/somewhere/");
    EXPECT_EQ(appDir(), "/tmp/somewhere/");
    setAppDirForTesting("");
    EXPECT_EQ(appDir(), real);
}

TEST(Helpers, ConfirmOkIsTrueOnlyForOk) {
    vxtest::DialogScope dlg;
    dlg->confirmAnswers = {true, false};
    EXPECT_TRUE(confirmOk("Paste over record 3?"));
    EXPECT_FALSE(confirmOk("Paste again?"));
    EXPECT_FALSE(confirmOk("Closed?")); // no answer scripted: closed / Escape
    EXPECT_EQ(dlg->messages,
              (std::vector<std::string>{"Paste over record 3?", "Paste again?", "Closed?"}));
}
