#include "CQSDComboBox.h"
#include "CQSDFileDialog.h"
#include "CQSDFileList.h"
#include "CQSDFilePropertiesDialog.h"
#include "CQSDFolderTree.h"
#include "CommandIds.h"
#include "FiledlgTestUtil.h"
#include "QsdDialogLayout.h"
#include "QsdMenus.h"
#include "QsdSelectFile.h"
#include "WaitFor.h"

#include "FileNameBytes.h"
#include "FilePath.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>

using namespace mb;
using namespace cmd;

namespace {

struct DialogFixture : DialogServices {
    // A dialog over the tree at the size it takes itself.
    std::unique_ptr<CQSDFileDialog> open(uint32_t flags, bool commonMode = false,
                                         uint32_t ofnFlags = 0, const QString& initialDir = {}) {
        auto d = std::make_unique<CQSDFileDialog>(services);
        d->flags = flags;
        d->commonMode = commonMode;
        d->ofnFlags = ofnFlags;
        d->initialDir = initialDir.isEmpty() ? tree.root() : initialDir;
        d->filterText = u"テキスト|*.txt|すべて|*.*||"_qs;
        d->filterIndex = 2;
        d->initialize();
        return d;
    }
    static QPoint rowPoint(CQSDFileList* list, const QString& name) {
        QAbstractItemView* view = list->currentView();
        return view->visualRect(view->model()->index(list->model().rowOfName(name), 0)).center();
    }
    static QStringList menuIds(QMenu* menu) {
        QStringList ids;
        for (QAction* a : menu->actions()) {
            if (a->menu())
                ids << u"["_qs + menuIds(a->menu()).join(u',') + u"]"_qs;
            else if (a->isSeparator())
                ids << u"-"_qs;
            else
                ids << QString::number(qsdmenu::idOf(a)) + (a->isEnabled() ? u""_qs : u"x"_qs) +
                           (a->isChecked() ? u"v"_qs : u""_qs);
        }
        return ids;
    }
};

} // namespace

TEST_F(DialogFixture, CommonModePersistsAcrossTwoDialogs) {
    common.flags = qsd::DEFAULT_COMMON_MODE & ~qsd::HIDE_TREE;
    {
        auto first = open(0x10000, true);
        EXPECT_FALSE(first->flags & qsd::HIDE_TREE);
        EXPECT_TRUE(first->folderTree()->isVisibleTo(first.get()));
        first->handleCommand(ID_QSD_SHOW_TREE);
        EXPECT_FALSE(first->folderTree()->isVisibleTo(first.get()));
        first->handleCommand(ID_QSD_SORT_SIZE);
        first->handleCommand(ID_QSD_STYLE_LIST);
        first->reject();
    }
    EXPECT_TRUE(common.flags & qsd::HIDE_TREE);
    EXPECT_EQ(common.sortKey, qsd::SORT_SIZE);
    EXPECT_EQ(common.listStyle, qsd::STYLE_LIST);
    auto second = open(0x10000, true);
    EXPECT_TRUE(second->flags & qsd::HIDE_TREE);
    EXPECT_TRUE(second->flags & qsd::OPENING); // the caller's own bit stays
    EXPECT_FALSE(second->folderTree()->isVisibleTo(second.get()));
    EXPECT_EQ(second->fileList()->style(), qsd::STYLE_LIST);
    EXPECT_EQ(second->sortKey(), qsd::SORT_SIZE);
}

