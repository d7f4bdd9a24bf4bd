#pragma once
// A stand-in for the hub on the preset screen's side: it records every call in
// order and keeps the edited flag the way the hub does (a change of the flag makes
// the list redraw; a volume move is shown back on the list).
#include <QString>
#include <QStringList>

#include <vector>

#include "screen_ports.h"

struct HubCall {
    QString what;
    int slot = -1;
    QString name = {};
    bool flag = false;
    double value = 0.0;
};

class FakePresetHub : public quorvex::PresetHubPort {
public:
    std::vector<HubCall> calls;
    bool edited = false;
    quorvex::PresetListPort* list = nullptr;
    int reloadsOnFlagChange = 0;

    void ChangeCurrentPreset(int slot) override { calls.push_back({"ChangeCurrentPreset", slot}); }
    void SavePresetChange(int slot, const QString& name) override { calls.push_back({"SavePresetChange", slot, name}); }
    void SetIsChangeGuiData(bool changed) override {
        calls.push_back({"SetIsChangeGuiData", -1, {}, changed});
        const bool differs = changed != edited;
        edited = changed;
        if (differs && list) {
            ++reloadsOnFlagChange;
            list->reloadData();
        }
    }
    bool GetIsChangeGuiData() const override { return edited; }
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b) override {
        calls.push_back({"NeedUpdataMcuUiDataA", static_cast<int>(a), QString::number(b)});
    }
    void PresetVolChange(double value) override {
        calls.push_back({"PresetVolChange", -1, {}, false, value});
        if (list)
            list->setPresetVolume(static_cast<int>(value * 100.0));
    }

    // The names of the calls, in order, e.g. "SetIsChangeGuiData(0)", "ChangeCurrentPreset(4)".
    QStringList trace() const {
        QStringList out;
        for (const HubCall& c : calls) {
            if (c.what == "ChangeCurrentPreset")
                out << QStringLiteral("ChangeCurrentPreset(%1)").arg(c.slot);
            else if (c.what == "SetIsChangeGuiData")
                out << QStringLiteral("SetIsChangeGuiData(%1)").arg(c.flag ? 1 : 0);
            else if (c.what == "SavePresetChange")
                out << QStringLiteral("SavePresetChange(%1,%2)").arg(c.slot).arg(c.name);
            else if (c.what == "NeedUpdataMcuUiDataA")
                out << QStringLiteral("NeedUpdataMcuUiDataA(%1,%2)").arg(c.slot).arg(c.name);
            else
                out << QStringLiteral("PresetVolChange(%1)").arg(c.value);
        }
        return out;
    }

    int count(const QString& what) const {
        int n = 0;
        for (const HubCall& c : calls) n += c.what == what ? 1 : 0;
        return n;
    }
};
