#include "FileTypeAssociation.h"
#include "AssociationStartupCheck.h"
#include "MessageService.h"
#include "Registry.h"
#include "StringTable.h"
#include "TempFiles.h"

namespace {

class FileTypeAssociationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = dir.write("bin/tavlo", {});
        registry = std::make_unique<Registry>(dir.path("registry.sqlite"));
        assoc = std::make_unique<FileTypeAssociation>(*registry, program);
    }

    std::optional<QString> value(const QString& keyPath) {
        RegKey key;
        if (registry->RegOpenKeyEx(HKEY_CLASSES_ROOT, keyPath, &key) != reg::ERROR_SUCCESS)
            return std::nullopt;
        return registry->queryString(key, QString());
    }
    void setValue(const QString& keyPath, const QString& text) {
        RegKey key;
        ASSERT_EQ(registry->RegCreateKeyEx(HKEY_CLASSES_ROOT, keyPath, &key), reg::ERROR_SUCCESS);
        ASSERT_EQ(registry->setString(key, QString(), text), reg::ERROR_SUCCESS);
    }
    void registerAllSeven() {
        ASSERT_TRUE(assoc->Register(35002, 35007, 35011));
        ASSERT_TRUE(assoc->Register(35003, 35008, 35012));
        ASSERT_TRUE(assoc->Register(35004, 35015, 35016));
        ASSERT_TRUE(assoc->Register(35027, 35028, 35029));
        ASSERT_TRUE(assoc->Register(35005, 35009, 35013));
        ASSERT_TRUE(assoc->Register(35006, 35010, 35014));
        ASSERT_TRUE(assoc->Register(35017, 35018, 35019));
    }

    TempFiles dir;
    QString program;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<FileTypeAssociation> assoc;
};

// Registered twice, the extension still goes back to its previous owner.
TEST_F(FileTypeAssociationTest, RegisterWritesEveryEntryAndKeepsThePreviousOwner) {
    setValue(".txt", "txtfile");
    ASSERT_TRUE(assoc->Register(".txt", "TavloText", "テキストファイル"));
    ASSERT_TRUE(assoc->Register(".txt", "TavloText", "テキストファイル"));

    EXPECT_EQ(value(".txt"), "TavloText");
    EXPECT_EQ(value("TavloText"), "テキストファイル");
    EXPECT_EQ(value("TavloText\\shell\\open\\command"), "\"" + program + "\" \"%1\"");
    EXPECT_EQ(value("TavloText\\DefaultIcon"), program + ",-135");
    EXPECT_EQ(value("TavloText\\OldEntry"), "txtfile");

    ASSERT_TRUE(assoc->Unregister(".txt", "TavloText"));
    EXPECT_EQ(value(".txt"), "txtfile");
    EXPECT_EQ(value("TavloText\\shell\\open\\command"), "\"" + program + "\" \"%1\"")
        << "the type key stays in place";
}

TEST_F(FileTypeAssociationTest, RegisterRefusesBadArgumentsAndEveryWriteToAnUnusableStoreFails) {
    EXPECT_FALSE(assoc->Register("txt", "TavloText", "x"));
    EXPECT_FALSE(assoc->Register(".txt", "", "x"));
    EXPECT_FALSE(value(".txt").has_value());
    EXPECT_FALSE(assoc->Register(35002, 99999, 35011)) << "a string that can't be loaded fails";
    EXPECT_FALSE(value(".txt").has_value());

    // A folder where the database should be.
    QDir().mkpath(dir.path("folder.sqlite"));
    Registry broken(dir.path("folder.sqlite"));
    FileTypeAssociation bad(broken, program);
    EXPECT_FALSE(bad.Register(".txt", "TavloText", "x"));
    EXPECT_FALSE(bad.IsAssociated(".txt", "TavloText", true));
    EXPECT_EQ(bad.CheckAll(), 0);
}

