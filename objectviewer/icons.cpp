// The icon pictures: loading a folder's icons, and "Load custom gfx".
#include "objectviewer/icons.h"

#include "objectviewer/Unit2.h"
#include "objectviewer/iconmasks.h"
#include "support/errors.h"
#include "support/fileio.h"

namespace vx {

std::vector<std::string> loadIconsOf(const std::string& folder) {
    const IconFiles files = iconFilesIn(folder);
    std::vector<std::string> unreadable;
    for (int c = iconClassFirst; c <= iconClassLast; ++c)
        for (int t = 0; t <= iconTypeLast; ++t) {
            const std::string& file = files[static_cast<size_t>(iconIndex(c, t))];
            if (file.empty()) continue;
            try {
                objPics.at(c, t).LoadFromFile(file);
            } catch (const Error&) {
                unreadable.push_back(file); // the entry keeps its picture
            }
        }
    return unreadable;
}

void Tloview::loadcustomgfx() {
    const std::string folder = customGfxFolder(mainWindow().templateDir());
    if (!directoryExists(folder)) return;
    loadIconsOf(folder);
    redraw(false, lotab);
}

void Tloview::loadcustgfxClick() {
    loadcustomgfx();
}

} // namespace vx