TEST_F(DialogFixture, MultipleSelectionResultThroughQsdSelectFile) {
    for (const char* n : {"a.txt", "b.txt", "c.txt"})
        tree.write(QString::fromLatin1(n), "x");
    std::vector<char16_t> buffer(1024, u'#');
    OPENFILENAMEW block{.lpstrFilter = u"テキスト|*.txt||"_qs,
                        .nFilterIndex = 1,
                        .lpstrFile = buffer.data(),
                        .nMaxFile = uint32_t(buffer.size()),
                        .lpstrInitialDir = tree.root(),
                        .Flags = ofn::OFN_ALLOWMULTISELECT};
    buffer[0] = u'\0';
    int style = qsd::STYLE_DETAILS;
    bool showFolders = false;
    const auto chooseAll = [](CQSDFileDialog& d) {
        d.fileList()->ToggleMultipleSelection();
        d.fileList()->SelectAll();
        d.runOk();
        return d.result();
    };
    ASSERT_EQ(QsdSelectFileWith(&block, qsd::SHOW_FOLDERS, {}, {}, nullptr, &style, &showFolders,
                                false, services, chooseAll),
              1);
    const QString expected = tree.root() + QChar(0) + u"a.txt"_qs + QChar(0) + u"b.txt"_qs +
                             QChar(0) + u"c.txt"_qs + QChar(0) + QChar(0);
    EXPECT_EQ(QString::fromUtf16(buffer.data(), expected.size()), expected);
    EXPECT_EQ(buffer[expected.size()], u'#');
    EXPECT_TRUE(showFolders);
    EXPECT_EQ(block.nFilterIndex, 1u);

    // One character short: the buffer's start holds the size needed.
    block.nMaxFile = static_cast<uint32_t>(expected.size() - 1);
    buffer[0] = u'\0';
    EXPECT_EQ(QsdSelectFileWith(&block, 0, {}, {}, nullptr, &style, &showFolders, false, services,
                                chooseAll),
              0);
    uint32_t needed = 0;
    std::memcpy(&needed, buffer.data(), sizeof needed);
    EXPECT_EQ(needed, static_cast<uint32_t>(expected.size()));
    EXPECT_FALSE(showFolders);
}

TEST_F(DialogFixture, OptionsAndTitleCaption) {
    QWidget mainWindow;
    mainWindow.setWindowTitle(u"main"_qs);
    std::vector<char16_t> buffer(256, 0);
    OPENFILENAMEW block{.hwndOwner = &mainWindow,
                        .lpstrFile = buffer.data(),
                        .nMaxFile = 256,
                        .lpstrInitialDir = tree.root(),
                        .lpstrTitle = u"開く"_qs};
    tree.write(u"x.txt"_qs, "x");
    int option = 2;
    QString captionWhileOpen;
    const auto pick = [&](CQSDFileDialog& d) {
        captionWhileOpen = mainWindow.windowTitle();
        EXPECT_EQ(d.optionBox()->currentIndex(), 2);
        d.optionBox()->setCurrentIndex(1);
        d.nameBox()->setText(u"x.txt"_qs);
        d.runOk();
        return d.result();
    };
    EXPECT_EQ(QsdSelectFileWith(&block, qsd::TITLE_IN_CAPTION | qsd::SHOW_OPTION, u"コード"_qs,
                                u"A|B|C||"_qs, &option, nullptr, nullptr, false, services, pick),
              1);
    EXPECT_EQ(captionWhileOpen, u"開く"_qs);
    EXPECT_EQ(mainWindow.windowTitle(), u"main"_qs);
    EXPECT_EQ(option, 1);
    EXPECT_EQ(QString::fromUtf16(buffer.data()), tree.path(u"x.txt"_qs));
}

TEST_F(DialogFixture, TypedFolderOpensItAndTypedPatternFillsListOrAHiddenNameAsksForAFile) {
    tree.mkdir(u"Windows"_qs);
    tree.write(u"Windows/a.txt"_qs, "");
    tree.write(u"Windows/b.ini"_qs, "");
    auto d = open(qsd::SHOW_FOLDERS);
    d->nameBox()->setText(u"Windows/*.ini"_qs);
    d->runOk();
    EXPECT_EQ(d->folderTree()->currentPath(), tree.path(u"Windows/"_qs));
    EXPECT_EQ(d->nameBox()->text(), u"*.ini"_qs);
    ASSERT_EQ(d->fileList()->model().rowCount(), 2); // ".." and b.ini
    EXPECT_EQ(d->fileList()->GetItemRecord(1)->data.name, u"b.ini"_qs);
    d->nameBox()->setText(u".."_qs);
    d->runOk();
    EXPECT_EQ(d->folderTree()->currentPath(), tree.root());
    EXPECT_EQ(d->result(), 0);

    auto hidden = open(qsd::HIDE_NAME | qsd::SHOW_FOLDERS);
    hidden->runOk();
    EXPECT_EQ(messages.texts(), QStringList{u"ファイルリストでファイルを選択してください。"_qs});
    EXPECT_EQ(hidden->result(), 0);
}

