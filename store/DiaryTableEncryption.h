#pragma once

#include "privacy/TableEncryption.h"
#include "store/DiaryStorage.h"

namespace dayvell {

// Encrypts and decrypts the open diary table for the change-password dialog.
// Each step is crash-safe and refuses, before writing, a password that is not
// the table's own.
class DiaryTableEncryption final : public TableEncryption {
public:
    explicit DiaryTableEncryption(DiaryStorage& storage) : storage_(storage) {}

    void setPassword(const QString& password) override;
    void refresh() override;
    void decryptAll(const Progress& progress) override;
    void encryptAll(const Progress& progress) override;

private:
    DiaryStorage& storage_;
};

}  // namespace dayvell
