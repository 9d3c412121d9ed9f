// vx_demodata <outdir>: writes the demo data set once into outdir, the folder
// where the editor will run.
#include "demodata.h"

#include "support/errors.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <outdir>\n", argv[0]);
        return 2;
    }
    try {
        if (vx::demo::generateDemoData(argv[1]))
            std::printf("demo data written to %s\n", argv[1]);
        else
            std::printf("demo data in %s is current\n", argv[1]);
    } catch (const vx::Error& e) {
        std::fprintf(stderr, "vx_demodata: %s\n", e.what());
        return 1;
    }
    return 0;
}
