#include "tools/fScriptManager.h"

#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/TextFile.h"
#include "core/WindowUtils.h"
#include "session/fConnection.h"
#include "tools/EntityFile.h"
#include "tools/ScreenShot.h"
#include "tools/TokenFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zor {

namespace {

struct SaveFormat {
    const char* filter;
    const char* extension;
};

// Per kind: the save dialog's filter and the extension a name without one
// is given, so that the file is found again in the list.
constexpr std::array<SaveFormat, 3> SaveFormats = {{
    {"All Images|*.bmp;*.jpg;*.gif|Windows Bitmap|*.bmp|JPEG Image|*.jpg|GIF Image|*.gif", ".bmp"},
    {"QM Token File|*.qms", ".qms"},
    {"QM Binary Entity File|*.qmb", ".qmb"},
}};

QString ScriptPath(const QString& name)
{
    return ProgramFile(name);
}

bool AllowedToReplace(const QString& path)
{
    return Dialogs::MsgBox(
               QDir::toNativeSeparators(path) + QStringLiteral(" already exists.\nDo you want to replace it?"),
               Dialogs::YesNo | Dialogs::Exclamation | Dialogs::DefaultButton2, QStringLiteral("Save")) == Dialogs::Yes;
}

} // namespace

QStringList SavedScripts(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.qms"), QStringLiteral("*.qmb")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

fScriptManager& fScriptManager::instance()
{
    static fScriptManager* window = new fScriptManager(&fConnection::instance());
    return *window;
}

fScriptManager::fScriptManager(QWidget* sessionWindow) : QWidget(sessionWindow, Qt::Window)
{
    setObjectName(QStringLiteral("fScriptManager"));
    setWindowTitle(QStringLiteral("Script Manager"));
    Check1 = new QCheckBox(QStringLiteral("Enable Capture"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    Frame1 = new QGroupBox(QStringLiteral("Screen Shot"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({QStringLiteral("100x80"), QStringLiteral("200x150"), QStringLiteral("320x200"),
                      QStringLiteral("400x325"), QStringLiteral("640x480"), QStringLiteral("As Seen")});
    Combo1->setCurrentIndex(-1);
    const std::array<QString, 3> kinds = {QStringLiteral("Bitmap"), QStringLiteral("Token File"),
                                          QStringLiteral("Binary Entity File")};
    auto* frame1 = new QGridLayout(Frame1);
    frame1->addWidget(Combo1, 0, 0);
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(kinds[i], Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        frame1->addWidget(Option1[i], i + 1, 0);
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Combo1->setEnabled(i == Bitmap); });
    }
    // A save always knows what to write.
    Option1[Bitmap]->setChecked(true);
    Command4 = new QPushButton(QStringLiteral("Save"), Frame1);
    Command4->setObjectName(QStringLiteral("Command4"));
    frame1->addWidget(Command4, 4, 0);

    Frame2 = new QGroupBox(QStringLiteral("Saved Scripts"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    File1 = new QListWidget(Frame2);
    File1->setObjectName(QStringLiteral("File1"));
    Command5 = new QPushButton(QStringLiteral("Load"), Frame2);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command3 = new QPushButton(QStringLiteral("Remove"), Frame2);
    Command3->setObjectName(QStringLiteral("Command3"));
    auto* frame2 = new QGridLayout(Frame2);
    frame2->addWidget(File1, 0, 0, 1, 2);
    frame2->addWidget(Command5, 1, 0);
    frame2->addWidget(Command3, 1, 1);

    Frame3 = new QGroupBox(QStringLiteral("Scripting"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    List1 = new QListWidget(Frame3);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setUniformItemSizes(true);
    Command1 = new QPushButton(QStringLiteral("Step"), Frame3);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto* frame3 = new QVBoxLayout(Frame3);
    frame3->addWidget(List1);
    frame3->addWidget(Command1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Check1, 0, 0, 1, 2);
    layout->addWidget(Frame1, 1, 0);
    layout->addWidget(Frame2, 1, 1);
    layout->addWidget(Frame3, 2, 0, 1, 2);

    connect(Check1, &QCheckBox::clicked, this, [](bool on) { CaptureEnabled = on ? VbTrue : VbFalse; });
    connect(Combo1, &QComboBox::activated, this, &fScriptManager::Combo1_Click);
    connect(Command4, &QPushButton::clicked, this, &fScriptManager::Command4_Click);
    connect(File1, &QListWidget::itemClicked, this, [this] { SetFileButtons(true); });
    connect(Command5, &QPushButton::clicked, this, &fScriptManager::Command5_Click);
    connect(Command3, &QPushButton::clicked, this, &fScriptManager::Command3_Click);
    // Only a click replays: moving the selection (Step does) must not.
    connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Replay(List1->row(item)); });
    connect(Command1, &QPushButton::clicked, this, &fScriptManager::Command1_Click);

    RefreshFiles();
    resize(520, 480);
    CenterForm(*this);
    CenterOverWindowOnActivation(*this, *sessionWindow);
}

void fScriptManager::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Files come and go while the window is closed ("capture.qms" above all).
    RefreshFiles();
    // The box shows whether capture is on, whoever switched it.
    Check1->setChecked(CaptureEnabled != 0);
}

fScriptManager::SaveKind fScriptManager::SelectedKind() const
{
    for (int i = 0; i < 3; ++i)
        if (Option1[i]->isChecked())
            return static_cast<SaveKind>(i);
    return Bitmap;
}

void fScriptManager::SetFileButtons(bool enabled)
{
    Command5->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

void fScriptManager::RefreshFiles()
{
    File1->clear();
    File1->addItems(SavedScripts(ProgramFolder()));
    // No file is selected in the new list.
    SetFileButtons(false);
}

void fScriptManager::Combo1_Click()
{
    const PictureBox& screen = *fConnection::instance().MainPic;
    const std::optional<QSize> size = ShotSize(Combo1->currentText(), screen.size());
    if (!size)
        return;
    ShotWidth = static_cast<qint16>(size->width());
    ShotHeight = static_cast<qint16>(size->height());
    PicSave = QImage(std::max<int>(ShotWidth, 0), std::max<int>(ShotHeight, 0), QImage::Format_RGB32);
}

void fScriptManager::Command4_Click()
{
    const SaveKind kind = SelectedKind();
    if (kind == Bitmap && (ShotWidth <= 0 || ShotHeight <= 0)) {
        Dialogs::MsgBox(QStringLiteral("You must first select a size for the screen shot to be saved as"),
                        Dialogs::Critical, QStringLiteral("ERROR"));
        return;
    }
    const SaveFormat& format = SaveFormats[kind];
    QString path = Dialogs::GetSaveFileName(QString(), QString::fromLatin1(format.filter), ProgramFolder());
    if (path.isEmpty())
        return;
    // The dialog asked about the name as typed; with the extension added it
    // may name another file that is there already.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1String(format.extension);
        if (QFileInfo::exists(path) && !AllowedToReplace(path))
            return;
    }
    if (SaveScreen(path))
        RefreshFiles();
}

bool fScriptManager::SaveScreen(const QString& path)
{
    fConnection& session = fConnection::instance();
    switch (SelectedKind()) {
    case Bitmap:
        PicSave = StretchedShot(session.Work, QSize(ShotWidth, ShotHeight));
        // A Windows bitmap whatever the name's extension says.
        return SaveFileWhole(path, BitmapBytes(PicSave));
    case TokenFile:
        return SaveFileWhole(path, TextFileBytes(session.stack));
    case EntityFile:
        // A cleared screen counts -1 until its first entity.
        return SaveFileWhole(path, EntityFileBytes(Entities.data(), std::clamp<int>(EntityCount, 0, EntitySlots)));
    }
    return false;
}

void fScriptManager::Command5_Click()
{
    const QListWidgetItem* item = File1->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    if (name.endsWith(QLatin1String("qms"), Qt::CaseInsensitive))
        LoadTokenFile(ScriptPath(name));
    else if (name.endsWith(QLatin1String("qmb"), Qt::CaseInsensitive))
        LoadEntityFile(ScriptPath(name));
    fConnection::instance().DrawEntities();
}

void fScriptManager::LoadTokenFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::MsgBox(path + QStringLiteral(" could not be read: ") + file.errorString(), Dialogs::Critical,
                        QStringLiteral("ERROR"));
        return;
    }
    List1->addItems(TokenFileLines(file.readAll()));
}

void fScriptManager::LoadEntityFile(const QString& path)
{
    QFile file(path);
    EntityFileRead read;
    if (!file.open(QIODevice::ReadOnly))
        read.Error = file.errorString();
    else
        read = ReadEntityFile(file.readAll());
    if (!read.Ok()) {
        // The screen stays as it was: a file is loaded whole or not at all.
        Dialogs::MsgBox(path + QStringLiteral(" was not loaded: ") + read.Error, Dialogs::Critical,
                        QStringLiteral("ERROR"));
        return;
    }
    EntityCount = 0;
    for (const Entity& entity : read.Entities)
        Entities[EntityCount++] = entity;
}

void fScriptManager::Command3_Click()
{
    const QListWidgetItem* item = File1->currentItem();
    if (item) {
        const QString name = item->text();
        if (Dialogs::MsgBox(QStringLiteral("Are you sure you wish to remove ") + name + QStringLiteral("?"),
                            Dialogs::YesNo | Dialogs::Question, QStringLiteral("Remove")) == Dialogs::Yes) {
            if (!QFile::remove(ScriptPath(name)))
                Dialogs::MsgBox(name + QStringLiteral(" could not be removed."), Dialogs::Critical,
                                QStringLiteral("ERROR"));
            RefreshFiles();
        }
    }
    SetFileButtons(false);
}

void fScriptManager::Command1_Click()
{
    // The current row counts only when it is selected: the list makes its
    // first row current, unselected, as soon as it takes the focus.
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const int row = selected.isEmpty() ? -1 : List1->row(selected.front());
    const int next = row < List1->count() - 1 ? row + 1 : row;
    if (next >= 0) {
        List1->setCurrentRow(next);
        Replay(next);
    }
}

void fScriptManager::Replay(int row)
{
    const QListWidgetItem* item = List1->item(row);
    if (!item)
        return;
    fConnection& session = fConnection::instance();
    session.Process(item->text());
    session.Process(QStringLiteral("dr"));
}

void ShowScriptManager()
{
    fScriptManager& window = fScriptManager::instance();
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace zor
