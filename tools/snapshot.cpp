// findtavla-snapshot: prints what a data folder holds, one sorted line per
// catalogue row and working-file record, FILENOs replaced by drawing paths
// (devtools/state_snapshot.h). Two data folders that registered the same sets
// print the same lines; the probe scripts of bench/ compare them with diff.
// Usage: findtavla-snapshot DATAFOLDER

#include "devtools/state_snapshot.h"

#include <cstdio>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: findtavla-snapshot DATAFOLDER\n", stderr);
        return 2;
    }
    try {
        for (const std::string& line : ft::test::registrationSnapshot(argv[1]))
            std::cout << line << '\n';
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-snapshot: %s\n", error.what());
        return 1;
    }
    return std::cout.flush() ? 0 : 1;
}
