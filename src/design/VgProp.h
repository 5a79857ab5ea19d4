/// \file
/// The design-time editors of the grid, as a form designer uses them: the component editor
/// (double-clicking the grid), the editor of the Columns and Headings properties, and the
/// read-only Version and Author properties. They reach the form designer only through
/// TvgFormDesigner, which the Qt Designer plugin implements.
#pragma once

#include "design/VgDialog.h"
#include "platform/core/Export.h"
#include "platform/core/TypeInfo.h"

#include <QString>

namespace vg {

class TComponent;
class TVelkoGrid;

/// The form designer's side: told when a design-time editor changed the form.
/// \ingroup design
class VELKOGRID_EXPORT TvgFormDesigner {
public:
    virtual ~TvgFormDesigner() = default;
    virtual void Modified() = 0;
};

enum TPropertyAttribute : std::uint8_t {
    paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList, paReadOnly
};
VG_ENUM_INFO(TPropertyAttribute, "paValueList", "paSubProperties", "paDialog", "paMultiSelect", "paAutoUpdate",
             "paSortList", "paReadOnly")
using TPropertyAttributes = TSet<TPropertyAttribute>;

/// What the columns editor is opened by: a design-time editor of one component. The editor
/// does nothing for a component that is no TVelkoGrid.
/// \ingroup design
class VELKOGRID_EXPORT TvgGridDesignEditor : public TvgColumnsEditorOpener {
public:
    TvgGridDesignEditor(TComponent* Component, TvgFormDesigner* Designer);

    TComponent* Component() const { return FComponent; }
    TvgFormDesigner* GetDesigner() const { return FDesigner; }
    TVelkoGrid* EditedGrid() const override;
    void DesignerModified() override;

protected:
    /// Shows the columns editor modally; after "Ok" the designer hears of the change and
    /// the grid repaints. Answers whether "Ok" closed it.
    bool RunColumnsEditor(bool StartOnHeadings);

private:
    TComponent* FComponent;
    TvgFormDesigner* FDesigner;
};

/// Double-clicking the grid.
/// \ingroup design
class VELKOGRID_EXPORT TVelkoGridEditor : public TvgGridDesignEditor {
public:
    using TvgGridDesignEditor::TvgGridDesignEditor;
    void Edit() { RunColumnsEditor(false); }
};

/// The "..." of Columns and Headings; the latter opens the editor on its headings page.
/// \ingroup design
class VELKOGRID_EXPORT TVGColumnsPropertyEditor : public TvgGridDesignEditor {
public:
    /// PropertyTypeName: "TvgColumns" or "TvgHeadings".
    TVGColumnsPropertyEditor(TComponent* Component, const QString& PropertyTypeName, TvgFormDesigner* Designer);

    TPropertyAttributes GetAttributes() const { return {paDialog, paReadOnly}; }
    /// The type name in parentheses: "(TvgColumns)".
    QString GetValue() const { return u'(' + FTypeName + u')'; }
    void Edit() { RunColumnsEditor(FTypeName == QStringLiteral("TvgHeadings")); }

private:
    QString FTypeName;
};

/// The design-time editor of the read-only Version property.
/// \ingroup design
class VELKOGRID_EXPORT TvgVersionEditor {
public:
    explicit TvgVersionEditor(TComponent* Component) : FComponent(Component) {}
    TPropertyAttributes GetAttributes() const { return {paReadOnly}; }
    QString GetValue() const;

private:
    TComponent* FComponent;
};

/// The "..." of Author shows the credits window.
/// \ingroup design
class VELKOGRID_EXPORT TvgAuthorEditor {
public:
    explicit TvgAuthorEditor(TComponent* Component) : FComponent(Component) {}
    TPropertyAttributes GetAttributes() const { return {paDialog, paReadOnly}; }
    QString GetValue() const;
    void Edit();

private:
    TComponent* FComponent;
};

} // namespace vg
