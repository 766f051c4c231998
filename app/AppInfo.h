#pragma once

// Names the program is known by, in one place.
namespace tovren::app {

inline constexpr const char *kApplicationTitle = "Tovren";
inline constexpr const char *kLegacyDatabaseFile = "毕业信息.mdb";

} // namespace tovren::app
