// Building the columns editor's controls and wiring the column page's controls to the
// properties they edit.
#include "design/VgDialog.h"

#include "design/VgGlyphs.h"
#include "grid/VgGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vg {

namespace {

QToolButton* Tool(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint, bool checkable = true)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setCheckable(checkable);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// The buttons of one look group (title, cells or heading): alignments, clipping, bevels,
// colour and font.
struct TLookButtons {
    QToolButton* H[3];
    QToolButton* V[3];
    QToolButton* ClipStyle[3];
    QToolButton* InnerRaised;
    QToolButton* InnerLowered;
    QToolButton* OuterRaised;
    QToolButton* OuterLowered;
    QToolButton* Color;
    QToolButton* Font;
};

// Names: three horizontal, three vertical, three clip styles, inner raised and lowered,
// outer raised and lowered, colour, font.
QGroupBox* BuildLookGroup(QWidget* parent, const QString& title, const QStringList& names, TLookButtons& b)
{
    auto* group = new QGroupBox(title, parent);
    const QWidget& w = *parent;
    auto addRadio = [&](QToolButton* (&buttons)[3], int first, std::initializer_list<TvgGlyph> glyphs,
                        std::initializer_list<const char*> hints, QHBoxLayout* row) {
        auto* exclusive = new QButtonGroup(group);
        int i = 0;
        auto hint = hints.begin();
        for (TvgGlyph glyph : glyphs) {
            buttons[i] = Tool(group, names[first + i], GlyphIcon(glyph, w), QString::fromLatin1(*hint++));
            exclusive->addButton(buttons[i]);
            row->addWidget(buttons[i]);
            ++i;
        }
        row->addSpacing(8);
    };
    auto* first = new QHBoxLayout;
    addRadio(b.H, 0, {TvgGlyph::AlignLeft, TvgGlyph::AlignCenter, TvgGlyph::AlignRight},
             {"Left justified", "Centered", "Right justified"}, first);
    addRadio(b.V, 3, {TvgGlyph::AlignTop, TvgGlyph::AlignMiddle, TvgGlyph::AlignBottom},
             {"Top aligned", "Vertically centered", "Bottom aligned"}, first);
    addRadio(b.ClipStyle, 6, {TvgGlyph::Clip, TvgGlyph::Ellipsis, TvgGlyph::Wrap}, {"Clip text", "Ellipsis", "Word wrap"},
             first);
    first->addStretch();

    auto* second = new QHBoxLayout;
    b.InnerRaised = Tool(group, names[9], GlyphIcon(TvgGlyph::BevelRaised, w), QStringLiteral("Inner bevel raised"));
    b.InnerLowered = Tool(group, names[10], GlyphIcon(TvgGlyph::BevelLowered, w), QStringLiteral("Inner bevel lowered"));
    b.OuterRaised = Tool(group, names[11], GlyphIcon(TvgGlyph::BevelRaised, w), QStringLiteral("Outer bevel raised"));
    b.OuterLowered = Tool(group, names[12], GlyphIcon(TvgGlyph::BevelLowered, w), QStringLiteral("Outer bevel lowered"));
    b.Color = Tool(group, names[13], QIcon(), QStringLiteral("Cell color"), false);
    b.Font = Tool(group, names[14], GlyphIcon(TvgGlyph::Font, w), QStringLiteral("Font"), false);
    second->addWidget(new QLabel(QStringLiteral("Inner bevel"), group));
    second->addWidget(b.InnerRaised);
    second->addWidget(b.InnerLowered);
    second->addSpacing(8);
    second->addWidget(new QLabel(QStringLiteral("Outer bevel"), group));
    second->addWidget(b.OuterRaised);
    second->addWidget(b.OuterLowered);
    second->addSpacing(8);
    second->addWidget(b.Color);
    second->addWidget(b.Font);
    second->addStretch();

    auto* layout = new QVBoxLayout(group);
    layout->addLayout(first);
    layout->addLayout(second);
    return group;
}

QCheckBox* Check(QWidget* parent, const QString& name, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Push(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NumberBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return box;
}

QListWidget* List(QWidget* parent, const QString& name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    return list;
}

} // namespace

void TfrmvgColumnsEditor::BuildControls()
{
    lsvColumns = new TvgColumnListWidget(this);
    lsvColumns->setObjectName(QStringLiteral("lsvColumns"));
    btnNew = Push(this, QStringLiteral("btnNew"), QStringLiteral("New"));
    btnDelete = Push(this, QStringLiteral("btnDelete"), QStringLiteral("Delete"));
    btnDuplicate = Push(this, QStringLiteral("btnDuplicate"), QStringLiteral("Duplicate"));
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(btnNew);
    listButtons->addWidget(btnDelete);
    listButtons->addWidget(btnDuplicate);
    auto* left = new QVBoxLayout;
    left->addWidget(lsvColumns, 1);
    left->addLayout(listButtons);

    pgcMain = new QTabWidget(this);
    pgcMain->setObjectName(QStringLiteral("pgcMain"));
    tbsGeneral = BuildColumnPage();
    tbsHeadings = BuildHeadingsPage();
    tbsControl = BuildControlPage();
    tbsFormat = BuildFormatPage();
    tbsRows = BuildRowsPage();
    pgcMain->addTab(tbsGeneral, QStringLiteral("Column"));
    pgcMain->addTab(tbsHeadings, QStringLiteral("Headings"));
    pgcMain->addTab(tbsControl, QStringLiteral("Control"));
    pgcMain->addTab(tbsFormat, QStringLiteral("Format"));
    pgcMain->addTab(tbsRows, QStringLiteral("Rows"));

    auto* top = new QHBoxLayout;
    top->addLayout(left, 2);
    top->addWidget(pgcMain, 5);

    btnOk = Push(this, QStringLiteral("btnOk"), QStringLiteral("Ok"));
    btnOk->setDefault(true);
    btnApply = Push(this, QStringLiteral("btnApply"), QStringLiteral("Apply"));
    btnCancel = Push(this, QStringLiteral("btnCancel"), QStringLiteral("Cancel"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnOk);
    bottom->addWidget(btnApply);
    bottom->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    setTabOrder(lsvColumns, btnNew);
    setTabOrder(btnNew, btnDelete);
    setTabOrder(btnDelete, btnDuplicate);
    setTabOrder(btnDuplicate, pgcMain);
}

QWidget* TfrmvgColumnsEditor::BuildColumnPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbsGeneral"));
    memCaption = new QPlainTextEdit(page);
    memCaption->setObjectName(QStringLiteral("memCaption"));
    memCaption->setTabChangesFocus(true);
    memCaption->setFixedHeight(memCaption->fontMetrics().lineSpacing() * 3 + 12);
    cbxVisible = Check(page, QStringLiteral("cbxVisible"), QStringLiteral("Visible"));
    cbxReadOnly = Check(page, QStringLiteral("cbxReadOnly"), QStringLiteral("Read only"));
    cmbHeadings = new QComboBox(page);
    cmbHeadings->setObjectName(QStringLiteral("cmbHeadings"));
    edtMaxTextLength = NumberBox(page, QStringLiteral("edtMaxTextLength"));

    TLookButtons title{};
    QGroupBox* titleGroup =
        BuildLookGroup(page, QStringLiteral("Title"),
                       {QStringLiteral("sbnHLeft"), QStringLiteral("sbnHCenter"), QStringLiteral("sbnHRight"),
                        QStringLiteral("sbnVTop"), QStringLiteral("sbnVCenter"), QStringLiteral("sbnVBottom"),
                        QStringLiteral("sbnClip"), QStringLiteral("sbnEllipsis"), QStringLiteral("sbnWrap"),
                        QStringLiteral("sbnTInnerRaised"), QStringLiteral("sbnTInnerLowered"),
                        QStringLiteral("sbnTOuterRaised"), QStringLiteral("sbnTOuterLowered"),
                        QStringLiteral("sbnTitleColor"), QStringLiteral("sbnTitleFont")},
                       title);
    sbnHLeft = title.H[0], sbnHCenter = title.H[1], sbnHRight = title.H[2];
    sbnVTop = title.V[0], sbnVCenter = title.V[1], sbnVBottom = title.V[2];
    sbnClip = title.ClipStyle[0], sbnEllipsis = title.ClipStyle[1], sbnWrap = title.ClipStyle[2];
    sbnTInnerRaised = title.InnerRaised, sbnTInnerLowered = title.InnerLowered;
    sbnTOuterRaised = title.OuterRaised, sbnTOuterLowered = title.OuterLowered;
    sbnTitleColor = title.Color, sbnTitleFont = title.Font;

    TLookButtons cells{};
    QGroupBox* cellGroup =
        BuildLookGroup(page, QStringLiteral("Cells"),
                       {QStringLiteral("sbnCHLeft"), QStringLiteral("sbnCHCenter"), QStringLiteral("sbnCHRight"),
                        QStringLiteral("sbnCVTop"), QStringLiteral("sbnCVCenter"), QStringLiteral("sbnCVBottom"),
                        QStringLiteral("sbnCClip"), QStringLiteral("sbnCEllipsis"), QStringLiteral("sbnCWrap"),
                        QStringLiteral("sbnCInnerRaised"), QStringLiteral("sbnCInnerLowered"),
                        QStringLiteral("sbnCOuterRaised"), QStringLiteral("sbnCOuterLowered"),
                        QStringLiteral("sbnCColor"), QStringLiteral("sbnCFont")},
                       cells);
    sbnCHLeft = cells.H[0], sbnCHCenter = cells.H[1], sbnCHRight = cells.H[2];
    sbnCVTop = cells.V[0], sbnCVCenter = cells.V[1], sbnCVBottom = cells.V[2];
    sbnCClip = cells.ClipStyle[0], sbnCEllipsis = cells.ClipStyle[1], sbnCWrap = cells.ClipStyle[2];
    sbnCInnerRaised = cells.InnerRaised, sbnCInnerLowered = cells.InnerLowered;
    sbnCOuterRaised = cells.OuterRaised, sbnCOuterLowered = cells.OuterLowered;
    sbnCColor = cells.Color, sbnCFont = cells.Font;

    tbrWidth = new QSlider(Qt::Horizontal, page);
    tbrWidth->setObjectName(QStringLiteral("tbrWidth"));
    edtColumnWidth = NumberBox(page, QStringLiteral("edtColumnWidth"));
    auto* width = new QHBoxLayout;
    width->addWidget(tbrWidth, 1);
    width->addWidget(edtColumnWidth);

    auto* switches = new QHBoxLayout;
    switches->addWidget(cbxVisible);
    switches->addWidget(cbxReadOnly);
    switches->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Caption:"), memCaption);
    form->addRow(QString(), switches);
    form->addRow(QStringLiteral("Heading:"), cmbHeadings);
    form->addRow(QStringLiteral("Maximum text length:"), edtMaxTextLength);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(titleGroup);
    layout->addWidget(cellGroup);
    auto* widthForm = new QFormLayout;
    widthForm->addRow(QStringLiteral("Width:"), width);
    layout->addLayout(widthForm);
    layout->addStretch();
    return page;
}

QWidget* TfrmvgColumnsEditor::BuildHeadingsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbsHeadings"));
    lbxHeadings = new TvgHeadingListWidget(page);
    lbxHeadings->setObjectName(QStringLiteral("lbxHeadings"));
    btnNewHeading = Push(page, QStringLiteral("btnNewHeading"), QStringLiteral("New"));
    sbnDeleteHeading = Push(page, QStringLiteral("sbnDeleteHeading"), QStringLiteral("Delete"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNewHeading);
    buttons->addWidget(sbnDeleteHeading);
    buttons->addStretch();

    pnlHeadingProperties = new QWidget(page);
    pnlHeadingProperties->setObjectName(QStringLiteral("pnlHeadingProperties"));
    memHDCaption = new QPlainTextEdit(pnlHeadingProperties);
    memHDCaption->setObjectName(QStringLiteral("memHDCaption"));
    memHDCaption->setTabChangesFocus(true);
    memHDCaption->setFixedHeight(memHDCaption->fontMetrics().lineSpacing() * 3 + 12);
    TLookButtons look{};
    QGroupBox* group =
        BuildLookGroup(pnlHeadingProperties, QStringLiteral("Look"),
                       {QStringLiteral("sbnHHleft"), QStringLiteral("sbnHHcenter"), QStringLiteral("sbnHHRight"),
                        QStringLiteral("sbnHVTop"), QStringLiteral("sbnHVCenter"), QStringLiteral("sbnHVBottom"),
                        QStringLiteral("sbnHClip"), QStringLiteral("sbnHEllipsis"), QStringLiteral("sbnHWrap"),
                        QStringLiteral("sbnHInnerRaised"), QStringLiteral("sbnHInnerLowered"),
                        QStringLiteral("sbnHOuterRaised"), QStringLiteral("sbnHOuterLowered"),
                        QStringLiteral("sbnHColor"), QStringLiteral("sbnHFont")},
                       look);
    sbnHHleft = look.H[0], sbnHHcenter = look.H[1], sbnHHRight = look.H[2];
    sbnHVTop = look.V[0], sbnHVCenter = look.V[1], sbnHVBottom = look.V[2];
    sbnHClip = look.ClipStyle[0], sbnHEllipsis = look.ClipStyle[1], sbnHWrap = look.ClipStyle[2];
    sbnHInnerRaised = look.InnerRaised, sbnHInnerLowered = look.InnerLowered;
    sbnHOuterRaised = look.OuterRaised, sbnHOuterLowered = look.OuterLowered;
    sbnHColor = look.Color, sbnHFont = look.Font;
    auto* properties = new QFormLayout(pnlHeadingProperties);
    properties->setContentsMargins(0, 0, 0, 0);
    properties->addRow(QStringLiteral("Caption:"), memHDCaption);
    properties->addRow(group);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Drag a heading onto a column to place the column under it."), page));
    layout->addWidget(lbxHeadings, 1);
    layout->addLayout(buttons);
    layout->addWidget(pnlHeadingProperties);
    return page;
}

QWidget* TfrmvgColumnsEditor::BuildControlPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbsControl"));
    sbnComboBox = Tool(page, QStringLiteral("sbnComboBox"), GlyphIcon(TvgGlyph::DropDown, *this),
                       QStringLiteral("Drop down list"));
    sbnButton = Tool(page, QStringLiteral("sbnButton"), GlyphIcon(TvgGlyph::EllipsisButton, *this),
                     QStringLiteral("Edit with button"));
    sbnComboBox->setText(QStringLiteral("Drop down list"));
    sbnButton->setText(QStringLiteral("Edit with button"));
    sbnComboBox->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    sbnButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(sbnComboBox);
    kinds->addWidget(sbnButton);
    kinds->addStretch();

