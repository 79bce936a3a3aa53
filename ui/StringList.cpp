#include "ui/StringList.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

void StringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
}

void StringList::Changed() {
    if (changed_) changed_();
}

const std::string& StringList::operator[](int index) const {
    CheckIndex(index, Count());
    return lines_[static_cast<std::size_t>(index)];
}

void StringList::Add(std::string line) {
    lines_.push_back(std::move(line));
    Changed();
}

void StringList::Insert(int index, std::string line) {
    CheckIndex(index, Count() + 1);
    lines_.insert(lines_.begin() + index, std::move(line));
    Changed();
}

void StringList::Set(int index, std::string line) {
    CheckIndex(index, Count());
    auto& slot = lines_[static_cast<std::size_t>(index)];
    if (slot == line) return;
    slot = std::move(line);
    Changed();
}

void StringList::Delete(int index) {
    CheckIndex(index, Count());
    lines_.erase(lines_.begin() + index);
    Changed();
}

void StringList::Clear() {
    if (lines_.empty()) return;
    lines_.clear();
    Changed();
}

void StringList::Assign(std::vector<std::string> lines) {
    if (lines == lines_) return;
    lines_ = std::move(lines);
    Changed();
}

int StringList::IndexOf(std::string_view line) const {
    const auto it = std::find(lines_.begin(), lines_.end(), line);
    return it == lines_.end() ? -1 : static_cast<int>(it - lines_.begin());
}

std::string StringList::Text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void StringList::SetText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        // CR LF, a lone CR or a lone LF each end one line.
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    Assign(std::move(lines));
}

} // namespace ui
