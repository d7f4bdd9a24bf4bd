#include "access_diagnosis.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace quorvex {

AccessProbe::Node SystemAccessProbe::node(const std::string& path) const {
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0) return Node::Openable;
    return errno == ENOENT || errno == ENOTDIR ? Node::Absent : Node::Refused;
}

bool SystemAccessProbe::fileExists(const std::string& path) const { return ::access(path.c_str(), F_OK) == 0; }

std::optional<std::string> SystemAccessProbe::environment(const char* name) const {
    const char* value = std::getenv(name);
    return value && *value ? std::optional<std::string>(value) : std::nullopt;
}

const std::vector<std::string>& udevRuleFolders() {
    static const std::vector<std::string> folders{"/etc/udev/rules.d", "/run/udev/rules.d",
                                                  "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
                                                  "/lib/udev/rules.d"};
    return folders;
}

namespace {
// udev's uaccess tag serves the session at the computer's own screen and keyboard; a
// session reached over ssh never gets the pedal, whatever rule is installed.
bool remoteSession(const AccessProbe& probe) {
    return probe.environment("SSH_CONNECTION") || probe.environment("SSH_CLIENT") || probe.environment("SSH_TTY");
}

std::optional<std::string> installedRule(const AccessProbe& probe) {
    for (const auto& folder : udevRuleFolders()) {
        const std::string path = folder + "/" + kUdevRuleName;
        if (probe.fileExists(path)) return path;
    }
    return std::nullopt;
}
}  // namespace

AccessDiagnosis diagnoseAccess(const std::string& node, const AccessProbe& probe, const std::string& ruleSource) {
    AccessDiagnosis result;
    result.node = node;
    switch (probe.node(node)) {
    case AccessProbe::Node::Absent: result.problem = AccessDiagnosis::Problem::NoPedal; return result;
    case AccessProbe::Node::Openable: return result;
    case AccessProbe::Node::Refused: break;
    }
    if (remoteSession(probe)) {
        result.problem = AccessDiagnosis::Problem::NotAtSeat;
    } else if (auto rule = installedRule(probe)) {
        result.problem = AccessDiagnosis::Problem::RuleNotApplied;
        result.rule = *rule;
    } else {
        result.problem = AccessDiagnosis::Problem::RuleMissing;
        if (probe.fileExists(ruleSource)) result.rule = ruleSource;
    }
    return result;
}

AccessDiagnosis diagnoseAccess(const std::string& node) {
    return diagnoseAccess(node, SystemAccessProbe(), QUORVEX_UDEV_RULE_SOURCE);
}

std::string AccessDiagnosis::text() const {
    const std::string connected = "A QUORVEX III is connected (device " + node + "), but ";
    switch (problem) {
    case Problem::None: return "The QUORVEX III (device " + node + ") may be opened now: please try again.";
    case Problem::NoPedal: return "No QUORVEX III found. Connect the pedal by USB and switch it on.";
    case Problem::NotAtSeat:
        return connected +
               "this session is not the one at the computer's own screen and keyboard (it came in over ssh). "
               "Only the user sitting at the desktop may open the pedal: start the program there.";
    case Problem::RuleNotApplied:
        return connected + "this user may not open it yet. The rule " + rule +
               " is installed but was not applied to the pedal: unplug the pedal and plug it in again, or run\n"
               "  sudo udevadm trigger --subsystem-match=hidraw";
    case Problem::RuleMissing: {
        const std::string why = connected + "this user may not open it: the udev rule " + kUdevRuleName +
                                " that lets the user at the desktop use the pedal is not installed. ";
        if (rule.empty()) return why + "Install the quorvex package again:\n  sudo apt install --reinstall quorvex";
        return why + "Install it with this one command:\n  sudo sh -c 'install -m 644 " + rule +
               " /etc/udev/rules.d/ && udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw'";
    }
    }
    return {};  // not reached: every problem has its text
}

}  // namespace quorvex
