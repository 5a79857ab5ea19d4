/// \file
/// Enumerations of the framework that controls share: horizontal text alignment and the
/// cut of a bevel.
#pragma once

#include "platform/core/TypeInfo.h"

#include <cstdint>

namespace vg {

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
VG_ENUM_INFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
VG_ENUM_INFO(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

} // namespace vg
