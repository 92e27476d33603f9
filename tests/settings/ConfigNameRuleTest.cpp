#include "settings/ConfigFile.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zor;

TEST(ConfigNameRule, TypedNamesBecomeConfigurationFilesOrAreRefused)
{
    const struct {
        QString typed;
        QString file; // empty: refused
    } cases[] = {
        {"abc", "abc.ntt"},
        {"abc.txt", "abc.ntt"},
        {"abc.NTT", "abc.NTT"},
        {"a.b.ntt", "a.b.ntt"},
        {"a.b.c", "a.ntt"},
        {"abc.", "abc.ntt"},
        {"b c", "b c.ntt"},
        {"a;rm -rf ~", "a;rm -rf ~.ntt"},
        {"../x", ""},
        {"/tmp/x", ""},
        {"sub\\x", ""},
        {"a..ntt", ""},
        {".ntt", ""},
        {".x", ""},
        {".shop.ntt", ""},
        {".shop.NTT", ""},
        {"   ", ""},
        {"  .ntt", ""},
        {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), ""},
        {"a\rb", ""},
    };
    for (const auto& c : cases) {
        const ConfigName name = ConfigNameRule(c.typed);
        EXPECT_EQ(name.file, c.file) << c.typed.toStdString();
        EXPECT_EQ(name.refusal.isEmpty(), !c.file.isEmpty()) << c.typed.toStdString();
    }
}
