#include "tools/fPicView.h"

#include "core/Dialogs.h"
#include "core/Records.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "settings/SettingsFields.h"
#include "tools/FolderList.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStorageInfo>

namespace zor {

namespace {

const QString Caption = QStringLiteral("Select a Image File");

// The folder the picker opens on: that of the picture in use, or the home
// folder when there is none or its folder is gone.
QString StartFolder(const QString& picture)
{
    const QString path = Trim(picture);
    if (!path.isEmpty()) {
        const QFileInfo file(path);
        if (file.absoluteDir().exists())
            return file.absolutePath();
    }
    return QDir::homePath();
}

} // namespace

const QStringList& fPicView::PicturePatterns()
{
    // Only pictures the backdrop can show: there is no reader for ".wmf".
    static const QStringList patterns = {QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg")};
    return patterns;
}

fPicView::fPicView(const QString& currentPicture, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fPicView"));
    setWindowTitle(Caption);

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && Drive1->findText(volume.rootPath()) < 0)
            Drive1->addItem(volume.rootPath());
    }
    Dir1 = new FolderList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->installEventFilter(this);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(200, 150);
    Image1->setFrameShape(QFrame::Box);
    Command2 = new QPushButton(QStringLiteral("&Accept"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("&Cancel"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Drive1, 0, 0);
    layout->addWidget(Dir1, 1, 0);
    layout->addWidget(File1, 0, 1, 2, 1);
    layout->addWidget(Image1, 0, 2, 2, 1);
    layout->addLayout(buttons, 2, 0, 1, 3);

    // Only the user's choices act: filling the lists runs no handler twice.
    connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(Dir1, &FolderList::PathChanged, this, [this](const QString& folder) { ShowFolder(folder); });
    connect(File1, &QListWidget::currentRowChanged, this, [this] { File1_Click(); });
    connect(File1, &QListWidget::itemActivated, this, [this] { Command2_Click(); });
    connect(Command2, &QPushButton::clicked, this, &fPicView::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);

    const QString folder = StartFolder(currentPicture);
    const QString drive = QStorageInfo(folder).rootPath();
    if (Drive1->findText(drive) < 0)
        Drive1->addItem(drive);
    Drive1->setCurrentIndex(Drive1->findText(drive));
    Dir1->setPath(folder);
    ShowFolder(Dir1->path());
    if (parent)
        CenterOverWindowOnActivation(*this, *parent->window());
}

QString fPicView::Choose(const QString& currentPicture, QWidget* parent)
{
    fPicView picker(currentPicture, parent);
    return picker.exec() == QDialog::Accepted ? picker.Chosen() : QString();
}

void fPicView::Drive1_Change()
{
    Dir1->setPath(Drive1->currentText());
    ShowFolder(Dir1->path());
}

void fPicView::ShowFolder(const QString& folder)
{
    const int row = std::max(0, File1->currentRow());
    File1->clear();
    File1->addItems(QDir(folder).entryList(PicturePatterns(), QDir::Files, QDir::Name | QDir::IgnoreCase));
    File1->setCurrentRow(std::min(row, File1->count() - 1));
    if (File1->count() == 0)
        Image1->clear();
}

QString fPicView::SelectedFile() const
{
    const QListWidgetItem* item = File1->currentItem();
    return item ? QDir(Dir1->path()).filePath(item->text()) : QString();
}

void fPicView::File1_Click()
{
    const QString file = SelectedFile();
    if (file.isEmpty())
        return;
    // Read at the preview's size: a large photograph is not decoded whole.
    QImageReader reader(file);
    if (reader.size().isValid())
        reader.setScaledSize(Image1->size());
    const QImage picture = reader.read();
    if (picture.isNull())
        Image1->clear();
    else
        Image1->setPixmap(QPixmap::fromImage(picture));
}

void fPicView::File1_KeyDown(int key)
{
    const QString file = SelectedFile();
    if (key != Qt::Key_Delete || file.isEmpty())
        return;
    // One key press is not to destroy a user's picture: the user says yes first.
    const int answer = Dialogs::MsgBox(QStringLiteral("Delete the file %1?").arg(QDir::toNativeSeparators(file)),
                                       Dialogs::YesNo + Dialogs::Question + Dialogs::DefaultButton2, Caption);
    if (answer != Dialogs::Yes)
        return;
    QFile picture(file);
    if (!picture.remove())
        Dialogs::MsgBox(QStringLiteral("The file %1 could not be deleted: %2")
                            .arg(QDir::toNativeSeparators(file), picture.errorString()),
                        Dialogs::OKOnly + Dialogs::Critical, Caption);
    ShowFolder(Dir1->path());
}

void fPicView::Command2_Click()
{
    const QString file = SelectedFile();
    // With no file selected there is only a folder, which is no picture.
    if (file.isEmpty()) {
        reject();
        return;
    }
    if (!FitsLatin1(file, SessionSettings::BackImageFileWidth)) {
        Dialogs::MsgBox(PicturePathRefusal(file), Dialogs::OKOnly + Dialogs::Exclamation, Caption);
        return;
    }
    mChosen = file;
    accept();
}

bool fPicView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == File1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            File1_KeyDown(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zor
