#pragma once
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvex {

// What the EXP and EXP2 summary shows: the module caption for module numbers 0..8 and,
// per module, the captions of the parameters an expression pedal can be assigned to.
// The expression-pedal screen uses the same table.
const QStringList& EXPCaption();
const QStringList& FXContent();
const QStringList& DSContent();
const QStringList& AMPContent();
const QStringList& CABContent();
const QStringList& NSContent();
const QStringList& EQContent();
const QStringList& MODContent();
const QStringList& DELAYContent();
const QStringList& REVERBContent();

// The parameter captions of a module; empty for a module number above 8.
const QStringList& expContent(unsigned module);

// Both lookups refuse numbers outside their table instead of reading past it.
std::optional<QString> expModuleCaption(unsigned module);
std::optional<QString> expParameterCaption(unsigned module, unsigned parameter);

}  // namespace quorvex
