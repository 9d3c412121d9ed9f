// Whole-file reads and safe writes, and the directory search the windows use.
#pragma once

#include "errors.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// The writer's two kinds of failure, both FileErrors naming the path:
// - the target did not exist and could not be made (no such folder, a folder
//   that takes no new file, a disk too full for the new file): nothing is left;
struct FileCreateError : FileError {
    using FileError::FileError;
};
// - an existing file could not be replaced or written (no room for the new
//   contents, a flush that failed, a target that is no plain file, a link
//   loop): the old file is left byte for byte as it was.
struct FileWriteError : FileError {
    using FileError::FileError;
};

bool fileExists(const std::string& path);      // a plain file (links followed)
bool directoryExists(const std::string& path); // a folder (links followed)
int64_t fileSize(const std::string& path);     // -1 when missing

// Reads at most maxBytes from the start of the file; FileError when it cannot
// be opened or read.
std::string readFileBytes(const std::string& path, size_t maxBytes = SIZE_MAX);

// The one writer of every file the program saves. It writes to a temporary
// file beside the target and renames it over the target on commit, so a
// failure never leaves a half-written file in place of a good one:
// - a symbolic link is followed: the file it names is replaced, the link stays;
// - a replaced file keeps its permission bits (and owner, where allowed);
// - the file and its folder are flushed to disk, for new files too;
// - a writable file in a folder that takes no new file is written in place:
//   the bytes are kept until commit, the whole new size is reserved on disk
//   before the first old byte is overwritten, and a failure after that puts
//   the old bytes back;
// - a file that may not be written is refused, the old file untouched;
// - a target that is no plain file (pipe, device, socket) or a link loop is
//   refused before anything is opened, so nothing blocks or is replaced.
// Every failure is a FileCreateError or FileWriteError (see above); without
// commit() the temporary file is removed and the target stays as it was.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::string& path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void write(const void* data, size_t size);
    // The file gets this modification time (seconds, nanoseconds) on commit.
    void setModificationTime(int64_t seconds, long nanoseconds);
    void commit();

    // The file that is replaced: path with its symbolic links followed.
    const std::string& target() const { return target_; }
    // True when no temporary file could be made and the file is written in place.
    bool inPlace() const { return inPlace_; }

private:
    [[noreturn]] void fail(int err) const;
    [[noreturn]] void failBecause(const std::string& reason) const;
    bool setTimes() const;

    void commitInPlace();
    void commitReplacing();

    std::string path_, target_, temp_;
    std::string pending_; // the in-place contents, written on commit
    int fd_ = -1;
    bool existed_ = false;
    bool inPlace_ = false;
    bool setTime_ = false;
    int64_t mtimeSec_ = 0;
    long mtimeNsec_ = 0;
};

// The flushes of the writer, for tests that make one fail without a failing
// disk: sync(fd, folder) stands for fsync of the written file (folder false)
// or of its folder (true). nullptr restores fsync.
using WriterSyncCall = int (*)(int fd, bool folder);
void setWriterSyncForTesting(WriterSyncCall call);

// Writes the bytes through SafeFileWriter.
void writeFileAtomic(const std::string& path, const std::string& bytes);

// A name for a temporary file in path's folder, of at most the file-name
// length limit however long path's own name is; XXXXXX ends it, for mkstemp.
std::string temporaryNameBeside(const std::string& path);

// Entries of folder whose names match pattern ("?" one character, "*" any
// run, case-sensitive), in the order the system returns them. Links count as
// what they lead to; broken links are skipped. wantDirs selects folders,
// otherwise plain files.
std::vector<std::string> findEntries(const std::string& folder, const std::string& pattern,
                                     bool wantDirs);

} // namespace vx
