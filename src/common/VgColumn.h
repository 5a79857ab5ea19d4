/// \file
/// The column model. A TvgHeading describes a title cell spanning a group of columns: its
/// caption, name, look and four borders. A TvgColumn is a heading that also describes one
/// data column: visibility, read-only state, in-cell controls, the look of its data cells
/// and how values are formatted. Items live in TvgHeadings / TvgColumns collections and
/// report every change of a property to the collection's OnPropertyChange.
#pragma once

#include "common/VgGlobal.h"
#include "platform/core/Collection.h"
#include "platform/core/ControlEnums.h"
#include "platform/core/Export.h"
#include "platform/core/SparseStrings.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_set>

namespace vg {

enum TvgProperty : std::uint8_t { vgpropVisible, vgpropRefresh };
VG_ENUM_INFO(TvgProperty, "vgpropVisible", "vgpropRefresh")

class TvgHeading;
using TvgOnPropertyChange = std::function<void(TvgHeading* Column, TvgProperty Prop)>;

/// A title cell spanning a group of adjacent columns: its caption, name, look (alignment, colour,
/// font, clipping, bevels) and four borders. Headings live in the grid's Headings(); TvgColumn
/// extends it with what describes a data column.
/// \ingroup columns
class VELKOGRID_EXPORT TvgHeading : public TCollectionItem {
    VG_CLASS(TvgHeading)
public:
    explicit TvgHeading(TCollection* Collection);
    ~TvgHeading() override;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    const QString& Name() const { return FName; }
    /// Raises EvgColumnNameExists when another item of the collection has the name.
    void SetName(const QString& Value);
    TAlignment TitleHAlignment() const { return FTitleHAlignment; }
    void SetTitleHAlignment(TAlignment Value);
    TvgVAlignment TitleVAlignment() const { return FTitleVAlignment; }
    void SetTitleVAlignment(TvgVAlignment Value);
    TColor TitleColor() const { return FTitleColor; }
    void SetTitleColor(TColor Value);
    TFont* TitleFont() const { return FTitleFont.get(); }
    void SetTitleFont(const TFont* Value);
    bool TitleParentFont() const { return FTitleParentFont; }
    void SetTitleParentFont(bool Value);
    TvgClipStyle TitleClipStyle() const { return FTitleClipStyle; }
    void SetTitleClipStyle(TvgClipStyle Value);
    TBevelCut TitleInnerBevel() const { return FTitleInnerBevel; }
    void SetTitleInnerBevel(TBevelCut Value);
    TBevelCut TitleOuterBevel() const { return FTitleOuterBevel; }
    void SetTitleOuterBevel(TBevelCut Value);
    TvgBorder* TopBorder() const { return FTopBorder.get(); }
    void SetTopBorder(const TvgBorder* Value);
    TvgBorder* BottomBorder() const { return FBottomBorder.get(); }
    void SetBottomBorder(const TvgBorder* Value);
    TvgBorder* LeftBorder() const { return FLeftBorder.get(); }
    void SetLeftBorder(const TvgBorder* Value);
    TvgBorder* RightBorder() const { return FRightBorder.get(); }
    void SetRightBorder(const TvgBorder* Value);

    /// Reports vgpropRefresh for this item to its collection.
    void DoRefreshEvent();
    /// Change handler of the item's fonts: a changed font is the item's own from then on.
    virtual void FontChanged(TObject* Sender);

    void Assign(const TPersistent* Source) override;

    bool ShouldStoreTitleFont() const { return !FTitleParentFont; }
    bool ShouldStoreTopBorder() const { return FTopBorder->Style() != vgbrdNone; }
    bool ShouldStoreBottomBorder() const { return FBottomBorder->Style() != vgbrdNone; }
    bool ShouldStoreLeftBorder() const { return FLeftBorder->Style() != vgbrdNone; }
    bool ShouldStoreRightBorder() const { return FRightBorder->Style() != vgbrdNone; }

protected:
    void DoPropertyChange(TvgProperty Prop);
    /// Stores Value and reports vgpropRefresh when it differs from Field.
    template <class T>
    void SetRefreshing(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        DoRefreshEvent();
    }

private:
    friend class TvgHeadings; // Add names new items directly, without the uniqueness check

    // The form-file reader restores names as they were stored, duplicates included.
    void SetStoredName(const QString& Value) { ChangeName(Value); }
    // Every change of the name goes here, so that the collection's automatic naming hears of it.
    void ChangeName(const QString& Value);

