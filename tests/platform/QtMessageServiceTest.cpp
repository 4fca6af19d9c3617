#include "QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace mb;

namespace {

// Runs `inspect` on the message box as soon as it is up, from the box's own
// event loop.
void whenBoxShows(std::function<void(QMessageBox*)> inspect) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        inspect(box);
    });
    timer->start();
}

} // namespace

TEST(QtMessageServiceTest, ButtonsIconDefaultAndTopmostFollowTheStyle) {
    QtMessageService service;
    bool inspected = false;
    whenBoxShows([&](QMessageBox* box) {
        inspected = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Tavloテキストエディタ"));
        EXPECT_EQ(box->text(),
                  QStringLiteral("<b>ファイルは更新されています。</b>\n変更を保存しますか？"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
        box->button(QMessageBox::Yes)->click();
    });
    const int answer =
        service.show(QStringLiteral("<b>ファイルは更新されています。</b>\n変更を保存しますか？"),
                     QStringLiteral("Tavloテキストエディタ"),
                     MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST);
    EXPECT_TRUE(inspected);
    EXPECT_EQ(answer, IDYES);
}

TEST(QtMessageServiceTest, EnterTakesTheDefaultButtonAndEscapeTheCancelOne) {
    QtMessageService service;
    whenBoxShows([](QMessageBox* box) {
        EXPECT_FALSE(box->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(service.show("t", "c", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2), IDCANCEL);

    whenBoxShows([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(service.show("t", "c", MB_RETRYCANCEL), IDCANCEL);

    whenBoxShows([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(service.show("t", "c", MB_OK | MB_ICONERROR), IDOK);

    // Without a Cancel button Escape answers No.
    whenBoxShows([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(service.show("t", "c", MB_YESNO | MB_ICONQUESTION), IDNO);

    whenBoxShows([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ignore));
        box->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(service.show("t", "c", MB_ABORTRETRYIGNORE | MB_ICONINFORMATION | MB_DEFBUTTON3),
              IDRETRY);
}
