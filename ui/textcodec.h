// Texts of the program are 8-bit (Latin-1); GTK wants UTF-8.
#pragma once

#include <string>

namespace vx::ui::gtk {

std::string toUtf8(const std::string& text);
std::string fromUtf8(const char* text);
// For texts that may hold paths as the file system gives them (UTF-8 here)
// as well as the program's Latin-1: valid UTF-8 stays as it is.
std::string displayText(const std::string& text);

} // namespace vx::ui::gtk
