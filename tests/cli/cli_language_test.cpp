// quilmo-cli speaks the language the windows speak under the same locale: the Japanese texts as
// they are written under a Japanese or C locale, their translation under an English one; what
// scripts parse (--plain lines, exit statuses) is the same in every one.

#include <gtest/gtest.h>

#include <QTranslator>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "bigbitmap/ui_text.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

struct TLocaleCase {
    std::string Locale;
    bool English;
};
const std::vector<TLocaleCase> kLocales{{"ja_JP.UTF-8", false}, {"en_US.UTF-8", true}, {"C", false}};

TCliResult RunIn(const TLocaleCase& locale, const std::vector<std::string>& arguments)
{
    return TCliProcess(arguments, {.Environment = {"LC_ALL=", "LC_MESSAGES=", "LANG=" + locale.Locale}}).Wait();
}

// A marked text as the locale shows it, its values filled in; the English one read from the
// translation the program is built with.
std::string Expected(const TLocaleCase& locale, const char* japanese, std::initializer_list<std::string> values = {})
{
    static QTranslator english;
    static const bool loaded = english.load(QStringLiteral(QUILMO_CLI_TRANSLATION));
    EXPECT_TRUE(loaded);
    const std::string translated = english.translate("quilmo", japanese).toStdString();
    EXPECT_FALSE(translated.empty()) << japanese;
    return FillIn(locale.English ? translated : japanese, values);
}

TEST(CliLanguage, HelpIsInTheLocalesLanguage)
{
    for (const TLocaleCase& locale : kLocales) {
        SCOPED_TRACE(locale.Locale);
        const TCliResult help = RunIn(locale, {"join", "--help"});
        ASSERT_EQ(help.Status, 0) << help.Err;
        for (const char* text : {"使い方", "画像を横か縦に、1 列に、または折り返して格子状に連結する",
                                 "このヘルプを表示して終了する", "連結する順の画像"})
            EXPECT_NE(help.Out.find(Expected(locale, text)), std::string::npos) << help.Out;
        // CLI11's own headings are translated too.
        if (!locale.English) EXPECT_EQ(help.Out.find("Options:"), std::string::npos) << help.Out;
    }
}

TEST(CliLanguage, PairLinesAndMessagesAreInTheLocalesLanguageAndPlainLinesNever)
{
    const TScratchFolder folder;
    const std::vector<std::string> missingPair{"batch", "--left", (folder / "l.bmp").string(),
                                               "--right", (folder / "r.bmp").string(),
                                               "--out", (folder / "out").string()};
    std::vector<std::string> plain = missingPair;
    plain.push_back("--plain");
    for (const TLocaleCase& locale : kLocales) {
        SCOPED_TRACE(locale.Locale);
        const TCliResult lines = RunIn(locale, missingPair);
        EXPECT_EQ(lines.Status, 1);
        EXPECT_EQ(lines.Out, Expected(locale, "%1行目処理中", {"1"}) + Expected(locale, "------エラー") + "\n");
        const std::string summary = Expected(locale, "%2 組のうち %1 組が成功しませんでした", {"1", "1"}) + "\n";
        EXPECT_TRUE(lines.Err.ends_with(summary)) << lines.Err;
        const std::string missing = (folder / "r.bmp").string();
        EXPECT_NE(lines.Err.find(Expected(locale, "ファイル \"%1\" を開けません。%2", {missing, std::strerror(ENOENT)})),
                  std::string::npos)
            << lines.Err;

        const TCliResult plainLines = RunIn(locale, plain);
        EXPECT_EQ(plainLines.Status, 1);
        EXPECT_EQ(plainLines.Out, "1 error\n");

        const TCliResult noPlugins = RunIn(locale, {"--plugins", folder.Path().string(), "info", "x.bmp"});
        EXPECT_EQ(noPlugins.Status, 1);
        EXPECT_EQ(noPlugins.Err, Expected(locale, "プラグイン読み込みに失敗しました<(>_<)>") + "\n");
    }
}

}  // namespace
