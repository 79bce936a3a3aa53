#pragma once
// A folder of its own for one test, removed with everything in it at the end; and a machine
// whose current directory is that folder, so that config.cfg is read and written there and
// tests running side by side never share one.

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "platform/SystemInfo.h"

class ScratchDirectory {
public:
    ScratchDirectory() {
        // Creating a folder fails where one exists, so a name is taken by one test only.
        std::random_device random;
        const auto temp = std::filesystem::temp_directory_path();
        std::filesystem::path folder;
        do {
            folder = temp / ("quev_test_" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder));
        path_ = folder.string();
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The real machine, but starting in a scratch folder; installed for the object's lifetime.
class ScratchStartDirectory : public ScratchDirectory {
public:
    ScratchStartDirectory() {
        auto machine = std::make_shared<Machine>();
        machine->directory = Path();
        platform::SetSystemInfoProvider(machine);
    }
    ~ScratchStartDirectory() { platform::SetSystemInfoProvider(nullptr); }

private:
    struct Machine : platform::MachineSystemInfo {
        std::string directory;
        std::string GetCurrentDirectory() override { return directory; }
        bool SetCurrentDirectory(const std::string& path) override {
            directory = path;
            return true;
        }
    };
};
