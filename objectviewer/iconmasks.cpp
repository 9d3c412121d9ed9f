#include "objectviewer/iconmasks.h"

#include "support/errors.h"
#include "support/helpers.h"
#include "support/lib_dirsearch.h"
#include "support/lib_strings.h"

namespace vx {

int iconIndex(int cls, int type) {
    checkRange(cls, iconClassFirst, iconClassLast, "icon class");
    checkRange(type, 0, iconTypeLast, "icon type");
    return (cls - iconClassFirst) * iconTypes + type;
}

bool hasIcon(int cls, int type) {
    return cls >= iconClassFirst && cls <= iconClassLast && type >= 0 && type <= iconTypeLast;
}

std::string iconMask(int cls, int type) {
    iconIndex(cls, type);
    return upperAscii(byteHex(static_cast<uint8_t>(cls)) + byteHex(static_cast<uint8_t>(type))) +
           "_*.jpg";
}

IconFiles iconFilesIn(const std::string& folder) {
    IconFiles files;
    // One scan of the folder stands for the 172 searches: for each entry the
    // first match in the order the system returns them.
    const std::vector<DirEntry> entries = dirSearch(folder + "????_*.jpg");
    for (int c = iconClassFirst; c <= iconClassLast; ++c)
        for (int t = 0; t <= iconTypeLast; ++t) {
            const std::string mask = iconMask(c, t);
            for (const DirEntry& e : entries)
                if (globMatch(e.name, mask)) {
                    files[static_cast<size_t>(iconIndex(c, t))] =
                        folder + (e.isDir ? iconFallbackName : e.name);
                    break;
                }
        }
    return files;
}

std::string startupGfxFolder() {
    return appDir() + "gfxfiles/";
}

std::string customGfxFolder(const std::string& templateDir) {
    return appDir() + templateDir + "gfxfiles/";
}

} // namespace vx
