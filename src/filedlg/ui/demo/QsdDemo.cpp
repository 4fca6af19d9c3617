// A small harness that opens the file select dialog over a sample folder.
//   qsd-demo [folder]              run the dialog interactively
//   qsd-demo --screenshot out.png [--icons|--list|--properties]
//                                  lay it out at 480x640 and save a picture
#include "CQSDFileDialog.h"
#include "CQSDFileList.h"
#include "CQSDFilePropertiesDialog.h"
#include "PosixFileSystem.h"
#include "QsdSelectFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class BoxMessageService : public MessageService {
  public:
    int show(const QString& text, const QString& caption, uint32_t style, void* owner) override {
        QMessageBox box(static_cast<QWidget*>(owner));
        box.setWindowTitle(caption);
        box.setText(text);
        switch (style & mb::MB_TYPEMASK) {
        case mb::MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case mb::MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case mb::MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Cancel:
            return mb::IDCANCEL;
        case QMessageBox::Yes:
            return mb::IDYES;
        case QMessageBox::No:
            return mb::IDNO;
        default:
            return mb::IDOK;
        }
    }
};

void makeSamples(const QString& root) {
    QDir dir(root);
    for (const char* sub : {"文書", "写真", "音楽", "Windows"})
        dir.mkpath(QString::fromUtf8(sub));
    const char* files[] = {"メモ.txt", "設定.ini", "index.html", "夏休み.jpg", "テーマ.mp3",
                           "tool.exe", "README",   "data.bin",   "予定表.txt"};
    int n = 1;
    for (const char* f : files) {
        QFile file(dir.filePath(QString::fromUtf8(f)));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(n * 700, 'x'));
        n *= 3;
    }
    QFile lnk(dir.filePath(u"文書へ.lnk"_qs));
    if (lnk.open(QIODevice::WriteOnly))
        lnk.write("10#" + dir.filePath(u"文書"_qs).toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font(u"Noto Sans CJK JP"_qs);
    font.setPixelSize(13);
    app.setFont(font);
    const QStringList args = app.arguments();
    const qsizetype shot = args.indexOf(u"--screenshot"_qs);

    QTemporaryDir temp;
    QString folder = temp.path();
    if (shot < 0 && args.size() > 1)
        folder = args[1];
    else
        makeSamples(folder);

    PosixFileSystem fs;
    BoxMessageService messages;
    Clock clock;
    QsdCommonSettings common;
    QsdServices services{fs, messages, clock, common};
    const uint32_t flags = qsd::SHOW_FOLDERS | qsd::SHOW_OPTION | qsd::SIDE_BY_SIDE_WIDE |
                           qsd::TITLE_IN_CAPTION | qsd::OPENING | qsd::APPEND_EXTENSION;
    const QString filter = u"テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*||"_qs;
    const QString options =
        u"自動選択|ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N|EUC|JIS|Shift-JIS||"_qs;

    if (shot >= 0) {
        CQSDFileDialog dialog(services);
        dialog.flags = flags & ~qsd::TITLE_IN_CAPTION;
        dialog.commonMode = false;
        dialog.title = u"開くファイルを選択してください"_qs;
        dialog.initialDir = folder;
        dialog.filterText = filter;
        dialog.filterIndex = 2;
        dialog.optionLabel = u"コード"_qs;
        dialog.optionList = options;
        dialog.optionIndex = 0;
        dialog.initialName = u"メモ.txt"_qs;
        if (args.contains(u"--icons"_qs))
            dialog.listStyle = qsd::STYLE_ICONS;
        if (args.contains(u"--list"_qs))
            dialog.listStyle = qsd::STYLE_LIST;
        dialog.initialize();
        dialog.resize(480, 640);
        dialog.show();
        QApplication::processEvents();
        dialog.layoutControls();
        QApplication::processEvents();
        const QString out = shot + 1 < args.size() ? args[shot + 1] : u"/tmp/qsd-demo.png"_qs;
        if (args.contains(u"--properties"_qs)) {
            auto props = QsdProperties::fromPath(fs, folder + u"/夏休み.jpg"_qs);
            CQSDFilePropertiesDialog properties(services, *props);
            properties.resize(480, 400);
            properties.show();
            QApplication::processEvents();
            return properties.grab().save(out) ? 0 : 1;
        }
        return dialog.grab().save(out) ? 0 : 1;
    }

    std::vector<char16_t> buffer(4096, 0);
    OPENFILENAMEW ofnBlock;
    ofnBlock.lpstrFilter = filter;
    ofnBlock.nFilterIndex = 1;
    ofnBlock.lpstrFile = buffer.data();
    ofnBlock.nMaxFile = static_cast<uint32_t>(buffer.size());
    ofnBlock.lpstrInitialDir = folder;
    ofnBlock.lpstrTitle = u"開く"_qs;
    ofnBlock.Flags = ofn::OFN_FILEMUSTEXIST | ofn::OFN_ALLOWMULTISELECT;
    int option = 0;
    int style = qsd::STYLE_DETAILS;
    bool showFolders = true;
    const int ok = QsdSelectFile(&ofnBlock, flags, u"コード"_qs, options, &option, &style,
                                 &showFolders, false, services);
    QTextStream(stdout)
        << "result " << ok << ": "
        << QString::fromUtf16(buffer.data(), 4096).replace(QChar(0), u'|').section(u"||"_qs, 0, 0)
        << " option " << option << " style " << style << Qt::endl;
    return 0;
}