TEST_F(FileTypeAssociationTest, UnregisterGivesBackDefaultNames) {
    ASSERT_TRUE(assoc->Register(".htm", "TavloHtm", "HTML ドキュメント"));
    ASSERT_TRUE(assoc->Register(".inf", "TavloInf", "情報ファイル"));
    ASSERT_TRUE(assoc->Register(".txt", "TavloText", "テキストファイル"));
    EXPECT_FALSE(value("TavloInf\\OldEntry").has_value()) << "no previous owner";
    ASSERT_TRUE(assoc->Unregister(35003, 35008));
    ASSERT_TRUE(assoc->Unregister(".inf", "TavloInf"));
    ASSERT_TRUE(assoc->Unregister(".txt", "TavloText"));
    EXPECT_EQ(value(".htm"), "htmlfile");
    EXPECT_EQ(value(".inf"), "");
    EXPECT_EQ(value(".txt"), "txtfile");
}

TEST_F(FileTypeAssociationTest, UnregisterFailsWithoutKeysAndLeavesOthersAlone) {
    EXPECT_FALSE(assoc->Unregister(".txt", "TavloText")) << "no extension key";
    setValue(".foo", "Other");
    EXPECT_FALSE(assoc->Unregister(".foo", "Other")) << "an unknown type without a key";
    // The alternative type name is ours too.
    setValue(".txt", "Tavlo Text");
    setValue("Tavlo Text", "old");
    setValue("Tavlo Text\\OldEntry", "notepadfile");
    ASSERT_TRUE(assoc->Unregister(".txt", "TavloText"));
    EXPECT_EQ(value(".txt"), "notepadfile");
    setValue(".txt", "otherfile");
    setValue("TavloText", "テキストファイル");
    EXPECT_TRUE(assoc->Unregister(".txt", "TavloText"));
    EXPECT_EQ(value(".txt"), "otherfile") << "another program's type";
}

TEST_F(FileTypeAssociationTest, IsAssociatedChecksTypeAndCommand) {
    EXPECT_FALSE(assoc->IsAssociated(".txt", "TavloText", true));
    ASSERT_TRUE(assoc->Register(".txt", "TavloText", "テキストファイル"));
    EXPECT_TRUE(assoc->IsAssociated(".txt", "tavlotext", true));

    setValue("TavloText\\shell\\open\\command", "\"" + program + "-cli\" \"%1\"");
    EXPECT_FALSE(assoc->IsAssociated(".txt", "TavloText", true))
        << "a longer program name is another program";
    EXPECT_TRUE(assoc->IsAssociated(".txt", "TavloText", false));

    setValue(".mcr", "Tavlo Macro");
    setValue("Tavlo Macro\\shell\\open\\command", program + " %1");
    EXPECT_TRUE(assoc->IsAssociated(".mcr", "TavloMacro", true)) << "alternative name, unquoted";
    setValue(".xml", "Tavlo Xml");
    setValue("Tavlo Xml\\shell\\open\\command", "\"" + program + "\" \"%1\"");
    EXPECT_FALSE(assoc->IsAssociated(".xml", "TavloXml", true)) << ".xml has no alternative";
}

TEST_F(FileTypeAssociationTest, CheckOneTellsOursFromOthers) {
    ASSERT_TRUE(assoc->Register(".txt", "TavloText", "テキストファイル"));
    EXPECT_EQ(assoc->CheckOne(".txt", program), FileTypeAssociation::CheckFine);

    const QString other = dir.write("other-tavlo", {});
    EXPECT_EQ(assoc->CheckOne(".txt", other), FileTypeAssociation::CheckOtherProgram);
    setValue("TavloText\\shell\\open\\command", "\"" + dir.path("gone") + "\" \"%1\"");
    EXPECT_EQ(assoc->CheckOne(".txt", program), FileTypeAssociation::CheckMissingProgram);

    setValue("TavloText\\shell\\open\\command", "\"" + dir.path("gone") + " %1");
    EXPECT_EQ(assoc->CheckOne(".txt", program), 0) << "an unclosed quote counts as fine";
    setValue("TavloText\\shell\\open\\command", dir.path("gone"));
    EXPECT_EQ(assoc->CheckOne(".txt", program), 0) << "a bare path counts as fine";
    setValue("TavloText\\shell\\open\\command", other + " %1");
    EXPECT_EQ(assoc->CheckOne(".txt", program), FileTypeAssociation::CheckOtherProgram);

    setValue(".txt", "otherfile");
    EXPECT_EQ(assoc->CheckOne(".txt", program), 0) << "not ours";
    EXPECT_EQ(assoc->CheckOne(".doc", program), 0) << "not one of the seven";
}

