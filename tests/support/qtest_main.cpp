// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QtTest>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/qtest_main.h"

namespace vorn::test {

namespace {

std::vector<std::pair<std::string, TestFactory>>& Registry() {
    static std::vector<std::pair<std::string, TestFactory>> registry;
    return registry;
}

}  // namespace

bool RegisterTestClass(const char* name, TestFactory factory) {
    Registry().emplace_back(name, std::move(factory));
    return true;
}

}  // namespace vorn::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<char*> args(argv, argv + argc);
    std::string only;
    for (std::size_t i = 1; i + 1 < args.size(); ++i) {
        if (std::strcmp(args[i], "-class") == 0) {
            only = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    }
    int failures = 0;
    for (const auto& [name, factory] : vorn::test::Registry()) {
        if (!only.empty() && name != only) {
            continue;
        }
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
