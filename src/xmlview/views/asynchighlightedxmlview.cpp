// SPDX-License-Identifier: MIT
#include "asynchighlightedxmlview.h"

#include "app/style/localization.h"
#include "app/style/theme.h"
#include "spinner.h"
#include "xmltreeview.h"
#include "xmlview/textchunks.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellora::xmlview::views {

namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel *label(const QString &text, const QFont &font, QWidget *parent)
{
    auto *result = new QLabel(text, parent);
    result->setFont(font);
    result->setForegroundRole(QPalette::PlaceholderText);
    result->setAlignment(Qt::AlignHCenter);
    return result;
}

} // namespace

AsyncHighlightedXMLView::AsyncHighlightedXMLView(std::string xmlContent, QWidget *parent)
    : QWidget(parent), m_xmlContent(std::make_shared<const std::string>(std::move(xmlContent))),
      m_stack(new QStackedWidget(this))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);

    // Empty text.
    m_noContentPage = new QWidget(m_stack);
    {
        auto *column = new QVBoxLayout(m_noContentPage);
        column->addStretch(1);
        auto *title = new QLabel(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "❌ No XML content available")),
            m_noContentPage);
        title->setObjectName(QStringLiteral("noContentTitle"));
        title->setFont(app::style::theme::title2());
        QPalette red = title->palette();
        red.setColor(QPalette::WindowText,
                     app::style::theme::named(app::style::theme::Named::red, red));
        title->setPalette(red);
        title->setAlignment(Qt::AlignHCenter);
        column->addWidget(title);
        column->addWidget(label(app::style::localized(QT_TRANSLATE_NOOP(
                                    "Localizable", "Check if the file loaded correctly")),
                                app::style::theme::caption(), m_noContentPage));
        column->addStretch(1);
    }
    m_stack->addWidget(m_noContentPage);

    // Preparation under way.
    m_loadingPage = new QWidget(m_stack);
    {
        auto *column = new QVBoxLayout(m_loadingPage);
        column->setSpacing(12);
        column->addStretch(1);
        column->addWidget(new Spinner(32, m_loadingPage), 0, Qt::AlignHCenter);
        auto *text = label(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Loading text content...")),
            app::style::theme::body(), m_loadingPage);
        text->setObjectName(QStringLiteral("loadingText"));
        column->addWidget(text);
        column->addStretch(1);
    }
    m_stack->addWidget(m_loadingPage);

    // The text: find bar, the text itself, and the footer while pieces remain.
    m_textPage = new QWidget(m_stack);
    {
        auto *column = new QVBoxLayout(m_textPage);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);

        m_findBar = new QWidget(m_textPage);
        m_findBar->setObjectName(QStringLiteral("findBar"));
        m_findBar->setAutoFillBackground(true);
        m_findBar->setBackgroundRole(QPalette::Window);
        auto *bar = new QHBoxLayout(m_findBar);
        bar->setContentsMargins(8, 4, 8, 4);
        m_findField = new QLineEdit(m_findBar);
        m_findField->setObjectName(QStringLiteral("findField"));
        m_findField->setPlaceholderText(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Find")));
        m_findField->setClearButtonEnabled(true);
        m_findField->installEventFilter(this);
        bar->addWidget(m_findField, 1);
        m_findStatus = label(QString(), app::style::theme::caption(), m_findBar);
        m_findStatus->setObjectName(QStringLiteral("findStatus"));
        m_findStatus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bar->addWidget(m_findStatus);
        auto *previous = new QToolButton(m_findBar);
        previous->setArrowType(Qt::UpArrow);
        previous->setToolTip(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Previous Match")));
        previous->setAutoRaise(true);
        connect(previous, &QToolButton::clicked, this, &AsyncHighlightedXMLView::findPrevious);
        bar->addWidget(previous);
        auto *next = new QToolButton(m_findBar);
        next->setArrowType(Qt::DownArrow);
        next->setToolTip(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Next Match")));
        next->setAutoRaise(true);
        connect(next, &QToolButton::clicked, this, &AsyncHighlightedXMLView::findNext);
        bar->addWidget(next);
        auto *done = new QToolButton(m_findBar);
        done->setText(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Done")));
        done->setAutoRaise(true);
        connect(done, &QToolButton::clicked, this, &AsyncHighlightedXMLView::closeFind);
        bar->addWidget(done);
        m_findBar->hide();
        connect(m_findField, &QLineEdit::textChanged, this,
                &AsyncHighlightedXMLView::updateMatches);
        column->addWidget(m_findBar);

        m_textView = new QPlainTextEdit(m_textPage);
        m_textView->setObjectName(QStringLiteral("sourceText"));
        m_textView->setReadOnly(true);
        m_textView->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
        m_textView->setFont(app::style::theme::monospaced());
        m_textView->setFrameShape(QFrame::NoFrame);
        m_textView->setUndoRedoEnabled(false);
        m_textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_textView->setAcceptDrops(false); // files dropped here open as documents
        m_textView->viewport()->installEventFilter(this);
        column->addWidget(m_textView, 1);

        m_footer = new QWidget(m_textPage);
        m_footer->setObjectName(QStringLiteral("loadingMoreFooter"));
        auto *footer = new QVBoxLayout(m_footer);
        footer->setSpacing(8);
        footer->addWidget(new Spinner(16, m_footer), 0, Qt::AlignHCenter);
        footer->addWidget(label(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Loading more content...")),
            app::style::theme::caption(), m_footer));
        m_footer->hide();
        column->addWidget(m_footer);
    }
    m_stack->addWidget(m_textPage);

    connect(m_textView->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &AsyncHighlightedXMLView::checkLastPieceInView);
    connect(m_textView->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &AsyncHighlightedXMLView::checkLastPieceInView);

    // The Raw / Tree switch, also for a menu; window-wide shortcuts.
    m_modeGroup = new QActionGroup(this);
    m_modeGroup->setExclusive(true);
    m_rawAction =
        new QAction(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Raw")), m_modeGroup);
    m_rawAction->setObjectName(QStringLiteral("rawModeAction"));
    m_rawAction->setCheckable(true);
    m_rawAction->setChecked(true);
    m_rawAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    m_treeAction =
        new QAction(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Tree")), m_modeGroup);
    m_treeAction->setObjectName(QStringLiteral("treeModeAction"));
    m_treeAction->setCheckable(true);
    m_treeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    connect(m_rawAction, &QAction::triggered, this, [this] { setViewMode(XMLViewMode::raw); });
    connect(m_treeAction, &QAction::triggered, this, [this] { setViewMode(XMLViewMode::tree); });

    m_findAction =
        new QAction(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Find…")), this);
    m_findAction->setObjectName(QStringLiteral("findAction"));
    m_findAction->setShortcut(QKeySequence::Find);
    // Window-wide like Raw and Tree: one source view per window, and the action is disabled
    // while the source is not on show.
    m_findAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_findAction);
    connect(m_findAction, &QAction::triggered, this, [this] {
        if (m_viewMode != XMLViewMode::raw) {
            return;
        }
        m_findBar->show();
        m_findField->setFocus(Qt::ShortcutFocusReason);
        m_findField->selectAll();
    });

    refresh();
}

AsyncHighlightedXMLView::~AsyncHighlightedXMLView() = default;

void AsyncHighlightedXMLView::setXmlContent(std::string xmlContent)
{
    if (xmlContent == *m_xmlContent) {
        return;
    }
    m_xmlContent = std::make_shared<const std::string>(std::move(xmlContent));
    // A preparation of the old text still under way is dropped with it.
    ++m_generation;
    m_isLoadingText = false;
    m_isTextCached = false;
    m_textChunks.clear();
    m_displayedChunks = 0;
    m_shown = Shown::nothing;
    m_searchText.clear();
    m_matches.clear();
    m_currentMatch = -1;
    if (m_treeView) {
        m_treeView->setXmlContent(m_xmlContent);
    }
    refresh();
}

void AsyncHighlightedXMLView::setViewMode(XMLViewMode mode)
{
    if (mode == m_viewMode) {
        return;
    }
    m_viewMode = mode;
    m_rawAction->setChecked(mode == XMLViewMode::raw);
    m_treeAction->setChecked(mode == XMLViewMode::tree);
    if (mode == XMLViewMode::raw && !m_isTextCached) {
        loadTextContent();
    }
    refresh();
    emit viewModeChanged(mode);
}

RawDisplay AsyncHighlightedXMLView::display() const
{
    return selectRawDisplay(RawDisplayInputs{m_xmlContent->empty(), m_viewMode, m_isLoadingText,
                                             m_isTextCached, m_textChunks.size()});
}

void AsyncHighlightedXMLView::loadTextContent()
{
    if (m_xmlContent->empty() || (m_isTextCached && !m_textChunks.empty())) {
        return;
    }
    m_isLoadingText = true;
    refresh();
    const quint64 generation = m_generation;
    std::shared_ptr<const std::string> text = m_xmlContent;
    // A task on the UI thread: cut the text, pause, then hand it to the display.
    QTimer::singleShot(0, this, [this, generation, text] {
        if (generation != m_generation) {
            return;
        }
        auto pieces = std::make_shared<std::vector<std::string>>(prepareTextPieces(*text));
        QTimer::singleShot(loadingPauseMs, this, [this, generation, pieces] {
            if (generation != m_generation) {
                return;
            }
            m_textChunks = std::move(*pieces);
            m_isTextCached = true;
            m_isLoadingText = false;
            m_displayedChunks = 0;
            m_shown = Shown::nothing;
            refresh();
            emit textPrepared();
        });
    });
}

void AsyncHighlightedXMLView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_viewMode == XMLViewMode::raw && !m_isTextCached) {
        loadTextContent();
    }
    refresh();
}

void AsyncHighlightedXMLView::refresh()
{
    const RawDisplay shown = display();
    m_findAction->setEnabled(shown != RawDisplay::tree && shown != RawDisplay::noContent);
    switch (shown) {
    case RawDisplay::noContent:
        m_stack->setCurrentWidget(m_noContentPage);
        return;
    case RawDisplay::tree:
        if (!m_treeView) {
            m_treeView = new XMLTreeView(m_xmlContent, m_stack);
            m_stack->addWidget(m_treeView);
        }
        m_stack->setCurrentWidget(m_treeView);
        return;
    case RawDisplay::loading:
        m_stack->setCurrentWidget(m_loadingPage);
        return;
    case RawDisplay::singleText:
    case RawDisplay::unprepared:
        // A large unprepared text is filled in only when it can be seen: before the first
        // appearance it never is, and its layout would cost for nothing.
        if (m_shown != Shown::wholeText && (shown == RawDisplay::singleText || isVisible() ||
                                            m_xmlContent->size() <= singlePieceLimit)) {
            m_textView->setPlainText(
                qText(shown == RawDisplay::singleText ? m_textChunks.front() : *m_xmlContent));
            m_shown = Shown::wholeText;
            m_pieceEnds.clear();
        }
        m_footer->hide();
        m_stack->setCurrentWidget(m_textPage);
        return;
    case RawDisplay::chunked:
        if (m_shown != Shown::pieces) {
            m_textView->clear();
            m_piecesInView = 0;
            m_pieceEnds.clear();
            m_shown = Shown::pieces;
        }
        m_stack->setCurrentWidget(m_textPage);
        if (isVisible()) {
            // The scroll area is on screen: the first pieces appear.
            m_displayedChunks = firstDisplayedPieces(m_displayedChunks, m_textChunks.size());
        }
        showPieces(m_displayedChunks);
        return;
    }
}

void AsyncHighlightedXMLView::showPieces(std::size_t count)
{
    count = std::min(count, m_textChunks.size());
    m_displayedChunks = std::max(m_displayedChunks, count);
    if (m_piecesInView < count) {
        // Text inserted where the reader's cursor stands would push it along (and the view
        // with it): the cursor, its selection and the scroll position stay where they were.
        const QTextCursor reader = m_textView->textCursor();
        const int anchor = reader.anchor();
        const int position = reader.position();
        const int scroll = m_textView->verticalScrollBar()->value();
        // The scroll bar changes while pieces go in; the piece count is not yet updated then.
        m_insertingPieces = true;
        QTextCursor cursor(m_textView->document());
        cursor.movePosition(QTextCursor::End);
        cursor.beginEditBlock();
        for (std::size_t i = m_piecesInView; i < count; ++i) {
            // Pieces may end inside a line: inserting at the end joins them seamlessly.
            cursor.insertText(qText(m_textChunks[i]));
            m_pieceEnds.push_back(cursor.position());
        }
        cursor.endEditBlock();
        m_piecesInView = count;
        QTextCursor restored(m_textView->document());
        restored.setPosition(anchor);
        restored.setPosition(position, QTextCursor::KeepAnchor);
        m_textView->setTextCursor(restored);
        m_textView->verticalScrollBar()->setValue(scroll);
        m_insertingPieces = false;
    }
    m_footer->setVisible(m_displayedChunks < m_textChunks.size());
    QTimer::singleShot(0, this, &AsyncHighlightedXMLView::checkLastPieceInView);
}

void AsyncHighlightedXMLView::checkLastPieceInView()
{
    if (display() != RawDisplay::chunked || m_growthScheduled || m_insertingPieces ||
        m_piecesInView == 0 || m_displayedChunks >= m_textChunks.size() || !isVisible()) {
        return;
    }
    const qsizetype lastStart = m_piecesInView >= 2 ? m_pieceEnds[m_piecesInView - 2] : 0;
    const QPoint bottom(0, m_textView->viewport()->height() - 1);
    if (m_textView->cursorForPosition(bottom).position() < lastStart) {
        return; // the last piece shown is still below the visible part
    }
    m_growthScheduled = true;
    const quint64 generation = m_generation;
    QTimer::singleShot(growthDelayMs, this, [this, generation] {
        m_growthScheduled = false;
        if (generation != m_generation || display() != RawDisplay::chunked) {
            return;
        }
        // Read anew: find may have shown more pieces meanwhile.
        showPieces(displayedPiecesAfterReaching(m_displayedChunks - 1, m_displayedChunks,
                                                m_textChunks.size()));
    });
}

bool AsyncHighlightedXMLView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_textView->viewport() && event->type() == QEvent::Resize) {
        QTimer::singleShot(0, this, &AsyncHighlightedXMLView::checkLastPieceInView);
    } else if (watched == m_findField && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier) {
                findPrevious();
            } else {
                findNext();
            }
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            closeFind();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AsyncHighlightedXMLView::updateMatches()
{
    m_matches.clear();
    m_currentMatch = -1;
    const QString query = m_findField->text();
    if (!query.isEmpty() && !m_xmlContent->empty()) {
        if (m_searchText.isEmpty()) {
            // The text view keeps CR LF and a lone CR as one line break: count positions
            // the same way.
            m_searchText = qText(*m_xmlContent);
            m_searchText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            m_searchText.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        }
        for (qsizetype at = m_searchText.indexOf(query, 0, Qt::CaseInsensitive); at >= 0;
             at = m_searchText.indexOf(query, at + 1, Qt::CaseInsensitive)) {
            m_matches.push_back(at);
        }
    }
    if (m_matches.empty()) {
        m_findStatus->setText(query.isEmpty() ? QString()
                                              : app::style::localized(QT_TRANSLATE_NOOP(
                                                    "Localizable", "No matches")));
        return;
    }
    // The first match at or after the cursor.
    const qsizetype from = m_textView->textCursor().selectionStart();
    const auto found = std::lower_bound(m_matches.begin(), m_matches.end(), from);
    selectMatch(found == m_matches.end() ? 0 : found - m_matches.begin());
}

void AsyncHighlightedXMLView::findNext()
{
    if (m_matches.empty()) {
        return;
    }
    selectMatch((m_currentMatch + 1) % matchCount());
}

void AsyncHighlightedXMLView::findPrevious()
{
    if (m_matches.empty()) {
        return;
    }
    selectMatch((m_currentMatch - 1 + matchCount()) % matchCount());
}

void AsyncHighlightedXMLView::selectMatch(qsizetype match)
{
    m_currentMatch = match;
    const qsizetype start = m_matches[static_cast<std::size_t>(match)];
    const qsizetype end = start + m_findField->text().size();
    if (display() == RawDisplay::chunked) {
        // Show pieces, five at a time, until the match is among them.
        while ((m_pieceEnds.empty() || m_pieceEnds.back() < end) &&
               m_displayedChunks < m_textChunks.size()) {
            showPieces(m_displayedChunks + piecesPerStep);
        }
    }
    QTextCursor cursor(m_textView->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    m_textView->setTextCursor(cursor);
    m_textView->ensureCursorVisible();
    m_findStatus->setText(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "%1 of %2"))
                              .arg(match + 1)
                              .arg(matchCount()));
}

void AsyncHighlightedXMLView::closeFind()
{
    m_findBar->hide();
    m_textView->setFocus();
}

} // namespace vellora::xmlview::views
