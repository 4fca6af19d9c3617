#include "CPPageFile.h"

#include "CommandIds.h"
#include "DesktopAssociation.h"
#include "FileTypeAssociation.h"
#include "MacroFileDialog.h"
#include "MessageService.h"
#include "ProfileStore.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace cmd::page_file;

struct CPPageFile::Box {
    int id;
    const char16_t* text;
    // The extensions, file types and display names (string ids) of the box.
    std::vector<std::array<uint32_t, 3>> types;
};

const std::array<CPPageFile::Box, 5>& CPPageFile::boxes() {
    static const std::array<Box, 5> list{{
        {IDC_ASSOC_TXT, u"TXT", {{35002, 35007, 35011}}},
        {IDC_ASSOC_HTM,
         u"HTM, HTML, XML",
         {{35003, 35008, 35012}, {35004, 35015, 35016}, {35027, 35028, 35029}}},
        {IDC_ASSOC_INF, u"INF", {{35005, 35009, 35013}}},
        {IDC_ASSOC_INI, u"INI", {{35006, 35010, 35014}}},
        {IDC_ASSOC_MCR, u"MCR", {{35017, 35018, 35019}}},
    }};
    return list;
}

CPPageFile::CPPageFile(SettingsContext& context) : SettingsPage(context, cmd::IDD_PAGE_FILE) {
    loadMacro_ = context_.settings.getInt(QStringLiteral("LOAD_DAFAULT_MACRO"));
    macroFile_ = context_.settings.getString(QStringLiteral("DEFAULT_MACRO_FILE_NAME"));
    macroFolder_ = context_.macroFolder;
}

