#include "clipexport.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Usage: kestrelexport RECORDING --from SECONDS --to SECONDS\n");
        return 1;
    }
    ClipExportRequest request;
    request.recording = argv[1];
    const ClipExportResult result = RunClipExport(request);
    if (result.exitCode != 0)
        std::fprintf(stderr, "%s\n", result.error.c_str());
    return result.exitCode;
}
