// Key and filter expressions compile to a tree of nodes; evaluating writes each node's
// text straight into the caller's key buffer, so a key costs no allocation.
#include "KeyExpression.h"

#include <strings.h>

#include <cctype>
#include <cstring>
#include <string_view>

#include "DbfFormat.h"
#include "FieldCodec.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

using Type = KeyExpression::Type;

// Nested parentheses and .NOT.s recurse; the bound keeps garbled text off the stack's end.
constexpr int kMaxDepth = 64;
constexpr int kMaxStrWidth = 255;
constexpr int kDefaultStrWidth = 10;  // STR(n) as in Clipper
constexpr int kDateLength = 8;        // yyyymmdd

class Node {
 public:
  Node(Type type, int length) : type_(type), length_(length) {}
  virtual ~Node() = default;
  Type type() const { return type_; }
  int length() const { return length_; }
  // Writes length() bytes of text for record.
  virtual void write(const char* record, char* out) const = 0;
  // The value of a Numeric node.
  virtual double number(const char* /*record*/) const { return 0; }
  // The value of a Logical node.
  virtual bool truth(const char* /*record*/) const { return false; }

 private:
  Type type_;
  int length_;
};
using NodePtr = std::unique_ptr<Node>;

// A field keys as its stored text, whatever its type.
class FieldNode : public Node {
 public:
  FieldNode(Type type, const FieldDesc& f) : Node(type, f.width), offset_(f.offset) {}
  void write(const char* record, char* out) const override {
    std::memcpy(out, record + offset_, length());
  }
  double number(const char* record) const override {
    return parseNumber(std::string_view(record + offset_, length()));
  }
  bool truth(const char* record) const override {
    char c = record[offset_];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
  }

 private:
  int offset_;
};

class LiteralNode : public Node {
 public:
  explicit LiteralNode(std::string text)
      : Node(Type::Character, static_cast<int>(text.size())), text_(std::move(text)) {}
  void write(const char*, char* out) const override {
    std::memcpy(out, text_.data(), text_.size());
  }

 private:
  std::string text_;
};

class ConcatNode : public Node {
 public:
  ConcatNode(std::vector<NodePtr> parts, int length)
      : Node(Type::Character, length), parts_(std::move(parts)) {}
  void write(const char* record, char* out) const override {
    for (const NodePtr& p : parts_) {
      p->write(record, out);
      out += p->length();
    }
  }

 private:
  std::vector<NodePtr> parts_;
};

class StrNode : public Node {
 public:
  StrNode(NodePtr arg, int width, int decimals)
      : Node(Type::Character, width), arg_(std::move(arg)), decimals_(decimals) {}
  void write(const char* record, char* out) const override {
    if (!formatNumber(arg_->number(record), length(), decimals_, out)) {
      std::memset(out, '*', length());
    }
  }

 private:
  NodePtr arg_;
  int decimals_;
};

// DTOS of a date field is its stored text: yyyymmdd, or 8 blanks for no date.
class DtosNode : public Node {
 public:
  explicit DtosNode(NodePtr arg) : Node(Type::Character, kDateLength), arg_(std::move(arg)) {}
  void write(const char* record, char* out) const override { arg_->write(record, out); }

 private:
  NodePtr arg_;
};

class UpperNode : public Node {
 public:
  explicit UpperNode(NodePtr arg) : Node(Type::Character, arg->length()), arg_(std::move(arg)) {}
  void write(const char* record, char* out) const override {
    arg_->write(record, out);
    for (int i = 0; i < length(); ++i) {
      out[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i])));
    }
  }

 private:
  NodePtr arg_;
};

// Logical expressions key as "T" or "F".
class LogicalNode : public Node {
 public:
  LogicalNode() : Node(Type::Logical, 1) {}
  void write(const char* record, char* out) const override { *out = truth(record) ? 'T' : 'F'; }
};

