#include "design/VgColors.h"

#include "platform/core/ClassRegistry.h"
#include "platform/core/Exceptions.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vg {

namespace {

const bool Registered = [] {
    RegisterComponentClass<TvgColorDialog>();
    return true;
}();

constexpr int ItemHeight = 16;
constexpr int VisibleItems = 16;

// What the system colours paint, shown beside their names.
constexpr std::pair<TColor, const char*> SystemColorDescriptions[] = {
    {clScrollBar, "Scroll bar"},
    {clBackground, "Desktop"},
    {clActiveCaption, "Active title bar"},
    {clInactiveCaption, "Inactive title bar"},
    {clMenu, "Menu background"},
    {clWindow, "Window background"},
    {clWindowFrame, "Window frame"},
    {clMenuText, "Menu text"},
    {clWindowText, "Window text"},
    {clCaptionText, "Active title text"},
    {clActiveBorder, "Active window border"},
    {clInactiveBorder, "Inactive window border"},
    {clAppWorkSpace, "Application workspace"},
    {clHighlight, "Selection background"},
    {clHighlightText, "Selected text"},
    {clBtnFace, "Button face"},
    {clBtnShadow, "Button shadow"},
    {clGrayText, "Disabled text"},
    {clBtnText, "Button text"},
    {clInactiveCaptionText, "Inactive title text"},
    {clBtnHighlight, "Button highlight"},
    {cl3DDkShadow, "Dark 3D shadow"},
    {cl3DLight, "Light 3D edge"},
    {clInfoText, "Tooltip text"},
    {clInfoBk, "Tooltip background"},
    {clHotLight, "Hot-tracked item"},
    {clGradientActiveCaption, "Active title bar gradient"},
    {clGradientInactiveCaption, "Inactive title bar gradient"},
    {clMenuHighlight, "Highlighted menu item"},
    {clMenuBar, "Menu bar"},
    {clNone, "Transparent"},
    {clDefault, "Default"},
};

// "clWindow (Window background)" for a system colour; the name alone for any other.
QString ColorEntryText(const QString& Name)
{
    const TColor color = StringToColor(Name);
    for (const auto& [system, description] : SystemColorDescriptions)
        if (system == color)
            return QStringLiteral("%1 (%2)").arg(Name, QLatin1String(description));
    return Name;
}

} // namespace

// ---- TvgColorSelectForm

TvgColorSelectForm::TvgColorSelectForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select a color"));
    lblSystemColors = new QLabel(QStringLiteral("System colors"), this);
    cmbColors = new QComboBox(this);
    cmbColors->setObjectName(QStringLiteral("cmbColors"));
    cmbColors->setMaxVisibleItems(VisibleItems);
    cmbColors->setMinimumContentsLength(22);
    lblSystemColors->setBuddy(cmbColors);
    const int side = std::max(ItemHeight, fontMetrics().height());
    cmbColors->setIconSize(QSize(side, side));

    btnCustom = new QPushButton(QStringLiteral("Custom...."), this);
    btnCustom->setObjectName(QStringLiteral("btnCustom"));
    btnCustom->setAutoDefault(false);
    btnOk = new QPushButton(QStringLiteral("Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    ColorDialog = new QColorDialog(this);
    ColorDialog->setObjectName(QStringLiteral("ColorDialog"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnCustom);
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSystemColors);
    layout->addWidget(cmbColors);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmbColors, &QComboBox::currentIndexChanged, this, &TvgColorSelectForm::cmbColorsChange);
    connect(btnCustom, &QPushButton::clicked, this, &TvgColorSelectForm::btnCustomClick);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QPixmap TvgColorSelectForm::Swatch(TColor Color, const QPalette& Palette, int Side)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ColorToQColor(Color, Palette));
    painter.drawRoundedRect(QRectF(2.5, 2.5, Side - 5, Side - 5), 2, 2);
    return pixmap;
}

void TvgColorSelectForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TvgColorSelectForm::FormShow()
{
    const TColor selected = SelectedColor; // filling the list must not choose for the user
    const QSignalBlocker blocker(cmbColors);
    cmbColors->clear();
    const int side = cmbColors->iconSize().height();
    GetColorValues([this, side](const QString& name) {
        cmbColors->addItem(QIcon(Swatch(StringToColor(name), palette(), side)), ColorEntryText(name), name);
    });
    cmbColors->setCurrentIndex(cmbColors->findData(ColorToString(selected)));
    SelectedColor = selected;

    // The title bar shows the whole title: the form is as wide as the title in a bold face
    // and the title bar's icon and buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QMargins margins = layout()->contentsMargins();
    cmbColors->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 4 * titleBar -
                               margins.left() - margins.right());
}

void TvgColorSelectForm::cmbColorsChange(int Index)
{
    if (Index >= 0)
        SelectedColor = StringToColor(cmbColors->itemData(Index).toString());
}

void TvgColorSelectForm::btnCustomClick()
{
    try {
        ColorDialog->setCurrentColor(ColorToQColor(SelectedColor, palette()));
    } catch (const EConvertError&) {
        ColorDialog->setCurrentColor(Qt::black); // a value that is no colour at all
    }
    if (ColorDialog->exec() != QDialog::Accepted)
        return;
    SelectedColor = QColorToColor(ColorDialog->selectedColor());
    accept();
}

// ---- TvgColorDialog

const TClassInfo& TvgColorDialog::StaticClassInfo()
{
    using D = TvgColorDialog;
    static const TClassInfo info = TClassBuilder<D>(QStringLiteral("TvgColorDialog"), &TComponent::StaticClassInfo())
                                       .Color(QStringLiteral("Color"), &D::Color, &D::SetColor)
                                       .Str(QStringLiteral("Title"), &D::Title, &D::SetTitle)
                                       .Build();
    return info;
}

TvgColorDialog::TvgColorDialog(TComponent* owner)
    : TComponent(owner)
{
    (void)Registered;
}

bool TvgColorDialog::Execute(QWidget* Parent)
{
    TvgColorSelectForm form(Parent);
    form.SelectedColor = FColor;
    form.setWindowTitle(FTitle);
    if (form.exec() != QDialog::Accepted)
        return false;
    FColor = form.SelectedColor;
    return true;
}

} // namespace vg
