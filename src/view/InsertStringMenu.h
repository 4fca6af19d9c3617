#pragma once

#include "InsertStrings.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <vector>

class EditBuffer;
class QMenu;
class QPoint;
class QWidget;

// The pop-up menu of the insert strings (menu 165): one item per entry that
// has a text, "(None)" greyed when none has.
class InsertStringMenu {
  public:
    InsertStringMenu();
    ~InsertStringMenu();

    // Builds the menu anew from the entries; an item runs `run` with its
    // command id (32841-32848).
    void build(const std::vector<InsertStringEntry>& entries, bool recentPlatform, QWidget* parent,
               std::function<void(int id)> run);
    QMenu* menu() const { return menu_.get(); }
    // Pops the menu up centred on `globalPos` horizontally, its bottom at the
    // bottom of `edit`.
    void popup(const QPoint& globalPos, const QWidget& edit);

  private:
    std::unique_ptr<QMenu> menu_;
};

namespace insertstrings {
// Inserts an entry at the selection. With an end text, the end text goes
// after the selection and the insert text before it, and the selected text
// stays selected between them; otherwise the insert text, its date and time
// fields filled from `now`, replaces the selection.
void insertInto(EditBuffer& buffer, const InsertStringEntry& entry, const QDateTime& now);
} // namespace insertstrings
