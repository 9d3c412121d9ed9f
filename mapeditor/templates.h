// Discovery of template folders and object files on disk.
#pragma once

#include <string>
#include <vector>

namespace vx {

// "LMdefault" when programDir holds "LMdefault/lndmrks0.mlf", then every
// folder of the current folder that holds "lndmrks1.mlf", leaving out names
// that begin with "." and any whose lower-cased name is "lmdefault".
std::vector<std::string> templateFolders(const std::string& programDir);

// Names in folder matching pattern, lower-cased, in directory order.
std::vector<std::string> lowerCaseMatches(const std::string& folder, const std::string& pattern);

} // namespace vx
