// SPDX-License-Identifier: GPL-3.0-or-later
// CommandLine: --help, -h and --version, answered before any USB access or display.
#include "CommandLine.h"

#include "language/Translations.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace tamsel {

const char* programVersion() {
    return TAMSEL_VERSION;
}

namespace {

// The options Qt 6.4 itself reads from the command line (QGuiApplication, QApplication and
// the X11 platform plugin), handed to it unchanged.
constexpr std::string_view kQtWithValue[] = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle", "-session", "-style", "-stylesheet",
    // X11
    "-display", "-geometry", "-title", "-icon", "-name", "-visual"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-widgetcount", "-testability", "-nograb",
                                         "-dograb"};
// Written as -option=value.
constexpr std::string_view kQtAttached[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

template <std::size_t N> bool among(const std::string_view (&names)[N], std::string_view arg) {
    return std::find(std::begin(names), std::end(names), arg) != std::end(names);
}

bool attachedQtOption(std::string_view arg) {
    return std::any_of(std::begin(kQtAttached), std::end(kQtAttached),
                       [arg](std::string_view prefix) { return arg.starts_with(prefix); });
}

} // namespace

std::string usage(const ProgramInfo& program) {
    const QString name = QString::fromStdString(program.name);
    const QString purpose = QCoreApplication::translate("CommandLine", program.purpose.c_str());
    if (program.name != "tamsel") {
        // The demo keeps its settings and logs in folders of its own.
        //: --help of the demo program: %1 is its name, %2 what it does, %3 its folders' name
        return QCoreApplication::translate(
                   "CommandLine",
                   "Usage: %1 [--help | --version]\n"
                   "%2\n"
                   "It takes no other options. The adapter holds its own settings; the console's\n"
                   "(your position, units) are in $XDG_CONFIG_HOME/%3/tamsel.conf\n"
                   "(~/.config/%3/tamsel.conf), set in Config, Preferences.\n"
                   "The demo keeps them and its logs apart from the console's own.\n"
                   "\n"
                   "  -h, --help     show this help and exit\n"
                   "      --version  show the version and exit\n"
                   "\n"
                   "Qt's own options (-platform, -style, -display, -session and the others of\n"
                   "qt6options(7)) are passed to Qt.\n"
                   "\n"
                   "tamsel is the same console for a real adapter.\n"
                   "See %1(1).\n")
            .arg(name, purpose, QStringLiteral("tamsel-demo"))
            .toStdString();
    }
    //: --help: %1 is the program's name, %2 what it does, %3 its folders' name
    return QCoreApplication::translate(
               "CommandLine",
               "Usage: %1 [--help | --version]\n"
               "%2\n"
               "It takes no other options. The adapter holds its own settings; the console's\n"
               "(your position, units) are in $XDG_CONFIG_HOME/%3/tamsel.conf\n"
               "(~/.config/%3/tamsel.conf), set in Config, Preferences.\n"
               "\n"
               "  -h, --help     show this help and exit\n"
               "      --version  show the version and exit\n"
               "\n"
               "Qt's own options (-platform, -style, -display, -session and the others of\n"
               "qt6options(7)) are passed to Qt.\n"
               "\n"
               "The adapter (USB 04d8:0310) must be accessible to you. The udev rule that grants\n"
               "it to the user at the seat is /usr/lib/udev/rules.d/60-tamsel.rules when the\n"
               "package is installed, or packaging/60-tamsel.rules in the source tree.\n"
               "tamsel-demo runs the same console on a built-in simulated adapter.\n"
               "See %1(1).\n")
        .arg(name, purpose, QStringLiteral("tamsel"))
        .toStdString();
}

namespace {

// While it lives, texts are in the operator's language, also before the program has made its
// application object (--help is answered before that).
class HelpLanguage {
public:
    HelpLanguage() {
        if (QCoreApplication::instance() == nullptr) {
            app_ = std::make_unique<QCoreApplication>(argc_, argv_);
            translations_ = std::make_unique<Translations>(languageOfThisRun());
        }
    }
    ~HelpLanguage() {
        translations_.reset();
        app_.reset();
    }
    HelpLanguage(const HelpLanguage&) = delete;
    HelpLanguage& operator=(const HelpLanguage&) = delete;

private:
    char name_[7] = "tamsel";
    char* argv_[2] = {name_, nullptr};
    int argc_ = 1;
    std::unique_ptr<QCoreApplication> app_;
    std::unique_ptr<Translations> translations_;
};

std::string tryHelp(const std::string& program, const char* english, std::string_view arg) {
    return QCoreApplication::translate("CommandLine", english)
        .arg(QString::fromStdString(program),
             QString::fromUtf8(arg.data(), static_cast<qsizetype>(arg.size())))
        .toStdString();
}

} // namespace

std::optional<int> handleCommandLine(int argc, const char* const* argv, const ProgramInfo& program,
                                     std::ostream& out, std::ostream& err) {
    // Qt's options are left for the application object; of the rest, only a lone --help
    // or --version is taken.
    std::vector<std::string_view> own;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (among(kQtWithValue, arg)) {
            if (++i == argc) {
                const HelpLanguage language;
                err << tryHelp(program.name,
                               QT_TRANSLATE_NOOP("CommandLine",
                                                 "%1: option '%2' needs a value\n"
                                                 "Try '%1 --help' for more information.\n"),
                               arg);
                return 2;
            }
        } else if (!among(kQtFlags, arg) && !attachedQtOption(arg)) {
            own.push_back(arg);
        }
    }
    if (own.empty()) {
        return std::nullopt;
    }
    if (own.size() == 1 && (own[0] == "--help" || own[0] == "-h")) {
        const HelpLanguage language;
        out << usage(program);
        return 0;
    }
    if (own.size() == 1 && own[0] == "--version") {
        out << program.name << ' ' << programVersion() << '\n';
        return 0;
    }
    const bool answer = own[0] == "--help" || own[0] == "-h" || own[0] == "--version";
    const std::string_view wrong = answer ? own[1] : own[0];
    const HelpLanguage language;
    err << tryHelp(program.name,
                   QT_TRANSLATE_NOOP("CommandLine", "%1: unrecognised argument '%2'\n"
                                                    "Try '%1 --help' for more information.\n"),
                   wrong);
    return 2;
}

} // namespace tamsel
