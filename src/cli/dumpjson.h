// SPDX-License-Identifier: MIT
// The JSON form of a read document, as vellora-dump prints it.
#pragma once

#include "parser/velloradocument.h"

#include <nlohmann/json.hpp>

namespace vellora::cli {

using Json = nlohmann::ordered_json;

// {"validation", "message", "document", "sepa"} for a document read from a file. Every
// record is an object of all its fields in declaration order; decimals are exact strings,
// dates "YYYY-MM-DD", absent values null, lists arrays.
Json documentJson(const parser::VelloraDocument &document);

Json toJson(const model::UBLDocumentInfo &info);

} // namespace vellora::cli
