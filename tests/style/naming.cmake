# SPDX-License-Identifier: MIT
# The naming convention, checked by clang-tidy over the editor's own sources in this build.
add_test(NAME code_naming
         COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/style/naming.py ${CMAKE_BINARY_DIR}
                 ${PROJECT_SOURCE_DIR})
set_tests_properties(code_naming PROPERTIES TIMEOUT 300)
