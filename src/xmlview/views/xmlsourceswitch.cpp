// SPDX-License-Identifier: MIT
#include "xmlsourceswitch.h"

#include "asynchighlightedxmlview.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>

namespace vellora::xmlview::views {

XMLSourceSwitch::XMLSourceSwitch(AsyncHighlightedXMLView &view, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("xmlSourceSwitch"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(0); // the two buttons touch: one control with two sides
    row->addStretch(1);
    for (QAction *action : {view.rawAction(), view.treeAction()}) {
        auto *button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(64);
        row->addWidget(button);
    }
}

} // namespace vellora::xmlview::views
