#pragma once

#include <fstream>
#include <string>

namespace tovren::bench {

namespace detail {

/// A memory line of /proc/self/status (such as "VmRSS:") in megabytes, 0 when absent.
inline double statusMegabytes(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(std::char_traits<char>::length(key))) / 1024.0;
    }
    return 0;
}

} // namespace detail

/// Peak resident set of this process in megabytes, as the kernel reports it.
inline double peakResidentMegabytes()
{
    return detail::statusMegabytes("VmHWM:");
}

/// Resident set of this process now, in megabytes.
inline double residentMegabytes()
{
    return detail::statusMegabytes("VmRSS:");
}

} // namespace tovren::bench
