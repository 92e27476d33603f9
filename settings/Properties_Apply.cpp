// Apply, Cancel and Close: the fields that act only through Apply are
// checked all together, then copied into the settings and saved. A refused
// field changes nothing and keeps the window open; so does a failed save,
// with Apply still enabled, so that no edit is lost.
#include "settings/Properties.h"

#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "devices/modComm.h"
#include "session/fConnection.h"
#include "settings/ComPortOptions.h"
#include "settings/CompanionFiles.h"
#include "settings/ControlColours.h"
#include "settings/SettingsFields.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace zor {

namespace {

// A switch the user left as it was keeps the value it was stored with (the
// file may hold 1 or -1 for on); one changed takes the file's own on and off.
qint16 SwitchValue(const QAbstractButton& box, qint16 stored)
{
    if (box.isChecked() == (stored != 0))
        return stored;
    return box.isChecked() ? VbTrue : VbFalse;
}

// A fixed-width field the user left as it was keeps its stored padding.
QString FieldValue(const QString& typed, const QString& stored, int width)
{
    return typed == ShownFixedWidth(stored) ? stored : FixedWidth(typed, width);
}

} // namespace

void Properties::ConnectApplyButtons()
{
    for (int i = 0; i < static_cast<int>(OptionsButt.size()); ++i)
        connect(OptionsButt[i], &QPushButton::clicked, this, [this, i] { OptionsButt_Click(i); });
    // The fields that act through Apply make it worth pressing.
    for (int i : {0, 1, 4, 5})
        connect(PropText[i], &QLineEdit::textEdited, this, [this] { OptionsButt[0]->setEnabled(true); });
    for (QCheckBox* box : {cbSecureConnection, cbSuppressLF})
        connect(box, &QAbstractButton::clicked, this, [this] { OptionsButt[0]->setEnabled(true); });
    for (int i = 1; i <= 6; ++i)
        connect(PropCheck[i], &QAbstractButton::clicked, this, [this] { OptionsButt[0]->setEnabled(true); });
    for (QRadioButton* option : PropOption)
        connect(option, &QAbstractButton::clicked, this, [this] { OptionsButt[0]->setEnabled(true); });
}

bool Properties::RefuseField(QLineEdit* field, const QString& message)
{
    Dialogs::MsgBox(message, Dialogs::OKOnly + Dialogs::Exclamation, QStringLiteral("Properties"));
    if (field) {
        for (int tab = 0; tab < SSTab1->count(); ++tab)
            if (SSTab1->widget(tab)->isAncestorOf(field))
                SSTab1->setCurrentIndex(tab);
        field->setFocus();
        field->selectAll();
    }
    return false;
}

bool Properties::ApplyAttributes()
{
    const std::optional<qint16> port = StoredPort(PropText[1]->text());
    if (!port)
        return RefuseField(PropText[1], PortRefusal(PropText[1]->text()));
    const struct {
        QLineEdit* field;
        const char* caption;
    } texts[] = {{PropText[0], "Name/Address:"}, {PropText[5], "Terminal Identification:"}};
    for (const auto& t : texts)
        if (!IsLatin1(t.field->text()))
            return RefuseField(t.field, Latin1Refusal(QLatin1String(t.caption), t.field->text()));
    // The description names the session's reply and account files; a blank
    // one stands for "Old Entry", as on loading.
    if (const QString description = PropText[4]->text(); !IsBlank(description))
        if (const QString problem = DescriptionProblem(description); !problem.isEmpty())
            return RefuseField(PropText[4], problem);
    const QString shownPicture = bImage[0]->property("Tag").toString();
    const QString picture = shownPicture == mLoadedPicture ? Settings.BackImageFile : shownPicture;
    if (!FitsLatin1(picture, SessionSettings::BackImageFileWidth))
        return RefuseField(nullptr, PicturePathRefusal(picture));

    Settings.BackColor = BackColor(*PropClr[1]);
    Settings.HostName = FieldValue(PropText[0]->text(), Settings.HostName, SessionSettings::HostNameWidth);
    Settings.Option1 = 0;
    Settings.Port = *port;
    Settings.UseGradient = SwitchValue(*PropCheck[2], Settings.UseGradient);
    Settings.NoBackImage = SwitchValue(*PropCheck[1], Settings.NoBackImage);
    qint16* placements[PropOptionSlots] = {&Settings.BackCentred, &Settings.BackTiled, &Settings.BackStretched,
                                           &Settings.BackLeft};
    for (int i = 0; i < PropOptionSlots; ++i)
        *placements[i] = SwitchValue(*PropOption[i], *placements[i]);
    const bool newPicture = picture != Settings.BackImageFile;
    Settings.BackImageFile = picture;
    qint16* channels[] = {&Settings.GradChannel1, &Settings.GradChannel2, &Settings.GradChannel3,
                          &Settings.GradReverse};
    for (int i = 0; i < 4; ++i)
        *channels[i] = SwitchValue(*PropCheck[3 + i], *channels[i]);

    SecureConnection = SwitchValue(*cbSecureConnection, SecureConnection);
    SuppressLF = SwitchValue(*cbSuppressLF, SuppressLF);
    ExitOnDisconnect = SwitchValue(*cbExitMode, ExitOnDisconnect);
    HostDescription = FieldValue(PropText[4]->text(), HostDescription, HostDescriptionWidth);
    TermId = PropText[5]->text();
    if (newPicture)
        ShowBackdropPicture();

    // The receipt port takes the serial options as they now stand.
    ReadCommSettingsFromForm();
    CloseComPort();
    if (CommPortName != QLatin1String("None"))
        OpenComPort();
    return true;
}

void Properties::RedrawSession()
{
    fConnection& session = fConnection::instance();
    session.lvMainPic->SetBackColor(ToQColor(Settings.BackColor));
    session.PaintBackdrop();
    session.DrawEntities();
}

void Properties::OptionsButt_Click(int index)
{
    if (index == 1) {
        Unload();
        return;
    }
    if (!ApplyAttributes())
        return;
    const bool saved = SaveINI();
    RedrawSession();
    if (!saved)
        return;
    if (index == 0)
        OptionsButt[0]->setEnabled(false);
    else
        Unload();
}

} // namespace zor
