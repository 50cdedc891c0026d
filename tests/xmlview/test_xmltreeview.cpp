// SPDX-License-Identifier: MIT
// The XML tree view: loading on a worker, default expansion, disclosure controls, deferred
// expansion of large nodes, the error panel and reloading on a text change.
#include "xmlview/views/xmltreemodel.h"
#include "xmlview/views/xmltreeview.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vellora::xmlview;
using namespace vellora::xmlview::views;

namespace {

std::shared_ptr<const std::string> textOf(std::string text)
{
    return std::make_shared<const std::string>(std::move(text));
}

std::string elementWithChildren(int count, const std::string &wrapper = "<r><a><b>%</b></a></r>")
{
    std::string children;
    for (int i = 0; i < count; ++i) {
        children += "<c/>";
    }
    std::string text = wrapper;
    text.replace(text.find('%'), 1, children);
    return text;
}

int findRow(const XMLTreeModel &model, const QString &display)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row).data().toString() == display) {
            return row;
        }
    }
    return -1;
}

} // namespace

class TestXMLTreeView : public QObject
{
    Q_OBJECT

private:
    // A shown view whose first load has finished.
    std::unique_ptr<XMLTreeView> loadedView(const std::string &text)
    {
        auto view = std::make_unique<XMLTreeView>(textOf(text));
        QSignalSpy finished(view.get(), &XMLTreeView::loadFinished);
        view->resize(600, 400);
        view->show();
        if (!finished.wait(5000)) {
            qWarning("the load did not finish");
        }
        return view;
    }

private slots:
    void startsLoading()
    {
        XMLTreeView view(textOf("<a/>"));
        QVERIFY(view.isLoading());
        QCOMPARE(view.content(), XMLTreeView::Content::loading);
        QCOMPARE(view.nodeCountText(), QString());
    }

    void nineNodesAllVisible()
    {
        auto view = loadedView("<r><a><x/><y/><z/></a><b><x/><y/><z/></b></r>");
        QCOMPARE(view->content(), XMLTreeView::Content::tree);
        QCOMPARE(view->nodeCountText(), QStringLiteral("9 nodes"));
        QCOMPARE(view->model()->rowCount(), 9);
        QCOMPARE(view->model()->index(1).data().toString(), QStringLiteral("<a>"));
        QCOMPARE(view->model()->index(1).data(XMLTreeModel::DepthRole).toInt(), 1);
        QCOMPARE(view->model()->index(2).data(XMLTreeModel::DepthRole).toInt(), 2);
        QVERIFY(view->model()->index(1).data(XMLTreeModel::ExpandedRole).toBool());
    }

    void depthThreeOpensCollapsed()
    {
        auto view = loadedView("<r><a><b><c><d/></c></b></a></r>");
        // Rows: r, a, b (depth 2, expanded), c (depth 3, collapsed: d stays hidden).
        QCOMPARE(view->model()->rowCount(), 4);
        const QModelIndex c = view->model()->index(3);
        QCOMPARE(c.data().toString(), QStringLiteral("<c>"));
        QVERIFY(c.data(XMLTreeModel::HasContentRole).toBool());
        QVERIFY(!c.data(XMLTreeModel::ExpandedRole).toBool());
        view->toggleExpansion(3);
        QCOMPARE(view->model()->rowCount(), 5);
        QVERIFY(c.data(XMLTreeModel::ExpandedRole).toBool());
    }

    void textTogglesOnlyItsChevronAndInstructionHasNoControl()
    {
        auto view = loadedView("<r>hello<?pi a=\"1\"?><e/></r>");
        XMLTreeModel &model = *view->model();
        const int text = findRow(model, QStringLiteral("hello"));
        const int pi = findRow(model, QStringLiteral("<?pi\n  a=\"1\"?>"));
        QVERIFY(text > 0);
        QVERIFY(pi > 0);
        QVERIFY(model.index(text).data(XMLTreeModel::HasContentRole).toBool());
        QVERIFY(model.index(text).data(XMLTreeModel::ExpandedRole).toBool()); // depth 1
        const int rows = model.rowCount();
        view->toggleExpansion(text);
        QVERIFY(!model.index(text).data(XMLTreeModel::ExpandedRole).toBool());
        QCOMPARE(model.rowCount(), rows);
        QVERIFY(!model.index(pi).data(XMLTreeModel::HasContentRole).toBool());
        view->toggleExpansion(pi); // no control: nothing happens
        QCOMPARE(model.rowCount(), rows);
    }

