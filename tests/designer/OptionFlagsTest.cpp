// The grid's option sets as the Qt flags Designer edits with check boxes and forms store:
// the flag tables against the option sets, and a random run of every way a form or a
// program sets them against the plain option sets.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"

#include <QMetaEnum>
#include <QMetaProperty>

#include <random>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// A flags property with its option set: read, set through the C++ call, and as flags.
struct TFlagProperty {
    const char* Name;
    const TEnumInfo& Options;
    std::function<std::uint32_t(const TVelkoGrid&)> Bits;
    std::function<void(TVelkoGrid&, std::uint32_t)> SetBits;
    std::function<QVariant(std::uint32_t)> Flags;
};

const TFlagProperty FlagProperties[] = {
    {"Options", EnumInfo<TGridOption>(), [](const TVelkoGrid& g) { return g.Options().Bits(); },
     [](TVelkoGrid& g, std::uint32_t bits) { g.SetOptions(TGridOptions::FromBits(bits)); },
     [](std::uint32_t bits) { return QVariant::fromValue(VelkoGridFlags::GridOptions::fromInt(bits)); }},
    {"VelkoOptions", EnumInfo<TvgOption>(), [](const TVelkoGrid& g) { return g.VelkoOptions().Bits(); },
     [](TVelkoGrid& g, std::uint32_t bits) { g.SetVelkoOptions(TvgOptions::FromBits(bits)); },
     [](std::uint32_t bits) { return QVariant::fromValue(VelkoGridFlags::VelkoOptions::fromInt(bits)); }},
};

QMetaProperty Property(const char* name)
{
    return TVelkoGrid::staticMetaObject.property(TVelkoGrid::staticMetaObject.indexOfProperty(name));
}

// The names of the options whose bits are set, each perhaps with its scope.
QStringList Names(const TEnumInfo& options, std::uint32_t bits, const QString& scope)
{
    QStringList names;
    for (int i = 0; i < options.Names.size(); ++i)
        if (bits & (1u << i))
            names << scope + options.Names.at(i);
    return names;
}

struct OptionFlags : ::testing::Test {
    QStringList Errors;
    void SetUp() override
    {
        Application().OnException = [this](const std::exception& e) { Errors << TApplication::MessageOf(e); };
    }
    void TearDown() override { Application().OnException = nullptr; }
};

} // namespace

// Each flag is its option's bit under its option's name, in a namespace that gives the
// scope Designer writes; the Qt property is the flags, not text.
TEST_F(OptionFlags, TheFlagTablesAreTheOptionSets)
{
    for (const TFlagProperty& p : FlagProperties) {
        SCOPED_TRACE(p.Name);
        const QMetaProperty property = Property(p.Name);
        ASSERT_TRUE(property.isValid());
        EXPECT_TRUE(property.isFlagType());
        EXPECT_TRUE(property.isDesignable());
        const QMetaEnum flags = property.enumerator();
        EXPECT_STREQ(flags.scope(), "vg::VelkoGridFlags");
        ASSERT_EQ(flags.keyCount(), p.Options.Names.size());
        for (int i = 0; i < flags.keyCount(); ++i) {
            EXPECT_EQ(QString::fromLatin1(flags.key(i)), p.Options.Names.at(i));
            EXPECT_EQ(flags.value(i), 1 << i) << flags.key(i);
        }
    }
}

// Flags as Designer's check boxes give them, numbers as uic compiles "a|b", the text
// Designer writes ("Scope::a|Scope::b") and the text older forms stored ("[a, b]"): each
// gives the grid the options the C++ call gives a plain grid. Bits of no option and names of
// none are refused, reported once, and change nothing.
TEST_F(OptionFlags, ARandomRunOfEveryWayToSetThemAgreesWithThePlainSets)
{
    TVelkoGrid grid, plain;
    std::mt19937 random(20261208);
    for (int step = 0; step < 2000; ++step) {
        const TFlagProperty& p = FlagProperties[random() % 2];
        const QMetaProperty property = Property(p.Name);
        const QMetaEnum flags = property.enumerator();
        const std::uint32_t known = (1u << p.Options.Names.size()) - 1;
        const std::uint32_t bits = std::uint32_t(random()) & known;
        const std::uint32_t before = p.Bits(grid);
        const int way = int(random() % 7);
        SCOPED_TRACE(testing::Message() << "step " << step << ", " << p.Name << ", way " << way << ", bits " << bits);

        QVariant value;
        bool refused = false;
        switch (way) {
        case 0: value = p.Flags(bits); break;
        case 1: value = QVariant(uint(bits)); break;
        case 2: value = QString::fromLatin1(flags.valueToKeys(int(bits))); break;
        case 3: value = Names(p.Options, bits, QStringLiteral("vg::VelkoGridFlags::")).join(u'|'); break;
        case 4: value = u'[' + Names(p.Options, bits, QString()).join(QStringLiteral(", ")) + u']'; break;
        case 5: // a bit of no option
            value = QVariant(uint(bits | (known + 1) << (random() % 4)));
            refused = true;
            break;
        default: // a name of no option
            value = u'[' + (Names(p.Options, bits, QString()) << QStringLiteral("goFlying")).join(u',') + u']';
            refused = true;
            break;
        }
        Errors.clear();
        const bool written = grid.setProperty(p.Name, value);
        if (refused) {
            EXPECT_EQ(Errors.size(), 1);
            EXPECT_EQ(p.Bits(grid), before);
            continue;
        }
        p.SetBits(plain, bits);
        EXPECT_TRUE(written);
        EXPECT_EQ(Errors, QStringList());
        EXPECT_EQ(p.Bits(grid), p.Bits(plain));
        const QVariant read = grid.property(p.Name);
        EXPECT_EQ(read.metaType(), property.metaType());
        EXPECT_EQ(std::uint32_t(read.toUInt()), p.Bits(plain));
    }
}
