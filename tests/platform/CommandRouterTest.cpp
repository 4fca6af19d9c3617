#include "CommandRouter.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Records which target ran which command, in order.
using Log = QStringList;

CommandMap::Handler record(Log& log, const QString& entry) {
    return [&log, entry] { log << entry; };
}

} // namespace

TEST(CommandRouter, ViewThenFrameThenApplication) {
    Log log;
    CommandMap view, frame, app;
    view.on(100, record(log, u"view 100"_qs));
    frame.on(100, record(log, u"frame 100"_qs));
    frame.on(200, record(log, u"frame 200"_qs));
    app.on(200, record(log, u"app 200"_qs));
    app.on(300, record(log, u"app 300"_qs));
    CommandRouter router;
    router.setTargets({&view, &frame, &app});

    EXPECT_TRUE(router.execute(100));
    EXPECT_TRUE(router.execute(200));
    EXPECT_TRUE(router.execute(300));
    EXPECT_EQ(log, (QStringList{u"view 100"_qs, u"frame 200"_qs, u"app 300"_qs}));
}

TEST(CommandRouter, OnlyAHandledCommandIsEnabledAndRuns) {
    CommandMap view, app;
    app.on(57664, [] {});
    CommandRouter router;
    router.setTargets({&view, &app});
    const CommandState state = router.query(57603);
    EXPECT_FALSE(state.enabled || state.checked || state.text.has_value());
    EXPECT_FALSE(router.execute(57603));
    // A handler without an update rule is enabled.
    EXPECT_TRUE(router.query(57664).enabled);
}

TEST(CommandRouter, FirstClaimingTargetDecidesTheState) {
    Log log;
    CommandMap view, frame;
    bool canUndo = false;
    view.on(57643, record(log, u"undo"_qs), [&canUndo](CommandState& s) { s.enabled = canUndo; });
    frame.on(57643, record(log, u"frame undo"_qs));
    CommandRouter router;
    router.setTargets({&view, &frame});

    EXPECT_FALSE(router.query(57643).enabled);
    EXPECT_FALSE(router.execute(57643)) << "a disabled command is not run";
    EXPECT_TRUE(log.isEmpty());
    canUndo = true;
    EXPECT_TRUE(router.execute(57643));
    EXPECT_EQ(log, QStringList{u"undo"_qs});
}

// A range handler run with its id: CommandActionsTest (the recent files).
TEST(CommandRouter, CheckAndTextComeFromTheUpdateHandler) {
    CommandMap view;
    bool recording = false;
    view.on(
        32852, [] {},
        [&recording](CommandState& s) {
            s.text =
                recording ? u"記録終了(&R)\tShift+Ctrl+R"_qs : u"マクロの記録(&R)\tShift+Ctrl+R"_qs;
        });
    view.onRange(
        32778, 32781, [](int) {}, [](int id, CommandState& s) { s.checked = id == 32780; });
    CommandRouter router;
    router.setTargets({&view});
    EXPECT_EQ(router.query(32852).text, u"マクロの記録(&R)\tShift+Ctrl+R"_qs);
    recording = true;
    EXPECT_EQ(router.query(32852).text, u"記録終了(&R)\tShift+Ctrl+R"_qs);
    EXPECT_FALSE(router.query(32778).checked);
    EXPECT_TRUE(router.query(32780).checked);
    EXPECT_TRUE(router.query(32781).enabled);
    EXPECT_FALSE(router.query(32782).enabled);
}

TEST(CommandRouter, HandlerMayRemoveTargetsWhileRunning) {
    Log log;
    CommandMap view, frame;
    CommandRouter router;
    view.on(1, [&] {
        log << u"view"_qs;
        router.removeTarget(&view);
        router.removeTarget(&frame);
    });
    frame.on(2, record(log, u"frame"_qs));
    router.setTargets({&view, &frame});
    EXPECT_TRUE(router.execute(1));
    EXPECT_FALSE(router.execute(2));
    EXPECT_TRUE(router.targets().empty());
    EXPECT_EQ(log, (QStringList{u"view"_qs}));

    // Targets are added once; null is ignored.
    router.setTargets({&view, nullptr});
    router.addTarget(&frame);
    router.addTarget(&view);
    router.addTarget(nullptr);
    EXPECT_EQ(router.targets(), (std::vector<CommandTarget*>{&view, &frame}));
}