class DeletedNode : public LogicalNode {
 public:
  bool truth(const char* record) const override { return record[0] == dbf::kDeletedFlag; }
};

class NotNode : public LogicalNode {
 public:
  explicit NotNode(NodePtr arg) : arg_(std::move(arg)) {}
  bool truth(const char* record) const override { return !arg_->truth(record); }

 private:
  NodePtr arg_;
};

class AndOrNode : public LogicalNode {
 public:
  AndOrNode(bool isAnd, NodePtr left, NodePtr right)
      : isAnd_(isAnd), left_(std::move(left)), right_(std::move(right)) {}
  bool truth(const char* record) const override {
    return isAnd_ ? left_->truth(record) && right_->truth(record)
                  : left_->truth(record) || right_->truth(record);
  }

 private:
  bool isAnd_;
  NodePtr left_;
  NodePtr right_;
};

class CompiledExpression : public KeyExpression {
 public:
  explicit CompiledExpression(NodePtr root) : root_(std::move(root)) {}
  Type type() const override { return root_->type(); }
  int length() const override { return root_->length(); }
  void evaluate(const char* record, char* out) const override { root_->write(record, out); }
  bool isTrue(const char* record) const override { return root_->truth(record); }

 private:
  NodePtr root_;
};

Type typeOfField(char t) {
  switch (t) {
    case 'N':
    case 'F':  // dBASE IV float: numeric text like N
      return Type::Numeric;
    case 'D':
      return Type::Date;
    case 'L':
      return Type::Logical;
    default:  // C, and foreign types whose bytes read as raw text
      return Type::Character;
  }
}

// Recursive descent over the text. Every parse function returns nullptr on error; the
// first error stops the whole compilation.
class Parser {
 public:
  Parser(std::string_view text, const std::vector<FieldDesc>& fields)
      : text_(text), fields_(fields) {}

  NodePtr parseAll() {
    NodePtr root = parseOr();
    skipSpaces();
    if (root == nullptr || pos_ != text_.size() || root->length() <= 0) return nullptr;
    return root;
  }

