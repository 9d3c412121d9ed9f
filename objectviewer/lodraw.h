// Drawing the object view: the whole view of a table and one object, on any
// canvas that offers the few calls the view makes. The window passes its
// image's canvas and the state of its controls, and keeps the screen
// positions for the hit test.
#pragma once

#include "objectviewer/logeometry.h"
#include "objectviewer/lotable.h" // loDrawMax
#include "support/helpers.h"
#include "support/records.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vx {

namespace lodraw {
// $BBGGRR, the class library's values.
constexpr uint32_t clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clBlue = 0xFF0000,
                   clGreen = 0x008000, clLime = 0x00FF00, clGray = 0x808080, clYellow = 0x00FFFF;
} // namespace lodraw

// The canvas calls of the view, with the classic semantics of the image's
// canvas (a line leaves out its end point, a rectangle its right and bottom).
class LoCanvas {
public:
    virtual ~LoCanvas() = default;
    virtual void setPenColor(uint32_t c) = 0;
    virtual void setBrushColor(uint32_t c) = 0;
    virtual void fillRect(const TRect& r) = 0;      // with the brush
    virtual void polyline(const tmyrect& poly) = 0; // the pen through the five points
    virtual void line(TPoint from, TPoint to) = 0;  // the pen from one to the other
    virtual void pixel(TPoint p, uint32_t c) = 0;
    virtual void ellipse(const TRect& box) = 0; // outlined by the pen, filled by the brush
    // The icon picture of class and type stretched into dest.
    virtual void icon(int cls, int type, const TRect& dest) = 0;
};

// What the drawing reads from the view's controls.
struct LoDrawOptions {
    LoViewState view;
    int objcorPosition = -51; // objcor.Position
    int iconHalf = 10;        // iconHalfSize
    bool rotObjFlag = true;
    bool showPics = false; // showpics ticked
    int selected = -1;     // lolist.ItemIndex
};

// Screen positions of the objects as last drawn, by index. placed is false
// for an object the last redraw could not place (its position or footprint
// beyond 32 bits): it is not drawn and cannot be picked. Entries past the
// objects last drawn keep what earlier redraws left.
struct LoScreenPositions {
    std::array<int32_t, loDrawMax> scrX{}, scrY{};
    std::array<bool, loDrawMax> placed{};
};

struct LoViewDrawn {
    int drawnCount = 0;
    int count = 0;                    // records in the table drawn
    std::optional<TPoint> selectedAt; // where the selected object was drawn
};

// One object: selected is lotab's selected record (nullptr while none is
// selected), hidden whether lotab's record of this index is hidden in the
// game. Returns its screen position, or nullopt when it does not fit 32 bits
// (then nothing is drawn and the canvas keeps its pen and brush).
std::optional<TPoint> drawLoObject(LoCanvas& c, const LoDrawOptions& o, const LOobject& obj,
                                   bool isSelected, bool hidden, const LOobject* selected);

// The whole view of lodat: grey ground, the yellow centre marker, then every
// record up to index 1023. Selection, hidden flags and the selected position
// come from lotab.
LoViewDrawn drawLoView(LoCanvas& c, const LoDrawOptions& o, const TLOtab& lodat,
                       const TLOtab& lotab, LoScreenPositions& pos);
// The records alone, over what the canvas holds, with the pen and brush it
// has: the centred redraw's second pass over its first.
LoViewDrawn drawLoObjects(LoCanvas& c, const LoDrawOptions& o, const TLOtab& lodat,
                          const TLOtab& lotab, LoScreenPositions& pos);

// The count line of a redraw.
std::string loCountCaption(int drawnCount, int count);

} // namespace vx