TEST_F(DialogFixture, FileListContextMenuRules) {
    tree.mkdir(u"sub"_qs);
    tree.write(u"a.txt"_qs, "");
    auto d = open(qsd::SHOW_FOLDERS | qsd::NO_OK_CANCEL_MENU);
    CQSDFileList* list = d->fileList();
    list->selectRow(0); // ".."
    std::unique_ptr<QMenu> menu(list->buildContextMenu());
    EXPECT_EQ(menuIds(menu.get()),
              (QStringList{u"[32806v,32807,32808,32809]"_qs, u"[32812,32810,32811v]"_qs, u"-"_qs,
                           u"[32791x,32790x,32793x,32792x]"_qs, u"32794"_qs, u"-"_qs, u"32801v"_qs,
                           u"32800"_qs, u"32795"_qs}));
    list->selectRow(2); // a.txt
    list->Copy();
    menu.reset(list->buildContextMenu());
    EXPECT_EQ(menuIds(menu.get())[3], u"[32791,32790,32793,32792]"_qs);

    auto multi = open(qsd::SHOW_FOLDERS, false, ofn::OFN_ALLOWMULTISELECT);
    multi->folderTree()->moveTo(u"/"_qs);
    multi->fileList()->ToggleMultipleSelection();
    menu.reset(multi->fileList()->buildContextMenu());
    const QStringList ids = menuIds(menu.get());
    EXPECT_EQ(ids[3], u"32793x"_qs); // nothing selected: one paste item
    EXPECT_EQ(ids[4], u"32799"_qs);
    EXPECT_TRUE(ids.contains(u"32798v"_qs));
    EXPECT_FALSE(ids.join(u' ').contains(u"32800"_qs)); // root: no parent folder
    EXPECT_TRUE(ids.contains(u"32801xv"_qs));
    EXPECT_TRUE(ids.contains(u"1"_qs));
    EXPECT_EQ(qsdmenu::find(menu.get(), ID_QSD_MULTI_SELECT)->text(), u"選択終了"_qs);
    menu.reset(); // owned by the list until here
}

TEST_F(DialogFixture, KeysCopyPasteDeleteAndCutMarks) {
    tree.write(u"a.txt"_qs, "alpha");
    auto d = open(qsd::SHOW_FOLDERS);
    d->show();
    CQSDFileList* list = d->fileList();
    QAbstractItemView* view = list->currentView();
    list->selectRow(list->model().rowOfName(u"a.txt"_qs));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(tree.read(u"コピー ～ a.txt"_qs), "alpha");
    EXPECT_GE(list->model().rowOfName(u"コピー ～ a.txt"_qs), 0);

    list->selectRow(list->model().rowOfName(u"a.txt"_qs));
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    const QModelIndex cutIndex = view->model()->index(list->model().rowOfName(u"a.txt"_qs), 0);
    EXPECT_TRUE(cutIndex.data(QsdFileListModel::CutRole).toBool());
    EXPECT_EQ(cutIndex.data(Qt::ForegroundRole).value<QBrush>().color(),
              QApplication::palette().color(QPalette::Disabled, QPalette::Text));

    list->selectRow(list->model().rowOfName(u"a.txt"_qs));
    messages.queueAnswer(IDYES);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_FALSE(tree.exists(u"a.txt"_qs));
    EXPECT_LT(list->model().rowOfName(u"a.txt"_qs), 0);
    EXPECT_EQ(messages.shown().size(), 1u); // the question before deleting
}

TEST_F(DialogFixture, ANewFolderFromTheTreeIsRenamedRefusingAQuestionMark) {
    auto d = open(qsd::SHOW_FOLDERS | qsd::SHOW_OK | qsd::SHOW_CANCEL);
    d->show();
    CQSDFolderTree* t = d->folderTree();
    d->handleCommand(ID_QSD_FOLDER_NEW);
    EXPECT_TRUE(tree.exists(u"新規フォルダ(1)"_qs));
    QTreeWidgetItem* item = t->currentItem();
    EXPECT_EQ(item->text(0), u"新規フォルダ(1)"_qs);
    ASSERT_TRUE(t->isEditingLabel() && t->findChild<QLineEdit*>());
    QTest::keyClick(t->findChild<QLineEdit*>(), Qt::Key_Escape); // keeps the name
    TAVLO_TRY_VERIFY(!t->isEditingLabel());
    EXPECT_FALSE(t->renameHandler(item, u"wh?at"_qs));
    TAVLO_TRY_VERIFY(t->isEditingLabel()); // editing starts again
    QPushButton* okButton = nullptr;
    for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->text() == u"OK"_qs)
            okButton = b;
    ASSERT_TRUE(okButton);
    EXPECT_FALSE(okButton->isEnabled()); // the buttons wait while a label is edited
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    editor->setText(u"new"_qs);
    QTest::keyClick(editor, Qt::Key_Return);
    TAVLO_TRY_VERIFY(!t->isEditingLabel());
    EXPECT_TRUE(tree.exists(u"new"_qs));
    EXPECT_EQ(CQSDFolderTree::pathOf(item), tree.path(u"new/"_qs));
    EXPECT_EQ(d->fileList()->folder(), tree.path(u"new/"_qs));
    TAVLO_TRY_COMPARE(item->text(0), u"new"_qs);
    EXPECT_TRUE(okButton->isEnabled());
}

