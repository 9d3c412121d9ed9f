// The room controls need for their text, in the fonts GTK draws them with.
// Forms measure once, when they are built, so the layout follows the fonts
// of the machine the program runs on. Without a display fixed metrics stand
// in, so headless runs lay out alike everywhere.
#pragma once

#include "ui/types.h"

#include <string>

namespace vx::ui {

// Kinds of control whose size follows their text.
enum class TextBox {
    label,
    button,
    check,
    combo,      // a drop-down list
    entryCombo, // a drop-down with an entry
    edit,
    list, // rows of a list box, one a line
    memo, // lines of a memo
};

// The size a control of that kind needs to show text whole (lines separated
// by "\n") in font ("" for the controls' own font; "Courier New" and the
// like as TMemo::setFontName takes them): the text's extent plus the
// control's frame, padding and parts. A list or memo leaves room for a
// vertical scroll bar beside its text.
TPoint neededSize(TextBox kind, const std::string& text, const std::string& font = "");

// The same with the fixed metrics used without a display.
TPoint fixedNeededSize(TextBox kind, const std::string& text, const std::string& font = "");

} // namespace vx::ui
