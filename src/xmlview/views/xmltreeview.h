// SPDX-License-Identifier: MIT
// The XML source as a tree of rows that fold: parsed on a worker thread, shown through a
// model so that only the rows on screen cost anything.
#pragma once

#include "xmlview/treerows.h"

#include <QTreeView>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QLabel;
class QStackedWidget;
class QTimer;

namespace vellora::xmlview::views {

class Spinner;
class XMLNodeDelegate;
class XMLTreeModel;

// The list of rows. A click on a row's disclosure control, a double click, Space, Return and
// the Left and Right keys ask for a toggle; the owner decides what happens.
class XMLRowsView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XMLRowsView)

public:
    explicit XMLRowsView(QWidget *parent = nullptr);

signals:
    void toggleRequested(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

class XMLTreeView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XMLTreeView)

public:
    // Deferred expansions wait this long behind a spinner.
    static constexpr int expansionDelayMs = 100;

    enum class Content
    {
        nothing,
        loading,
        error,
        tree,
    };

    // The text is shared, not copied: a large document is held once.
    explicit XMLTreeView(std::shared_ptr<const std::string> xmlContent, QWidget *parent = nullptr);
    ~XMLTreeView() override;

    // A different text starts a new parse when the view is on screen (or when it next
    // appears); the result of a parse of an older text is dropped.
    void setXmlContent(std::shared_ptr<const std::string> xmlContent);

    // Starts parsing the current text on a worker thread.
    void loadXML();

    bool isLoading() const { return m_isLoading; }
    const std::optional<QString> &errorMessage() const { return m_errorMessage; }
    const XMLTreeRows *rows() const;
    Content content() const;

    // The header's count text, "9 nodes", empty while loading or after an error.
    QString nodeCountText() const;

    // The disclosure control's action for a row: toggles at once, or for a large collapsed
    // node marks it pending and expands it `expansionDelayMs` later.
    void toggleExpansion(int row);

    XMLTreeModel *model() const { return m_model; }
    XMLRowsView *rowsView() const { return m_rowsView; }

signals:
    // A parse finished and its result (tree or error) is on show.
    void loadFinished();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Outcome;
    void finishLoad(Outcome outcome);
    void releaseRows(std::unique_ptr<XMLTreeRows> rows);
    void refresh();

    std::shared_ptr<const std::string> m_xmlContent;
    bool m_isLoading = true;
    bool m_loadInFlight = false;
    std::optional<QString> m_errorMessage;
    // Each load carries the number it started with; a result whose number is not the latest
    // is dropped.
    quint64 m_generation = 0;

    XMLTreeModel *m_model;
    XMLNodeDelegate *m_delegate;
    QLabel *m_countLabel;
    Spinner *m_headerSpinner;
    QStackedWidget *m_stack;
    QWidget *m_loadingPage;
    QWidget *m_errorPage;
    QLabel *m_errorLabel;
    QWidget *m_emptyPage;
    XMLRowsView *m_rowsView;
    QTimer *m_spinnerTimer;
    int m_spinnerPhase = 0;
    int m_pendingExpansions = 0;
};

} // namespace vellora::xmlview::views