TEST_F(DialogFixture, LayoutSideBySideStackedAndZoom) {
    auto d = open(qsd::SHOW_FOLDERS | qsd::SIDE_BY_SIDE_WIDE);
    d->resize(480, 640);
    d->layoutControls();
    const QRect treeRect = d->folderTree()->geometry();
    const QRect listRect = d->fileList()->geometry();
    EXPECT_LT(treeRect.bottom(), listRect.top()); // tall: stacked, tree on top
    EXPECT_NEAR(treeRect.height(), listRect.height(), 8);
    d->requestZoom(2);
    EXPECT_EQ(d->zoomedPane(), 2);
    EXPECT_GT(d->fileList()->height(), 2 * d->folderTree()->height());
    d->requestZoom(0);
    d->resize(640, 240);
    d->layoutControls();
    EXPECT_EQ(d->folderTree()->geometry().top(), d->fileList()->geometry().top()); // wide
    d->handleCommand(ID_QSD_SHOW_TREE);
    EXPECT_FALSE(d->folderTree()->isVisibleTo(d.get()));
    EXPECT_EQ(d->fileList()->width(), d->width() - 8);
}

TEST_F(DialogFixture, PropertiesDialogShowsTextsAndChangesOnlyEditedBit) {
    tree.write(u"r.txt"_qs, QByteArray(1000, 'x'));
    tree.setReadOnly(u"r.txt"_qs, true);
    auto props = QsdProperties::fromPath(services.fs, tree.path(u"r.txt"_qs));
    ASSERT_TRUE(props);
    CQSDFilePropertiesDialog dialog(services, *props);
    EXPECT_EQ(dialog.label(9922)->text(), u"1,000 バイト"_qs);
    EXPECT_EQ(dialog.label(9912)->text(), u"r.txt"_qs);
    EXPECT_FALSE(dialog.attributeBox(fa::FILE_ATTRIBUTE_INROM)->isEnabled());
    EXPECT_TRUE(dialog.attributeBox(fa::FILE_ATTRIBUTE_READONLY)->isChecked());
    dialog.attributeBox(fa::FILE_ATTRIBUTE_READONLY)->setChecked(false);
    dialog.accept();
    EXPECT_FALSE(tree.isReadOnly(u"r.txt"_qs));
    EXPECT_EQ(dialog.properties().attributes & fa::FILE_ATTRIBUTE_READONLY, 0u);

    QsdProperties rom = *props;
    rom.attributes |= fa::FILE_ATTRIBUTE_INROM;
    CQSDFilePropertiesDialog romDialog(services, rom);
    for (uint32_t bit :
         {fa::FILE_ATTRIBUTE_READONLY, fa::FILE_ATTRIBUTE_HIDDEN, fa::FILE_ATTRIBUTE_ARCHIVE,
          fa::FILE_ATTRIBUTE_SYSTEM, fa::FILE_ATTRIBUTE_TEMPORARY})
        EXPECT_FALSE(romDialog.attributeBox(bit)->isEnabled());

    auto folderProps = QsdProperties::fromPath(services.fs, tree.root());
    CQSDFilePropertiesDialog folderDialog(services, *folderProps);
    EXPECT_TRUE(folderDialog.label(9900)->isHidden());
    EXPECT_EQ(folderDialog.label(9913)->text(), filepath::withoutSlash(tree.root()));

    CQSDFilePropertiesDialog::openForFolder(services, tree.path(u"gone/"_qs), nullptr);
    EXPECT_EQ(messages.texts().last(),
              u"下記フォルダは既に存在しません。処理を中止します。\n\n"_qs + tree.path(u"gone"_qs));
}

