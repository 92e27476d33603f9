#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zor {

// What the session window's menus reach outside the window: the desktop, new
// processes of the program, and windows that live in other rooms. Each entry
// starts with its real behaviour; tests put recorders here. A window entry
// that is unset tells the user the window is not available.
struct ShellLink {
    // Starts a program with its arguments, no shell between; false when it
    // could not be started.
    std::function<bool(const QString& program, const QStringList& arguments)> StartProgram;
    // Opens a document in the desktop's viewer; false when it could not.
    std::function<bool(const QString& path)> OpenDocument;
    // The session launcher: the configuration chosen, or blank for none.
    std::function<QString()> ChooseConfiguration;
    // The tips window, modal.
    std::function<void()> ShowTips;
    // The report viewer, not modal.
    std::function<void()> ShowReportViewer;
};

ShellLink& Shell();

} // namespace zor
