#include "platform/graphics/RasterOp.h"

#include "platform/core/Exceptions.h"

#include <array>
#include <optional>

namespace vg {

namespace {

using Mode = QPainter::CompositionMode;

// The composition mode of every two-operand truth table (bit 2 * x + d). The tables that
// do not read x (0: black, 5: not destination, 10: nothing, 15: white) are handled apart.
constexpr std::array<Mode, 16> ModeOfTable{
    QPainter::CompositionMode_Source,                   // 0000 black
    QPainter::RasterOp_NotSourceAndNotDestination,      // 0001 not (x or d)
    QPainter::RasterOp_NotSourceAndDestination,         // 0010 not x and d
    QPainter::RasterOp_NotSource,                       // 0011 not x
    QPainter::RasterOp_SourceAndNotDestination,         // 0100 x and not d
    QPainter::RasterOp_NotDestination,                  // 0101 not d
    QPainter::RasterOp_SourceXorDestination,            // 0110 x xor d
    QPainter::RasterOp_NotSourceOrNotDestination,       // 0111 not (x and d)
    QPainter::RasterOp_SourceAndDestination,            // 1000 x and d
    QPainter::RasterOp_NotSourceXorDestination,         // 1001 not (x xor d)
    QPainter::CompositionMode_Destination,              // 1010 d: nothing
    QPainter::RasterOp_NotSourceOrDestination,          // 1011 not x or d
    QPainter::CompositionMode_Source,                   // 1100 x
    QPainter::RasterOp_SourceOrNotDestination,          // 1101 x or not d
    QPainter::RasterOp_SourceOrDestination,             // 1110 x or d
    QPainter::CompositionMode_Source,                   // 1111 white
};

// Bit of a three-operand code's truth table for pattern p, source s and destination d.
bool CodeBit(unsigned table, int p, int s, int d)
{
    return (table >> (p * 4 + s * 2 + d)) & 1u;
}

// The two-operand table of a three-operand one, reading x as the pattern (or the source)
// while the other operand is 0; nullopt when the result also depends on the other operand.
std::optional<unsigned> ReduceTable(unsigned table, bool xIsPattern)
{
    unsigned reduced = 0;
    for (int x = 0; x < 2; ++x) {
        for (int d = 0; d < 2; ++d) {
            const bool bit = xIsPattern ? CodeBit(table, x, 0, d) : CodeBit(table, 0, x, d);
            const bool other = xIsPattern ? CodeBit(table, x, 1, d) : CodeBit(table, 1, x, d);
            if (bit != other)
                return std::nullopt;
            reduced |= unsigned(bit) << (2 * x + d);
        }
    }
    return reduced;
}

} // namespace

TRasterOp BinaryRasterOp(unsigned truthTable, TRasterOperand operand)
{
    truthTable &= 0xFu;
    TRasterOp op;
    op.Mode = ModeOfTable[truthTable];
    switch (truthTable) {
    case 0x0:
        op.Operand = TRasterOperand::Fixed;
        op.FixedColor = Qt::black;
        break;
    case 0xF:
        op.Operand = TRasterOperand::Fixed;
        op.FixedColor = Qt::white;
        break;
    case 0x5:
        op.Operand = TRasterOperand::Fixed;
        op.FixedColor = Qt::black; // any colour: only the destination is read
        break;
    case 0xA:
        op.Operand = TRasterOperand::None;
        break;
    default:
        op.Operand = operand;
        break;
    }
    return op;
}

TRasterOp RasterOpOfCode(std::int32_t code)
{
    const unsigned table = (static_cast<std::uint32_t>(code) >> 16) & 0xFFu;
    if ((static_cast<std::uint32_t>(code) & 0xFF000000u) == 0) {
        if (auto reduced = ReduceTable(table, true))
            return BinaryRasterOp(*reduced, TRasterOperand::Pattern);
        if (auto reduced = ReduceTable(table, false))
            return BinaryRasterOp(*reduced, TRasterOperand::Source);
    }
    const QString hex = QStringLiteral("%1").arg(static_cast<std::uint32_t>(code), 8, 16, QLatin1Char('0')).toUpper();
    throw EInvalidOperation(QStringLiteral("Unsupported raster operation $%1").arg(hex));
}

QColor BeginRasterOp(QPainter& painter, const TRasterOp& op, const QColor& pattern)
{
    painter.setCompositionMode(op.Mode);
    return op.Operand == TRasterOperand::Fixed ? op.FixedColor : pattern;
}

} // namespace vg
