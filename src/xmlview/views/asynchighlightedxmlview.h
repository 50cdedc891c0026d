// SPDX-License-Identifier: MIT
// A document's text as XML source: raw (prepared after a short pause, long texts shown a few
// pieces at a time) or, in tree mode, as the folding tree.
#pragma once

#include "xmlview/rawdisplay.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;

namespace vellora::xmlview::views {

class XMLTreeView;

class AsyncHighlightedXMLView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AsyncHighlightedXMLView)

public:
    static constexpr int loadingPauseMs = 50;
    static constexpr int growthDelayMs = 100;

    explicit AsyncHighlightedXMLView(std::string xmlContent, QWidget *parent = nullptr);
    ~AsyncHighlightedXMLView() override;

    // A different text resets the prepared state; it is prepared again when the view next
    // comes on screen.
    void setXmlContent(std::string xmlContent);

    XMLViewMode viewMode() const { return m_viewMode; }
    void setViewMode(XMLViewMode mode);

    // "Raw" (Ctrl+1) and "Tree" (Ctrl+2): an exclusive pair for a toolbar switch and a menu.
    QAction *rawAction() const { return m_rawAction; }
    QAction *treeAction() const { return m_treeAction; }
    // "Find…" (Ctrl+F): opens the find bar of the raw text.
    QAction *findAction() const { return m_findAction; }

    // State, as the display rules read it.
    bool isLoadingText() const { return m_isLoadingText; }
    bool isTextCached() const { return m_isTextCached; }
    const std::vector<std::string> &textChunks() const { return m_textChunks; }
    std::size_t displayedChunks() const { return m_displayedChunks; }
    RawDisplay display() const;

    // Prepares the text: a no-op for an empty or already prepared text.
    void loadTextContent();

    // Parts, for the window and for tests.
    QPlainTextEdit *textView() const { return m_textView; }
    QWidget *footer() const { return m_footer; }
    XMLTreeView *treeView() const { return m_treeView; }
    QLineEdit *findField() const { return m_findField; }
    QLabel *findStatus() const { return m_findStatus; }

    // Find over the whole text, also the pieces not shown yet: selects the next or previous
    // match (wrapping around), showing pieces up to it. Case-insensitive.
    void findNext();
    void findPrevious();
    // The matches of the current search text, as positions in the text view.
    qsizetype matchCount() const { return static_cast<qsizetype>(m_matches.size()); }

signals:
    void viewModeChanged(vellora::xmlview::XMLViewMode mode);
    // Preparation finished and the prepared text is on show.
    void textPrepared();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void showPieces(std::size_t count);
    void checkLastPieceInView();
    void updateMatches();
    void selectMatch(qsizetype match);
    void closeFind();

    // The text and its state.
    std::shared_ptr<const std::string> m_xmlContent;
    XMLViewMode m_viewMode = XMLViewMode::raw;
    bool m_isLoadingText = false;
    bool m_isTextCached = false;
    std::vector<std::string> m_textChunks;
    std::size_t m_displayedChunks = 0;
    quint64 m_generation = 0; // a preparation of an older text is dropped

    // What the text view holds now, so a refresh does not set it again.
    enum class Shown
    {
        nothing,
        wholeText,
        pieces,
    };
    Shown m_shown = Shown::nothing;
    std::size_t m_piecesInView = 0;
    std::vector<qsizetype> m_pieceEnds; // text view position after each piece
    bool m_growthScheduled = false;
    bool m_insertingPieces = false;

    // Find.
    QString m_searchText; // the whole text as the text view counts positions
    std::vector<qsizetype> m_matches;
    qsizetype m_currentMatch = -1;

    QStackedWidget *m_stack;
    QWidget *m_noContentPage;
    QWidget *m_loadingPage;
    QWidget *m_textPage;
    QPlainTextEdit *m_textView;
    QWidget *m_footer;
    QWidget *m_findBar;
    QLineEdit *m_findField;
    QLabel *m_findStatus;
    XMLTreeView *m_treeView = nullptr;
    QActionGroup *m_modeGroup;
    QAction *m_rawAction;
    QAction *m_treeAction;
    QAction *m_findAction;
};

} // namespace vellora::xmlview::views
