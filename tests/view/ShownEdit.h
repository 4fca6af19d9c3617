#pragma once

#include "CTextEdit.h"

#include <QSize>
#include <memory>

// An edit control shown offscreen with the focus, as the view shows it.
struct ShownEdit {
    std::unique_ptr<CTextEdit> edit;
    explicit ShownEdit(CTextEdit::Wrap wrap = CTextEdit::Wrap::Off, QSize size = QSize(300, 200)) {
        edit = std::make_unique<CTextEdit>(wrap == CTextEdit::Wrap::On ? 1000 : 1005, wrap);
        edit->resize(size);
        edit->show();
        edit->setFocus();
    }
    CTextEdit* operator->() const { return edit.get(); }
    CTextEdit& operator*() const { return *edit; }
};
