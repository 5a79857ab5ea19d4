// A component with published properties of every kind, for the form-file tests and the
// form reader fuzz target: numbers, booleans, an enumeration, a set, a colour, a string,
// a property stored by predicate, a validating setter, owned objects (a font, a string
// list, a picture), a collection whose items own objects too, and custom entries of
// integer and floating point kind. Every property write and every Loaded is recorded in
// ProbeEvents; whoever reads probes clears it.
#pragma once

#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Strings.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vg::test {

enum TProbeMode : std::uint8_t { pmNormal, pmFast, pmSafe };
VG_ENUM_INFO(TProbeMode, "pmNormal", "pmFast", "pmSafe")

enum TProbeOption : std::uint8_t { poSort, poFilter, poWrap, poTrim };
VG_ENUM_INFO(TProbeOption, "poSort", "poFilter", "poWrap", "poTrim")
using TProbeOptions = TSet<TProbeOption>;

// What the probes did, in order: property writes and Loaded.
struct TProbeEvent {
    QString What; // "set" or "loaded"
    QString Name;
    bool Loading = false;
};
inline std::vector<TProbeEvent> ProbeEvents;

class TProbeItem : public TCollectionItem {
    VG_CLASS(TProbeItem)
public:
    explicit TProbeItem(TCollection* collection) : TCollectionItem(collection) {}

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value) { FCaption = value; }
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    TStringList* Values() const { return FValues.get(); }
    TFont* Font() const { return FFont.get(); }

    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TProbeItem*>(source)) {
            FCaption = other->FCaption;
            FWidth = other->FWidth;
            FValues->Assign(other->FValues.get());
            FFont->Assign(other->FFont.get());
            return;
        }
        TCollectionItem::Assign(source);
    }

private:
    QString FCaption;
    int FWidth = 64;
    std::unique_ptr<TStringList> FValues = std::make_unique<TStringList>();
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
};

inline const TClassInfo& TProbeItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TProbeItem>(QStringLiteral("TProbeItem"), &TCollectionItem::StaticClassInfo())
                                       .Str(QStringLiteral("Caption"), &TProbeItem::Caption, &TProbeItem::SetCaption)
                                       .Int(QStringLiteral("Width"), &TProbeItem::Width, &TProbeItem::SetWidth).Default(64)
                                       .Object(QStringLiteral("Values"), &TProbeItem::Values)
                                       .Object(QStringLiteral("Font"), &TProbeItem::Font)
                                       .Build();
    return info;
}

class TFormProbe : public TComponent {
    VG_CLASS(TFormProbe)
public:
    explicit TFormProbe(TComponent* owner = nullptr) : TComponent(owner) {}

    int Count() const { return FCount; }
    void SetCount(int value) { Note(); FCount = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { Note(); FEnabled = value; }
    TProbeMode Mode() const { return FMode; }
    void SetMode(TProbeMode value) { Note(); FMode = value; }
    TProbeOptions Options() const { return FOptions; }
    void SetOptions(TProbeOptions value) { Note(); FOptions = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { Note(); FColor = value; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value) { Note(); FCaption = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { Note(); FAutoSize = value; }
    // Stored only when not sized automatically, and then even when 0.
    int Size() const { return FSize; }
    void SetSize(int value) { Note(); FSize = value; }
    bool IsSizeStored() const { return !FAutoSize; }
    // Refuses negative values, as a setter that validates does.
    int Limit() const { return FLimit; }
    void SetLimit(int value)
    {
        if (value < 0)
            throw EConvertError(QStringLiteral("Limit must not be negative"));
        Note();
        FLimit = value;
    }

    TFont* Font() const { return FFont.get(); }
    TStringList* Lines() const { return FLines.get(); }
    TCollection* Items() const { return FItems.get(); }
    TPicture* Picture() const { return FPicture.get(); }
    TProbeItem* Item(int index) const { return static_cast<TProbeItem*>(FItems->Item(index)); }

    // Not published properties: stored through DefineProperties, each only when not 0.
    int Checksum() const { return FChecksum; }
    void SetChecksum(int value) { Note(); FChecksum = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { Note(); FRatio = value; }

    int LoadedCount = 0;

    void DefineProperties(TFiler& filer) override
    {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            QStringLiteral("Checksum"), [this](TReader& reader) { SetChecksum(int(reader.ReadInteger())); },
            [this](TWriter& writer) { writer.WriteInteger(FChecksum); }, FChecksum != 0);
        filer.DefineProperty(
            QStringLiteral("Ratio"), [this](TReader& reader) { SetRatio(reader.ReadFloat()); },
            [this](TWriter& writer) { writer.WriteFloat(FRatio); }, FRatio != 0);
    }

    void Loaded() override
    {
        ++LoadedCount;
        ProbeEvents.push_back({QStringLiteral("loaded"), Name(), IsLoading()});
        TComponent::Loaded();
    }

private:
    void Note() { ProbeEvents.push_back({QStringLiteral("set"), Name(), IsLoading()}); }

    int FCount = 5;
    bool FEnabled = true;
    TProbeMode FMode = pmNormal;
    TProbeOptions FOptions{poSort};
    TColor FColor = clWindow;
    QString FCaption;
    bool FAutoSize = true;
    int FSize = 0;
    int FLimit = 0;
    int FChecksum = 0;
    double FRatio = 0;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    std::unique_ptr<TCollection> FItems = std::make_unique<TCollection>(TCollectionItemClass::Of<TProbeItem>());
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};

inline const TClassInfo& TFormProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFormProbe>(QStringLiteral("TFormProbe"), &TComponent::StaticClassInfo())
                                       .Int(QStringLiteral("Count"), &TFormProbe::Count, &TFormProbe::SetCount).Default(5)
                                       .Bool(QStringLiteral("Enabled"), &TFormProbe::Enabled, &TFormProbe::SetEnabled).Default(true)
                                       .Enum(QStringLiteral("Mode"), &TFormProbe::Mode, &TFormProbe::SetMode).Default(pmNormal)
                                       .Set<TProbeOption>(QStringLiteral("Options"), &TFormProbe::Options, &TFormProbe::SetOptions)
                                       .Default(TProbeOptions{poSort})
                                       .Color(QStringLiteral("Color"), &TFormProbe::Color, &TFormProbe::SetColor).Default(clWindow)
                                       .Str(QStringLiteral("Caption"), &TFormProbe::Caption, &TFormProbe::SetCaption)
                                       .Bool(QStringLiteral("AutoSize"), &TFormProbe::AutoSize, &TFormProbe::SetAutoSize).Default(true)
                                       .Int(QStringLiteral("Size"), &TFormProbe::Size, &TFormProbe::SetSize)
                                       .StoredIf(&TFormProbe::IsSizeStored)
                                       .Int(QStringLiteral("Limit"), &TFormProbe::Limit, &TFormProbe::SetLimit).Default(0)
                                       .Object(QStringLiteral("Font"), &TFormProbe::Font)
                                       .Object(QStringLiteral("Lines"), &TFormProbe::Lines)
                                       .Object(QStringLiteral("Items"), &TFormProbe::Items)
                                       .Object(QStringLiteral("Picture"), &TFormProbe::Picture)
                                       .Build();
    return info;
}

} // namespace vg::test
