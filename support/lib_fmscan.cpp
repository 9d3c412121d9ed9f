#include "lib_fmscan.h"

#include "crc32.h"
#include "errors.h"
#include "fileio.h"
#include "helpers.h"
#include "lib_bytesum.h"
#include "lib_dirsearch.h"
#include "lib_strings.h"
#include "lib_vol.h"

#include <glib.h>
#include <sys/stat.h>
#include <vector>

namespace vx {

std::array<std::string, 11> scanFolders = {
    "", "data/multi/", "data/simpatch/", "data/", "./", "", "", "", "", "", ""};
TStringList scanPreset;
TStringList scanSeen, volHits;
int scanPauseMs = 100;

namespace {

const std::string localEntry = "./";

void pause() {
    if (scanPauseMs > 0) g_usleep(static_cast<gulong>(scanPauseMs) * 1000);
}

// Cuts the next item ended by sep off the front of list. An unterminated last
// item is taken whole.
std::string takeItem(std::string& list, char sep) {
    auto at = list.find(sep);
    std::string item = list.substr(0, at);
    list.erase(0, at == std::string::npos ? list.size() : at + 1);
    return item;
}

std::vector<std::string> archiveNames(std::string part) {
    std::vector<std::string> names;
    while (!part.empty()) {
        std::string name = takeItem(part, '&');
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

// Cuts the archive part ("&a.vol&b.vol&") off a folder entry.
std::vector<std::string> splitEntry(std::string& entry) {
    auto amp = entry.find('&');
    if (amp == std::string::npos) return {};
    auto names = archiveNames(entry.substr(amp));
    entry.erase(amp);
    return names;
}

std::vector<std::string> maskItems(std::string list) {
    std::vector<std::string> items;
    while (!list.empty()) {
        items.push_back(takeItem(list, '|'));
        if (list == "|") list.clear();
    }
    return items;
}

// The folder table that folders would set.
std::array<std::string, 11> tableFor(std::string folders) {
    std::array<std::string, 11> t = scanFolders;
    if (folders.empty()) return t;
    for (int k = 1; k <= 10; ++k) {
        auto bar = folders.find('|');
        if (bar == std::string::npos) {
            t[k].clear();
            continue;
        }
        t[k] = folders.substr(0, std::min<size_t>(bar, 80));
        folders.erase(0, bar + 1);
    }
    return t;
}

// Every path the scan would open must stay below the current folder.
bool requestIsSafe(const std::string& folders, const std::string& masks) {
    const std::string all = masks + folders;
    for (const char* bad : {"..\\", ":\\", "../"})
        if (all.find(bad) != std::string::npos) return false;
    const auto table = tableFor(folders);
    const auto maskList = maskItems(masks.empty() ? scanDefaultMasks : masks);
    for (int j = 1; j <= 10 && !table[j].empty(); ++j) {
        std::string entry = table[j];
        for (const auto& a : splitEntry(entry))
            if (!staysInside(entry + a)) return false;
        for (std::string m : maskList) {
            bool local = !m.empty() && m[0] == '!';
            if (local) m.erase(0, 1);
            if (!staysInside(local ? m : entry + m)) return false;
        }
    }
    return true;
}

// The log is written in the current folder only: its name holds no "/", and
// a link of that name must lead to a file in the current folder.
bool logNameIsSafe(const std::string& logName) {
    if (logName.find('/') != std::string::npos) return false;
    const std::string path = "log-" + logName;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    return existsAsFile(path) && !leadsOutside(".", path);
}

// The log: created (emptied) at once, so a folder that cannot take it fails
// before anything is searched; its lines are written when the scan ends, also
// when it ends by an error.
class ScanLog {
public:
    explicit ScanLog(const std::string& name) : name_(name) { write(); }
    ~ScanLog() {
        try {
            write();
        } catch (const FileError&) {
        }
    }
    ScanLog(const ScanLog&) = delete;
    ScanLog& operator=(const ScanLog&) = delete;
    void line(const std::string& s) { text_ += s + "\n"; }

private:
    void write() const {
        try {
            writeFileAtomic(name_, text_);
        } catch (const FileError& e) {
            throw FileError(std::string("Input/output error: cannot write log file: ") + e.what());
        }
    }
    std::string name_, text_;
};

struct Scan {
    TStringList& results;
    ScanLog& log;

    void addFoundFile(const std::string& entry, const DirEntry& e, bool local,
                      const std::string& lmask) {
        const std::string lname = lowerAscii(e.name);
        if (scanSeen.IndexOf(lname) >= 0) return;
        scanSeen.Add(lname);
        int32_t status = 0;
        uint32_t crc = fileCrc32(pickStr(local, lmask, entry + e.name), status);
        results.Add(lname + "=" + std::to_string(e.size) + "|" + std::to_string(crc) + "|" +
                    std::to_string(status));
        if (local)
            log.line("./" + lmask.substr(0, static_cast<size_t>(posNthFromEnd(1, "/", lmask))) +
                     lname);
        else
            log.line(entry + lname);
    }

    void searchArchives(const std::string& entry, const std::vector<std::string>& archives,
                        const std::string& mask) {
        for (const auto& archive : archives) {
            volHits.Clear();
            if (existsAsFile(entry + archive) && liesInFolder(entry, entry + archive))
                volListMatching(entry + archive, mask, volHits);
            for (int i = 0; i < volHits.Count(); ++i) {
                const std::string& line = volHits[i];
                const std::string name = line.substr(0, line.find('='));
                if (indexOfPrefix(name, scanSeen) != -1) continue;
                scanSeen.Add(name);
                results.Add(line);
                log.line(archive + ":" + lowerAscii(name));
            }
        }
    }

    void folder(int j, const std::string& masks) {
        std::string maskList = masks.empty() ? scanDefaultMasks : masks;
        pause();
        std::string& entry = scanFolders[j];
        const auto archives = splitEntry(entry); // the entry keeps only its folder, for good
        do {
            std::string mask = takeItem(maskList, '|');
            if (!entry.empty()) {
                if (mask.empty()) throw RangeError("Range check error: empty mask in the scan");
                const bool local = mask[0] == '!';
                if (local) mask.erase(0, 1);
                if (local == (entry == localEntry)) {
                    const std::string lmask = lowerAscii(mask);
                    // Links that lead out of the folder searched are not followed.
                    const std::string in = entry + mask.substr(0, mask.find_last_of('/') + 1);
                    for (const DirEntry& e : dirSearch(entry + mask))
                        if (liesInFolder(entry, in + e.name)) addFoundFile(entry, e, local, lmask);
                }
                searchArchives(entry, archives, mask);
            }
            if (maskList == "|") maskList.clear();
        } while (!maskList.empty());
    }
};

} // namespace

void scanFlightModelFiles(const std::string& logName, const std::string& folders,
                          const std::string& masks, TStringList& results, bool /*option*/) {
    scanSeen.Clear();
    makeSortedUnique(scanSeen);
    for (int i = 0; i < scanPreset.Count(); ++i) {
        const std::string& line = scanPreset[i];
        auto eq = line.find('=');
        scanSeen.Add(eq == std::string::npos ? std::string() : line.substr(0, eq));
    }
    makeSortedUnique(results);
    volHits.Clear();
    if (!requestIsSafe(folders, masks) || !logNameIsSafe(logName)) return;
    if (!folders.empty()) scanFolders = tableFor(folders);
    {
        ScanLog log("log-" + logName);
        Scan scan{results, log};
        for (int j = 1; j <= 10 && !scanFolders[j].empty(); ++j) scan.folder(j, masks);
    }
    if (results.Count() == 0) results.Add(scanNothingFound);
    std::string joined;
    joinLinesCRLF(joined, results);
    if (!joined.empty()) pause();
}

} // namespace vx
