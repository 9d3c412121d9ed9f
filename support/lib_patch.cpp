#include "lib_patch.h"
#include "stringlist.h"

#include "dialogs.h"
#include "errors.h"
#include "helpers.h"
#include "lib_dirsearch.h"
#include "lib_files.h"
#include "lib_rawfile.h"
#include "lib_strings.h"

#include <cerrno>
#include <cstring>
#include <gio/gio.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vx {

namespace {

std::function<bool(const std::string&)>& openerOverride() {
    static std::function<bool(const std::string&)> fn;
    return fn;
}

bool desktopOpen(const std::string& target) {
    if (target.empty() || !g_file_test(target.c_str(), G_FILE_TEST_EXISTS)) return false;
    GFile* file = g_file_new_for_path(target.c_str());
    char* uri = g_file_get_uri(file);
    g_object_unref(file);
    GError* err = nullptr;
    bool ok = g_app_info_launch_default_for_uri(uri, nullptr, &err);
    g_free(uri);
    if (err) g_error_free(err);
    return ok;
}

// Lines ended by CR LF, LF or CR.
std::vector<std::string> readLines(const std::string& path) {
    RawFile file(path);
    std::string text(static_cast<size_t>(file.size()), '\0');
    text.resize(file.readUpTo(text.data(), text.size()));
    return splitLines(text);
}

// The text after the last "/" or "\" of dir.
std::string lastName(const std::string& dir) {
    auto at = dir.find_last_of("/\\");
    return at == std::string::npos ? dir : dir.substr(at + 1);
}

std::string unsafePathMessage(const std::string& name) {
    return "Not processing file: " + name +
           " - an absolute path or \"..\" would reach outside the simulator's folder";
}

std::string outsideLinkMessage(const std::string& name) {
    return "Not processing file: " + name + " - it is a link that leads outside the patch folder";
}

std::string outsideGameMessage(const std::string& name) {
    return "Not processing file: " + name + " - a link in the simulator's folder leads outside it";
}

// The simulator's side of an entry is checked too: a link there (to the
// file, or to a folder on its path) must not get a copy or a deletion
// outside the simulator's folder.
bool refusedInGame(const std::string& parent, const std::string& name, const std::string& shown) {
    if (!reachesOutside(parent, name)) return false;
    ShowMessage(outsideGameMessage(shown));
    return true;
}

} // namespace

bool openDocument(const std::string& target) {
    if (openerOverride()) return openerOverride()(target);
    return desktopOpen(target);
}

void setDocumentOpenerForTesting(std::function<bool(const std::string&)> opener) {
    openerOverride() = std::move(opener);
}

void runCommandMsg(const void*, const std::string& program, const std::string&,
                   const std::string&) {
    if (!openDocument(program)) ShowMessage(commandFailedMsg);
}

void runCommand(const void*, const std::string& program, const std::string&, const std::string&) {
    openDocument(program);
}

bool runCommandOk(const void*, const std::string& program, const std::string&) {
    return openDocument(program);
}

bool runCommandOk2(const void* owner, const std::string& program, const std::string& parameters) {
    return runCommandOk(owner, program, parameters);
}

std::string protectionMessage(const std::string& name) {
    return "Not processing file: " + name +
           " uncheck \"Do not overwrite critical Halvory files if you want this file processed. "
           "It may render your game unusable...";
}

bool isProtected(const std::string& name, const std::string& list) {
    return !name.empty() && lowerAscii(list).find(lowerAscii(name)) != std::string::npos;
}

void logPatchActive(const std::string& path) {
    const std::string line = "patch activated from path:" + path + " at time:" + stampNow() + "\n";
    try {
        writeFileAtomic(path, line);
    } catch (const FileError& e) {
        throw FileError(std::string("Input/output error: ") + e.what());
    }
}

void copyFileBlocks(const std::string& src, const std::string& dst, bool failIfExists) {
    if (failIfExists && existsAsFile(dst)) return;
    SafeFileWriter out(dst);
    copyFileThrough(src, out);
    out.commit();
}

void applyPatchFolder(const std::string& dir, bool activate, bool protectCritical) {
    const std::string parent = dir + "/" + "..";
    const std::string listFile = dir + "/" + "patchfilelist.txt";
    if (existsAsFile(listFile)) {
        for (const std::string& item : readLines(listFile)) {
            if (item == "." || item == "..") continue;
            // The file the line names, however it is spelt ("./a", "a/", "a//b").
            const std::string name = plainRelativePath(item);
            if (name.empty()) continue;
            if (!staysInside(name)) {
                ShowMessage(unsafePathMessage(item));
                continue;
            }
            if (protectCritical && isProtected(name, protectListed)) {
                ShowMessage(protectionMessage(item));
                continue;
            }
            if (leadsOutside(dir, name)) {
                ShowMessage(outsideLinkMessage(item));
                continue;
            }
            if (refusedInGame(parent, name, item)) continue;
            if (activate) {
                if (existsAsFile(dir + "/" + name))
                    copyIfExists(dir + "/" + name, parent + "/" + name, false);
            } else if (existsAsFile(parent + "/" + name)) {
                ::unlink((parent + "/" + name).c_str());
            }
        }
    } else {
        for (const DirEntry& e : dirSearch(dir + "/" + "*.*")) {
            if (e.name == "." || e.name == "..") continue;
            if (protectCritical && isProtected(e.name, protectAll)) {
                ShowMessage(protectionMessage(e.name));
                continue;
            }
            if (leadsOutside(dir, e.name)) {
                ShowMessage(outsideLinkMessage(e.name));
                continue;
            }
            if (refusedInGame(parent, e.name, e.name)) continue;
            if (activate)
                copyIfExists(dir + "/" + e.name, parent + "/" + e.name, false);
            else
                ::unlink((parent + "/" + e.name).c_str());
        }
    }
    // The patch's batch file ("patchon.bat" / "patchoff.bat") is meant for a
    // command interpreter this platform does not have, so it is not started.
    const std::string act = parent + "/" + lastName(dir) + ".act";
    if (refusedInGame(parent, lastName(dir) + ".act", lastName(dir) + ".act")) return;
    if (activate)
        logPatchActive(act);
    else if (existsAsFile(act))
        ::unlink(act.c_str());
}

} // namespace vx
