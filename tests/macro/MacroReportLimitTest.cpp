// A macro file of very many bad lines gets a bounded report.
#include "MacroReport.h"
#include "MacroTestSupport.h"

#include <gtest/gtest.h>

TEST(MacroReportLimit, StopsAfterTheLimitWithOneClosingLine) {
    QString text;
    for (int i = 0; i < MacroReport::kMaxLines + 500; ++i)
        text += QStringLiteral("NOSUCHCOMMAND\n");
    const Macro macro = parseMacro(text);
    EXPECT_TRUE(macro.hasError);
    const QStringList lines = reportLines(macro);
    ASSERT_EQ(lines.size(), MacroReport::kMaxLines + 1);
    EXPECT_TRUE(lines[MacroReport::kMaxLines - 1].startsWith(QStringLiteral("*** ERROR (1000):")));
    EXPECT_EQ(
        lines.last(),
        QStringLiteral("*** エラーと警告が多すぎるため、1000 件より後は報告を省略しました。"));
}
