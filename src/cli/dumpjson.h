// SPDX-License-Identifier: MIT
// The JSON form of a read document, as vellora-dump prints it.
#pragma once

#include "jsonwriter.h"

#include "parser/velloradocument.h"

#include <nlohmann/json.hpp>

namespace vellora::cli {

using Json = nlohmann::ordered_json;

// The fields "validation", "message", "document", "sepa", "damage" and "syntax" of a
// document read from a file, into the object `out` has open. Every record is an object of all
// its fields in declaration order; decimals are exact strings, dates "YYYY-MM-DD", absent values null,
// lists arrays.
void writeDocumentFields(JsonWriter &out, const parser::VelloraDocument &document);

// The same as a JSON value: the object holding those six fields.
Json documentJson(const parser::VelloraDocument &document);

} // namespace vellora::cli
