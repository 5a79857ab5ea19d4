// libFuzzer target for the form-file reader. Arbitrary bytes, taken as UTF-8 text, are
// read as a component of a registered class with published properties of every kind.
// Reading may succeed or raise an exception of the library's own hierarchy; anything
// else is a finding: a crash, a sanitizer report, a foreign exception, or one of the
// invariants below failing:
//   - what was read writes back to text that reads again to the same text;
//   - a text that ReadComponentInto refuses leaves the instance as it was.
#include "platform/ClassRegistry.h"
#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/Filer.h"
#include "platform/Font.h"
#include "platform/FormFile.h"
#include "platform/Picture.h"
#include "platform/Strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace vg;

enum TFuzzMode : std::uint8_t { fmOff, fmOn, fmAuto };
VG_ENUM_INFO(TFuzzMode, "fmOff", "fmOn", "fmAuto")

enum TFuzzOption : std::uint8_t { foOne, foTwo, foThree };
VG_ENUM_INFO(TFuzzOption, "foOne", "foTwo", "foThree")
using TFuzzOptions = TSet<TFuzzOption>;

class TFuzzItem : public TCollectionItem {
    VG_CLASS(TFuzzItem)
public:
    explicit TFuzzItem(TCollection* collection) : TCollectionItem(collection) {}

    const QString& Text() const { return FText; }
    void SetText(const QString& value) { FText = value; }
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    TFont* Font() const { return FFont.get(); }

    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TFuzzItem*>(source)) {
            FText = other->FText;
            FWidth = other->FWidth;
            FFont->Assign(other->FFont.get());
            return;
        }
        TCollectionItem::Assign(source);
    }

private:
    QString FText;
    int FWidth = 10;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
};

const TClassInfo& TFuzzItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzItem>(QStringLiteral("TFuzzItem"), &TCollectionItem::StaticClassInfo())
                                       .Str(QStringLiteral("Text"), &TFuzzItem::Text, &TFuzzItem::SetText)
                                       .Int(QStringLiteral("Width"), &TFuzzItem::Width, &TFuzzItem::SetWidth).Default(10)
                                       .Object(QStringLiteral("Font"), &TFuzzItem::Font)
                                       .Build();
    return info;
}

class TFuzzProbe : public TComponent {
    VG_CLASS(TFuzzProbe)
public:
    explicit TFuzzProbe(TComponent* owner = nullptr) : TComponent(owner) {}

    int Count() const { return FCount; }
    void SetCount(int value) { FCount = value; }
    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }
    TFuzzMode Mode() const { return FMode; }
    void SetMode(TFuzzMode value) { FMode = value; }
    TFuzzOptions Options() const { return FOptions; }
    void SetOptions(TFuzzOptions value) { FOptions = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value) { FCaption = value; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool value) { FFixed = value; }
    int Size() const { return FSize; }
    void SetSize(int value) { FSize = value; }
    bool IsSizeStored() const { return FFixed; }
    int Limit() const { return FLimit; }
    void SetLimit(int value)
    {
        if (value < 0)
            throw EConvertError(QStringLiteral("Limit must not be negative"));
        FLimit = value;
    }
    TFont* Font() const { return FFont.get(); }
    TStringList* Lines() const { return FLines.get(); }
    TCollection* Items() const { return FItems.get(); }
    TPicture* Picture() const { return FPicture.get(); }

    void DefineProperties(TFiler& filer) override
    {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            QStringLiteral("Extra"), [this](TReader& reader) { FExtra = reader.ReadInteger(); },
            [this](TWriter& writer) { writer.WriteInteger(FExtra); }, FExtra != 0);
        filer.DefineProperty(
            QStringLiteral("Ratio"), [this](TReader& reader) { FRatio = reader.ReadFloat(); },
            [this](TWriter& writer) { writer.WriteFloat(FRatio); }, FRatio != 0);
    }

private:
    int FCount = 1;
    bool FActive = false;
    TFuzzMode FMode = fmAuto;
    TFuzzOptions FOptions;
    TColor FColor = clBtnFace;
    QString FCaption;
    bool FFixed = false;
    int FSize = 0;
    int FLimit = 0;
    qint64 FExtra = 0;
    double FRatio = 0;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    std::unique_ptr<TCollection> FItems = std::make_unique<TCollection>(TCollectionItemClass::Of<TFuzzItem>());
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};

const TClassInfo& TFuzzProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzProbe>(QStringLiteral("TFuzzProbe"), &TComponent::StaticClassInfo())
                                       .Int(QStringLiteral("Count"), &TFuzzProbe::Count, &TFuzzProbe::SetCount).Default(1)
                                       .Bool(QStringLiteral("Active"), &TFuzzProbe::Active, &TFuzzProbe::SetActive).Default(false)
                                       .Enum(QStringLiteral("Mode"), &TFuzzProbe::Mode, &TFuzzProbe::SetMode).Default(fmAuto)
                                       .Set<TFuzzOption>(QStringLiteral("Options"), &TFuzzProbe::Options, &TFuzzProbe::SetOptions)
                                       .Default(TFuzzOptions{})
                                       .Color(QStringLiteral("Color"), &TFuzzProbe::Color, &TFuzzProbe::SetColor).Default(clBtnFace)
                                       .Str(QStringLiteral("Caption"), &TFuzzProbe::Caption, &TFuzzProbe::SetCaption)
                                       .Bool(QStringLiteral("Fixed"), &TFuzzProbe::Fixed, &TFuzzProbe::SetFixed).Default(false)
                                       .Int(QStringLiteral("Size"), &TFuzzProbe::Size, &TFuzzProbe::SetSize)
                                       .StoredIf(&TFuzzProbe::IsSizeStored)
                                       .Int(QStringLiteral("Limit"), &TFuzzProbe::Limit, &TFuzzProbe::SetLimit).Default(0)
                                       .Object(QStringLiteral("Font"), &TFuzzProbe::Font)
                                       .Object(QStringLiteral("Lines"), &TFuzzProbe::Lines)
                                       .Object(QStringLiteral("Items"), &TFuzzProbe::Items)
                                       .Object(QStringLiteral("Picture"), &TFuzzProbe::Picture)
                                       .Build();
    return info;
}

[[noreturn]] void Finding(const char* what, const QString& detail)
{
    std::fprintf(stderr, "%s\n%s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterComponentClass<TFuzzProbe>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    try {
        const std::unique_ptr<TComponent> read = ReadComponentFromText(text);
        const QString written = WriteComponentToText(*read);
        const std::unique_ptr<TComponent> again = ReadComponentFromText(written);
        if (WriteComponentToText(*again) != written)
            Finding("a component read back from its own text writes differently", written);
    } catch (const Exception&) {
    }

    TFuzzProbe instance;
    const QString before = WriteComponentToText(instance);
    try {
        ReadComponentInto(text, instance);
    } catch (const Exception&) {
        if (WriteComponentToText(instance) != before || !instance.ComponentState().IsEmpty() || instance.ComponentCount() != 0)
            Finding("a refused text changed the instance it was read into", WriteComponentToText(instance));
    }
    return 0;
}
