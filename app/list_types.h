#pragma once
// The 21 list types the tool recognises, one row each, in probing order:
// the name that detection returns and dispatch compares byte for byte, the
// text that goes into the type field when the row's probe matches, the probe
// (an SQL statement, a text signature or a rule on the first INI section)
// and the reader. Detection and dispatch read nothing but this table.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// The file's text (up to its first NUL byte) contains every `all` text and
// no `none` text; ASCII letters are compared without regard to case. Empty
// entries are unused.
struct TextSignature {
  std::array<std::string_view, 3> all = {};
  std::array<std::string_view, 2> none = {};
};

// What the INI probes read of the file's first section; a missing key reads
// as the default "未知".
struct FirstIniSection {
  std::string name;
  std::string mac;
  std::string wksName;
};
using IniRule = bool (*)(const FirstIniSection& section);

struct ListType {
  enum class Probe { Sql, Text, Ini };

  std::string_view name = {};
  std::string_view typeText = {};
  Probe probe = Probe::Sql;
  // Sql: the statement that must prepare and step once; the reader runs it too.
  std::string_view select = {};
  TextSignature signature = {};  // Text
  IniRule iniRule = nullptr;  // Ini
  // databaseReader for the Sql rows, reader for the others.
  DatabaseListReader databaseReader = nullptr;
  ListReader reader = nullptr;
};

std::span<const ListType> listTypes();

// The row whose name equals `name`, or nullptr.
const ListType* findListType(std::string_view name);

// Runs the row's reader on the list file. One read sees the machine's network
// as it was when the read began and asks for it once, not once per client.
void readListFile(const ListType& type, ReaderContext& context, const std::string& path);
// The same for one reader called by itself.
void readListFile(ListReader reader, ReaderContext& context, const std::string& path);

}  // namespace tl
