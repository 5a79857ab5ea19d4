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
#include <QVBoxLayout>

namespace vg {

namespace {

const bool Registered = [] {
    RegisterComponentClass<TvgColorDialog>();
    return true;
}();

constexpr int ItemHeight = 16;
constexpr int VisibleItems = 16;

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
        cmbColors->addItem(QIcon(Swatch(StringToColor(name), palette(), side)), name);
    });
    cmbColors->setCurrentIndex(cmbColors->findText(ColorToString(selected), Qt::MatchExactly));
    SelectedColor = selected;
}

void TvgColorSelectForm::cmbColorsChange(int Index)
{
    if (Index >= 0)
        SelectedColor = StringToColor(cmbColors->itemText(Index));
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
