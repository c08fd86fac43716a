// SPDX-License-Identifier: MIT
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace vorn::test {

TempDir::TempDir() {
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("vorn-test-" + std::to_string(random()));
        // create_directory is false when the name is taken: another folder's, never reused.
        if (fs::create_directory(candidate)) {
            fs::permissions(candidate, fs::perms::owner_all | fs::perms::group_read |
                                           fs::perms::group_exec | fs::perms::others_read |
                                           fs::perms::others_exec);
            path_ = candidate.u8string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    namespace fs = std::filesystem;
    // Files and folders a test made read-only or unreadable must go too: the owner may change
    // them back (on Windows this clears the read-only attribute, without which no delete).
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    std::error_code walk;
    for (fs::recursive_directory_iterator entry(path_, walk), end; !walk && entry != end;
         entry.increment(walk)) {
        fs::permissions(entry->path(), fs::perms::owner_all,
                        fs::perm_options::add | fs::perm_options::nofollow, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return path_ + "/" + name;
}

}  // namespace vorn::test
