/// \file
/// Definitions shared by the column model, the grid, its editor and the design-time
/// dialogs: the enumerations with their stored names, the border of one cell edge, the
/// grid's exceptions, a set of cells, rectangle and string helpers, the locale's date order
/// and the tables of date and time display formats.
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"
#include "platform/core/Strings.h"
#include "platform/core/Types.h"

#include <array>
#include <cstdint>

namespace vg {

enum TvgBorderStyle : std::uint8_t { vgbrdNone, vgbrdSolid, vgbrdDash, vgbrdDot, vgbrdDashDot, vgbrdDashDotDot, vgbrdDouble };
VG_ENUM_INFO(TvgBorderStyle, "vgbrdNone", "vgbrdSolid", "vgbrdDash", "vgbrdDot", "vgbrdDashDot", "vgbrdDashDotDot", "vgbrdDouble")

/// Which edge of a rectangle a border is; a thick border grows toward the inside.
enum TvgBorderDir : std::uint8_t { vgbdTop, vgbdBottom, vgbdLeft, vgbdRight };
VG_ENUM_INFO(TvgBorderDir, "vgbdTop", "vgbdBottom", "vgbdLeft", "vgbdRight")

enum TvgControlType : std::uint8_t { vgctlComboBox, vgctlButton };
VG_ENUM_INFO(TvgControlType, "vgctlComboBox", "vgctlButton")
using TvgControlTypes = TSet<TvgControlType>;

enum TvgVAlignment : std::uint8_t { vgvaTop, vgvaCenter, vgvaBottom };
VG_ENUM_INFO(TvgVAlignment, "vgvaTop", "vgvaCenter", "vgvaBottom")

enum TvgClipStyle : std::uint8_t { vgclpClip, vgclpEllipsis, vgclpWrap };
VG_ENUM_INFO(TvgClipStyle, "vgclpClip", "vgclpEllipsis", "vgclpWrap")

enum TvgButtonStyle : std::uint8_t { vgbstEllipsis, vgbstDropDown, vgbstCustom };
VG_ENUM_INFO(TvgButtonStyle, "vgbstEllipsis", "vgbstDropDown", "vgbstCustom")

enum TvgFormatType : std::uint8_t { vgfmtNone, vgfmtNumeric, vgfmtDateTime, vgfmtScientific };
VG_ENUM_INFO(TvgFormatType, "vgfmtNone", "vgfmtNumeric", "vgfmtDateTime", "vgfmtScientific")

enum TvgCellState : std::uint8_t { vgcsSelected, vgcsFocused, vgcsFixed, vgcsHeading };
VG_ENUM_INFO(TvgCellState, "vgcsSelected", "vgcsFocused", "vgcsFixed", "vgcsHeading")
using TvgCellStates = TSet<TvgCellState>;

enum TvgImagePosition : std::uint8_t { vgipLeft, vgipRight, vgipTop, vgipBottom };
VG_ENUM_INFO(TvgImagePosition, "vgipLeft", "vgipRight", "vgipTop", "vgipBottom")

/// Order of month, day and year in the locale's short date format.
enum TvgDateOrder : std::uint8_t { vgdoMDY, vgdoDMY, vgdoYMD };
VG_ENUM_INFO(TvgDateOrder, "vgdoMDY", "vgdoDMY", "vgdoYMD")

/// The grid's errors. EvgException is the family; the others add only their type.
/// \ingroup columns
VG_DECLARE_EXCEPTION(EvgException, Exception)
/// A column index outside the grid's columns or column objects.
/// \ingroup columns
VG_DECLARE_EXCEPTION(EvgColumnIndexOutOfRange, EvgException)
/// A row index outside the grid's rows.
/// \ingroup columns
VG_DECLARE_EXCEPTION(EvgRowIndexOutOfRange, EvgException)
/// A column name that no column object has.
/// \ingroup columns
VG_DECLARE_EXCEPTION(EvgInvalidColumnName, EvgException)
/// A column name that another column object of the collection has already.
/// \ingroup columns
VG_DECLARE_EXCEPTION(EvgColumnNameExists, EvgException)

/// One edge's border. Its properties are plain fields: setting them notifies nobody.
/// \ingroup columns
class VELKOGRID_EXPORT TvgBorder : public TPersistent {
    VG_CLASS(TvgBorder)
public:
    TvgBorder() = default;

    TvgBorderStyle Style() const { return FStyle; }
    void SetStyle(TvgBorderStyle value) { FStyle = value; }
    /// Thickness of a single line; for vgbrdDouble the gap between the two lines.
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value)
    {
        CheckColor(value);
        FColor = value;
    }

    bool Equals(const TvgBorder& other) const;
    /// Copies Style, Width and Color from another border; other sources raise EAssignError.
    void Assign(const TPersistent* source) override;

private:
    TvgBorderStyle FStyle = vgbrdNone;
    int FWidth = 1;
    TColor FColor = clBlack;
};

/// A set of cells, each a column and a row. Keys are held once in a sorted string list,
/// so lookups are binary searches.
/// \ingroup columns
class VELKOGRID_EXPORT TvgCellList : public TObject {
public:
    TvgCellList();

    /// "3:12" for column 3, row 12; "-1:0" for column -1, row 0.
    static QString ColRowToStr(int ACol, int ARow);

    void Add(int ACol, int ARow);
    bool Contains(int ACol, int ARow) const;
    /// Whether the cell was present.
    bool Remove(int ACol, int ARow);
    int Count() const { return FList.Count(); }

private:
    TStringList FList;
};

/// Width and height counting the right and bottom edges as inside: one more than TRect's.
inline int RectWidth(const TRect& R) { return R.Right - R.Left + 1; }
inline int RectHeight(const TRect& R) { return R.Bottom - R.Top + 1; }

/// Whether S starts with Prefix, exactly and case-sensitively.
VELKOGRID_EXPORT bool StringBeginsWith(const QString& Prefix, const QString& S);

/// The order of day, month and year in the short date format in force, read at every call.
VELKOGRID_EXPORT TvgDateOrder VgDateOrder();

/// Date display patterns by date order and index, and time display patterns by index.
extern VELKOGRID_EXPORT const std::array<std::array<QString, 11>, 3> vgDateFormats;
extern VELKOGRID_EXPORT const std::array<QString, 4> vgTimeFormats;

} // namespace vg
