#include "names.h"

#include "errors.h"
#include "helpers.h"

#include <algorithm>

namespace vx {

const std::array<const char*, 21> objClassNames = {
    "00 - Flights ",        "01 - Brigades ",          "02-  Landmarks ", "03 - Aircraft ",
    "04 - Soldiers ",       "05 - unknown/Dum1 class", "06 - Vehicles",   "07 - Air Defenses",
    "08 - Ground Forces",   "09 - Structures",         "0a - Debris",     "0b - Projectile class",
    "0c - Explosion Class", "0d - Smoke Class",        "0e - Clouds",     "0f - Squadrons",
    "10 - Pilots",          "11 - Celestial",          "12 - Fire",       "13 - SP! front pos.",
    "14 - City tiles",
};

// Entries 9 and 10 fill the 20-character limit exactly; shown whole or without the code.
const std::array<const char*, 17> lmTypeNames = {
    "00 aero",
    "01 city",
    "02 supply",
    "03 railyard",
    "04 railbridge",
    "05 factory",
    "06 brigade",
    "07 town",
    "08 village",
    "09 Doesnot work/no D",
    "0a infantery pos SP ",
    "0b DTD",
    "0c ?",
    "0d ?",
    "0e ?",
    "0f ?",
    "unk ?",
};

const std::array<const char*, 2> sideNames = {"Central", "Entente"};

std::array<std::array<std::string, objTypeMax + 1>, objClassMax + 1> objNames;

namespace {

struct FixedName {
    int cls;
    int type;
    const char* text;
};

// Names of the classes the editor knows by type; classes 6 to 9 end in their
// footprint "ft:<w>x<l>", which the viewer draws.
const FixedName fixedNames[] = {
    {2, 0, " aero"},
    {2, 1, " city"},
    {2, 2, " supply"},
    {2, 3, " railyard"},
    {2, 4, " railbridge"},
    {2, 5, " factory"},
    {2, 6, " brigade"},
    {2, 7, " town"},
    {2, 8, " village"},
    {2, 9, " DOES NOT WORK but no DTD"},
    {2, 10, " lndmrk, DTD in MMP"},
    {2, 11, " lndmrk, DTD in MMP"},

    {3, 0, " Fok EIII"},
    {3, 1, " Aviatik  C.1"},
    {3, 2, "  Albatros C.3  "},
    {3, 3, "  Roland CL.2"},
    {3, 4, "  Albatros D.2     "},
    {3, 5, "  Halberstadt D.2"},
    {3, 6, "  Albatros D.3 "},
    {3, 7, "  Rumpler C.4"},
    {3, 8, "  Albatros D.Va"},
    {3, 9, "  Gotha G.4"},
    {3, 10, "  Fokker Dr.1    "},
    {3, 11, "  Hannover CL.3"},
    {3, 12, "  Pfalz D.3         "},
    {3, 13, "  Halberstadt CL.2"},
    {3, 14, "  unused , intended LVG"},
    {3, 15, "  Fokker D.7     "},
    {3, 16, "  Pfalz D.12"},
    {3, 17, "  unused , int.  Zepplin"},
    {3, 18, "  German Balloon"},
    {3, 19, "  Morane Saulnier Bullet"},
    {3, 20, "  Nieuport 11 "},
    {3, 21, "  Nieuport 17 "},
    {3, 22, "  unused, int. Caudron "},
    {3, 23, "  Spad 7  "},
    {3, 24, "  Nieuport 24    "},
    {3, 25, "  Salmson 2a2  "},
    {3, 26, "  Breguet 14 "},
    {3, 27, "  Spad 13  "},
    {3, 28, "  Nieuport 28"},
    {3, 29, "  B.E.2e   "},
    {3, 30, "  D.H.2    "},
    {3, 31, "  F.E.2b"},
    {3, 32, "  Sopwith Strutter 1.5"},
    {3, 33, "  Sopwith Pup   "},
    {3, 34, "  Sopwith Triplane"},
    {3, 35, "  R.E.8"},
    {3, 36, "  Sopwith Camel"},
    {3, 37, "  S.E.5a "},
    {3, 38, "  D.H.4"},
    {3, 39, "  Handley Page 0/400  "},
    {3, 40, "  Sopwith Snipe    "},
    {3, 41, "  Allied Balloon "},
    {3, 42, "  Bristol Fighter"},

    {6, 0, " AA Truck ft:7x21"},
    {6, 1, " Truck 1 ft:7x19"},
    {6, 2, " Truck 2 ft:7x19"},
    {6, 3, " Staff Car ft:6x14"},
    {6, 4, " Ambulance ft:7x19"},
    {6, 5, " Train, 2 end Engines ft:18x61"},
    {6, 6, " Train, Normal Engine ft:18x78"},
    {6, 7, " Train, Gray Boxcar ft:12x44"},
    {6, 8, " Train, Brown Boxcar ft:12x44"},
    {6, 9, " Train, Coal Car ft:16x39"},
    {6, 10, " Train, Passenger Car ft:12x44"},
    {6, 11, "X Soldier_Allied  ft:2x3"},
    {6, 12, " Train, Flat Car ft:12x44"},
    {6, 13, " Tank, Large LO13 ! Allied ft:12x45"},
    {6, 14, " Tank, Large LO13 ! German ft:12x45"},
    {6, 15, " Tank, Small LO13 ! Allied ft:12x30"},
    {6, 16, " Tank, Small LO13 ! German ft:12x30"},
    {6, 17, " !usd noshow ft:10x10"},

    {7, 0, " X Tank, Large German MMP ft:12x45"},
    {7, 1, " X Tank, Large Allied MMP ft:12x45"},
    {7, 2, " X !usd  usable (0905!) ft:12x12"},
    {7, 3, " X !usd  usable (0905!) ft:12x12"},
    {7, 4, " Observation Tower ft:12x12"},
    {7, 5, " X !usd usable (0905!)  ft:10x10"},
    {7, 6, " Flak Gun, Allied ft:30x22"},
    {7, 7, " Flak Gun, German ft:30x22"},
    {7, 8, " X !usd  usable (0905!) ft:10x10"},

    {8, 1, " MG Nest, Allied ft:13x10"},
    {8, 2, " Artillery, Allied ft:14x10"},
    {8, 4, " Slit Trench 164x30 ft:107x19"},
    {8, 5, " MG Nest, German ft:13x10"},
    {8, 6, " Observation Point ft:38x16"},
    {8, 7, " Obs. Balloon, Allied ft:40x200"},
    {8, 8, " Obs. Balloon, German ft:40x361"},
    {8, 9, " Artillery, German ft:14x10"},
    {8, 10, " infantry LO130x00 tile(?) ft:10x10"},

    {9, 0, " Warehouse ft:51x148"},
    {9, 1, " Green Tent ft:20x20"},
    {9, 2, " Hangar, Large ft:175x117"},
    {9, 3, " Hangar, Small ft:55x94"},
    {9, 4, " Barracks ft:181x109"},
    {9, 5, " X Tank_small_Allied ft:10x25"},
    {9, 6, " Church ft:49x110"},
    {9, 7, " Town Building 1 ft:62x27"},
    {9, 8, " Town Building 2 ft:64x28"},
    {9, 9, " Town Building 3 ft:62x27"},
    {9, 10, " Farm House ft:62x27"},
    {9, 11, " Barn ft:156x98"},
    {9, 12, " X Soldier_German !usd ft:2x3"},
    {9, 13, " Shack ft:16x12"},
    {9, 14, " !usd noshow 0905 ft:45x10"},
    {9, 15, " X Tank Small German ft:12x30"},
    {9, 16, " Bridge, Road Ramp ft:227x43"},
    {9, 17, " !usd  noshow 0905 ft:10x10"},
    {9, 18, " Train Station ft:80x60"},
    {9, 27, " Factory ft:150x260"},
    {9, 28, " !usd noshow 0905 ft:10x10"},
    {9, 29, " Manor House ft:38x90"},
    {9, 30, " Cement Bunker ft:32x12"},
    {9, 31, " Wood Bunker ft:32x12"},
    {9, 32, " !usd noshow 0905  ft:10x10"},
    {9, 33, " !usd noshow 0905  ft:10x10"},
    {9, 34, " Bridge, Road Center ft:128x43"},
    {9, 35, " Bridge, Steel Sides  ft:128x5"},
    {9, 36, " Bridge, Column ft:10x40"},
    {9, 37, " Bridge, Rail Center ft:128x43"},
    {9, 38, " Bridge, Rail Ramp ft:227x43"},
};

// The table is complete before any window exists.
[[maybe_unused]] const bool objNamesFilled = (fillObjectNames(), true);

} // namespace

void fillObjectNames() {
    for (int c = 0; c <= objClassMax; ++c)
        for (int t = 0; t <= objTypeMax; ++t)
            objNames[c][t] =
                std::string(objClassNames[c]) + " " + byteHex(static_cast<uint8_t>(t)) + " unspcfd";
    for (const FixedName& f : fixedNames) objNames[f.cls][f.type] = f.text;
    // The last two classes name every type by rule.
    for (int t = 0; t <= objTypeMax; ++t) {
        const std::string hex = byteHex(static_cast<uint8_t>(t));
        objNames[19][t] = " 13 - SP! front pos. " + hex + " unspcfd =LO file names";
        objNames[20][t] = " 14 - City tiles " + hex + " unspcfd =LO file names";
    }
}

const std::string& objName(int cls, int type) {
    checkRange(cls, 0, objClassMax, "object class");
    checkRange(type, 0, objTypeMax, "object type");
    return objNames[cls][type];
}

std::string sideLetter(const landmark& rec) {
    return std::string(1, sideNames[rec.lmid.at(lmSideSel) % 2][0]);
}

std::string lmTypeName(const landmark& rec) {
    const int t = std::min<int>(rec.lmid.at(lmTypeSel), 15);
    return std::string(lmTypeNames[t]).substr(2);
}

} // namespace vx
