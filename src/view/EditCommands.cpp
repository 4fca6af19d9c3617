#include "EditCommands.h"

#include "CommandIds.h"
#include "EditBuffer.h"
#include "JumpDialog.h"
#include "MessageService.h"
#include "RecordedStep.h"
#include "StringTable.h"
#include "ViewHost.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QUrl>

#ifndef TAVLO_HELP_SOURCE_DIR
#define TAVLO_HELP_SOURCE_DIR ""
#endif
#ifndef TAVLO_HELP_INSTALL_DIR
#define TAVLO_HELP_INSTALL_DIR ""
#endif

namespace {
constexpr const char* kHelpFile = "TAVLO100.htm";

// The desktop opens the page with the viewer it has for HTML. Opening a URL
// only starts xdg-open, which reports nothing when no viewer exists, so ask
// first whether there is one ($BROWSER or a default for text/html).
bool openWithDesktopViewer(const QString& url) {
    if (qEnvironmentVariableIsEmpty("BROWSER")) {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
        if (query.waitForFinished(3000) && query.exitStatus() == QProcess::NormalExit &&
            query.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(QUrl(url));
}
} // namespace

EditCommands::EditCommands(EditBuffer& buffer, ViewHost& view, ViewServices services)
    : buffer_(buffer), view_(view), services_(std::move(services)) {}

QLineEdit* EditCommands::barTextBox() const {
    return barTextBox_ ? barTextBox_() : nullptr;
}

void EditCommands::afterEdit() {
    view_.refreshCaretPosition();
}

bool EditCommands::onCommand(int id) {
    QLineEdit* box = nullptr;
    RecordedStep step;
    switch (id) {
    case cmd::ID_EDIT_UNDO:
        buffer_.Undo();
        break;
    case cmd::ID_EDIT_REDO:
        buffer_.Redo();
        break;
    case cmd::ID_EDIT_CUT:
    case cmd::ID_EDIT_COPY:
    case cmd::ID_EDIT_PASTE:
        box = barTextBox();
        if (box) {
            id == cmd::ID_EDIT_CUT    ? box->cut()
            : id == cmd::ID_EDIT_COPY ? box->copy()
                                      : box->paste();
            return true;
        }
        step.kind = id == cmd::ID_EDIT_CUT    ? RecordedStep::Kind::Cut
                    : id == cmd::ID_EDIT_COPY ? RecordedStep::Kind::Copy
                                              : RecordedStep::Kind::Paste;
        view_.recordMacroStep(step);
        id == cmd::ID_EDIT_CUT    ? buffer_.Cut()
        : id == cmd::ID_EDIT_COPY ? buffer_.Copy()
                                  : buffer_.Paste();
        break;
    case cmd::ID_EDIT_SELECT_ALL:
        buffer_.SetSel(0, -1);
        break;
    case cmd::ID_EDIT_JUMP:
        OnJump();
        return true;
    case cmd::ID_HELP:
        OnHelp();
        return true;
    default:
        return false;
    }
    afterEdit();
    return true;
}

bool EditCommands::onUpdateCommand(int id, CommandState& state) {
    switch (id) {
    case cmd::ID_EDIT_UNDO:
        state.enabled = buffer_.CanUndo();
        return true;
    case cmd::ID_EDIT_REDO:
        state.enabled = buffer_.CanRedo();
        return true;
    case cmd::ID_EDIT_CUT:
    case cmd::ID_EDIT_COPY:
        if (QLineEdit* box = barTextBox()) {
            state.enabled = box->hasSelectedText();
        } else {
            const auto [start, end] = buffer_.GetSel();
            state.enabled = start != end;
        }
        return true;
    case cmd::ID_EDIT_PASTE: {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        state.enabled = data && data->hasText();
        return true;
    }
    case cmd::ID_EDIT_SELECT_ALL:
    case cmd::ID_EDIT_JUMP:
    case cmd::ID_HELP:
        return true;
    default:
        return false;
    }
}

void EditCommands::OnJump() {
    const auto [start, end] = buffer_.GetSel();
    Q_UNUSED(end);
    const int current = buffer_.LineFromChar(start) + 1;
    const int last = buffer_.GetLineCount();
    JumpDialog dialog(current, last, services_.messages, view_.dialogOwner());
    const int result = runJump_ ? runJump_(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return;
    JumpTo(dialog.target());
}

void EditCommands::JumpTo(int targetLine) {
    const int t = targetLine - 1;
    buffer_.LineScroll(t - buffer_.GetFirstVisibleLine() - 3);
    const int index = std::max(0, buffer_.LineIndex(t));
    buffer_.SetSel(index, index);
    buffer_.ScrollCaret();
    afterEdit();
}

QString EditCommands::helpFilePath() {
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QString::fromUtf8(TAVLO_HELP_INSTALL_DIR),
        appDir + QStringLiteral("/../share/tavlo/help"),
        appDir,
        QString::fromUtf8(TAVLO_HELP_SOURCE_DIR),
    };
    for (const QString& folder : candidates) {
        if (folder.isEmpty())
            continue;
        const QFileInfo file(QDir(folder).filePath(QString::fromLatin1(kHelpFile)));
        if (file.isFile())
            return file.canonicalFilePath();
    }
    return QString();
}

QString EditCommands::helpUrl() {
    const QString path = helpFilePath();
    if (path.isEmpty())
        return QString();
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QStringLiteral("MAIN_CONTENTS"));
    return url.toString();
}

void EditCommands::OnHelp() {
    const QString url = helpUrl();
    if (url.isEmpty()) {
        services_.messages.show(
            res::loadString(36100, QStringLiteral("The help file TAVLO100.htm was not found.")),
            res::loadString(35081, QStringLiteral("Tavlo")), mb::MB_OK | mb::MB_ICONERROR,
            view_.dialogOwner());
        return;
    }
    // What the viewer does with the page is its business; that none could be
    // started is the user's, who would otherwise see nothing happen.
    const bool started = openHelp_ ? openHelp_(url) : openWithDesktopViewer(url);
    if (!started) {
        services_.messages.show(
            res::substitute(res::loadString(36101, QStringLiteral("No viewer could open the help.\n\n%s")),
                            helpFilePath()),
            res::loadString(35081, QStringLiteral("Tavlo")), mb::MB_OK | mb::MB_ICONEXCLAMATION,
            view_.dialogOwner());
    }
}
