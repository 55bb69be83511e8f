#pragma once

#include <QString>

#include <vector>

namespace zendrik {

inline constexpr int kMaxFeiertagSets = 30;
inline constexpr int kMaxSetGlieder = 59;

// A holiday set ("Feiertagsset"): a name and the indices of its member
// holidays in the holiday table (at most 59).
struct FeiertagSet {
    QString SetName;
    std::vector<int> SetGlied;

    bool operator==(const FeiertagSet&) const = default;
};

} // namespace zendrik
