#include "demo/DemoScreens.h"

#include <QList>

namespace demo {

namespace {

QByteArray Units(const QList<QByteArray>& units)
{
    QByteArray text("\x1b");
    for (const QByteArray& unit : units)
        text += unit + '\x1b';
    return text + "\r\n";
}

} // namespace

QByteArray LoginPrompt()
{
    return QByteArrayLiteral("\r\nLogin: ");
}

QByteArray PasswordPrompt()
{
    return QByteArrayLiteral("Password: ");
}

QByteArray LoginIncorrect()
{
    return QByteArrayLiteral("\r\nLogin incorrect\r\n");
}

QByteArray EnquiryScreen(const QByteArray& lastReply)
{
    // A box centres its caption on its middle row, under whatever lies
    // there; these boxes have none, and a heading at their top instead.
    QList<QByteArray> units = {
        "cs",
        "mh^Demo Host - Stock Enquiry",
        "bx^2^2^76^9^",
        "to^4^3^20^l^Item^^3",
        "to^4^5^14^l^Item code:^^1",
        "to^4^7^14^l^Description:^^1",
        "to^20^7^40^l^Blue widget, boxed^^2",
        "to^4^9^14^l^In stock:^^1",
        "to^20^9^8^r^1,250^^2",
        "bx^2^13^76^5^",
        "to^4^14^20^l^Actions^^3",
        "to^4^16^12^c^Search^SEARCH^4",
        "to^20^16^12^c^Details^DETAILS^4",
        "to^36^16^12^c^Log Off^" + QByteArray(LogOffReply) + "^4",
        "to^52^16^12^c^Report^REPORT^4",
    };
    if (!lastReply.isEmpty())
        units << "to^4^21^60^l^Last reply: " + lastReply + "^^1";
    units << "in^20^5^10^^^^10";
    // Search offers the items to pick from, under a header as wide as the
    // list's buttons; Details tells about the item and asks what to do.
    if (lastReply == "SEARCH")
        units << "ls^Items^Code  Description                   In stock^8"
              << "ld^x^W100  Blue widget, boxed               1,250"
              << "ld^x^W200  Red widget, loose                  310"
              << "ld^x^G300  Green gadget                        42"
              << "le";
    // Report sends a stock report to the report viewer.
    if (lastReply == "REPORT")
        units << "rh^Stock report"
              << "Code  Description           In stock\r\n"
                 "W100  Blue widget, boxed       1,250\r\n"
                 "W200  Red widget, loose          310\r\n"
                 "G300  Green gadget                42"
              << "re";
    if (lastReply == "DETAILS")
        units << "mb^Details^Blue widget, boxed~1,250 in stock^2^OK^OK^Order more^ORDER^end";
    return Units(units);
}

QByteArray Goodbye()
{
    return QByteArrayLiteral("\r\nGoodbye.\r\n");
}

QByteArray MenuTree()
{
    return Units({
        "go^ ^",
        "go^Stock[Enquiry^SEARCH^2",
        "go^Stock[Item details^DETAILS^3",
        "go^Sales[Orders[Enter orders^ORDERS^4",
        "go^Sales[Orders[Amend orders^AMEND^4",
        "go^Log Off^" + QByteArray(LogOffReply) + "^5",
    });
}

} // namespace demo
