#include "FileInfoDialog.h"

#include "CharSetNames.h"
#include "CharSetServices.h"
#include "CommandIds.h"
#include "DialogTexts.h"
#include "FileInfo.h"
#include "StringTable.h"
#include "TextFileIO.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

FileInfoDialog::FileInfoDialog(Fields fields, const CharSetServices& charSets, QWidget* parent)
    : QDialog(parent), charSets_(charSets), chosenCharSet_(fields.charSet),
      chosenLineEnding_(fields.lineEnding) {
    setObjectName(QStringLiteral("dialog131"));
    setWindowTitle(res::dialogText(cmd::IDD_FILE_INFO, res::IDC_CAPTION));

    path_ = new QLabel(this);
    path_->setObjectName(QStringLiteral("control1006"));
    path_->setWordWrap(true);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    time_ = new QLabel(this);
    time_->setObjectName(QStringLiteral("control1009"));
    size_ = new QLabel(this);
    size_->setObjectName(QStringLiteral("control1020"));
    count_ = new QLabel(fields.characterCount, this);
    count_->setObjectName(QStringLiteral("control1021"));
    codeBox_ = new QComboBox(this);
    codeBox_->setObjectName(QStringLiteral("control1043"));
    lineEndingBox_ = new QComboBox(this);
    lineEndingBox_->setObjectName(QStringLiteral("control1044"));

    if (fields.path.isEmpty()) {
        path_->setText(res::loadString(35032, QStringLiteral("(New Document)")));
    } else {
        path_->setText(fields.path);
        // A file that can't be read shows empty time and size.
        textfile::FileStamp stamp;
        if (textfile::readStamp(fields.path, &stamp)) {
            size_->setText(fileinfo::sizeText(stamp.size));
            time_->setText(fileinfo::timeText(stamp.time));
        }
    }

    for (const QString& item : SplitCharCodeList(fields.codeList)) {
        if (!item.isEmpty())
            codeBox_->addItem(item);
    }
    const CharSetServices::ListIndex index =
        charSets_.ListIndexOf(0, fields.charSet, fields.codeList);
    codeBox_->setCurrentIndex(index.found && index.index < codeBox_->count() ? index.index : 0);

    lineEndingBox_->addItems({QStringLiteral("CR-LF"), QStringLiteral("CR"), QStringLiteral("LF")});
    lineEndingBox_->setCurrentIndex(fields.lineEnding == 1 ? 1 : fields.lineEnding == 2 ? 2 : 0);

    auto* form = new QFormLayout;
    using namespace cmd::fileinfo;
    const std::pair<int, QWidget*> rows[] = {
        {IDC_PATH_LABEL, path_},        {IDC_TIME_LABEL, time_},
        {IDC_SIZE_LABEL, size_},        {IDC_CHAR_COUNT_LABEL, count_},
        {IDC_CHAR_SET_LABEL, codeBox_}, {IDC_LINE_ENDING_LABEL, lineEndingBox_},
    };
    for (const auto& [labelId, field] : rows)
        form->addRow(res::dialogText(cmd::IDD_FILE_INFO, labelId), field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(res::softKeyText(cmd::IDR_OK_CANCEL_MENUBAR, 0));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(res::softKeyText(cmd::IDR_OK_CANCEL_MENUBAR, 1));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString FileInfoDialog::pathText() const {
    return path_->text();
}
QString FileInfoDialog::timeText() const {
    return time_->text();
}
QString FileInfoDialog::sizeText() const {
    return size_->text();
}
QString FileInfoDialog::countText() const {
    return count_->text();
}

void FileInfoDialog::accept() {
    const CharSetId code = charSets_.CodeFromName(codeBox_->currentText());
    chosenCharSet_ = code == charset::NOT_FOUND ? charset::ANSI : code;
    const QString ending = lineEndingBox_->currentText();
    chosenLineEnding_ = ending == QLatin1String("CR") ? 1 : ending == QLatin1String("LF") ? 2 : 0;
    QDialog::accept();
}
