#include "objectviewer/loedittext.h"

#include "objectviewer/lotable.h"
#include "support/rtlconv.h"

namespace vx {

namespace {

std::string plain(int32_t n) {
    return fmtInt(" %.d ", n);
}

} // namespace

std::string mdownText(int32_t X, int32_t Y) {
    return " x y " + plain(X) + plain(Y) + " slack " + std::to_string(pickSlack);
}

std::string mdownHitText(int32_t X, int32_t Y, int32_t cox, int32_t coy,
                         const std::string& rowText) {
    return " got x y " + plain(X) + plain(Y) + " cox: " + std::to_string(cox) +
           " coy:" + std::to_string(coy) + " " + rowText;
}

std::string xyviewText(int32_t X, int32_t Y, int64_t fx, int64_t fy) {
    return "x: " + std::to_string(X) + " y:" + std::to_string(Y) +
           Format(" Ft: x %5D Ft: y %5D ",
                  {static_cast<long long>(fx), static_cast<long long>(fy)});
}

std::string hideCaption(const LOobject& obj) {
    return obj.hide == 3 ? "make visible" : "make invisible";
}

std::string allowRotationCaption(bool barEnabled) {
    return barEnabled ? "Disable rotation" : "Enable rotation";
}

} // namespace vx
