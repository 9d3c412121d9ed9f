// The one writer of saved files: what a plain rewrite keeps (links, modes,
// owners, folders the user may not write) is kept, and a failure leaves the
// old file as it was.
#include "support/errors.h"
#include "support/fileio.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vx;

namespace {

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

bool isLink(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

using vxtest::runAsNobody;
using vxtest::strayNames;
constexpr uid_t nobody = vxtest::nobodyId;

} // namespace

TEST(SafeFileWriter, WritesNewAndReplacedFilesWithoutLeftovers) {
    vxtest::TempDir dir;
    const mode_t oldMask = ::umask(022);
    writeFileAtomic((dir / "new.dat").string(), "fresh");
    ::umask(oldMask);
    EXPECT_EQ(dir.read("new.dat"), "fresh");
    EXPECT_EQ(modeOf(dir / "new.dat"), 0644u) << "a new file gets the usual mode";
    writeFileAtomic((dir / "new.dat").string(), "");
    EXPECT_EQ(dir.read("new.dat"), "");
    EXPECT_TRUE(strayNames(dir.path(), {"new.dat"}).empty());
}

TEST(SafeFileWriter, ReplacedFileKeepsItsModeAndOwner) {
    vxtest::TempDir dir;
    for (mode_t mode : {0600u, 0640u, 0444u, 0755u, 0604u}) {
        dir.write("f.dat", "old");
        fs::permissions(dir / "f.dat", static_cast<fs::perms>(mode));
        ASSERT_EQ(::chown((dir / "f.dat").c_str(), nobody, nobody), 0);
        writeFileAtomic((dir / "f.dat").string(), "new contents");
        EXPECT_EQ(dir.read("f.dat"), "new contents") << std::oct << mode;
        EXPECT_EQ(modeOf(dir / "f.dat"), mode) << std::oct << mode;
        struct stat st {};
        ::stat((dir / "f.dat").c_str(), &st);
        EXPECT_EQ(st.st_uid, nobody);
        EXPECT_EQ(st.st_gid, nobody);
        fs::remove(dir / "f.dat");
    }
}

TEST(SafeFileWriter, SavingThroughALinkReplacesTheFileItNames) {
    vxtest::TempDir dir;
    dir.write("real/target.dat", "old");
    fs::permissions(dir / "real/target.dat", static_cast<fs::perms>(0600));
    fs::create_directory(dir / "links");
    fs::create_symlink("../real/target.dat", dir / "links/relative.lnk");
    fs::create_symlink(dir / "links/relative.lnk", dir / "chained.lnk"); // link to a link
    fs::create_symlink("../real/later.dat", dir / "links/dangling.lnk");
    struct Case {
        const char* link;
        const char* file;
    } cases[] = {{"links/relative.lnk", "real/target.dat"},
                 {"chained.lnk", "real/target.dat"},
                 {"links/dangling.lnk", "real/later.dat"}};
    for (const auto& c : cases) {
        SafeFileWriter out((dir / c.link).string());
        EXPECT_EQ(fs::path(out.target()).lexically_normal(), (dir / c.file).lexically_normal());
        out.write(c.link, std::strlen(c.link));
        out.commit();
        EXPECT_TRUE(isLink(dir / c.link)) << c.link << " stays a link";
        EXPECT_EQ(dir.read(c.file), c.link);
    }
    EXPECT_EQ(modeOf(dir / "real/target.dat"), 0600u);
    EXPECT_TRUE(strayNames(dir / "links", {"relative.lnk", "dangling.lnk"}).empty());
    EXPECT_TRUE(strayNames(dir / "real", {"target.dat", "later.dat"}).empty());
}

TEST(SafeFileWriter, LongNamesKeepTheirTemporaryNameWithinTheLimit) {
    vxtest::TempDir dir;
    for (size_t len : {1u, 200u, 247u, 250u, 255u}) {
        const std::string name(len, 'n');
        const std::string tmp = temporaryNameBeside((dir / name).string());
        EXPECT_LE(fs::path(tmp).filename().string().size(), 255u) << len;
        EXPECT_EQ(fs::path(tmp).parent_path(), dir.path()) << len;
        writeFileAtomic((dir / name).string(), "long");
        EXPECT_EQ(dir.read(name), "long") << len;
        fs::remove(dir / name);
    }
    EXPECT_EQ(temporaryNameBeside("plain.dat"), ".plain.dat.XXXXXX");
    try {
        writeFileAtomic((dir / std::string(256, 'n')).string(), "too long");
        ADD_FAILURE() << "a 256-byte name was written";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("too long"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(strayNames(dir.path(), {}).empty());
}

TEST(SafeFileWriter, FailuresLeaveTheOldFileAndNoTemporary) {
    vxtest::TempDir dir;
    dir.write("keep.dat", "previous contents");
    {
        vxtest::FileSizeLimit limit(1000);
        EXPECT_THROW(writeFileAtomic((dir / "keep.dat").string(), std::string(5000, 'x')),
                     FileError);
    }
    EXPECT_EQ(dir.read("keep.dat"), "previous contents");

    fs::create_directory(dir / "folder.dat");
    EXPECT_THROW(writeFileAtomic((dir / "folder.dat").string(), "x"), FileError);
    EXPECT_THROW(writeFileAtomic((dir / "no/such/file.dat").string(), "x"), FileError);
    {
        SafeFileWriter abandoned((dir / "keep.dat").string());
        abandoned.write("half", 4);
    } // no commit
    EXPECT_EQ(dir.read("keep.dat"), "previous contents");
    EXPECT_TRUE(strayNames(dir.path(), {"keep.dat", "folder.dat"}).empty());
}

// As a user who may write the file but not its folder: written in place. A
// file the user may not write is refused and left as it was.
TEST(SafeFileWriter, FolderThatTakesNoNewFile) {
    vxtest::TempDir dir;
    fs::permissions(dir.path(), static_cast<fs::perms>(0755));
    dir.write("locked/mine.dat", "the old contents, longer than the new");
    dir.write("locked/theirs.dat", "theirs");
    fs::permissions(dir / "locked", static_cast<fs::perms>(0755));
    ASSERT_EQ(::chown((dir / "locked/mine.dat").c_str(), nobody, nobody), 0);
    fs::permissions(dir / "locked/mine.dat", static_cast<fs::perms>(0640));
    fs::permissions(dir / "locked/theirs.dat", static_cast<fs::perms>(0644));
    const std::string mine = (dir / "locked/mine.dat").string();
    const std::string theirs = (dir / "locked/theirs.dat").string();
    const std::string fresh = (dir / "locked/new.dat").string();

    const int rc = runAsNobody([&] {
        int bits = 0;
        SafeFileWriter out(mine);
        if (out.inPlace()) bits |= 1;
        out.write("new", 3);
        out.commit();
        try {
            writeFileAtomic(theirs, "overwritten");
        } catch (const FileError& e) {
            if (std::string(e.what()).find(theirs) != std::string::npos) bits |= 2;
        }
        try {
            writeFileAtomic(fresh, "created");
        } catch (const FileError&) {
            bits |= 4;
        }
        return bits;
    });
    ASSERT_NE(rc, 99) << "cannot become an unprivileged user here";
    EXPECT_EQ(rc, 7);
    EXPECT_EQ(dir.read("locked/mine.dat"), "new") << "written in place, cut to its new length";
    EXPECT_EQ(modeOf(dir / "locked/mine.dat"), 0640u);
    EXPECT_EQ(dir.read("locked/theirs.dat"), "theirs");
    EXPECT_TRUE(strayNames(dir / "locked", {"mine.dat", "theirs.dat"}).empty());
}

// A read-only file in a writable folder: a rewrite is refused, not renamed round.
TEST(SafeFileWriter, ReadOnlyFileIsRefusedForAnOrdinaryUser) {
    vxtest::TempDir dir;
    fs::permissions(dir.path(), static_cast<fs::perms>(0777));
    dir.write("ro.dat", "read only");
    ASSERT_EQ(::chown((dir / "ro.dat").c_str(), nobody, nobody), 0);
    fs::permissions(dir / "ro.dat", static_cast<fs::perms>(0444));
    const std::string path = (dir / "ro.dat").string();
    const int rc = runAsNobody([&] {
        try {
            writeFileAtomic(path, "changed");
        } catch (const FileError&) {
            return 1;
        }
        return 0;
    });
    ASSERT_NE(rc, 99) << "cannot become an unprivileged user here";
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(dir.read("ro.dat"), "read only");
    EXPECT_TRUE(strayNames(dir.path(), {"ro.dat"}).empty());
}
