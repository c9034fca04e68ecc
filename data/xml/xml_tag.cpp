#include "data/xml/xml_tag.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl::xml {
namespace {

constexpr char kWhite[] = {' ', '\t', '\r', '\n'};

bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Replacing each white-space byte followed by "=" by "=" until none is left,
// one byte kind at a time (space, tab, CR, LF), then likewise each "="
// followed by one: a mixed run such as " \t=" keeps its space. Per stretch
// between two "=" that strips its end of trailing spaces, then tabs, then
// CRs, then LFs, and then its start (what is left of it) of leading ones in
// the same order; one pass does it.
void dropWhiteAtEquals(std::string_view tag, std::string& out) {
  out.resize(tag.size());
  char* written = out.data();
  size_t from = 0;
  bool afterEquals = false;
  for (;;) {
    size_t at = tag.find('=', from);
    size_t begin = from, end = at == std::string_view::npos ? tag.size() : at;
    if (at != std::string_view::npos)
      for (char white : kWhite)
        while (end > begin && tag[end - 1] == white) --end;
    if (afterEquals)
      for (char white : kWhite)
        while (begin < end && tag[begin] == white) ++begin;
    std::memcpy(written, tag.data() + begin, end - begin);
    written += end - begin;
    if (at == std::string_view::npos) break;
    *written++ = '=';
    from = at + 1;
    afterEquals = true;
  }
  out.resize(size_t(written - out.data()));
}

// Where a tag's pieces come from: the store's text, or a rewritten copy of
// the tag that was added to the store whole at offset `base`.
struct Source {
  TextStore& store;
  const char* origin;
  size_t base;
  TextPiece piece(std::string_view part) const { return {base + size_t(part.data() - origin), part.size()}; }
};

// One piece of a tag between spaces outside quotation marks, with what one
// pass over it learnt: whether it holds white space (a space inside
// quotation marks, a tab, CR or LF), its first "=", the quotation marks
// after that "=", and whether some "=" in it has white space next to it in
// the tag (then the tag must be rewritten first).
struct Token {
  std::string_view text;
  bool white = false;
  bool whiteAtEquals = false;
  size_t equals = std::string_view::npos;
  size_t valueQuotes = 0;
  size_t firstValueQuote = 0;
  size_t lastValueQuote = 0;
};

// The bytes that matter to cutting a tag; skipPlainBytes looks for exactly
// these.
constexpr auto kTagSpecial = [] {
  std::array<bool, 256> special{};
  for (unsigned char c : {'"', ' ', '\t', '\r', '\n', '='}) special[c] = true;
  return special;
}();

// The position of the first byte at or after `i` that kTagSpecial marks, or
// `end`; sixteen bytes at a time where SSE2 is there.
size_t skipPlainBytes(const char* data, size_t i, size_t end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"'), space = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t'),
                cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), equals = _mm_set1_epi8('=');
  for (; i + 16 <= end; i += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    __m128i hits = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, space)),
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, tab), _mm_cmpeq_epi8(bytes, cr)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, equals))));
    if (int mask = _mm_movemask_epi8(hits)) return i + size_t(__builtin_ctz(unsigned(mask)));
  }
#endif
  while (i < end && !kTagSpecial[static_cast<unsigned char>(data[i])]) ++i;
  return i;
}

// Reads the token starting at `start`; `inQuotes` carries on from token to
// token as the cutting does.
Token nextToken(std::string_view text, size_t start, bool& inQuotes) {
  Token token;
  const char* data = text.data();
  size_t i = start;
  const size_t end = text.size();
  for (;; ++i) {
    i = skipPlainBytes(data, i, end);
    if (i == end) break;
    char c = data[i];
    if (c == '"') {
      inQuotes = !inQuotes;
      if (token.equals != std::string_view::npos) {
        if (token.valueQuotes++ == 0) token.firstValueQuote = i - start;
        token.lastValueQuote = i - start;
      }
    } else if (c == ' ') {
      if (!inQuotes) break;
      token.white = true;
    } else if (c == '=') {
      if (token.equals == std::string_view::npos) token.equals = i - start;
      if ((i > 0 && isWhite(data[i - 1])) || (i + 1 < end && isWhite(data[i + 1]))) token.whiteAtEquals = true;
    } else {
      token.white = true;
    }
  }
  token.text = text.substr(start, i - start);
  return token;
}

// The attribute of a token that holds white space: the white space goes
// first, then as below.
void addCompactedAttribute(std::string_view token, TextStore& store, std::vector<Attribute>& attributes) {
  std::string compact;
  for (char c : token)
    if (!isWhite(c)) compact += c;
  if (compact.empty() || compact == "/") return;
  size_t equals = compact.find('=');
  if (equals == std::string::npos) return;
  std::string value;
  for (char c : std::string_view(compact).substr(equals + 1))
    if (c != '"') value += c;
  attributes.push_back({store.add(std::string_view(compact).substr(0, equals)), store.add(value)});
}

// A token without white space gives an attribute when it holds "=": the
// name before it, the value after it without its quotation marks. Both stay
// views of the token unless quotation marks inside the value must go.
void addAttribute(const Token& token, const Source& source, std::vector<Attribute>& attributes) {
  if (token.white) return addCompactedAttribute(token.text, source.store, attributes);
  if (token.equals == std::string_view::npos) return;  // also an empty token or "/"
  std::string_view value = token.text.substr(token.equals + 1);
  Attribute attribute{source.piece(token.text.substr(0, token.equals)), {}};
  size_t valueStart = token.equals + 1;
  if (token.valueQuotes == 0) {
    attribute.value = source.piece(value);
  } else if (token.valueQuotes == 2 && token.firstValueQuote == valueStart &&
             token.lastValueQuote == token.text.size() - 1) {
    attribute.value = source.piece(value.substr(1, value.size() - 2));
  } else {
    std::string unquoted;
    for (char c : value)
      if (c != '"') unquoted += c;
    attribute.value = source.store.add(unquoted);
  }
  attributes.push_back(attribute);
}

