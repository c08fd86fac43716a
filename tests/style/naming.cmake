# SPDX-License-Identifier: MIT
# The naming convention, checked by clang-tidy over the files this build compiles:
#   vorn_add_naming_test(<pattern of file paths>)
function(vorn_add_naming_test pattern)
    add_test(NAME code_naming
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/style/naming.sh ${CMAKE_BINARY_DIR}
                     "${pattern}")
    set_tests_properties(code_naming PROPERTIES TIMEOUT 900)
endfunction()
