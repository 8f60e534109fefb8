#pragma once
// Texts of the group-bar widget set.

inline constexpr const char* SInvalidViewStyle = "Invalid view style";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SErrorLoadingCursor = "Error loading cursor";
inline constexpr const char* SInvalidActiveGroupIndex =
    "Invalid ActiveGroupIndex value. Value must be between %d and %d";
inline constexpr const char* SNewGroup = "New Group";
