#include "ColorFocusGrid.h"

#include "CommandIds.h"

using namespace cmd::colordlg;

ColorFocusGrid::ColorFocusGrid() {
    for (int c = 0; c < kColumns; ++c)
        cells_[0][c] = IDC_STYLE;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < kColumns; ++c)
            cells_[1 + r][c] = IDC_BASIC_FIRST + r * kColumns + c;
    const int edits[3] = {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT};
    const int tracks[3] = {IDC_RED_TRACK, IDC_GREEN_TRACK, IDC_BLUE_TRACK};
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < kColumns; ++c)
            cells_[7 + i][c] = c < 5 ? edits[i] : tracks[i];
    for (int c = 0; c < kColumns; ++c)
        cells_[10][c] = c < 4 ? IDC_CUSTOM_FIRST : IDC_CUSTOM_FIRST + c - 3;
}

int ColorFocusGrid::idAt(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return 0;
    return cells_[row][column];
}

bool ColorFocusGrid::follow(int id) {
    if (currentId() == id)
        return true;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            if (cells_[r][c] == id) {
                row_ = r;
                column_ = c;
                return true;
            }
    return false;
}

int ColorFocusGrid::move(Direction direction, const std::function<bool(int id)>& usable) {
    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    const int step = direction == Direction::Left || direction == Direction::Up ? -1 : 1;
    const int length = horizontal ? kColumns : kRows;
    const int start = horizontal ? column_ : row_;
    const int current = currentId();
    bool leftCurrent = false;
    // At most one turn round the row or column, so the search always ends.
    for (int n = 1; n < length; ++n) {
        const int i = ((start + n * step) % length + length) % length;
        const int id = horizontal ? cells_[row_][i] : cells_[i][column_];
        if (id == current) {
            if (leftCurrent)
                break;
            continue;
        }
        leftCurrent = true;
        if (usable(id)) {
            (horizontal ? column_ : row_) = i;
            return id;
        }
    }
    return current;
}
