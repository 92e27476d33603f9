#include "settings/StyleEditor.h"

#include "core/Appearance.h"
#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/EntityDrawing.h"
#include "core/SharedState.h"
#include "session/PictureBox.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/ControlColours.h"
#include "settings/SessionFont.h"
#include "settings/SettingsFields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

namespace zor {

namespace {

// The colour buttons, their swatches and the record field each one sets.
struct ColourButton {
    int button;
    int swatch;
    const char* caption;
    qint32 EntityAttr::*field;
};
constexpr std::array<ColourButton, 4> ColourButtons = {{
    {0, 2, "Text Color:", &EntityAttr::TextColor},
    {7, 5, "Disabled Text Color:", &EntityAttr::DisabledColor},
    {1, 3, "Background Color:", &EntityAttr::BackColor},
    {4, 0, "Border Color:", &EntityAttr::BorderColor},
}};

const ColourButton* ColourButtonOf(int button)
{
    for (const ColourButton& colour : ColourButtons)
        if (colour.button == button)
            return &colour;
    return nullptr;
}

// The switch boxes and the record flag each one sets.
struct SwitchBox {
    int index;
    const char* caption;
    qint16 EntityAttr::*field;
};
constexpr std::array<SwitchBox, 5> SwitchBoxes = {{
    {7, "Use Border", &EntityAttr::UseBorder},
    {8, "Use Background", &EntityAttr::FillBackground},
    {9, "Use Text Shadow", &EntityAttr::TextShadow},
    {10, "Use Entity Shadow", &EntityAttr::ShadowLines},
    {11, "Use Image Shadow", &EntityAttr::ImageShadow},
}};

constexpr int FirstFrameOption = 4;
constexpr std::array<const char*, 5> FrameStyleNames = {"Flat", "Raised", "Indented", "Engraved", "Embossed"};

// The sample is drawn on a box of pixels a little larger than its own.
constexpr QSize SampleSize(250, 56);

QString Indexed(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QPushButton* MakeButton(QWidget* parent, int index, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(Indexed("PropButt", index));
    return button;
}

// A record's scale as the slider shows it, in tenths; a scale beyond the
// slider's reach shows at its end and stays in the record as it is.
int SliderPosition(Currency scale)
{
    const double tenths = std::nearbyint(scale.toDouble() * 10);
    return static_cast<int>(std::clamp(tenths, 0.0, static_cast<double>(FontScaleSliderMaximum)));
}

} // namespace

StyleEditor::StyleEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StyleEditor"));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    for (int kind = 1; kind <= StyleKindCount; ++kind)
        List1->addItem(KindName(kind));

    PropSample = new PictureBox(QStringLiteral("PropSample"), this);
    PropSample->setFixedSize(SampleSize);
    PropSample->SetBackColor(ToQColor(COLOR_BTNFACE));
    PropSample->Clear();

    auto* colours = new QGridLayout;
    for (const ColourButton& colour : ColourButtons) {
        const int row = colours->rowCount();
        auto* swatch = new QLabel(this);
        swatch->setObjectName(Indexed("PropClr", colour.swatch));
        swatch->setFixedSize(40, 18);
        swatch->setFrameShape(QFrame::Box);
        PropClr[colour.swatch] = swatch;
        PropButt[colour.button] = MakeButton(this, colour.button, QStringLiteral("..."));
        colours->addWidget(new QLabel(QLatin1String(colour.caption), this), row, 0);
        colours->addWidget(swatch, row, 1);
        colours->addWidget(PropButt[colour.button], row, 2);
    }

    auto* frames = new QGroupBox(QStringLiteral("Frame Styles:"), this);
    auto* frameLayout = new QVBoxLayout(frames);
    mFrameStyles = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(FrameStyleNames.size()); ++i) {
        const int index = FirstFrameOption + i;
        auto* option = new QRadioButton(QLatin1String(FrameStyleNames[static_cast<size_t>(i)]), frames);
        option->setObjectName(Indexed("PropOption", index));
        PropOption[index] = option;
        mFrameStyles->addButton(option, index);
        frameLayout->addWidget(option);
    }

    auto* switches = new QVBoxLayout;
    for (const SwitchBox& box : SwitchBoxes) {
        auto* check = new QCheckBox(QLatin1String(box.caption), this);
        check->setObjectName(Indexed("PropCheck", box.index));
        PropCheck[box.index] = check;
        switches->addWidget(check);
    }

    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(0, FontScaleSliderMaximum);
    PropButt[5] = MakeButton(this, 5, QStringLiteral("Font"));
    PropButt[6] = MakeButton(this, 6, QStringLiteral("Defaults"));

