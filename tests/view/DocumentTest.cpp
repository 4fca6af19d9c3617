// Loading and saving documents through the view: bytes on disk, messages,
// the open-documents key, and the state after success and failure.
#include "CharSetServices.h"
#include "CommandIds.h"
#include "EditerDocument.h"
#include "FileInfoDialog.h"
#include "FileNameBytes.h"
#include "OtherProcess.h"
#include "StringTable.h"
#include "TempFiles.h"
#include "ViewTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kOpenDocs = kAppKey + QStringLiteral("\\OpenDocs");

QString message(uint32_t id, const QString& path = QString()) {
    QString text = *res::loadString(id);
    return path.isNull() ? text : res::substitute(text, path);
}

class DocumentTest : public ViewTest {
  protected:
    TempFiles files;
    ScriptedFileDialog* dialog = nullptr;
    QStringList recent;
    CharSetServices charSets{[] { return QString(); }, Locale(0x0411, 0x0411)};

    void SetUp() override {
        auto scripted = std::make_unique<ScriptedFileDialog>();
        dialog = scripted.get();
        view->document().setFileDialog(std::move(scripted));
        view->document().setRecentFileAdder([this](const QString& p) { recent << p; });
    }

    EditerDocument& doc() { return view->document(); }

    // The dialog answers with this path and character set.
    void choose(const QString& path, int set) {
        dialog->answer = [this, path, set](DocumentDialogRequest& r) {
            DocumentDialogResult result;
            result.path = path;
            result.filterIndex = r.filterIndex;
            const CharSetServices::ListIndex index = charSets.ListIndexOf(0, set, r.codeList);
            EXPECT_TRUE(index.found) << "set " << set << " not offered";
            result.codeIndex = index.index;
            return result;
        };
    }
    void openAs(const QString& path, int set) {
        choose(path, set);
        doc().OnFileOpen();
    }
    // This editor's value under the open-documents key.
    QString ownOpenDocument() {
        RegKey key;
        env.registry->RegOpenKeyEx(HKEY_CURRENT_USER, kOpenDocs, &key);
        return env.registry->queryString(key, QString::number(::getpid())).value_or(u"<none>"_qs);
    }
    // A file of the size that takes no room on the disk.
    QString sparseFile(const QString& name, qint64 size) {
        QFile f(files.path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(size));
        return f.fileName();
    }
    void setTime(const QString& path, const QDateTime& time) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    }
};

// "あい", line break, "A", line break, in every set and line ending.
QByteArray sample(int set, int lineEnding) {
    const char* eol = lineEnding == 1 ? "\r" : lineEnding == 2 ? "\n" : "\r\n";
    if (set == charset::UNICODE_LE || set == charset::UNICODE_BE) {
        QStringEncoder utf16(set == charset::UNICODE_BE ? QStringConverter::Utf16BE
                                                        : QStringConverter::Utf16LE);
        return utf16(QChar(0xFEFF) + QStringLiteral("あい%1A%1").arg(QLatin1String(eol)));
    }
    const char* word[] = {
        nullptr,
        "82a082a2", // ANSI: Shift-JIS on a Japanese system
        nullptr,
        nullptr,
        "efbbbfe38182e38184",
        "e38182e38184",
        "a4a2a4a4",
        "1b2442242224241b2842", // shifts in and out
        "82a082a2",
    };
    return QByteArray::fromHex(word[set]) + eol + "A" + eol;
}

} // namespace