TEST_F(DialogFixture, TapsAndEnterFillTheNameBoxOpenFoldersAndChooseFiles) {
    tree.mkdir(u"sub/inner"_qs);
    tree.write(u"a.txt"_qs, "a");
    auto d = open(qsd::SHOW_FOLDERS);
    d->show();
    CQSDFileList* list = d->fileList();
    QAbstractItemView* view = list->currentView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint(list, u"a.txt"_qs));
    EXPECT_EQ(d->nameBox()->text(), u"a.txt"_qs);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint(list, u"sub"_qs));
    EXPECT_EQ(d->nameBox()->text(), QString());
    EXPECT_EQ(list->folder(), tree.root()); // a single tap without bit 0 doesn't open
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(d->folderTree()->currentPath(), tree.path(u"sub/"_qs));
    EXPECT_EQ(list->folder(), tree.path(u"sub/"_qs));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowPoint(list, u"inner"_qs));
    EXPECT_EQ(list->folder(), tree.path(u"sub/inner/"_qs));

    auto single = open(qsd::SHOW_FOLDERS | qsd::SINGLE_TAP);
    single->show();
    QTest::mouseClick(single->fileList()->currentView()->viewport(), Qt::LeftButton, {},
                      rowPoint(single->fileList(), u"a.txt"_qs));
    EXPECT_EQ(single->result(), QDialog::Accepted);
    EXPECT_EQ(single->resultFolder(), tree.root());
    EXPECT_EQ(single->resultNames(), QStringList{u"a.txt"_qs});
}

TEST_F(DialogFixture, ChoosingTheShortcutFileItself) {
    tree.write(u"t.txt"_qs, "t");
    tree.write(u"t.lnk"_qs, "1#" + tree.path(u"t.txt"_qs).toUtf8());
    auto d = open(qsd::SHOW_FOLDERS, false, ofn::OFN_OVERWRITEPROMPT);
    CQSDFileList* list = d->fileList();
    list->selectRow(list->model().rowOfName(u"t.lnk"_qs));
    EXPECT_TRUE(qsdmenu::find(std::unique_ptr<QMenu>(list->buildContextMenu()).get(),
                              ID_QSD_SELECT_LINK_FILE));
    messages.queueAnswer(IDNO);
    d->handleCommand(ID_QSD_SELECT_LINK_FILE);
    EXPECT_EQ(d->result(), 0);
    EXPECT_EQ(messages.texts(),
              QStringList{u"指定のファイルは既に存在します。このファイルを上書きしますか？\n\n"_qs +
                          tree.path(u"t.lnk"_qs)});
    messages.queueAnswer(IDYES);
    d->handleCommand(ID_QSD_SELECT_LINK_FILE);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->resultNames(), QStringList{u"t.lnk"_qs});
}

TEST_F(DialogFixture, SortFromMenuBarFlipsButFromContextMenuKeepsDirection) {
    tree.write(u"a.txt"_qs, "");
    tree.write(u"b.txt"_qs, "");
    auto d = open(0);
    QsdFileListModel& model = d->fileList()->model();
    ASSERT_EQ(model.sortKey(), qsd::SORT_NAME);
    d->handleCommand(ID_QSD_SORT_NAME);
    EXPECT_FALSE(model.ascending());
    EXPECT_EQ(model.entry(0)->data.name, u"b.txt"_qs);
    d->fileList()->handleCommand(ID_QSD_SORT_NAME);
    EXPECT_FALSE(model.ascending());
    d->fileList()->handleCommand(ID_QSD_SORT_TIME);
    EXPECT_EQ(model.sortKey(), qsd::SORT_TIME);
    EXPECT_FALSE(model.ascending());
    std::unique_ptr<QMenu> bar(d->buildMenu());
    EXPECT_TRUE(qsdmenu::find(bar.get(), ID_QSD_SORT_TIME)->isChecked());
    EXPECT_FALSE(qsdmenu::find(bar.get(), ID_QSD_REFRESH)->isEnabled());
}

