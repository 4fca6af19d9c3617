#include "EditLineIndex.h"
#include "EditTextMapping.h"

#include <QPlainTextDocumentLayout>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {
// A document as the non-wrapping control fills it, without a window, with
// lines cut into joined blocks of at most `chunk` characters.
struct IndexedDocument {
    QTextDocument doc;
    EditLineIndex index{EditLineIndex::Wrap::Off, [] { return 300; }};

    IndexedDocument(const QString& text, int chunk) {
        doc.setDocumentLayout(new QPlainTextDocumentLayout(&doc));
        const QString control = edittext::toGroupedControlText(text, {}, chunk);
        doc.setPlainText(control);
        EditLineIndex::markJoinedBlocks(&doc, control);
        index.setDocument(&doc);
        QObject::connect(&doc, &QTextDocument::contentsChange,
                         [this](int from, int, int added) { index.contentsChanged(from, added); });
    }

    // Every answer agrees with the text's own lines and indices.
    void expectAgreesWith(const QString& text) const {
        ASSERT_EQ(edittext::fromControlText(index.controlText(0, INT_MAX)).toStdString(),
                  text.toStdString());
        ASSERT_EQ(index.textLength(), text.size());
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        ASSERT_EQ(index.lineCount(), lines.size());
        int start = 0;
        for (int k = 0; k < lines.size(); ++k) {
            const auto [from, to] = index.lineRange(k);
            ASSERT_EQ(index.indexFromPosition(from), start) << "line " << k;
            ASSERT_EQ(index.indexFromPosition(to), start + lines[k].size()) << "line " << k;
            ASSERT_EQ(index.lineOfPosition(index.positionFromIndex(start + int(lines[k].size()))), k);
            start += int(lines[k].size()) + 2;
        }
        ASSERT_EQ(index.lineStart(int(lines.size())), -1);
        for (int i = 0; i <= text.size(); ++i) {
            const int position = index.positionFromIndex(i);
            // Between the CR and the LF of a break stands the line's end.
            const bool insideBreak = i > 0 && text[i - 1] == u'\r' && i < text.size() && text[i] == u'\n';
            ASSERT_EQ(index.indexFromPosition(position), insideBreak ? i - 1 : i) << "index " << i;
        }
    }
};
} // namespace

TEST(EditLineIndex, LongLinesCutIntoJoinedBlocksReadAsTheirText) {
    const QString samples[] = {
        QString(100, u'a'),
        QStringLiteral("short\r\n") + QString(70, u'b') + QStringLiteral("\r\n\r\nend"),
        QStringLiteral("words of a long line ").repeated(6) + QStringLiteral("\r\nx\ry\r\n"),
        QStringLiteral("\r\n").repeated(40) + QString::fromUtf16(u"\U0001F600").repeated(30),
    };
    for (const QString& text : samples) {
        IndexedDocument d(text, 16);
        EXPECT_GT(d.doc.blockCount(), text.count(QStringLiteral("\r\n")) / 16 + 1);
        d.expectAgreesWith(text);
    }
}

TEST(EditLineIndex, EditsAcrossJoinsKeepTheAnswersRight) {
    QString text = QString(60, u'k') + QStringLiteral("\r\n") + QString(50, u'm');
    IndexedDocument d(text, 16);
    QTextCursor c(&d.doc);
    c.beginEditBlock();
    // A selection over two joins and the break, replaced by a line break
    // and a long piece that is itself cut.
    c.setPosition(d.index.positionFromIndex(10));
    c.setPosition(d.index.positionFromIndex(70), QTextCursor::KeepAnchor);
    c.removeSelectedText();
    const QString piece = QStringLiteral("\r\n") + QString(40, u'z');
    EditLineIndex::insertControlText(c, edittext::toGroupedControlText(piece, {}, 16));
    c.endEditBlock();
    text.replace(10, 60, piece);
    d.expectAgreesWith(text);
    // A break typed right after a join starts a line of its own.
    c.setPosition(d.doc.findBlockByNumber(2).position());
    ASSERT_TRUE(EditLineIndex::isJoined(c.block()));
    const int at = d.index.indexFromPosition(c.position());
    c.insertBlock(EditLineIndex::withJoin(c.blockFormat(), false));
    text.insert(at, QStringLiteral("\r\n"));
    d.expectAgreesWith(text);
    d.doc.undo();
    d.doc.undo();
    d.expectAgreesWith(QString(60, u'k') + QStringLiteral("\r\n") + QString(50, u'm'));
}

TEST(EditLineIndex, RepeatedPastesIntoALongLineKeepEveryBlockWithinTheChunk) {
    QString text = QString(40, u'a');
    IndexedDocument d(text, 16);
    QTextCursor c(&d.doc);
    const QString pieces[] = {QString(12, u'b'), QStringLiteral("cc dd ee"), QString(30, u'f'),
                              QStringLiteral("g\r\n") + QString(20, u'h')};
    for (int round = 0; round < 8; ++round) {
        const QString& piece = pieces[round % 4];
        int at = (round * 37) % (int(text.size()) + 1);
        if (at > 0 && text[at - 1] == u'\r')
            --at; // not between the CR and the LF of a break
        c.beginEditBlock();
        c.setPosition(d.index.positionFromIndex(at));
        EditLineIndex::insertControlText(c, edittext::toGroupedControlText(piece, {}, 16), 16);
        c.endEditBlock();
        text.insert(at, piece);
        EXPECT_EQ(d.index.indexFromPosition(c.position()), at + piece.size());
        for (QTextBlock b = d.doc.firstBlock(); b.isValid(); b = b.next())
            ASSERT_LE(b.length() - 1, 16) << "round " << round << " block " << b.blockNumber();
        d.expectAgreesWith(text);
    }
}
