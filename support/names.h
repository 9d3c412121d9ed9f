// Vocabulary tables: object class and type names (built at start-up), landmark
// type names and side names, and the two readers of a landmark record.
#pragma once

#include "records.h"

#include <array>
#include <cstdint>
#include <string>

namespace vx {

constexpr int objClassMax = 20;
constexpr int objTypeMax = 42;

extern const std::array<const char*, 21> objClassNames;
extern const std::array<const char*, 17> lmTypeNames;
extern const std::array<const char*, 2> sideNames;
constexpr uint8_t lmTypeSel = 1;
constexpr uint8_t lmSideSel = 3;

// objNames[class][type], filled once by fillObjectNames.
extern std::array<std::array<std::string, objTypeMax + 1>, objClassMax + 1> objNames;
void fillObjectNames();
// Checked read; RangeError for a class above 20 or a type above 42.
const std::string& objName(int cls, int type);

std::string sideLetter(const landmark& rec);
std::string lmTypeName(const landmark& rec);

} // namespace vx