TEST_F(DocumentTest, EverySetAndLineEndingComesBackByteExact) {
    for (int set = charset::ANSI; set <= charset::SHIFT_JIS; ++set) {
        for (int le : {0, 1, 2}) {
            SCOPED_TRACE(testing::Message() << "set " << set << " line ending " << le);
            const QByteArray original = sample(set, le);
            const QString path =
                files.write(QStringLiteral("s%1_%2.txt").arg(set).arg(le), original);
            openAs(path, set);
            ASSERT_EQ(view->state().currentPath, path);
            EXPECT_EQ(view->GetText(), QStringLiteral("あい\r\nA\r\n"));
            // On a Japanese system the list offers ANSI as Shift-JIS.
            EXPECT_TRUE(view->state().charSet == set ||
                        (set == charset::ANSI && view->state().charSet == charset::SHIFT_JIS))
                << view->state().charSet;
            EXPECT_EQ(view->state().lineEnding, le);
            EXPECT_FALSE(view->IsDocumentChanged());
            doc().OnFileSave();
            EXPECT_EQ(files.read(path).toHex(' '), original.toHex(' '));
            if (set == charset::UNICODE_LE || set == charset::UNICODE_BE || set == charset::UTF8) {
                // A marked set and the line ending are found without being chosen.
                ASSERT_TRUE(view->OpenFileByPath(path));
                EXPECT_EQ(view->state().charSet, set);
                EXPECT_EQ(view->state().lineEnding, le);
                EXPECT_EQ(view->GetText(), QStringLiteral("あい\r\nA\r\n"));
            }
        }
    }
    EXPECT_TRUE(env.messages.shown().empty()) << env.messages.texts().join('|').toStdString();
}

// Noncharacters and separators in a file: CTextEditTest.EveryCharacterOfTheTextComesBack
// (the control) and RoundTripTest (the file's bytes).
TEST_F(DocumentTest, EmptyFilesAndEmptyTexts) {
    const QString empty = files.write("empty.txt", QByteArray());
    ASSERT_TRUE(view->OpenFileByPath(empty));
    EXPECT_EQ(std::tuple(view->state().charSet, view->state().lineEnding, view->GetText()),
              std::tuple(int(charset::ANSI), 0, QString()));
    doc().OnFileSave();
    EXPECT_TRUE(files.read(empty).isEmpty());

    // Only the sets with a byte-order mark write anything for an empty text.
    const char* mark[] = {"", "", "fffe", "feff", "efbbbf", "", "", "", ""};
    for (int set = charset::ANSI; set <= charset::SHIFT_JIS; ++set) {
        SCOPED_TRACE(set);
        const QString path = files.path(QStringLiteral("saved%1.txt").arg(set));
        ASSERT_TRUE(doc().WriteTextFile(path, set, 0));
        EXPECT_EQ(files.read(path), QByteArray::fromHex(mark[set]));
    }
}

TEST_F(DocumentTest, HandChosenSetsDropTheFirstUnitOrBytes) {
    // Unicode chosen for a file marked FE FF: the mark goes, the rest reads
    // little endian.
    const QString be = files.write("be.txt", QByteArray::fromHex("feff 0041 0042"));
    openAs(be, charset::UNICODE_LE);
    EXPECT_EQ(view->GetText(), QString(QChar(0x4100)) + QChar(0x4200));
    // UTF-8 chosen for a file without the mark keeps its first three bytes.
    const QString plain = files.write("plain.txt", "abcdef");
    openAs(plain, charset::UTF8);
    EXPECT_EQ(view->GetText(), QStringLiteral("abcdef"));
}

TEST_F(DocumentTest, ANulCharacterStaysInTheTextAndIsSavedBack) {
    const QByteArray bytes("abc\0def\r\n", 9);
    const QString path = files.write("nul.txt", bytes);
    openAs(path, charset::ANSI);
    ASSERT_EQ(view->state().currentPath, path);
    EXPECT_EQ(view->GetText(), QString::fromUtf16(u"abc\0def\r\n", 9));
    EXPECT_TRUE(env.messages.shown().empty());
    ASSERT_TRUE(doc().WriteTextFile(path, charset::ANSI, 0));
    EXPECT_EQ(files.read(path), bytes);
}

