// Form files: components written to text and read back with published properties of
// every kind, owned sub-objects, collections, custom entries and child components; and
// the reader's refusal of malformed or unknown text, with the line it happened on.
#include "platform/core/ClassRegistry.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include "support/FormProbe.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>

namespace vg::test {
namespace {

// A component class that is never registered.
class TUnlistedProbe : public TComponent {
    VG_CLASS(TUnlistedProbe)
public:
    explicit TUnlistedProbe(TComponent* owner = nullptr) : TComponent(owner) {}
    int Count() const { return FCount; }
    void SetCount(int value) { FCount = value; }

private:
    int FCount = 0;
};

const TClassInfo& TUnlistedProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TUnlistedProbe>(QStringLiteral("TUnlistedProbe"), &TComponent::StaticClassInfo())
                                       .Int(QStringLiteral("Count"), &TUnlistedProbe::Count, &TUnlistedProbe::SetCount).Default(0)
                                       .Build();
    return info;
}

class FormFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterComponentClass<TFormProbe>(); }
    void SetUp() override { ProbeEvents.clear(); }
};

TProbeItem* AddItem(TFormProbe& probe, const QString& caption, int width)
{
    auto* item = static_cast<TProbeItem*>(probe.Items()->Add());
    item->SetCaption(caption);
    item->SetWidth(width);
    return item;
}

QImage SmallImage()
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(1, 1, qRgba(200, 100, 0, 128));
    return image;
}

// A probe with every property away from its default.
void FillProbe(TFormProbe& probe)
{
    probe.SetName(QStringLiteral("Probe1"));
    probe.SetCount(-7);
    probe.SetEnabled(false);
    probe.SetMode(pmSafe);
    probe.SetOptions({poFilter, poTrim});
    probe.SetColor(clRed);
    probe.SetCaption(QStringLiteral("It's\r\ncaf\u00e9 \u2713 \U0001F600\tend"));
    probe.SetAutoSize(false);
    probe.SetSize(0);
    probe.SetLimit(2147483647);
    probe.Font()->SetName(QStringLiteral("Mono"));
    probe.Font()->SetHeight(-16);
    probe.Font()->SetColor(clBlue);
    probe.Font()->SetStyle({fsBold, fsItalic});
    probe.Lines()->SetStrings(QStringList{"one", "'two'", ""});
    AddItem(probe, QStringLiteral("First"), 100)->Font()->SetColor(clRed);
    AddItem(probe, QString(), 64)->Values()->SetStrings(QStringList{"x"});
    probe.SetChecksum(42);
    probe.SetRatio(2);
}

const char* const FilledProbeText = R"(object Probe1: TFormProbe
  Count = -7
  Enabled = False
  Mode = pmSafe
  Options = [poFilter, poTrim]
  Color = clRed
  Caption = 'It''s'#13#10'café ✓ 😀'#9'end'
  AutoSize = False
  Size = 0
  Limit = 2147483647
  Font.Color = clBlue
  Font.Height = -16
  Font.Name = 'Mono'
  Font.Style = [fsBold, fsItalic]
  Lines.Strings = (
    'one'
    '''two'''
    '')
  Items = <
    item
      Caption = 'First'
      Width = 100
      Font.Color = clRed
      Font.Name = 'DejaVu Sans'
    end
    item
      Values.Strings = (
        'x')
      Font.Name = 'DejaVu Sans'
    end>
  Checksum = 42
  Ratio = 2.0
end
)";

void ExpectSameProbe(const TFormProbe& a, const TFormProbe& b)
{
    EXPECT_EQ(a.Name(), b.Name());
    EXPECT_EQ(a.Count(), b.Count());
    EXPECT_EQ(a.Enabled(), b.Enabled());
    EXPECT_EQ(a.Mode(), b.Mode());
    EXPECT_EQ(a.Options(), b.Options());
    EXPECT_EQ(a.Color(), b.Color());
    EXPECT_EQ(a.Caption(), b.Caption());
    EXPECT_EQ(a.AutoSize(), b.AutoSize());
    EXPECT_EQ(a.Size(), b.Size());
    EXPECT_EQ(a.Limit(), b.Limit());
    EXPECT_TRUE(a.Font()->Equals(*b.Font()));
    EXPECT_TRUE(a.Lines()->Equals(*b.Lines()));
    ASSERT_EQ(a.Items()->Count(), b.Items()->Count());
    for (int i = 0; i < a.Items()->Count(); ++i) {
        EXPECT_EQ(a.Item(i)->Caption(), b.Item(i)->Caption());
        EXPECT_EQ(a.Item(i)->Width(), b.Item(i)->Width());
        EXPECT_TRUE(a.Item(i)->Values()->Equals(*b.Item(i)->Values()));
        EXPECT_TRUE(a.Item(i)->Font()->Equals(*b.Item(i)->Font()));
    }
    EXPECT_TRUE(a.Picture()->Equals(*b.Picture()));
    EXPECT_EQ(a.Checksum(), b.Checksum());
    EXPECT_EQ(a.Ratio(), b.Ratio());
}

