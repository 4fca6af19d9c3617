#pragma once

// Shows the busy cursor over the whole application while it lives, like the
// device's wait cursor around a long operation. Nests: the cursor returns
// when the outermost WaitCursor goes away.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Shows the busy cursor again after something (a message box) restored
    // the normal one.
    void restore();
};
