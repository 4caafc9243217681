// What the kernel says of this process's memory.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace benchsupport {

// A field of /proc/self/status in kB (VmRSS, VmHWM, ...); -1 when absent.
inline long statusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = field + ":";
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0) return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return -1;
}

}  // namespace benchsupport
