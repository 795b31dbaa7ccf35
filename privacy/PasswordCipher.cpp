#include "privacy/PasswordCipher.h"

namespace dayvell {
namespace {

// oddShift applies at positions 1, 3, 5 ...; the even positions move the other way.
QByteArray shift(QByteArrayView text, int oddShift, int evenShift)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    for (qsizetype index = 0; index < text.size(); ++index) {
        const int byte = static_cast<unsigned char>(text[index]);
        const bool oddPosition = index % 2 == 0;
        result[index] = static_cast<char>(
            static_cast<unsigned char>(byte + (oddPosition ? oddShift : evenShift)));
    }
    return result;
}

// Only the low byte of the length matters modulo 256.
int lengthShift(QByteArrayView text)
{
    return static_cast<int>(text.size() % 256);
}

}  // namespace

QByteArray EncryptString(QByteArrayView plain)
{
    const int length = lengthShift(plain);
    return shift(plain, 100 - length, 100 + length);
}

QByteArray Decryptstring(QByteArrayView scrambled)
{
    const int length = lengthShift(scrambled);
    return shift(scrambled, length - 100, -length - 100);
}

}  // namespace dayvell
