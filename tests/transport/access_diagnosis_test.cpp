// Why a pedal cannot be opened, decided from a fake view of the nodes, the udev folders and
// the session, and what the user is told about it.
#include "access_diagnosis.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace quorvex {
namespace {

class FakeProbe : public AccessProbe {
public:
    std::map<std::string, Node> nodes;
    std::set<std::string> files;
    std::map<std::string, std::string> env;

    Node node(const std::string& path) const override {
        const auto it = nodes.find(path);
        return it == nodes.end() ? Node::Absent : it->second;
    }
    bool fileExists(const std::string& path) const override { return files.count(path) > 0; }
    std::optional<std::string> environment(const char* name) const override {
        const auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

constexpr char kNode[] = "/dev/hidraw3";
constexpr char kSource[] = "/src/quorvex/packaging/udev/70-quorvex-iii.rules";

struct Case {
    const char* name;
    AccessProbe::Node node;
    const char* installedRule;  // nullptr: none in any udev folder
    bool sourceRule;
    const char* sshVariable;    // nullptr: a session at the seat
    AccessDiagnosis::Problem problem;
    const char* told;           // a piece of the text the user reads
};

class Diagnosis : public testing::TestWithParam<Case> {};

TEST_P(Diagnosis, NamesTheProblemAndTheRemedy) {
    const Case& c = GetParam();
    FakeProbe probe;
    probe.nodes[kNode] = c.node;
    if (c.installedRule) probe.files.insert(c.installedRule);
    if (c.sourceRule) probe.files.insert(kSource);
    if (c.sshVariable) probe.env[c.sshVariable] = "10.0.0.2 50000 10.0.0.1 22";

    const AccessDiagnosis result = diagnoseAccess(kNode, probe, kSource);
    EXPECT_EQ(result.problem, c.problem);
    EXPECT_NE(result.text().find(c.told), std::string::npos) << result.text();
    if (c.problem != AccessDiagnosis::Problem::NoPedal) {
        EXPECT_NE(result.text().find(kNode), std::string::npos);
    }
}

using P = AccessDiagnosis::Problem;
using N = AccessProbe::Node;
INSTANTIATE_TEST_SUITE_P(
    Nodes, Diagnosis,
    testing::Values(
        Case{"absent", N::Absent, nullptr, true, nullptr, P::NoPedal, "No QUORVEX III found"},
        Case{"openable", N::Openable, nullptr, true, nullptr, P::None, "may be opened now"},
        Case{"ruleMissingInBuildTree", N::Refused, nullptr, true, nullptr, P::RuleMissing,
             "sudo sh -c 'install -m 644 /src/quorvex/packaging/udev/70-quorvex-iii.rules /etc/udev/rules.d/ && "
             "udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw'"},
        Case{"ruleMissingEverywhere", N::Refused, nullptr, false, nullptr, P::RuleMissing,
             "sudo apt install --reinstall quorvex"},
        Case{"rulePackaged", N::Refused, "/usr/lib/udev/rules.d/70-quorvex-iii.rules", true, nullptr,
             P::RuleNotApplied, "/usr/lib/udev/rules.d/70-quorvex-iii.rules is installed"},
        Case{"ruleCopiedByHand", N::Refused, "/etc/udev/rules.d/70-quorvex-iii.rules", false, nullptr,
             P::RuleNotApplied, "unplug the pedal and plug it in again"},
        Case{"overSsh", N::Refused, "/usr/lib/udev/rules.d/70-quorvex-iii.rules", true, "SSH_CONNECTION",
             P::NotAtSeat, "over ssh"},
        Case{"sshTtyAlone", N::Refused, nullptr, true, "SSH_TTY", P::NotAtSeat, "start the program there"}),
    [](const testing::TestParamInfo<Case>& test) { return test.param.name; });

TEST(DiagnosisProbe, SeesARealNodeAndAMissingOne) {
    const SystemAccessProbe probe;
    EXPECT_EQ(probe.node("/dev/null"), AccessProbe::Node::Openable);
    EXPECT_EQ(probe.node("/dev/no-such-hidraw"), AccessProbe::Node::Absent);
}

}  // namespace
}  // namespace quorvex