TEST_F(FileTypeAssociationTest, CheckAllRanksOtherProgramAboveMissingAndRepairSkipsMissingKeys) {
    EXPECT_TRUE(assoc->RepairCommand(".txt", program));
    EXPECT_FALSE(value("TavloText\\shell\\open\\command").has_value());
    EXPECT_TRUE(assoc->RepairCommand(".doc", program));
    registerAllSeven();
    EXPECT_EQ(assoc->CheckAll(), 0);
    setValue("TavloIni\\shell\\open\\command", "\"" + dir.path("gone") + "\" \"%1\"");
    EXPECT_EQ(assoc->CheckAll(), 1);
    setValue("TavloHtml\\shell\\open\\command", "\"" + dir.write("other", {}) + "\" \"%1\"");
    EXPECT_EQ(assoc->CheckAll(), 2);

    ASSERT_TRUE(assoc->RepairAll());
    EXPECT_EQ(assoc->CheckAll(), 0);
    EXPECT_EQ(value("TavloHtml\\shell\\open\\command"), "\"" + program + "\" \"%1\"");
    EXPECT_EQ(value("TavloIni\\DefaultIcon"), program + ",-135");
}

TEST_F(FileTypeAssociationTest, StartupCheckAsksAndRepairs) {
    registerAllSeven();
    ScriptedMessageService messages;
    EXPECT_EQ(runAssociationStartupCheck(*assoc, messages), 0);
    EXPECT_TRUE(messages.shown().empty());

    const QString other = dir.write("other", {});
    setValue("TavloText\\shell\\open\\command", "\"" + other + "\" \"%1\"");
    messages.queueAnswer(mb::IDNO);
    EXPECT_EQ(runAssociationStartupCheck(*assoc, messages), 2);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "デバイス上の別のTavloテキストエディタ実行ファイルに拡張子の関連付けがされています。"
              "\n\n関連付けをやり直しますか？");
    EXPECT_EQ(messages.shown()[0].caption, "Tavloテキストエディタ");
    EXPECT_EQ(messages.shown()[0].style, mb::MB_YESNO | mb::MB_ICONQUESTION | mb::MB_TOPMOST);
    EXPECT_EQ(value("TavloText\\shell\\open\\command"), "\"" + other + "\" \"%1\"")
        << "No leaves the registry unchanged";

    messages.clear();
    setValue("TavloText\\shell\\open\\command", "\"" + dir.path("gone") + "\" \"%1\"");
    messages.queueAnswer(mb::IDYES);
    EXPECT_EQ(runAssociationStartupCheck(*assoc, messages), 1);
    EXPECT_EQ(
        messages.texts(),
        QStringList{"拡張子の関連付け情報に誤りを検出しました。\n\n関連付けをやり直しますか？"});
    EXPECT_EQ(value("TavloText\\shell\\open\\command"), "\"" + program + "\" \"%1\"");
    EXPECT_EQ(assoc->CheckAll(), 0);
}

// The built-in strings, except that the extension list vanishes after it was
// read once: the check finds a fault and the repair then can't run.
class ListOnceSource : public ResourceSource {
  public:
    std::optional<QString> loadString(uint32_t id) const override {
        if (id == 35031 && listReads_++ > 0)
            return std::nullopt;
        return builtin_.loadString(id);
    }

  private:
    BuiltinStrings builtin_;
    mutable int listReads_ = 0;
};

TEST_F(FileTypeAssociationTest, StartupCheckReportsAFailedRepair) {
    registerAllSeven();
    setValue("TavloXml\\shell\\open\\command", "\"" + dir.path("gone") + "\" \"%1\"");
    res::setResourceSource(std::make_shared<ListOnceSource>());
    ScriptedMessageService messages;
    messages.queueAnswer(mb::IDYES);
    const int result = runAssociationStartupCheck(*assoc, messages);
    res::setResourceSource(nullptr);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, "関連付けの最中にエラーが発生しました。");
    EXPECT_EQ(messages.shown()[1].style, mb::MB_OK | mb::MB_ICONERROR | mb::MB_TOPMOST);
}

} // namespace
