#include "core/vdf.h"

#include <cctype>

namespace gravelock {
namespace {

// Steam's files nest a few levels; a limit keeps a hostile file from
// exhausting the stack.
constexpr int kMaxDepth = 32;

bool sameWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Entries up to the end of the text (depth 0) or a closing brace.
    bool readEntries(std::vector<VdfNode>& out, int depth) {
        if (depth > kMaxDepth)
            return false;
        for (;;) {
            skipBlanksAndComments();
            if (atEnd())
                return depth == 0;
            if (peek() == '}') {
                ++pos_;
                return depth > 0;
            }
            VdfNode node;
            if (!readString(node.key))
                return false;
            skipBlanksAndComments();
            skipCondition();
            if (atEnd())
                return false;
            if (peek() == '{') {
                ++pos_;
                node.isBlock = true;
                if (!readEntries(node.children, depth + 1))
                    return false;
            } else if (!readString(node.value)) {
                return false;
            } else {
                skipCondition();
            }
            out.push_back(std::move(node));
        }
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    void skipBlanksAndComments() {
        while (!atEnd()) {
            if (std::isspace(static_cast<unsigned char>(peek()))) {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                const auto end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end;
            } else {
                return;
            }
        }
    }

    // Platform conditions such as [$WIN32] after a key or value are ignored.
    void skipCondition() {
        skipBlanksAndComments();
        if (!atEnd() && peek() == '[') {
            const auto end = text_.find(']', pos_);
            pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            skipBlanksAndComments();
        }
    }

    // A quoted string with escapes, or a bare word up to a blank, quote or brace.
    bool readString(std::string& out) {
        if (atEnd() || peek() == '{' || peek() == '}')
            return false;
        if (peek() != '"') {
            while (!atEnd() && !std::isspace(static_cast<unsigned char>(peek())) && peek() != '"' &&
                   peek() != '{' && peek() != '}')
                out += text_[pos_++];
            return true;
        }
        ++pos_;
        while (!atEnd()) {
            const char c = text_[pos_++];
            if (c == '"')
                return true;
            if (c == '\\' && !atEnd()) {
                const char next = text_[pos_++];
                switch (next) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case '\\':
                case '"':
                    out += next;
                    break;
                default: // not an escape: both characters stand
                    out += c;
                    out += next;
                }
            } else {
                out += c;
            }
        }
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

const VdfNode* VdfNode::child(std::string_view name) const {
    for (const VdfNode& c : children)
        if (sameWithoutCase(c.key, name))
            return &c;
    return nullptr;
}

std::optional<std::vector<VdfNode>> parseVdf(std::string_view text) {
    std::vector<VdfNode> entries;
    Reader reader(text);
    if (!reader.readEntries(entries, 0))
        return std::nullopt;
    return entries;
}

} // namespace gravelock
