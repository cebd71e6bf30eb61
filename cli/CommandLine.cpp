#include "cli/CommandLine.h"

#include <algorithm>
#include <cstdlib>

namespace skerrow::cli {

namespace {

std::string FromEnvironment(const char* name, const std::string& fallbackBelowHome) {
  if (const char* value = std::getenv(name); value != nullptr && *value != '\0') return value;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/" + fallbackBelowHome;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& argv,
                                            std::string& error) {
  CommandLine line;
  std::optional<std::string> home;
  std::optional<std::string> store;
  std::size_t i = 0;
  for (; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--home" || arg == "--store") {
      if (i + 1 >= argv.size()) {
        error = arg + " needs a folder";
        return std::nullopt;
      }
      (arg == "--home" ? home : store) = argv[++i];
    } else if (arg.rfind("--home=", 0) == 0) {
      home = arg.substr(7);
    } else if (arg.rfind("--store=", 0) == 0) {
      store = arg.substr(8);
    } else if (!arg.empty() && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      break;
    }
  }
  if ((home && home->empty()) || (store && store->empty())) {
    error = "an empty folder name was given";
    return std::nullopt;
  }
  line.where.home = home ? *home : FromEnvironment("SKERROW_HOME", ".local/share/skerrow");
  line.where.store = store ? *store : FromEnvironment("SKERROW_STORE", "Maildir");
  if (i < argv.size()) {
    line.command = argv[i];
    line.args.assign(argv.begin() + static_cast<std::ptrdiff_t>(i) + 1, argv.end());
  }
  return line;
}

bool OptionParser::Parse(const std::vector<std::string>& args, std::string& error) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-") {
      operands_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (const auto eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    if (Contains(flags_, name) && !value) {
      given_.emplace_back(name, "");
    } else if (Contains(valued_, name)) {
      if (!value) {
        if (i + 1 >= args.size()) {
          error = name + " needs a value";
          return false;
        }
        value = args[++i];
      }
      given_.emplace_back(name, *value);
    } else {
      error = "unknown option " + name;
      return false;
    }
  }
  return true;
}

bool OptionParser::Has(const std::string& flag) const {
  return std::any_of(given_.begin(), given_.end(),
                     [&](const auto& option) { return option.first == flag; });
}

std::vector<std::string> OptionParser::Values(const std::string& option) const {
  std::vector<std::string> values;
  for (const auto& [name, value] : given_) {
    if (name == option) values.push_back(value);
  }
  return values;
}

}  // namespace skerrow::cli
