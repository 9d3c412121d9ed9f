#include "ui/textcodec.h"

#include <glib.h>

namespace vx::ui::gtk {

std::string toUtf8(const std::string& text) {
    gchar* u = g_convert(text.data(), static_cast<gssize>(text.size()), "UTF-8", "ISO-8859-1",
                         nullptr, nullptr, nullptr);
    if (!u) return text;
    std::string s = u;
    g_free(u);
    return s;
}

std::string displayText(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr) ? text
                                                                                   : toUtf8(text);
}

std::string fromUtf8(const char* text) {
    if (!text) return {};
    gchar* l =
        g_convert_with_fallback(text, -1, "ISO-8859-1", "UTF-8", "?", nullptr, nullptr, nullptr);
    if (!l) return text;
    std::string s = l;
    g_free(l);
    return s;
}

} // namespace vx::ui::gtk
