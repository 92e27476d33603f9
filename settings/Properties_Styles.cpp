// The look of the session in the settings window: the style editor's page,
// and on the other pages the backdrop colour and picture, the input-box
// colours, the gradient preview and the property lock. Colours and pictures
// reach the session through Apply; the lock is written at once.
#include "settings/Properties.h"

#include "core/Backdrop.h"
#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "session/fConnection.h"
#include "settings/CompanionFiles.h"
#include "settings/ControlColours.h"
#include "settings/StyleEditor.h"
#include "tools/fPicView.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor {

namespace {

const QString LockTitle = QStringLiteral("Property Lock");

// The session's boxes that show typed text in the input colours.
void ColourInputBoxes()
{
    fConnection& session = fConnection::instance();
    for (QWidget* box : {static_cast<QWidget*>(session.INText), static_cast<QWidget*>(session.lvINText),
                         static_cast<QWidget*>(session.ConsoleText)})
        SetBoxColours(*box, InputForeColor, InputBackColor);
}

} // namespace

QWidget* Properties::CreateEntitiesPage()
{
    Styles = new StyleEditor;
    // The editor's controls are the window's elements of the same index.
    for (int i = 7; i <= 11; ++i) {
        delete PropCheck[i];
        PropCheck[i] = Styles->PropCheck[i];
    }
    for (int i : {0, 2, 3, 5}) {
        delete PropClr[i];
        PropClr[i] = Styles->PropClr[i];
    }
    for (int i : {0, 1, 4, 5, 6, 7})
        PropButt[i] = Styles->PropButt[i];
    connect(Styles, &StyleEditor::Changed, this, [this] { OptionsButt[0]->setEnabled(true); });
    connect(Styles, &StyleEditor::DefaultsRestored, this, [this] {
        ShowAppearance();
        ColourInputBoxes();
    });
    return Styles;
}

void Properties::ConnectStyleHandlers()
{
    for (int i : {2, 3, 8, 9})
        connect(PropButt[i], &QPushButton::clicked, this, [this, i] { PropButt_Click(i); });
    for (int i = 1; i <= 6; ++i)
        connect(PropCheck[i], &QCheckBox::clicked, this, [this, i] { PropCheck_Click(i); });
    connect(PropCheck[12], &QCheckBox::clicked, this, [this] { PropCheck_Click(12); });
}

void Properties::ShowAppearance()
{
    ShowSettings();
    SetBackColor(*PropClr[1], Settings.BackColor);
    SetBackColor(*PropClr[6], InputForeColor);
    SetBackColor(*PropClr[7], InputBackColor);
    SetForeColor(*Label2, InputForeColor);
    SetBackColor(*Label2, InputBackColor);
    ShowBackdropPicture();
    ShowStyles();
}

void Properties::ShowStyles()
{
    Styles->List1_Click();
    ShowGradientFrame();
    const bool locked = PropCheck[12]->isChecked();
    PropText[2]->setEnabled(!locked);
    PropText[3]->setEnabled(!locked);
}

void Properties::PropButt_Click(int index)
{
    if (index == 3) {
        ChooseBackdropPicture();
        return;
    }
    QLabel* swatch = index == 2 ? PropClr[1] : index == 8 ? PropClr[6] : index == 9 ? PropClr[7] : nullptr;
    if (!swatch)
        return;
    const std::optional<QColor> chosen = Dialogs::ChooseColour(ToQColor(BackColor(*swatch)));
    // A dialog the user cancelled changes nothing.
    if (!chosen || !chosen->isValid())
        return;
    const qint32 colour = FromQColor(*chosen);
    SetBackColor(*swatch, colour);
    if (index == 2) {
        setWindowTitle(QString::number(static_cast<quint32>(colour), 16).toUpper());
    } else {
        (index == 8 ? InputForeColor : InputBackColor) = colour;
        SetForeColor(*Label2, InputForeColor);
        SetBackColor(*Label2, InputBackColor);
        ColourInputBoxes();
    }
    Styles->DrawSample();
    OptionsButt[0]->setEnabled(true);
}

void Properties::ChooseBackdropPicture()
{
    const QString chosen = fPicView::Choose(BackdropPicturePath(Trim(bImage[0]->property("Tag").toString())), this);
    if (chosen.isEmpty())
        return;
    // A file that is no picture would leave the session without a backdrop:
    // the picture in use stays.
    const QImage picture = QImageReader(chosen).read();
    if (picture.isNull()) {
        Dialogs::MsgBox(
            QStringLiteral("The file %1 is not a picture that can be shown.").arg(QDir::toNativeSeparators(chosen)),
            Dialogs::OKOnly + Dialogs::Exclamation, QStringLiteral("Backdrop Image"));
        return;
    }
    bImage[0]->setScaledContents(true);
    bImage[0]->setPixmap(QPixmap::fromImage(picture));
    bImage[0]->setProperty("Tag", chosen);
    Styles->DrawSample();
    OptionsButt[0]->setEnabled(true);
}

void Properties::PropCheck_Click(int index)
{
    ShowGradientFrame();
    if (index == 12)
        LockBox_Click();
}

void Properties::ShowGradientFrame()
{
    const bool noPicture = PropCheck[1]->isChecked();
    PropFrame[0]->setEnabled(noPicture);
    if (noPicture)
        DrawPropGrad();
    else
        PropClr[4]->setPixmap(QPixmap());
}

void Properties::DrawPropGrad()
{
    QImage preview(PropClr[4]->size(), QImage::Format_RGB32);
    preview.fill(PropClr[4]->palette().color(QPalette::Window));
    DrawGradient(preview, {PropCheck[3]->isChecked(), PropCheck[4]->isChecked(), PropCheck[5]->isChecked(),
                           PropCheck[6]->isChecked()});
    PropClr[4]->setPixmap(QPixmap::fromImage(preview));
}

QString Properties::LockRefusal() const
{
    if (Trim(PropText[2]->text()).isEmpty())
        return QStringLiteral("You must first enter a Password before this option can be activated.");
    if (PropText[2]->text().compare(PropText[3]->text(), Qt::CaseInsensitive) != 0)
        return QStringLiteral("The Password and the Confirm Password fields do not match.\r\nYou will be "
                              "unable to activate this option until both these fields are exact.");
    return QString();
}

bool Properties::LoadedLockHolds(const AdminLock& lock)
{
    if (!lock.Enabled)
        return false;
    const QString refusal = LockRefusal();
    if (refusal.isEmpty())
        return true;
    // Such a lock would refuse every password and keep the settings shut for
    // good. Told once for each lock the file holds, not at every load.
    if (mLockRefused != lock)
        Dialogs::MsgBox(QStringLiteral("The property lock saved in \"%1\" is left off.\r\n").arg(LockFileName) +
                            refusal,
                        Dialogs::OKOnly + Dialogs::Critical, LockTitle);
    mLockRefused = lock;
    return false;
}

void Properties::LockBox_Click()
{
    QCheckBox& box = *PropCheck[12];
    if (box.isChecked()) {
        if (const QString refusal = LockRefusal(); !refusal.isEmpty()) {
            Dialogs::MsgBox(refusal, Dialogs::OKOnly + Dialogs::Critical, LockTitle);
            box.setChecked(false);
            return;
        }
    }
    // A lock the file did not take is not shown as set.
    if (!WriteAdminLock({PropText[2]->text(), PropText[3]->text(), box.isChecked()}))
        box.setChecked(false);
    PropText[2]->setEnabled(!box.isChecked());
    PropText[3]->setEnabled(!box.isChecked());
}

} // namespace zor
