#include "settings/fSpawn.h"

#include "core/Appearance.h"
#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "core/WindowUtils.h"
#include "settings/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <vector>

namespace zor {

namespace {

const QString DefaultConfig = QStringLiteral("default.ntt");
const QString Caption = QStringLiteral("Launch ZOR GUI Connection");
const QLatin1String CompanionEndings[] = {QLatin1String("_printers.dat"), QLatin1String("_comm.dat")};

std::optional<QByteArray> ReadWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// One file of a set: its new bytes, or nothing to remove it.
struct FileChange {
    QString path;
    std::optional<QByteArray> bytes;
};

// Makes every change or none: what each file held is kept and put back when
// a later change fails, so no half-copied or half-removed set is left.
bool ApplyAll(const std::vector<FileChange>& changes)
{
    std::vector<FileChange> before;
    for (const FileChange& change : changes) {
        const bool existed = QFile::exists(change.path);
        FileChange old{change.path, existed ? ReadWhole(change.path) : std::nullopt};
        if (existed && !old.bytes) {
            Dialogs::MsgBox(QStringLiteral("Unable to read ") + change.path, Dialogs::Critical,
                            QStringLiteral("ERROR"));
        } else if (change.bytes ? SaveFileWhole(change.path, *change.bytes) : !existed || QFile::remove(change.path)) {
            before.push_back(std::move(old));
            continue;
        } else if (!change.bytes) {
            Dialogs::MsgBox(QStringLiteral("Unable to remove ") + change.path, Dialogs::Critical,
                            QStringLiteral("ERROR"));
        }
        for (auto undo = before.rbegin(); undo != before.rend(); ++undo) {
            if (undo->bytes)
                SaveFileWhole(undo->path, *undo->bytes);
            else
                QFile::remove(undo->path);
        }
        return false;
    }
    return true;
}

// The companions of the destination follow the source's: a copy, or none,
// so a new configuration never takes another's printers or serial port.
void AddCompanions(std::vector<FileChange>& changes, const QString& source, const QString& destination)
{
    for (QLatin1String ending : CompanionEndings) {
        const QString to = ProgramFile(CompanionBaseName(destination) + ending);
        const std::optional<QByteArray> bytes =
            source.isEmpty() ? std::nullopt : ReadWhole(ProgramFile(CompanionBaseName(source) + ending));
        if (bytes || QFile::exists(to))
            changes.push_back({to, bytes});
    }
}

// A name of the list or typed into Text1 that names a configuration file of
// the program folder; otherwise the user is told why not.
bool IsConfigName(const QString& name)
{
    const ConfigName rule = ConfigNameRule(name);
    if (!rule.file.isEmpty() && rule.file == name)
        return true;
    Dialogs::MsgBox(rule.refusal.isEmpty()
                        ? QStringLiteral("\"") + name + QStringLiteral("\" is not the name of a configuration file.")
                        : rule.refusal,
                    Dialogs::Exclamation, QStringLiteral("Warning"));
    return false;
}

bool Exists(const QString& name)
{
    if (QFile::exists(ProgramFile(name)))
        return true;
    Dialogs::MsgBox(QStringLiteral("There is no configuration ") + name + QLatin1Char('.'), Dialogs::Exclamation,
                    QStringLiteral("Warning"));
    return false;
}

} // namespace

QByteArray DefaultConfigBytes()
{
    // The defaults are set on the shared state, written, and the session's
    // own values put back, with the session window told of nothing.
    const SessionSettings settings = Settings;
    const auto attrs = EntityAttrs;
    const qint16 secure = SecureConnection, suppressLF = SuppressLF, exitOnDisconnect = ExitOnDisconnect;
    const qint32 fore = InputForeColor, back = InputBackColor;
    const std::optional<float> savedWidth = SavedWindowWidth;
    const qint16 savedHeight = SavedWindowHeight;
    SessionLink& link = Link();
    const auto resize = std::exchange(link.ResizeWindow, nullptr);
    const auto colours = std::exchange(link.ApplyInputColours, nullptr);

    SetDefaultAppearance();
    SavedWindowWidth = static_cast<float>(PixelsToTwips(640));
    SavedWindowHeight = static_cast<qint16>(PixelsToTwips(480));
    const QByteArray bytes =
        WriteConfig({FixedWidth(QStringLiteral("MS Sans Serif"), ConfigFontNameWidth), 0, 0, 0, 0});

    link.ResizeWindow = resize;
    link.ApplyInputColours = colours;
    Settings = settings;
    EntityAttrs = attrs;
    SecureConnection = secure;
    SuppressLF = suppressLF;
    ExitOnDisconnect = exitOnDisconnect;
    InputForeColor = fore;
    InputBackColor = back;
    SavedWindowWidth = savedWidth;
    SavedWindowHeight = savedHeight;
    return bytes;
}

fSpawn::fSpawn(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fSpawn"));
    setWindowTitle(Caption);
    setModal(true);
    Label1 = new QLabel(QStringLiteral("Available Configurations"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    Label2 = new QLabel(QStringLiteral("Configuration to Launch"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    auto* buttons = new QVBoxLayout;
    const QString captions[] = {QStringLiteral("&Launch"), QStringLiteral("C&opy"), QStringLiteral("&Remove"),
                                QStringLiteral("&Close"), QStringLiteral("&New")};
    for (int i = 0; i < static_cast<int>(SpawnButt.size()); ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("SpawnButt_%1").arg(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { SpawnButt_Click(i); });
        buttons->addWidget(button);
        SpawnButt[static_cast<size_t>(i)] = button;
    }
    buttons->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(File1, 1);
    left->addWidget(Label2);
    left->addWidget(Text1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(400, 300);
    CenterForm(*this);

    connect(File1, &QListWidget::itemClicked, this, &fSpawn::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &fSpawn::File1_DblClick);
    Refresh();
    if (File1->count() > 0)
        Text1->setText(File1->item(0)->text());
}

QString fSpawn::Choose(QWidget* parent)
{
    fSpawn launcher(parent);
    launcher.exec();
    return launcher.Chosen;
}

void fSpawn::Refresh()
{
    File1->clear();
    File1->addItems(
        QDir(ProgramFolder()).entryList({QStringLiteral("*.ntt")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void fSpawn::File1_Click(QListWidgetItem* item)
{
    if (item)
        Text1->setText(item->text());
}

void fSpawn::File1_DblClick(QListWidgetItem* item)
{
    File1_Click(item);
    Launch();
}

void fSpawn::SpawnButt_Click(int index)
{
    switch (index) {
    case 0:
        Launch();
        break;
    case 1:
        Copy();
        break;
    case 2:
        Remove();
        break;
    case 3:
        Chosen.clear();
        reject();
        break;
    case 4:
        New();
        break;
    default:
        break;
    }
}

void fSpawn::Launch()
{
    const QString name = Text1->text();
    if (name.isEmpty() || !IsConfigName(name))
        return;
    Chosen = name;
    accept();
}

QString fSpawn::AskNewName()
{
    const QString typed = Dialogs::InputBox(QStringLiteral("Enter the name of the new configuration:"));
    if (typed.isEmpty())
        return QString();
    const ConfigName rule = ConfigNameRule(typed);
    if (rule.file.isEmpty()) {
        Dialogs::MsgBox(rule.refusal, Dialogs::Exclamation, QStringLiteral("Warning"));
        return QString();
    }
    if (QFile::exists(ProgramFile(rule.file)) &&
        Dialogs::MsgBox(QStringLiteral("This configuration file already exists.  Overwrite?"),
                        Dialogs::YesNo + Dialogs::Question, QStringLiteral("New Spawn")) != Dialogs::Yes)
        return QString();
    return rule.file;
}

void fSpawn::Copy()
{
    const QString source = Text1->text();
    if (source.isEmpty()) {
        Dialogs::MsgBox(QStringLiteral("You must first select a configuration from the list\r\nto be copied to the "
                                       "new configuration."),
                        Dialogs::Information, QStringLiteral("Warning"));
        return;
    }
    if (!IsConfigName(source) || !Exists(source))
        return;
    const QString destination = AskNewName();
    if (destination.isEmpty())
        return;
    CopyConfiguration(source, source, destination);
}

void fSpawn::CopyConfiguration(const QString& source, const QString& companionsOf, const QString& destination)
{
    if (destination == source) {
        Dialogs::MsgBox(QStringLiteral("A configuration cannot be copied onto itself."), Dialogs::Exclamation,
                        QStringLiteral("Warning"));
        return;
    }
    const std::optional<QByteArray> bytes = ReadWhole(ProgramFile(source));
    if (!bytes) {
        Dialogs::MsgBox(QStringLiteral("Unable to read ") + ProgramFile(source), Dialogs::Critical,
                        QStringLiteral("ERROR"));
        return;
    }
    std::vector<FileChange> changes = {{ProgramFile(destination), bytes}};
    AddCompanions(changes, companionsOf, destination);
    if (!ApplyAll(changes))
        return;
    Text1->setText(destination);
    Refresh();
}

void fSpawn::New()
{
    const QString destination = AskNewName();
    if (destination.isEmpty())
        return;
    const QString templateFile = ProgramFile(DefaultConfig);
    if (!QFile::exists(templateFile)) {
        // Without the template the new session is the template itself, made
        // from the default appearance.
        if (!SaveFileWhole(templateFile, DefaultConfigBytes()))
            return;
        Chosen = DefaultConfig;
        accept();
        return;
    }
    // A new configuration takes no companions: it starts with none of its own.
    CopyConfiguration(DefaultConfig, QString(), destination);
}

void fSpawn::Remove()
{
    const QString name = Text1->text();
    if (name.isEmpty())
        return;
    if (name == DefaultConfig) {
        Dialogs::MsgBox(QStringLiteral("You may not remove default.ntt."), Dialogs::Information,
                        QStringLiteral("Error"));
        return;
    }
    if (!IsConfigName(name) || !Exists(name))
        return;
    if (Dialogs::MsgBox(QStringLiteral("Are you sure you want to remove this configuration? (") + name +
                            QLatin1Char(')'),
                        Dialogs::YesNo + Dialogs::Question, QStringLiteral("Remove")) != Dialogs::Yes)
        return;
    std::vector<FileChange> changes = {{ProgramFile(name), std::nullopt}};
    AddCompanions(changes, QString(), name);
    if (!ApplyAll(changes))
        return;
    Text1->clear();
    Refresh();
}

} // namespace zor
