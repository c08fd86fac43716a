// SPDX-License-Identifier: MIT
// Breaks the way a test program can without a failed check: "abort" stops it with SIGABRT,
// "overflow" reads past the end of a heap block, which AddressSanitizer reports.
#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "overflow") == 0) {
        int* block = new int[4]();
        volatile int pastTheEnd = 4;
        const int value = block[pastTheEnd];  // the overflow
        delete[] block;
        return value;
    }
    std::cout << "about to abort" << std::endl;
    std::abort();
}
