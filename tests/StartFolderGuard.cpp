// Linked into every test program: a test that writes config.cfg into the folder the test program
// was started in (the build tree, or the source root when run from there) fails. A test that
// starts the window runs it in a scratch folder of its own (tests/ScratchDirectory.h).

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

class StartFolderGuard : public ::testing::EmptyTestEventListener {
public:
    StartFolderGuard() : settings_(std::filesystem::current_path() / "config.cfg") {}

    void OnTestStart(const ::testing::TestInfo&) override { before_ = Stamp(); }

    void OnTestEnd(const ::testing::TestInfo& test) override {
        if (Stamp() == before_) return;
        // Reported outside the test, which makes the test program fail; the file is removed so
        // that the next test is judged on its own.
        ADD_FAILURE() << test.test_suite_name() << "." << test.name() << " wrote " << settings_
                      << " in the folder the tests started in; start the window in a scratch folder";
        std::error_code ignored;
        std::filesystem::remove(settings_, ignored);
    }

private:
    std::optional<std::filesystem::file_time_type> Stamp() const {
        std::error_code missing;
        const auto time = std::filesystem::last_write_time(settings_, missing);
        if (missing) return std::nullopt;
        return time;
    }

    std::filesystem::path settings_;
    std::optional<std::filesystem::file_time_type> before_;
};

[[maybe_unused]] const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new StartFolderGuard);
    return true;
}();

}  // namespace
