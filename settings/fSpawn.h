#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zor {

// "Launch ZOR GUI Connection": the session configurations of the program
// folder, to launch one, or to copy, create and remove them with their
// companion files. Its only result is the name chosen.
class fSpawn : public QDialog {
    Q_OBJECT

public:
    explicit fSpawn(QWidget* parent = nullptr);

    // Shows the launcher modally: the configuration chosen, or empty when
    // nothing is to be launched.
    static QString Choose(QWidget* parent = nullptr);

    void File1_Click(QListWidgetItem* item);
    void File1_DblClick(QListWidgetItem* item);
    void SpawnButt_Click(int index); // 0 Launch, 1 Copy, 2 Remove, 3 Close, 4 New
    void Refresh();

    QString Chosen;

    QLabel* Label1 = nullptr;
    QListWidget* File1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<QPushButton*, 5> SpawnButt = {};

private:
    void Launch();
    void Copy();
    void New();
    void Remove();
    // The typed name of a new configuration as its file, after the overwrite
    // question; empty when the user gave none or it is refused.
    QString AskNewName();
    // Copies the configuration file, with the companions of companionsOf
    // (none when empty), refusing a copy onto itself.
    void CopyConfiguration(const QString& source, const QString& companionsOf, const QString& destination);
};

// The bytes of a configuration with the default appearance, made without
// touching the running session's settings.
QByteArray DefaultConfigBytes();

} // namespace zor
