// A macro file of very many bad lines gets a bounded report.
#include "Macro.h"
#include "MacroLoader.h"
#include "MacroReport.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(MacroReportLimit, StopsAfterTheLimitWithOneClosingLine) {
    QString text;
    for (int i = 0; i < MacroReport::kMaxLines + 500; ++i)
        text += QStringLiteral("NOSUCHCOMMAND\n");
    Macro macro;
    parseMacroText(macro, text);
    EXPECT_TRUE(macro.hasError);
    const QStringList lines = macro.report.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), MacroReport::kMaxLines + 1);
    EXPECT_TRUE(lines[MacroReport::kMaxLines - 1].startsWith(QStringLiteral("*** ERROR (1000):")));
    EXPECT_EQ(
        lines.last(),
        QStringLiteral("*** エラーと警告が多すぎるため、1000 件より後は報告を省略しました。"));
}
