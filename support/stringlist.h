// A list of 8-bit texts, each with an optional attached object, optionally kept
// sorted (case-insensitive) with duplicates ignored.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vx {

// Base of objects attached to list lines.
struct TObject {
    virtual ~TObject() = default;
};

enum class TDuplicates { dupAccept, dupIgnore, dupError };

class TStringList {
public:
    bool Sorted() const { return sorted_; }
    void setSorted(bool on);
    TDuplicates Duplicates = TDuplicates::dupAccept;
    bool CaseSensitive = false;
    // Runs after every change of the lines (a control mirrors them into its peer).
    std::function<void()> OnChange;

    int Count() const { return static_cast<int>(items_.size()); }
    // Index of the new line; with a sorted list that ignores duplicates an
    // equal text is not added and the index of the existing one is returned.
    int Add(const std::string& s, std::shared_ptr<TObject> obj = nullptr);
    void Insert(int index, const std::string& s, std::shared_ptr<TObject> obj = nullptr);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& s) const;
    const std::string& operator[](int index) const;
    void setString(int index, const std::string& s);
    const std::shared_ptr<TObject>& Objects(int index) const;
    void setObject(int index, std::shared_ptr<TObject> obj);
    std::vector<std::string> texts() const;
    void assign(const std::vector<std::string>& lines);
    // Lines of a text file, each without its line end (LF or CR LF).
    void LoadFromFile(const std::string& path);

private:
    struct Item {
        std::string text;
        std::shared_ptr<TObject> obj;
    };
    void changed() {
        if (OnChange) OnChange();
    }
    int compare(const std::string& a, const std::string& b) const;
    bool sorted_ = false;
    std::vector<Item> items_;
};

// The lines of a text, each ended by CR LF, LF or CR (the last may have no end).
std::vector<std::string> splitLines(const std::string& text);

} // namespace vx
