#include "itemstrings.h"

namespace vx::ui {

struct TItemStrings::Scope {
    TItemStrings& list;
    Scope(TItemStrings& l, Change c) : list(l) { list.change_ = c; }
    ~Scope() { list.change_ = {}; }
};

TItemStrings& TItemStrings::operator=(const vx::TStringList& other) {
    if (&other == this) return *this;
    std::vector<std::pair<std::string, std::shared_ptr<vx::TObject>>> lines;
    for (int i = 0; i < other.Count(); ++i) lines.emplace_back(other[i], other.Objects(i));
    auto hook = std::move(OnChange);
    OnChange = nullptr;
    TStringList::Clear();
    for (auto& [text, obj] : lines) TStringList::Add(text, obj);
    OnChange = std::move(hook);
    if (OnChange) OnChange();
    return *this;
}

int TItemStrings::Add(const std::string& s, std::shared_ptr<vx::TObject> obj) {
    // A sorted list places the line where it belongs: the row is not known here.
    Scope scope(*this, {Change::inserted, Sorted() ? -1 : Count()});
    return TStringList::Add(s, std::move(obj));
}

void TItemStrings::Insert(int index, const std::string& s, std::shared_ptr<vx::TObject> obj) {
    Scope scope(*this, {Change::inserted, index});
    TStringList::Insert(index, s, std::move(obj));
}

void TItemStrings::Delete(int index) {
    Scope scope(*this, {Change::deleted, index});
    TStringList::Delete(index);
}

void TItemStrings::Clear() {
    Scope scope(*this, {Change::cleared, -1});
    TStringList::Clear();
}

} // namespace vx::ui
