#include "templates.h"

#include "support/fileio.h"
#include "support/helpers.h"

#include <algorithm>

namespace vx {

std::vector<std::string> templateFolders(const std::string& programDir) {
    std::vector<std::string> out;
    if (fileExists(programDir + "/" + "LMdefault/lndmrks0.mlf")) out.emplace_back("LMdefault");
    for (const auto& name : findEntries(".", "*", true)) {
        if (lowerAscii(name) == "lmdefault" || name.front() == '.') continue;
        if (!fileExists(name + "/" + "lndmrks1.mlf")) continue;
        if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
    }
    return out;
}

std::vector<std::string> lowerCaseMatches(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> out;
    for (const auto& name : findEntries(folder, pattern, false)) out.push_back(lowerAscii(name));
    return out;
}

} // namespace vx