 private:
  void skipSpaces() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool accept(char c) {
    skipSpaces();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // Accepts a dotted operator such as ".AND." in any case.
  bool acceptWord(std::string_view word) {
    skipSpaces();
    if (text_.size() - pos_ < word.size() ||
        strncasecmp(text_.data() + pos_, word.data(), word.size()) != 0) {
      return false;
    }
    pos_ += word.size();
    return true;
  }
  std::string_view identifier() {
    skipSpaces();
    std::size_t start = pos_;
    if (pos_ < text_.size() &&
        (std::isalpha(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
      while (pos_ < text_.size() &&
             (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
        ++pos_;
      }
    }
    return text_.substr(start, pos_ - start);
  }
  // A small non-negative whole number (STR's width and decimals); -1 when there is none.
  int integer() {
    skipSpaces();
    int value = -1;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      value = (value < 0 ? 0 : value) * 10 + (text_[pos_++] - '0');
      if (value > kMaxStrWidth) return -1;
    }
    return value;
  }

  static NodePtr logical(NodePtr node) {
    return node != nullptr && node->type() == Type::Logical ? std::move(node) : nullptr;
  }

  NodePtr parseOr() {
    NodePtr left = parseAnd();
    while (left != nullptr && acceptWord(".OR.")) {
      NodePtr right = logical(parseAnd());
      left = logical(std::move(left));
      if (left == nullptr || right == nullptr) return nullptr;
      left = std::make_unique<AndOrNode>(false, std::move(left), std::move(right));
    }
    return left;
  }

  NodePtr parseAnd() {
    NodePtr left = parseNot();
    while (left != nullptr && acceptWord(".AND.")) {
      NodePtr right = logical(parseNot());
      left = logical(std::move(left));
      if (left == nullptr || right == nullptr) return nullptr;
      left = std::make_unique<AndOrNode>(true, std::move(left), std::move(right));
    }
    return left;
  }

  NodePtr parseNot() {
    if (acceptWord(".NOT.") || accept('!')) {
      if (++depth_ > kMaxDepth) return nullptr;
      NodePtr arg = logical(parseNot());
      --depth_;
      return arg == nullptr ? nullptr : std::make_unique<NotNode>(std::move(arg));
    }
    return parseConcat();
  }

  NodePtr parseConcat() {
    NodePtr first = parsePrimary();
    if (first == nullptr || !accept('+')) return first;
    std::vector<NodePtr> parts;
    parts.push_back(std::move(first));
    do {
      parts.push_back(parsePrimary());
    } while (parts.back() != nullptr && accept('+'));
    int length = 0;
    for (const NodePtr& p : parts) {
      if (p == nullptr || p->type() != Type::Character) return nullptr;
      length += p->length();
    }
    return std::make_unique<ConcatNode>(std::move(parts), length);
  }

  NodePtr parsePrimary() {
    skipSpaces();
    if (pos_ >= text_.size()) return nullptr;
    char c = text_[pos_];
    if (c == '(') {
      ++pos_;
      if (++depth_ > kMaxDepth) return nullptr;
      NodePtr inner = parseOr();
      --depth_;
      return inner != nullptr && accept(')') ? std::move(inner) : nullptr;
    }
    if (c == '"' || c == '\'') {
      std::size_t end = text_.find(c, pos_ + 1);
      if (end == std::string_view::npos) return nullptr;
      std::string literal(text_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end + 1;
      return std::make_unique<LiteralNode>(std::move(literal));
    }
    std::string_view name = identifier();
    if (name.empty()) return nullptr;
    if (accept('(')) return parseCall(name);
    for (const FieldDesc& f : fields_) {
      if (f.name.size() == name.size() &&
          strncasecmp(f.name.data(), name.data(), name.size()) == 0) {
        return std::make_unique<FieldNode>(typeOfField(f.type), f);
      }
    }
    return nullptr;
  }

  // Called after "name(": parses the arguments and the closing parenthesis.
  NodePtr parseCall(std::string_view name) {
    auto is = [&](const char* fn) {
      return name.size() == std::strlen(fn) && strncasecmp(name.data(), fn, name.size()) == 0;
    };
    if (is("DELETED")) {
      return accept(')') ? std::make_unique<DeletedNode>() : nullptr;
    }
    if (++depth_ > kMaxDepth) return nullptr;
    NodePtr arg = parseOr();
    --depth_;
    if (arg == nullptr) return nullptr;
    if (is("STR")) {
      if (arg->type() != Type::Numeric) return nullptr;
      int width = kDefaultStrWidth;
      int decimals = 0;
      if (accept(',')) {
        width = integer();
        if (accept(',')) decimals = integer();
      }
      if (width < 1 || decimals < 0 || !accept(')')) return nullptr;
      return std::make_unique<StrNode>(std::move(arg), width, decimals);
    }
    if (!accept(')')) return nullptr;
    if (is("DTOS")) {
      // Only a date field has Date type; a foreign width could not key as yyyymmdd.
      if (arg->type() != Type::Date || arg->length() != kDateLength) return nullptr;
      return std::make_unique<DtosNode>(std::move(arg));
    }
    if (is("UPPER")) {
      if (arg->type() != Type::Character) return nullptr;
      return std::make_unique<UpperNode>(std::move(arg));
    }
    return nullptr;
  }

  std::string_view text_;
  const std::vector<FieldDesc>& fields_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

std::unique_ptr<KeyExpression> KeyExpression::compile(const std::string& text,
                                                      const std::vector<FieldDesc>& fields,
                                                      int* error) {
  NodePtr root = Parser(text, fields).parseAll();
  if (root == nullptr) {
    *error = kErrExpression;
    return nullptr;
  }
  return std::make_unique<CompiledExpression>(std::move(root));
}

}  // namespace xbase