void CPPageFile::createControls() {
    auto* assocGroup = withId(new QGroupBox(dialogText(IDC_ASSOC_GROUP), this), IDC_ASSOC_GROUP);
    auto* assocGrid = new QGridLayout(assocGroup);
    for (size_t i = 0; i < boxes().size(); ++i) {
        assocBoxes_[i] =
            withId(new QCheckBox(QString::fromUtf16(boxes()[i].text), assocGroup), boxes()[i].id);
        assocGrid->addWidget(assocBoxes_[i], int(i) / 2, int(i) % 2);
    }

    auto* macroGroup = withId(new QGroupBox(dialogText(IDC_MACRO_GROUP), this), IDC_MACRO_GROUP);
    loadBox_ = withId(new QCheckBox(dialogText(IDC_LOAD_MACRO), macroGroup), IDC_LOAD_MACRO);
    fileEdit_ = withId(new QLineEdit(macroGroup), IDC_MACRO_FILE);
    browseButton_ = withId(new QPushButton(QStringLiteral("..."), macroGroup), IDC_MACRO_BROWSE);
    browseButton_->setMaximumWidth(
        browseButton_->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileEdit_, 1);
    fileRow->addWidget(browseButton_);
    auto* macroLayout = new QVBoxLayout(macroGroup);
    macroLayout->addWidget(loadBox_);
    macroLayout->addLayout(fileRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(assocGroup);
    layout->addWidget(macroGroup);
    layout->addStretch(1);

    connect(loadBox_, &QCheckBox::clicked, this, &CPPageFile::onLoadMacroClicked);
    connect(browseButton_, &QPushButton::clicked, this, &CPPageFile::browse);
}

void CPPageFile::OnInitDialog() {
    FileTypeAssociation association(context_.settings.store().registry(), context_.programPath);
    for (size_t i = 0; i < boxes().size(); ++i) {
        // A box shows its first extension; HTM, HTML, XML goes by .htm alone.
        const auto& first = boxes()[i].types.front();
        associated_[i] = association.IsAssociated(res::loadString(first[0], QString()),
                                                  res::loadString(first[1], QString()), true);
        assocBoxes_[i]->setChecked(associated_[i]);
    }
    loadBox_->setChecked(loadMacro_ != 0);
    fileEdit_->setText(macroFile_);
    updateEnabled();
}

void CPPageFile::updateEnabled() {
    fileEdit_->setEnabled(loadBox_->isChecked());
    browseButton_->setEnabled(loadBox_->isChecked() && context_.macroChooser);
}

void CPPageFile::onLoadMacroClicked() {
    updateEnabled();
    if (!loadBox_->isChecked())
        return;
    const QString name = fileEdit_->text().trimmed();
    if (!name.isEmpty() && !QFileInfo::exists(name))
        message(40020, QStringLiteral("The macro file does not exist."),
                mb::MB_OK | mb::MB_ICONEXCLAMATION);
    focusField(fileEdit_);
}

void CPPageFile::browse() {
    if (!context_.macroChooser)
        return;
    MacroFileRequest request;
    request.mode = MacroFileMode::Open;
    request.folder = macroFolder_;
    request.title = dialogText(IDC_MACRO_SELECT_TITLE);
    request.filters = {{dialogText(IDC_MACRO_FILTER), QStringLiteral("*.mcr")}};
    request.flags = macrofile::OFN_FILEMUSTEXIST;
    if (context_.setMainTitle)
        context_.setMainTitle(request.title);
    const std::optional<QString> chosen = context_.macroChooser->MacroFileDialog(request);
    if (context_.setMainTitle)
        context_.setMainTitle(window()->windowTitle());
    if (!chosen)
        return;
    fileEdit_->setText(*chosen);
    const QString folder = QFileInfo(*chosen).absolutePath();
    macroFolder_ = folder.endsWith(u'/') ? folder : folder + u'/';
}

void CPPageFile::readControls() {
    loadMacro_ = loadBox_->isChecked() ? 1 : 0;
    macroFile_ = fileEdit_->text();
}

bool CPPageFile::checkMacro() {
    if (loadMacro_ == 0)
        return true;
    const QString name = macroFile_.trimmed();
    const QFileInfo info(name);
    if (!name.isEmpty() && info.exists() && !info.isDir())
        return true;
    QString question;
    if (name.isEmpty())
        question = res::loadString(
            30041, QStringLiteral("No macro file is given.\nTurn loading at start-up off?"));
    else if (info.isDir())
        question = res::loadString(
            30042, QStringLiteral("The macro file is a folder.\nTurn loading at start-up off?"));
    else
        question = res::loadString(
            sid::IDS_MACRO_FILE_MISSING_QUESTION,
            QStringLiteral("The macro file does not exist.\nTurn loading at start-up off?"));
    if (message(question, mb::MB_YESNO | mb::MB_ICONQUESTION) == mb::IDYES) {
        loadMacro_ = 0;
        loadBox_->setChecked(false);
        updateEnabled();
        return true;
    }
    focusField(fileEdit_);
    return false;
}

bool CPPageFile::check() {
    return checkMacro();
}

void CPPageFile::applyAssociations() {
    FileTypeAssociation association(context_.settings.store().registry(), context_.programPath);
    DesktopAssociation* desktop = context_.desktop;
    const QString unavailable =
        desktop ? desktop->unavailableReason()
                : res::loadString(sid::IDS_NO_DESKTOP, QStringLiteral("No desktop."));
    bool desktopFailed = false;
    for (size_t i = 0; i < boxes().size(); ++i) {
        const bool wanted = assocBoxes_[i]->isChecked();
        if (wanted == associated_[i])
            continue;
        bool ok = true;
        for (const auto& ids : boxes()[i].types) {
            const QString ext = res::loadString(ids[0], QString());
            const QString type = res::loadString(ids[1], QString());
            ok = (wanted ? association.Register(ids[0], ids[1], ids[2])
                         : association.Unregister(ids[0], ids[1])) &&
                 ok;
            if (unavailable.isEmpty() && !ext.isEmpty())
                desktopFailed |=
                    !(wanted ? desktop->associate(ext, type) : desktop->dissociate(ext, type));
            else
                desktopFailed = true;
        }
        if (!ok)
            message(40006, QStringLiteral("An error occurred while registering the extension."),
                    mb::MB_OK | mb::MB_ICONEXCLAMATION);
        associated_[i] = wanted;
    }
    if (desktopFailed)
        message(res::substitute(
                    res::loadString(sid::IDS_DESKTOP_DEFAULT_UNCHANGED, QStringLiteral("%s")),
                    unavailable.isEmpty() ? res::loadString(sid::IDS_XDG_MIME_FAILED, QString())
                                          : unavailable),
                mb::MB_OK | mb::MB_ICONINFORMATION);
}

void CPPageFile::OnApply() {
    applyAssociations();
    context_.settings.writeInt(QStringLiteral("LOAD_DAFAULT_MACRO"), loadMacro_);
    context_.settings.writeString(QStringLiteral("DEFAULT_MACRO_FILE_NAME"), macroFile_.trimmed());
}

void CPPageFile::report(SettingsOutcome& out) const {
    out.filePageApplied = true;
    out.macroFolder = macroFolder_;
}
