#include "ViewTestSupport.h"
#include "WaitFor.h"

#include "CommandIds.h"

#include <QSignalSpy>

using InsertStringView = ViewTest;

// The keys of the entries are pressed in the tests below.
TEST(InsertStrings, StoredFormSplitsAtTheFirstTab) {
    const InsertStringEntry a = insertstrings::parse(QStringLiteral("<b>\t</b>\tx"), 5);
    EXPECT_TRUE(a.hasEndText);
    EXPECT_EQ(a.insertText + u'|' + a.endText, QStringLiteral("<b>|</b>\tx"));
    EXPECT_FALSE(insertstrings::parse(QStringLiteral("plain"), 3).hasEndText);
    EXPECT_EQ(insertstrings::recordedText(a), QStringLiteral("<b>\t</b>\tx"));
}

TEST_F(InsertStringView, CtrlHSurroundsTheSelectionAndCtrlLInsertsTheDate) {
    view->SetText(QStringLiteral("say word now"));
    view->SetSel(4, 8);
    QTest::keyClick(&view->activeEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(view->GetText(), QStringLiteral("say <word> now"));
    EXPECT_EQ(view->GetSel(), std::make_pair(5, 9));
    // A selection over lines: the start and end texts, once each.
    view->SetText(QStringLiteral("a\r\nb"));
    view->SetSel(0, 4);
    view->onCommand(cmd::ID_INSERT_STRING1 + 2);
    EXPECT_EQ(view->GetText(), QStringLiteral("[a\r\nb]"));
    EXPECT_EQ(view->GetSel(), std::make_pair(1, 5));

    // Without a selection the caret ends between the two texts.
    view->SetText(QString());
    QTest::keyClick(&view->activeEdit(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(view->GetText(), QStringLiteral("{}"));
    EXPECT_EQ(view->GetSel(), std::make_pair(1, 1));
    // Ctrl+L: the date of the fixed clock.
    view->SetText(QString());
    QTest::keyClick(&view->activeEdit(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(view->GetText(), QStringLiteral("2011年07月08日 23:30"));
}

TEST_F(InsertStringView, TemplatesAndPlainTextsReplaceTheSelection) {
    env.settings->writeString(QStringLiteral("INS_KEY_VALUE5"),
                              QStringLiteral("#WW/MM/DD DofWjpn#"));
    env.settings->writeString(QStringLiteral("INS_KEY_VALUE6"), QStringLiteral("Regards,"));
    view->ApplySettings();
    view->SetText(QStringLiteral("x SEL y"));
    view->SetSel(2, 5);
    QTest::keyClick(&view->activeEdit(), Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view->GetText(), QStringLiteral("x Regards, y"));
    view->SetSel(0, 1);
    QTest::keyClick(&view->activeEdit(), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view->GetText(), QStringLiteral("平成23/07/08 金 Regards, y"));
    // Each insertion is an undoable edit.
    ASSERT_TRUE(view->Undo());
    EXPECT_EQ(view->GetText(), QStringLiteral("x Regards, y"));
}

TEST_F(InsertStringView, EmptyEntriesDoNothing) {
    view->SetText(QStringLiteral("keep"));
    view->SetSel(0, 4);
    view->onCommand(cmd::ID_INSERT_STRING8);
    EXPECT_EQ(view->GetText(), QString());
    view->SetText(QStringLiteral("keep"));
    view->insertStrings.resize(2);
    view->SetSel(0, 4);
    EXPECT_TRUE(view->onCommand(cmd::ID_INSERT_STRING1 + 3)); // beyond the entries
    EXPECT_EQ(view->GetText(), QStringLiteral("keep"));
}

TEST_F(InsertStringView, MenuListsTheEntriesWithTheirKeys) {
    const QStringList entries{u"<>"_qs, u"{}"_qs, u"[]"_qs, u"#YY年MM月DD日 HH:TT#"_qs};
    QStringList withKeys;
    for (int i = 0; i < 4; ++i)
        withKeys << entries[i] + u"\tCtrl+"_qs + QChar(u"HJKL"[i]);
    ASSERT_EQ(menuTexts(view->insertMenu()), withKeys);
    EXPECT_EQ(view->insertMenu()->actions()[3]->data().toInt(), 32844);
    view->insertMenu()->actions()[1]->trigger();
    EXPECT_EQ(view->GetText(), QStringLiteral("{}"));

    env.settings->writeString(QStringLiteral("INS_KEY_VALUE7"), QStringLiteral("a\tb"));
    env.recentPlatform = true;
    view->ApplySettings();
    ASSERT_EQ(menuTexts(view->insertMenu()), entries + QStringList{u"ab"_qs});
    EXPECT_EQ(view->insertMenu()->actions()[4]->data().toInt(), 32847);

    // Without entries the menu shows one disabled item.
    for (int i = 1; i <= 8; ++i)
        env.settings->writeString(QStringLiteral("INS_KEY_VALUE%1").arg(i), QString());
    view->ApplySettings();
    ASSERT_EQ(menuTexts(view->insertMenu()), QStringList{u"(未登録)"_qs});
    EXPECT_FALSE(view->insertMenu()->actions()[0]->isEnabled());
    EXPECT_EQ(view->insertMenu()->actions()[0]->data().toInt(), 32841);
}

TEST_F(InsertStringView, SoftKeyOpensTheMenuOverTheBottomOfTheText) {
    view->onCommand(cmd::ID_INSERT_STRING_MENU);
    TAVLO_TRY_VERIFY(view->insertMenu()->isVisible());
    view->insertMenu()->hide();
}

TEST_F(InsertStringView, RecordingHandsAMarkupStepToTheRecorder) {
    QSignalSpy steps(view.get(), &CEditer::macroStepRecorded);
    view->onCommand(cmd::ID_INSERT_STRING1);
    EXPECT_EQ(steps.count(), 0); // not recording
    view->state().macroRecording = true;
    view->onCommand(cmd::ID_INSERT_STRING1);
    QTest::keyClicks(&view->activeEdit(), QStringLiteral("q"));
    ASSERT_GE(steps.count(), 3);
    const auto step = [&](int i) { return steps.at(i).at(0).value<RecordedStep>(); };
    EXPECT_EQ(std::tuple(step(0).kind, step(0).text, step(0).skipModifiers),
              std::tuple(RecordedStep::Kind::Markup, u"<\t>"_qs, true));
    EXPECT_EQ(std::pair(step(1).kind, step(1).key), std::pair(RecordedStep::Kind::KeyDown, int(Qt::Key_Q)));
    EXPECT_EQ(std::pair(step(2).kind, step(2).text),
              std::pair(RecordedStep::Kind::Character, u"q"_qs));
}
