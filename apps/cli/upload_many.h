#pragma once
// mmx4210-cli upload with several ports, --ports all, --repeat or --log: the same set-up onto
// many units at once.
#include <string>
#include <vector>

#include "device/upload_driver.h"

namespace mmx::cli {

struct ManyUploadRequest {
    std::string setupPath;
    std::vector<std::string> ports;  // as named: ComN or paths
    bool allPorts = false;           // --ports all: every USB serial adapter present
    bool repeat = false;
    std::string logPath;
    UploadOptions options;
    bool quiet = false;
    bool verbose = false;
};

int runManyUploads(const ManyUploadRequest& request);

}  // namespace mmx::cli
