#pragma once

#include <QString>

#include <functional>

namespace dayvell {

// What the change-password dialog needs of the open diary table. Every call
// may raise an exception with a message for the user; a failed encryptAll or
// decryptAll must leave every record readable under the password last set
// before it.
class TableEncryption {
public:
    using Progress = std::function<void(int percent)>;

    virtual ~TableEncryption() = default;

    // The password used for later reads and writes; empty for none.
    virtual void setPassword(const QString& password) = 0;
    // Reads the current records again after the password or the records changed.
    virtual void refresh() = 0;
    // Rewrites every record in plain text, reporting 0 to 100 as it goes.
    virtual void decryptAll(const Progress& progress) = 0;
    // Rewrites every record encrypted under the password last set.
    virtual void encryptAll(const Progress& progress) = 0;
};

}  // namespace dayvell