std::unique_ptr<TFormProbe> ReadProbe(const QString& text)
{
    std::unique_ptr<TComponent> read = ReadComponentFromText(text);
    auto* probe = dynamic_cast<TFormProbe*>(read.get());
    if (!probe)
        throw std::logic_error("the text did not make a TFormProbe");
    read.release();
    return std::unique_ptr<TFormProbe>(probe);
}

// The message of the EReadError that reading text raises; empty when it reads.
QString ReadError(const QString& text)
{
    try {
        ReadComponentFromText(text);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return QString();
}

QString ProbeText(const QString& body) { return QStringLiteral("object Probe1: TFormProbe\n") + body + QStringLiteral("end\n"); }

// ---- writing

TEST_F(FormFile, DefaultComponentWritesOnlyWhatIsAlwaysStored)
{
    TFormProbe probe;
    probe.SetName(QStringLiteral("Probe1"));
    EXPECT_EQ(WriteComponentToText(probe), QStringLiteral("object Probe1: TFormProbe\n"
                                                          "  Font.Name = 'DejaVu Sans'\n"
                                                          "  Items = <>\n"
                                                          "end\n"));
    TFormProbe unnamed;
    EXPECT_TRUE(WriteComponentToText(unnamed).startsWith(QStringLiteral("object TFormProbe\n")));
}

TEST_F(FormFile, EveryKindIsWrittenInDeclaredOrderWithCustomEntriesLast)
{
    TFormProbe probe;
    FillProbe(probe);
    EXPECT_EQ(WriteComponentToText(probe), QString::fromUtf8(FilledProbeText));
}

TEST_F(FormFile, StoredPredicateDecidesOverDefault)
{
    TFormProbe probe;
    probe.SetSize(30);
    EXPECT_FALSE(WriteComponentToText(probe).contains(QStringLiteral("Size")));
    probe.SetAutoSize(false);
    EXPECT_TRUE(WriteComponentToText(probe).contains(QStringLiteral("  Size = 30\n")));
}

TEST_F(FormFile, UnnamedColoursAreWrittenAsNumbers)
{
    TFormProbe probe;
    probe.SetColor(RGBColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(WriteComponentToText(probe).contains(QStringLiteral("  Color = 5649426\n")));
    probe.SetColor(SystemColor(25)); // an unassigned system colour has no name
    const QString text = WriteComponentToText(probe);
    EXPECT_TRUE(text.contains(QStringLiteral("  Color = -16777191\n"))) << text.toStdString();
    EXPECT_EQ(ReadProbe(text)->Color(), SystemColor(25));
}

// ---- round trips

TEST_F(FormFile, FilledComponentRoundTrips)
{
    TFormProbe probe;
    FillProbe(probe);
    probe.Picture()->SetIcon(SmallImage());
    const QString text = WriteComponentToText(probe);
    EXPECT_TRUE(text.contains(QStringLiteral("  Picture.Data = {\n    0554496")));

    const std::unique_ptr<TFormProbe> read = ReadProbe(text);
    ExpectSameProbe(probe, *read);
    EXPECT_EQ(read->Picture()->Kind(), TGraphicKind::Icon);
    EXPECT_EQ(WriteComponentToText(*read), text);
}

TEST_F(FormFile, ExtremeValuesRoundTrip)
{
    TFormProbe probe;
    probe.SetCount(std::numeric_limits<qint32>::min());
    probe.SetOptions({poSort, poFilter, poWrap, poTrim});
    probe.SetCaption(QStringLiteral("''#'\u0001\u007f\u00a0 +(<{"));
    probe.SetColor(clNone);
    probe.Font()->SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
    probe.Lines()->SetStrings(QStringList{"", "\r\n", "a'b"});
    probe.SetRatio(0.1 + 0.2); // needs all 17 digits to read back as the same double
    const QString text = WriteComponentToText(probe);
    EXPECT_TRUE(text.contains(QStringLiteral("Options = [poSort, poFilter, poWrap, poTrim]")));
    ExpectSameProbe(probe, *ReadProbe(text));

    probe.SetOptions({});
    probe.Font()->SetStyle({});
    const QString emptySets = WriteComponentToText(probe);
    EXPECT_TRUE(emptySets.contains(QStringLiteral("  Options = []\n")));
    ExpectSameProbe(probe, *ReadProbe(emptySets));
}

TEST_F(FormFile, StreamRoundTripIsUtf8)
{
    TFormProbe probe;
    FillProbe(probe);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteComponentToStream(buffer, probe);
    EXPECT_TRUE(buffer.data().contains("caf\xC3\xA9"));
    buffer.seek(0);
    std::unique_ptr<TComponent> read = ReadComponentFromStream(buffer);
    ExpectSameProbe(probe, dynamic_cast<TFormProbe&>(*read));

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_THROW(WriteComponentToStream(readOnly, probe), EWriteError);
    QBuffer closed;
    EXPECT_THROW(ReadComponentFromStream(closed), EStreamError);
}

TEST_F(FormFile, InvalidUtf8StreamIsRefused)
{
    const QByteArray good = ProbeText(QStringLiteral("  Caption = 'caf\u00e9'\n")).toUtf8();
    const QByteArray bad[] = {
        QByteArray(good).replace("\xC3\xA9", "\xE9"),        // Latin-1 instead of UTF-8
        QByteArray(good).replace("\xC3\xA9", "\xC0\xA9"),    // overlong form
        QByteArray(good).replace("\xC3\xA9", "\xED\xA0\x80"), // a surrogate
        QByteArray(good).append("\xF0\x9F\x98"),             // a character cut off at the end
    };
    for (const QByteArray& data : bad) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_THROW(ReadComponentFromStream(buffer), EReadError) << data.toHex().toStdString();
    }
}

// ---- reading

TEST_F(FormFile, ReaderAcceptsNumbersInEveryWrittenForm)
{
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Count = $FF\n")))->Count(), 255);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Count = $ffffffff\n")))->Count(), -1);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Count = -2147483648\n")))->Count(), std::numeric_limits<qint32>::min());
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Count = +12\n")))->Count(), 12);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Color = $FF000005\n")))->Color(), clWindow);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Color = $00123456\n")))->Color(), 0x123456);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Color = 4278190085\n")))->Color(), clWindow);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Color = clbtnface\n")))->Color(), clBtnFace);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Ratio = -1.5E3\n")))->Ratio(), -1500.0);
    EXPECT_EQ(ReadProbe(ProbeText(QStringLiteral("  Ratio = 3\n")))->Ratio(), 3.0);
}

