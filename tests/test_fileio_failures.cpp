// The writer under failure: a full disk, a failing flush, a target that is no
// plain file and a link loop each report the error and leave the old file
// byte for byte as it was.
#include "support/errors.h"
#include "support/fileio.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace vx;
using vxtest::nobodyId;
using vxtest::runAsNobody;
using vxtest::strayNames;

namespace {

const std::string oldContents = [] {
    std::string s;
    for (int i = 0; i < 60; ++i) s += "old line " + std::to_string(i) + "\n";
    return s;
}();

// A folder only root may add to, holding mine.dat that nobody may write: a
// save by nobody goes in place.
struct LockedFolder {
    vxtest::TempDir dir;
    std::string mine = (dir / "locked/mine.dat").string();
    LockedFolder() {
        fs::permissions(dir.path(), static_cast<fs::perms>(0755));
        dir.write("locked/mine.dat", oldContents);
        fs::permissions(dir / "locked", static_cast<fs::perms>(0755));
        EXPECT_EQ(::chown(mine.c_str(), nobodyId, nobodyId), 0);
    }
};

// 1 when writing bytes over path throws FileWriteError, 2 when it succeeds,
// 3 for any other error.
int saveKind(const std::string& path, const std::string& bytes) {
    try {
        writeFileAtomic(path, bytes);
        return 2;
    } catch (const FileWriteError&) {
        return 1;
    } catch (const FileError&) {
        return 3;
    }
}

int failFileFlush(int fd, bool folder) {
    if (folder) return ::fsync(fd);
    errno = EIO;
    return -1;
}

int failFolderFlush(int fd, bool folder) {
    if (!folder) return ::fsync(fd);
    errno = EIO;
    return -1;
}

struct SyncSeam {
    explicit SyncSeam(WriterSyncCall call) { setWriterSyncForTesting(call); }
    ~SyncSeam() { setWriterSyncForTesting(nullptr); }
};

} // namespace

// A file-size limit stands for a disk that fills part way: the whole new size
// cannot be had, so the save is refused before the first old byte changes.
TEST(SafeFileWriterInPlace, NoRoomForTheNewContentsLeavesTheOldFile) {
    LockedFolder f;
    const int rc = runAsNobody([&] {
        vxtest::FileSizeLimit limit(1024);
        SafeFileWriter out(f.mine);
        if (!out.inPlace()) return 4;
        out.write(std::string(5000, 'n').data(), 5000);
        try {
            out.commit();
        } catch (const FileWriteError&) {
            return 1;
        }
        return 2;
    });
    ASSERT_NE(rc, 99) << "cannot become an unprivileged user here";
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(f.dir.read("locked/mine.dat"), oldContents);
    EXPECT_TRUE(strayNames(f.dir / "locked", {"mine.dat"}).empty());
}

TEST(SafeFileWriterInPlace, AFailedFlushPutsTheOldBytesBack) {
    LockedFolder f;
    const int rc = runAsNobody([&] {
        SyncSeam seam(failFileFlush);
        return saveKind(f.mine, "short new");
    });
    ASSERT_NE(rc, 99) << "cannot become an unprivileged user here";
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(f.dir.read("locked/mine.dat"), oldContents);
}

// A real full disk: a small file system of its own, in a mount namespace of
// a child process. Skipped where the system allows no mount.
TEST(SafeFileWriterInPlace, FullFileSystemLeavesTheOldFile) {
    vxtest::TempDir dir;
    fs::permissions(dir.path(), static_cast<fs::perms>(0755));
    fs::create_directory(dir / "mnt");
    const std::string mnt = (dir / "mnt").string(), mine = mnt + "/mine.dat";
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=256k,mode=0755") != 0)
            ::_exit(77);
        vxtest::writeFile(mine, oldContents);
        if (::chown(mine.c_str(), nobodyId, nobodyId) != 0) ::_exit(90);
        const int fill = ::open((mnt + "/fill").c_str(), O_WRONLY | O_CREAT, 0644);
        const std::string block(4096, 'f');
        while (::write(fill, block.data(), block.size()) > 0) {
        }
        ::close(fill);
        const std::string big(64 * 1024, 'n');
        int bits = saveKind(mine, big) == 1 ? 1 : 0; // as root: through a temporary file
        bits |= runAsNobody([&] { return saveKind(mine, big); }) == 1 ? 2 : 0; // in place
        bits |= vxtest::readFile(mine) == oldContents ? 4 : 0;
        bits |= strayNames(mnt, {"mine.dat", "fill"}).empty() ? 8 : 0;
        ::_exit(bits);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount allowed here";
    EXPECT_EQ(WEXITSTATUS(status), 15) << "1 root refused, 2 nobody refused, 4 old kept, 8 clean";
}

