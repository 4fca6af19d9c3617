#include "FrameFixture.h"
#include "SoftKeyBar.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QToolBar>

namespace {

using FrameLayout = FrameFixture;

// The phone-sized window: command bar on top, the text, the soft keys at the
// bottom, all inside 480 x 640. The picture is kept for a look by eye.
TEST_F(FrameLayout, PhoneSizedWindowShowsBarsTextAndSoftKeys) {
    showFrame({480, 640});
    view->SetText(
        QStringLiteral("Tavloテキストエディタへようこそ。\r\n\r\n"
                       "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->size() == QSize(480, 640); }));
    // The view arranges its edit controls a moment after a size change.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->activeEdit().size() == view->size(); }));

    QToolBar* bar = frame->commandBar();
    SoftKeyBar* keys = frame->softKeyBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(keys->isVisible());
    const QRect barRect(bar->mapTo(frame.get(), QPoint(0, 0)), bar->size());
    const QRect viewRect(view->mapTo(frame.get(), QPoint(0, 0)), view->size());
    const QRect keysRect(keys->mapTo(frame.get(), QPoint(0, 0)), keys->size());
    EXPECT_EQ(barRect.top(), 0);
    EXPECT_LE(barRect.bottom(), viewRect.top());
    EXPECT_LE(viewRect.bottom(), keysRect.top());
    EXPECT_EQ(keysRect.bottom(), 639);
    EXPECT_GE(viewRect.height(), 400) << "the text gets most of the window";
    EXPECT_LE(bar->sizeHint().width(), 480) << "every button fits without an overflow menu";
    EXPECT_EQ(keysRect.width(), 480);
    EXPECT_LE(keysRect.height(), 48) << "the soft keys take one row";

    const QImage shot = frame->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(480, 640) * frame->devicePixelRatio());
    const QString path = QDir::temp().filePath("tavlo-frame-480x640.png");
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
}

} // namespace
