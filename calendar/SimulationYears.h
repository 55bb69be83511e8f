#pragma once

namespace zendrik {

// The years the simulation covers: those the devices' weekday, Easter and
// summer/winter rules hold for.
inline constexpr int kFirstSimulationYear = 1993;
inline constexpr int kLastSimulationYear = 2099;

} // namespace zendrik
