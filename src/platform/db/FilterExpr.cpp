#include "platform/db/FilterExpr.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/db/Collation.h"
#include "platform/db/Dataset.h"
#include "platform/os/Text.h"

namespace db {

struct FilterExpression::Node {
    enum class Kind { Or, And, Not, Compare, IsNull, Field, Literal } kind;
    std::string op;  // comparison operator
    std::unique_ptr<Node> left, right;
    Field* field = nullptr;
    Variant literal;
    bool negate = false;
};

namespace {

using Node = FilterExpression::Node;

struct Token {
    enum Type { End, Name, Text, Number, Op, LParen, RParen } type;
    std::string text;
};

std::vector<Token> Tokenize(const std::string& s) {
    std::vector<Token> out;
    size_t i = 0;
    auto fail = [&](const std::string& what) -> void {
        throw DatabaseError("Hibás szűrőfeltétel: " + what + " (" + s + ")");
    };
    while (i < s.size()) {
        const unsigned char c = s[i];
        if (std::isspace(c)) {
            ++i;
        } else if (c == '\'' || c == '"') {
            std::string text;
            ++i;
            for (;;) {
                if (i >= s.size()) fail("lezáratlan szöveg");
                if (s[i] == static_cast<char>(c)) {
                    if (i + 1 < s.size() && s[i + 1] == static_cast<char>(c)) {
                        text += s[i];
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += s[i++];
            }
            out.push_back({Token::Text, text});
        } else if (std::isdigit(c) ||
                   ((c == '-' || c == '.') && i + 1 < s.size() && std::isdigit((unsigned char)s[i + 1]) &&
                    (out.empty() || out.back().type == Token::Op || out.back().type == Token::LParen))) {
            size_t j = i + 1;
            while (j < s.size() && (std::isdigit((unsigned char)s[j]) || s[j] == '.')) ++j;
            out.push_back({Token::Number, s.substr(i, j - i)});
            i = j;
        } else if (c == '[') {
            size_t j = s.find(']', i);
            if (j == std::string::npos) fail("lezáratlan mezőnév");
            out.push_back({Token::Name, s.substr(i + 1, j - i - 1)});
            i = j + 1;
        } else if (std::isalpha(c) || c == '_' || c >= 0x80) {
            size_t j = i;
            while (j < s.size() &&
                   (std::isalnum((unsigned char)s[j]) || s[j] == '_' || (unsigned char)s[j] >= 0x80))
                ++j;
            out.push_back({Token::Name, s.substr(i, j - i)});
            i = j;
        } else if (c == '(') {
            out.push_back({Token::LParen, "("}), ++i;
        } else if (c == ')') {
            out.push_back({Token::RParen, ")"}), ++i;
        } else if (c == '<' || c == '>' || c == '=' || c == '!') {
            std::string op(1, static_cast<char>(c));
            if (i + 1 < s.size() && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) op += s[i + 1];
            if (op == "!") fail("ismeretlen jel '!'");
            if (op == "!=") op = "<>";
            out.push_back({Token::Op, op});
            i += op.size();
        } else {
            fail(std::string("ismeretlen jel '") + static_cast<char>(c) + "'");
        }
    }
    out.push_back({Token::End, ""});
    return out;
}

class Parser {
public:
    Parser(const std::string& text, const Dataset& ds) : text_(text), ds_(ds), toks_(Tokenize(text)) {}

    std::unique_ptr<Node> Parse() {
        auto n = Or();
        if (Peek().type != Token::End) Fail("váratlan '" + Peek().text + "'");
        return n;
    }

private:
    const Token& Peek() const { return toks_[pos_]; }
    bool IsKeyword(const char* kw) const {
        return Peek().type == Token::Name && os::UpperAscii(Peek().text) == kw;
    }
    [[noreturn]] void Fail(const std::string& what) const {
        throw DatabaseError("Hibás szűrőfeltétel: " + what + " (" + text_ + ")");
    }

    std::unique_ptr<Node> Binary(Node::Kind kind, std::unique_ptr<Node> l, std::unique_ptr<Node> r) {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::unique_ptr<Node> Or() {
        auto l = And();
        while (IsKeyword("OR")) {
            ++pos_;
            l = Binary(Node::Kind::Or, std::move(l), And());
        }
        return l;
    }
    std::unique_ptr<Node> And() {
        auto l = Not();
        while (IsKeyword("AND")) {
            ++pos_;
            l = Binary(Node::Kind::And, std::move(l), Not());
        }
        return l;
    }
    std::unique_ptr<Node> Not() {
        if (IsKeyword("NOT")) {
            ++pos_;
            return Binary(Node::Kind::Not, Not(), nullptr);
        }
        return Compare();
    }
    std::unique_ptr<Node> Compare() {
        if (Peek().type == Token::LParen) {
            ++pos_;
            auto n = Or();
            if (Peek().type != Token::RParen) Fail("hiányzó ')'");
            ++pos_;
            return n;
        }
        auto l = Operand();
        if (IsKeyword("IS")) {
            ++pos_;
            auto n = Binary(Node::Kind::IsNull, std::move(l), nullptr);
            if (IsKeyword("NOT")) ++pos_, n->negate = true;
            if (!IsKeyword("NULL")) Fail("hiányzó NULL");
            ++pos_;
            return n;
        }
        if (Peek().type != Token::Op) Fail("hiányzó összehasonlítás");
        std::string op = toks_[pos_++].text;
        auto n = Binary(Node::Kind::Compare, std::move(l), Operand());
        n->op = op;
        return n;
    }
    std::unique_ptr<Node> Operand() {
        const Token t = Peek();
        auto n = std::make_unique<Node>();
        switch (t.type) {
            case Token::Name:
                if (os::UpperAscii(t.text) == "NULL") {
                    n->kind = Node::Kind::Literal;
                } else {
                    n->kind = Node::Kind::Field;
                    n->field = ds_.FindField(t.text);
                    if (!n->field) throw DatabaseError("Field '" + t.text + "' not found");
                }
                break;
            case Token::Text:
                n->kind = Node::Kind::Literal;
                n->literal = Variant(t.text);
                break;
            case Token::Number:
                n->kind = Node::Kind::Literal;
                n->literal = Variant(std::strtod(t.text.c_str(), nullptr));
                break;
            default:
                Fail(t.type == Token::End ? "hiányzó érték" : "váratlan '" + t.text + "'");
        }
        ++pos_;
        return n;
    }

    const std::string& text_;
    const Dataset& ds_;
    std::vector<Token> toks_;
    size_t pos_ = 0;
};

struct Operand {
    Variant value;
    const Field* field = nullptr;
};

Operand Eval(const Node& n) {
    if (n.kind == Node::Kind::Field) return {n.field->Value(), n.field};
    return {n.literal, nullptr};
}

bool CompareNode(const Node& n, bool caseInsensitive) {
    Operand a = Eval(*n.left), b = Eval(*n.right);
    const std::string& op = n.op;
    if (a.value.IsBlank() || b.value.IsBlank()) {
        const bool both = a.value.IsBlank() && b.value.IsBlank();
        if (op == "=") return both;
        if (op == "<>") return !both;
        return false;
    }
    const Field* typed = a.field ? a.field : b.field;
    int c;
    bool textual = !typed ? (a.value.kind() == Variant::Kind::Text && b.value.kind() == Variant::Kind::Text)
                          : IsTextType(typed->DataType());
    if (textual) {
        std::string x = a.value.ToString(), y = b.value.ToString();
        if (caseInsensitive) x = FoldCase(x), y = FoldCase(y);
        // "NAME = 'AB*'": prefix match.
        if ((op == "=" || op == "<>") && !b.field && y.size() > 0 && y.back() == '*') {
            y.pop_back();
            const bool match = x.compare(0, y.size(), y) == 0;
            return op == "=" ? match : !match;
        }
        c = x.compare(y);
    } else {
        double x, y;
        try {
            x = typed ? typed->Convert(a.value).ToDouble() : a.value.ToDouble();
            y = typed ? typed->Convert(b.value).ToDouble() : b.value.ToDouble();
        } catch (const DatabaseError&) {
            return op == "<>";
        }
        c = x < y ? -1 : x > y ? 1 : 0;
    }
    if (op == "=") return c == 0;
    if (op == "<>") return c != 0;
    if (op == "<") return c < 0;
    if (op == "<=") return c <= 0;
    if (op == ">") return c > 0;
    return c >= 0;
}

bool EvalBool(const Node& n, bool ci) {
    switch (n.kind) {
        case Node::Kind::Or:
            return EvalBool(*n.left, ci) || EvalBool(*n.right, ci);
        case Node::Kind::And:
            return EvalBool(*n.left, ci) && EvalBool(*n.right, ci);
        case Node::Kind::Not:
            return !EvalBool(*n.left, ci);
        case Node::Kind::Compare:
            return CompareNode(n, ci);
        case Node::Kind::IsNull:
            return Eval(*n.left).value.IsBlank() != n.negate;
        case Node::Kind::Field:
            return Eval(n).value.ToBool();
        case Node::Kind::Literal:
            return n.literal.ToBool();
    }
    return false;
}

}  // namespace

FilterExpression::FilterExpression(const std::string& text, const Dataset& dataset)
    : root_(Parser(text, dataset).Parse()) {}

FilterExpression::~FilterExpression() = default;

bool FilterExpression::Evaluate(bool caseInsensitive) const { return EvalBool(*root_, caseInsensitive); }

}  // namespace db
