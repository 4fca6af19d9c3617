#include "FiledlgTestUtil.h"
#include "QsdProperties.h"
#include "QsdSelectLogic.h"

#include "FilePath.h"

#include <QDateTime>

using namespace mb;

namespace {

class FakePort : public QsdOkPort {
  public:
    QStringList log;
    QString nameText;
    bool moveTreeTo(const QString& folder) override {
        log << u"tree:"_qs + folder;
        return true;
    }
    void fillFromPattern(const QString& pattern) override { log << u"fill:"_qs + pattern; }
    void setNameText(const QString& text) override {
        nameText = text;
        log << u"name:"_qs + text;
    }
    void focusNameBox() override { log << u"focus"_qs; }
};

struct OkFixture : DialogServices {
    QsdMessenger messenger{messages};
    QsdShortcutReader shortcuts{fileSystem};
    QsdOkProcessor ok{fileSystem, messenger, shortcuts};
    FakePort port;
    QsdOkProcessor::Input in;
    void SetUp() override { in.folder = tree.root(); }
};

} // namespace

TEST_F(OkFixture, PatternsFillTheListTypedFoldersMoveTheTreeAndRefusedCharactersStay) {
    in.nameText = u" *.ini "_qs;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(port.log, QStringList{u"fill:"_qs + tree.path(u"*.ini"_qs)});
    // A folder before the pattern moves the tree there, cleaned, first.
    port.log.clear();
    in.nameText = u"/x/../y/*.txt"_qs;
    ok.run(in, port);
    EXPECT_EQ(port.log.first(), u"tree:/y/"_qs);

    port.log.clear();
    in.nameText = u"a|b"_qs;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(messages.texts(),
              QStringList{u"ファイル名には、次の文字列は使えません。\n* ? < > | \\ : /"_qs});
    EXPECT_EQ(port.log, QStringList{u"focus"_qs});
    tree.mkdir(u"sub"_qs);
    port.log.clear();
    in.nameText = u"sub"_qs;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(port.log, (QStringList{u"tree:"_qs + tree.path(u"sub/"_qs), u"name:"_qs}));
}

TEST_F(OkFixture, AppendsTheFileTypeExtensionThenAcceptsOnSecondOk) {
    in.flags = qsd::APPEND_EXTENSION | qsd::SAVE_CHECKS;
    in.filterPattern = u"*.txt;*.ini"_qs;
    in.nameText = u"memo"_qs;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(port.nameText, u"memo.txt"_qs);
    in.nameText = port.nameText;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::Accepted);
    EXPECT_EQ(ok.resultFolder(), tree.root());
    EXPECT_EQ(ok.resultNames(), QStringList{u"memo.txt"_qs});
    EXPECT_EQ(qsdlogic::appendExtension(u"*.*"_qs), QString());
    EXPECT_EQ(qsdlogic::appendExtension(u" *.htm;*.html"_qs), u".htm"_qs);
}

TEST_F(OkFixture, ReadOnlySaveAsksOnceAboutTheAttribute) {
    tree.write(u"ro.txt"_qs, "x");
    tree.setReadOnly(u"ro.txt"_qs, true);
    in.flags = qsd::SAVE_CHECKS | qsd::OFFER_CLEAR_READONLY;
    in.ofnFlags = ofn::OFN_OVERWRITEPROMPT;
    in.nameText = u"ro.txt"_qs;
    messages.queueAnswer(IDYES);
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::Accepted);
    EXPECT_EQ(
        messages.texts(),
        QStringList{
            u"下記ファイルは読み取り専用です。読み取り専用属性を解除して上書き保存しますか？\n\n"_qs +
            tree.path(u"ro.txt"_qs)});
    EXPECT_FALSE(tree.isReadOnly(u"ro.txt"_qs));
    // Now an ordinary existing file: the overwrite question, No stays open.
    messages.clear();
    messages.queueAnswer(IDNO);
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(messages.texts(),
              QStringList{u"指定のファイルは既に存在します。このファイルを上書きしますか？\n\n"_qs +
                          tree.path(u"ro.txt"_qs)});
}

TEST_F(OkFixture, ExistenceChecksAndCreatePrompt) {
    in.ofnFlags = ofn::OFN_FILEMUSTEXIST;
    in.nameText = u"none.txt"_qs;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(messages.texts().last(), u"下記ファイル・フォルダが見つかりません。\n\nnone.txt"_qs);
    in.ofnFlags = ofn::OFN_PATHMUSTEXIST;
    in.nameText = u"nodir/x.txt"_qs;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(messages.texts().last(),
              u"下記フォルダは存在しません。\n\n"_qs + tree.path(u"nodir"_qs));
    in.ofnFlags = ofn::OFN_CREATEPROMPT;
    in.flags = qsd::SAVE_CHECKS;
    in.nameText = u"new.txt"_qs;
    messages.queueAnswer(IDNO);
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(messages.shown().back().style & MB_DEFMASK, MB_DEFBUTTON2);
    messages.queueAnswer(IDYES);
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::Accepted);
}

