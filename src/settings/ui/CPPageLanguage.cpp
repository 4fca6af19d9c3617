#include "CPPageLanguage.h"

#include "CommandIds.h"
#include "MessageService.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace cmd::page_language;

namespace {
const QString kPathName = QStringLiteral("UI_LANGUAGE_DLL_PATH");
const QString kAutoRegisterName = QStringLiteral("UI_LANGUAGE_AUTO_REGIST_DLL");
const QString kCheckName = QStringLiteral("UI_LANGUAGE_CHECK_SYSTEM_UI");
} // namespace

CPPageLanguage::CPPageLanguage(SettingsContext& context)
    : SettingsPage(context, cmd::IDD_PAGE_LANGUAGE) {
    Settings& s = context_.settings;
    readPath_ = path_ = s.getString(kPathName).trimmed();
    autoRegister_ = s.getInt(kAutoRegisterName);
    checkSystem_ = s.getInt(kCheckName);
}

void CPPageLanguage::createControls() {
    auto* label = new QLabel(dialogText(IDC_LANGUAGES), this);
    list_ = withId(new QListWidget(this), IDC_LANGUAGES);
    label->setBuddy(list_);
    auto* registerButton = withId(new QPushButton(dialogText(IDC_REGISTER), this), IDC_REGISTER);
    connect(registerButton, &QPushButton::clicked, this, [this] { registerLibrary(); });
    autoRegisterBox_ =
        withId(new QCheckBox(dialogText(IDC_AUTO_REGISTER), this), IDC_AUTO_REGISTER);
    checkSystemBox_ =
        withId(new QCheckBox(dialogText(IDC_CHECK_SYSTEM_UI), this), IDC_CHECK_SYSTEM_UI);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(registerButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    layout->addLayout(buttonRow);
    layout->addWidget(autoRegisterBox_);
    layout->addWidget(checkSystemBox_);
}

void CPPageLanguage::OnInitDialog() {
    fillList(path_);
    autoRegisterBox_->setChecked(autoRegister_ != 0);
    checkSystemBox_->setChecked(checkSystem_ != 0);
}

void CPPageLanguage::fillList(const QString& selectedPath) {
    entries_ =
        context_.uiLanguage
            ? context_.uiLanguage->ListRegistered(context_.settings.locale().userDefaultLangId())
            : std::vector<LanguageLibraryEntry>{};
    list_->clear();
    for (const LanguageLibraryEntry& entry : entries_) {
        auto* item = new QListWidgetItem(entry.name, list_);
        item->setToolTip(entry.path);
        if (entry.path == selectedPath)
            list_->setCurrentItem(item);
    }
}

void CPPageLanguage::registerLibrary() {
    QString folder = context_.languageFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = context_.programFolder;
    const QString filter = res::loadString(sid::IDS_DLL_FILTER, u"DLL(*.dll)|*.dll|"_qs) +
                           res::loadString(sid::IDS_ALL_FILES_FILTER, u"All File(*.*)|*.*|"_qs) +
                           u'|';
    const QString title = res::loadString(sid::IDS_DLL_SELECT_TITLE, u"Select DLL"_qs);
    if (!context_.chooseFile)
        return;
    const std::optional<QString> path = context_.chooseFile(folder, filter, title);
    if (!path || path->isEmpty())
        return;
    const language::Validation v =
        language::Validate(*path, context_.settings.locale().userDefaultLangId());
    if (v.result != language::RESULT_OK) {
        message(sid::IDS_NOT_A_LANGUAGE_LIBRARY, QString(), mb::MB_OK | mb::MB_ICONERROR);
        return;
    }
    if (v.version != language::kAcceptedVersion) {
        message(sid::IDS_LANGUAGE_LIBRARY_OTHER_VERSION, QString(), mb::MB_OK | mb::MB_ICONERROR);
        return;
    }
    Registry& registry = context_.settings.store().registry();
    RegKey key;
    const QString keyPath = context_.settings.store().applicationKeyPath() + u"\\Language"_qs;
    if (registry.RegCreateKeyEx(HKEY_CURRENT_USER, keyPath, &key) == reg::ERROR_SUCCESS)
        registry.setString(key, QFileInfo(*path).fileName(), *path);
    fillList(*path);
}

void CPPageLanguage::readControls() {
    const int row = list_->currentRow();
    if (row >= 0 && row < static_cast<int>(entries_.size()))
        path_ = entries_[static_cast<size_t>(row)].path;
    autoRegister_ = autoRegisterBox_->isChecked() ? 1 : 0;
    checkSystem_ = checkSystemBox_->isChecked() ? 1 : 0;
}

void CPPageLanguage::OnApply() {
    Settings& s = context_.settings;
    s.writeInt(kAutoRegisterName, autoRegister_);
    s.writeInt(kCheckName, checkSystem_);
    changed_ = path_ != readPath_;
    if (changed_)
        s.writeString(kPathName, path_);
}

void CPPageLanguage::report(SettingsOutcome& out) const {
    out.languageChanged = out.languageChanged || changed_;
}