    void largeNodesExpandLater_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("deferred");
        QTest::addColumn<int>("rowsAdded");
        // The toggled node is <big>, at depth 3, so it opens collapsed.
        const std::string wrapper = "<r><a><b><big>%</big></b></a></r>";
        QTest::newRow("50 children at once")
            << QString::fromStdString(elementWithChildren(50, wrapper)) << false << 50;
        QTest::newRow("51 children behind a spinner")
            << QString::fromStdString(elementWithChildren(51, wrapper)) << true << 51;
        // Here the toggled node is the text itself, at depth 3: only its chevron changes.
        QTest::newRow("text of 100 characters at once")
            << QStringLiteral("<r><a><b>%1</b></a></r>").arg(QString(100, QLatin1Char('t')))
            << false << 0;
        QTest::newRow("text of 101 characters behind a spinner")
            << QStringLiteral("<r><a><b>%1</b></a></r>").arg(QString(101, QLatin1Char('t'))) << true
            << 0;
    }

    void largeNodesExpandLater()
    {
        QFETCH(QString, document);
        QFETCH(bool, deferred);
        QFETCH(int, rowsAdded);
        auto view = loadedView(document.toStdString());
        XMLTreeModel &model = *view->model();
        QCOMPARE(model.rowCount(), 4);
        const QModelIndex big = model.index(3);
        QVERIFY(!big.data(XMLTreeModel::ExpandedRole).toBool());

        view->toggleExpansion(3);
        if (deferred) {
            QVERIFY(big.data(XMLTreeModel::ExpandingRole).toBool());
            QCOMPARE(model.rowCount(), 4);
            view->toggleExpansion(3); // the control is disabled while pending
            QVERIFY(big.data(XMLTreeModel::ExpandingRole).toBool());
            QTRY_VERIFY_WITH_TIMEOUT(!big.data(XMLTreeModel::ExpandingRole).toBool(), 2000);
        }
        QVERIFY(big.data(XMLTreeModel::ExpandedRole).toBool());
        QCOMPARE(model.rowCount(), 4 + rowsAdded);

        // Collapsing is always immediate.
        view->toggleExpansion(3);
        QVERIFY(!big.data(XMLTreeModel::ExpandedRole).toBool());
        QVERIFY(!big.data(XMLTreeModel::ExpandingRole).toBool());
        QCOMPARE(model.rowCount(), 4);
    }

    void reexpandingShowsTheSubtreeAsItWas()
    {
        auto view = loadedView("<r><a><b><c><d>x</d></c></b></a></r>");
        XMLTreeModel &model = *view->model();
        view->toggleExpansion(3); // c: shows d
        view->toggleExpansion(4); // d: shows x
        QCOMPARE(model.rowCount(), 6);
        view->toggleExpansion(1); // a collapses everything below
        QCOMPARE(model.rowCount(), 2);
        view->toggleExpansion(1);
        QCOMPARE(model.rowCount(), 6);
        QCOMPARE(model.index(5).data().toString(), QStringLiteral("x"));
        QCOMPARE(model.index(5).data(XMLTreeModel::DepthRole).toInt(), 5);
    }

    void malformedShowsTheErrorPanel()
    {
        auto view = loadedView("<a>\n<b>\n</a>");
        QCOMPARE(view->content(), XMLTreeView::Content::error);
        QCOMPARE(
            *view->errorMessage(),
            QStringLiteral("Line 3, column 5: Opening and ending tag mismatch: b line 2 and a"));
        QVERIFY(!view->isLoading());
        QCOMPARE(view->nodeCountText(), QString());
        QCOMPARE(view->model()->rowCount(), 0);
    }

    void textChangeReloadsWithTheDefaultExpansion()
    {
        auto view = loadedView("<r><a><b><c><d/></c></b></a></r>");
        view->toggleExpansion(3);
        QCOMPARE(view->model()->rowCount(), 5);
        QSignalSpy finished(view.get(), &XMLTreeView::loadFinished);
        view->setXmlContent(textOf("<r><a><b><c><e/></c></b></a></r>"));
        QVERIFY(view->isLoading());
        QCOMPARE(view->content(), XMLTreeView::Content::loading);
        QCOMPARE(view->model()->rowCount(), 0);
        QVERIFY(finished.wait(5000));
        QCOMPARE(view->model()->rowCount(), 4); // c collapsed again: new ids, default expansion
        QCOMPARE(view->nodeCountText(), QStringLiteral("5 nodes"));
    }

    void anOlderParseThatFinishesLaterIsDropped()
    {
        // A slow parse of a large text, then at once a quick one of a small text.
        std::string large = "<big>";
        for (int i = 0; i < 200'000; ++i) {
            large += "<item n=\"1\">text</item>";
        }
        large += "</big>";
        XMLTreeView view(textOf(large));
        QSignalSpy finished(&view, &XMLTreeView::loadFinished);
        view.show();
        view.setXmlContent(textOf("<small/>"));
        QVERIFY(finished.wait(10000));
        // Let the large parse finish too; its result must not replace the small tree.
        QTest::qWait(1500);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(view.nodeCountText(), QStringLiteral("1 nodes"));
        QCOMPARE(view.model()->index(0).data().toString(), QStringLiteral("<small />"));
    }

    void clickOnTheChevronToggles()
    {
        auto view = loadedView("<r><a><b><c><d/></c></b></a></r>");
        XMLRowsView *rows = view->rowsView();
        QTRY_VERIFY(rows->isVisible());
        const QModelIndex c = view->model()->index(3);
        const QRect control = XMLNodeDelegate::controlRect(rows->visualRect(c), 3);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, control.center());
        QVERIFY(c.data(XMLTreeModel::ExpandedRole).toBool());
        QTest::keyClick(rows, Qt::Key_Left); // the clicked row is current
        QVERIFY(!c.data(XMLTreeModel::ExpandedRole).toBool());
        QTest::keyClick(rows, Qt::Key_Right);
        QVERIFY(c.data(XMLTreeModel::ExpandedRole).toBool());
    }

    void hostileInputEndsInATreeOrTheErrorPanel_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<int>("content");
        QByteArray deep;
        for (int i = 0; i < 100'000; ++i) {
            deep += "<a>";
        }
        for (int i = 0; i < 100'000; ++i) {
            deep += "</a>";
        }
        QTest::newRow("100,000 levels") << deep << int(XMLTreeView::Content::error);
        QByteArray laughs = "<!DOCTYPE l [<!ENTITY l0 \"lol\">";
        for (int i = 1; i <= 9; ++i) {
            laughs += "<!ENTITY l" + QByteArray::number(i) + " \"";
            for (int j = 0; j < 10; ++j) {
                laughs += "&l" + QByteArray::number(i - 1) + ";";
            }
            laughs += "\">";
        }
        laughs += "]><l>&l9;</l>";
        QTest::newRow("billion laughs") << laughs << int(XMLTreeView::Content::error);
        QTest::newRow("5 MB text node")
            << "<a>" + QByteArray(5'000'000, 'x') + "</a>" << int(XMLTreeView::Content::tree);
        QTest::newRow("truncated") << QByteArray("<a><b x=\"1") << int(XMLTreeView::Content::error);
        QTest::newRow("binary noise")
            << QByteArray("\x01\x02<\x03>") << int(XMLTreeView::Content::error);
    }

    void hostileInputEndsInATreeOrTheErrorPanel()
    {
        QFETCH(QByteArray, document);
        QFETCH(int, content);
        auto view = loadedView(document.toStdString());
        QCOMPARE(int(view->content()), content);
        if (content == int(XMLTreeView::Content::tree)) {
            // A long text shows its first 200 characters and its length.
            QCOMPARE(view->model()->rowCount(), 2);
            QCOMPARE(view->model()->index(1).data().toString(),
                     QString(200, QLatin1Char('x')) + "...\n[5000000 characters total]");
        }
    }

    void rowSizes()
    {
        // Rows: r, x (depth 1), y, x (depth 2), two.
        auto view = loadedView("<r><x/><y><x/></y><two a=\"1\" b=\"2\"/></r>");
        XMLNodeDelegate delegate;
        QStyleOptionViewItem option;
        auto size = [&](int row) { return delegate.sizeHint(option, view->model()->index(row)); };
        // A one-line row is the disclosure column's 22 points high, plus 2 between rows.
        QCOMPARE(size(1).height(), XMLNodeDelegate::lineHeight + 2);
        // Each attribute adds a line.
        QVERIFY(size(4).height() > size(1).height() + 2 * 10);
        // One level deeper is 20 points further in.
        QCOMPARE(size(3).width() - size(1).width(), XMLNodeDelegate::indentSize);
        QCOMPARE(XMLNodeDelegate::controlRect(QRect(0, 0, 300, 24), 2).left(),
                 XMLNodeDelegate::padding + 2 * XMLNodeDelegate::indentSize);
    }

    void expandingTenThousandChildrenIsQuick()
    {
        auto view = loadedView(elementWithChildren(10'000, "<r><a><b><big>%</big></b></a></r>"));
        QSignalSpy rows(view->model(), &QAbstractItemModel::rowsInserted);
        view->toggleExpansion(3);
        QTRY_COMPARE_WITH_TIMEOUT(rows.count(), 1, 2000);
        QCOMPARE(view->model()->rowCount(), 10'004);
    }
};

QTEST_MAIN(TestXMLTreeView)
#include "test_xmltreeview.moc"
