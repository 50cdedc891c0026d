// SPDX-License-Identifier: MIT
// vellora-dump FILE...: reads each file exactly as the viewer opens a document and prints
// what it holds as JSON.
#include "dumpjson.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int exitValid = 0;
constexpr int exitInvalid = 1;
constexpr int exitUnreadable = 2;
constexpr int exitUsage = 64;

constexpr std::string_view usage = "usage: vellora-dump [--help] [--version] FILE...";

using vellora::parser::DocumentReadError;
using vellora::parser::VelloraDocument;

int statusOf(const VelloraDocument::ReadResult &read)
{
    if (std::holds_alternative<DocumentReadError>(read)) {
        return exitUnreadable;
    }
    return std::get<VelloraDocument>(read).ublInfo() ? exitValid : exitInvalid;
}

// Ends the output with a line break; a failed write (a full disk, a closed pipe) fails the
// run rather than passing for a complete dump.
int finish(vellora::cli::JsonWriter &out, int status)
{
    const bool written = out.flush() && std::fputs("\n", stdout) >= 0 && std::fflush(stdout) == 0;
    if (!written) {
        std::cerr << "vellora-dump: cannot write the output\n";
        return exitUnreadable;
    }
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            std::cout << usage << "\n"
                      << "Reads each UBL invoice or credit note FILE as the viewer opens it and\n"
                      << "prints its outcome, model and SEPA payment data as JSON.\n"
                      << "Exit status: 0 valid, 1 invalid, 2 unreadable, 64 wrong usage.\n";
            return exitValid;
        } else if (!optionsEnded && (argument == "--version" || argument == "-v")) {
            std::cout << "vellora-dump " VELLORA_VERSION "\n";
            return exitValid;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            std::cerr << "vellora-dump: unknown option " << argument << "\n" << usage << "\n";
            return exitUsage;
        } else {
            files.emplace_back(argument);
        }
    }
    if (files.empty()) {
        std::cerr << usage << "\n";
        return exitUsage;
    }

    // The JSON goes out in chunks as it is written, never as one text of the whole dump.
    if (files.size() == 1) {
        const VelloraDocument::ReadResult read = VelloraDocument::fromFile(files.front());
        if (const auto *error = std::get_if<DocumentReadError>(&read)) {
            std::cerr << "vellora-dump: " << files.front() << ": " << error->reason << "\n";
            return exitUnreadable;
        }
        vellora::cli::JsonWriter out(stdout);
        out.beginObject();
        vellora::cli::writeDocumentFields(out, std::get<VelloraDocument>(read));
        out.endObject();
        return finish(out, statusOf(read));
    }

    vellora::cli::JsonWriter out(stdout);
    out.beginArray();
    int status = exitValid;
    for (const std::string &file : files) {
        const VelloraDocument::ReadResult read = VelloraDocument::fromFile(file);
        out.beginObject();
        out.key("file");
        out.string(file);
        if (const auto *error = std::get_if<DocumentReadError>(&read)) {
            out.key("error");
            out.string(error->reason);
        } else {
            vellora::cli::writeDocumentFields(out, std::get<VelloraDocument>(read));
        }
        out.endObject();
        status = std::max(status, statusOf(read));
    }
    out.endArray();
    return finish(out, status);
}
