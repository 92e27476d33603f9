#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zor {

// The names of the saved scripts in the folder: token files (".qms") and
// entity files (".qmb"), letter case ignored, by name.
QStringList SavedScripts(const QString& folder);

// The script and screen-shot manager: saves the screen as a bitmap, a token
// file or an entity file, loads saved ones, and replays a token file's units
// one at a time through the interpreter.
class fScriptManager : public QWidget {
    Q_OBJECT

public:
    static fScriptManager& instance();

    enum SaveKind { Bitmap = 0, TokenFile = 1, EntityFile = 2 };

    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* Combo1 = nullptr;
    std::array<QRadioButton*, 3> Option1 = {};
    QPushButton* Command4 = nullptr; // "Save"
    QGroupBox* Frame2 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* Command5 = nullptr; // "Load"
    QPushButton* Command3 = nullptr; // "Remove"
    QGroupBox* Frame3 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr; // "Step"

    qint16 ShotWidth = 0;
    qint16 ShotHeight = 0;
    QImage PicSave;

    void Combo1_Click();
    void Command4_Click();
    void Command5_Click();
    void Command3_Click();
    void Command1_Click();
    // Runs the line through the interpreter, then draws the screen.
    void Replay(int row);
    // Lists the saved scripts of the program folder again.
    void RefreshFiles();

protected:
    void showEvent(QShowEvent* event) override;

private:
    explicit fScriptManager(QWidget* sessionWindow);
    SaveKind SelectedKind() const;
    void SetFileButtons(bool enabled);
    bool SaveScreen(const QString& path);
    void LoadTokenFile(const QString& path);
    void LoadEntityFile(const QString& path);
};

// Alt+M: the manager shown, or brought to the front.
void ShowScriptManager();

} // namespace zor
