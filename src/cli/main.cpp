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

struct FileResult
{
    vellora::cli::Json json;
    std::string error; // the reason a file could not be read; empty when it was
    int status = exitValid;
};

FileResult dumpFile(const std::string &path)
{
    using vellora::parser::VelloraDocument;
    VelloraDocument::ReadResult read = VelloraDocument::fromFile(path);
    if (const auto *error = std::get_if<vellora::parser::DocumentReadError>(&read)) {
        return {nullptr, error->reason, exitUnreadable};
    }
    const auto &document = std::get<VelloraDocument>(read);
    return {vellora::cli::documentJson(document), {}, document.ublInfo() ? exitValid : exitInvalid};
}

std::string serialise(const vellora::cli::Json &json)
{
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
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

    if (files.size() == 1) {
        FileResult result = dumpFile(files.front());
        if (result.status == exitUnreadable) {
            std::cerr << "vellora-dump: " << files.front() << ": " << result.error << "\n";
        } else {
            std::cout << serialise(result.json) << "\n";
        }
        return result.status;
    }

    vellora::cli::Json array = vellora::cli::Json::array();
    int status = exitValid;
    for (const std::string &file : files) {
        FileResult result = dumpFile(file);
        vellora::cli::Json entry = vellora::cli::Json::object();
        entry["file"] = file;
        if (result.status == exitUnreadable) {
            entry["error"] = result.error;
        } else {
            entry.update(result.json);
        }
        array.push_back(std::move(entry));
        status = std::max(status, result.status);
    }
    std::cout << serialise(array) << "\n";
    return status;
}
