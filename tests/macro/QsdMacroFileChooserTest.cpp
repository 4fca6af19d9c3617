#include "QsdMacroFileChooser.h"
#include "PosixFileSystem.h"

#include "CQSDFileDialog.h"
#include "MacroCommands.h"
#include "MacroFiles.h"
#include "QsdServices.h"
#include "TempFiles.h"
#include "TempProfile.h"

#include <QLineEdit>

namespace {

class QsdMacroFileChooserTest : public ::testing::Test {
  protected:
    void SetUp() override { files.write("a.mcr", "COPY\n"); }

    struct Seen {
        uint32_t flags = 0;
        uint32_t ofnFlags = 0;
        QString initialDir;
        QString filterText;
        QString title;
        QString initialName;
        uint32_t filterIndex = 99;
        int listStyle = -1;
        bool commonMode = false;
        QString optionList;
    };

    // Records what the dialog was given, then types the name and presses OK
    // (an empty name cancels).
    std::function<int(CQSDFileDialog&)> scripted(Seen& seen, const QString& name,
                                                 int listStyleOut) {
        return [&seen, name, listStyleOut](CQSDFileDialog& dialog) {
            seen = {dialog.flags,      dialog.ofnFlags,    dialog.initialDir,  dialog.filterText,
                    dialog.title,      dialog.initialName, dialog.filterIndex, dialog.listStyle,
                    dialog.commonMode, dialog.optionList};
            dialog.listStyle = listStyleOut;
            if (name.isEmpty()) {
                dialog.reject();
                return dialog.result();
            }
            dialog.nameBox()->setText(name);
            dialog.runOk();
            // A name without extension gets the file type's one and the
            // dialog waits for a second OK.
            if (dialog.result() != QDialog::Accepted)
                dialog.runOk();
            return dialog.result();
        };
    }

    MacroFileServices macroServices(MacroFileChooser& chooser) {
        return {messages, Locale(0x0411, 0x0411), clock, &chooser, nullptr};
    }

    TempFiles files;
    TempProfile profile;
    Settings& settings = profile.settings();
    ScriptedMessageService messages;
    FixedClock clock{QDateTime(QDate(2026, 5, 1), QTime(9, 0))};
    QsdCommonSettings common;
    PosixFileSystem fileSystem;
    QsdServices services{fileSystem, messages, clock, common};
};

} // namespace

TEST_F(QsdMacroFileChooserTest, LoadDialogGetsTheMacroBlockAndReturnsThePath) {
    QsdMacroFileChooser chooser(settings, services, nullptr);
    Seen seen;
    chooser.setRunHook(scripted(seen, QStringLiteral("a.mcr"), 2));
    Macro macro;
    macro.lastFolder = files.folder() + u'/';
    ASSERT_TRUE(MacroLoad(macro, std::nullopt, macroServices(chooser)));
    EXPECT_EQ(macro.steps.size(), 1u);
    EXPECT_EQ(macro.lastFolder, files.folder() + u'/');

    // In common mode the dialog keeps the persisted bits of the common mask.
    EXPECT_EQ(seen.flags, qsdlogic::mergeCommonFlags(0x1D210u | 0x1u | 0x8000000u, common.flags));
    EXPECT_EQ(seen.ofnFlags, 0x1000u);
    EXPECT_EQ(seen.initialDir, files.folder() + u'/');
    EXPECT_EQ(seen.filterText,
              QStringLiteral("マクロファイル (*.mcr)|*.mcr|すべてのファイル (*.*)|*.*||"));
    EXPECT_EQ(seen.title, QStringLiteral("マクロのロード"));
    EXPECT_EQ(std::tuple(seen.initialName, seen.filterIndex, seen.commonMode, seen.optionList),
              std::tuple(QString(), 1u, true, QString()));
    // What the dialog ends with is written back.
    EXPECT_EQ(settings.getInt(QStringLiteral("FILE_LIST_STYLE")), common.listStyle);
    EXPECT_EQ(settings.getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")),
              (common.flags & qsd::SHOW_FOLDERS) ? 1 : 0);
}

TEST_F(QsdMacroFileChooserTest, SaveDialogProposesTheNameAndWritesBackOnCancel) {
    ASSERT_TRUE(settings.writeInt(QStringLiteral("LONG_DELAY"), 0));
    ASSERT_TRUE(settings.writeInt(QStringLiteral("STR_ZOOM_METHOD"), 2));
    ASSERT_TRUE(settings.writeInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST"), 1));
    common.flags &= ~qsd::SHOW_FOLDERS;
    common.listStyle = 3;
    QsdMacroFileChooser chooser(settings, services, nullptr);
    Seen seen;
    chooser.setRunHook(scripted(seen, QString(), 0));
    MacroFileRequest request;
    request.mode = MacroFileMode::Save;
    request.folder = files.folder() + u'/';
    request.fileName = QStringLiteral("新規マクロ(1).mcr");
    request.flags = 0x2;
    EXPECT_FALSE(chooser.MacroFileDialog(request));
    EXPECT_EQ(seen.flags, qsdlogic::mergeCommonFlags(0x265210u | 0x1u | 0x800000u, common.flags));
    EXPECT_EQ(seen.initialName, QStringLiteral("新規マクロ(1).mcr"));
    EXPECT_EQ(seen.title, QStringLiteral("Save Macro File"));
    EXPECT_EQ(seen.filterText, QStringLiteral("Macro (*.mcr)|*.mcr|All Files (*.*)|*.*||"));
    EXPECT_EQ(seen.listStyle, 3);
    EXPECT_EQ(settings.getInt(QStringLiteral("FILE_LIST_STYLE")), common.listStyle);
    EXPECT_EQ(settings.getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")), 0);
}

TEST_F(QsdMacroFileChooserTest, SavedMacroGoesToTheChosenFile) {
    QsdMacroFileChooser chooser(settings, services, nullptr);
    Seen seen;
    chooser.setRunHook(scripted(seen, QStringLiteral("new"), 1));
    Macro macro;
    macro.lastFolder = files.folder() + u'/';
    macro.steps.push_back(MacroStep{MacroCommand::Paste, {}, 0, false, false, false});
    ASSERT_TRUE(MacroSaveCommand(macro, macroServices(chooser)))
        << messages.texts().join(u'|').toStdString();
    // The file type's pattern gives a typed name its extension.
    EXPECT_TRUE(QFile::exists(files.path("new.mcr")))
        << QDir(files.folder()).entryList().join(',').toStdString()
        << messages.texts().join('|').toStdString();
    EXPECT_EQ(seen.title, QStringLiteral("マクロを保存"));
    EXPECT_EQ(seen.ofnFlags, 0x2u);
    EXPECT_EQ(seen.initialName, QStringLiteral("新規マクロ(1).mcr"));
}
