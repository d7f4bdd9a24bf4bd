#include "exp_captions.h"

#include <array>

namespace quorvex {

const QStringList& EXPCaption() {
    static const QStringList list{"FX/COMP", "DS/OD", "AMP", "CAB", "NS", "EQ", "MOD", "DELAY", "REVERB"};
    return list;
}

const QStringList& FXContent() {
    static const QStringList list{"*POSITION*", "Q",    "RATE", "ATTACK", "RANGE",
                                  "SENS",       "THRE", "PEAK", "RATIO",  "LEVEL"};
    return list;
}

const QStringList& DSContent() {
    static const QStringList list{"VOLUME", "TONE", "GAIN"};
    return list;
}

const QStringList& AMPContent() {
    static const QStringList list{"GAIN", "BASS", "MID", "TREBLE", "PRES", "MST"};
    return list;
}

const QStringList& CABContent() {
    static const QStringList list{"CENTER", "DISTANCE"};
    return list;
}

const QStringList& NSContent() {
    static const QStringList list{"THRES", "SENS", "ATTACK", "RELEASE"};
    return list;
}

const QStringList& EQContent() {
    static const QStringList list{"100HZ", "80HZ",   "250HZ",  "240HZ", "200HZ", "630HZ",  "750HZ",
                                  "400HZ", "1.6KHZ", "2.2KHZ", "800HZ", "4KHZ",  "6.6KHZ", "3.2KHZ"};
    return list;
}

const QStringList& MODContent() {
    static const QStringList list{"RATE",  "PITCH",    "RISE", "SAMPLE", "MIX",   "DEPTH",
                                  "LEVEL", "FEEDBACK", "TONE", "Q",      "RANGE", "BIT"};
    return list;
}

const QStringList& DELAYContent() {
    static const QStringList list{"LEVEL", "F.BACK", "TIME", "TIME A", "THRE", "TIME B"};
    return list;
}

const QStringList& REVERBContent() {
    static const QStringList list{"PRE DELAY", "LEVEL", "DECAY", "TONE"};
    return list;
}

const QStringList& expContent(unsigned module) {
    using Getter = const QStringList& (*)();
    static constexpr std::array<Getter, 9> lists{&FXContent, &DSContent,  &AMPContent,   &CABContent,   &NSContent,
                                                 &EQContent, &MODContent, &DELAYContent, &REVERBContent};
    static const QStringList none;
    return module < lists.size() ? lists[module]() : none;
}

std::optional<QString> expModuleCaption(unsigned module) {
    if (module >= static_cast<unsigned>(EXPCaption().size()))
        return std::nullopt;
    return EXPCaption()[static_cast<qsizetype>(module)];
}

std::optional<QString> expParameterCaption(unsigned module, unsigned parameter) {
    const QStringList& list = expContent(module);
    if (parameter >= static_cast<unsigned>(list.size()))
        return std::nullopt;
    return list[static_cast<qsizetype>(parameter)];
}

}  // namespace quorvex
