#pragma once

// Names the program is known by, in one place.
namespace tovren::app {

inline constexpr const char *kApplicationTitle = "Tovren";
/// Also the version of the installation package; CMake checks the two agree.
inline constexpr const char *kApplicationVersion = "0.2";
inline constexpr const char *kLegacyDatabaseFile = "毕业信息.mdb";

} // namespace tovren::app
