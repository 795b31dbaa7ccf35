#include "print/rtf/RtfPictureDecoder.h"

#include "print/rtf/RtfBitmapFile.h"

#include <QBuffer>
#include <QImageReader>

namespace dayvell::rtf {

namespace {

constexpr qsizetype pngSignatureLength = 8;
constexpr qsizetype pngChunkOverhead = 12;   // length, type and CRC

quint32 bigEndian32(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
}

bool isWellFormedPng(const QByteArray& data)
{
    if (!data.startsWith("\x89PNG\r\n\x1a\n"))
        return false;
    qsizetype pos = pngSignatureLength;
    while (pos + pngChunkOverhead <= data.size()) {
        const quint32 length = bigEndian32(data.constData() + pos);
        if (length > quint32(data.size() - pos - pngChunkOverhead))
            return false;
        if (QByteArrayView(data.constData() + pos + 4, 4) == "IEND")
            return true;
        pos += pngChunkOverhead + qsizetype(length);
    }
    return false;
}

QImage read(const QByteArray& data, const char* format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > RtfPictureDecoder::maxPixels)
        return {};
    return reader.read();
}

}

QImage RtfPictureDecoder::decode(const RtfPicture& picture)
{
    switch (picture.format) {
    case RtfPictureFormat::Png:
        return isWellFormedPng(picture.data) ? read(picture.data, "png") : QImage();
    case RtfPictureFormat::Jpeg:
        return picture.data.startsWith("\xff\xd8\xff") ? read(picture.data, "jpeg") : QImage();
    case RtfPictureFormat::Bitmap: {
        const QByteArray file = bmpFileFromDib(picture.data);
        return file.isEmpty() ? QImage() : read(file, "bmp");
    }
    case RtfPictureFormat::Metafile: {
        const QByteArray file = bmpFileFromMetafile(picture.data);
        return file.isEmpty() ? QImage() : read(file, "bmp");
    }
    case RtfPictureFormat::Unsupported:
        break;
    }
    return {};
}

}