TEST_F(DocumentTest, UnreadableBytesAreToldOnceAndWrittenBackOnlyInTheirOwnSet) {
    // A UTF-8 file with one Latin-1 byte on its second line, read as UTF-8N.
    const QByteArray bytes("\xe3\x81\xae\r\ncaf\xe9\xe9\r\n");
    const QString path = files.write("latin.txt", bytes);
    openAs(path, charset::UTF8N);
    ASSERT_EQ(env.messages.shown().size(), 1u);
    EXPECT_EQ(env.messages.texts()[0],
              QStringLiteral("このファイルには、選択された文字コードでは読み取れないバイトが 2 "
                             "個あります（最初は 2 行目）。\n読み取れないバイトは値を枠で囲んで"
                             "表示し、保存の際には変更せずにそのまま書き戻します。"));
    // Typing one character at the start changes only those bytes.
    view->SetSel(0, 0);
    view->ReplaceSel(QStringLiteral("x"));
    ASSERT_TRUE(doc().WriteTextFile(path, charset::UTF8N, 0));
    EXPECT_EQ(files.read(path), "x" + bytes);
    // Another set asks first; Cancel writes nothing, OK writes "?".
    const QString other = files.path(QStringLiteral("other.txt"));
    env.messages.queueAnswer(mb::IDCANCEL);
    env.messages.queueAnswer(mb::IDOK);
    EXPECT_FALSE(doc().WriteTextFile(other, charset::SHIFT_JIS, 0));
    EXPECT_FALSE(QFileInfo::exists(other));
    ASSERT_TRUE(doc().WriteTextFile(other, charset::SHIFT_JIS, 0));
    EXPECT_EQ(files.read(other), QByteArray("x\x82\xcc\r\ncaf??\r\n"));
    EXPECT_EQ(env.messages.shown().back().style & mb::MB_TYPEMASK, mb::MB_OKCANCEL);
}

TEST_F(DocumentTest, OutsideChangeIsAskedOncePerChangeEitherWayInTime) {
    const QString path = files.write("watched.txt", "first\r\n");
    ASSERT_TRUE(view->OpenFileByPath(path));
    setTime(path, QDateTime::currentDateTime().addSecs(-3600));
    const QDateTime base = QFileInfo(path).lastModified();
    ASSERT_TRUE(view->OpenFileByPath(path));
    doc().CheckOutsideChange();
    EXPECT_TRUE(env.messages.shown().empty());

    // A later time and another size.
    files.write("watched.txt", "second version\r\n");
    setTime(path, base.addSecs(60));
    env.messages.queueAnswer(mb::IDNO);
    doc().CheckOutsideChange();
    ASSERT_EQ(env.messages.texts(), QStringList{message(33038, path)});
    EXPECT_EQ(env.messages.shown()[0].style & mb::MB_TYPEMASK, mb::MB_YESNO);
    EXPECT_EQ(view->GetText(), QStringLiteral("first\r\n"));
    doc().CheckOutsideChange();
    EXPECT_EQ(env.messages.shown().size(), 1u) << "asked again without a change";

    // An older copy of the same size put back: asked again; Yes reads it.
    files.write("watched.txt", "backup version\r\n");
    setTime(path, base.addDays(-10));
    env.messages.queueAnswer(mb::IDYES);
    doc().CheckOutsideChange();
    EXPECT_EQ(env.messages.shown().size(), 2u);
    EXPECT_EQ(view->GetText(), QStringLiteral("backup version\r\n"));
    EXPECT_FALSE(view->IsDocumentChanged());
    doc().CheckOutsideChange();
    EXPECT_EQ(env.messages.shown().size(), 2u);
}

