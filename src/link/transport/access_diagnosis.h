#pragma once
#include <optional>
#include <string>
#include <vector>

namespace quorvex {

// What the system says about a device node and the user's session. The real one asks the
// file system and the environment; tests hand in a fake.
class AccessProbe {
public:
    enum class Node { Absent, Openable, Refused };
    virtual ~AccessProbe() = default;
    virtual Node node(const std::string& path) const = 0;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual std::optional<std::string> environment(const char* name) const = 0;
};

class SystemAccessProbe : public AccessProbe {
public:
    Node node(const std::string& path) const override;
    bool fileExists(const std::string& path) const override;
    std::optional<std::string> environment(const char* name) const override;
};

// Why a pedal that was found cannot be opened, and what the user does about it.
struct AccessDiagnosis {
    enum class Problem { None, NoPedal, RuleMissing, RuleNotApplied, NotAtSeat };
    Problem problem = Problem::None;
    std::string node;  // the pedal's device node
    std::string rule;  // the installed rule, or the rule file to install from
    std::string text() const;
};

inline constexpr const char* kUdevRuleName = "70-quorvex-iii.rules";

// The folders udev reads rules from, in its order.
const std::vector<std::string>& udevRuleFolders();

// Looks at the node the link could not open. ruleSource is the rule file shipped with
// this build, offered for installation when no folder of udev holds the rule.
AccessDiagnosis diagnoseAccess(const std::string& node, const AccessProbe& probe, const std::string& ruleSource);
// The same against the running system, with the rule file of this build.
AccessDiagnosis diagnoseAccess(const std::string& node);

}  // namespace quorvex
