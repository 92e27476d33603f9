#pragma once

#include "core/Records.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

namespace zor {

class PictureBox;

constexpr int StyleKindCount = 11;  // kinds 1..11 are edited
constexpr int StyleButtonSlots = 8; // PropButt(0, 1, 4, 5, 6, 7)
constexpr int StyleSwatchSlots = 6; // PropClr(0, 2, 3, 5)
constexpr int StyleOptionSlots = 9; // PropOption(4 To 8): the frame styles
constexpr int StyleCheckSlots = 12; // PropCheck(7 To 11): the record's switches
constexpr int FontScaleSliderMaximum = 50;

// The "Entities" page of the settings window: edits the drawing attributes
// of one entity kind at a time (EntityAttrs 1..11) and shows them at once on
// a sample entity. Controls keep the settings window's indexes; the slots of
// other pages stay empty. Filling the controls from a record writes nothing
// back; only the user's actions change a record, and each one emits Changed.
class StyleEditor : public QWidget {
    Q_OBJECT

public:
    explicit StyleEditor(QWidget* parent = nullptr);

    // The record being edited, 1..11; 0 while no kind is selected.
    int SelectedStyle() const;

    // Shows the selected kind's record in the controls and on the sample;
    // for a settings window reloaded from its file or reset to defaults.
    void List1_Click();
    void PropButt_Click(int index);
    void PropCheck_Click(int index);
    void PropOption_Click(int index);
    void Slider1_Change(int value);
    // Draws the sample entity with the selected kind's record.
    void DrawSample();

    QListWidget* List1 = nullptr;
    PictureBox* PropSample = nullptr;
    // 0 text, 1 background, 4 border, 7 disabled-text colour; 5 font; 6 defaults.
    std::array<QPushButton*, StyleButtonSlots> PropButt = {};
    // 2 text, 3 background, 0 border, 5 disabled-text colour (ControlColours.h).
    std::array<QLabel*, StyleSwatchSlots> PropClr = {};
    std::array<QRadioButton*, StyleOptionSlots> PropOption = {};
    std::array<QCheckBox*, StyleCheckSlots> PropCheck = {};
    QSlider* Slider1 = nullptr;

signals:
    // A record, the input font or the defaults changed: the window has
    // something to apply.
    void Changed();
    // Everything SetDefaultAppearance resets was reset: the other pages show
    // the settings again.
    void DefaultsRestored();

private:
    EntityAttr* Selected();
    void ChooseRecordColour(int button);
    void ChooseFont();

    QButtonGroup* mFrameStyles = nullptr;
    bool mUpdating = false;
};

} // namespace zor
