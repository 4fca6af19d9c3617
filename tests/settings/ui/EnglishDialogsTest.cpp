#include "CQSDColorDialog.h"
#include "CharSetServices.h"
#include "CommandIds.h"
#include "FileInfoDialog.h"
#include "FontSelectDialog.h"
#include "JumpDialog.h"
#include "LanguageLibrary.h"
#include "SettingsPage.h"
#include "SettingsSheet.h"
#include "ViewTestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

namespace {

bool isJapanese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
               (u >= 0xFF00 && u <= 0xFFEF);
    });
}

// Every caption, label, button, group title and list item of the window that
// is still Japanese, named by its control.
QStringList japaneseTexts(QWidget* window) {
    QStringList found;
    auto check = [&](const QObject* o, const QString& text) {
        if (isJapanese(text))
            found << o->objectName() + u'=' + text;
    };
    check(window, window->windowTitle());
    for (const QLabel* w : window->findChildren<QLabel*>())
        check(w, w->text());
    for (const QAbstractButton* w : window->findChildren<QAbstractButton*>())
        check(w, w->text());
    for (const QGroupBox* w : window->findChildren<QGroupBox*>())
        check(w, w->title());
    for (const QComboBox* w : window->findChildren<QComboBox*>())
        for (int i = 0; i < w->count(); ++i)
            check(w, w->itemText(i));
    for (const QTabWidget* w : window->findChildren<QTabWidget*>())
        for (int i = 0; i < w->count(); ++i)
            check(w, w->tabText(i));
    return found;
}

// The dialogs are built after the English library became the resource source.
class EnglishDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto english = LibraryResourceSource::load(QStringLiteral(TAVLO_EN_LIBRARY));
        ASSERT_TRUE(english);
        res::setResourceSource(english);
    }
    void TearDown() override { res::setResourceSource(nullptr); }
    ViewEnvironment env;
};

TEST_F(EnglishDialogsTest, EveryPageOfTheSheetIsEnglish) {
    // Font faces are the user's data, not texts of the page.
    env.settings->writeString(QStringLiteral("FONT1_NAME"), QStringLiteral("Sans"));
    SettingsContext context{*env.settings, env.messages};
    SettingsSheet sheet(context);
    for (int i = 0; i < sheet.pageCount(); ++i)
        sheet.pageAt(i)->ensureCreated();
    EXPECT_EQ(sheet.windowTitle(), u"Tavlo: Settings");
    EXPECT_EQ(sheet.pageAt(2)->tabText(), u"Tap");
    const auto* zoom = sheet.findChild<QComboBox*>(QString::number(cmd::page_tap::IDC_ZOOM_METHOD));
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->count(), 3) << "one item per line of the list's text";
    EXPECT_EQ(zoom->itemText(2), u"Double tap on blank space");
    QStringList left = japaneseTexts(&sheet);
    left.removeIf([](const QString& t) {
        return t.startsWith(u"1094=") || t.startsWith(u"1097=") || t.startsWith(u"1100=") ||
               t.startsWith(u"1107=");
    });
    EXPECT_TRUE(left.isEmpty()) << left.join(u", ").toStdString();
}

TEST_F(EnglishDialogsTest, TheColourJumpFontAndFileDialogsAreEnglish) {
    CQSDColorDialog color(*env.settings);
    EXPECT_EQ(color.windowTitle(), u"Select Colour");
    JumpDialog jump(3, 10, env.messages);
    // The English table leaves the unit after the line numbers out.
    EXPECT_EQ(jump.findChildren<QLabel*>().size(), 5);
    FontSelectDialog font(FontSelectDialog::Request{}, env.messages);
    const CharSetServices charSets(*env.settings);
    FileInfoDialog info(FileInfoDialog::Fields{{}, u"ANSI|UTF-8||"_qs, u"0"_qs}, charSets);
    for (QWidget* dialog : std::initializer_list<QWidget*>{&color, &jump, &font, &info})
        EXPECT_TRUE(japaneseTexts(dialog).isEmpty())
            << dialog->objectName().toStdString() << ": "
            << japaneseTexts(dialog).join(u", ").toStdString();
}

} // namespace
