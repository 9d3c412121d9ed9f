// The item list of a list control: a TStringList whose change hook belongs to
// the control, kept when another list is assigned to it.
#pragma once

#include "support/stringlist.h"

namespace vx::ui {

class TItemStrings : public vx::TStringList {
public:
    TItemStrings() = default;
    TItemStrings(const TItemStrings&) = delete;
    // Takes the lines and objects of other; keeps this list's hook and sorting.
    TItemStrings& operator=(const vx::TStringList& other);
};

} // namespace vx::ui
