// Byte layouts of the simulator's landmark and object files. Every record is
// packed and copied whole; the static_asserts pin each size and offset so a
// compiler change can never shift a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/errors.h"

namespace vx {

#pragma pack(push, 1)

struct landmarkhead {
    char hchars1[8];
    uint8_t hbytes1[3];
    char hchars2[7];
    uint8_t hbytes2[2];
    uint16_t count;   // records in use after the header
    uint16_t recsize; // bytes per record
    uint16_t hword;
    uint8_t htail[74];
};

// Three identifying bytes; their meaning depends on the record holding them.
// Elements are numbered 1 to 3 in the file format, so at(1) is the lowest byte.
struct LOarray {
    uint8_t b[3];
    uint8_t& at(int element) {
        checkRange(element, 1, 3, "LOarray element");
        return b[element - 1];
    }
    uint8_t at(int element) const {
        checkRange(element, 1, 3, "LOarray element");
        return b[element - 1];
    }
};

struct landmark {
    uint16_t rsv0;
    uint8_t rsv2;
    uint8_t rsv3;
    LOarray lmid; // 1: type code, 2: object-file number, 3: side
    float lat;
    float lon;
    float elev;
    float rota;
    char name[40];
};

struct LOobject {
    LOarray loid; // 1: class, 2: type, 3: carried through
    float x;
    float y;
    float elev;
    float rota;
    uint8_t hide; // 3 = hidden in the game
};

constexpr int loCapacity = 1025;

struct TLOtab {
    landmarkhead head;
    LOobject objs[loCapacity]; // numbered from 0
};

struct TPoint {
    int32_t X;
    int32_t Y;
};

// Closed quadrilateral: point 4 repeats point 0.
struct tmyrect {
    TPoint p[5];
};

struct Twingar1 {
    float v[7];
};
struct Twingar2 {
    float v[118];
};
// Named, so the union holds no anonymous type (an extension to clang).
struct Twingwings {
    Twingar1 ar1;
    int32_t mid;
    Twingar2 ar2;
};
struct Twingstruc {
    landmarkhead head;
    union {
        Twingwings wings;
        int32_t tlongart[126];
        float tsingart[126];
    };
};

#pragma pack(pop)

// Header followed by a run-time sized sequence of landmarks; declared for the
// library interface, which keeps the two parts in separate values.
struct TLMtab {
    landmarkhead head;
    // the records follow in the reader's own storage
};

static_assert(sizeof(landmarkhead) == 100);
static_assert(offsetof(landmarkhead, hchars1) == 0);
static_assert(offsetof(landmarkhead, hbytes1) == 8);
static_assert(offsetof(landmarkhead, hchars2) == 11);
static_assert(offsetof(landmarkhead, hbytes2) == 18);
static_assert(offsetof(landmarkhead, count) == 20);
static_assert(offsetof(landmarkhead, recsize) == 22);
static_assert(offsetof(landmarkhead, hword) == 24);
static_assert(offsetof(landmarkhead, htail) == 26);

static_assert(sizeof(LOarray) == 3);

static_assert(sizeof(landmark) == 63);
static_assert(offsetof(landmark, rsv0) == 0);
static_assert(offsetof(landmark, rsv2) == 2);
static_assert(offsetof(landmark, rsv3) == 3);
static_assert(offsetof(landmark, lmid) == 4);
static_assert(offsetof(landmark, lat) == 7);
static_assert(offsetof(landmark, lon) == 11);
static_assert(offsetof(landmark, elev) == 15);
static_assert(offsetof(landmark, rota) == 19);
static_assert(offsetof(landmark, name) == 23);

static_assert(sizeof(LOobject) == 20);
static_assert(offsetof(LOobject, loid) == 0);
static_assert(offsetof(LOobject, x) == 3);
static_assert(offsetof(LOobject, y) == 7);
static_assert(offsetof(LOobject, elev) == 11);
static_assert(offsetof(LOobject, rota) == 15);
static_assert(offsetof(LOobject, hide) == 19);

static_assert(sizeof(TLOtab) == 20600);
static_assert(offsetof(TLOtab, objs) == 100);

static_assert(sizeof(tmyrect) == 40);

static_assert(sizeof(Twingstruc) == 604);
static_assert(offsetof(Twingstruc, wings.ar1) == 100);
static_assert(offsetof(Twingstruc, wings.mid) == 128);
static_assert(offsetof(Twingstruc, wings.ar2) == 132);
static_assert(offsetof(Twingstruc, tlongart) == 100);
static_assert(offsetof(Twingstruc, tsingart) == 100);

static_assert(sizeof(float) == 4, "Single must be IEEE single precision");

// Name text of a record: up to the first NUL, all 40 characters without one.
std::string_view nameText(const landmark& rec);
// Stores at most 39 characters and NUL-fills the rest of the field.
void setName(landmark& rec, std::string_view text);

// De-activated: both co-ordinates negated.
inline bool isDeactivated(const landmark& rec) {
    return rec.lat < 0 && rec.lon < 0;
}

} // namespace vx
