#include "CQSDColorDialog.h"
#include "ColorEditorBlock.h"
#include "ColorFocusGrid.h"
#include "ColorSwatch.h"
#include "CommandIds.h"
#include "TempProfile.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace cmd::colordlg;
namespace cp = colorpalette;

TEST(CustomColorListTest, ChosenColoursGoFirstAndTheSixthDropsTheOldest) {
    CustomColorList list;
    list.set(7, {1, 2, 3, 4, 5}); // a count above 5 is 5
    EXPECT_EQ(list.count(), 5);
    list.putFirst(3);
    EXPECT_EQ(list.count(), 5);
    auto all = [&list] {
        return std::vector<COLORREF>{list.at(0), list.at(1), list.at(2), list.at(3), list.at(4)};
    };
    EXPECT_EQ(all(), std::vector<COLORREF>({3, 1, 2, 4, 5}));
    list.putFirst(9);
    EXPECT_EQ(all(), std::vector<COLORREF>({9, 3, 1, 2, 4}));
    CustomColorList empty;
    empty.set(-2, {1, 2, 3, 4, 5});
    empty.putFirst(7);
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(empty.at(0), 7u);
}

// A value text over 255, and a basic colour's place: ColorDialogTest.
TEST(ColorPaletteTest, StoredChoicesAndValueTextsAreKeptInRange) {
    EXPECT_EQ(cp::normalizedStyle(30069), 30069);
    EXPECT_EQ(cp::normalizedStyle(12345), cp::kStyleBasic);
    EXPECT_EQ(cp::normalizedTapAction(-1), cp::kTapSelect);
    EXPECT_EQ(cp::componentFromText(QString()), 0);
}

struct GridMove {
    int from;
    ColorFocusGrid::Direction direction;
    int to;
};
class FocusGridTest : public ::testing::TestWithParam<GridMove> {};

TEST_P(FocusGridTest, MovesToTheNextUsableControlAndWrapsOnce) {
    ColorFocusGrid grid;
    ASSERT_TRUE(grid.follow(GetParam().from));
    EXPECT_EQ(grid.move(GetParam().direction, [](int id) { return id != IDC_CUSTOM_FIRST + 2; }),
              GetParam().to);
}

using D = ColorFocusGrid::Direction;
INSTANTIATE_TEST_SUITE_P(
    Moves, FocusGridTest,
    ::testing::Values(GridMove{IDC_BASIC_FIRST, D::Up, IDC_STYLE},
                      GridMove{IDC_STYLE, D::Up, IDC_CUSTOM_FIRST}, // wraps to the last row
                      GridMove{IDC_BASIC_FIRST, D::Left, IDC_BASIC_FIRST + 7},
                      GridMove{IDC_RED_EDIT, D::Right, IDC_RED_TRACK}, // passes the edit's cells
                      GridMove{IDC_CUSTOM_FIRST + 1, D::Right, IDC_CUSTOM_FIRST + 3}, // skips one
                      GridMove{IDC_STYLE, D::Right, IDC_STYLE})); // one control: stays

TEST(FocusGridTest, EndsWhenNothingIsUsable) {
    ColorFocusGrid grid;
    grid.follow(IDC_GREEN_TRACK);
    EXPECT_EQ(grid.move(D::Down, [](int) { return false; }), IDC_GREEN_TRACK);
}

class ColorDialogTest : public ::testing::Test {
  protected:
    TempProfile profile;
    Settings* settings = &profile.settings();

    std::unique_ptr<CQSDColorDialog> open(COLORREF color, int style) {
        settings->writeInt(QStringLiteral("QSD_COLOR_SELECT_STYLE"), style);
        auto dialog = std::make_unique<CQSDColorDialog>(*settings);
        dialog->SetInitialColor(color);
        dialog->SetCustomColors(2, 0x123456, 0x654321, 0, 0, 0);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        return dialog;
    }
    static void key(CQSDColorDialog& d, Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d, k);
    }
};

