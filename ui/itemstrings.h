// The item list of a list control: a TStringList whose change hook belongs to
// the control. It also tells the control which row an Add, Insert or Delete
// touched, so row selections follow their rows.
#pragma once

#include "support/stringlist.h"

#include <memory>
#include <string>

namespace vx::ui {

class TItemStrings : public vx::TStringList {
public:
    struct Change {
        enum Kind { other, inserted, deleted, cleared } kind = other;
        int index = -1; // row inserted or deleted; -1 when not known
    };

    TItemStrings() = default;
    TItemStrings(const TItemStrings&) = delete;
    // Takes the lines and objects of other; keeps this list's hook and sorting.
    TItemStrings& operator=(const vx::TStringList& other);

    int Add(const std::string& s, std::shared_ptr<vx::TObject> obj = nullptr);
    void Insert(int index, const std::string& s, std::shared_ptr<vx::TObject> obj = nullptr);
    void Delete(int index);
    void Clear();

    // What the change that is being reported did (read from OnChange).
    const Change& lastChange() const { return change_; }

private:
    struct Scope;
    Change change_;
};

} // namespace vx::ui
