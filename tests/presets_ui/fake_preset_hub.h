#pragma once
// A stand-in for the hub on the preset screen's side: it records every call in order,
// e.g. "SetIsChangeGuiData(0)", "ChangeCurrentPreset(4)", and answers the edited flag
// with the value last set, by the test or by the screen. It does nothing else, so that
// it cannot drift from the real hub.
#include <QString>
#include <QStringList>

#include "screen_ports.h"

class FakePresetHub : public quorvex::PresetHubPort {
public:
    QStringList calls;
    bool edited = false;
    double volume = -1.0;  // the last PresetVolChange value

    void ChangeCurrentPreset(int slot) override { calls << QStringLiteral("ChangeCurrentPreset(%1)").arg(slot); }
    void SavePresetChange(int slot, const QString& name) override {
        calls << QStringLiteral("SavePresetChange(%1,%2)").arg(slot).arg(name);
    }
    void SetIsChangeGuiData(bool changed) override {
        calls << QStringLiteral("SetIsChangeGuiData(%1)").arg(changed ? 1 : 0);
        edited = changed;
    }
    bool GetIsChangeGuiData() const override { return edited; }
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b) override {
        calls << QStringLiteral("NeedUpdataMcuUiDataA(%1,%2)").arg(a).arg(b);
    }
    void PresetVolChange(double value) override {
        calls << QStringLiteral("PresetVolChange");
        volume = value;
    }

    // How many calls of the operation named `what` arrived.
    int count(const QString& what) const {
        int n = 0;
        for (const QString& call : calls) n += call.startsWith(what) ? 1 : 0;
        return n;
    }
};
