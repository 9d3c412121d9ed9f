#include "objectviewer/viewsettings.h"

#include "support/names.h"
#include "support/rtlconv.h"

namespace vx {

std::string magnifactText(int magPosition) {
    const double s = magPosition / 20.0;
    return fmtFloat(" %3.1F %% ", 100 / s);
}

std::vector<std::string> lobjectsCatalogue() {
    std::vector<std::string> lines;
    for (int c : {6, 7, 8, 9, 19, 20}) {
        const std::string classDigits = fmtInt("%2.2D", c);
        for (int t = 0; t <= 42; ++t) {
            const std::string& name = objNames[size_t(c)][size_t(t)];
            if (name.find(classDigits) != std::string::npos) continue;
            lines.push_back("$" + fmtInt("%2.2X", c) + ":$" + fmtInt("%2.2X", t) + ": " + name);
        }
    }
    return lines;
}

} // namespace vx
