#include "print/rtf/RtfBitmapFile.h"

#include <QtEndian>

namespace dayvell::rtf {

namespace {

constexpr qsizetype fileHeaderSize = 14;
constexpr quint32 coreHeaderSize = 12;
constexpr quint32 infoHeaderSize = 40;
constexpr quint32 bitFieldsCompression = 3;

constexpr qsizetype metafileHeaderSize = 18;
constexpr quint16 stretchDibRecord = 0x0F43;
constexpr quint16 dibStretchBltRecord = 0x0B41;
constexpr quint16 dibBitBltRecord = 0x0940;

quint16 word(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

quint32 doubleWord(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// Where the pixels start, counted from the start of the DIB; 0 when the header is not sound.
qsizetype pixelOffset(QByteArrayView dib)
{
    if (dib.size() < 4)
        return 0;
    const quint32 headerSize = doubleWord(dib, 0);
    if (headerSize == coreHeaderSize) {
        if (dib.size() < coreHeaderSize)
            return 0;
        const quint16 bitCount = word(dib, 10);
        const qsizetype colours = bitCount <= 8 ? (qsizetype(1) << bitCount) : 0;
        return coreHeaderSize + colours * 3;
    }
    if (headerSize < infoHeaderSize || headerSize > quint32(dib.size()))
        return 0;
    const quint16 bitCount = word(dib, 14);
    const quint32 compression = doubleWord(dib, 16);
    const quint32 coloursUsed = doubleWord(dib, 32);
    if (bitCount > 32 || coloursUsed > 256)
        return 0;
    qsizetype colours = coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? (qsizetype(1) << bitCount) : 0);
    qsizetype offset = headerSize + colours * 4;
    if (compression == bitFieldsCompression && headerSize == infoHeaderSize)
        offset += 12;
    return offset;
}

}

QByteArray bmpFileFromDib(QByteArrayView dib)
{
    const qsizetype offset = pixelOffset(dib);
    if (offset == 0 || offset > dib.size())
        return {};
    QByteArray file(fileHeaderSize, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(fileHeaderSize + dib.size()), file.data() + 2);
    qToLittleEndian<quint32>(quint32(fileHeaderSize + offset), file.data() + 10);
    file.append(dib);
    return file;
}

QByteArray bmpFileFromMetafile(QByteArrayView metafile)
{
    // A placeable metafile starts with its own 22-byte header before the standard one.
    qsizetype pos = metafile.size() >= 4 && doubleWord(metafile, 0) == 0x9AC6CDD7 ? 22 : 0;
    pos += metafileHeaderSize;
    while (pos + 6 <= metafile.size()) {
        const quint64 recordSize = quint64(doubleWord(metafile, pos)) * 2;
        const quint16 function = word(metafile, pos + 4);
        if (recordSize < 6 || recordSize > quint64(metafile.size() - pos))
            return {};
        const QByteArrayView record = metafile.sliced(pos, qsizetype(recordSize));
        qsizetype dibStart = 0;
        if (function == stretchDibRecord)
            dibStart = 6 + 22;
        else if (function == dibStretchBltRecord)
            dibStart = 6 + 20;
        else if (function == dibBitBltRecord)
            dibStart = 6 + 16;
        if (dibStart != 0 && dibStart < record.size())
            return bmpFileFromDib(record.sliced(dibStart));
        pos += qsizetype(recordSize);
    }
    return {};
}

}
