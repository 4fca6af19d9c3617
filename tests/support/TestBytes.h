#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Helpers for byte-exact tests of the character-set code.
namespace testbytes {

inline QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b.append(static_cast<char>(v));
    return b;
}

// A REG_SZ value's bytes: the text in UTF-16 with its terminating NUL.
inline QByteArray utf16z(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), (s.size() + 1) * 2);
}

inline QString hex(const QByteArray& b) {
    return QString::fromLatin1(b.toHex(' '));
}

// Converts with the iconv program (`options` such as -c go first). Without
// `ok` a refusal fails the test; with it the caller is told instead.
inline QByteArray iconv(const QByteArray& input, const QString& from, const QString& to,
                        bool* ok = nullptr, const QStringList& options = {}) {
    QProcess p;
    p.start("iconv", options + QStringList{"-f", from, "-t", to});
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(30000));
    const bool done = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = done;
    else
        EXPECT_TRUE(done) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

// The UTF-8 corpus with LF line breaks.
inline QByteArray corpus(const char* name) {
    QFile f(QStringLiteral(TAVLO_TEST_DATA_DIR "/text/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// The Japanese corpus with CR LF breaks, in the edit buffer's form.
inline QString corpusText() {
    return QString::fromUtf8(corpus("japanese.txt")).replace(u"\n"_qs, u"\r\n"_qs);
}

} // namespace testbytes
