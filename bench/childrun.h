#pragma once

#include <QString>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

// Runs this benchmark's own program again in a fresh process, offscreen, in `mode` over
// `folder`, and reads the two figures it prints; none when it failed.
namespace tivoral::benchchild {

inline std::optional<std::pair<double, double>> runSelf(const std::string& self, const char* mode,
                                                        const QString& folder) {
    const std::string command = "QT_QPA_PLATFORM=offscreen '" + self + "' " + mode + " '" +
                                folder.toStdString() + "' 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    double first = 0;
    double second = 0;
    const bool read = child && std::fscanf(child, "%lf %lf", &first, &second) == 2;
    if (!child || pclose(child) != 0 || !read)
        return std::nullopt;
    return std::make_pair(first, second);
}

} // namespace tivoral::benchchild
