#pragma once

#include <QString>

namespace dayvell {

// The diary password between runs: key "Password" of section "Security" in
// DV.INI in the program folder, scrambled by EncryptString, one byte per
// character. Other sections and keys of the file are kept as they are.
class PasswordPreferences {
public:
    explicit PasswordPreferences(const QString& programFolder);

    QString filePath() const;

    // The stored password in plain text; empty when the file or key is
    // missing. Raises std::runtime_error when the file exists but cannot be read.
    QString LoadPreferences() const;

    // Stores the password (empty for none, written as an empty value). Raises
    // std::runtime_error "Unable to write to <path>" when the file cannot be
    // written, and refuses characters that do not fit in one byte; the file
    // is then unchanged.
    void SavePreferences(const QString& diaryPassword) const;

private:
    QByteArray readFile() const;

    QString filePath_;
};

}  // namespace dayvell
