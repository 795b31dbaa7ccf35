#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace dayvell {

// The character shift that scrambles the password kept in DV.INI. Each byte
// moves by the text's length and by 100, in opposite directions at odd and
// even positions (counted from 1), modulo 256. It hides the password from a
// casual look at the file; it is not encryption and uses no key.
QByteArray EncryptString(QByteArrayView plain);

// Undoes EncryptString; any bytes are decoded, whatever produced them.
QByteArray Decryptstring(QByteArrayView scrambled);

}  // namespace dayvell
