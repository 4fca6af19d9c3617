#include "QsdSelectLogic.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "FilePath.h"

#include <cstring>

using namespace mb;

namespace qsdlogic {

bool acceptLinkFile(FileSystem& fs, const QsdMessenger& messenger, const QString& path,
                    uint32_t flags, uint32_t ofnFlags) {
    const auto d = fs.stat(path);
    if ((ofnFlags & ofn::OFN_FILEMUSTEXIST) && !d) {
        messenger.show(QsdMessenger::text(
                           30021, u"下記ファイルは既に存在しません。処理を中止します。\n\n%s"_qs),
                       path, mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    if ((ofnFlags & ofn::OFN_OVERWRITEPROMPT) && d) {
        const QString text = QsdMessenger::text(
            30013, u"指定のファイルは既に存在します。このファイルを上書きしますか？\n\n%s"_qs);
        if (messenger.show(text, path, mb::MB_YESNO | mb::MB_ICONQUESTION) != mb::IDYES)
            return false;
    }
    if ((flags & qsd::OFFER_CLEAR_READONLY) && d && (d->attributes & fa::FILE_ATTRIBUTE_READONLY)) {
        const QString text = QsdMessenger::text(
            30028,
            u"下記ファイルは読み取り専用です。読み取り専用属性を解除して上書き保存しますか？\n\n%s"_qs);
        if (messenger.show(text, path, mb::MB_YESNO | mb::MB_ICONQUESTION) != mb::IDYES)
            return false;
        if (!fs.setAttributes(path, d->attributes & ~fa::FILE_ATTRIBUTE_READONLY,
                              FileSystem::Links::NoFollow)) {
            messenger.show(
                QsdMessenger::text(30507, u"ファイル属性の変更操作で、エラーが発生しました。"_qs),
                mb::MB_OK | mb::MB_ICONERROR);
            return false;
        }
    }
    return true;
}

std::vector<QsdFilterItem> parseFilter(const QString& filter) {
    QString text = filter;
    text.replace(QChar(u'\0'), u'|');
    const QStringList parts = text.split(u'|');
    std::vector<QsdFilterItem> items;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        items.push_back({parts[i], parts[i + 1].trimmed()});
    }
    return items;
}

QStringList parseOptionList(const QString& list) {
    QStringList labels;
    for (const QString& label : list.split(u'|')) {
        if (label.isEmpty())
            break;
        labels << label;
    }
    return labels;
}

int initialOptionRow(int index, int count) {
    if (count <= 0 || index == count)
        return -1;
    if (index < 1 || index > count)
        return 0;
    return index;
}

QString appendExtension(const QString& pattern) {
    const QString first = pattern.section(u';', 0, 0).trimmed();
    const qsizetype dot = first.indexOf(u'.');
    if (dot < 0)
        return {};
    const QString ext = first.mid(dot);
    if (ext.startsWith(u".*"))
        return {};
    return ext;
}

uint32_t mergeCommonFlags(uint32_t callerFlags, uint32_t persistedFlags) {
    return (callerFlags & ~qsd::QSD_FILE_SELECT_COMMON_MASK) |
           (persistedFlags & qsd::QSD_FILE_SELECT_COMMON_MASK);
}

bool writeFileResult(OPENFILENAMEW& ofn, const QString& folder, const QStringList& names) {
    QString text;
    if (ofn.Flags & ofn::OFN_ALLOWMULTISELECT) {
        text = folder + QChar(u'\0');
        for (const QString& name : names)
            text += name + QChar(u'\0');
        text += QChar(u'\0');
    } else {
        text = folder + (names.isEmpty() ? QString() : names.first()) + QChar(u'\0');
    }
    if (!ofn.lpstrFile)
        return false;
    if (ofn.nMaxFile < static_cast<uint32_t>(text.size())) {
        if (ofn.nMaxFile >= 2) {
            const uint32_t needed = static_cast<uint32_t>(text.size());
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        return false;
    }
    std::memcpy(ofn.lpstrFile, text.utf16(), text.size() * sizeof(char16_t));
    return true;
}

QString initialName(const OPENFILENAMEW& ofn) {
    if (!ofn.lpstrFile || ofn.nMaxFile == 0)
        return {};
    uint32_t n = 0;
    while (n < ofn.nMaxFile && ofn.lpstrFile[n] != u'\0')
        ++n;
    return QString::fromUtf16(ofn.lpstrFile, n);
}

} // namespace qsdlogic

QString QsdOkProcessor::nothingChosenText(bool nameVisible, bool listVisible) {
    if (listVisible && !nameVisible)
        return QsdMessenger::text(30511, u"ファイルリストでファイルを選択してください。"_qs);
    if (nameVisible && !listVisible)
        return QsdMessenger::text(30512,
                                  u"名前テキストボックスにファイル名を入力してください。"_qs);
    return QsdMessenger::text(
        30513,
        u"ファイルリストでファイルを選択するか、名前テキストボックスにファイル名を入力してください。"_qs);
}

QString QsdOkProcessor::follow(const Input& in, const QString& path) const {
    if (in.ofnFlags & ofn::OFN_NODEREFERENCELINKS)
        return path;
    const auto d = fs_.stat(path);
    if (!d || d->isFolder())
        return path;
    if (!d->isSymLink && !QsdShortcutReader::isLnkName(path))
        return path;
    const auto target = shortcuts_.resolve(path);
    return target.valid() ? target.path : path;
}

QsdOkProcessor::Check QsdOkProcessor::checkPath(const Input& in, QString& path, bool typed,
                                                QsdOkPort& port) {
    path = follow(in, path);
    const auto d = fs_.statTarget(path);
    const auto stay = [&port] {
        port.focusNameBox();
        return Check::Stay;
    };
    if (typed && (in.ofnFlags & ofn::OFN_FILEMUSTEXIST) && !d) {
        msg_.show(res::dialogText(cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::NOT_FOUND),
                  in.nameText.trimmed(), MB_OK | MB_ICONEXCLAMATION);
        return stay();
    }
    if (typed && (in.ofnFlags & ofn::OFN_PATHMUSTEXIST) && !d) {
        const auto parent = fs_.statTarget(filepath::folderOf(path));
        if (!parent || !parent->isFolder()) {
            msg_.show(QsdMessenger::text(30023, u"下記フォルダは存在しません。\n\n%s"_qs),
                      filepath::folderOf(path), MB_OK | MB_ICONEXCLAMATION);
            return stay();
        }
    }
    if (!(in.flags & qsd::SAVE_CHECKS))
        return Check::Ok;
    if (!d) {
        if (typed && (in.ofnFlags & ofn::OFN_CREATEPROMPT)) {
            const QString text =
                QsdMessenger::text(30010, u"下記ファイルは存在しません。作成しますか？\n\n%s"_qs);
            if (msg_.show(text, path, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                return stay();
        }
        return Check::Ok;
    }
    if (d->isFolder()) {
        msg_.show(
            QsdMessenger::text(
                30014,
                u"下記ファイルと同名のフォルダが既に存在します。別の名前を選択してください。\n\n%s"_qs),
            path, MB_OK | MB_ICONEXCLAMATION);
        return stay();
    }
    if ((d->attributes & fa::FILE_ATTRIBUTE_READONLY) && (in.flags & qsd::OFFER_CLEAR_READONLY)) {
        const QString text = QsdMessenger::text(
            30028,
            u"下記ファイルは読み取り専用です。読み取り専用属性を解除して上書き保存しますか？\n\n%s"_qs);
        if (msg_.show(text, path, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return stay();
        if (!fs_.setAttributes(path, d->attributes & ~fa::FILE_ATTRIBUTE_READONLY,
                               FileSystem::Links::NoFollow)) {
            msg_.show(
                QsdMessenger::text(30507, u"ファイル属性の変更操作で、エラーが発生しました。"_qs),
                MB_OK | MB_ICONERROR);
            return stay();
        }
        return Check::Ok;
    }
    if (in.ofnFlags & ofn::OFN_OVERWRITEPROMPT) {
        const QString text = QsdMessenger::text(
            30013, u"指定のファイルは既に存在します。このファイルを上書きしますか？\n\n%s"_qs);
        if (msg_.show(text, path, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return stay();
    }
    return Check::Ok;
}

QsdOkProcessor::Outcome QsdOkProcessor::run(const Input& in, QsdOkPort& port) {
    resultFolder_.clear();
    resultNames_.clear();
    const QString folder = filepath::withSlash(in.folder);
    const QString name = in.nameVisible ? in.nameText.trimmed() : QString();
    const auto absolute = [&folder](const QString& n) {
        return filepath::normalize(n.startsWith(u'/') ? n : folder + n);
    };

    if (name.contains(u'*') || name.contains(u'?')) {
        if (!name.contains(u'/')) {
            port.fillFromPattern(folder + name);
            return Outcome::StayOpen;
        }
        const QString full = absolute(name);
        const QString dir = filepath::folderOf(full);
        const QString pattern = filepath::nameOf(full);
        port.moveTreeTo(dir);
        port.setNameText(pattern);
        port.fillFromPattern(dir + pattern);
        return Outcome::StayOpen;
    }
    static const QString refused = u":<>\\*?|"_qs;
    for (QChar c : name) {
        if (refused.contains(c)) {
            msg_.show(QsdMessenger::text(
                          30503, u"ファイル名には、次の文字列は使えません。\n* ? < > | \\ : /"_qs),
                      MB_OK | MB_ICONEXCLAMATION);
            port.focusNameBox();
            return Outcome::StayOpen;
        }
    }
    if (!name.isEmpty()) {
        const QString followed = follow(in, absolute(name));
        if (const auto d = fs_.statTarget(followed); d && d->isFolder()) {
            port.moveTreeTo(filepath::withSlash(followed));
            port.setNameText(QString());
            return Outcome::StayOpen;
        }
    }
    if ((in.flags & qsd::APPEND_EXTENSION) && !name.isEmpty() &&
        !filepath::nameOf(name).contains(u'.')) {
        const QString ext = qsdlogic::appendExtension(in.filterPattern);
        if (!ext.isEmpty()) {
            port.setNameText(name + ext);
            port.focusNameBox();
            return Outcome::StayOpen;
        }
    }

    const bool typed = !name.isEmpty();
    QString path;
    if (typed) {
        path = absolute(name);
    } else if (in.selectedRows.empty()) {
        if (in.flags & qsd::FOLDER_SELECT) {
            resultFolder_ = folder;
            return Outcome::Accepted;
        }
        msg_.show(nothingChosenText(in.nameVisible, in.listVisible), MB_OK | MB_ICONEXCLAMATION);
        if (in.nameVisible)
            port.focusNameBox();
        return Outcome::StayOpen;
    } else {
        const Row& row = in.selectedRows.front();
        if (row.isFolder || row.shortcutToFolder) {
            if (row.isFolder && row.name == u"..")
                port.moveTreeTo(filepath::folderOf(folder));
            else
                port.moveTreeTo(
                    filepath::withSlash(row.isFolder ? folder + row.name : row.shortcutTarget));
            return Outcome::StayOpen;
        }
        path = folder + row.name;
    }
    if (checkPath(in, path, typed, port) == Check::Stay)
        return Outcome::StayOpen;
    resultFolder_ = filepath::folderOf(path);
    resultNames_ << filepath::nameOf(path);

    if ((in.ofnFlags & ofn::OFN_ALLOWMULTISELECT) && !name.contains(u'/')) {
        for (const Row& row : in.selectedRows) {
            if (row.isFolder || row.shortcutToFolder || resultNames_.contains(row.name))
                continue;
            QString rowPath = folder + row.name;
            if (checkPath(in, rowPath, false, port) == Check::Stay) {
                resultFolder_.clear();
                resultNames_.clear();
                return Outcome::StayOpen;
            }
            resultNames_ << filepath::nameOf(rowPath);
        }
    }
    return Outcome::Accepted;
}