    pgcControlInfo = new QTabWidget(page);
    pgcControlInfo->setObjectName(QStringLiteral("pgcControlInfo"));

    tbsButton = new QWidget;
    tbsButton->setObjectName(QStringLiteral("tbsButton"));
    sbnEllipsisButton = Tool(tbsButton, QStringLiteral("sbnEllipsisButton"), GlyphIcon(TvgGlyph::EllipsisButton, *this),
                             QStringLiteral("Button with ellipsis"));
    sbnDropDownButton = Tool(tbsButton, QStringLiteral("sbnDropDownButton"), GlyphIcon(TvgGlyph::DropDown, *this),
                             QStringLiteral("Button with down arrow"));
    sbnCustomButton = Tool(tbsButton, QStringLiteral("sbnCustomButton"), GlyphIcon(TvgGlyph::CustomButton, *this),
                           QStringLiteral("Button with a custom picture"));
    auto* styles = new QButtonGroup(tbsButton);
    styles->addButton(sbnEllipsisButton);
    styles->addButton(sbnDropDownButton);
    styles->addButton(sbnCustomButton);
    pnlButtonPicture = new QWidget(tbsButton);
    pnlButtonPicture->setObjectName(QStringLiteral("pnlButtonPicture"));
    imgButtonPicture = new QLabel(pnlButtonPicture);
    imgButtonPicture->setObjectName(QStringLiteral("imgButtonPicture"));
    imgButtonPicture->setFrameShape(QFrame::StyledPanel);
    imgButtonPicture->setFixedSize(40, 40);
    imgButtonPicture->setAlignment(Qt::AlignCenter);
    sbnLoadImage = Push(pnlButtonPicture, QStringLiteral("sbnLoadImage"), QStringLiteral("Load..."));
    sbnClearImage = Push(pnlButtonPicture, QStringLiteral("sbnClearImage"), QStringLiteral("Clear"));
    auto* picture = new QHBoxLayout(pnlButtonPicture);
    picture->setContentsMargins(0, 0, 0, 0);
    picture->addWidget(imgButtonPicture);
    picture->addWidget(sbnLoadImage);
    picture->addWidget(sbnClearImage);
    picture->addStretch();
    cbxDrawButtonFace = Check(tbsButton, QStringLiteral("cbxDrawButtonFace"), QStringLiteral("Draw button face"));
    sbnButtonVTop = Tool(tbsButton, QStringLiteral("sbnButtonVTop"), GlyphIcon(TvgGlyph::AlignTop, *this),
                         QStringLiteral("Top aligned"));
    sbnButtonVCenter = Tool(tbsButton, QStringLiteral("sbnButtonVCenter"), GlyphIcon(TvgGlyph::AlignMiddle, *this),
                            QStringLiteral("Vertically centered"));
    sbnButtonVBottom = Tool(tbsButton, QStringLiteral("sbnButtonVBottom"), GlyphIcon(TvgGlyph::AlignBottom, *this),
                            QStringLiteral("Bottom aligned"));
    auto* places = new QButtonGroup(tbsButton);
    places->addButton(sbnButtonVTop);
    places->addButton(sbnButtonVCenter);
    places->addButton(sbnButtonVBottom);
    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(sbnEllipsisButton);
    styleRow->addWidget(sbnDropDownButton);
    styleRow->addWidget(sbnCustomButton);
    styleRow->addStretch();
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(sbnButtonVTop);
    placeRow->addWidget(sbnButtonVCenter);
    placeRow->addWidget(sbnButtonVBottom);
    placeRow->addStretch();
    auto* buttonForm = new QFormLayout(tbsButton);
    buttonForm->addRow(QStringLiteral("Style:"), styleRow);
    buttonForm->addRow(QStringLiteral("Picture:"), pnlButtonPicture);
    buttonForm->addRow(QString(), cbxDrawButtonFace);
    buttonForm->addRow(QStringLiteral("Placement:"), placeRow);

