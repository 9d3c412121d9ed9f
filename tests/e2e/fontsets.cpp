#include "fontsets.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace e2e {

namespace {

const char* const head = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
)";

// The faces fonts-dejavu-core installs; fonts-dejavu-extra adds more to
// the same folder.
const char* const minimalBody = R"(  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <selectfont>
    <rejectfont><glob>*</glob></rejectfont>
    <acceptfont>
      <glob>*/DejaVuSans.ttf</glob><glob>*/DejaVuSans-Bold.ttf</glob>
      <glob>*/DejaVuSansMono.ttf</glob><glob>*/DejaVuSansMono-Bold.ttf</glob>
      <glob>*/DejaVuSerif.ttf</glob><glob>*/DejaVuSerif-Bold.ttf</glob>
    </acceptfont>
  </selectfont>
)";

// What a desktop's image tools bring along; Noto first, as a desktop prefers it.
const char* const desktopBody = R"(  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <dir>/usr/share/fonts/truetype/noto</dir>
  <dir>/usr/share/fonts/truetype/droid</dir>
  <dir>/usr/share/fonts/opentype/urw-base35</dir>
  <alias binding="strong"><family>sans-serif</family><prefer><family>Noto Sans</family></prefer></alias>
  <alias binding="strong"><family>monospace</family><prefer><family>Noto Sans Mono</family></prefer></alias>
)";

// The folder of this test process's font files, removed when it exits.
struct Folder {
    fs::path dir = fs::temp_directory_path() / ("vx-e2e-fonts-" + std::to_string(getpid()));
    ~Folder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

std::string write(FontSet set) {
    static const Folder folder;
    const fs::path& dir = folder.dir;
    fs::create_directories(dir / "cache");
    const fs::path file = dir / (fontSetName(set) + ".conf");
    std::ofstream out(file);
    // Caches the test writes stay in its folder; the machine's are read.
    out << head << (set == FontSet::minimal ? minimalBody : desktopBody) << "  <cachedir>"
        << (dir / "cache").string() << "</cachedir>\n"
        << "  <cachedir>/var/cache/fontconfig</cachedir>\n</fontconfig>\n";
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
    return file.string();
}

} // namespace

std::string fontSetName(FontSet set) {
    return set == FontSet::minimal ? "minimal" : "desktop";
}

std::string fontConfigFile(FontSet set) {
    static const std::array<std::string, 2> files = {write(FontSet::minimal),
                                                     write(FontSet::desktop)};
    return files[set == FontSet::minimal ? 0 : 1];
}

std::string matchedFamily(FontSet set, const std::string& pattern) {
    const std::string cmd = "FONTCONFIG_FILE='" + fontConfigFile(set) +
                            "' fc-match -f '%{family[0]}' '" + pattern + "' 2>/dev/null";
    std::unique_ptr<FILE, decltype(&pclose)> p(popen(cmd.c_str(), "r"), pclose);
    std::string out;
    char buf[256];
    while (p && std::fgets(buf, sizeof buf, p.get())) out += buf;
    return out;
}

} // namespace e2e
