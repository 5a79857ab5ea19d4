#include "common/VgColumn.h"

namespace vg {

// ---- TvgHeading

const TClassInfo& TvgHeading::StaticClassInfo()
{
    using H = TvgHeading;
    static const TClassInfo info =
        TClassBuilder<H>(QStringLiteral("TvgHeading"), &TCollectionItem::StaticClassInfo())
            .Str(QStringLiteral("Caption"), &H::Caption, &H::SetCaption)
            .Str(QStringLiteral("Name"), &H::Name, &H::SetStoredName)
            .Enum(QStringLiteral("TitleHAlignment"), &H::TitleHAlignment, &H::SetTitleHAlignment).Default(taCenter)
            .Enum(QStringLiteral("TitleVAlignment"), &H::TitleVAlignment, &H::SetTitleVAlignment).Default(vgvaCenter)
            .Color(QStringLiteral("TitleColor"), &H::TitleColor, &H::SetTitleColor).Default(clBtnFace)
            .Object(QStringLiteral("TitleFont"), &H::TitleFont).StoredIf(&H::ShouldStoreTitleFont)
            .Bool(QStringLiteral("TitleParentFont"), &H::TitleParentFont, &H::SetTitleParentFont).Default(true)
            .Enum(QStringLiteral("TitleClipStyle"), &H::TitleClipStyle, &H::SetTitleClipStyle).Default(vgclpWrap)
            .Enum(QStringLiteral("TitleInnerBevel"), &H::TitleInnerBevel, &H::SetTitleInnerBevel).Default(bvNone)
            .Enum(QStringLiteral("TitleOuterBevel"), &H::TitleOuterBevel, &H::SetTitleOuterBevel).Default(bvRaised)
            .Object(QStringLiteral("TopBorder"), &H::TopBorder).StoredIf(&H::ShouldStoreTopBorder)
            .Object(QStringLiteral("BottomBorder"), &H::BottomBorder).StoredIf(&H::ShouldStoreBottomBorder)
            .Object(QStringLiteral("LeftBorder"), &H::LeftBorder).StoredIf(&H::ShouldStoreLeftBorder)
            .Object(QStringLiteral("RightBorder"), &H::RightBorder).StoredIf(&H::ShouldStoreRightBorder)
            .Build();
    return info;
}

TvgHeading::TvgHeading(TCollection* Collection)
    : TCollectionItem(Collection),
      FTitleFont(std::make_unique<TFont>()),
      FTopBorder(std::make_unique<TvgBorder>()),
      FBottomBorder(std::make_unique<TvgBorder>()),
      FLeftBorder(std::make_unique<TvgBorder>()),
      FRightBorder(std::make_unique<TvgBorder>())
{
    FTitleFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TvgHeading::~TvgHeading() = default;

void TvgHeading::DoPropertyChange(TvgProperty Prop)
{
    auto* headings = dynamic_cast<TvgHeadings*>(Collection());
    if (headings && headings->OnPropertyChange)
        headings->OnPropertyChange(this, Prop);
}

void TvgHeading::DoRefreshEvent()
{
    DoPropertyChange(vgpropRefresh);
}

void TvgHeading::FontChanged(TObject* Sender)
{
    if (Sender && Sender == FTitleFont.get())
        FTitleParentFont = false;
}

void TvgHeading::SetCaption(const QString& Value) { SetRefreshing(FCaption, Value); }

void TvgHeading::SetName(const QString& Value)
{
    if (Value == FName)
        return;
    auto* headings = dynamic_cast<TvgHeadings*>(Collection());
    if (headings && headings->ColumnNameExists(Value))
        throw EvgColumnNameExists(QStringLiteral("A column named \"%1\" already exists").arg(Value));
    ChangeName(Value);
}

void TvgHeading::ChangeName(const QString& Value)
{
    FName = Value;
    if (auto* headings = dynamic_cast<TvgHeadings*>(Collection()))
        ++headings->FRenames;
}

void TvgHeading::SetTitleHAlignment(TAlignment Value) { SetRefreshing(FTitleHAlignment, Value); }
void TvgHeading::SetTitleVAlignment(TvgVAlignment Value) { SetRefreshing(FTitleVAlignment, Value); }
void TvgHeading::SetTitleColor(TColor Value)
{
    CheckColor(Value);
    SetRefreshing(FTitleColor, Value);
}
void TvgHeading::SetTitleParentFont(bool Value) { SetRefreshing(FTitleParentFont, Value); }
void TvgHeading::SetTitleClipStyle(TvgClipStyle Value) { SetRefreshing(FTitleClipStyle, Value); }
void TvgHeading::SetTitleInnerBevel(TBevelCut Value) { SetRefreshing(FTitleInnerBevel, Value); }
void TvgHeading::SetTitleOuterBevel(TBevelCut Value) { SetRefreshing(FTitleOuterBevel, Value); }

// Object properties copy the given object into the owned one and always report.
void TvgHeading::SetTitleFont(const TFont* Value)
{
    FTitleFont->Assign(Value);
    DoRefreshEvent();
}

void TvgHeading::SetTopBorder(const TvgBorder* Value)
{
    FTopBorder->Assign(Value);
    DoRefreshEvent();
}

void TvgHeading::SetBottomBorder(const TvgBorder* Value)
{
    FBottomBorder->Assign(Value);
    DoRefreshEvent();
}

void TvgHeading::SetLeftBorder(const TvgBorder* Value)
{
    FLeftBorder->Assign(Value);
    DoRefreshEvent();
}

void TvgHeading::SetRightBorder(const TvgBorder* Value)
{
    FRightBorder->Assign(Value);
    DoRefreshEvent();
}

void TvgHeading::Assign(const TPersistent* Source)
{
    auto* heading = dynamic_cast<const TvgHeading*>(Source);
    if (!heading) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = heading->FCaption;
    ChangeName(heading->FName);
    FTitleHAlignment = heading->FTitleHAlignment;
    FTitleVAlignment = heading->FTitleVAlignment;
    FTitleColor = heading->FTitleColor;
    FTitleFont->Assign(heading->FTitleFont.get());
    FTitleClipStyle = heading->FTitleClipStyle;
    FTitleInnerBevel = heading->FTitleInnerBevel;
    FTitleOuterBevel = heading->FTitleOuterBevel;
    FTopBorder->Assign(heading->FTopBorder.get());
    FBottomBorder->Assign(heading->FBottomBorder.get());
    FLeftBorder->Assign(heading->FLeftBorder.get());
    FRightBorder->Assign(heading->FRightBorder.get());
}

// ---- TvgColumn

const TClassInfo& TvgColumn::StaticClassInfo()
{
    using C = TvgColumn;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TvgColumn"), &TvgHeading::StaticClassInfo())
            .Set<TvgControlType>(QStringLiteral("ControlType"), &C::ControlType, &C::SetControlType).Default(TvgControlTypes{})
            .Bool(QStringLiteral("Visible"), &C::Visible, &C::SetVisible).Default(true)
            .Bool(QStringLiteral("ReadOnly"), &C::ReadOnly, &C::SetReadOnly).Default(false)
            .Int(QStringLiteral("MaxTextLength"), &C::MaxTextLength, &C::SetMaxTextLength).Default(0)
            .Enum(QStringLiteral("ColumnHAlignment"), &C::ColumnHAlignment, &C::SetColumnHAlignment).Default(taLeftJustify)
            .Enum(QStringLiteral("ColumnVAlignment"), &C::ColumnVAlignment, &C::SetColumnVAlignment).Default(vgvaTop)
            .Color(QStringLiteral("ColumnColor"), &C::ColumnColor, &C::SetColumnColor).Default(clWindow)
            .Object(QStringLiteral("ColumnFont"), &C::ColumnFont).StoredIf(&C::ShouldStoreColumnFont)
            .Bool(QStringLiteral("ColumnParentFont"), &C::ColumnParentFont, &C::SetColumnParentFont).Default(true)
            .Enum(QStringLiteral("ColumnClipStyle"), &C::ColumnClipStyle, &C::SetColumnClipStyle).Default(vgclpEllipsis)
            .Enum(QStringLiteral("ColumnInnerBevel"), &C::ColumnInnerBevel, &C::SetColumnInnerBevel).Default(bvNone)
            .Enum(QStringLiteral("ColumnOuterBevel"), &C::ColumnOuterBevel, &C::SetColumnOuterBevel).Default(bvNone)
            .Object(QStringLiteral("Items"), &C::Items).StoredIf(&C::ShouldStoreComboItems)
            .Bool(QStringLiteral("AutoSuggest"), &C::GetAutoSuggest, &C::SetAutoSuggest).StoredIf(&C::ShouldStoreComboItems)
            .Bool(QStringLiteral("ComboMaxWidth"), &C::ComboMaxWidth, &C::SetComboMaxWidth).StoredIf(&C::ShouldStoreComboItems)
            .Int(QStringLiteral("DropDownCount"), &C::DropDownCount, &C::SetDropDownCount).StoredIf(&C::ShouldStoreComboItems)
            .Bool(QStringLiteral("DropDownList"), &C::GetDropDownList, &C::SetDropDownList).StoredIf(&C::ShouldStoreComboItems)
            .Enum(QStringLiteral("ButtonStyle"), &C::ButtonStyle, &C::SetButtonStyle).StoredIf(&C::ShouldStoreButtonStuff)
            .Object(QStringLiteral("ButtonPicture"), &C::ButtonPicture).StoredIf(&C::ShouldStoreButtonPicture)
            .Bool(QStringLiteral("DrawButtonface"), &C::DrawButtonface, &C::SetDrawButtonface).StoredIf(&C::ShouldStoreButtonPicture)
            .Enum(QStringLiteral("ButtonVAlignment"), &C::ButtonVAlignment, &C::SetButtonVAlignment).StoredIf(&C::ShouldStoreButtonPicture)
            .Int(QStringLiteral("HeadingIndex"), &C::HeadingIndex, &C::SetHeadingIndex).Default(-1)
            .Enum(QStringLiteral("FormatType"), &C::FormatType, &C::SetFormatType).Default(vgfmtNone)
            .Int(QStringLiteral("Decimals"), &C::Decimals, &C::SetDecimals).StoredIf(&C::ShouldStoreFormatting)
            .Str(QStringLiteral("Prefix"), &C::Prefix, &C::SetPrefix).StoredIf(&C::ShouldStoreFormatting)
            .Bool(QStringLiteral("ThousandsSeparator"), &C::ThousandsSeparator, &C::SetThousands).StoredIf(&C::ShouldStoreFormatting)
            .Bool(QStringLiteral("NegativeParenthesis"), &C::NegativeParenthesis, &C::SetParenNegative).StoredIf(&C::ShouldStoreFormatting)
            .Int(QStringLiteral("DateFormat"), &C::DateFormat, &C::SetDateFormat).StoredIf(&C::ShouldStoreDateFormatting)
            .Int(QStringLiteral("TimeFormat"), &C::TimeFormat, &C::SetTimeFormat).StoredIf(&C::ShouldStoreDateFormatting)
            .Build();
    return info;
}

TvgColumn::TvgColumn(TCollection* Collection)
    : TvgHeading(Collection),
      FColumnFont(std::make_unique<TFont>()),
      FItems(std::make_unique<TStringList>()),
      FButtonPicture(std::make_unique<TPicture>()),
      FCols(std::make_unique<TSparseStrings>())
{
    FColumnFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TvgColumn::~TvgColumn()
{
    // While the collection itself is destroyed it is no TvgColumns any more.
    if (auto* columns = dynamic_cast<TvgColumns*>(Collection()); columns && columns->OnColumnDestroying)
        columns->OnColumnDestroying(this);
}

void TvgColumn::FontChanged(TObject* Sender)
{
    TvgHeading::FontChanged(Sender);
    if (Sender && Sender == FColumnFont.get())
        FColumnParentFont = false;
}

void TvgColumn::SetControlType(TvgControlTypes Value) { SetRefreshing(FControlType, Value); }

void TvgColumn::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    if (Collection())
        Collection()->Revise(); // the grid's columns are the visible items
    DoPropertyChange(vgpropVisible);
}

void TvgColumn::SetReadOnly(bool Value) { SetRefreshing(FReadOnly, Value); }
void TvgColumn::SetMaxTextLength(int Value) { SetRefreshing(FMaxTextLength, Value); }
void TvgColumn::SetColumnHAlignment(TAlignment Value) { SetRefreshing(FColumnHAlignment, Value); }
void TvgColumn::SetColumnVAlignment(TvgVAlignment Value) { SetRefreshing(FColumnVAlignment, Value); }
void TvgColumn::SetColumnColor(TColor Value)
{
    CheckColor(Value);
    SetRefreshing(FColumnColor, Value);
}
void TvgColumn::SetColumnParentFont(bool Value) { SetRefreshing(FColumnParentFont, Value); }
void TvgColumn::SetColumnClipStyle(TvgClipStyle Value) { SetRefreshing(FColumnClipStyle, Value); }
void TvgColumn::SetColumnInnerBevel(TBevelCut Value) { SetRefreshing(FColumnInnerBevel, Value); }
void TvgColumn::SetColumnOuterBevel(TBevelCut Value) { SetRefreshing(FColumnOuterBevel, Value); }
void TvgColumn::SetComboMaxWidth(bool Value) { SetRefreshing(FComboMaxWidth, Value); }
void TvgColumn::SetDropDownCount(int Value) { SetRefreshing(FDropDownCount, Value); }
void TvgColumn::SetButtonStyle(TvgButtonStyle Value) { SetRefreshing(FButtonStyle, Value); }
void TvgColumn::SetDrawButtonface(bool Value) { SetRefreshing(FDrawButtonface, Value); }
void TvgColumn::SetButtonVAlignment(TvgVAlignment Value) { SetRefreshing(FButtonVAlignment, Value); }
void TvgColumn::SetHeadingIndex(int Value) { SetRefreshing(FHeadingIndex, Value); }
void TvgColumn::SetFormatType(TvgFormatType Value) { SetRefreshing(FFormatType, Value); }
void TvgColumn::SetDecimals(int Value) { SetRefreshing(FDecimals, Value); }
void TvgColumn::SetPrefix(const QString& Value) { SetRefreshing(FPrefix, Value); }
void TvgColumn::SetThousands(bool Value) { SetRefreshing(FThousandsSeparator, Value); }
void TvgColumn::SetParenNegative(bool Value) { SetRefreshing(FNegativeParenthesis, Value); }
void TvgColumn::SetDateFormat(int Value) { SetRefreshing(FDateFormat, Value); }
void TvgColumn::SetTimeFormat(int Value) { SetRefreshing(FTimeFormat, Value); }

void TvgColumn::SetColumnFont(const TFont* Value)
{
    FColumnFont->Assign(Value);
    DoRefreshEvent();
}

void TvgColumn::SetButtonPicture(const TPicture* Value)
{
    FButtonPicture->Assign(Value);
    DoRefreshEvent();
}

void TvgColumn::SetItems(const TStrings* Value)
{
    FItems->Assign(Value);
}

void TvgColumn::SetCols(const TStrings* Value)
{
    FCols->Assign(Value);
}

void TvgColumn::Assign(const TPersistent* Source)
{
    auto* column = dynamic_cast<const TvgColumn*>(Source);
    TvgHeading::Assign(Source);
    if (!column)
        return;
    SavedWidth = column->SavedWidth;
    FColumnHAlignment = column->FColumnHAlignment;
    FColumnVAlignment = column->FColumnVAlignment;
    FColumnColor = column->FColumnColor;
    FColumnFont->Assign(column->FColumnFont.get());
    FColumnClipStyle = column->FColumnClipStyle;
    FColumnInnerBevel = column->FColumnInnerBevel;
    FColumnOuterBevel = column->FColumnOuterBevel;
    FControlType = column->FControlType;
    FItems->Assign(column->FItems.get());
    if (FVisible != column->FVisible && Collection())
        Collection()->Revise(); // copied without the grid hearing of it, as Assign does
    FVisible = column->FVisible;
    FCols->Assign(column->FCols.get());
    FReadOnly = column->FReadOnly;
    FMaxTextLength = column->FMaxTextLength;
    AutoSuggest = column->AutoSuggest;
    FComboMaxWidth = column->FComboMaxWidth;
    FDropDownCount = column->FDropDownCount;
    DropDownList = column->DropDownList;
    FHeadingIndex = column->FHeadingIndex;
    FButtonStyle = column->FButtonStyle;
    FButtonPicture->Assign(column->FButtonPicture.get());
    FDrawButtonface = column->FDrawButtonface;
    FButtonVAlignment = column->FButtonVAlignment;
    FFormatType = column->FFormatType;
    FDecimals = column->FDecimals;
    FPrefix = column->FPrefix;
    FThousandsSeparator = column->FThousandsSeparator;
    FNegativeParenthesis = column->FNegativeParenthesis;
    FDateFormat = column->FDateFormat;
    FTimeFormat = column->FTimeFormat;
}

// ---- TvgHeadings

const TClassInfo& TvgHeadings::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TvgHeadings>(QStringLiteral("TvgHeadings"), &TCollection::StaticClassInfo()).Build();
    return info;
}

TvgHeadings::TvgHeadings(TCollectionItemClass ItemClass) : TCollection(std::move(ItemClass)) {}

namespace {
template <class T>
T* ItemAs(TCollectionItem* item)
{
    auto* result = dynamic_cast<T*>(item);
    if (!result)
        throw EInvalidCast(QStringLiteral("Invalid class typecast: %1 is not a %2").arg(item->ClassName(), T::StaticClassInfo().Name));
    return result;
}
} // namespace

TvgHeading* TvgHeadings::Add()
{
    const QString name = NextColumnName();
    const std::uint64_t revision = Revision();
    const std::uint64_t renames = FRenames;
    TvgHeading* item = ItemAs<TvgHeading>(TCollection::Add());
    item->ChangeName(name);
    // When nothing but this item came in meanwhile, the numbers taken stay good with its own.
    if (FNameNumbersRevision == revision && FNameNumbersRenames == renames && Revision() == revision + 1
        && FRenames == renames + 1) {
        FNameNumbers.insert(FFreeNameNumber);
        FNameNumbersRevision = Revision();
        FNameNumbersRenames = FRenames;
    }
    return item;
}

TvgHeading* TvgHeadings::GetColumn(int Index) const
{
    return ItemAs<TvgHeading>(Item(Index));
}

void TvgHeadings::SetColumn(int Index, const TvgHeading* Value)
{
    Item(Index)->Assign(Value);
}

void TvgHeadings::Assign(const TPersistent* Source)
{
    TCollection::Assign(Source);
    if (OnAssign)
        OnAssign(this);
}

bool TvgHeadings::ColumnNameExists(const QString& Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (auto* heading = dynamic_cast<TvgHeading*>(Item(i)); heading && heading->Name() == Name)
            return true;
    return false;
}

void TvgHeadings::UpdateNameNumbers() const
{
    if (FNameNumbersRevision == Revision() && FNameNumbersRenames == FRenames)
        return;
    const QString prefix = QStringLiteral("Column ");
    FNameNumbers.clear();
    for (int i = 0; i < Count(); ++i) {
        auto* heading = dynamic_cast<TvgHeading*>(Item(i));
        if (!heading || !heading->Name().startsWith(prefix))
            continue;
        const QString digits = heading->Name().mid(prefix.size());
        bool ok = false;
        const int n = digits.toInt(&ok);
        // Only the exact spelling NextColumnName gives counts: "Column 07" is another name.
        if (ok && n >= 1 && QString::number(n) == digits)
            FNameNumbers.insert(n);
    }
    FFreeNameNumber = 1;
    FNameNumbersRevision = Revision();
    FNameNumbersRenames = FRenames;
}

QString TvgHeadings::NextColumnName() const
{
    UpdateNameNumbers();
    while (FNameNumbers.count(FFreeNameNumber))
        ++FFreeNameNumber;
    return QStringLiteral("Column ") + QString::number(FFreeNameNumber);
}

void TvgHeadings::Move(int FromIndex, int ToIndex)
{
    Item(FromIndex)->SetIndex(ToIndex);
}

// ---- TvgColumns

const TClassInfo& TvgColumns::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TvgColumns>(QStringLiteral("TvgColumns"), &TvgHeadings::StaticClassInfo()).Build();
    return info;
}

TvgColumns::TvgColumns() : TvgHeadings(TCollectionItemClass::Of<TvgColumn>()) {}

TvgColumn* TvgColumns::Add()
{
    return ItemAs<TvgColumn>(TvgHeadings::Add());
}

TvgColumn* TvgColumns::GetColumn(int Index) const
{
    return ItemAs<TvgColumn>(Item(Index));
}

void TvgColumns::SetColumn(int Index, const TvgColumn* Value)
{
    TvgHeadings::SetColumn(Index, Value);
}

void TvgColumns::Assign(const TPersistent* Source)
{
    TvgHeadings::Assign(Source);
}

} // namespace vg
