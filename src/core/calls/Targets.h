// SPDX-License-Identifier: GPL-3.0-or-later
// Targets: what the operator names in a call (reflector, module, callsign, repeater), checked.
#pragma once

#include <QString>
#include <QStringList>

namespace tamsel {

// A name as the operator gave it, checked: its normal form, or why it was refused.
struct Checked {
    QString value;
    QString error; // empty when the name is good

    bool ok() const { return error.isEmpty(); }
};

// A module: one letter A to Z ("c" gives "C").
Checked checkModule(const QString& text);

// A reflector and its module, as "REF030 C". The name is 3 letters and 3 letters or digits;
// digits alone are zero-padded to 3 ("ref30" is REF030). The text may carry the module
// itself ("REF030 C", "REF030C"); otherwise `module` is used.
Checked checkReflector(const QString& text, const QString& module);

// The callsign of a station to call: 3 to 8 characters A-Z, 0-9, "/" and blank, starting
// with a letter or digit; trailing blanks dropped ("dl1abc" gives "DL1ABC").
Checked checkCallsign(const QString& text);

// A repeater to route to, as the 8 characters of Station Call: "/", the repeater's
// callsign (3 to 6 letters and digits) padded to 6, its module ("/JR1YB B").
Checked checkRepeaterRoute(const QString& repeater, const QString& module);

// Station Call for linking to a reflector given as "REF030 C": "REF030CL".
QString linkCall(const QString& reflector);

// A few well-known reflectors of each family, offered beside the ones used recently.
QStringList shippedReflectors();

} // namespace tamsel
