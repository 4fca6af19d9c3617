#include "CommandIds.h"
#include "DialogTexts.h"
#include "FakeTranslation.h"
#include "FindBar.h"
#include "FrameFixture.h"
#include "MenuTables.h"
#include "ReplaceBar.h"
#include "SearchBarController.h"
#include "SoftKeyBar.h"

#include <QAbstractButton>

namespace {

using namespace cmd;

class FrameLanguageSwitchTest : public FrameFixture {
  protected:
    static QAbstractButton* button(SearchBar* bar, int id) {
        return qobject_cast<QAbstractButton*>(bar->control(id));
    }
    // The frame's private message after a switch: rebuild the bars.
    void switchLanguage() {
        frame->postRebuildBars();
        QCoreApplication::sendPostedEvents(frame.get());
    }
};

TEST_F(FrameLanguageSwitchTest, ShownBarsAndTheirSoftKeysTakeTheNewTextsAtOnce) {
    showFrame();
    ASSERT_TRUE(router.execute(ID_EDIT_FIND));
    FindBar* find = frame->searchBars()->findBar();
    ReplaceBar* replace = frame->searchBars()->replaceBar();
    const int findMenu = res::textKey(res::loadMenu(IDR_FINDBAR_MENUBAR)->items[1]);
    auto english = std::make_shared<FakeTranslation>();
    english->strings = {{37000, u"Next"_qs}};
    english->menuTexts = {{{IDR_FINDBAR_MENUBAR, findMenu}, u"Menu"_qs},
                          {{IDR_FINDBAR_MENUBAR, ID_FIND_CLOSE}, u"Close the bar"_qs}};
    english->dialogTexts = {{{IDD_FINDBAR, findbar::IDC_CLOSE}, u"Close"_qs},
                            {{IDD_FINDBAR, res::IDC_TOOLTIP + findbar::IDC_PREV}, u"Previous"_qs},
                            {{IDD_REPLACEBAR, replacebar::IDC_REPLACE_ALL}, u"All"_qs}};
    {
        const auto guard = FakeTranslation::install(english);
        switchLanguage();
        EXPECT_EQ(button(find, findbar::IDC_CLOSE)->text(), u"Close");
        EXPECT_EQ(button(find, findbar::IDC_PREV)->toolTip(), u"Previous");
        EXPECT_EQ(button(replace, replacebar::IDC_REPLACE_ALL)->text(), u"All");
        SoftKeyBar* keys = frame->softKeyBar();
        EXPECT_EQ(keys->leftCommand()->text(), u"Next");
        EXPECT_EQ(keys->rightMenu()->title(), u"Menu");
        EXPECT_TRUE(texts(keys->rightMenu()).contains(u"Close the bar"_qs));
    }
    switchLanguage();
    EXPECT_EQ(button(find, findbar::IDC_CLOSE)->text(), u"×");
    EXPECT_EQ(button(find, findbar::IDC_PREV)->toolTip(), u"前を検索");
    EXPECT_EQ(frame->softKeyBar()->leftCommand()->text(), u"次を検索");
    EXPECT_EQ(frame->softKeyBar()->rightMenu()->title(), u"メニュー");
}

} // namespace
