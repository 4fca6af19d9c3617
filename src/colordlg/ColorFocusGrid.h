#pragma once

#include <functional>

// The colour dialog's table of control ids for moving the focus with the
// arrow keys alone: 11 rows of 8 cells. A control may fill several cells.
class ColorFocusGrid {
  public:
    static constexpr int kRows = 11;
    static constexpr int kColumns = 8;
    enum class Direction { Left, Right, Up, Down };

    ColorFocusGrid();

    int idAt(int row, int column) const;
    int row() const { return row_; }
    int column() const { return column_; }
    int currentId() const { return idAt(row_, column_); }

    // The grid position follows a control reached some other way (Tab, a
    // tap): it stays when it already lies on that control, else it goes to
    // the control's first cell. False for a control outside the grid.
    bool follow(int id);

    // Passes the further cells of the current control in the direction, then
    // moves to the next cell whose control `usable` accepts, wrapping round
    // the row or column once. Stays put when it comes back to the current
    // control or finds nothing. Returns the control id it ends on.
    int move(Direction direction, const std::function<bool(int id)>& usable);

  private:
    int cells_[kRows][kColumns];
    int row_ = 1;
    int column_ = 0;
};