    tbsDropDown = new QWidget;
    tbsDropDown->setObjectName(QStringLiteral("tbsDropDown"));
    memComboBoxItems = new QPlainTextEdit(tbsDropDown);
    memComboBoxItems->setObjectName(QStringLiteral("memComboBoxItems"));
    memComboBoxItems->setTabChangesFocus(true);
    cbxAutoSuggest = Check(tbsDropDown, QStringLiteral("cbxAutoSuggest"), QStringLiteral("Auto suggest"));
    cbxComboMaxWidth = Check(tbsDropDown, QStringLiteral("cbxComboMaxWidth"), QStringLiteral("Maximize width"));
    cbxComboDropDownList = Check(tbsDropDown, QStringLiteral("cbxComboDropDownList"), QStringLiteral("Drop down list"));
    edtDropDownCount = NumberBox(tbsDropDown, QStringLiteral("edtDropDownCount"));
    auto* dropForm = new QFormLayout(tbsDropDown);
    dropForm->addRow(QStringLiteral("Items:"), memComboBoxItems);
    dropForm->addRow(QString(), cbxAutoSuggest);
    dropForm->addRow(QString(), cbxComboMaxWidth);
    dropForm->addRow(QString(), cbxComboDropDownList);
    dropForm->addRow(QStringLiteral("Drop down count:"), edtDropDownCount);