// Cuts `text` into the name and the attributes; false as soon as a token
// shows white space next to an "=" (the tag must be rewritten first).
bool readTokens(std::string_view text, const Source& source, Element& element, std::vector<Attribute>& attributes,
                bool rewritten) {
  bool inQuotes = false;
  Token name = nextToken(text, 0, inQuotes);
  if (name.whiteAtEquals && !rewritten) return false;
  element.name = source.piece(name.text);
  for (size_t start = name.text.size() + 1; start <= text.size();) {
    Token token = nextToken(text, start, inQuotes);
    if (token.whiteAtEquals && !rewritten) return false;
    addAttribute(token, source, attributes);
    start += token.text.size() + 1;
  }
  return true;
}

// A byte that ends a name or a value of the usual tag, or that makes the
// tag unusual: a control byte, a space, "!", a quotation mark or "=". Its
// few extra bytes only send a tag to the general reading.
bool endsUsualPart(char c) { return static_cast<unsigned char>(c) <= '"' || c == '='; }

// The position of the first such byte at or after `i` and before `end`, or
// `end`. Where SSE2 is there, sixteen bytes at a time, reading on past
// `end` up to `readable` (the bytes there are ignored): a name or a value
// usually takes one step.
inline size_t skipUsualBytes(const char* data, size_t i, size_t end, size_t readable) {
#if defined(__SSE2__)
  const __m128i top = _mm_set1_epi8('"'), equals = _mm_set1_epi8('=');
  while (i < end && i + 16 <= readable) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(bytes, top), bytes), _mm_cmpeq_epi8(bytes, equals));
    unsigned mask = unsigned(_mm_movemask_epi8(hits));
    if (end - i < 16) mask &= (1u << (end - i)) - 1;
    if (mask) return i + size_t(__builtin_ctz(mask));
    if (end - i <= 16) return end;
    i += 16;
  }
#else
  (void)readable;
#endif
  while (i < end && !endsUsualPart(data[i])) ++i;
  return i;
}

size_t skipSpaces(const char* data, size_t i, size_t end) {
  while (i < end && data[i] == ' ') ++i;
  return i;
}

// The usual tag, `name a="v" b = "w"`, in one pass: a name, then attributes
// after one or more spaces, each a name, an "=" with or without spaces
// around it and a value in double quotation marks, with no white space,
// "=" or quotation mark inside a name or a value. For such a tag the
// general reading gives exactly these pieces (its rewrite only drops the
// spaces at each "="), all views of the loaded text. False as soon as the
// tag is anything else; what was appended then is for the caller to drop.
bool readUsualTag(std::string_view tag, const TextStore& store, Element& element,
                  std::vector<Attribute>& attributes) {
  const char* data = tag.data();
  const size_t end = tag.size();
  // The tag is a view of the loaded text, which goes on at least to its ">".
  const size_t readable = size_t(store.text().data() + store.text().size() - data);
  auto piece = [&](size_t from, size_t to) { return store.pieceOf(tag.substr(from, to - from)); };
  size_t i = skipUsualBytes(data, 0, end, readable);
  if (i < end && data[i] != ' ') return false;
  element.name = piece(0, i);
  while (i < end) {
    // data[i] is a space here.
    i = skipSpaces(data, i, end);
    if (i == end) break;
    const size_t nameStart = i;
    i = skipUsualBytes(data, i, end, readable);
    const size_t nameEnd = i;
    if (nameEnd == nameStart) return false;
    i = skipSpaces(data, i, end);
    if (i == end || data[i] != '=') return false;
    i = skipSpaces(data, i + 1, end);
    if (i == end || data[i] != '"') return false;
    const size_t valueStart = ++i;
    i = skipUsualBytes(data, i, end, readable);
    if (i == end || data[i] != '"') return false;
    attributes.push_back({piece(nameStart, nameEnd), piece(valueStart, i)});
    if (++i < end && data[i] != ' ') return false;
  }
  return true;
}

}  // namespace

void readTag(std::string_view tag, TextStore& store, Element& element, std::vector<Attribute>& attributes,
             std::string& scratch) {
  element.firstAttribute = attributes.size();
  if (readUsualTag(tag, store, element, attributes)) {
    element.attributeCount = attributes.size() - element.firstAttribute;
    return;
  }
  attributes.resize(element.firstAttribute);
  readAnyTag(tag, store, element, attributes, scratch);
}

void readAnyTag(std::string_view tag, TextStore& store, Element& element, std::vector<Attribute>& attributes,
                std::string& scratch) {
  element.firstAttribute = attributes.size();
  // Most tags have no white space at an "=": they are read as they are, and
  // the few that have are rewritten and read again.
  if (!readTokens(tag, Source{store, store.text().data(), 0}, element, attributes, false)) {
    attributes.resize(element.firstAttribute);
    dropWhiteAtEquals(tag, scratch);
    readTokens(scratch, Source{store, scratch.data(), store.add(scratch).offset}, element, attributes, true);
  }
  element.attributeCount = attributes.size() - element.firstAttribute;
}

}  // namespace tl::xml
