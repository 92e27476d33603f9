#include "tools/fReport.h"

#include "session/fConnection.h"
#include "tools/ReportStore.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zor {

fReport& fReport::instance()
{
    static fReport* window = new fReport();
    return *window;
}

fReport::fReport() : QWidget(&fConnection::instance(), Qt::Window)
{
    setObjectName(QStringLiteral("fReport"));
    gdReportGrid = new QPlainTextEdit(this);
    gdReportGrid->setObjectName(QStringLiteral("gdReportGrid"));
    gdReportGrid->setReadOnly(true);
    gdReportGrid->setLineWrapMode(QPlainTextEdit::NoWrap);
    gdReportGrid->setFont(QFont(QStringLiteral("Courier New")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gdReportGrid);
    resize(800, 600);
}

void fReport::ShowReport()
{
    setWindowTitle(Report().Caption);
    gdReportGrid->setPlainText(Report().Rows.join(QLatin1Char('\n')));
    show();
    raise();
}

} // namespace zor
