// The font sets the layout tests run the program under, each chosen through a
// fontconfig file of the test's own (FONTCONFIG_FILE), so the machine's
// configuration stays as it is: the few DejaVu faces a minimal install has,
// and a desktop's set whose Noto faces are wider and taller.
#pragma once

#include <string>

namespace e2e {

enum class FontSet { minimal, desktop };

// "minimal" or "desktop", for test names and file names.
std::string fontSetName(FontSet set);
// The fontconfig file of that set, written once per test process.
std::string fontConfigFile(FontSet set);
// The family fontconfig gives for pattern (such as "monospace") under that set.
std::string matchedFamily(FontSet set, const std::string& pattern);

} // namespace e2e
