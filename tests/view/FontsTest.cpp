#include "ViewTestSupport.h"

#include "CommandIds.h"
#include "FontSelectDialog.h"
#include "FontSettings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

TEST(Fonts, LabelFormatZeroAndRecentPlatform) {
    FontChoice choice{QStringLiteral("Face"), 12, false, false};
    EXPECT_EQ(fonts::label(choice, 2, 0, false), QStringLiteral("フォント３(&3)\tCtrl+3"));
    EXPECT_EQ(fonts::label(choice, 2, 0, true), QStringLiteral("フォント３(&3)"));
    // Labels with a size and the pixel heights: the Ctrl+3 test and CEditerTest.
    EXPECT_EQ(fonts::pointsFromPixels(12, 96), 9);
    EXPECT_EQ(fonts::normalizedIndex(7), 0);
}

TEST(Fonts, FontsFollowTheirSettings) {
    ViewEnvironment env;
    env.settings->writeInt(QStringLiteral("FONT3_SIZE"), 24);
    env.settings->writeInt(QStringLiteral("FONT3_BOLD"), 1);
    env.settings->writeInt(QStringLiteral("FONT3_ITALIC"), 1);
    env.settings->writeString(QStringLiteral("FONT3_NAME"), QStringLiteral("DejaVu Sans"));
    auto view = env.makeView();
    view->SelectFont(2);
    const QFont f = view->activeEdit().font();
    EXPECT_EQ(std::tuple(f.pixelSize(), f.family(), f.bold(), f.italic()),
              std::tuple(fonts::pixelHeight(24, view->logicalDpiY()), u"DejaVu Sans"_qs, true, true));
    EXPECT_EQ(view->plainEdit().font(), f);
    EXPECT_EQ(view->activeEdit().tabStopDistance(), 8 * QFontMetrics(f).averageCharWidth());
}

TEST(Fonts, CtrlThreeKeepsTheFirstVisibleLineAndChecksFontThree) {
    ViewEnvironment env;
    auto view = env.makeView();
    // The labels show the default face and sizes; font 2 is checked at first.
    const QString face = env.settings->defaultFaceName();
    const int sizes[] = {7, 9, 12, 18};
    for (int i = 0; i < 4; ++i) {
        const CommandState state = commandState(*view, cmd::ID_VIEW_FONT1 + i);
        EXPECT_EQ(state.text.value_or(QString()),
                  QStringLiteral("%1:%2pt(&%3)\tCtrl+%3").arg(face).arg(sizes[i]).arg(i + 1));
        EXPECT_EQ(state.checked, i == 1);
    }
    for (bool wrap : {true, false}) {
        if (view->wrapMode != wrap)
            view->onCommand(cmd::ID_VIEW_WRAP);
        view->onCommand(cmd::ID_VIEW_FONT1);
        view->SetText(numberedLines(400));
        view->SetSel(0, 0);
        view->LineScroll(150);
        const int topIndex = view->LineIndex(view->GetFirstVisibleLine());
        QTest::keyClick(&view->activeEdit(), Qt::Key_3, Qt::ControlModifier);
        EXPECT_EQ(view->fontIndex, 2);
        EXPECT_EQ(view->LineIndex(view->GetFirstVisibleLine()), topIndex);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(commandState(*view, cmd::ID_VIEW_FONT1 + i).checked, i == 2);
    }
}

TEST(FontSelectDialog, StartsFromTheRequestAndReturnsTheChoice) {
    ScriptedMessageService messages;
    QWidget target;
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(16);
    target.setFont(f);
    FontSelectDialog::Request request;
    request.target = &target;
    request.size = 14;
    request.bold = 1;
    FontSelectDialog dialog(request, messages);
    auto* faces = dialog.findChild<QListWidget*>(QStringLiteral("1004"));
    auto* sizes = dialog.findChild<QListWidget*>(QStringLiteral("1008"));
    auto* sizeEdit = dialog.findChild<QLineEdit*>(QStringLiteral("1014"));
    auto* bold = dialog.findChild<QCheckBox*>(QStringLiteral("1011"));
    ASSERT_TRUE(faces && sizes && sizeEdit && bold);
    ASSERT_EQ(sizes->count(), FontSelectDialog::standardSizes().size());
    EXPECT_EQ(std::tuple(sizeEdit->text(), sizes->currentItem()->text(), bold->isChecked(),
                         faces->currentItem()->text()),
              std::tuple(u"14"_qs, u"14"_qs, true, u"DejaVu Sans"_qs));
    ASSERT_TRUE(dialog.previewFont().has_value());
    EXPECT_TRUE(dialog.previewFont()->bold());

    sizes->setCurrentRow(2); // 9
    EXPECT_EQ(sizeEdit->text(), QStringLiteral("9"));
    dialog.accept();
    const FontSelectDialog::Result& r = dialog.result();
    EXPECT_EQ(std::tuple(r.size, r.face, r.bold, r.italic), std::tuple(9, u"DejaVu Sans"_qs, true, false));
    EXPECT_TRUE(messages.shown().empty());
}

TEST(FontSelectDialog, SizeOutsideOneTo144IsRefused) {
    ScriptedMessageService messages;
    FontSelectDialog::Request request;
    request.face = QStringLiteral("No Such Face Installed");
    request.size = 10;
    FontSelectDialog dialog(request, messages);
    auto* faces = dialog.findChild<QListWidget*>(QStringLiteral("1004"));
    auto* sizeEdit = dialog.findChild<QLineEdit*>(QStringLiteral("1014"));
    ASSERT_TRUE(faces && sizeEdit);
    EXPECT_EQ(faces->currentRow(), 0); // a face that is not installed: the first one

    // Typing the size and pressing OK each say so.
    for (const char* size : {"0", "145"}) {
        sizeEdit->setText(QString::fromLatin1(size));
        dialog.accept();
        EXPECT_NE(dialog.QDialog::result(), int(QDialog::Accepted)) << size;
    }
    EXPECT_EQ(messages.texts(),
              QStringList(4, u"フォントサイズには １ ～ 144 を入力してください。"_qs));
    for (const auto& shown : messages.shown())
        EXPECT_EQ(shown.style, mb::MB_OK | mb::MB_ICONERROR);

    sizeEdit->setText(QStringLiteral("144"));
    dialog.accept();
    EXPECT_EQ(messages.shown().size(), 4u);
    EXPECT_EQ(dialog.result().size, 144);
}