TEST_F(FormFile, ReaderAcceptsStringsJoinedFromPartsAndCodes)
{
    const auto caption = [](const char* value) {
        return ReadProbe(ProbeText(QStringLiteral("  Caption = ") + QString::fromUtf8(value) + u'\n'))->Caption();
    };
    EXPECT_EQ(caption("'a' + 'b'"), QStringLiteral("ab"));
    EXPECT_EQ(caption("'a' +\n    'b'#33"), QStringLiteral("ab!"));
    EXPECT_EQ(caption("#65#66'C'"), QStringLiteral("ABC"));
    EXPECT_EQ(caption("#128512"), QStringLiteral("\U0001F600"));
    EXPECT_EQ(caption("''''"), QStringLiteral("'"));
    EXPECT_EQ(caption("''"), QString());
}

TEST_F(FormFile, IdentifiersAndKeywordsIgnoreCase)
{
    const auto probe = ReadProbe(QStringLiteral("OBJECT probe1: tformprobe\n"
                                                "  mode = PMFAST\n  enabled = true\n  options = [POWRAP]\n"
                                                "  FONT.STYLE = [FSBOLD]\n  checksum = 3\nEND"));
    EXPECT_EQ(probe->Name(), QStringLiteral("probe1"));
    EXPECT_EQ(probe->Mode(), pmFast);
    EXPECT_TRUE(probe->Enabled());
    EXPECT_EQ(probe->Options(), TProbeOptions{poWrap});
    EXPECT_EQ(probe->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(probe->Checksum(), 3);
}

TEST_F(FormFile, CollectionsAreReplacedByTheStoredItems)
{
    TFormProbe probe;
    AddItem(probe, QStringLiteral("old"), 1);
    AddItem(probe, QStringLiteral("older"), 2);
    ReadComponentInto(ProbeText(QStringLiteral("  Items = <>\n")), probe);
    EXPECT_EQ(probe.Items()->Count(), 0);

    int changes = 0;
    probe.Items()->OnChange = [&](TCollection*) { ++changes; };
    ReadComponentInto(ProbeText(QStringLiteral("  Items = <item Caption = 'a' end item end item Width = 5 end>\n")), probe);
    ASSERT_EQ(probe.Items()->Count(), 3);
    EXPECT_EQ(probe.Item(0)->Caption(), QStringLiteral("a"));
    EXPECT_EQ(probe.Item(1)->Width(), 64);
    EXPECT_EQ(probe.Item(2)->Width(), 5);
    EXPECT_EQ(changes, 1) << "a collection is read in one update";
}

TEST_F(FormFile, ChildComponentsAreCreatedOwnedByTheRoot)
{
    const QString text = QStringLiteral("object Form1: TFormProbe\n"
                                        "  Count = 1\n"
                                        "  object Left: TFormProbe\n"
                                        "    Count = 2\n"
                                        "    object Inner: TFormProbe\n"
                                        "      Caption = 'deep'\n"
                                        "    end\n"
                                        "  end\n"
                                        "  object Right: TFormProbe\n"
                                        "    Count = 3\n"
                                        "  end\n"
                                        "end\n");
    const auto root = ReadProbe(text);
    ASSERT_EQ(root->ComponentCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(root->Component(i)->Owner(), root.get());
    auto* left = dynamic_cast<TFormProbe*>(root->FindComponent(QStringLiteral("Left")));
    auto* inner = dynamic_cast<TFormProbe*>(root->FindComponent(QStringLiteral("Inner")));
    auto* right = dynamic_cast<TFormProbe*>(root->FindComponent(QStringLiteral("Right")));
    ASSERT_TRUE(left && inner && right);
    EXPECT_EQ(left->Count(), 2);
    EXPECT_EQ(inner->Caption(), QStringLiteral("deep"));
    EXPECT_EQ(right->Count(), 3);

    // Written back, every owned component is a child of the root.
    const QString written = WriteComponentToText(*root);
    EXPECT_TRUE(written.contains(QStringLiteral("\n  object Inner: TFormProbe\n    Caption = 'deep'\n")));
    EXPECT_EQ(ReadProbe(written)->ComponentCount(), 3);
}

TEST_F(FormFile, LoadedComesOncePerComponentAfterAllPropertiesWereRead)
{
    const auto root = ReadProbe(QStringLiteral("object Form1: TFormProbe\n  Count = 1\n"
                                               "  object A: TFormProbe\n    Count = 2\n  end\n"
                                               "  object B: TFormProbe\n    Caption = 'b'\n    Checksum = 9\n  end\n"
                                               "  Caption = 'root, after its children'\n"
                                               "end\n"));
    int sets = 0;
    bool loadedSeen = false;
    QStringList loadedNames;
    for (const TProbeEvent& e : ProbeEvents) {
        EXPECT_TRUE(e.Loading) << e.What.toStdString() << " " << e.Name.toStdString() << " outside csLoading";
        if (e.What == QStringLiteral("set")) {
            ++sets;
            EXPECT_FALSE(loadedSeen) << "a property of " << e.Name.toStdString() << " was read after a Loaded";
        } else {
            loadedSeen = true;
            loadedNames << e.Name;
        }
    }
    EXPECT_EQ(sets, 5);
    loadedNames.sort();
    EXPECT_EQ(loadedNames, (QStringList{"A", "B", "Form1"}));
    EXPECT_EQ(root->LoadedCount, 1);
    for (int i = 0; i < root->ComponentCount(); ++i) {
        EXPECT_EQ(static_cast<TFormProbe*>(root->Component(i))->LoadedCount, 1);
        EXPECT_FALSE(root->Component(i)->IsLoading());
    }
    EXPECT_FALSE(root->IsLoading());
    EXPECT_TRUE(root->ComponentState().IsEmpty());
}

TEST_F(FormFile, ReadIntoReusesExistingChildrenAndKeepsUnmentionedProperties)
{
    TFormProbe root;
    root.SetCaption(QStringLiteral("kept"));
    auto* child = new TFormProbe(&root);
    child->SetName(QStringLiteral("Child"));
    child->SetCount(77);

    ReadComponentInto(QStringLiteral("object Form1: TFormProbe\n  Count = 8\n"
                                     "  object Child: TFormProbe\n    Mode = pmFast\n  end\nend\n"),
                      root);
    EXPECT_EQ(root.Name(), QStringLiteral("Form1"));
    EXPECT_EQ(root.Count(), 8);
    EXPECT_EQ(root.Caption(), QStringLiteral("kept"));
    ASSERT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Component(0), child);
    EXPECT_EQ(child->Mode(), pmFast);
    EXPECT_EQ(child->Count(), 77);
    EXPECT_EQ(child->LoadedCount, 1);
    EXPECT_EQ(root.LoadedCount, 1);
}

TEST_F(FormFile, UnregisteredClassCanBeReadIntoAnInstance)
{
    TUnlistedProbe probe;
    ReadComponentInto(QStringLiteral("object U: TUnlistedProbe\n  Count = 4\nend"), probe);
    EXPECT_EQ(probe.Count(), 4);
    EXPECT_EQ(probe.Name(), QStringLiteral("U"));
    EXPECT_FALSE(probe.IsLoading());
}

// ---- errors

TEST_F(FormFile, ErrorsNameTheLineAndWhatWasWrong)
{
    struct TCase {
        const char* Body;
        const char* Message;
    };
    const TCase cases[] = {
        {"  Count = 1\n  Bogus = 1\n", "Line 3: property Bogus does not exist in TFormProbe"},
        {"  Mode = pmTurbo\n", "Line 2: pmTurbo is not a value of TProbeMode"},
        {"  Options = [poSort, poNone]\n", "Line 2: poNone is not a value of TProbeOption"},
        {"  Count = 'five'\n", "Line 2: expected an integer but found a string"},
        {"  Count = 1.5\n", "Line 2: expected an integer but found a floating point number"},
        {"  Ratio = 'half'\n", "Line 2: expected a number but found a string"},
        {"  Enabled = 1\n", "Line 2: expected True or False but found the integer 1"},
        {"  Mode = 1\n", "Line 2: expected an identifier but found the integer 1"},
        {"  Options = poSort\n", "Line 2: expected a set but found the identifier poSort"},
        {"  Caption = Hello\n", "Line 2: expected a string but found the identifier Hello"},
        {"  Color = 'red'\n", "Line 2: expected an integer but found a string"},
        {"  Color = clNoSuchColour\n", "Line 2: clNoSuchColour is not a colour"},
        {"  Color = 4294967296\n", "Line 2: the colour 4294967296 is out of range"},
        {"  Items = 3\n", "Line 2: expected the properties of Items, one by one but found the integer 3"},
        {"  Items = <\n    item\n      Bogus = 1\n    end>\n", "Line 4: property Bogus does not exist in TProbeItem"},
        {"  Font.Bogus = 1\n", "Line 2: property Bogus does not exist in TFont"},
        {"  Caption.Size = 1\n", "Line 2: TFormProbe has no object property Caption"},
        {"  Lines.Strings = (\n    'a'\n    1)\n", "Line 4: expected a string but found the integer 1"},
        {"  Lines.Strings = 'a'\n", "Line 2: expected a list of strings but found a string"},
        {"  Picture.Data = 12\n", "Line 2: expected binary data but found the integer 12"},
        {"  Picture.Data = {05}\n", "Line 2: Picture.Data: Picture data is truncated"},
        {"  Picture.Data = {05544269636F00}\n", "Line 2: Picture.Data: Unknown graphic class in picture data"},
        {"  Limit = -1\n", "Line 2: Limit: Limit must not be negative"},
        {"  Count = 2147483648\n", "Line 2: the value 2147483648 of Count is out of range"},
        {"  Count = -2147483649\n", "Line 2: the value -2147483649 of Count is out of range"},
        {"  Count = 99999999999999999999\n", "Line 2: expected a number but found '99999999999999999999'"},
        {"  Count = $123456789\n", "Line 2: expected a hexadecimal number of at most 8 digits but found '$123456789'"},
        {"  Count = $\n", "Line 2: expected a hexadecimal number of at most 8 digits but found '$'"},
        {"  Count = -\n", "Line 2: expected a number but found '-'"},
        {"  Caption = 'open\n", "Line 2: expected the closing quote of a string but found end of line"},
        {"  Caption = 'a' +\n", "Line 3: expected a string after '+' but found 'end'"},
        {"  Caption = #\n", "Line 2: expected a character code but found '#'"},
        {"  Caption = #55296\n", "Line 2: expected a character code but found '#55296'"},
        {"  Picture.Data = {ABC}\n", "Line 2: expected an even number of hexadecimal digits but found an odd number"},
        {"  Picture.Data = {AG}\n", "Line 2: expected a hexadecimal digit or '}' but found 'G'"},
        {"  Count 1\n", "Line 2: expected '=' but found '1'"},
        {"  Count = @\n", "Line 2: expected a value but found '@'"},
        {"  Options = [poSort,]\n", "Line 2: expected a set element but found ']'"},
        {"  = 1\n", "Line 2: expected a property name or 'end' but found '='"},
        {"  object Child TFormProbe\n  end\n", "Line 3: expected '=' but found 'end'"},
        {"  object Child: TNoSuchClass\n  end\n", "Line 2: class TNoSuchClass is not registered"},
        {"  object A: TFormProbe\n  end\n  object a: TFormProbe\n  end\n", "Line 4: A component named a already exists"},
    };
    for (const TCase& c : cases) {
        const QString text = ProbeText(QString::fromUtf8(c.Body));
        EXPECT_EQ(ReadError(text), QString::fromUtf8(c.Message)) << text.toStdString();
    }
}

TEST_F(FormFile, MalformedFilesAsAWholeAreRefused)
{
    EXPECT_EQ(ReadError(QString()), QStringLiteral("Line 1: expected 'object' but found end of file"));
    EXPECT_EQ(ReadError(QStringLiteral("  \n\n")), QStringLiteral("Line 3: expected 'object' but found end of file"));
    EXPECT_EQ(ReadError(QStringLiteral("object X: TNoSuchClass\nend")), QStringLiteral("Line 1: class TNoSuchClass is not registered"));
    EXPECT_EQ(ReadError(QStringLiteral("object X: TFormProbe\nend\nend")), QStringLiteral("Line 3: expected end of file but found 'end'"));
    EXPECT_EQ(ReadError(QStringLiteral("object 1X: TFormProbe\nend")), QStringLiteral("Line 1: expected an object name but found '1'"));
    EXPECT_EQ(ReadError(QStringLiteral("\x01\x02\xff garbage")), QStringLiteral("Line 1: expected 'object' but found '\x01'"));

    TFormProbe probe;
    try {
        ReadComponentInto(QStringLiteral("object X: TUnlistedProbe\nend"), probe);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Line 1: expected an object of class TFormProbe but found TUnlistedProbe"));
    }

    // Deep nesting is refused instead of exhausting the stack.
    QString deep;
    for (int i = 0; i < 5000; ++i)
        deep += QStringLiteral("object O%1: TFormProbe\n").arg(i);
    EXPECT_TRUE(ReadError(deep).contains(QStringLiteral("less deeply nested objects")));
    EXPECT_TRUE(ReadError(ProbeText(QStringLiteral("  Lines.Strings = ") + QString(5000, u'(')))
                    .contains(QStringLiteral("less deeply nested values")));
}

TEST_F(FormFile, EveryPrefixOfAValidFileReadsOrRaisesReadError)
{
    TFormProbe probe;
    FillProbe(probe);
    probe.Picture()->SetBitmap(SmallImage());
    auto* child = new TFormProbe(&probe);
    child->SetName(QStringLiteral("Child"));
    child->SetCaption(QStringLiteral("x"));
    const QString text = WriteComponentToText(probe);
    int parsed = 0;
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        try {
            ReadComponentFromText(text.left(cut));
            ++parsed;
        } catch (const EReadError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Line "))) << e.Message().toStdString();
        }
    }
    EXPECT_EQ(parsed, 2) << "the whole text, with and without its last line break";
}

