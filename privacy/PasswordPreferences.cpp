#include "privacy/PasswordPreferences.h"

#include "privacy/AtomicFileWriter.h"
#include "privacy/IniDocument.h"
#include "privacy/PasswordCipher.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <stdexcept>

namespace dayvell {
namespace {

constexpr QByteArrayView kSection = "Security";
constexpr QByteArrayView kKey = "Password";

}  // namespace

PasswordPreferences::PasswordPreferences(const QString& programFolder)
    : filePath_(QDir(programFolder).filePath(QStringLiteral("DV.INI")))
{
}

QString PasswordPreferences::filePath() const
{
    return filePath_;
}

QByteArray PasswordPreferences::readFile() const
{
    QFile file(filePath_);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Unable to read %1: %2").arg(filePath_, file.errorString()).toStdString());
    return file.readAll();
}

QString PasswordPreferences::LoadPreferences() const
{
    const QByteArray stored = IniDocument(readFile()).value(kSection, kKey).value_or(QByteArray());
    return QString::fromLatin1(Decryptstring(stored));
}

void PasswordPreferences::SavePreferences(const QString& diaryPassword) const
{
    const bool fitsInBytes = std::none_of(diaryPassword.cbegin(), diaryPassword.cend(),
                                          [](QChar character) { return character.unicode() > 0xFF; });
    const QByteArray scrambled = EncryptString(diaryPassword.toLatin1());
    IniDocument document(readFile());
    document.setValue(kSection, kKey, scrambled);
    const QByteArray content = document.toBytes();

    // Some characters scramble to line ends or edge spaces, which would not read back.
    if (!fitsInBytes || IniDocument(content).value(kSection, kKey) != scrambled)
        throw std::runtime_error(
            QStringLiteral("The password holds a character that cannot be stored in %1")
                .arg(filePath_)
                .toStdString());
    writeFileAtomically(filePath_, content);
}

}  // namespace dayvell
