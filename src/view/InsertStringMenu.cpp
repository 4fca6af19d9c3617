#include "InsertStringMenu.h"

#include "DateTemplate.h"
#include "EditBuffer.h"
#include "StringTable.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

InsertStringMenu::InsertStringMenu() = default;
InsertStringMenu::~InsertStringMenu() = default;

void InsertStringMenu::build(const std::vector<InsertStringEntry>& entries, bool recentPlatform,
                             QWidget* parent, std::function<void(int id)> run) {
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("menu165"));
    for (size_t i = 0; i < entries.size(); ++i) {
        const InsertStringEntry& entry = entries[i];
        if (entry.key.isNull())
            continue;
        const QString label = insertstrings::menuLabel(entry, int(i), recentPlatform);
        if (label.isEmpty())
            continue;
        const int id = insertstrings::kFirstCommand + int(i);
        QAction* action = menu->addAction(label);
        action->setData(id);
        QObject::connect(action, &QAction::triggered, menu.get(), [run, id] { run(id); });
    }
    if (menu->actions().isEmpty()) {
        QAction* action = menu->addAction(
            res::loadString(insertstrings::kEmptyMenuString, QStringLiteral("(None)")));
        action->setData(insertstrings::kFirstCommand);
        action->setEnabled(false);
    }
    menu_ = std::move(menu);
}

void InsertStringMenu::popup(const QPoint& globalPos, const QWidget& edit) {
    if (!menu_)
        return;
    const QSize size = menu_->sizeHint();
    const QPoint bottom = edit.mapToGlobal(QPoint(0, edit.height()));
    menu_->popup(QPoint(globalPos.x() - size.width() / 2, bottom.y() - size.height()));
}

void insertstrings::insertInto(EditBuffer& buffer, const InsertStringEntry& entry,
                               const QDateTime& now) {
    const auto [s, e] = buffer.GetSel();
    if (!entry.hasEndText) {
        buffer.ReplaceSel(expandInsertText(entry.insertText, now));
        return;
    }
    buffer.SetSel(e, e);
    buffer.ScrollCaret();
    buffer.ReplaceSel(entry.endText);
    buffer.SetSel(s, s);
    buffer.ScrollCaret();
    buffer.ReplaceSel(entry.insertText);
    const int caret = buffer.GetSel().second;
    buffer.SetSel(caret, caret + (e - s));
    buffer.ScrollCaret();
}