TEST_F(FormFile, ReadIntoLeavesTheInstanceUnchangedWhenTheTextIsBad)
{
    TComponent form;
    auto* other = new TFormProbe(&form);
    other->SetName(QStringLiteral("Taken"));
    auto* probe = new TFormProbe(&form);
    FillProbe(*probe);
    auto* existing = new TUnlistedProbe(probe);
    existing->SetName(QStringLiteral("Existing"));
    const QString before = WriteComponentToText(*probe);

    const QString badTexts[] = {
        // Valid properties first, then a bad one: none of them may be applied.
        ProbeText(QStringLiteral("  Count = 1\n  Caption = 'new'\n  Items = <>\n  Mode = pmNone\n")),
        ProbeText(QStringLiteral("  Count = 1\n  object New: TFormProbe\n  end\n  object Bad: TNoSuchClass\n  end\n")),
        ProbeText(QStringLiteral("  Count = 1\n  object Existing: TFormProbe\n  end\n")), // of another class
        ProbeText(QStringLiteral("  Lines.Strings = ('a')\n  Limit = -1\n")),
        ProbeText(QStringLiteral("  Count = 1\n  Caption = 'cut")),
        QStringLiteral("object Taken: TFormProbe\n  Count = 1\nend\n"), // the owner has a Taken already
    };
    for (const QString& text : badTexts) {
        ProbeEvents.clear();
        EXPECT_THROW(ReadComponentInto(text, *probe), EReadError) << text.toStdString();
        EXPECT_EQ(WriteComponentToText(*probe), before) << text.toStdString();
        EXPECT_EQ(probe->ComponentCount(), 1);
        EXPECT_EQ(probe->LoadedCount, 0);
        EXPECT_TRUE(probe->ComponentState().IsEmpty()) << "still loading after " << text.toStdString();
    }
}

