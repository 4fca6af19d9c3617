#include "MessageService.h"

#include <gtest/gtest.h>

using namespace mb;

// What the command-line program answers, and the scripted service once its
// queue is empty (the queue itself is used by every test that answers a box).
TEST(MessageService, AnUnansweredBoxGivesItsDefaultButton) {
    EXPECT_EQ(defaultAnswerFor(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(defaultAnswerFor(MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(defaultAnswerFor(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(defaultAnswerFor(MB_OK | MB_ICONINFORMATION), IDOK);
}
