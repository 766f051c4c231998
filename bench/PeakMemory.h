#pragma once

#include <fstream>
#include <string>

namespace tovren::bench {

/// Peak resident set of this process in megabytes, as the kernel reports it.
inline double peakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

} // namespace tovren::bench
