#include "stringlist.h"

#include "errors.h"
#include "fileio.h"

#include <algorithm>
#include <strings.h>

namespace vx {

int TStringList::compare(const std::string& a, const std::string& b) const {
    return CaseSensitive ? a.compare(b) : strcasecmp(a.c_str(), b.c_str());
}

void TStringList::setSorted(bool on) {
    sorted_ = on;
    if (on)
        std::stable_sort(items_.begin(), items_.end(),
                         [&](const Item& x, const Item& y) { return compare(x.text, y.text) < 0; });
    changed();
}

void TStringList::Clear() {
    items_.clear();
    changed();
}

int TStringList::Add(const std::string& s, std::shared_ptr<TObject> obj) {
    if (!sorted_) {
        items_.push_back({s, std::move(obj)});
        changed();
        return Count() - 1;
    }
    auto it =
        std::lower_bound(items_.begin(), items_.end(), s, [&](const Item& x, const std::string& v) {
            return compare(x.text, v) < 0;
        });
    if (it != items_.end() && compare(it->text, s) == 0) {
        if (Duplicates == TDuplicates::dupIgnore) return static_cast<int>(it - items_.begin());
        if (Duplicates == TDuplicates::dupError)
            throw Error("String list does not allow duplicates");
    }
    it = items_.insert(it, {s, std::move(obj)});
    changed();
    return static_cast<int>(it - items_.begin());
}

void TStringList::Insert(int index, const std::string& s, std::shared_ptr<TObject> obj) {
    checkRange(index, 0, Count(), "list");
    items_.insert(items_.begin() + index, {s, std::move(obj)});
    changed();
}

void TStringList::Delete(int index) {
    checkRange(index, 0, Count() - 1, "list");
    items_.erase(items_.begin() + index);
    changed();
}

int TStringList::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (compare(items_[i].text, s) == 0) return i;
    return -1;
}

const std::string& TStringList::operator[](int index) const {
    checkRange(index, 0, Count() - 1, "list");
    return items_[index].text;
}

void TStringList::setString(int index, const std::string& s) {
    checkRange(index, 0, Count() - 1, "list");
    items_[index].text = s;
    changed();
}

const std::shared_ptr<TObject>& TStringList::Objects(int index) const {
    checkRange(index, 0, Count() - 1, "list");
    return items_[index].obj;
}

void TStringList::setObject(int index, std::shared_ptr<TObject> obj) {
    checkRange(index, 0, Count() - 1, "list");
    items_[index].obj = std::move(obj);
}

std::vector<std::string> TStringList::texts() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const auto& it : items_) out.push_back(it.text);
    return out;
}

void TStringList::assign(const std::vector<std::string>& lines) {
    auto hook = std::move(OnChange);
    OnChange = nullptr;
    Clear();
    for (const auto& l : lines) Add(l);
    OnChange = std::move(hook);
    changed();
}

void TStringList::LoadFromFile(const std::string& path) {
    assign(splitLines(readFileBytes(path)));
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

} // namespace vx
