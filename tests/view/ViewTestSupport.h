#pragma once

#include "CEditer.h"
#include "Clock.h"
#include "DocumentFileDialog.h"
#include "MessageService.h"
#include "PosixFileSystem.h"
#include "TempProfile.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// A fresh registry in a temporary folder, the settings over it, scripted
// message boxes and a fixed clock: everything a view needs.
struct ViewEnvironment {
    TempProfile profile{[] { return QFontDatabase::families(); }};
    Registry* registry = &profile.registry();
    Settings* settings = &profile.settings();
    PosixFileSystem fileSystem;
    std::unique_ptr<DocumentServiceSet> documents;
    ScriptedMessageService messages;
    FixedClock clock{QDateTime(QDate(2011, 7, 8), QTime(23, 30, 5))};
    bool recentPlatform = false;

    ViewEnvironment() {
        documents = std::make_unique<DocumentServiceSet>(
            *settings, Locale(0x0411, 0x0411), QCoreApplication::applicationPid(), fileSystem);
    }

    ViewServices services() {
        ViewServices s{*settings, messages, clock, Locale(0x0411, 0x0411)};
        s.isRecentPlatform = [this] { return recentPlatform; };
        return s;
    }

    // A shown view after its first initial update, at a phone-like size.
    std::unique_ptr<CEditer> makeView(QSize size = QSize(480, 640)) {
        auto view = std::make_unique<CEditer>(services(), documents->services());
        view->resize(size);
        view->show();
        view->OnInitialUpdate();
        view->OnTimer(17); // arrange the controls now instead of in 300 ms
        return view;
    }
};

// The document's file dialog: keeps the requests and gives the scripted
// answer, or cancels.
class ScriptedFileDialog : public DocumentFileDialog {
  public:
    std::vector<DocumentDialogRequest> requests;
    std::function<std::optional<DocumentDialogResult>(DocumentDialogRequest&)> answer;

    std::optional<DocumentDialogResult> run(DocumentDialogRequest& request, QWidget*) override {
        requests.push_back(request);
        return answer ? answer(request) : std::nullopt;
    }
};

// The state the view gives one of its commands, asked as the command router
// asks: starting enabled.
inline CommandState commandState(CEditer& view, int id) {
    CommandState state{true};
    EXPECT_TRUE(view.onUpdateCommand(id, state)) << "command " << id;
    return state;
}
inline bool commandEnabled(CEditer& view, int id) {
    return commandState(view, id).enabled;
}

// A test with a shown view of its own.
class ViewTest : public ::testing::Test {
  protected:
    bool enabled(int id) { return commandEnabled(*view, id); }

    ViewEnvironment env;
    std::unique_ptr<CEditer> view = env.makeView();
};

// The item texts of a menu, in order; separators as "-".
inline QStringList menuTexts(const QMenu* menu) {
    if (!menu)
        return {QStringLiteral("<no menu>")};
    QStringList result;
    for (const QAction* action : menu->actions())
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

// "line 1\r\nline 2\r\n..." with n lines.
inline QString numberedLines(int n) {
    QString s;
    for (int i = 1; i <= n; ++i) {
        s += QStringLiteral("line %1").arg(i);
        if (i < n)
            s += QStringLiteral("\r\n");
    }
    return s;
}

// A text of exactly n characters in lines of 62 characters and CR LF.
inline QString textOfLength(int n) {
    QString s;
    s.reserve(n);
    while (s.size() < n)
        s += QStringLiteral("abcdefghijklmnopqrstuvwxyz abcdefghijklmnopqrstuvwxyz 0123456\r\n");
    s.truncate(n);
    return s;
}
