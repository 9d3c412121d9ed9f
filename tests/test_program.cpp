// The program itself without a display: where windows were expected it says
// that no display could be opened and fails; the headless mode stays quiet.
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

struct NoDisplayCase {
    const char* env; // what the program runs with
    int status;
    const char* says;
};

TEST(Program, WithoutADisplayItSaysSoWhereWindowsWereExpected) {
    const NoDisplayCase cases[] = {
        {"-u DISPLAY -u VX_HEADLESS", 1, "No display could be opened: DISPLAY is not set.\n"},
        {"-u VX_HEADLESS DISPLAY=:5999", 1, "No display could be opened at \":5999\".\n"},
        {"-u DISPLAY VX_HEADLESS=1", 0, ""},
    };
    vxtest::TempDir dir;
    for (const auto& c : cases) {
        const std::string cmd = "cd '" + dir.str() + "' && env " + c.env +
                                " '" VX_VEXTON_EXE "' >out.txt 2>err.txt </dev/null";
        const int rc = std::system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(rc)) << c.env;
        EXPECT_EQ(WEXITSTATUS(rc), c.status) << c.env;
        EXPECT_EQ(dir.read("err.txt"), c.says) << c.env;
        EXPECT_EQ(dir.read("out.txt"), "") << c.env;
    }
}

} // namespace
