#include "FrameSearchHost.h"

#include "CEditer.h"
#include "InputTimes.h"

bool FrameSearchHost::search(const QString& text, SearchDirection direction, MatchCase matchCase,
                             SearchMode mode) {
    return view_.textSearch().search(view_.searchTarget(), text, direction, matchCase, mode);
}

bool FrameSearchHost::replace(const QString& findText, const QString& replaceText,
                              MatchCase matchCase) {
    return view_.textSearch().replace(view_.searchTarget(), findText, replaceText, matchCase);
}

bool FrameSearchHost::replaceAll(const QString& findText, const QString& replaceText,
                                 MatchCase matchCase) {
    return view_.textSearch().replaceAll(view_.searchTarget(), findText, replaceText, matchCase);
}

QString FrameSearchHost::selectedText() const {
    const auto [start, end] = view_.GetSel();
    return view_.GetText().mid(start, end - start);
}

void FrameSearchHost::focusEditControl() {
    view_.activeEdit().setFocus();
}

bool FrameSearchHost::isKeyLastInput() const {
    return inputTimes_.isKeyLastInput();
}
