#include "Options.h"

#include <algorithm>
#include <stdexcept>

namespace teskdp {

std::optional<std::string> Options::get(const std::string& name) const {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> Options::all(const std::string& name) const {
    std::vector<std::string> out;
    auto [first, last] = values.equal_range(name);
    for (auto it = first; it != last; ++it) out.push_back(it->second);
    return out;
}

Options ParseOptions(int argc, char** argv, const std::vector<std::string>& known,
                     const std::vector<std::string>& flags) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word.rfind("--", 0) == 0) {
            std::string name = word.substr(2), value;
            const bool flag = std::find(flags.begin(), flags.end(), name) != flags.end();
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            } else if (flag) {
                value = "1";
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                throw std::invalid_argument("option --" + name + " needs a value");
            }
            if (!flag && std::find(known.begin(), known.end(), name) == known.end())
                throw std::invalid_argument("unknown option --" + name);
            options.values.emplace(name, value);
        } else if (options.command.empty()) {
            options.command = word;
        } else {
            options.positional.push_back(word);
        }
    }
    return options;
}

} // namespace teskdp
