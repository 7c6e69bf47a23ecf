#include "platform/FilePath.h"

#include <gtest/gtest.h>

using namespace morvane;

// A name that is not UTF-8 (given on the command line, dropped or listed)
// reaches the file byte for byte through the window's text.
TEST(FilePath, EveryNameComesBackByteForByte)
{
    const std::filesystem::path root = "/kits";
    const std::string names[] = {
        "bad\xff\xfe.syx", "caf\xc3\xa9 kit.syx", "\xc0\xaf overlong", "\xed\xa0\x80 surrogate",
        "\xf0\x90\x82\x80 past the basic plane", "cut \xe2\x82",
    };
    for (const auto& name : names) {
        const auto path = root / name;
        EXPECT_EQ(toFilePath(fromFilePath(path)), path) << name;
        const auto dropped = QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
        EXPECT_EQ(toFilePath(localFilePath(dropped)), path) << name;
    }
    EXPECT_EQ(fromFilePath(root / "caf\xc3\xa9.syx"), QStringLiteral("/kits/caf\u00e9.syx"));
    EXPECT_TRUE(localFilePath(QUrl("https://example.org/a.syx")).isEmpty());
}
