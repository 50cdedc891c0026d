// SPDX-License-Identifier: MIT
// The raw XML view: the displays chosen from its state, preparation after a pause, the
// chunked display growing as its last piece comes into view, the Raw / Tree switch, and find.
#include "xmlview/views/asynchighlightedxmlview.h"
#include "xmlview/views/xmltreeview.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vellora::xmlview;
using namespace vellora::xmlview::views;

namespace {

// `pieces` pieces: 100-character lines (99 characters and a line feed), 50 lines a piece.
std::string linesForPieces(int pieces)
{
    std::string text;
    const std::string line = std::string(99, 'a') + "\n";
    for (int i = 0; i < pieces * 50; ++i) {
        text += line;
    }
    return text;
}

void scrollToEnd(QPlainTextEdit *text)
{
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
}

} // namespace

class TestAsyncHighlightedXMLView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AsyncHighlightedXMLView> shownView(std::string text)
    {
        auto view = std::make_unique<AsyncHighlightedXMLView>(std::move(text));
        view->resize(700, 500);
        view->show();
        return view;
    }

    // Shows the view and waits for its preparation.
    std::unique_ptr<AsyncHighlightedXMLView> preparedView(std::string text)
    {
        auto view = std::make_unique<AsyncHighlightedXMLView>(std::move(text));
        QSignalSpy prepared(view.get(), &AsyncHighlightedXMLView::textPrepared);
        view->resize(700, 500);
        view->show();
        if (!prepared.wait(5000)) {
            qWarning("preparation did not finish");
        }
        return view;
    }

