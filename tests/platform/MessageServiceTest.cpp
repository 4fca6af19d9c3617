#include "MessageService.h"

#include <gtest/gtest.h>

using namespace mb;

TEST(ScriptedMessageService, RecordsBoxesAndAnswersFromScriptThenDefaults) {
    ScriptedMessageService messages;
    messages.queueAnswer(IDNO);
    EXPECT_EQ(messages.show("q1", "cap", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(messages.show("q2", "cap", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(messages.show("q3", "cap", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(messages.show("info", "cap", MB_OK | MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(messages.shown().size(), 4u);
    EXPECT_EQ(messages.shown()[0].style, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(messages.texts(), (QStringList{"q1", "q2", "q3", "info"}));
}
