// SPDX-License-Identifier: GPL-3.0-or-later
// WebProgram: --listen, --tls-cert, --tls-key and --set-password of the station program.
#include "WebProgram.h"

#include "Access.h"
#include "CommandLine.h"
#include "WebFace.h"
#include "log/Formats.h"
#include "settings/SettingsStore.h"
#include "settings/WebSettings.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <iostream>
#include <string_view>
#include <termios.h>
#include <unistd.h>

namespace tamsel {

namespace {

// Reads a line without showing it when `in` is the terminal.
std::string readSecret(std::istream& in, std::ostream& out, const char* prompt) {
    const bool terminal = &in == &std::cin && isatty(STDIN_FILENO) != 0;
    out << prompt << std::flush;
    termios before{};
    if (terminal && tcgetattr(STDIN_FILENO, &before) == 0) {
        termios quiet = before;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    std::getline(in, line);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        out << '\n';
    }
    return line;
}

} // namespace

std::optional<std::string> takeWebArguments(int& argc, char** argv, WebArguments& out) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&](std::string_view name, QString& into) -> std::optional<std::string> {
            if (arg == name) {
                if (i + 1 >= argc) {
                    return std::string(name) + " needs a value.";
                }
                into = QString::fromLocal8Bit(argv[++i]);
            } else {
                into = QString::fromLocal8Bit(arg.substr(name.size() + 1).data());
            }
            return std::nullopt;
        };
        const auto is = [&](std::string_view name) {
            return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
                                   arg[name.size()] == '=');
        };
        std::optional<std::string> error;
        if (is("--listen")) {
            out.listenGiven = true;
            error = value("--listen", out.listen);
            if (!error && !listenAddress(out.listen)) {
                error = "--listen takes ADDRESS:PORT, such as 127.0.0.1:8073 or [::1]:8073.";
            }
        } else if (is("--tls-cert")) {
            out.tlsGiven = true;
            error = value("--tls-cert", out.tlsCertificate);
        } else if (is("--tls-key")) {
            error = value("--tls-key", out.tlsKey);
        } else if (arg == "--set-password") {
            out.setPassword = true;
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        if (error) {
            return error;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    if (out.tlsCertificate.isEmpty() != out.tlsKey.isEmpty()) {
        return "--tls-cert and --tls-key go together.";
    }
    return std::nullopt;
}

std::string webUsage() {
    return QCoreApplication::translate(
               "CommandLine",
               "  --listen ADDRESS:PORT   serve the station's page there (default 127.0.0.1:8073;\n"
               "                          another address than this computer's needs a password)\n"
               "  --tls-cert FILE         serve it over HTTPS with this certificate (PEM)...\n"
               "  --tls-key FILE          ...and its private key (PEM)\n"
               "  --set-password          set the page's password (asked twice) and end\n")
        .toStdString();
}

int setPasswordFrom(std::istream& in, std::ostream& out, const QString& passwordFile) {
    const std::string first =
        readSecret(in, out,
                   QCoreApplication::translate("Web", "New password for the page: ")
                       .toLocal8Bit()
                       .constData());
    const std::string second = readSecret(
        in, out, QCoreApplication::translate("Web", "The same again: ").toLocal8Bit().constData());
    if (!in && first.empty()) {
        out << QCoreApplication::translate("Web", "No password given; nothing changed.")
                   .toStdString()
            << '\n';
        return 1;
    }
    if (first != second) {
        out << QCoreApplication::translate("Web", "The two differ; nothing changed.").toStdString()
            << '\n';
        return 1;
    }
    PasswordStore store(passwordFile);
    if (const QString why = store.set(QString::fromLocal8Bit(first.c_str())); !why.isEmpty()) {
        out << why.toStdString() << '\n';
        return 1;
    }
    //: %1: the file
    out << QCoreApplication::translate("Web", "Password kept (as a hash) in %1; signed-in pages "
                                              "must sign in again.")
               .arg(passwordFile)
               .toStdString()
        << '\n';
    return 0;
}

namespace {

// The face on `station`, from the settings and the command line; nothing and `error` when it
// cannot start.
std::unique_ptr<WebFace> startFace(Station& station, const WebSettings& settings,
                                   const QString& program, bool languagePerRequest,
                                   QString* error) {
    const auto where = listenAddress(settings.listen);
    if (!where) {
        //: %1: what the settings hold for the address
        *error = QCoreApplication::translate("Web", "The page's address %1 is not ADDRESS:PORT.")
                     .arg(settings.listen);
        return nullptr;
    }
    WebFace::Options options;
    options.address = where->first;
    options.port = where->second;
    if (!settings.tlsCertificate.isEmpty() || !settings.tlsKey.isEmpty()) {
        options.tls = HttpService::Tls{settings.tlsCertificate, settings.tlsKey};
    }
    options.passwordFile = PasswordStore::fileBeside(station.settings().path());
    options.sessionsFile = QString::fromStdString((station.dataFolder() / "web-sessions").string());
    options.tilesProgram = TileProcess::programBeside(program);
    options.version = QString::fromLatin1(programVersion());
    options.languagePerRequest = languagePerRequest;
    auto face = std::make_unique<WebFace>(station, options);
    if (QString why = face->start(); !why.isEmpty()) {
        *error = why;
        return nullptr;
    }
    return face;
}

} // namespace

StationFace webFace(const WebArguments& arguments, const QString& program) {
    return [arguments, program](Station& station, StationLog& log,
                                QString* error) -> std::unique_ptr<QObject> {
        // The command line before the settings file.
        WebSettings settings = loadWebSettings(station.settings());
        if (arguments.listenGiven) {
            settings.listen = arguments.listen;
        }
        if (arguments.tlsGiven) {
            settings.tlsCertificate = arguments.tlsCertificate;
            settings.tlsKey = arguments.tlsKey;
        }
        auto face = startFace(station, settings, program, true, error);
        if (!face) {
            return nullptr;
        }
        QObject::connect(face.get(), &WebFace::news, &log,
                         [&log](int priority, const QString& text) {
                             log.say(static_cast<StationLog::Priority>(priority), text);
                         });
        //: %1: the page's address, such as http://127.0.0.1:8073/
        log.say(
            StationLog::Notice,
            QCoreApplication::translate("Web", "The station's page is at %1").arg(face->address()));
        return face;
    };
}

RemoteFace deskWebFace(const QString& program) {
    return [program](Station& station, const WebSettings& settings,
                     QString* error) -> std::unique_ptr<QObject> {
        // The windows keep the program's language: the page's own texts follow the browser.
        return startFace(station, settings, program, false, error);
    };
}

} // namespace tamsel
