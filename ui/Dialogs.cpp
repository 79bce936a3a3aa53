#include "ui/Dialogs.h"

#include <filesystem>
#include <system_error>

#include "ui/Application.h"

namespace ui {

std::vector<std::string> FileDialog::FilterNames() const {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (bool isName = true; start <= Filter.size(); isName = !isName) {
        std::size_t end = Filter.find('|', start);
        if (end == std::string::npos) end = Filter.size();
        if (isName && !(start == Filter.size() && end == start)) names.push_back(Filter.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

bool FileDialog::Execute() {
    if (!Application.FrontEnd().ExecuteFileDialog(*this)) return false;
    // The platform's dialogs leave the process in the chosen folder; data files are opened and
    // saved by full path, and the settings file goes to the folder kept at start-up.
    const std::filesystem::path folder = std::filesystem::path(FileName).parent_path();
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_directory(folder, error)) {
        std::filesystem::current_path(folder, error);
    }
    return true;
}

bool ColorDialog::Execute() { return Application.FrontEnd().ExecuteColorDialog(*this); }

} // namespace ui