// Each flush is checked: the file's before the rename, its folder's after it
// (the old file is put back when that fails). A new file is then not made.
TEST(SafeFileWriter, AFailedFlushIsReportedAndTheOldFileStays) {
    for (WriterSyncCall call : {failFileFlush, failFolderFlush}) {
        const bool folder = call == failFolderFlush;
        vxtest::TempDir dir;
        dir.write("old.dat", oldContents);
        SyncSeam seam(call);
        EXPECT_THROW(writeFileAtomic((dir / "old.dat").string(), "new"), FileWriteError) << folder;
        EXPECT_EQ(dir.read("old.dat"), oldContents) << folder;
        EXPECT_THROW(writeFileAtomic((dir / "new.dat").string(), "new"), FileCreateError) << folder;
        EXPECT_FALSE(fs::exists(dir / "new.dat")) << folder;
        EXPECT_TRUE(strayNames(dir.path(), {"old.dat"}).empty()) << folder;
    }
}

// A pipe without a reader would block the save for ever; a socket or device
// is no file to save into. Each is refused at once and left as it was (run in
// a child process with an alarm, so a save that blocks fails the test).
TEST(SafeFileWriter, TargetsThatAreNoPlainFileAreRefusedAtOnce) {
    vxtest::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, (dir / "sock").c_str(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    // A device of its own (a copy of the null device), reached through a
    // link: a writer that replaced it would not touch the system's one.
    std::vector<std::string> names = {"pipe", "sock"};
    if (::mknod((dir / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        fs::create_symlink("device", dir / "device.lnk");
        names.push_back("device.lnk");
    }
    for (const std::string& name : names) {
        const std::string path = (dir / name).string();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(10);
            try {
                writeFileAtomic(path, "data");
            } catch (const FileWriteError& e) {
                ::_exit(std::strstr(e.what(), "not a plain file") ? 1 : 3);
            }
            ::_exit(2);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << name << " status " << status;
    }
    ::close(sock);
    EXPECT_EQ(fs::status(dir / "pipe").type(), fs::file_type::fifo);
    EXPECT_EQ(fs::status(dir / "sock").type(), fs::file_type::socket);
    if (names.size() == 3) {
        EXPECT_EQ(fs::status(dir / "device.lnk").type(), fs::file_type::character);
    }
    EXPECT_TRUE(strayNames(dir.path(), {"pipe", "sock", "device", "device.lnk"}).empty());
}

TEST(SafeFileWriter, ALinkLoopIsReportedAndLeftAsItIs) {
    vxtest::TempDir dir;
    fs::create_symlink("b.lnk", dir / "a.lnk");
    fs::create_symlink("a.lnk", dir / "b.lnk");
    fs::create_symlink("self.lnk", dir / "self.lnk");
    fs::create_symlink("a.lnk", dir / "into"); // a loop further up the path
    for (const char* name : {"a.lnk", "b.lnk", "self.lnk", "into/x.dat"})
        EXPECT_THROW(writeFileAtomic((dir / name).string(), "x"), FileWriteError) << name;
    EXPECT_EQ(fs::read_symlink(dir / "a.lnk"), "b.lnk");
    EXPECT_EQ(fs::read_symlink(dir / "b.lnk"), "a.lnk");
    EXPECT_EQ(fs::read_symlink(dir / "self.lnk"), "self.lnk");
    EXPECT_TRUE(strayNames(dir.path(), {"a.lnk", "b.lnk", "self.lnk", "into"}).empty());
}
