// The directory search of the library routines: a pattern whose last element
// holds "?" (one character) and "*" (any run), matched with regard to case.
// Unlike fileio's findEntries it reports every kind of entry, "." and ".."
// included, with the attributes the callers test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

struct DirEntry {
    std::string name;
    int64_t size = 0;      // of what a link leads to
    bool isDir = false;    // a folder, or a link to one
    bool isLink = false;   // the entry itself is a symbolic link
    bool isPlain = false;  // a regular file, or a link to one
    bool writable = false; // the user may write it
};

// Plain glob: "?" one byte, "*" any run (also none), every other byte itself.
bool globMatch(const std::string& name, const std::string& pattern);

// Entries of the folder part of pattern (up to its last "/"; the current folder
// without one) whose names match the rest, in the order the system returns
// them. A link counts as what it leads to; a link that leads nowhere is skipped.
std::vector<DirEntry> dirSearch(const std::string& pattern);

// A relative path without a ".." element: it cannot leave the folder it is
// taken from.
bool staysInside(const std::string& path);

// The path without "." elements and empty ones (doubled or trailing "/"):
// "./a//b/" gives "a/b", "." and "./" the empty text. ".." elements stay.
std::string plainRelativePath(const std::string& path);

// rel, taken from folder, exists and leads (through links) outside folder.
bool leadsOutside(const std::string& folder, const std::string& rel);

// The place rel names, taken from folder, lies outside folder once every
// link on the way is followed: folder links in rel, and the last element's
// link chain even where it leads to nothing yet. A loop, or a folder that
// cannot be resolved, counts as outside.
bool reachesOutside(const std::string& folder, const std::string& rel);

// path exists and, with every link followed, lies in folder as it is spelt
// from the current folder (a link that is folder itself, or on the way to
// it, is not followed: folder must really be below the current folder).
bool liesInFolder(const std::string& folder, const std::string& path);

// A path that exists and is not a folder (links followed).
bool existsAsFile(const std::string& path);

} // namespace vx