TEST_F(DocumentTest, SavingOverAReadOnlyFileAsksFirst) {
    const QString path = files.write("ro.txt", "old\r\n");
    ASSERT_TRUE(view->OpenFileByPath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    view->SetText(QStringLiteral("new\r\n"));
    view->SetModify(true);

    env.messages.queueAnswer(mb::IDNO);
    doc().OnFileSave();
    EXPECT_EQ(env.messages.texts(), QStringList{message(33002, path)});
    EXPECT_EQ(files.read(path), QByteArray("old\r\n"));
    EXPECT_TRUE(view->GetModify());

    env.messages.queueAnswer(mb::IDYES);
    doc().OnFileSave();
    EXPECT_EQ(files.read(path), QByteArray("new\r\n"));
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
    EXPECT_FALSE(view->IsDocumentChanged());
}

TEST_F(DocumentTest, AFailedWriteShows33003AndKeepsTheOldFileAndTheState) {
    const QByteArray original("the original file\r\n");
    const QString path = files.write("full.txt", original);
    ASSERT_TRUE(view->OpenFileByPath(path));
    view->SetText((QString(98, u'x') + QStringLiteral("\r\n")).repeated(2000));
    view->SetModify(true);
    view->state().textChanged = true;
    env.settings->getInt(QStringLiteral("JIS_KATAKANA_MODE"));

    // A small file-size limit makes the write fail part-way, for root too.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 32 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    doc().OnFileSave();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);

    EXPECT_EQ(env.messages.texts(), QStringList{message(33003, path)});
    EXPECT_EQ(env.messages.shown()[0].style & mb::MB_ICONMASK, mb::MB_ICONERROR);
    EXPECT_EQ(files.read(path), original);
    EXPECT_EQ(QDir(files.folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("full.txt")});
    EXPECT_EQ(std::tuple(view->GetModify(), view->state().textChanged, view->state().currentPath),
              std::tuple(true, true, path));
}

TEST_F(DocumentTest, AFileOpenInAnotherLiveEditorIsWarnedAbout) {
    const QString path = files.write("shared.txt", "x");
    OtherProcess other;
    const QString otherName = QString::number(other.pid());
    env.profile.setRaw(
        kOpenDocs, otherName, reg::REG_SZ,
        QByteArray(reinterpret_cast<const char*>(path.utf16()), path.size() * 2 + 2));
    ASSERT_TRUE(view->OpenFileByPath(path));
    EXPECT_EQ(env.messages.texts(), QStringList{message(35024)});
    EXPECT_EQ(view->state().ownWindowHandle, qint64(::getpid()));
    EXPECT_EQ(ownOpenDocument(), path);

    // New removes this editor's value.
    doc().OnFileNew();
    EXPECT_EQ(env.profile.keyContents(kOpenDocs), QStringList{otherName});
    EXPECT_TRUE(view->state().currentPath.isEmpty());
    EXPECT_EQ(view->state().charSet, charset::ANSI);
}

TEST_F(DocumentTest, FailuresToOpenKeepThePreviousDocument) {
    const QString kept = files.write("kept.txt", "kept text");
    ASSERT_TRUE(view->OpenFileByPath(kept));

    EXPECT_FALSE(view->OpenFileByPath(files.folder()));
    EXPECT_FALSE(view->OpenFileByPath(files.path("missing.txt")));
    const QString huge = sparseFile("huge.txt", textfile::kMaxLoadBytes + 1);
    EXPECT_FALSE(view->OpenFileByPath(huge));
    const QStringList texts = env.messages.texts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], message(33004, files.folder()));
    EXPECT_EQ(texts[1], message(33003, files.path("missing.txt")));
    EXPECT_EQ(env.messages.shown()[1].style, mb::MB_OK | mb::MB_ICONERROR | mb::MB_TOPMOST);
    EXPECT_TRUE(texts[2].contains(huge) && texts[2].contains(QStringLiteral("64 MB")));
    EXPECT_EQ(view->GetText(), QStringLiteral("kept text"));
    EXPECT_EQ(view->state().currentPath, kept);
}

