#pragma once

#include <QString>

namespace dayvell {

class TableEncryption;

// What the main window needs of a diary table whose entries can be kept
// under a password: the password for loads and saves, whether a password
// opens the entries, and the whole-table encryption behind the
// change-password dialog.
class PasswordProtection
{
public:
    virtual ~PasswordProtection() = default;

    // The password for later loads and saves; empty for none.
    virtual void setPassword(const QString& password) = 0;
    // Whether the stored entries are encrypted; known without a password.
    virtual bool isEncrypted() const = 0;
    // Whether the password opens the stored entries (any password opens
    // plain ones). Changes nothing.
    virtual bool checkPassword(const QString& candidate) const = 0;

    // The whole table is encrypted and decrypted in record order with its
    // indexes closed; reopening them puts the date order back. A lookup must
    // follow before the next save.
    virtual void closeIndexes() = 0;
    virtual void reopenIndexes() = 0;
    virtual TableEncryption& Encryption() = 0;
};

} // namespace dayvell