TEST_F(ColorDialogTest, ABasicColourOpensTheBasicStyleWithItsSwatchMarked) {
    auto d = open(0xFF0000, cp::kStyleCustom);
    EXPECT_EQ(d->style(), cp::kStyleBasic);
    EXPECT_EQ(d->highlightedId(), IDC_BASIC_FIRST + 28);
    EXPECT_EQ(static_cast<ColorSwatch*>(d->control(IDC_BASIC_FIRST + 28))->text(), u"☆");
    EXPECT_FALSE(d->control(IDC_RED_EDIT)->isVisible());
    d.reset(); // the style goes back to the store when the dialog goes
    EXPECT_EQ(settings->getInt(QStringLiteral("QSD_COLOR_SELECT_STYLE")), cp::kStyleBasic);
}

TEST_F(ColorDialogTest, ArrowKeysAloneReachTheEditorAndMakeACustomColour) {
    auto d = open(0x123456, 30069); // a custom colour, both styles shown
    EXPECT_EQ(QApplication::focusWidget(), d->control(IDC_CUSTOM_FIRST));
    key(*d, Qt::Key_Up); // custom row -> blue edit
    EXPECT_EQ(QApplication::focusWidget(), d->control(IDC_BLUE_EDIT));
    key(*d, Qt::Key_Return); // the edit's track bar
    EXPECT_EQ(QApplication::focusWidget(), d->control(IDC_BLUE_TRACK));
    key(*d, Qt::Key_Right);
    EXPECT_EQ(static_cast<QLineEdit*>(d->control(IDC_BLUE_EDIT))->text(), u"19");
    key(*d, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), d->control(IDC_GREEN_TRACK));
    key(*d, Qt::Key_Up);
    key(*d, Qt::Key_Up); // into the basic colours: the last one chosen
    EXPECT_EQ(d->highlightedId(), IDC_BASIC_FIRST);
    key(*d, Qt::Key_Down);
    EXPECT_EQ(d->highlightedId(), IDC_BASIC_FIRST + 8);
    d->accept(); // OK on a basic swatch takes it; the custom list stays
    EXPECT_EQ(d->GetColor(), 0x0000FFu);
    EXPECT_EQ(d->GetCustomCount(), 2);
}

TEST_F(ColorDialogTest, ValueTextsDriveTheTrackBarsAndThePreviewWithinRange) {
    auto d = open(0x010203, cp::kStyleCustom);
    static_cast<QLineEdit*>(d->control(IDC_RED_EDIT))->setText(QStringLiteral("300"));
    auto* editor = static_cast<ColorEditorBlock*>(d->control(IDC_CUSTOM_GROUP));
    EXPECT_EQ(editor->previewColor(), 0x0102FFu);
    EXPECT_EQ(static_cast<QSlider*>(d->control(IDC_RED_TRACK))->value(), 255);
    EXPECT_TRUE(d->isCommandEnabled(cmd::ID_COLOR_RESET_CUSTOM));
    d->runCommand(cmd::ID_COLOR_RESET_CUSTOM);
    EXPECT_EQ(editor->editedColor(), 0x010203u);
    static_cast<QLineEdit*>(d->control(IDC_GREEN_EDIT))->setText(QStringLiteral("16"));
    d->accept(); // the edited colour goes first into the custom list
    EXPECT_EQ(d->GetColor(), 0x011003u);
    EXPECT_EQ(d->GetCustomCount(), 3);
    EXPECT_EQ(d->GetCustomColor(0), 0x011003u);
}

TEST_F(ColorDialogTest, ATapChoosesTheSwatchAndClosesUnlessTheTapActionSaysOtherwise) {
    auto d = open(0xFFFFFF, cp::kStyleBasic);
    QTest::mouseClick(d->control(IDC_BASIC_FIRST + 9), Qt::LeftButton);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->GetColor(), 0x00FFFFu);

    auto loads = open(0xFFFFFF, 30069);
    loads->runCommand(cmd::ID_COLOR_TAP_LOAD);
    QTest::mouseClick(loads->control(IDC_BASIC_FIRST + 9), Qt::LeftButton);
    EXPECT_TRUE(loads->isVisible());
    EXPECT_EQ(static_cast<ColorEditorBlock*>(loads->control(IDC_CUSTOM_GROUP))->editedColor(),
              0x00FFFFu);
    loads.reset();
    EXPECT_EQ(settings->getInt(QStringLiteral("QSD_COLOR_SELECT_TAP_ACTION")), cp::kTapLoad);
}
