#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zor {

// What the program reaches outside the session window: the desktop, new
// processes of the program, and the windows of other rooms that the start-up
// sequence and the window's menus show. Each entry starts with its real
// behaviour; tests put recorders here. A window entry that is unset tells the
// user the window is not available.
struct ShellLink {
    // Starts a program with its arguments, no shell between; false when it
    // could not be started.
    std::function<bool(const QString& program, const QStringList& arguments)> StartProgram;
    // Opens a document in the desktop's viewer; false when it could not.
    std::function<bool(const QString& path)> OpenDocument;
    // The session launcher, modal: the configuration chosen, or blank for none.
    std::function<QString()> ChooseConfiguration;
    // The tips window, modal.
    std::function<void()> ShowTips;
    // The report viewer, not modal.
    std::function<void()> ShowReportViewer;
    // The start-up picture, modal.
    std::function<void()> ShowSplash;
};

ShellLink& Shell();

} // namespace zor
