// The texts that the viewer's editing commands show: the click and pointer
// read-outs, and the captions and messages that depend on the edit state.
#pragma once

#include "support/records.h"

#include <cstdint>
#include <string>

namespace vx {

inline constexpr const char* editOnText = "Editing / moving objects ON";
inline constexpr const char* editOffText = "Editing / moving objects OFF";
inline constexpr const char* cancelEditMessage = "data from before *this* edit is restored ";
// Shown when an append is refused because the table holds its 1025 objects.
inline constexpr const char* tableFullMessage =
    "The table is full: it holds at most 1025 objects. Nothing more was added.";
inline constexpr const char* moveSelectedMessage =
    "move around the map to where you want the selected object(s)\r\n and then DOUBLE click";

// mdowninfo for a click at (X, Y) on the view.
std::string mdownText(int32_t X, int32_t Y);
// What a click that picked an object appends: the click, where the object was
// drawn, and its row of the object list.
std::string mdownHitText(int32_t X, int32_t Y, int32_t cox, int32_t coy,
                         const std::string& rowText);
// xyview for the pointer at (X, Y), (fx, fy) feet.
std::string xyviewText(int32_t X, int32_t Y, int64_t fx, int64_t fy);

// Caption of "Hide obj in game" after picking obj.
std::string hideCaption(const LOobject& obj);
// Caption of "Allow rotation" once the rotation bar is enabled or not.
std::string allowRotationCaption(bool barEnabled);

} // namespace vx
