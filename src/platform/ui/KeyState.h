#pragma once

#include <QObject>
#include <bitset>

class QCoreApplication;

// The device's asynchronous key state: an application-wide event filter
// watches key presses and releases and the modifiers of every input event,
// so that any code can ask whether a virtual key is down right now. When the
// application loses the focus every key counts as released, since releases
// outside it never arrive.
class KeyState : public QObject {
    Q_OBJECT
  public:
    explicit KeyState(QObject* parent = nullptr);
    ~KeyState() override;

    // Watches the events of the whole application (until destroyed).
    void install(QCoreApplication* app);

    bool isKeyDown(int virtualKey) const;
    // 0x8000 while the key is down, 0 otherwise, as the device answers.
    short GetAsyncKeyState(int virtualKey) const {
        return isKeyDown(virtualKey) ? short(0x8000) : 0;
    }
    void clear() { down_.reset(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setDown(int virtualKey, bool down);
    void syncModifiers(Qt::KeyboardModifiers modifiers);

    std::bitset<256> down_;
    QCoreApplication* app_ = nullptr;
};