    auto* scale = new QHBoxLayout;
    scale->addWidget(new QLabel(QStringLiteral("Font Scale:"), this));
    scale->addWidget(Slider1);
    auto* styles = new QHBoxLayout;
    styles->addWidget(frames);
    styles->addLayout(switches);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PropButt[5]);
    buttons->addWidget(PropButt[6]);
    buttons->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(PropSample);
    right->addLayout(colours);
    right->addLayout(styles);
    right->addLayout(scale);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(List1);
    layout->addLayout(right);

    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    for (int index = 0; index < StyleButtonSlots; ++index) {
        if (PropButt[index])
            connect(PropButt[index], &QPushButton::clicked, this, [this, index] { PropButt_Click(index); });
    }
    for (const SwitchBox& box : SwitchBoxes)
        connect(PropCheck[box.index], &QCheckBox::clicked, this, [this, index = box.index] { PropCheck_Click(index); });
    connect(mFrameStyles, &QButtonGroup::idClicked, this, &StyleEditor::PropOption_Click);
    connect(Slider1, &QSlider::valueChanged, this, &StyleEditor::Slider1_Change);
}

int StyleEditor::SelectedStyle() const
{
    const int row = List1->currentRow();
    return row >= 0 && row < StyleKindCount ? row + 1 : 0;
}

EntityAttr* StyleEditor::Selected()
{
    const int kind = SelectedStyle();
    return kind == 0 ? nullptr : &EntityAttrs[static_cast<size_t>(kind)];
}

void StyleEditor::List1_Click()
{
    const EntityAttr* attr = Selected();
    if (!attr)
        return;
    mUpdating = true;
    for (const ColourButton& colour : ColourButtons)
        SetBackColor(*PropClr[colour.swatch], attr->*colour.field);
    for (const SwitchBox& box : SwitchBoxes)
        PropCheck[box.index]->setChecked(attr->*box.field != 0);
    // A style the file gave outside the five selects none of them.
    mFrameStyles->setExclusive(false);
    for (int i = 0; i < static_cast<int>(FrameStyleNames.size()); ++i)
        PropOption[FirstFrameOption + i]->setChecked(attr->FrameStyle == i);
    mFrameStyles->setExclusive(true);
    Slider1->setValue(SliderPosition(attr->FontScale));
    mUpdating = false;
    DrawSample();
}

void StyleEditor::PropButt_Click(int index)
{
    if (ColourButtonOf(index))
        ChooseRecordColour(index);
    else if (index == 5)
        ChooseFont();
    else if (index == 6) {
        SetDefaultAppearance();
        List1_Click();
        emit DefaultsRestored();
        emit Changed();
    }
}

void StyleEditor::ChooseRecordColour(int button)
{
    EntityAttr* attr = Selected();
    if (!attr)
        return;
    const ColourButton& colour = *ColourButtonOf(button);
    const std::optional<QColor> chosen = Dialogs::ChooseColour(ToQColor(attr->*colour.field));
    // A dialog the user cancelled changes nothing.
    if (!chosen || !chosen->isValid())
        return;
    attr->*colour.field = FromQColor(*chosen);
    SetBackColor(*PropClr[colour.swatch], attr->*colour.field);
    DrawSample();
    emit Changed();
}

void StyleEditor::ChooseFont()
{
    fConnection& session = fConnection::instance();
    const std::optional<QFont> chosen = Dialogs::ChooseFont(session.WorkFont);
    if (!chosen)
        return;
    // The configuration keeps the name in a field of its own: one that does
    // not fit would come back as another font.
    const QString name = chosen->family();
    if (!IsLatin1(name) || name.size() > ConfigFontNameWidth) {
        const QString refusal =
            !IsLatin1(name) ? Latin1Refusal(QStringLiteral("Font:"), name)
                            : QStringLiteral("Font: the name \"%1\" is longer than %2 characters and cannot be stored.")
                                  .arg(name)
                                  .arg(ConfigFontNameWidth);
        Dialogs::MsgBox(refusal, Dialogs::OKOnly + Dialogs::Exclamation, QStringLiteral("Font"));
        return;
    }
    SetFontName(session, name);
    SetFontBold(session, chosen->bold());
    SetFontItalic(session, chosen->italic());
    DrawSample();
    emit Changed();
}

void StyleEditor::PropCheck_Click(int index)
{
    EntityAttr* attr = Selected();
    if (mUpdating || !attr)
        return;
    for (const SwitchBox& box : SwitchBoxes) {
        if (box.index == index)
            attr->*box.field = PropCheck[index]->isChecked() ? VbTrue : VbFalse;
    }
    DrawSample();
    emit Changed();
}

void StyleEditor::PropOption_Click(int index)
{
    EntityAttr* attr = Selected();
    if (mUpdating || !attr || index < FirstFrameOption || index >= StyleOptionSlots)
        return;
    attr->FrameStyle = static_cast<qint16>(index - FirstFrameOption);
    DrawSample();
    emit Changed();
}

void StyleEditor::Slider1_Change(int value)
{
    EntityAttr* attr = Selected();
    if (mUpdating || !attr)
        return;
    attr->FontScale = Currency::fromRaw(static_cast<qint64>(value) * Currency::Scale / 10);
    DrawSample();
    emit Changed();
}

void StyleEditor::DrawSample()
{
    const EntityAttr* attr = Selected();
    if (!attr)
        return;
    PropSample->Clear();
    DrawEntity(PropSample->Surface(), StyleSample(), *attr, {});
    PropSample->Refresh();
}

} // namespace zor
