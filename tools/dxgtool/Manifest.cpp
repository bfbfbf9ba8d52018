// tools/dxgtool/Manifest.cpp — reading and quoting manifest statements.

#include "tools/dxgtool/Manifest.h"

#include <cerrno>
#include <cstdlib>

#include "media/ComponentStream.h"

namespace skyrend::dxgtool {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits one line into tokens; a quoted part is unescaped in place.
class LineLexer {
public:
    LineLexer(const std::string& line, const std::string& where) : line_(line), where_(where) {}

    // The next token, or false at the end of the line (or a comment). A
    // token with a bare '=' before any quote is a field: key and value.
    bool Next(std::string& key, std::string& value, bool& isField) {
        while (at_ < line_.size() && IsSpace(line_[at_])) ++at_;
        if (at_ >= line_.size() || line_[at_] == '#') return false;
        std::string current;
        bool quoted = false;
        isField = false;
        while (at_ < line_.size() && !IsSpace(line_[at_])) {
            if (line_[at_] == '"') {
                quoted = true;
                ReadQuoted(current);
            } else if (line_[at_] == '=' && !isField && !quoted) {
                if (current.empty()) throw ManifestError(where_ + ": a field without a name");
                isField = true;
                key = current;
                current.clear();
                ++at_;
            } else {
                current += line_[at_++];
            }
        }
        value = current;
        return true;
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

    void ReadQuoted(std::string& out) {
        ++at_;
        while (true) {
            if (at_ >= line_.size()) throw ManifestError(where_ + ": unterminated string");
            char c = line_[at_++];
            if (c == '"') return;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= line_.size()) throw ManifestError(where_ + ": unterminated string");
            char e = line_[at_++];
            if (e == 'n') {
                out += '\n';
            } else if (e == 't') {
                out += '\t';
            } else if (e == 'x' && at_ + 1 < line_.size() && HexDigit(line_[at_]) >= 0 &&
                       HexDigit(line_[at_ + 1]) >= 0) {
                out += static_cast<char>(HexDigit(line_[at_]) * 16 + HexDigit(line_[at_ + 1]));
                at_ += 2;
            } else if (e == '"' || e == '\\') {
                out += e;
            } else {
                throw ManifestError(where_ + ": bad escape \\" + std::string(1, e));
            }
        }
    }

    const std::string& line_;
    std::string where_;
    size_t at_ = 0;
};

}  // namespace

std::vector<ManifestStatement> ParseManifest(const std::string& text, const std::string& fileName) {
    std::vector<ManifestStatement> statements;
    size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        LineLexer lexer(line, fileName + ":" + std::to_string(number));
        std::string key, value;
        bool isField = false;
        if (!lexer.Next(key, value, isField)) continue;
        ManifestStatement statement;
        statement.Line = number;
        if (isField) throw ManifestError(fileName + ":" + std::to_string(number) + ": expected a keyword");
        statement.Keyword = value;
        while (lexer.Next(key, value, isField)) {
            if (isField)
                statement.Fields.emplace_back(key, value);
            else
                statement.Words.push_back(value);
        }
        statements.push_back(std::move(statement));
    }
    return statements;
}

std::string Quote(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// ---------------------------------------------------------------- fields

FieldReader::FieldReader(const ManifestStatement& statement, const std::string& fileName)
    : statement_(statement), fileName_(fileName), read_(statement.Fields.size(), false) {}

void FieldReader::Fail(const std::string& what) const {
    throw ManifestError(fileName_ + ":" + std::to_string(statement_.Line) + ": " + what);
}

const std::string* FieldReader::Find(const std::string& key) {
    const std::string* found = nullptr;
    for (size_t i = 0; i < statement_.Fields.size(); ++i) {
        if (statement_.Fields[i].first != key) continue;
        if (found) Fail("field " + key + " given twice");
        found = &statement_.Fields[i].second;
        read_[i] = true;
    }
    return found;
}

bool FieldReader::Has(const std::string& key) const {
    for (const auto& field : statement_.Fields)
        if (field.first == key) return true;
    return false;
}

std::string FieldReader::String(const std::string& key, const std::string& fallback) {
    const std::string* value = Find(key);
    return value ? *value : fallback;
}

int32_t FieldReader::Integer(const std::string& key, int32_t fallback) {
    const std::string* value = Find(key);
    if (!value) return fallback;
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(value->c_str(), &end, 0);
    if (value->empty() || *end != '\0' || errno != 0 || n < INT32_MIN || n > INT32_MAX)
        Fail(key + "=" + *value + " is not an integer");
    return static_cast<int32_t>(n);
}

bool FieldReader::Boolean(const std::string& key, bool fallback) {
    const std::string* value = Find(key);
    if (!value) return fallback;
    if (*value == "1" || *value == "true") return true;
    if (*value == "0" || *value == "false") return false;
    Fail(key + "=" + *value + " is not 0 or 1");
}

uint32_t FieldReader::Color(const std::string& key, uint32_t fallback) {
    const std::string* value = Find(key);
    if (!value) return fallback;
    TColor color = 0;
    if (IdentToColor(*value, color)) return color;
    errno = 0;
    char* end = nullptr;
    unsigned long long n = std::strtoull(value->c_str(), &end, 0);
    if (value->empty() || value->front() == '-' || *end != '\0' || errno != 0 || n > 0xFFFFFFFFull)
        Fail(key + "=" + *value + " is not a colour");
    return static_cast<uint32_t>(n);
}

void FieldReader::CheckAllRead() const {
    for (size_t i = 0; i < read_.size(); ++i)
        if (!read_[i]) Fail("unknown field " + statement_.Fields[i].first);
}

}  // namespace skyrend::dxgtool
