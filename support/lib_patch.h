// External commands and the patch-folder manager of the library interface.
#pragma once

#include <functional>
#include <string>

namespace vx {

inline constexpr const char* protectListed =
    "Halvorymulti.vol Halvorymmulti.vol 3dpatch.vol 3dspring.vol 3dwinter.vol 3dfall.vol "
    "3dspring.vol lowres.vol Halvory.vol Halvoryshell.vol mpstring2.dat wait.pal cursors.pba "
    "action.bmp";
inline constexpr const char* protectAll =
    "Halvorymulti.vol Halvorymmulti.vol 3dpatch.vol 3dspring.vol 3dwinter.vol 3dfall.vol "
    "Halvory.vol Halvoryshell.vol mpstring2.dat wait.pal cursors.pba";
inline constexpr const char* commandFailedMsg = "error encountered, exitcode: FIXME ";

// Opens an existing file or folder with the desktop's application for it;
// false when the path does not exist or nothing opens it.
bool openDocument(const std::string& target);
// Replaces the opener (tests); an empty function restores the desktop's one.
void setDocumentOpenerForTesting(std::function<bool(const std::string&)> opener);

// Only program reaches the opener; owner, parameters and folder are not used.
void runCommandMsg(const void* owner, const std::string& program, const std::string& parameters,
                   const std::string& folder);
void runCommand(const void* owner, const std::string& program, const std::string& parameters,
                const std::string& folder);
bool runCommandOk(const void* owner, const std::string& program, const std::string& parameters);
bool runCommandOk2(const void* owner, const std::string& program, const std::string& parameters);

// The protection message shown for one critical file.
std::string protectionMessage(const std::string& name);
// A name counts as protected when its lower-case form is a piece of the list.
bool isProtected(const std::string& name, const std::string& list);

// Writes the activation line into path (replacing the file); FileError on failure.
void logPatchActive(const std::string& path);
// Copies src to dst through SafeFileWriter unless failIfExists and dst exists.
// FileError when src cannot be read or dst cannot be written; dst is then untouched.
void copyFileBlocks(const std::string& src, const std::string& dst, bool failIfExists);
// Activates (copies the patch's files into dir/..) or de-activates (deletes
// them there) the patch folder dir and keeps the ".act" record beside it. The
// patch's own batch files are not run on this platform.
void applyPatchFolder(const std::string& dir, bool activate, bool protectCritical);

} // namespace vx
