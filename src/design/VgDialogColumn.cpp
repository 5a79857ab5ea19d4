// Showing the selected column in the columns editor's controls, and the controls that
// edit it: the column page, the control page and the format page.
#include "design/VgDialog.h"

#include "design/VgColors.h"
#include "design/VgDialogLook.h"
#include "design/VgMessages.h"
#include "grid/VgGrid.h"
#include "platform/core/Exceptions.h"
#include "platform/locale/Conversions.h"
#include "platform/locale/DateTime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

namespace vg {

namespace {

TvgLookButtons<TvgHeading> TitleLook(const TfrmvgColumnsEditor& f)
{
    return {{f.sbnHLeft, f.sbnHCenter, f.sbnHRight},
            {f.sbnVTop, f.sbnVCenter, f.sbnVBottom},
            {f.sbnClip, f.sbnEllipsis, f.sbnWrap},
            f.sbnTInnerRaised, f.sbnTInnerLowered, f.sbnTOuterRaised, f.sbnTOuterLowered,
            &TvgHeading::SetTitleHAlignment, &TvgHeading::SetTitleVAlignment, &TvgHeading::SetTitleClipStyle,
            &TvgHeading::SetTitleInnerBevel, &TvgHeading::SetTitleOuterBevel};
}

TvgLookButtons<TvgColumn> CellLook(const TfrmvgColumnsEditor& f)
{
    return {{f.sbnCHLeft, f.sbnCHCenter, f.sbnCHRight},
            {f.sbnCVTop, f.sbnCVCenter, f.sbnCVBottom},
            {f.sbnCClip, f.sbnCEllipsis, f.sbnCWrap},
            f.sbnCInnerRaised, f.sbnCInnerLowered, f.sbnCOuterRaised, f.sbnCOuterLowered,
            &TvgColumn::SetColumnHAlignment, &TvgColumn::SetColumnVAlignment, &TvgColumn::SetColumnClipStyle,
            &TvgColumn::SetColumnInnerBevel, &TvgColumn::SetColumnOuterBevel};
}

void ShowSwatch(QToolButton* button, TColor color)
{
    const int side = button->iconSize().height();
    button->setIcon(QIcon(TvgColorSelectForm::Swatch(color, button->palette(), side)));
}

void SetRadio(std::initializer_list<QToolButton*> buttons, int checked)
{
    int i = 0;
    for (QToolButton* button : buttons)
        button->setChecked(i++ == checked);
}

// The chosen QFont as a TFont in Into, which keeps its colour.
void AssignQFont(TFont& Into, const QFont& Font)
{
    Into.SetName(Font.family());
    if (Font.pointSize() > 0)
        Into.SetSize(Font.pointSize());
    else if (Font.pixelSize() > 0)
        Into.SetHeight(-Font.pixelSize());
    TFontStyles style;
    if (Font.bold())
        style.Include(fsBold);
    if (Font.italic())
        style.Include(fsItalic);
    if (Font.underline())
        style.Include(fsUnderline);
    if (Font.strikeOut())
        style.Include(fsStrikeOut);
    Into.SetStyle(style);
}

} // namespace

void TfrmvgColumnsEditor::EditColumn(const std::function<void(TvgColumn&)>& Edit)
{
    if (FLoading)
        return;
    if (TvgColumn* column = SelectedColumn())
        Edit(*column);
}

void TfrmvgColumnsEditor::ConnectColumnControls()
{
    auto edit = [this](const std::function<void(TvgColumn&)>& Edit) { EditColumn(Edit); };
    TitleLook(*this).Bind(this, [this](const std::function<void(TvgHeading&)>& Edit) {
        EditColumn([&](TvgColumn& c) { Edit(c); });
    });
    CellLook(*this).Bind(this, edit);

    connect(memCaption, &QPlainTextEdit::textChanged, this, [=, this] {
        edit([this](TvgColumn& c) { c.SetCaption(memCaption->toPlainText()); });
        if (!FLoading)
            ShowColumnEntry(SelectedRow());
    });
    connect(cbxVisible, &QCheckBox::clicked, this, [=](bool on) {
        edit([on](TvgColumn& c) { c.SetVisible(on); });
        ShowColumnWidth();
    });
    connect(cbxReadOnly, &QCheckBox::clicked, this, [=](bool on) { edit([on](TvgColumn& c) { c.SetReadOnly(on); }); });
    connect(cmbHeadings, &QComboBox::currentIndexChanged, this,
            [=](int index) { edit([index](TvgColumn& c) { c.SetHeadingIndex(index - 1); }); });
    connect(sbnTitleColor, &QToolButton::clicked, this, [this] {
        if (TvgColumn* c = SelectedColumn())
            PickColor(QStringLiteral("Please select title column color"), c->TitleColor(), [this, c](TColor v) {
                c->SetTitleColor(v);
                ShowSwatch(sbnTitleColor, v);
            });
    });
    connect(sbnCColor, &QToolButton::clicked, this, [this] {
        if (TvgColumn* c = SelectedColumn())
            PickColor(QStringLiteral("Please select column color"), c->ColumnColor(), [this, c](TColor v) {
                c->SetColumnColor(v);
                ShowSwatch(sbnCColor, v);
            });
    });
    connect(sbnTitleFont, &QToolButton::clicked, this, [this] {
        if (TvgColumn* c = SelectedColumn())
            PickFont(*c->TitleFont());
    });
    connect(sbnCFont, &QToolButton::clicked, this, [this] {
        if (TvgColumn* c = SelectedColumn())
            PickFont(*c->ColumnFont());
    });

    // Control page.
    connect(sbnComboBox, &QToolButton::clicked, this, &TfrmvgColumnsEditor::ApplyControlType);
    connect(sbnButton, &QToolButton::clicked, this, &TfrmvgColumnsEditor::ApplyControlType);
    connect(cbxAutoSuggest, &QCheckBox::clicked, this, [=](bool on) { edit([on](TvgColumn& c) { c.AutoSuggest = on; }); });
    connect(cbxComboMaxWidth, &QCheckBox::clicked, this,
            [=](bool on) { edit([on](TvgColumn& c) { c.SetComboMaxWidth(on); }); });
    connect(cbxComboDropDownList, &QCheckBox::clicked, this,
            [=](bool on) { edit([on](TvgColumn& c) { c.DropDownList = on; }); });
    const std::pair<QToolButton*, TvgButtonStyle> styles[] = {
        {sbnEllipsisButton, vgbstEllipsis}, {sbnDropDownButton, vgbstDropDown}, {sbnCustomButton, vgbstCustom}};
    for (const auto& [button, style] : styles)
        connect(button, &QToolButton::clicked, this, [=, s = style] {
            edit([s](TvgColumn& c) { c.SetButtonStyle(s); });
            pnlButtonPicture->setVisible(s == vgbstCustom);
        });
    const std::pair<QToolButton*, TvgVAlignment> places[] = {
        {sbnButtonVTop, vgvaTop}, {sbnButtonVCenter, vgvaCenter}, {sbnButtonVBottom, vgvaBottom}};
    for (const auto& [button, place] : places)
        connect(button, &QToolButton::clicked, this,
                [=, p = place] { edit([p](TvgColumn& c) { c.SetButtonVAlignment(p); }); });
    connect(sbnLoadImage, &QPushButton::clicked, this, &TfrmvgColumnsEditor::ChooseButtonPicture);
    connect(sbnClearImage, &QPushButton::clicked, this, [=, this] {
        edit([](TvgColumn& c) {
            const TPicture empty;
            c.SetButtonPicture(&empty);
        });
        imgButtonPicture->clear();
    });
    connect(cbxDrawButtonFace, &QCheckBox::clicked, this,
            [=](bool on) { edit([on](TvgColumn& c) { c.SetDrawButtonface(on); }); });

    // Format page.
    connect(cmbFormats, &QComboBox::currentIndexChanged, this, [=, this](int index) {
        if (index < 0)
            return;
        edit([index](TvgColumn& c) { c.SetFormatType(TvgFormatType(index)); });
        ShowFormatPage(index);
    });
    for (QSpinBox* decimals : {edtDigits, edtScientificDecimals})
        connect(decimals, &QSpinBox::valueChanged, this, [=](int value) { edit([value](TvgColumn& c) { c.SetDecimals(value); }); });
    connect(edtPrefix, &QLineEdit::textChanged, this,
            [=](const QString& text) { edit([text](TvgColumn& c) { c.SetPrefix(text); }); });
    connect(cbxThousands, &QCheckBox::clicked, this, [=](bool on) { edit([on](TvgColumn& c) { c.SetThousands(on); }); });
    connect(cbxNegative, &QCheckBox::clicked, this, [=](bool on) { edit([on](TvgColumn& c) { c.SetParenNegative(on); }); });
    connect(lbxDateFormats, &QListWidget::currentRowChanged, this,
            [=](int row) { if (row >= 0) edit([row](TvgColumn& c) { c.SetDateFormat(row - 1); }); });
    connect(lbxTimeFormats, &QListWidget::currentRowChanged, this,
            [=](int row) { if (row >= 0) edit([row](TvgColumn& c) { c.SetTimeFormat(row - 1); }); });

    // Sizes act on the grid at once.
    connect(tbrWidth, &QSlider::valueChanged, this, &TfrmvgColumnsEditor::ColumnWidthTracked);
    connect(cmbRows, &QComboBox::currentIndexChanged, this, &TfrmvgColumnsEditor::ShowRowHeight);
    connect(tbrRowHeight, &QSlider::valueChanged, this, &TfrmvgColumnsEditor::RowHeightTracked);

    // Boxes applied on leaving them, and boxes that take Enter.
    for (QWidget* box : std::initializer_list<QWidget*>{memComboBoxItems, edtDropDownCount, edtMaxTextLength,
                                                        memHDCaption, edtColumnWidth, edtRowHeight})
        box->installEventFilter(this);
}

bool TfrmvgColumnsEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == edtColumnWidth) {
                ColumnWidthEntered();
                return true;
            }
            if (watched == edtRowHeight) {
                RowHeightEntered();
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving a box for another control; focus lost to a message box or another
        // window is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool left = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (left && watched == memComboBoxItems)
            EditColumn([this](TvgColumn& c) {
                const TStringList items(memComboBoxItems->toPlainText().split(u'\n'));
                c.SetItems(&items);
            });
        else if (left && watched == edtDropDownCount)
            ValidateCount(edtDropDownCount, [this](int v) { EditColumn([v](TvgColumn& c) { c.SetDropDownCount(v); }); });
        else if (left && watched == edtMaxTextLength)
            ValidateCount(edtMaxTextLength, [this](int v) { EditColumn([v](TvgColumn& c) { c.SetMaxTextLength(v); }); });
        else if (left && watched == memHDCaption)
            HeadingCaptionEdited();
        else if (left && watched == edtColumnWidth)
            ColumnWidthEntered();
        else if (left && watched == edtRowHeight)
            RowHeightEntered();
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmvgColumnsEditor::ValidateCount(QLineEdit* Box, const std::function<void(int)>& Apply)
{
    if (!SelectedColumn())
        return true;
    bool ok = false;
    const int value = Box->text().trimmed().toInt(&ok);
    if (!ok || value < 0) {
        ShowDesignError(this, QStringLiteral("Please enter an integer greater than or equal to 0."));
        Box->setFocus(Qt::OtherFocusReason);
        Box->selectAll();
        return false;
    }
    Apply(value);
    return true;
}

void TfrmvgColumnsEditor::ShowColumn()
{
    TvgColumn* column = SelectedColumn();
    const bool has = column != nullptr;
    pgcMain->setTabEnabled(pgcMain->indexOf(tbsGeneral), has);
    pgcMain->setTabEnabled(pgcMain->indexOf(tbsControl), has);
    pgcMain->setTabEnabled(pgcMain->indexOf(tbsFormat), has);
    btnDelete->setEnabled(has);
    btnDuplicate->setEnabled(has);
    ShowColumnWidth();

    FLoading = true;
    const int dropDown = pgcControlInfo->indexOf(tbsDropDown);
    const int button = pgcControlInfo->indexOf(tbsButton);
    if (!column) {
        memCaption->clear();
        pgcControlInfo->setTabVisible(dropDown, false);
        pgcControlInfo->setTabVisible(button, false);
        cmbFormats->setCurrentIndex(0);
        ShowFormatPage(0);
        FLoading = false;
        return;
    }
    if (memCaption->toPlainText() != column->Caption())
        memCaption->setPlainText(column->Caption());
    cbxVisible->setChecked(column->Visible());
    cbxReadOnly->setChecked(column->ReadOnly());
    cmbHeadings->setCurrentIndex(column->HeadingIndex() + 1 < cmbHeadings->count() ? column->HeadingIndex() + 1 : 0);
    edtMaxTextLength->setText(QString::number(column->MaxTextLength()));
    TitleLook(*this).Load(column->TitleHAlignment(), column->TitleVAlignment(), column->TitleClipStyle(),
                          column->TitleInnerBevel(), column->TitleOuterBevel());
    CellLook(*this).Load(column->ColumnHAlignment(), column->ColumnVAlignment(), column->ColumnClipStyle(),
                         column->ColumnInnerBevel(), column->ColumnOuterBevel());
    ShowSwatch(sbnTitleColor, column->TitleColor());
    ShowSwatch(sbnCColor, column->ColumnColor());

    // Control page: the pages of the control types the column has.
    const bool combo = column->ControlType().Contains(vgctlComboBox);
    const bool withButton = column->ControlType().Contains(vgctlButton);
    sbnComboBox->setChecked(combo);
    sbnButton->setChecked(withButton);
    QWidget* active = pgcControlInfo->currentWidget();
    pgcControlInfo->setTabVisible(dropDown, combo);
    pgcControlInfo->setTabVisible(button, withButton);
    if (combo) {
        memComboBoxItems->setPlainText(column->Items()->ToStringList().join(u'\n'));
        cbxAutoSuggest->setChecked(column->AutoSuggest);
        cbxComboMaxWidth->setChecked(column->ComboMaxWidth());
        cbxComboDropDownList->setChecked(column->DropDownList);
        edtDropDownCount->setText(QString::number(column->DropDownCount()));
    }
    if (withButton) {
        SetRadio({sbnEllipsisButton, sbnDropDownButton, sbnCustomButton}, column->ButtonStyle());
        pnlButtonPicture->setVisible(column->ButtonStyle() == vgbstCustom);
        const QImage& image = column->ButtonPicture()->Image();
        if (image.isNull())
            imgButtonPicture->clear();
        else
            imgButtonPicture->setPixmap(QPixmap::fromImage(image));
        cbxDrawButtonFace->setChecked(column->DrawButtonface());
        SetRadio({sbnButtonVTop, sbnButtonVCenter, sbnButtonVBottom}, column->ButtonVAlignment());
    }
    if (active && !pgcControlInfo->isTabVisible(pgcControlInfo->indexOf(active))) {
        for (int i = 0; i < pgcControlInfo->count(); ++i)
            if (pgcControlInfo->isTabVisible(i)) {
                pgcControlInfo->setCurrentIndex(i);
                break;
            }
    }

    // Format page.
    cmbFormats->setCurrentIndex(int(column->FormatType()));
    ShowFormatPage(int(column->FormatType()));
    edtDigits->setValue(column->Decimals());
    edtScientificDecimals->setValue(column->Decimals());
    if (edtPrefix->text() != column->Prefix())
        edtPrefix->setText(column->Prefix());
    cbxThousands->setChecked(column->ThousandsSeparator());
    cbxNegative->setChecked(column->NegativeParenthesis());
    lbxDateFormats->setCurrentRow(column->DateFormat() + 1 < lbxDateFormats->count() ? column->DateFormat() + 1 : 0);
    lbxTimeFormats->setCurrentRow(column->TimeFormat() + 1 < lbxTimeFormats->count() ? column->TimeFormat() + 1 : 0);
    FLoading = false;
}

void TfrmvgColumnsEditor::ApplyControlType()
{
    EditColumn([this](TvgColumn& c) {
        TvgControlTypes types;
        if (sbnComboBox->isChecked())
            types.Include(vgctlComboBox);
        if (sbnButton->isChecked())
            types.Include(vgctlButton);
        c.SetControlType(types);
    });
    ShowColumn();
}

void TfrmvgColumnsEditor::ShowFormatPage(int Index)
{
    pgcFormats->setCurrentIndex(std::clamp(Index, 0, pgcFormats->count() - 1));
}

void TfrmvgColumnsEditor::FillFormatLists()
{
    const TDateTime sampleDate = EncodeDate(1997, 7, 6);
    const TDateTime sampleTime = EncodeTime(16, 20, 42, 0);
    const QString none = QStringLiteral("< None >");
    lbxDateFormats->clear();
    lbxDateFormats->addItem(none);
    for (const QString& format : vgDateFormats[size_t(VgDateOrder())])
        lbxDateFormats->addItem(FormatDateTime(format, sampleDate));
    lbxTimeFormats->clear();
    lbxTimeFormats->addItem(none);
    for (const QString& format : vgTimeFormats)
        lbxTimeFormats->addItem(FormatDateTime(format, sampleTime));
}

void TfrmvgColumnsEditor::PickColor(const QString& Title, TColor Current, const std::function<void(TColor)>& Chosen)
{
    TvgColorDialog dialog;
    dialog.SetTitle(Title);
    dialog.SetColor(Current);
    if (dialog.Execute(this))
        Chosen(dialog.Color());
}

void TfrmvgColumnsEditor::PickFont(TFont& Font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, Font.ToQFont(), this);
    if (!ok)
        return;
    TFont font;
    font.Assign(&Font);
    AssignQFont(font, chosen);
    Font.Assign(&font);
}

void TfrmvgColumnsEditor::ChooseButtonPicture()
{
    if (!SelectedColumn())
        return;
    QFileDialog dialog(this, QStringLiteral("Select button image"), QString(), QStringLiteral("Picture Files (*.bmp *.ico)"));
    dialog.setObjectName(QStringLiteral("OpenPictureDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    LoadButtonPicture(dialog.selectedFiles().first());
}

void TfrmvgColumnsEditor::LoadButtonPicture(const QString& FileName)
{
    TvgColumn* column = SelectedColumn();
    if (!column)
        return;
    TPicture picture;
    try {
        picture.LoadFromFile(FileName);
    } catch (const Exception&) {
        ShowDesignError(this, QStringLiteral("Unable to load image from \"") + FileName + u'"');
        return;
    }
    imgButtonPicture->setPixmap(QPixmap::fromImage(picture.Image()));
    column->SetButtonPicture(&picture);
}

} // namespace vg
