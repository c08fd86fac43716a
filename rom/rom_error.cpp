// SPDX-License-Identifier: MIT
#include "rom/rom_error.h"

#include <system_error>

namespace vorn {

namespace {

std::string Describe(const std::string& action, const std::string& path,
                     const std::string& reason) {
    return "Cannot " + action + " \"" + path + "\":\n" + reason + ".";
}

}  // namespace

RomError::RomError(std::string action, std::string path, std::string reason)
    : std::runtime_error(Describe(action, path, reason)),
      action_(std::move(action)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string SystemReason(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

}  // namespace vorn
