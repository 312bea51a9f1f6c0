// SPDX-License-Identifier: GPL-3.0-or-later
// SettingsStore: the console's own settings, one INI file under the XDG config folder.
#pragma once

#include <QMap>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

namespace tamsel {

// Where typed values are written as the settings file spells them: the store itself, or a
// record of what would be written (for comparing before anything is).
class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    virtual void set(const QString& key, const QString& value) = 0;
    void set(const QString& key, double value);
    void set(const QString& key, int value);
    void set(const QString& key, bool value);
};

// What a page would write, key by key, written nowhere.
class SettingsRecord : public SettingsWriter {
public:
    using SettingsWriter::set;
    void set(const QString& key, const QString& value) override { values.insert(key, value); }
    QMap<QString, QString> values;
};

// The one place where the console keeps what it does not keep in the adapter:
// $XDG_CONFIG_HOME/tamsel/tamsel.conf (~/.config/tamsel/tamsel.conf), plain INI with one
// group per subject ("[station]") that can be edited by hand. Keys are "group/name".
//
// Reading is typed and checked: a value that is missing, unreadable or out of range gives
// the caller's default and says which it was, so a page can show it. A file that cannot be
// read or parsed is moved aside (tamsel.conf.bad) before anything is written, never
// overwritten; startWarning() names it. Two consoles may run at once: every commit() takes
// the file's lock, reads what the other one wrote and adds its own changes.
class SettingsStore : public QObject, public SettingsWriter {
    Q_OBJECT
public:
    // Where a value came from.
    enum class Origin {
        Stored,  // the file's own value
        Missing, // not in the file: the default
        Invalid, // in the file but not a value the key takes: the default
    };
    template <typename T> struct Value {
        T value;
        Origin origin;
        bool isDefault() const { return origin != Origin::Stored; }
    };

    // $XDG_CONFIG_HOME/tamsel/tamsel.conf, or ~/.config/tamsel/tamsel.conf (the folder
    // name as folderName() says).
    static QString defaultPath();

    explicit SettingsStore(const QString& path = defaultPath(), QObject* parent = nullptr);
    ~SettingsStore() override;

    QString path() const { return path_; }
    // One line for the operator when the file found at start could not be used; empty when
    // it was fine (or absent).
    QString startWarning() const { return startWarning_; }

    // Text, with an optional check of what the file holds.
    Value<QString> text(const QString& key, const QString& fallback,
                        const std::function<bool(const QString&)>& valid = {}) const;
    // One of `choices`, spelled exactly as listed.
    Value<QString> choice(const QString& key, const QStringList& choices,
                          const QString& fallback) const;
    // A decimal number (a point, not a comma) in [min, max].
    Value<double> number(const QString& key, double fallback, double min, double max) const;
    // A whole number in [min, max].
    Value<int> integer(const QString& key, int fallback, int min, int max) const;
    // "true" or "false".
    Value<bool> flag(const QString& key, bool fallback) const;

    // What the file holds for `key` as text, checked or not; nothing when it lacks the key.
    std::optional<QString> raw(const QString& key) const;

    // Sets a value in use at once; commit() writes it.
    using SettingsWriter::set;
    void set(const QString& key, const QString& value) override;
    void remove(const QString& key);

    // Writes what was set since the last commit and tells every reader (changed()). False
    // when the file could not be written (read-only folder, disk full): writeError() says
    // so, the values stay in use, and the next commit tries again.
    bool commit();
    QString writeError() const { return writeError_; }
    // Reads the file again (changed outside, or the program was told to): what it now holds
    // is in use, and every reader is told (changed()).
    void reload();

signals:
    // Values were committed (whether or not the file could be written): read them again.
    void changed();

private:
    void open();
    void ownersOnly() const;
    static bool parsesAsIni(const QByteArray& content);
    enum class Fault { Unreadable, Unparsable };
    bool moveAside(Fault fault);

    QString path_;
    QString startWarning_;
    QString writeError_;
    // Set when a broken file could not be moved aside: values then live in a scratch file
    // so the broken one is never overwritten.
    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<QSettings> settings_;
    bool failed_ = false; // the last commit could not write
};

} // namespace tamsel
