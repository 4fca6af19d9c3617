#include "CQSDFileDialog.h"
#include "CQSDFileList.h"
#include "CQSDFolderTree.h"
#include "FiledlgTestUtil.h"
#include "QsdDialogLayout.h"

#include <QLineEdit>
#include <QScreen>

namespace {

struct OpeningFixture : DialogServices {
    std::unique_ptr<CQSDFileDialog> make(const QString& initialDir) {
        auto d = std::make_unique<CQSDFileDialog>(services);
        d->flags = qsd::SHOW_FOLDERS | qsd::SHOW_OK | qsd::SHOW_CANCEL;
        d->commonMode = false; // the tree shows, whatever the common flags say
        d->initialDir = initialDir;
        d->filterText = u"すべて|*.*||"_qs;
        d->initialize();
        return d;
    }
};

bool inside(const QRect& inner, const QRect& outer) {
    return inner.isNull() || outer.contains(inner);
}

} // namespace

TEST_F(OpeningFixture, OpensAtItsSizeHintWithinTheScreenWithEveryControlShown) {
    auto d = make(tree.root());
    d->show();
    const QRect screen = d->screen()->availableGeometry();
    EXPECT_GE(d->width(), d->minimumSizeHint().width());
    EXPECT_GE(d->height(), d->minimumSizeHint().height());
    EXPECT_LE(d->frameGeometry().width(), screen.width());
    EXPECT_LE(d->frameGeometry().height(), screen.height());
    EXPECT_TRUE(screen.contains(d->geometry()));
    if (!d->fillsMainWindow())
        EXPECT_EQ(d->size(), d->sizeHint().boundedTo(screen.size() - QSize(24, 64)));
    EXPECT_GE(d->fileList()->height(), qsdlayout::kMinimumPane);
    EXPECT_GE(d->folderTree()->height(), qsdlayout::kMinimumPane);
    EXPECT_GT(d->fileList()->width(), d->width() / 2);
}

TEST_F(OpeningFixture, ADesktopDialogReopensAtTheSizeTheUserGaveIt) {
    {
        auto d = make(tree.root());
        d->show();
        ASSERT_FALSE(d->fillsMainWindow()); // the offscreen screen is a desktop's
        d->resize(d->minimumSizeHint() + QSize(50, 40));
    }
    auto again = make(tree.root());
    again->show();
    EXPECT_EQ(again->size(), again->minimumSizeHint() + QSize(50, 40));
}

TEST(QsdDialogLayout, EveryShownControlLiesInsideWithoutOverlapAtTheMinimumSize) {
    for (uint32_t flags :
         {0u, uint32_t(qsd::SHOW_OK | qsd::SHOW_CANCEL | qsd::SHOW_OPTION),
          uint32_t(qsd::SIDE_BY_SIDE | qsd::HIDE_NAME), uint32_t(qsd::HIDE_TREE)}) {
        for (int zoomed : {0, 1, 2}) {
            QsdLayoutInput in;
            in.flags = flags;
            in.zoomedPane = zoomed;
            in.softKeyHeight = 30;
            in.titleHeight = 18;
            in.nameHeight = in.typeHeight = in.optionHeight = 24;
            in.hasOptions = true;
            in.buttonHeight = 28;
            in.size = qsdlayout::minimumSize(in);
            const QsdLayout l = qsdlayout::layout(in);
            const QRect all(QPoint(), in.size);
            const QList<QRect> parts{l.title,  l.name, l.type, l.option,  l.ok,
                                     l.cancel, l.tree, l.list, l.softKeys};
            for (qsizetype i = 0; i < parts.size(); ++i) {
                EXPECT_TRUE(inside(parts[i], all)) << flags << " " << zoomed << " part " << i;
                for (qsizetype j = i + 1; j < parts.size(); ++j)
                    EXPECT_FALSE(parts[i].intersects(parts[j]))
                        << flags << " " << zoomed << " parts " << i << " " << j;
            }
            if (!(flags & qsd::HIDE_TREE))
                EXPECT_GE(std::min(l.tree.height(), l.tree.width()), zoomed ? 1 : 20);
            EXPECT_GE(l.list.height(), zoomed ? 1 : 20);
        }
    }
}

TEST_F(OpeningFixture, AFolderBelowASymbolicLinkCanBeShown) {
    tree.mkdir(u"real/sub/deeper"_qs);
    tree.symlink(tree.path(u"real"_qs), u"link"_qs);
    auto d = make(tree.path(u"link/sub/"_qs));
    EXPECT_EQ(d->folderTree()->currentPath(), tree.path(u"link/sub/"_qs));

    // Typed into the name box, the linked path moves the tree there too.
    auto typed = make(tree.root());
    typed->nameBox()->setText(u"link/sub/deeper"_qs);
    typed->runOk();
    EXPECT_EQ(typed->folderTree()->currentPath(), tree.path(u"link/sub/deeper/"_qs));
    EXPECT_EQ(typed->fileList()->folder(), tree.path(u"link/sub/deeper/"_qs));
}