TEST_F(DialogFixture, OpensAtItsSizeHintWithinTheScreenAndReopensAtTheUsersSize) {
    {
        auto d = open(qsd::SHOW_FOLDERS | qsd::SHOW_OK | qsd::SHOW_CANCEL);
        d->show();
        const QRect screen = d->screen()->availableGeometry();
        EXPECT_GE(d->width(), d->minimumSizeHint().width());
        EXPECT_GE(d->height(), d->minimumSizeHint().height());
        EXPECT_LE(d->frameGeometry().width(), screen.width());
        EXPECT_LE(d->frameGeometry().height(), screen.height());
        EXPECT_TRUE(screen.contains(d->geometry()));
        ASSERT_FALSE(d->fillsMainWindow()); // the offscreen screen is a desktop's
        EXPECT_EQ(d->size(), d->sizeHint().boundedTo(screen.size() - QSize(24, 64)));
        EXPECT_GE(d->fileList()->height(), qsdlayout::kMinimumPane);
        EXPECT_GE(d->folderTree()->height(), qsdlayout::kMinimumPane);
        EXPECT_GT(d->fileList()->width(), d->width() / 2);
        d->resize(d->minimumSizeHint() + QSize(50, 40));
    }
    auto again = open(qsd::SHOW_FOLDERS | qsd::SHOW_OK | qsd::SHOW_CANCEL);
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
            in.labelWidth = zoomed * 45; // a translated label may be wider than the column
            in.size = qsdlayout::minimumSize(in);
            const QsdLayout l = qsdlayout::layout(in);
            const QRect all(QPoint(), in.size);
            const QList<QRect> parts{l.title,  l.nameLabel,   l.name,   l.typeLabel,
                                     l.type,   l.optionLabel, l.option, l.ok,
                                     l.cancel, l.tree,        l.list,   l.softKeys};
            EXPECT_GE(l.typeLabel.width(), in.labelWidth);
            for (qsizetype i = 0; i < parts.size(); ++i) {
                EXPECT_TRUE(parts[i].isNull() || all.contains(parts[i]))
                    << flags << " " << zoomed << " part " << i;
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

TEST_F(DialogFixture, AFolderBelowASymbolicLinkCanBeShown) {
    tree.mkdir(u"real/sub/deeper"_qs);
    tree.symlink(tree.path(u"real"_qs), u"link"_qs);
    auto d = open(qsd::SHOW_FOLDERS, false, 0, tree.path(u"link/sub/"_qs));
    EXPECT_EQ(d->folderTree()->currentPath(), tree.path(u"link/sub/"_qs));

    // Typed into the name box, the linked path moves the tree there too.
    auto typed = open(qsd::SHOW_FOLDERS);
    typed->nameBox()->setText(u"link/sub/deeper"_qs);
    typed->runOk();
    EXPECT_EQ(typed->folderTree()->currentPath(), tree.path(u"link/sub/deeper/"_qs));
    EXPECT_EQ(typed->fileList()->folder(), tree.path(u"link/sub/deeper/"_qs));
}

TEST_F(DialogFixture, ANameThatIsNotUtf8IsListedChosenCopiedAndRenamedAsItsBytes) {
    const QByteArray folder = QFile::encodeName(tree.folder()) + '/';
    const int fd = ::open((folder + "bad\xff\xfe.txt").constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const QString name = textFromBytes("bad\xff\xfe.txt");
    auto d = open(qsd::SHOW_FOLDERS | qsd::SINGLE_TAP);
    d->show();
    ASSERT_GE(d->fileList()->model().rowOfName(name), 0);
    QTest::mouseClick(d->fileList()->currentView()->viewport(), Qt::LeftButton, {},
                      rowPoint(d->fileList(), name));
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->resultNames(), QStringList{name});

    EXPECT_TRUE(
        fileSystem.copyFile(tree.path(name), tree.path(name + u'2'), FileSystem::IfExists::Fail));
    EXPECT_TRUE(fileSystem.moveFile(tree.path(name), tree.path(QChar(0xFF) + name)));
    std::vector<QByteArray> onDisk;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* e = ::readdir(dir))
        if (e->d_name[0] != '.')
            onDisk.emplace_back(e->d_name);
    ::closedir(dir);
    std::sort(onDisk.begin(), onDisk.end());
    EXPECT_EQ(onDisk, (std::vector<QByteArray>{"bad\xff\xfe.txt2", "\xc3\xbf"
                                                                   "bad\xff\xfe.txt"}));
}
