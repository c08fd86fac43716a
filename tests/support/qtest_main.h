// SPDX-License-Identifier: MIT
#pragma once

// Registers a QtTest class with the folder's test executable:
//   class RomFileTest : public QObject { ... };
//   VORN_TEST_CLASS(RomFileTest)
// The executable runs every registered class; the usual QtTest arguments pass through,
// and "-class Name" runs only that class.

#include <QObject>

#include <functional>
#include <memory>

namespace vorn::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterTestClass(const char* name, TestFactory factory);

}  // namespace vorn::test

#define VORN_TEST_CLASS(Class)                                                             \
    namespace {                                                                            \
    const bool registered_##Class =                                                        \
        ::vorn::test::RegisterTestClass(#Class, [] { return std::make_unique<Class>(); }); \
    }
