// What the children of every system share: options from an environment list, the run that
// waits, and the search of what a child printed.
#include "support/child_process.h"

namespace zrv::test {

namespace {

ChildOptions FromEnv(const Env& env, const std::vector<std::string>& args) {
    ChildOptions options;
    options.args = args;
    for (const auto& entry : env) {
        if (entry.second.empty()) {
            options.unsetEnv.push_back(entry.first);
        } else {
            options.env.push_back(entry);
        }
    }
    return options;
}

}  // namespace

LiveChild::LiveChild(const std::string& path, const Env& env, const std::vector<std::string>& args)
    : LiveChild(path, FromEnv(env, args)) {}

ChildResult RunChild(const std::string& path, const ChildOptions& options) {
    return LiveChild(path, options).Finish(options.timeoutSeconds);
}

bool LiveChild::HasPrinted(const std::string& line) {
    Drain();
    const std::string& out = result_.out;
    for (std::size_t at = out.find(line); at != std::string::npos; at = out.find(line, at + 1)) {
        const bool starts = at == 0 || out[at - 1] == '\n';
        const bool ends = at + line.size() < out.size() && out[at + line.size()] == '\n';
        if (starts && ends) return true;
    }
    return false;
}

}  // namespace zrv::test
