#pragma once
// The workstation's settings file (vellum12.ini) with the semantics of a Windows profile file:
// sections and keys are written as named and found without regard to letter case, a missing key
// reads as the empty text and as 0, numbers are written in decimal, and every write reaches the
// disk at once. A damaged file is read as far as it goes; nothing here ever stops the program.

#include <QString>

#include <memory>

namespace vellum {

class SettingsFile {
public:
    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    const QString &path() const { return m_path; }

    QString readText(const QString &section, const QString &key) const;
    // The leading whole number of the text, as the platform reads profile numbers; else 0.
    int readNumber(const QString &section, const QString &key) const;
    bool contains(const QString &section, const QString &key) const;

    // False when the file could not be written; the value is kept for this run all the same.
    bool writeText(const QString &section, const QString &key, const QString &value);
    bool writeNumber(const QString &section, const QString &key, long long value);
    bool remove(const QString &section, const QString &key);

    // The file's folder and the standard place of the workstation's file.
    static QString defaultPath();

private:
    bool save();

    class Impl;
    QString m_path;
    std::unique_ptr<Impl> m_impl;
};

} // namespace vellum
