/// \file
/// TBrush: what a canvas fills areas with (a colour, or nothing).
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <cstdint>
#include <functional>

namespace vg {

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };
VG_ENUM_INFO(TBrushStyle, "bsSolid", "bsClear")

/// What a canvas fills areas with: a colour, or nothing.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TBrush : public TPersistent {
    VG_CLASS(TBrush)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    void Assign(const TPersistent* source) override;
    std::function<void(TObject* sender)> OnChange;

private:
    void Changed();
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

} // namespace vg
