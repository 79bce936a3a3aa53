#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The lines of a memo or the items of a combo box. An empty list has no lines; Text() ends every
// line with CR LF, and SetText() does not make an empty last line out of a trailing line break.
// Index errors raise std::out_of_range ("List index out of bounds (n)"), which the default
// exception handler shows.
class StringList {
public:
    explicit StringList(std::function<void()> changed = {}) : changed_(std::move(changed)) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    const std::string& operator[](int index) const;
    const std::vector<std::string>& Strings() const { return lines_; }

    void Add(std::string line);
    void Insert(int index, std::string line);
    void Set(int index, std::string line);
    void Delete(int index);
    void Clear();
    // Replaces every line at once (one change).
    void Assign(std::vector<std::string> lines);
    int IndexOf(std::string_view line) const;

    std::string Text() const;
    void SetText(std::string_view text);

private:
    void CheckIndex(int index, int limit) const;
    void Changed();

    std::vector<std::string> lines_;
    std::function<void()> changed_;
};

} // namespace ui
