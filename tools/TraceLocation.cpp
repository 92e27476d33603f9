#include "tools/TraceLocation.h"

#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "session/fConnection.h"
#include "tools/FolderList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor {

TraceLocation& TraceLocation::instance()
{
    static TraceLocation* window = new TraceLocation(&fConnection::instance());
    return *window;
}

TraceLocation::TraceLocation(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TraceLocation"));
    setWindowTitle(QStringLiteral("Trace File Location"));
    TraceDir = new FolderList(this);
    TraceDir->setObjectName(QStringLiteral("TraceDir"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TraceDir);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(TraceDir, &FolderList::PathChanged, this, [](const QString& folder) { Trace().Folder = folder; });
    resize(320, 300);
    CenterOverWindowOnActivation(*this, *parent);
}

// Esc and the frame hide the window like its buttons; it is never unloaded,
// which would lose the folder.
void TraceLocation::done(int result)
{
    hide();
    setResult(result);
}

} // namespace zor
