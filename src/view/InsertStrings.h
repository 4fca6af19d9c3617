#pragma once

#include <QChar>
#include <QString>
#include <vector>

class Settings;

// One of the eight insert strings reached by Ctrl(+Shift)+H, J, K, L.
struct InsertStringEntry {
    bool hasEndText = false;
    bool ctrl = true;
    bool shift = false;
    QChar key;
    QString insertText;
    QString endText;
};

namespace insertstrings {
constexpr int kCount = 8;
constexpr int kFirstCommand = 32841; // entries 1 ... 8 are 32841 ... 32848
constexpr int kMenuCommand = 32896;  // the soft key "文字列挿入"
constexpr int kEmptyMenuString = 35099;

// Entry `index` (0-7) from its stored form: the insert text, optionally a
// TAB and the end text.
InsertStringEntry parse(const QString& stored, int index);

// The eight entries from INS_KEY_VALUE1 ... INS_KEY_VALUE8.
std::vector<InsertStringEntry> load(const Settings& settings);

// The menu label of an entry: its insert and end text, and unless the
// platform drops key names, a TAB and "Ctrl+L" or "Ctrl+Shift+L". Empty when
// both texts are empty (the entry gets no menu item).
QString menuLabel(const InsertStringEntry& entry, int index, bool recentPlatform);

// The stored form of a step of the macro recorder: the insert text and,
// with an end text, a TAB and the end text.
QString recordedText(const InsertStringEntry& entry);
} // namespace insertstrings