    QString FCaption;
    QString FName;
    TAlignment FTitleHAlignment = taCenter;
    TvgVAlignment FTitleVAlignment = vgvaCenter;
    TColor FTitleColor = clBtnFace;
    std::unique_ptr<TFont> FTitleFont;
    bool FTitleParentFont = true;
    TvgClipStyle FTitleClipStyle = vgclpWrap;
    TBevelCut FTitleInnerBevel = bvNone;
    TBevelCut FTitleOuterBevel = bvRaised;
    std::unique_ptr<TvgBorder> FTopBorder;
    std::unique_ptr<TvgBorder> FBottomBorder;
    std::unique_ptr<TvgBorder> FLeftBorder;
    std::unique_ptr<TvgBorder> FRightBorder;
};

/// One column of a TVelkoGrid: its title (everything a TvgHeading has), visibility, read-only
/// state, text limit, in-cell controls (drop-down list, button), the look of its data cells and
/// its display format. A hidden column keeps its cells in Cols() and its width until it is shown
/// again.
/// \ingroup columns
class VELKOGRID_EXPORT TvgColumn : public TvgHeading {
    VG_CLASS(TvgColumn)
public:
    explicit TvgColumn(TCollection* Collection);
    ~TvgColumn() override;

    TvgControlTypes ControlType() const { return FControlType; }
    void SetControlType(TvgControlTypes Value);
    /// Reports vgpropVisible, not vgpropRefresh.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    /// Longest text the editor accepts; 0 for no limit.
    int MaxTextLength() const { return FMaxTextLength; }
    void SetMaxTextLength(int Value);
    TAlignment ColumnHAlignment() const { return FColumnHAlignment; }
    void SetColumnHAlignment(TAlignment Value);
    TvgVAlignment ColumnVAlignment() const { return FColumnVAlignment; }
    void SetColumnVAlignment(TvgVAlignment Value);
    TColor ColumnColor() const { return FColumnColor; }
    void SetColumnColor(TColor Value);
    TFont* ColumnFont() const { return FColumnFont.get(); }
    void SetColumnFont(const TFont* Value);
    bool ColumnParentFont() const { return FColumnParentFont; }
    void SetColumnParentFont(bool Value);
    TvgClipStyle ColumnClipStyle() const { return FColumnClipStyle; }
    void SetColumnClipStyle(TvgClipStyle Value);
    TBevelCut ColumnInnerBevel() const { return FColumnInnerBevel; }
    void SetColumnInnerBevel(TBevelCut Value);
    TBevelCut ColumnOuterBevel() const { return FColumnOuterBevel; }
    void SetColumnOuterBevel(TBevelCut Value);
    /// The drop-down list's items; setting copies them in and reports nothing.
    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings* Value);
    bool AutoSuggest = true;
    bool ComboMaxWidth() const { return FComboMaxWidth; }
    void SetComboMaxWidth(bool Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool DropDownList = false;
    TvgButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TvgButtonStyle Value);
    TPicture* ButtonPicture() const { return FButtonPicture.get(); }
    void SetButtonPicture(const TPicture* Value);
    bool DrawButtonface() const { return FDrawButtonface; }
    void SetDrawButtonface(bool Value);
    TvgVAlignment ButtonVAlignment() const { return FButtonVAlignment; }
    void SetButtonVAlignment(TvgVAlignment Value);
    /// Index into the grid's Headings of the heading above this column; -1 for none.
    int HeadingIndex() const { return FHeadingIndex; }
    void SetHeadingIndex(int Value);
    TvgFormatType FormatType() const { return FFormatType; }
    void SetFormatType(TvgFormatType Value);
    int Decimals() const { return FDecimals; }
    void SetDecimals(int Value);
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& Value);
    bool ThousandsSeparator() const { return FThousandsSeparator; }
    void SetThousands(bool Value);
    bool NegativeParenthesis() const { return FNegativeParenthesis; }
    void SetParenNegative(bool Value);
    /// Index into vgDateFormats' row of the locale's date order; -1 for no date part.
    int DateFormat() const { return FDateFormat; }
    void SetDateFormat(int Value);
    /// Index into vgTimeFormats; -1 for no time part.
    int TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(int Value);

    /// The column's cell texts, one per grid row, while the column is hidden; empty while
    /// it is shown. Rows that never held text cost nothing here. Not stored.
    TSparseStrings* Cols() const { return FCols.get(); }
    void SetCols(const TStrings* Value);
    /// The width the column gets when it is shown again. Not stored.
    int SavedWidth = 64;

    void FontChanged(TObject* Sender) override;
    void Assign(const TPersistent* Source) override;

    bool ShouldStoreColumnFont() const { return !FColumnParentFont; }
    bool ShouldStoreComboItems() const { return FControlType.Contains(vgctlComboBox); }
    bool ShouldStoreButtonStuff() const { return FControlType.Contains(vgctlButton); }
    bool ShouldStoreButtonPicture() const { return ShouldStoreButtonStuff() && FButtonStyle == vgbstCustom; }
    bool ShouldStoreFormatting() const { return FFormatType != vgfmtNone; }
    bool ShouldStoreDateFormatting() const { return FFormatType == vgfmtDateTime; }