TEST_F(DocumentTest, ChangedTextIsOfferedForSavingBeforeOpening) {
    const QString first = files.write("first.txt", "one");
    const QString second = files.write("second.txt", "two");
    ASSERT_TRUE(view->OpenFileByPath(first));
    view->SetModify(true);
    env.messages.queueAnswer(mb::IDCANCEL);
    EXPECT_TRUE(view->OpenFileByPath(second)); // no error about the file
    EXPECT_EQ(view->state().currentPath, first);
    EXPECT_EQ(env.messages.texts(), QStringList{message(30006)});
    EXPECT_TRUE(env.messages.shown()[0].style & mb::MB_TOPMOST);

    // Yes saves through the dialog, under the name chosen there.
    const QString copy = files.path("copy.txt");
    choose(copy, charset::UTF8N);
    env.messages.queueAnswer(mb::IDYES);
    EXPECT_TRUE(view->OpenFileByPath(second));
    EXPECT_EQ(files.read(copy), QByteArray("one"));
    EXPECT_EQ(recent, QStringList{copy});
    EXPECT_EQ(view->state().currentPath, second);
    EXPECT_EQ(view->GetText(), QStringLiteral("two"));
}

TEST_F(DocumentTest, SaveAsPreselectsFilterAndSetAndTakesTheNewPath) {
    const QString ini = files.write("system.ini", "[a]\r\n");
    ASSERT_TRUE(view->OpenFileByPath(ini));
    const QString target = files.path("renamed.ini");
    choose(target, charset::UTF8);
    doc().OnFileSaveAs();
    ASSERT_EQ(dialog->requests.size(), 1u);
    const DocumentDialogRequest& r = dialog->requests[0];
    EXPECT_EQ(std::tuple(r.saving, r.title, r.initialName, r.filterIndex, r.ofnFlags),
              std::tuple(true, *res::loadString(35035), u"system.ini"_qs, 3, 0x802u));
    EXPECT_EQ(r.codeIndex, charSets.ListIndexOf(0, charset::ANSI, r.codeList).index);
    EXPECT_EQ(files.read(target), QByteArray("\xEF\xBB\xBF[a]\r\n"));
    const DocumentState& state = view->state();
    EXPECT_EQ(std::tuple(state.currentPath, state.charSet, state.lastFolder),
              std::tuple(target, int(charset::UTF8), files.folder() + u'/'));
    EXPECT_EQ(recent, QStringList{target});
    EXPECT_EQ(ownOpenDocument(), target);
    EXPECT_EQ(files.read(ini), QByteArray("[a]\r\n"));
}

