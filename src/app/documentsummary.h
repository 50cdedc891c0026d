// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace vellora::parser {
class VelloraDocument;
}

namespace vellora::app {

// One line that says what reading the document found: "Valid Invoice INV-7",
// "Invalid: Not a valid UBL document", or "New document" for an unsaved one.
QString documentSummary(const parser::VelloraDocument &document);

} // namespace vellora::app
