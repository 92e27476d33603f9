#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zor {

class FolderList;

// Chooses the backdrop picture: a drive, a folder and the pictures in it,
// with a preview of the one selected. The picker opens on the folder of the
// picture in use. Accept answers a file, never a folder; Delete removes a
// picture from the disk only once the user has said yes.
class fPicView : public QDialog {
    Q_OBJECT

public:
    explicit fPicView(const QString& currentPicture, QWidget* parent = nullptr);

    // Shows the picker modally over the parent: the chosen picture's full
    // path, or empty when the user chose none.
    static QString Choose(const QString& currentPicture, QWidget* parent);
    QString Chosen() const { return mChosen; }

    // The pictures the file list shows.
    static const QStringList& PicturePatterns();

    void Drive1_Change();
    void File1_Click();
    void File1_KeyDown(int key);
    void Command2_Click(); // Accept

    QComboBox* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Command2 = nullptr; // &Accept
    QPushButton* Command1 = nullptr; // &Cancel

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFolder(const QString& folder);
    QString SelectedFile() const;

    QString mChosen;
};

} // namespace zor
