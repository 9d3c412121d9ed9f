// Colours, cursors and event signatures shared by every control.
#pragma once

#include "support/helpers.h"
#include "support/records.h"

#include <cstdint>
#include <functional>

// GTK and cairo types the headers only point to; the binding files include the real headers.
typedef struct _GtkWidget GtkWidget;
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace vx::ui {

using vx::TPoint;
using vx::TRect;

// $BBGGRR: red in the lowest byte.
using TColor = uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clNavy = 0x800000;
// What Pixels answers outside the raster.
inline constexpr TColor clInvalid = 0xFFFFFFFF;

inline constexpr uint8_t redOf(TColor c) {
    return static_cast<uint8_t>(c & 0xFF);
}
inline constexpr uint8_t greenOf(TColor c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
inline constexpr uint8_t blueOf(TColor c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
inline constexpr TColor rgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

enum TCursor { crDefault, crCross, crHandPoint, crHourGlass };

enum TMouseButton { mbLeft, mbRight, mbMiddle };

struct TShiftState {
    bool shift = false, ctrl = false, alt = false, left = false, right = false, middle = false;
};

using TNotifyEvent = std::function<void()>;
using TMouseEvent = std::function<void(TMouseButton, TShiftState, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TShiftState, int X, int Y)>;
// wheelDelta is 120 per notch, positive when the wheel turns away from the user.
using TMouseWheelEvent =
    std::function<void(TShiftState, int wheelDelta, vx::TPoint mousePos, bool& handled)>;
// The handler may replace the key, or set it to 0 to swallow it.
using TKeyPressEvent = std::function<void(char& key)>;

} // namespace vx::ui