TEST_F(DocumentTest, OpenRequestComesFromTheSettings) {
    dialog->answer = nullptr;
    doc().OnFileOpen();
    ASSERT_EQ(dialog->requests.size(), 1u);
    const DocumentDialogRequest& r = dialog->requests[0];
    EXPECT_EQ(std::tuple(r.saving, r.title, r.filters, r.ofnFlags, r.codeLabel, r.codeIndex),
              std::tuple(false, *res::loadString(35034), *res::loadString(35045), 0x1000u,
                         *res::loadString(35030), 0));
    EXPECT_EQ(r.selectFlags, 0x8000u | 0x1u | 0x8000000u | 0x20u | 0x5000u | 0x210u | 0x10000u);
    EXPECT_EQ(charSets.CodeFromListIndex(r.codeList, 0), charset::AUTO_DETECT);

    // A list style changed in the dialog is written back.
    dialog->answer = [](DocumentDialogRequest& req) {
        req.listStyle = 3;
        req.showFolders = false;
        return std::nullopt;
    };
    doc().OnFileOpen();
    EXPECT_EQ(env.settings->getInt(QStringLiteral("FILE_LIST_STYLE")), 3);
    EXPECT_EQ(env.settings->getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")), 0);
}

TEST_F(DocumentTest, ChangingTheLineEndingInFileInformationEnablesSave) {
    const QString path = files.write("lines.txt", "a\r\nb\r\n");
    ASSERT_TRUE(view->OpenFileByPath(path));
    EXPECT_FALSE(enabled(cmd::ID_FILE_SAVE));
    doc().setFileInfoRunner([](FileInfoDialog& d) {
        EXPECT_EQ(d.lineEndingBox()->currentText(), QStringLiteral("CR-LF"));
        d.lineEndingBox()->setCurrentIndex(2);
        d.accept();
        return d.result();
    });
    doc().OnFileProperties();
    EXPECT_EQ(env.messages.texts(), QStringList{message(30043)});
    EXPECT_EQ(env.messages.shown()[0].style & mb::MB_ICONMASK, mb::MB_ICONINFORMATION);
    EXPECT_EQ(view->state().lineEnding, 2);
    EXPECT_TRUE(view->state().textChanged);
    EXPECT_TRUE(view->title().endsWith(QStringLiteral(" *")));
    EXPECT_EQ(files.read(path), QByteArray("a\r\nb\r\n"));
    EXPECT_TRUE(enabled(cmd::ID_FILE_SAVE));
    view->onCommand(cmd::ID_FILE_SAVE);
    EXPECT_EQ(files.read(path), QByteArray("a\nb\n"));
    EXPECT_FALSE(enabled(cmd::ID_FILE_SAVE));
    EXPECT_FALSE(view->title().endsWith(QStringLiteral(" *")));
}

TEST_F(DocumentTest, FileInformationShowsCountSizeAndNewDocument) {
    view->SetText(QStringLiteral("a b\r\nc"));
    doc().setFileInfoRunner([](FileInfoDialog& d) {
        EXPECT_EQ(d.pathText(), QStringLiteral("(新規テキスト)"));
        EXPECT_TRUE(d.timeText().isEmpty());
        EXPECT_TRUE(d.sizeText().isEmpty());
        EXPECT_EQ(d.countText(), QStringLiteral("3"));
        return int(QDialog::Rejected);
    });
    doc().OnFileProperties();

    view->state().currentPath = sparseFile("big.txt", 1234567);
    view->state().charSet = charset::EUC;
    doc().setFileInfoRunner([](FileInfoDialog& d) {
        EXPECT_EQ(d.sizeText(), QStringLiteral("1,234,567 バイト"));
        EXPECT_TRUE(d.timeText().contains(QStringLiteral("年")));
        EXPECT_EQ(d.codeBox()->currentText(), QStringLiteral("EUC"));
        return int(QDialog::Rejected);
    });
    doc().OnFileProperties();
    EXPECT_TRUE(env.messages.shown().empty());
    EXPECT_FALSE(view->state().textChanged);
}

TEST_F(DocumentTest, ANameThatIsNotUtf8IsOpenedSavedAndRegisteredAsItsOwnBytes) {
    const QByteArray name = QFile::encodeName(files.folder()) + "/bad\xff\xfe.txt";
    const QString path = textFromBytes(name);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "abc", 3), 3);
    ::close(fd);

    openAs(path, charset::UTF8N);
    EXPECT_EQ(view->GetText(), QStringLiteral("abc"));
    EXPECT_EQ(view->state().currentPath, path);
    EXPECT_EQ(recent, QStringList{path});
    EXPECT_EQ(ownOpenDocument(), path);
    view->SetText(QStringLiteral("xyz"));
    doc().OnFileSave();
    EXPECT_TRUE(env.messages.shown().empty());
    // Written back under the same bytes; no second file with U+FFFD appeared.
    const QByteArray twin = QFile::encodeName(files.folder()) + "/bad\xef\xbf\xbd\xef\xbf\xbd.txt";
    EXPECT_NE(::access(twin.constData(), F_OK), 0);
    QFile saved;
    ASSERT_TRUE(saved.open(::open(name.constData(), O_RDONLY), QIODevice::ReadOnly,
                           QFileDevice::AutoCloseHandle));
    EXPECT_EQ(saved.readAll(), QByteArray("xyz"));
}
