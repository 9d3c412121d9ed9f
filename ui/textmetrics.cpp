#include "ui/textmetrics.h"

#include "ui/application.h"
#include "ui/gtk_peer.h"

#include <algorithm>
#include <sstream>

namespace vx::ui {

namespace {

// A 10 point sans face and a fixed-pitch one at 96 dots per inch.
constexpr int sansChar = 7, monoChar = 8, sansLine = 17, monoLine = 17;
constexpr int scrollBar = 16;

TPoint extent(const std::string& text, const std::string& font) {
    const int ch = font.empty() ? sansChar : monoChar;
    const int lh = font.empty() ? sansLine : monoLine;
    std::istringstream in(text);
    int widest = 0, lines = 0;
    for (std::string line; std::getline(in, line); ++lines)
        widest = std::max(widest, int(line.size()));
    return {widest * ch, std::max(lines, 1) * lh};
}

} // namespace

TPoint fixedNeededSize(TextBox kind, const std::string& text, const std::string& font) {
    const TPoint t = extent(text, font);
    switch (kind) {
    case TextBox::label:
        return t;
    case TextBox::button:
        return {t.X + 12, t.Y + 10};
    case TextBox::check:
        return {t.X + 23, t.Y + 4};
    case TextBox::combo:
        return {t.X + 36, t.Y + 12};
    case TextBox::entryCombo:
        return {t.X + 40, t.Y + 10};
    case TextBox::edit:
        return {t.X + 10, t.Y + 8};
    case TextBox::list: {
        const int rows = t.Y / (font.empty() ? sansLine : monoLine);
        return {t.X + 8 + scrollBar, t.Y + rows * 4 + 4};
    }
    case TextBox::memo:
        return {t.X + 6 + scrollBar, t.Y + 4};
    }
    return t;
}

TPoint neededSize(TextBox kind, const std::string& text, const std::string& font) {
    if (Application().headless()) return fixedNeededSize(kind, text, font);
    return gtk::measuredSize(kind, text, font);
}

} // namespace vx::ui