    pgcControlInfo->addTab(tbsButton, QStringLiteral("Button"));
    pgcControlInfo->addTab(tbsDropDown, QStringLiteral("Drop down"));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(kinds);
    layout->addWidget(pgcControlInfo, 1);
    return page;
}

QWidget* TfrmvgColumnsEditor::BuildFormatPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbsFormat"));
    cmbFormats = new QComboBox(page);
    cmbFormats->setObjectName(QStringLiteral("cmbFormats"));
    cmbFormats->addItems({QStringLiteral("< None >"), QStringLiteral("Numeric"), QStringLiteral("Date / Time"),
                          QStringLiteral("Scientific")});
    pgcFormats = new QStackedWidget(page);
    pgcFormats->setObjectName(QStringLiteral("pgcFormats"));

    auto* none = new QWidget;
    auto* numeric = new QWidget;
    edtDigits = new QSpinBox(numeric);
    edtDigits->setObjectName(QStringLiteral("edtDigits"));
    edtDigits->setRange(0, 19);
    edtPrefix = new QLineEdit(numeric);
    edtPrefix->setObjectName(QStringLiteral("edtPrefix"));
    cbxThousands = Check(numeric, QStringLiteral("cbxThousands"), QStringLiteral("Thousands separator"));
    cbxNegative = Check(numeric, QStringLiteral("cbxNegative"), QStringLiteral("Negative numbers in parenthesis"));
    auto* numericForm = new QFormLayout(numeric);
    numericForm->addRow(QStringLiteral("Decimals:"), edtDigits);
    numericForm->addRow(QStringLiteral("Prefix:"), edtPrefix);
    numericForm->addRow(QString(), cbxThousands);
    numericForm->addRow(QString(), cbxNegative);

    auto* dateTime = new QWidget;
    lbxDateFormats = List(dateTime, QStringLiteral("lbxDateFormats"));
    lbxTimeFormats = List(dateTime, QStringLiteral("lbxTimeFormats"));
    auto* dateForm = new QFormLayout(dateTime);
    dateForm->addRow(QStringLiteral("Date:"), lbxDateFormats);
    dateForm->addRow(QStringLiteral("Time:"), lbxTimeFormats);

    auto* scientific = new QWidget;
    edtScientificDecimals = new QSpinBox(scientific);
    edtScientificDecimals->setObjectName(QStringLiteral("edtScientificDecimals"));
    edtScientificDecimals->setRange(0, 19);
    auto* scientificForm = new QFormLayout(scientific);
    scientificForm->addRow(QStringLiteral("Decimals:"), edtScientificDecimals);

    pgcFormats->addWidget(none);
    pgcFormats->addWidget(numeric);
    pgcFormats->addWidget(dateTime);
    pgcFormats->addWidget(scientific);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Format:"), cmbFormats);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(pgcFormats, 1);
    return page;
}

QWidget* TfrmvgColumnsEditor::BuildRowsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbsRows"));
    cmbRows = new QComboBox(page);
    cmbRows->setObjectName(QStringLiteral("cmbRows"));
    tbrRowHeight = new QSlider(Qt::Vertical, page);
    tbrRowHeight->setObjectName(QStringLiteral("tbrRowHeight"));
    tbrRowHeight->setInvertedAppearance(true);
    edtRowHeight = NumberBox(page, QStringLiteral("edtRowHeight"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Row:"), cmbRows);
    form->addRow(QStringLiteral("Height:"), edtRowHeight);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(tbrRowHeight);
    layout->addStretch();
    return page;
}

} // namespace vg
