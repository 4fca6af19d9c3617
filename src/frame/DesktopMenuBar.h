#pragma once

#include <QObject>
#include <functional>

class CommandActions;
class QMainWindow;
class QMenu;

// The command bar's menu as a desktop menu bar: File, Edit, View and Tools
// with their access keys, built from the same menu resource as the command
// bar's pop-up, so commands, enabling rules and texts are shared. F10 or a
// lone Alt opens its first menu. The frame shows it at desktop width only.
class DesktopMenuBar : public QObject {
    Q_OBJECT
  public:
    DesktopMenuBar(QMainWindow& window, CommandActions& actions,
                   std::function<void(QMenu*)> prepareMenu);

    // Builds the bar from the main pop-up of this menu resource (128 or 163).
    void rebuild(int menuId);
    void setActive(bool active);
    bool isActive() const { return active_; }
    // Opens the first menu, as F10 and a lone Alt do.
    void openFirstMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMainWindow& window_;
    CommandActions& actions_;
    std::function<void(QMenu*)> prepareMenu_;
    bool active_ = false;
    bool lonelyAlt_ = false;
};