private:
    bool GetAutoSuggest() const { return AutoSuggest; }
    void SetAutoSuggest(bool Value) { AutoSuggest = Value; }
    bool GetDropDownList() const { return DropDownList; }
    void SetDropDownList(bool Value) { DropDownList = Value; }

    TvgControlTypes FControlType;
    bool FVisible = true;
    bool FReadOnly = false;
    int FMaxTextLength = 0;
    TAlignment FColumnHAlignment = taLeftJustify;
    TvgVAlignment FColumnVAlignment = vgvaTop;
    TColor FColumnColor = clWindow;
    std::unique_ptr<TFont> FColumnFont;
    bool FColumnParentFont = true;
    TvgClipStyle FColumnClipStyle = vgclpEllipsis;
    TBevelCut FColumnInnerBevel = bvNone;
    TBevelCut FColumnOuterBevel = bvNone;
    std::unique_ptr<TStringList> FItems;
    bool FComboMaxWidth = false;
    int FDropDownCount = 8;
    TvgButtonStyle FButtonStyle = vgbstEllipsis;
    std::unique_ptr<TPicture> FButtonPicture;
    bool FDrawButtonface = true;
    TvgVAlignment FButtonVAlignment = vgvaCenter;
    int FHeadingIndex = -1;
    TvgFormatType FFormatType = vgfmtNone;
    int FDecimals = 2;
    QString FPrefix;
    bool FThousandsSeparator = true;
    bool FNegativeParenthesis = false;
    int FDateFormat = 2;
    int FTimeFormat = -1;
    std::unique_ptr<TSparseStrings> FCols;
};

/// The collection of a grid's headings (TVelkoGrid::Headings()). Every change of an item's
/// property is reported to OnPropertyChange.
/// \ingroup columns
class VELKOGRID_EXPORT TvgHeadings : public TCollection {
    VG_CLASS(TvgHeadings)
public:
    explicit TvgHeadings(TCollectionItemClass ItemClass = TCollectionItemClass::Of<TvgHeading>());

    /// Creates an item at the end and gives it the next free automatic name.
    TvgHeading* Add();
    /// EListError outside 0..Count-1; EInvalidCast when the item is no heading.
    TvgHeading* GetColumn(int Index) const;
    /// Copies Value into the item at Index.
    void SetColumn(int Index, const TvgHeading* Value);
    TvgHeading* operator[](int Index) const { return GetColumn(Index); }

    /// Copies the items of another collection (names included), then fires OnAssign.
    void Assign(const TPersistent* Source) override;
    /// Whether an item is named exactly Name (case-sensitive).
    bool ColumnNameExists(const QString& Name) const;
    /// "Column n" with the smallest n >= 1 that no item is named.
    QString NextColumnName() const;
    /// Moves the item at FromIndex to ToIndex; the items between shift.
    void Move(int FromIndex, int ToIndex);

    std::function<void(TObject* Sender)> OnAssign;
    TvgOnPropertyChange OnPropertyChange;

private:
    friend class TvgHeading; // reports renames

    // Automatic naming keeps the numbers n of the items named "Column n" between calls,
    // together with the revision and rename count they were taken at, so that adding a
    // thousand columns looks at each name once rather than once per new column.
    void UpdateNameNumbers() const;
    std::uint64_t FRenames = 0;
    mutable std::unordered_set<int> FNameNumbers;
    mutable std::uint64_t FNameNumbersRevision = ~std::uint64_t(0);
    mutable std::uint64_t FNameNumbersRenames = 0;
    mutable int FFreeNameNumber = 1;
};

/// The collection of a grid's column objects (TVelkoGrid::Columns()), visible and hidden; column
/// names are unique within it.
/// \ingroup columns
class VELKOGRID_EXPORT TvgColumns : public TvgHeadings {
    VG_CLASS(TvgColumns)
public:
    TvgColumns();

    TvgColumn* Add();
    TvgColumn* GetColumn(int Index) const;
    void SetColumn(int Index, const TvgColumn* Value);
    TvgColumn* operator[](int Index) const { return GetColumn(Index); }
    void Assign(const TPersistent* Source) override;

    /// Told of a column object that is being destroyed while it still stands in the
    /// collection (not when the collection itself goes), so that a grid can let its grid
    /// column go with it.
    std::function<void(TvgColumn* Column)> OnColumnDestroying;
};

} // namespace vg
