// SPDX-License-Identifier: MIT
// The Raw / Tree switch of a source view, as a bar of two joined buttons.
#pragma once

#include <QWidget>

namespace vellora::xmlview::views {

class AsyncHighlightedXMLView;

// Shows the view's Raw and Tree actions as a two-way control, right-aligned in a bar.
class XMLSourceSwitch final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XMLSourceSwitch)

public:
    explicit XMLSourceSwitch(AsyncHighlightedXMLView &view, QWidget *parent = nullptr);
};

} // namespace vellora::xmlview::views