private slots:
    void displayRules_data()
    {
        QTest::addColumn<bool>("empty");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("loading");
        QTest::addColumn<bool>("cached");
        QTest::addColumn<int>("chunks");
        QTest::addColumn<int>("expected");
        const int raw = int(XMLViewMode::raw);
        const int tree = int(XMLViewMode::tree);
        QTest::newRow("empty text wins over tree mode")
            << true << tree << true << true << 3 << int(RawDisplay::noContent);
        QTest::newRow("tree mode wins over loading")
            << false << tree << true << false << 0 << int(RawDisplay::tree);
        QTest::newRow("loading") << false << raw << true << false << 0 << int(RawDisplay::loading);
        QTest::newRow("one piece")
            << false << raw << false << true << 1 << int(RawDisplay::singleText);
        QTest::newRow("two pieces")
            << false << raw << false << true << 2 << int(RawDisplay::chunked);
        QTest::newRow("not prepared")
            << false << raw << false << false << 0 << int(RawDisplay::unprepared);
    }

    void displayRules()
    {
        QFETCH(bool, empty);
        QFETCH(int, mode);
        QFETCH(bool, loading);
        QFETCH(bool, cached);
        QFETCH(int, chunks);
        QFETCH(int, expected);
        const RawDisplayInputs inputs{empty, XMLViewMode(mode), loading, cached,
                                      std::size_t(chunks)};
        QCOMPARE(int(selectRawDisplay(inputs)), expected);
    }

    void emptyTextNeverPrepares()
    {
        auto view = shownView(std::string());
        QCOMPARE(view->display(), RawDisplay::noContent);
        QVERIFY(!view->isLoadingText());
        QTest::qWait(100);
        QVERIFY(!view->isTextCached());
        QCOMPARE(view->display(), RawDisplay::noContent);
    }

    void preparesAfterThePause()
    {
        QElapsedTimer clock;
        clock.start();
        auto view = std::make_unique<AsyncHighlightedXMLView>("<a/>");
        QCOMPARE(view->display(), RawDisplay::unprepared); // before it first appears
        QSignalSpy prepared(view.get(), &AsyncHighlightedXMLView::textPrepared);
        view->show();
        QVERIFY(view->isLoadingText());
        QCOMPARE(view->display(), RawDisplay::loading);
        QVERIFY(prepared.wait(2000));
        QVERIFY(clock.elapsed() >= AsyncHighlightedXMLView::loadingPauseMs);
        QCOMPARE(view->display(), RawDisplay::singleText);
        QCOMPARE(view->textView()->toPlainText(), QStringLiteral("<a/>"));
        QVERIFY(!view->footer()->isVisible());
    }

    void pieceCounts_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<int>("display");
        QTest::newRow("50,000 characters: one piece") << 50'000 << 1 << int(RawDisplay::singleText);
        QTest::newRow("50,001 characters: eleven pieces")
            << 50'001 << 11 << int(RawDisplay::chunked);
    }

    void pieceCounts()
    {
        QFETCH(int, characters);
        QFETCH(int, pieces);
        QFETCH(int, display);
        auto view = preparedView(std::string(std::size_t(characters), 'x'));
        QCOMPARE(int(view->textChunks().size()), pieces);
        QCOMPARE(int(view->display()), display);
    }

    void elevenPiecesShowTenThenAll()
    {
        auto view = preparedView(std::string(50'001, 'x'));
        QCOMPARE(view->displayedChunks(), std::size_t(10));
        QVERIFY(view->footer()->isVisible());
        QCOMPARE(view->textView()->document()->characterCount() - 1, 50'000);
        scrollToEnd(view->textView());
        QTRY_COMPARE_WITH_TIMEOUT(view->displayedChunks(), std::size_t(11), 2000);
        QVERIFY(!view->footer()->isVisible());
        QCOMPARE(view->textView()->toPlainText().size(), 50'001);
    }

    void growsTenFifteenTwentyTwentyThree()
    {
        auto view = preparedView(linesForPieces(23));
        QCOMPARE(view->textChunks().size(), std::size_t(23));
        QList<std::size_t> steps{view->displayedChunks()};
        while (view->displayedChunks() < 23) {
            const std::size_t before = view->displayedChunks();
            // Not before the last piece shown comes into view.
            QTest::qWait(150);
            QCOMPARE(view->displayedChunks(), before);
            scrollToEnd(view->textView());
            QTRY_VERIFY_WITH_TIMEOUT(view->displayedChunks() > before, 2000);
            steps << view->displayedChunks();
        }
        QCOMPARE(steps, (QList<std::size_t>{10, 15, 20, 23}));
        QCOMPARE(view->textView()->toPlainText().toStdString(), linesForPieces(23));
    }

    void appearingAgainDoesNotPrepareAgain()
    {
        auto view = preparedView(linesForPieces(12));
        scrollToEnd(view->textView());
        QTRY_COMPARE_WITH_TIMEOUT(view->displayedChunks(), std::size_t(12), 2000);
        QSignalSpy prepared(view.get(), &AsyncHighlightedXMLView::textPrepared);
        view->hide();
        view->show();
        QVERIFY(!view->isLoadingText());
        QTest::qWait(100);
        QCOMPARE(prepared.count(), 0);
        QCOMPARE(view->displayedChunks(), std::size_t(12));
    }

    void textChangeResetsWithoutPreparing()
    {
        auto view = preparedView(std::string(60'000, 'x'));
        view->setXmlContent("<new/>");
        QVERIFY(!view->isTextCached());
        QVERIFY(view->textChunks().empty());
        QCOMPARE(view->displayedChunks(), std::size_t(0));
        QCOMPARE(view->display(), RawDisplay::unprepared);
        QCOMPARE(view->textView()->toPlainText(), QStringLiteral("<new/>"));
    }

    void textChangeDuringPreparationDropsTheOldResult()
    {
        auto view = shownView(std::string(60'000, 'x'));
        QVERIFY(view->isLoadingText());
        view->setXmlContent("<new/>");
        QTest::qWait(200);
        QVERIFY(!view->isTextCached()); // the 60,000 pieces never arrive for the new text
        QCOMPARE(view->display(), RawDisplay::unprepared);
        QCOMPARE(view->textView()->toPlainText(), QStringLiteral("<new/>"));
    }

    void modeSwitch()
    {
        auto view = std::make_unique<AsyncHighlightedXMLView>("<r><a/></r>");
        QCOMPARE(view->viewMode(), XMLViewMode::raw);
        QCOMPARE(view->rawAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
        QCOMPARE(view->treeAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_2));
        QVERIFY(view->rawAction()->isChecked());

        // Tree first: no preparation of the raw text.
        view->treeAction()->trigger();
        QCOMPARE(view->viewMode(), XMLViewMode::tree);
        QVERIFY(view->treeAction()->isChecked());
        QVERIFY(!view->rawAction()->isChecked());
        view->show();
        QCOMPARE(view->display(), RawDisplay::tree);
        QVERIFY(!view->isLoadingText());
        QVERIFY(view->treeView());
        QSignalSpy loaded(view->treeView(), &XMLTreeView::loadFinished);
        QVERIFY(loaded.wait(5000));
        QCOMPARE(view->treeView()->nodeCountText(), QStringLiteral("2 nodes"));

        // Back to raw: the text is prepared now.
        QSignalSpy prepared(view.get(), &AsyncHighlightedXMLView::textPrepared);
        view->rawAction()->trigger();
        QVERIFY(view->isLoadingText());
        QVERIFY(prepared.wait(2000));
        QCOMPARE(view->display(), RawDisplay::singleText);

        // And to the tree again: the tree is kept, not parsed again.
        view->treeAction()->trigger();
        QTest::qWait(50);
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(view->treeView()->content(), XMLTreeView::Content::tree);
    }

    void findSearchesTheWholeText()
    {
        // 23 pieces; the needle sits in the last one and once near the start.
        std::string text = linesForPieces(23);
        text.replace(120, 6, "NEEDLE");
        text.replace(text.size() - 50, 6, "needle");
        auto view = preparedView(text);
        QCOMPARE(view->displayedChunks(), std::size_t(10));

        view->findAction()->trigger();
        QVERIFY(view->findField()->isVisible());
        QTest::keyClicks(view->findField(), QStringLiteral("needle"));
        QCOMPARE(view->matchCount(), 2);
        QCOMPARE(view->findStatus()->text(), QStringLiteral("1 of 2"));
        QCOMPARE(view->textView()->textCursor().selectedText(), QStringLiteral("NEEDLE"));

        QTest::keyClick(view->findField(), Qt::Key_Return);
        QCOMPARE(view->findStatus()->text(), QStringLiteral("2 of 2"));
        QCOMPARE(view->textView()->textCursor().selectedText(), QStringLiteral("needle"));
        QCOMPARE(view->displayedChunks(), std::size_t(23)); // revealed up to the match
        QCOMPARE(view->textView()->textCursor().selectionStart(), qsizetype(text.size() - 50));

        QTest::keyClick(view->findField(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(view->findStatus()->text(), QStringLiteral("1 of 2"));
        QTest::keyClick(view->findField(), Qt::Key_Return, Qt::ShiftModifier); // wraps
        QCOMPARE(view->findStatus()->text(), QStringLiteral("2 of 2"));

        view->findField()->setText(QStringLiteral("absent"));
        QCOMPARE(view->matchCount(), 0);
        QCOMPARE(view->findStatus()->text(), QStringLiteral("No matches"));
        QTest::keyClick(view->findField(), Qt::Key_Escape);
        QVERIFY(!view->findField()->isVisible());
    }

    void findCountsLineBreaksAsTheTextViewDoes()
    {
        // CR LF line ends: each counts as one position in the text view.
        auto view = preparedView("<a>\r\n<b>x</b>\r\n<c>target</c>\r\n</a>");
        view->findAction()->trigger();
        QTest::keyClicks(view->findField(), QStringLiteral("target"));
        QCOMPARE(view->textView()->textCursor().selectedText(), QStringLiteral("target"));
    }
};

QTEST_MAIN(TestAsyncHighlightedXMLView)
#include "test_asynchighlightedxmlview.moc"
