#include "filedialogs.h"

#include <algorithm>

namespace vx::ui {

vx::FileDialogRequest TOpenDialog::request() const {
    vx::FileDialogRequest r;
    r.save = isSave();
    r.title = title_;
    r.initialDir = initialDir_;
    r.fileName = fileName_;
    r.defaultExt = defaultExt_.empty() || defaultExt_[0] == '.' ? defaultExt_ : "." + defaultExt_;
    size_t start = 0;
    while (start < filter_.size()) {
        const size_t bar = filter_.find('|', start);
        if (bar == std::string::npos) break;
        size_t end = filter_.find('|', bar + 1);
        if (end == std::string::npos) end = filter_.size();
        r.filters.push_back(
            {filter_.substr(start, bar - start), filter_.substr(bar + 1, end - bar - 1)});
        start = end + 1;
    }
    r.filterIndex = std::clamp(filterIndex_ - 1, 0, std::max(0, int(r.filters.size()) - 1));
    r.overwritePrompt = options_.overwritePrompt;
    r.pathMustExist = options_.pathMustExist;
    return r;
}

bool TOpenDialog::Execute() {
    std::string path;
    if (!vx::dialogs().chooseFile(request(), path)) return false;
    fileName_ = path;
    return true;
}

} // namespace vx::ui
