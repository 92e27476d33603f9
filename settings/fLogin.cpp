#include "settings/fLogin.h"

#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "core/WindowUtils.h"
#include "session/AutoReplies.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/Properties.h"
#include "settings/ReplyLists.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QToolBar>

namespace zor {

namespace {

// The layout in twips: the account list is shown from two accounts on.
constexpr int FormWidth = 4575;
constexpr int HeightWithoutList = 2335;
constexpr int HeightWithList = 2835;
constexpr int ButtonTopWithoutList = 1245;
constexpr int ButtonTopWithList = 1845;
constexpr int ButtonWidth = 1335;
constexpr int ButtonHeight = 375;
constexpr int LabelLeft = 240;
constexpr int BoxLeft = 1320;
constexpr int BoxWidth = 3000;
constexpr int RowHeight = 315;

void Place(QWidget& control, int left, int top, int width, int height)
{
    control.setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

template <typename Control> Control* Make(QWidget* parent, const char* name, const QString& text = QString())
{
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    if constexpr (!std::is_same_v<Control, QListWidget>)
        control->setText(text);
    return control;
}

} // namespace

fLogin& fLogin::instance()
{
    static fLogin* dialog = new fLogin();
    return *dialog;
}

fLogin::fLogin() : QDialog(&fConnection::instance())
{
    setObjectName(QStringLiteral("fLogin"));
    setWindowTitle(QStringLiteral("Log On"));
    setModal(true);

    Label1 = Make<QLabel>(this, "Label1", QStringLiteral("User ID:"));
    Text1 = Make<QLineEdit>(this, "Text1", QStringLiteral("POS"));
    Label2 = Make<QLabel>(this, "Label2", QStringLiteral("Password:"));
    Text2 = Make<QLineEdit>(this, "Text2");
    MakePasswordBox(*Text2);
    Label3 = Make<QLabel>(this, "Label3", QStringLiteral("Account:"));
    lbAccountList = Make<QListWidget>(this, "lbAccountList");
    Command1 = Make<QPushButton>(this, "Command1", QStringLiteral("&Log On"));
    Command2 = Make<QPushButton>(this, "Command2", QStringLiteral("&Cancel"));
    Command1->setDefault(true);

    Place(*Label1, LabelLeft, 240, BoxLeft - LabelLeft, RowHeight);
    Place(*Text1, BoxLeft, 240, BoxWidth, RowHeight);
    Place(*Label2, LabelLeft, 720, BoxLeft - LabelLeft, RowHeight);
    Place(*Text2, BoxLeft, 720, BoxWidth, RowHeight);
    Place(*Label3, LabelLeft, 1200, BoxLeft - LabelLeft, RowHeight);
    Place(*lbAccountList, BoxLeft, 1200, BoxWidth, 555);

    connect(Command1, &QPushButton::clicked, this, &fLogin::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &fLogin::Command2_Click);

    // The automatic replies' placeholders read the boxes at match time.
    ReplyLink().UserId = [this] { return Text1->text(); };
    ReplyLink().Password = [this] { return Text2->text(); };
    ReplyLink().Account = [this] {
        const QListWidgetItem* item = lbAccountList->currentItem();
        return item ? item->text() : QString();
    };
    Form_Load();
}

void fLogin::Form_Load()
{
    const QString user = TrimBlanksAndNuls(LastUser);
    if (!user.isEmpty())
        Text1->setText(user);
    resize(TwipsToPixels(FormWidth), TwipsToPixels(HeightWithoutList));
    fConnection& session = fConnection::instance();
    PlaceUnderToolbar(*this, session, session.Toolbar ? session.Toolbar->height() : 0);
    Text1->selectAll();
}

void fLogin::Form_Activate()
{
    const int accounts = lbAccountList->count();
    const bool listShown = accounts >= 2;
    if (accounts >= 1)
        lbAccountList->setCurrentRow(0);
    lbAccountList->setVisible(listShown);
    Label3->setVisible(listShown);
    resize(TwipsToPixels(FormWidth), TwipsToPixels(listShown ? HeightWithList : HeightWithoutList));
    const int buttonTop = listShown ? ButtonTopWithList : ButtonTopWithoutList;
    Place(*Command1, BoxLeft, buttonTop, ButtonWidth, ButtonHeight);
    Place(*Command2, BoxLeft + ButtonWidth + 330, buttonTop, ButtonWidth, ButtonHeight);

    const fConnection& session = fConnection::instance();
    move(session.x() + (session.width() - width()) / 2, session.y() + (session.height() - height()) / 2);
    Text2->clear();
}

void fLogin::Command1_Click()
{
    if (Text1->text().isEmpty())
        return;
    LastUser = FixedWidth(Text1->text(), ConfigLastUserWidth);
    LoginPassword = FixedWidth(Text2->text(), LoginPasswordWidth);
    Properties::instance().SaveINI();
    SetTempList();
    Text1->setFocus();
    LogonFailed = VbFalse;
    done(Accepted);
}

void fLogin::Command2_Click()
{
    Text1->clear();
    Text1->setFocus();
    done(Rejected);
    LoginCancelled = VbTrue;
}

void fLogin::reject() {}

void fLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void fLogin::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

} // namespace zor
