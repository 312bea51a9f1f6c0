// SPDX-License-Identifier: GPL-3.0-or-later
// WebProgram: the web face's part of the station program's command line: where the page is
// served, its certificate, and setting the password.
#pragma once

#include "StationProgram.h"
#include "settings/WebSettings.h"

#include <QString>
#include <iosfwd>
#include <optional>
#include <string>

namespace tamsel {

struct WebArguments {
    QString listen = QStringLiteral("127.0.0.1:8073");
    QString tlsCertificate;
    QString tlsKey;
    bool setPassword = false;
    bool listenGiven = false; // else the settings file's
    bool tlsGiven = false;
};

// Takes the web face's options out of the arguments (what is left is read as every program
// reads it). The message for the operator when one is wrong.
std::optional<std::string> takeWebArguments(int& argc, char** argv, WebArguments& out);

// The usage lines of those options, for --help.
std::string webUsage();

// Asks for the page's password twice (without echo on a terminal; two lines from anything
// else) and keeps its hash beside the settings file. The exit status.
int setPasswordFrom(std::istream& in, std::ostream& out, const QString& passwordFile);

// The web face of a station run, as the arguments (else the settings file) ask.
StationFace webFace(const WebArguments& arguments, const QString& program);

// The web face of the desktop console, as its Preferences ask.
RemoteFace deskWebFace(const QString& program);

} // namespace tamsel
