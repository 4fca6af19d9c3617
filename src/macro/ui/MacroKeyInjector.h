#pragma once

#include <QString>
#include <Qt>

class QWidget;

// MacroSendKey over Qt: builds the key event a virtual key gives, with the
// text it would type and the modifiers the injected Ctrl, Shift and Alt hold
// down, and delivers it to a widget as a real key would arrive: window
// shortcuts first, then the widget. The application's key state sees it too.
class MacroKeyInjector {
  public:
    void sendKey(QWidget* target, int virtualKey, bool down);
    // The modifiers the injected keys hold down now.
    Qt::KeyboardModifiers modifiers() const { return modifiers_; }

  private:
    Qt::KeyboardModifiers modifiers_;
};

// The Qt key and the text a virtual key gives with the modifiers.
struct MacroKeyEventData {
    int qtKey = 0;
    QString text;
};
MacroKeyEventData macroKeyEventData(int virtualKey, Qt::KeyboardModifiers modifiers);
