/// \file
/// Tool-button groups that edit one look of a column or heading (alignments, clipping,
/// bevels), shared by the columns editor's title, cell and heading groups. Each group of
/// three is a radio group; each bevel pair may have both buttons up, meaning no bevel.
#pragma once

#include "common/VgColumn.h"

#include <QToolButton>

#include <array>
#include <functional>

namespace vg {

/// Tool buttons that edit one look of a column or heading (alignments, clipping, bevels) in the
/// columns editor.
/// \ingroup design
template <class Item>
struct TvgLookButtons {
    std::array<QToolButton*, 3> H;
    std::array<QToolButton*, 3> V;
    std::array<QToolButton*, 3> ClipStyle;
    QToolButton* InnerRaised;
    QToolButton* InnerLowered;
    QToolButton* OuterRaised;
    QToolButton* OuterLowered;

    // The properties the buttons edit.
    void (Item::*SetH)(TAlignment);
    void (Item::*SetV)(TvgVAlignment);
    void (Item::*SetClip)(TvgClipStyle);
    void (Item::*SetInner)(TBevelCut);
    void (Item::*SetOuter)(TBevelCut);

    static constexpr std::array<TAlignment, 3> HValues{taLeftJustify, taCenter, taRightJustify};
    static constexpr std::array<TvgVAlignment, 3> VValues{vgvaTop, vgvaCenter, vgvaBottom};
    static constexpr std::array<TvgClipStyle, 3> ClipValues{vgclpClip, vgclpEllipsis, vgclpWrap};

    static TBevelCut BevelOf(const QToolButton* raised, const QToolButton* lowered)
    {
        return raised->isChecked() ? bvRaised : lowered->isChecked() ? bvLowered : bvNone;
    }

    // Connects every button to Edit, which runs the change on the item being edited.
    void Bind(QObject* context, const std::function<void(const std::function<void(Item&)>&)>& Edit) const
    {
        for (int i = 0; i < 3; ++i) {
            QObject::connect(H[i], &QToolButton::clicked, context, [=, s = SetH] { Edit([&](Item& x) { (x.*s)(HValues[i]); }); });
            QObject::connect(V[i], &QToolButton::clicked, context, [=, s = SetV] { Edit([&](Item& x) { (x.*s)(VValues[i]); }); });
            QObject::connect(ClipStyle[i], &QToolButton::clicked, context,
                             [=, s = SetClip] { Edit([&](Item& x) { (x.*s)(ClipValues[i]); }); });
        }
        BindPair(context, InnerRaised, InnerLowered, SetInner, Edit);
        BindPair(context, OuterRaised, OuterLowered, SetOuter, Edit);
    }

    // Shows the item's values.
    void Load(TAlignment h, TvgVAlignment v, TvgClipStyle clip, TBevelCut inner, TBevelCut outer) const
    {
        for (int i = 0; i < 3; ++i) {
            H[i]->setChecked(HValues[i] == h);
            V[i]->setChecked(VValues[i] == v);
            ClipStyle[i]->setChecked(ClipValues[i] == clip);
        }
        InnerRaised->setChecked(inner == bvRaised);
        InnerLowered->setChecked(inner == bvLowered);
        OuterRaised->setChecked(outer == bvRaised);
        OuterLowered->setChecked(outer == bvLowered);
    }

private:
    static void BindPair(QObject* context, QToolButton* raised, QToolButton* lowered, void (Item::*set)(TBevelCut),
                         const std::function<void(const std::function<void(Item&)>&)>& Edit)
    {
        auto apply = [=](QToolButton* pressed, QToolButton* other) {
            if (pressed->isChecked())
                other->setChecked(false);
            const TBevelCut cut = BevelOf(raised, lowered);
            Edit([&](Item& x) { (x.*set)(cut); });
        };
        QObject::connect(raised, &QToolButton::clicked, context, [=] { apply(raised, lowered); });
        QObject::connect(lowered, &QToolButton::clicked, context, [=] { apply(lowered, raised); });
    }
};

} // namespace vg
