#pragma once

#include "SearchBarHost.h"

class CEditer;
class InputTimes;

// The bars' view of the window: the view's search operations (with the one
// search memory of the program run) and the frame's input times.
class FrameSearchHost : public SearchBarHost {
  public:
    FrameSearchHost(CEditer& view, const InputTimes& inputTimes)
        : view_(view), inputTimes_(inputTimes) {}

    bool search(const QString& text, SearchDirection direction, MatchCase matchCase,
                SearchMode mode) override;
    bool replace(const QString& findText, const QString& replaceText, MatchCase matchCase) override;
    bool replaceAll(const QString& findText, const QString& replaceText,
                    MatchCase matchCase) override;
    QString selectedText() const override;
    void focusEditControl() override;
    bool isKeyLastInput() const override;

  private:
    CEditer& view_;
    const InputTimes& inputTimes_;
};
