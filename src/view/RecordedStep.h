#pragma once

#include <QMetaType>
#include <QString>
#include <Qt>

// What the view hands to the macro recorder: the raw events the recorder
// turns into macro steps.
struct RecordedStep {
    enum class Kind {
        KeyDown,   // key, modifiers
        Character, // text (one typed character; "\r" for Enter), modifiers
        Markup,    // text: insert text, and with an end text a TAB and the end text
        NewFile,
        Open, // text: path
        Save, // text: path
        Cut,
        Copy,
        Paste,
    };
    Kind kind = Kind::KeyDown;
    QString text;
    int key = 0;
    int param = 0;
    Qt::KeyboardModifiers modifiers;
    bool skipModifiers = false;
};
Q_DECLARE_METATYPE(RecordedStep)
