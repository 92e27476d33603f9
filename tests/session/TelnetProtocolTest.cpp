#include "session/TelnetProtocol.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

QByteArray Bytes(std::initializer_list<int> codes)
{
    QByteArray bytes;
    for (int code : codes)
        bytes.append(static_cast<char>(code));
    return bytes;
}

enum : int { SE = 240, NOP = 241, GA = 249, SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254, IAC = 255 };
enum : int { BINARY = 0, ECHO_ = 1, SGA = 3, TTYPE = 24, NAWS = 31, LINEMODE = 34, NEW_ENVIRON = 39 };

struct Case {
    const char* name;
    QByteArray in;
    QByteArray data;
    QByteArray answer;
};

const QByteArray TtypeIs = Bytes({IAC, SB, TTYPE, 0}) + "vt220" + Bytes({IAC, SE});

std::vector<Case> Cases()
{
    return {
        {"text kept byte for byte",
         QByteArray("ab\r\n\x1b"
                    "cd\n\r\n",
                    9),
         QByteArray("ab\r\n\x1b"
                    "cd\n\r\n",
                    9),
         {}},
        {"IAC IAC is 255",
         QByteArray("a") + Bytes({IAC, IAC}) + "b",
         QByteArray("a\xff"
                    "b"),
         {}},
        {"CR NUL is a lone CR", QByteArray("a\r\0b\r\0\0", 7), QByteArray("a\rb\r\0", 5), {}},
        {"host echo and go-ahead accepted",
         Bytes({IAC, WILL, ECHO_, IAC, WILL, SGA}),
         {},
         Bytes({IAC, DO, ECHO_, IAC, DO, SGA})},
        {"we suppress go-ahead, never echo",
         Bytes({IAC, DO, SGA, IAC, DO, ECHO_}),
         {},
         Bytes({IAC, WILL, SGA, IAC, WONT, ECHO_})},
        {"other options refused",
         Bytes({IAC, DO, NAWS, IAC, WILL, BINARY, IAC, DO, LINEMODE, IAC, WILL, NEW_ENVIRON}),
         {},
         Bytes({IAC, WONT, NAWS, IAC, DONT, BINARY, IAC, WONT, LINEMODE, IAC, DONT, NEW_ENVIRON})},
        {"busybox greeting", Bytes({IAC, DO, ECHO_, IAC, DO, NAWS, IAC, WILL, ECHO_, IAC, WILL, SGA}) + "login",
         "login", Bytes({IAC, WONT, ECHO_, IAC, WONT, NAWS, IAC, DO, ECHO_, IAC, DO, SGA})},
        {"a repeated request is not answered again",
         Bytes({IAC, WILL, ECHO_, IAC, WILL, ECHO_}),
         {},
         Bytes({IAC, DO, ECHO_})},
        {"terminal type sent when asked",
         Bytes({IAC, DO, TTYPE, IAC, SB, TTYPE, 1, IAC, SE}),
         {},
         Bytes({IAC, WILL, TTYPE}) + TtypeIs},
        {"terminal type request before agreement dropped",
         QByteArray("x") + Bytes({IAC, SB, TTYPE, 1, IAC, SE}) + "y",
         "xy",
         {}},
        {"terminal type IS from the host dropped",
         Bytes({IAC, DO, TTYPE, IAC, SB, TTYPE, 0}) + "evil" + Bytes({IAC, SE}) + "z", "z", Bytes({IAC, WILL, TTYPE})},
        {"environment sub-negotiation never agreed dropped",
         QByteArray("x") + Bytes({IAC, SB, NEW_ENVIRON, 0, 0, 1, 3, 1, 0, IAC, SE}) + "y",
         "xy",
         {}},
        {"IAC IAC inside a sub-negotiation", Bytes({IAC, SB, NAWS, 0, IAC, IAC, 0, 24, IAC, SE}) + "k", "k", {}},
        {"a command ends an unfinished sub-negotiation", Bytes({IAC, SB, NAWS, 1, 2, IAC, WILL, ECHO_}) + "z", "z",
         Bytes({IAC, DO, ECHO_})},
        {"a sub-negotiation ended by a new one", Bytes({IAC, SB, NAWS, 1, IAC, SB, TTYPE, 1, IAC, SE}) + "q", "q", {}},
        {"other commands ignored", QByteArray("a") + Bytes({IAC, NOP, IAC, GA}) + "b", "ab", {}},
        {"a long sub-negotiation dropped whole",
         Bytes({IAC, SB, 200}) + QByteArray(20000, 'x') + Bytes({IAC, SE}) + "e",
         "e",
         {}},
    };
}

} // namespace

TEST(TelnetProtocol, BytesInGiveDataAndAnswers)
{
    for (const Case& c : Cases()) {
        TelnetProtocol protocol;
        const TelnetProtocol::Result result = protocol.Receive(c.in);
        EXPECT_EQ(result.data.toHex(' '), c.data.toHex(' ')) << c.name;
        EXPECT_EQ(result.answer.toHex(' '), c.answer.toHex(' ')) << c.name;
    }
}

TEST(TelnetProtocol, AnySplitOfTheStreamGivesTheSameResult)
{
    for (const Case& c : Cases()) {
        if (c.in.size() > 64)
            continue;
        for (qsizetype cut = 1; cut < c.in.size(); ++cut) {
            TelnetProtocol protocol;
            TelnetProtocol::Result first = protocol.Receive(c.in.left(cut));
            const TelnetProtocol::Result second = protocol.Receive(c.in.mid(cut));
            EXPECT_EQ((first.data + second.data).toHex(' '), c.data.toHex(' ')) << c.name << " cut at " << cut;
            EXPECT_EQ((first.answer + second.answer).toHex(' '), c.answer.toHex(' ')) << c.name << " cut at " << cut;
        }
        TelnetProtocol protocol;
        QByteArray data, answer;
        for (const char byte : c.in) {
            const TelnetProtocol::Result part = protocol.Receive(QByteArray(1, byte));
            data += part.data;
            answer += part.answer;
        }
        EXPECT_EQ(data.toHex(' '), c.data.toHex(' ')) << c.name << " byte by byte";
        EXPECT_EQ(answer.toHex(' '), c.answer.toHex(' ')) << c.name << " byte by byte";
    }
}

TEST(TelnetProtocol, EncodeDoublesIacOnly)
{
    TelnetProtocol protocol;
    EXPECT_EQ(protocol
                  .Encode(QByteArray("a\xff"
                                     "b\r\n\x1b\0",
                                     7))
                  .toHex(' '),
              QByteArray("a\xff\xff"
                         "b\r\n\x1b\0",
                         8)
                  .toHex(' '));
    EXPECT_TRUE(protocol.Encode(QByteArray()).isEmpty());
}

TEST(TelnetProtocol, TerminalTypeRefusedAgainAfterDont)
{
    TelnetProtocol protocol;
    protocol.Receive(Bytes({IAC, DO, TTYPE}));
    const auto result = protocol.Receive(Bytes({IAC, DONT, TTYPE, IAC, SB, TTYPE, 1, IAC, SE}));
    EXPECT_EQ(result.answer.toHex(' '), Bytes({IAC, WONT, TTYPE}).toHex(' '));
}
