#include "core/text_table.h"

#include <cstring>

#include "core/resource_mgr.h"

static bool IsNameChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c >= 95 && c <= 127);
}

void CTextTable::Build(const char* text, size_t length) {
  SplitTextLines(text, length, lines_);
  nodes_.clear();
  current_ = -1;
  found_ = -1;
  cursorLine_ = -1;
  // Node fields are as narrow as the stored format; a line past 65535 or
  // deeper than 255 TABs cannot be a node.
  for (size_t i = 0; i < lines_.size() && i <= 0xFFFF; ++i) {
    const char* line = lines_[i].Chars();
    size_t tabs = 0;
    while (line[tabs] == '\t') ++tabs;
    size_t start = tabs;
    while (line[start] == ' ') ++start;
    if (line[start] == 0 || (line[start] == '/' && line[start + 1] == '/') || tabs > 255) continue;
    size_t end = start;
    while (IsNameChar(static_cast<unsigned char>(line[end])) && end - start < 255) ++end;
    nodes_.push_back(Node{static_cast<uint8_t>(tabs), static_cast<uint8_t>(end - start),
                          static_cast<uint16_t>(i), static_cast<uint16_t>(start)});
  }
}

int CTextTable::FindChild(int parent, const char* name, size_t length) const {
  int depth = parent < 0 ? 0 : nodes_[static_cast<size_t>(parent)].depth + 1;
  for (size_t i = static_cast<size_t>(parent + 1); i < nodes_.size(); ++i) {
    const Node& node = nodes_[i];
    if (parent >= 0 && node.depth < depth) break;
    if (node.depth != depth) continue;
    const char* nodeName = lines_[node.line].Chars() + node.nameStart;
    if (node.nameLength == length &&
        CompareNoCase(nodeName, name, static_cast<int32_t>(length)) == 0) {
      return static_cast<int>(i);
    }
  }
  return -2;
}

void CTextTable::PlaceCursor(int node) {
  const Node& n = nodes_[static_cast<size_t>(node)];
  cursorLine_ = n.line;
  const char* line = lines_[n.line].Chars();
  int32_t pos = n.nameStart + n.nameLength;
  while (line[pos] == ' ' || line[pos] == '\t') ++pos;
  if (line[pos] == '(') ++pos;
  cursorPos_ = pos;
}

bool CTextTable::Find(const char* path) {
  if (path == nullptr || path[0] == 0) return true;
  int node = current_;
  const char* at = path;
  if (*at == '/') {
    node = -1;
    ++at;
  }
  CStr fullPath;
  CStr component;
  while (true) {
    const char* slash = std::strchr(at, '/');
    size_t length = slash ? static_cast<size_t>(slash - at) : std::strlen(at);
    node = FindChild(node, at, length);
    if (node < -1) return false;
    component = CStr(at, static_cast<int32_t>(length));
    fullPath += '/';
    fullPath += component;
    if (slash == nullptr) break;
    at = slash + 1;
  }
  current_ = node;
  found_ = node;
  lastComponent_ = component;
  foundPath_ = fullPath;
  PlaceCursor(node);
  return true;
}

bool CTextTable::FindNext() {
  if (found_ < 0) return false;
  int depth = nodes_[static_cast<size_t>(found_)].depth;
  for (size_t i = static_cast<size_t>(found_) + 1; i < nodes_.size(); ++i) {
    const Node& node = nodes_[i];
    if (node.depth < depth) break;
    if (node.depth > depth) continue;
    const char* name = lines_[node.line].Chars() + node.nameStart;
    if (node.nameLength == lastComponent_.Length() &&
        CompareNoCase(name, lastComponent_.Chars(), node.nameLength) == 0) {
      found_ = static_cast<int>(i);
      current_ = found_;
      PlaceCursor(found_);
      return true;
    }
  }
  return false;
}

CStr CTextTable::ReadValue() {
  CStr value;
  if (cursorLine_ < 0) return value;
  const char* line = lines_[static_cast<size_t>(cursorLine_)].Chars();
  int32_t length = lines_[static_cast<size_t>(cursorLine_)].Length();
  bool quoted = false;
  bool wasQuoted = false;
  int32_t pos = cursorPos_;
  while (pos < length) {
    char c = line[pos];
    if (!quoted && (c == ')' || c == ',')) break;
    if (c == '"' && (pos == 0 || line[pos - 1] != '\\')) {
      quoted = !quoted;
      wasQuoted = true;
      value += c;
      ++pos;
      continue;
    }
    if (quoted && c == '\\' && pos + 1 < length) {
      char next = line[pos + 1];
      if (next == '\\') value += '\\';
      else if (next == 'n') value += '\n';
      else if (next == 'r') value += '\r';
      else if (next == 't') value += '\t';
      pos += 2;
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t')) {
      ++pos;
      continue;
    }
    value += c;
    ++pos;
  }
  if (pos < length && line[pos] == ',') ++pos;
  cursorPos_ = pos;
  if (wasQuoted && value.Length() >= 2) value = value.Mid(1, value.Length() - 2);
  return value;
}
