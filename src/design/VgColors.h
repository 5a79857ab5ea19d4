/// \file
/// Picking a colour by name: TvgColorDialog is a component that shows TvgColorSelectForm,
/// a list of every named colour (the standard colours and the desktop's system colours,
/// each with a swatch, the system colours with what they paint: "clWindow (Window
/// background)") with a way out to the full colour dialog for any other colour. An entry
/// holds its colour's name as its data.
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Export.h"

#include <QDialog>

class QColorDialog;
class QComboBox;
class QLabel;
class QPushButton;

namespace vg {

/// The window of TvgColorDialog: every named colour (standard and system colours) with a swatch,
/// and a way out to the full colour dialog for any other colour.
/// \ingroup design
class VELKOGRID_EXPORT TvgColorSelectForm : public QDialog {
    Q_OBJECT
public:
    explicit TvgColorSelectForm(QWidget* parent = nullptr);

    /// The colour being chosen: preset by the opener, read back after "Ok".
    TColor SelectedColor = clBlack;

    /// A swatch for Color as the list draws it: a square of Side pixels whose colour sits
    /// in a rounded, black-edged box 2 pixels inside its border.
    static QPixmap Swatch(TColor Color, const QPalette& Palette, int Side);

    QLabel* lblSystemColors;
    QComboBox* cmbColors;
    QPushButton* btnCustom;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QColorDialog* ColorDialog;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void cmbColorsChange(int Index);
    void btnCustomClick();
};

/// Picks a colour by name: shows TvgColorSelectForm and gives the chosen TColor, system colours
/// included.
/// \ingroup design
class VELKOGRID_EXPORT TvgColorDialog : public TComponent {
    VG_CLASS(TvgColorDialog)
public:
    explicit TvgColorDialog(TComponent* owner = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& Value) { FTitle = Value; }

    /// Shows the form modally over Parent. True, with Color set, when the user confirmed a
    /// colour; Color stays as it was otherwise.
    bool Execute(QWidget* Parent = nullptr);

private:
    TColor FColor = clBlack;
    QString FTitle;
};

} // namespace vg
