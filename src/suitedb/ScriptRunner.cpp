#include "suitedb/ScriptRunner.h"

#include <algorithm>
#include <cctype>

namespace suitedb {

namespace {

std::string trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

std::string upperWord(std::string_view s, size_t count = 1) {
    std::string out;
    size_t i = 0;
    for (size_t w = 0; w < count; ++w) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        if (w) out += ' ';
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])))
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(s[i++])));
    }
    return out;
}

bool isDefinition(const std::string& stmt) {
    static const char* words[] = {"CREATE", "ALTER", "DROP", "RECREATE", "GRANT", "REVOKE", "COMMENT", "DECLARE"};
    std::string first = upperWord(stmt);
    return std::any_of(std::begin(words), std::end(words), [&](const char* w) { return first == w; });
}

}  // namespace

std::vector<std::string> splitScript(std::string_view script) {
    std::vector<std::string> out;
    std::string term = ";";
    std::string current;
    size_t i = 0;
    auto flush = [&] {
        std::string stmt = trim(current);
        current.clear();
        if (stmt.empty()) return;
        if (upperWord(stmt, 2) == "SET TERM") {
            std::string rest = trim(std::string_view(stmt).substr(stmt.find_first_of("Tt", 3) + 4));
            term = rest.empty() ? ";" : rest;
            return;
        }
        out.push_back(stmt);
    };
    while (i < script.size()) {
        char c = script[i];
        if (c == '\'' || c == '"') {
            size_t end = i + 1;
            while (end < script.size()) {
                if (script[end] == c) {
                    if (end + 1 < script.size() && script[end + 1] == c) { end += 2; continue; }
                    break;
                }
                ++end;
            }
            current.append(script.substr(i, end + 1 - i));
            i = end + 1;
            continue;
        }
        if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < script.size() && script[i + 1] == '*') {
            size_t end = script.find("*/", i + 2);
            i = end == std::string_view::npos ? script.size() : end + 2;
            current += ' ';
            continue;
        }
        if (script.compare(i, term.size(), term) == 0) {
            // SET TERM itself ends with the terminator in force before it.
            flush();
            i += term.size();
            continue;
        }
        current += c;
        ++i;
    }
    flush();
    return out;
}

void runScript(fb::Attachment& att, std::string_view script) {
    fb::Transaction tr(att);
    for (const std::string& stmt : splitScript(script)) {
        try {
            if (upperWord(stmt) == "COMMIT") {
                tr.commit();
                tr.start();
                continue;
            }
            att.execute(tr, stmt);
            if (isDefinition(stmt)) {
                tr.commit();
                tr.start();
            }
        } catch (const fb::Error& e) {
            if (tr.isActive()) tr.rollback();
            throw fb::Error(std::string(e.what()) + "\n-- " + stmt.substr(0, 200), e.iscCode(), e.sqlState());
        }
    }
    tr.commit();
}

}  // namespace suitedb
