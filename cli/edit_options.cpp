#include "cli/edit_options.h"

#include <CLI/CLI.hpp>

#include <map>

#include "platform/text_codec.h"

namespace tl::cli {
namespace {

constexpr const char* kSort = "--sort";
constexpr const char* kReplaceName = "--replace-name";
constexpr const char* kReplaceIp = "--replace-ip";

}  // namespace

void addEditOptions(CLI::App* command, Options&) {
  // No bound variables: the values are read back per occurrence, in
  // command-line order, by collectEdits.
  command->add_option(kSort, "Sort by computer name: asc or desc, then renumber")
      ->check(CLI::IsMember({"asc", "desc"}))
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command->add_option(kReplaceName, "FROM TO: replace FROM by TO in every computer name")
      ->type_size(2)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command->add_option(kReplaceIp, "FROM TO: replace FROM by TO in every IP address")
      ->type_size(2)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void collectEdits(const CLI::App& command, Options& options) {
  const CLI::Option* sort = command.get_option(kSort);
  const CLI::Option* replaceName = command.get_option(kReplaceName);
  const CLI::Option* replaceIp = command.get_option(kReplaceIp);
  // parse_order() names the option once per value it took, so a replacement
  // is complete at its second value.
  std::map<const CLI::Option*, size_t> taken;
  options.edits.clear();
  for (const CLI::Option* option : command.parse_order()) {
    if (option != sort && option != replaceName && option != replaceIp) continue;
    size_t index = taken[option]++;
    const std::vector<std::string>& values = option->results();
    if (index >= values.size()) continue;
    if (option == sort) {
      options.edits.push_back(
          {values[index] == "asc" ? EditStep::Kind::SortAscending : EditStep::Kind::SortDescending, {}, {}});
    } else if (index % 2 == 1) {
      EditStep::Kind kind = option == replaceName ? EditStep::Kind::ReplaceName : EditStep::Kind::ReplaceIp;
      options.edits.push_back({kind, values[index - 1], values[index]});
    }
  }
}

std::string explainMissingSecondValue(const std::vector<std::string>& args) {
  auto isValue = [&](size_t i) { return i < args.size() && !args[i].starts_with("--"); };
  for (size_t i = 0; i < args.size(); ++i) {
    for (const char* option : {kReplaceName, kReplaceIp}) {
      const std::string name = option;
      const std::string needs = name + " needs two values, FROM and TO";
      std::string from;
      size_t to = 0;  // the index of the argument taken as TO
      if (args[i] == name && isValue(i + 1)) {
        from = args[i + 1];
        to = i + 2;
      } else if (args[i].starts_with(name + "=")) {
        from = args[i].substr(name.size() + 1);
        to = i + 1;
      } else if (args[i] == name) {
        return needs;
      } else {
        continue;
      }
      if (!isValue(to)) return needs + ": '" + from + "' has no TO after it";
      if (to + 1 == args.size())
        return needs + ": it took '" + from + "' and '" + args[to] + "', which leaves no FILE";
    }
  }
  return {};
}

std::string readEditedList(Session& session, const Options& options, bool& read) {
  session.ui.setPrintMessages(!options.json);
  std::string type = openListFile(session, options, read);
  if (read) applyEdits(session, options);
  return type;
}

void applyEdits(Session& session, const Options& options) {
  ListConverter& converter = session.converter;
  for (const EditStep& step : options.edits) {
    switch (step.kind) {
      case EditStep::Kind::SortAscending: converter.sortByName(SortDirection::Ascending); break;
      case EditStep::Kind::SortDescending: converter.sortByName(SortDirection::Descending); break;
      case EditStep::Kind::ReplaceName:
        converter.applyRename(RenameMode::NamePrefix, platform::utf8ToGbk(step.from), platform::utf8ToGbk(step.to));
        break;
      case EditStep::Kind::ReplaceIp:
        converter.applyRename(RenameMode::IpSegment, platform::utf8ToGbk(step.from), platform::utf8ToGbk(step.to));
        break;
    }
  }
}

}  // namespace tl::cli
