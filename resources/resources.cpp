#include "resources.h"

#include "support/errors.h"

#include <gio/gio.h>

extern "C" void vexton_register_resource(void);

namespace vx {

void registerResources() {
    static const bool registered = [] {
        vexton_register_resource();
        return true;
    }();
    (void)registered;
}

std::string resourceBytes(const std::string& path) {
    registerResources();
    GError* err = nullptr;
    GBytes* bytes = g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, &err);
    if (!bytes) {
        std::string msg = err ? err->message : "not found";
        if (err) g_error_free(err);
        throw FileError("No embedded picture \"" + path + "\": " + msg);
    }
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string out(data, size);
    g_bytes_unref(bytes);
    return out;
}

} // namespace vx
