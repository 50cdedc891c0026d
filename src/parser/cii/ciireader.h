// SPDX-License-Identifier: MIT
// Reads a UN/CEFACT Cross Industry Invoice (XRechnung CII, Factur-X, ZUGFeRD 2.x) into the
// same model as a UBL document: every value goes where the UBL binding of EN 16931 puts the
// same business term, so an invoice and its UBL twin show the same thing.
#pragma once

#include "parser/xmldocument.h"

#include "model/ubldocumentinfo.h"

#include <string_view>

namespace vellora::parser::cii {

inline constexpr std::string_view ciiNamespace =
    "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100";
inline constexpr std::string_view zugferd1Namespace = "urn:ferd:CrossIndustryDocument:invoice:1p0";

// The outcome of a ZUGFeRD 1.0 document, whose tree this reader does not know.
inline constexpr std::string_view zugferd1Message = "Unsupported format: ZUGFeRD 1.0";

// What the root element makes of a document.
enum class RootKind
{
    crossIndustryInvoice, // CrossIndustryInvoice in the CII namespace: read here
    zugferd1,             // CrossIndustryDocument in the ZUGFeRD 1.0 namespace: refused
    other,                // anything else: left to the UBL reader
};

RootKind rootKind(const XmlDocument &document);

// The model of a document whose root is a CrossIndustryInvoice. Never throws; what is
// missing stays absent, as in a UBL read. The tree is not changed.
model::UBLDocumentInfo readDocumentInfo(const XmlDocument &document);

} // namespace vellora::parser::cii
