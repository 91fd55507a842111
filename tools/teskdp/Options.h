#pragma once
// Command-line options of teskdp: a command, its positional words, and
// --name value pairs (a name may repeat, as --set does).

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace teskdp {

struct Options {
    std::string command;
    std::vector<std::string> positional;
    std::multimap<std::string, std::string> values;

    std::optional<std::string> get(const std::string& name) const;
    std::vector<std::string> all(const std::string& name) const;
};

// Raises std::invalid_argument for an option without its value or one that
// the command does not take. Flags take no value; a given flag holds "1".
Options ParseOptions(int argc, char** argv, const std::vector<std::string>& known,
                     const std::vector<std::string>& flags = {});

} // namespace teskdp