// Random damage to valid files: every result is a component or an EReadError. (Damaged
// picture data is left to the fuzz target: the image decoder reports to standard error.)
TEST_F(FormFile, MutatedFilesReadOrRaiseReadError)
{
    TFormProbe probe;
    FillProbe(probe);
    auto* child = new TFormProbe(&probe);
    child->SetName(QStringLiteral("Child"));
    const QString seed = WriteComponentToText(probe);
    const QString alphabet = QStringLiteral("'#$+-=()<>[]{},.:0123456789AaFfeEitemobjectend \n\r\t\u00e9\U0001F600");

    std::mt19937 random(20240611);
    int read = 0;
    for (int round = 0; round < 3000; ++round) {
        QString text = seed;
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits && !text.isEmpty(); ++e) {
            const qsizetype at = qsizetype(random() % quint32(text.size()));
            switch (random() % 4) {
            case 0: text.remove(at, 1 + qsizetype(random() % 8)); break;
            case 1: text.insert(at, alphabet.at(qsizetype(random() % quint32(alphabet.size())))); break;
            case 2: text[at] = alphabet.at(qsizetype(random() % quint32(alphabet.size()))); break;
            case 3: text.truncate(at); break;
            }
        }
        try {
            ReadComponentFromText(text);
            ++read;
        } catch (const EReadError&) {
        }
    }
    EXPECT_GT(read, 0);
}

// A component whose state beyond its form cannot be put back into itself.
class TUnrestorable : public TComponent {
public:
    using TComponent::TComponent;
    std::function<void(TComponent&)> KeepUnwrittenState() const override
    {
        return [this](TComponent& target) {
            if (&target == this)
                throw EInvalidOperation(QStringLiteral("cells lost"));
        };
    }
};

TEST(FormFileRestore, ARestoreThatFailsAfterARefusedReadIsReported)
{
    TComponent owner;
    TComponent taken(&owner);
    taken.SetName(QStringLiteral("B"));
    TUnrestorable component(&owner);
    component.SetName(QStringLiteral("A"));
    // A copy of its own takes the name; the component itself is refused it by its owner.
    try {
        ReadComponentInto(QStringLiteral("object B: TComponent\nend\n"), component);
        FAIL() << "read into a name the owner gives to another component";
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("could not be put back as it was: cells lost")))
            << e.Message().toStdString();
    }
    EXPECT_EQ(component.Name(), QStringLiteral("A"));
}

} // namespace
} // namespace vg::test