TEST_F(OkFixture, NothingChosenMessagesAndFolderSelection) {
    in.nameVisible = false;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(messages.texts().last(), u"ファイルリストでファイルを選択してください。"_qs);
    in.nameVisible = true;
    in.listVisible = false;
    ok.run(in, port);
    EXPECT_EQ(messages.texts().last(), u"名前テキストボックスにファイル名を入力してください。"_qs);
    in.listVisible = true;
    ok.run(in, port);
    EXPECT_EQ(
        messages.texts().last(),
        u"ファイルリストでファイルを選択するか、名前テキストボックスにファイル名を入力してください。"_qs);
    in.flags = qsd::FOLDER_SELECT;
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::Accepted);
    EXPECT_EQ(ok.resultFolder(), tree.root());
    EXPECT_TRUE(ok.resultNames().isEmpty());
}

TEST_F(OkFixture, SelectedRowsFollowShortcutsAndOpenFolders) {
    tree.write(u"target.txt"_qs, "t");
    tree.write(u"t.lnk"_qs, "1#" + tree.path(u"target.txt"_qs).toUtf8());
    in.selectedRows = {{u"t.lnk"_qs, false, false, {}}};
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::Accepted);
    EXPECT_EQ(ok.resultNames(), QStringList{u"target.txt"_qs});
    in.ofnFlags = ofn::OFN_NODEREFERENCELINKS;
    ok.run(in, port);
    EXPECT_EQ(ok.resultNames(), QStringList{u"t.lnk"_qs});
    in.selectedRows = {{u".."_qs, true, false, {}}};
    EXPECT_EQ(ok.run(in, port), QsdOkProcessor::Outcome::StayOpen);
    EXPECT_EQ(port.log.last(), u"tree:"_qs + filepath::folderOf(tree.root()));
}

TEST(QsdSelectLogic, FilterOptionsCommonFlagsAndASingleResultAsTheNextInitialName) {
    const auto items = qsdlogic::parseFilter(u"テキスト|*.txt;*.ini |すべて|*.*||ignored|x"_qs);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].description, u"テキスト"_qs);
    EXPECT_EQ(items[0].pattern, u"*.txt;*.ini"_qs);
    EXPECT_EQ(qsdlogic::parseFilter(u"A"_qs + QChar(0) + u"*.a"_qs + QChar(0) + QChar(0)).size(),
              1u);
    EXPECT_EQ(qsdlogic::parseOptionList(u"自動|ANSI|UTF-8||x"_qs).size(), 3);
    EXPECT_EQ(qsdlogic::initialOptionRow(0, 3), 0);
    EXPECT_EQ(qsdlogic::initialOptionRow(2, 3), 2);
    EXPECT_EQ(qsdlogic::initialOptionRow(3, 3), -1);
    EXPECT_EQ(qsdlogic::initialOptionRow(7, 3), 0);
    EXPECT_EQ(qsdlogic::mergeCommonFlags(0xFFFFFFFF, 0), ~qsd::QSD_FILE_SELECT_COMMON_MASK);
    EXPECT_EQ(qsdlogic::mergeCommonFlags(0x5000, qsd::DEFAULT_COMMON_MODE),
              0x5000u | (qsd::DEFAULT_COMMON_MODE & qsd::QSD_FILE_SELECT_COMMON_MASK));

    // A multiple selection's result buffer: FileDialogWidgetTest, through QsdSelectFileWith.
    std::vector<char16_t> buffer(256, u'#');
    OPENFILENAMEW ofnBlock{.lpstrFile = buffer.data(), .nMaxFile = uint32_t(buffer.size())};
    ASSERT_TRUE(qsdlogic::writeFileResult(ofnBlock, u"/d/"_qs, {u"f.txt"_qs}));
    EXPECT_EQ(qsdlogic::initialName(ofnBlock), u"/d/f.txt"_qs);
}

TEST_F(DialogServices, PropertiesSizeTimeAndAttributeChange) {
    EXPECT_TRUE(QsdProperties::sizeText(999).startsWith(u"999 "_qs));
    EXPECT_TRUE(QsdProperties::sizeText(1234567).startsWith(u"1,234,567 "_qs));
    EXPECT_TRUE(QsdProperties::sizeText(5368709120ull).startsWith(u"5,368,709,120 "_qs));
    const QDateTime t(QDate(2009, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(QsdProperties::timeText(filetime::fromUnix(t.toSecsSinceEpoch(), 0)),
              u"2009年 3月 5日 14時07分09秒"_qs);
    EXPECT_EQ(QsdProperties::combine(0x1 | 0x40 | 0x20, 0x0), 0x40u);
    EXPECT_EQ(QsdProperties::combine(0x10, 0x2 | 0x40), 0x12u);

    // A file's name and size as the dialog shows them: FileDialogWidgetTest.
    QsdMessenger messenger(messages);
    // Hidden comes from the name of a dot file: clearing it fails and says so.
    tree.write(u".dot"_qs, "x");
    auto dot = QsdProperties::fromPath(fileSystem, tree.path(u".dot"_qs));
    ASSERT_TRUE(dot && (dot->attributes & fa::FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(dot->apply(fileSystem, messenger, dot->attributes & ~fa::FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(messages.texts(),
              QStringList{u"ファイル属性の変更操作で、エラーが発生しました。"_qs});
    EXPECT_TRUE(dot->attributes & fa::FILE_ATTRIBUTE_HIDDEN);
}
